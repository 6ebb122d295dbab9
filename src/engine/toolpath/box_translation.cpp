#include "engine/toolpath/box_translation.h"

#include "engine/drawing/part_border.h"
#include "engine/geometry/path_points.h"

namespace mq {

namespace {

// The first edge view (1..4) whose box, widened by the edge-view margins, holds the
// point; the panel (5) when none does.
int16_t BoxOfPoint(const ConversionState& s, float x, float y) {
  for (int view = 1; view < kPanelBox; ++view) {
    if (BoxHolds(s.PartExtents[static_cast<std::size_t>(view)], x, y, s.EdgeMarginX, s.EdgeMarginY)) {
      return static_cast<int16_t>(view);
    }
  }
  return kPanelBox;
}

}  // namespace

// Points of the panel become measured from PartOrigin; points drawn in an edge view
// keep their drawing coordinates and are marked with their view.
void TranslateToBoxes(EngineContext& c) {
  ConversionState& s = c.state;
  const float ox = s.PartOriginX, oy = s.PartOriginY;
  ForEachPathPoint(s.PathList, [&](PathSegment& p, bool carries_centre) {
    p.Box = BoxOfPoint(s, p.X, p.Y);
    if (p.Box != kPanelBox) return;
    p.X -= ox;
    p.Y -= oy;
    if (!carries_centre) return;
    p.CentreX -= ox;
    p.CentreY -= oy;
  });
  for (CircleRecord& circle : s.CircleList) {
    circle.Box = BoxOfPoint(s, circle.CentreX, circle.CentreY);
    if (circle.Box != kPanelBox) continue;
    circle.CentreX -= ox;
    circle.CentreY -= oy;
  }
}

}  // namespace mq
