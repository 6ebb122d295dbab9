#pragma once
// Whether a point lies inside a closed outline traced into points: by the even-odd rule,
// a point within `tolerance` of the outline counting as inside. For the lead check of
// the engine and of the preview, which trace their contours each in their own points
// (anything with double X and Y).

#include <algorithm>
#include <cmath>
#include <vector>

namespace mq {

template <class Point>
double DistanceToSegment(Point p, Point a, Point b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y, length = dx * dx + dy * dy;
  const double t = length > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length, 0.0, 1.0) : 0.0;
  return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

template <class Point>
bool InsideOutline(const std::vector<Point>& outline, Point p, double tolerance) {
  bool inside = false;
  for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
    const Point a = outline[i], b = outline[j];
    if (DistanceToSegment(p, a, b) <= tolerance) return true;
    if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
  }
  return inside;
}

}  // namespace mq
