// Mid-side start of closed polyline contours: a contour that starts on a vertex would
// enter and leave the material on a corner of the part; started in the middle of its
// first (straight) side, both the entry and the exit lie on a side.

#include "engine/toolpath/corner_compensation.h"

#include <cmath>
#include <utility>
#include <vector>

#include "engine/geometry/angles.h"
#include "engine/geometry/contour_geometry.h"

namespace mq {

namespace {

// First and last point of a closed polyline are this close.
constexpr float kClosedPolylineGap = 0.001f;

bool CornerCompensationOn(const EngineContext& c) {
  if (c.state.CornerCompMode == kStatedOn) return true;
  if (c.state.CornerCompMode == kStatedOff) return false;
  return c.settings.CornerComp != 0;
}

// The last record of the contour that starts at `first`.
int ContourEnd(const OneBasedList<PathSegment>& path, int first) {
  for (int i = first + 1; i <= path.size(); ++i) {
    if (path[i].ChainFlag == kContourStart) return i - 1;
  }
  return path.size();
}

// The middle of the piece from `a` to `b`, reached as half the piece's length along its
// direction angle rather than as the mean of its ends: existing programs were computed
// so, and the last digits of the coordinates follow the construction.
PlanePoint MidSide(const PathSegment& a, const PathSegment& b) {
  const float theta = Bearing(a.Y, b.Y, a.X, b.X);
  const float half = Distance(PointOf(a), PointOf(b)) / 2;
  return AlongDirection(PointOf(a), half, theta);
}

}  // namespace

void CompensateCorners(EngineContext& c) {
  if (!CornerCompensationOn(c)) return;
  OneBasedList<PathSegment>& path = c.state.PathList;
  // The closing records to add, each after the record of its index; the list is built
  // again once at the end instead of moving its rest at every contour.
  std::vector<std::pair<int, PathSegment>> closings;
  int s = 1;
  while (s < path.size()) {
    const PathSegment& first = path[s];
    if (first.SegmentType != -segment::kPolyline || first.Bulge() != 0) {
      ++s;
      continue;
    }
    const int e = ContourEnd(path, s);
    // A contour of one record has no first side to start on.
    if (e <= s || Distance(PointOf(path[s]), PointOf(path[e])) >= kClosedPolylineGap) {
      s = e + 1;
      continue;
    }
    const PlanePoint middle = MidSide(path[s], path[s + 1]);
    path[s].X = middle.X;
    path[s].Y = middle.Y;
    // The old start corner stays on the contour: the copy of the closing record runs
    // from it back to the middle of the first side.
    PathSegment closing = path[e];
    closing.X = middle.X;
    closing.Y = middle.Y;
    closings.emplace_back(e, closing);
    s = e + 1;
  }
  if (closings.empty()) return;
  OneBasedList<PathSegment> compensated;
  compensated.reserve(path.size() + static_cast<int>(closings.size()));
  auto closing = closings.begin();
  for (int i = 1; i <= path.size(); ++i) {
    compensated.push_back(path[i]);
    if (closing != closings.end() && closing->first == i) compensated.push_back((closing++)->second);
  }
  path = std::move(compensated);
}

}  // namespace mq
