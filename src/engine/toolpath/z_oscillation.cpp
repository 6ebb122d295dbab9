// Z oscillation of through-cuts: the depth rises and falls by up to the OZ height along
// the contour, so that the wear spreads over a longer part of the cutting edge.

#include "engine/toolpath/z_oscillation.h"

#include <cmath>
#include <cstdlib>

#include "engine/geometry/contour_geometry.h"

namespace mq {

namespace {

constexpr char kShallowOscillationWarning[] = "OSCILLATION IN Z attempted on shallow route!";

// The oscillation in force from one marked contour start to the next.
struct Oscillation {
  float Amplitude = 0;  // A; 0 or less: none
  float Divisor = 0;    // W = 2A: the offset changes by half the distance travelled
  float Offset = 0;     // z, 0 .. A
  float Previous = 0;   // p, the offset of the point before
  int Direction = 1;    // +1 rising, -1 falling
};

// Restarts the oscillation at a contour start. Only a contour that cuts through the
// panel oscillates: deeper than the panel is thick at its second point.
Oscillation StartContour(const OneBasedList<PathSegment>& path, int start, float thickness,
                         bool& shallowAttempt) {
  Oscillation o;
  if (start >= path.size()) return o;
  const PathSegment& next = path[start + 1];
  if (next.Z > thickness) {
    o.Amplitude = next.OZ;
    o.Divisor = 2 * o.Amplitude;
  } else if (next.OZ > 0) {
    shallowAttempt = true;
  }
  return o;
}

// The offset of a point reached after `length` of travel.
float NextOffset(Oscillation& o, float length) {
  const float r = length / o.Divisor;
  o.Offset += o.Amplitude * r * static_cast<float>(o.Direction);
  if (o.Offset > o.Amplitude) {
    o.Offset = o.Amplitude;
    o.Direction = -1;
  }
  if (o.Offset < 0) {
    o.Offset = 0;
    o.Direction = 1;
  }
  // A long piece would be clamped at the limit it already holds, so the offset would
  // hardly move: it goes to the other limit instead.
  if (std::fabs(o.Previous - o.Offset) < o.Amplitude / 2 && r > 1) {
    o.Offset = o.Offset == o.Amplitude ? 0.0f : o.Amplitude;
    o.Direction = -o.Direction;
  }
  o.Previous = o.Offset;
  return o.Offset;
}

}  // namespace

void OscillateRoutes(EngineContext& c) {
  OneBasedList<PathSegment>& path = c.state.PathList;
  Oscillation o;
  bool shallowAttempt = false;
  for (int i = 1; i <= path.size(); ++i) {
    PathSegment& point = path[i];
    if (point.Z >= kNoDepthFrom) continue;
    if (point.ChainFlag == kContourStart) o = StartContour(path, i, c.state.PartThickness, shallowAttempt);
    // The contour's first point, and every piece start, keeps its depth.
    if (std::abs(point.SegmentType) == segment::kConstantWidth || o.Amplitude <= 0 ||
        point.SegmentType <= 0 || i == 1) {
      continue;
    }
    PathSegment& before = path[i - 1];
    point.Z += NextOffset(o, Distance(PointOf(before), PointOf(point)));
    // The start record of a line or arc piece takes the depth of its end, so that both
    // records of the piece agree on the depth it is cut at.
    const bool pieceEnd = point.SegmentType == segment::kLine || point.SegmentType == segment::kCentreArc;
    if (pieceEnd && before.ChainFlag != kContourStart) before.Z = point.Z;
  }
  if (shallowAttempt) AddWarningLine(c.run, kShallowOscillationWarning);
}

}  // namespace mq
