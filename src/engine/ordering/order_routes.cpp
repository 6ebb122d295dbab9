#include "engine/ordering/order_routes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace mq {

namespace {

// Piece kinds moved to the front, in this order: three-point arc chains, centre arcs, lines.
constexpr int16_t kLooseEndKinds[] = {segment::kThreePoint, segment::kCentreArc, segment::kLine};

bool Touch(const PathSegment& a, const PathSegment& b) {
  return std::fabs(a.X - b.X) < kPieceTouchTolerance && std::fabs(a.Y - b.Y) < kPieceTouchTolerance;
}

// Whether another piece of the same route layer touches the start or the end of the piece
// first..last.
struct EndsTouched {
  bool start = false;
  bool end = false;
};

EndsTouched TouchedEnds(const OneBasedList<PathSegment>& path, int first, int last) {
  const PathSegment& s = path[first];
  const PathSegment& e = path[last];
  EndsTouched touched;
  int j = 1;
  while (j <= path.size()) {
    if (path[j].SegmentType >= 0) {
      ++j;
      continue;
    }
    const int j_last = PieceLast(path, j);
    if (j != first && path[j].LayerNumber == s.LayerNumber) {
      const PathSegment& sj = path[j];
      const PathSegment& ej = path[j_last];
      touched.end = touched.end || Touch(sj, e) || Touch(ej, e);
      touched.start = touched.start || Touch(sj, s) || Touch(ej, s);
    }
    j = j_last + 1;
  }
  return touched;
}

// The piece first..last moves to the front, its records in their order.
void MoveToFront(OneBasedList<PathSegment>& path, int first, int last) {
  std::vector<PathSegment>& raw = path.raw();
  std::rotate(raw.begin(), raw.begin() + (first - 1), raw.begin() + last);
}

void MoveLooseEndsToFront(OneBasedList<PathSegment>& path, int16_t kind) {
  for (int i = 1; i <= path.size(); ++i) {
    if (path[i].SegmentType != -kind) continue;
    const int last = PieceLast(path, i);
    const EndsTouched touched = TouchedEnds(path, i, last);
    if (touched.start != touched.end) MoveToFront(path, i, last);
  }
}

// Constant-width polylines go to the front whole, the one met last first. (Moving only
// their first two records would leave the rest of their vertices behind, appended to
// whatever contour stood before them.)
void MoveConstantWidthPolylinesToFront(OneBasedList<PathSegment>& path) {
  std::vector<PathSegment> front;
  std::vector<PathSegment> rest;
  int i = 1;
  while (i <= path.size()) {
    const int last = PieceLast(path, i);
    const bool moved = path[i].SegmentType == -segment::kConstantWidth && i < path.size();
    std::vector<PathSegment> piece(path.raw().begin() + (i - 1), path.raw().begin() + last);
    if (moved) {
      front.insert(front.begin(), piece.begin(), piece.end());
    } else {
      rest.insert(rest.end(), piece.begin(), piece.end());
    }
    i = last + 1;
  }
  front.insert(front.end(), rest.begin(), rest.end());
  path.raw() = std::move(front);
}

}  // namespace

int PieceLast(const OneBasedList<PathSegment>& path, int first) {
  int last = first;
  while (last < path.size() && path[last + 1].SegmentType >= 0) ++last;
  return last;
}

void OrderRoutes(OneBasedList<PathSegment>& path) {
  for (int16_t kind : kLooseEndKinds) MoveLooseEndsToFront(path, kind);
  MoveConstantWidthPolylinesToFront(path);
}

}  // namespace mq
