// The directions at which a contour leaves its start and arrives at its end, and the
// sense of the turn between them.

#include "engine/toolpath/lead_directions.h"

#include <cmath>
#include <cstdlib>

#include "engine/geometry/angles.h"
#include "engine/geometry/contour_geometry.h"
#include "engine/toolpath/lead_synthesis.h"

namespace mq {

namespace {

// Directions closer than this make the start a smooth point.
constexpr float kSmoothStart = 0.01f;

// The tangent of a circle at `p`, in the arc's direction of travel.
float ArcTangent(const BoundaryArc& arc, PlanePoint p) {
  const float radial = DirectionAngle(arc.Centre, p);
  return Normalized(arc.CounterClockwise ? radial + kQuarterTurn : radial - kQuarterTurn);
}

BoundaryArc CentreArc(const PathSegment& start, const PathSegment& end) {
  return {true, CentreOf(start), RunsCounterClockwise(end), end.ChainFlag};
}

bool IsBulgePiece(const PathSegment& from) {
  return std::abs(from.SegmentType) == segment::kPolyline && from.Bulge() != 0;
}

}  // namespace

ContourShape ShapeOf(const OneBasedList<PathSegment>& path, ContourSpan span) {
  const PathSegment& s = path[span.First];
  const PathSegment& second = path[span.First + 1];
  const PathSegment& e = path[span.Last];
  const PathSegment& beforeEnd = path[span.Last - 1];
  ContourShape shape;
  shape.Span = span;
  shape.Start = PointOf(s);
  shape.Second = PointOf(second);
  shape.End = PointOf(e);
  shape.FirstChord = Distance(shape.Start, shape.Second);

  const float firstChordDirection = DirectionAngle(shape.Start, shape.Second);
  if (s.SegmentType == -segment::kCentreArc && second.SegmentType == segment::kCentreArc) {
    shape.FirstKind = segment::kCentreArc;
    shape.FirstArc = CentreArc(s, second);
    shape.StartDirection = ArcTangent(shape.FirstArc, shape.Start);
  } else if (IsBulgePiece(s)) {
    // A bulge arc leaves its start turned from its chord by half its included angle.
    shape.FirstKind = segment::kPolyline;
    shape.FirstBulge = s.Bulge();
    shape.StartDirection = Normalized(firstChordDirection - BulgeIncludedAngle(s.Bulge()) / 2);
  } else {
    shape.StartDirection = firstChordDirection;
  }

  const float lastChordDirection = DirectionAngle(PointOf(beforeEnd), shape.End);
  if (e.SegmentType == segment::kCentreArc && std::abs(beforeEnd.SegmentType) == segment::kCentreArc) {
    shape.LastArc = CentreArc(beforeEnd, e);
    shape.EndDirection = ArcTangent(shape.LastArc, shape.End);
  } else if (e.SegmentType > 0 && IsBulgePiece(beforeEnd)) {
    shape.EndDirection = Normalized(lastChordDirection + BulgeIncludedAngle(beforeEnd.Bulge()) / 2);
  } else {
    shape.EndDirection = lastChordDirection;
  }
  return shape;
}

bool TakesCornerBranch(int side, float startDirection, float endDirection) {
  const float change = std::fabs(startDirection - endDirection);
  int turn = startDirection > endDirection ? 1 : -1;
  if (Normalized(kFullTurn - startDirection + endDirection) < change) {
    turn = -1;
  } else if (Normalized(kFullTurn - endDirection + startDirection) < change) {
    turn = 1;
  }
  if (change <= kSmoothStart) turn = 0;
  // The directions are compared as numbers, not as a turn: a right turn at a G41 start
  // counts as a corner only where the directions wrap round 0, a left turn at a G42
  // start likewise; other turns keep the leads of a smooth start, as existing programs
  // have them.
  if (side > 0) return startDirection - endDirection > 0 && turn == -1;
  return endDirection - startDirection > 0 && turn == 1;
}

}  // namespace mq
