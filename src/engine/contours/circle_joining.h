#pragma once
// Routed circles opened into contours: where a contour runs onto them, or at their top.

#include <vector>

#include "engine/contours/contour_table.h"
#include "engine/geometry/point_buckets.h"

namespace mq {

// A circle is cut open where a contour's end lies this close to its outline.
constexpr float kCircleJoinTolerance = 0.05f;

// The circle's tool data on a path record (no point, no segment type).
PathSegment CircleToolData(const CircleRecord& circle);
// Circle `index` opened at (x, y) and run once round in the sense whose tangent there is
// closer to `incoming` (a bearing); two records and a used row are appended, the circle
// is marked expanded and its route layer cleared. Returns the row.
int ExpandCircle(ConversionState& s, int index, float x, float y, float incoming);
// The circle opened at its top point, entered heading east (clockwise).
int ExpandCircleAtTop(ConversionState& s, int index);
// The circles not yet opened, in cells by their outlines, to find the circles that may
// pass through a point without trying every circle. Made once, before contours are joined.
class CircleOutlines {
 public:
  explicit CircleOutlines(const ConversionState& s);
  // The first circle in list order, not yet opened and of `layer`, whose outline passes
  // through `a` or `b`; 0 when none does.
  int FirstThrough(const ConversionState& s, int16_t layer, const PathSegment& a, const PathSegment& b) const;

 private:
  double cell_;
  PointBuckets cells_;
  std::vector<int> large_;  // circles spanning too many cells, tried wherever a point lies
};

// For the contour that starts `joined`: the first circle of its route layer whose
// outline passes through the contour's start or end is opened there and appended.
bool JoinTouchingCircle(ConversionState& s, const CircleOutlines& circles, JoinedContour& joined);

}  // namespace mq
