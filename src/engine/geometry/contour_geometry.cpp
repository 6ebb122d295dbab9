#include "engine/geometry/contour_geometry.h"

#include <cmath>

#include "engine/geometry/angles.h"

namespace mq {

std::vector<ContourSpan> MarkedContours(const OneBasedList<PathSegment>& path) {
  std::vector<ContourSpan> spans;
  for (int i = 1; i <= path.size(); ++i) {
    if (path[i].ChainFlag != kContourStart) continue;
    if (!spans.empty()) spans.back().Last = i - 1;
    spans.push_back({i, path.size()});
  }
  return spans;
}

float Distance(PlanePoint a, PlanePoint b) {
  const float dx = b.X - a.X;
  const float dy = b.Y - a.Y;
  return std::sqrt(dx * dx + dy * dy);
}

float DirectionAngle(PlanePoint from, PlanePoint to) {
  float angle = Bearing(from.Y, to.Y, from.X, to.X);
  NormalizeAngle(angle);
  return angle;
}

PlanePoint AlongDirection(PlanePoint from, float length, float angle) {
  const float radians = angle * RadiansPerDegree;
  return {from.X + length * std::cos(radians), from.Y + length * std::sin(radians)};
}

float Normalized(float angle) {
  NormalizeAngle(angle);
  return angle;
}

float BulgeIncludedAngle(float bulge) {
  return static_cast<float>(std::atan(static_cast<double>(bulge))) * 4.0f / RadiansPerDegree;
}

int CompensationSide(const FixedText<10>& compCode) {
  const std::string_view head = compCode.view().substr(0, 3);
  if (head == "G41") return 1;
  if (head == "G42") return -1;
  return 0;
}

}  // namespace mq
