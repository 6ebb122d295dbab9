#pragma once
// The tool path of a read program: its contours as written and every piece traced into
// points, arcs sampled, in the program's frame. What the machine does, for checking a
// program and for drawing it.

#include <vector>

#include "output/program_reader.h"

namespace mq {

struct ProgramPoint {
  double X = 0, Y = 0;
};

double Distance(ProgramPoint a, ProgramPoint b);

// How the program's frame lies on the panel: the axes the origin word mirrors (the
// machine's origin setting turns Y round), and the arc digit that turns clockwise.
struct ProgramAxes {
  bool MirrorX = false, MirrorY = false;
  bool ClockwiseIsTwo = true;
};
ProgramAxes AxesOf(const ProgramReading& program, bool origin_lower_left);

// The routed lines of a contour, in order: it opens at a line with start words, or at
// the first path line after one that ended a contour or after other work.
using ProgramContour = std::vector<const ProgramLine*>;
std::vector<ProgramContour> ContoursOf(const ProgramReading& program);

bool IsPathLine(LineKind kind);
ProgramPoint EndOf(const ProgramLine& line);

// The points the piece from `from` to the line's end passes, the end included: one
// point for a straight piece, arcs sampled finely. A radius arc is the shorter of the
// two; an arc whose ends meet closer than `tolerance` is a full circle.
std::vector<ProgramPoint> TracePiece(ProgramPoint from, const ProgramLine& line, const ProgramAxes& axes,
                                     double tolerance);

}  // namespace mq
