#pragma once
// Routed circles opened into contours: where a contour runs onto them, or at their top.

#include "engine/contours/contour_table.h"

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
// For the contour that starts `joined`: the first circle of its route layer whose
// outline passes through the contour's start or end is opened there and appended.
bool JoinTouchingCircle(ConversionState& s, JoinedContour& joined);

}  // namespace mq
