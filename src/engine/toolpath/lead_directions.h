#pragma once
// What a contour's ends look like to the lead synthesis: its start, end, directions and
// the arcs that meet there.

#include <cstdint>

#include "engine/geometry/contour_geometry.h"

namespace mq {

// The values of one contour, from its start record and the effective settings.
struct LeadValues {
  float Length = 0;   // L
  float RampOut = 0;  // height above the surface the tool leaves at (negative depth); 0: none
  float RampIn = 0;   // height above the surface the tool enters from (negative depth); 0: none
  int Side = 0;       // +1 "G41", -1 "G42", 0 no compensation
};

// A centre arc that a contour starts or ends with.
struct BoundaryArc {
  bool Present = false;
  PlanePoint Centre;
  bool CounterClockwise = false;
  int16_t DirectionFlag = 0;  // the ChainFlag of the arc's end record
};

// The ends of a contour: its start S, its end E and the pieces that meet there.
struct ContourShape {
  ContourSpan Span;
  PlanePoint Start, Second, End;       // S, the point after S, E
  float StartDirection = 0;            // d_in: leaving S along the first piece
  float EndDirection = 0;              // d_end: arriving at E along the last piece
  float FirstChord = 0;                // distance from S to the point after it
  int16_t FirstKind = segment::kLine;  // 1 straight, 5 bulge arc, 3 centre arc
  float FirstBulge = 0;                // of a bulge first piece
  BoundaryArc FirstArc, LastArc;
};

// Read from a contour of at least two records.
ContourShape ShapeOf(const OneBasedList<PathSegment>& path, ContourSpan span);

// The start turns against the compensation side, so the leads go along the corner's
// bisector instead of the quarter-arc or straight leads of a smooth start.
bool TakesCornerBranch(int side, float startDirection, float endDirection);

}  // namespace mq
