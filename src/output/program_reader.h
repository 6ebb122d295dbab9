#pragma once
// Reads the text of a PTP400 program as this system writes it back into its header and
// one record per machining line, so that a program can be checked on what was written
// rather than on the lists it was written from.
//
// The lines the writer makes, by their G code ("d" is the arc digit 2 or 3; a "G0"
// prefix instead of "G1" marks the last piece of a contour):
//
//   G10 X Y Z + start words   ContourStart: a contour's first point; start words are
//                             T, R-/R/R+ with its value, VX, VZ, VM
//   G10 X Y [Z], G00 X Y [Z]  Move: a straight piece; G00 ends the contour. Without Z it
//                             is a bulge arc too flat to be cut as an arc
//   G1d X Y I J, G0d ...      CentreArc: I J are the absolute centre
//   G1d/ X Y I, G0d/ ...      RadiusArc: a bulge arc, I is the radius
//   G1d/5 X Y I J             ThreePointArc: I J are the arc's middle point
//   G20 X Y Z T...            BoreRow: one stroke of the drilling head along X
//   G00 X Y Z T...            Bore: a single bore, or one stroke of a row along Y
//   G16 / G17 X Y Z [T VZ VX] SawPass: a groove along X / along Y
//   G00 X  or  G00 Y          RowEnd: the end of the bore row or saw pass just before
//   G09 G08 G06 G07 X Y Z..   EdgeBore into the top, bottom, left, right edge
//
// The origin word O0..O3 may stand on any line (the writer puts it on the first machining
// line of each portion). A T word is digits ("5", "05", "0512"), or any whole number a
// tool substitution gave a path tool ("-5"). Programs carry no variables: the writer
// keeps the drawing's VAR statements to itself.
//
// Not interpreted: the reader keeps every coordinate as written, in the program's frame.
// It does not undo the machine-corner mirroring that the origin word announces, nor say
// which way an arc digit turns (that depends on the machine's origin setting and on the
// mirroring), nor whether the tool is lifted between contours.
//
// Holes: a Bore or BoreRow line drills one hole per T word. The first T word's hole is at
// the line's X Y; the k-th lies further along the row (+Y for a Bore line, towards the
// row's end X for a BoreRow) by the distance between the k-th and the first spindle on the
// head: |ToolY difference| for a Bore line, |ToolX difference| for a BoreRow, taken from
// the tool table. Where a word names no spindle 1..27 of a loaded table the spacing is the
// head's 32 mm pitch.
//
// Errors: reading never throws. Each line that cannot be read adds a ReadError naming its
// 1-based line number in its file (the header is line 1); the other lines are still read.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/tool_table.h"

namespace mq {

struct ProgramHeader {
  double Length = 0, Width = 0, Thickness = 0;  // as written divided by 10
  bool Inch = false;                            // "I"; "M" is metric
  std::string Description;
};

enum class LineKind {
  ContourStart,
  Move,
  CentreArc,
  RadiusArc,
  ThreePointArc,
  BoreRow,
  Bore,
  RowEnd,
  SawPass,
  EdgeBore
};

struct HolePoint {
  double X = 0, Y = 0;
};

struct ProgramLine {
  int Portion = 1;   // 1-based file of a program stored in portions
  int Number = 0;    // 1-based line number within that file
  std::string Code;  // the G code as written: "G10", "G13/", "G12/5", "G07"
  LineKind Kind = LineKind::Move;
  bool EndsContour = false;  // a path line with the "G0" prefix
  int ArcDigit = 0;          // 2 or 3 on arcs
  std::optional<double> X, Y, Z, I, J;
  std::vector<std::string> Tools;  // the T words' texts, in order ("5", "05", "0512")
  std::string CompensationSide;    // "R-", "R" or "R+"; empty without an R word
  double CompensationValue = 0;    // the R word's magnitude
  std::optional<double> VX, VZ;
  std::optional<int> VM, Origin;
  std::optional<double> EndX, EndY;  // BoreRow and SawPass: from their RowEnd line
  std::vector<HolePoint> Holes;      // Bore and BoreRow
};

struct ReadError {
  int Portion = 1;
  int Number = 0;
  std::string Reason;
};

struct ProgramReading {
  ProgramHeader Header;
  std::vector<ProgramLine> Lines;  // the machining lines, header and end line left out
  std::vector<ReadError> Errors;
};

// One program file. `table` resolves T words to spindle positions; a table that is not
// loaded spaces the holes 32 mm apart.
ProgramReading ReadProgram(std::string_view text, const ToolTable& table = {});

// The portions of one program, in order, read as one program: each must carry the same
// header and its end line; a bore row or saw pass may end in the next portion.
ProgramReading ReadProgramPortions(const std::vector<std::string>& texts, const ToolTable& table = {});

// "line 7: ..." or, for a later portion, "portion 2, line 7: ...".
std::string Describe(const ReadError& error);

}  // namespace mq
