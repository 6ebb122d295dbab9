#include "engine/toolpath/machine_corner.h"

#include "engine/geometry/path_points.h"

namespace mq {

namespace {

// Mirrors a coordinate measured from one edge so that it is measured from the opposite one.
void FromFarEdge(float& value, float size) { value = size - value; }

}  // namespace

void TransformToMachineCorner(EngineContext& c) {
  ConversionState& s = c.state;
  if (!s.XFromRight && !s.YFromTop) return;
  const float w = s.PanelWidth(), h = s.PanelHeight();
  const bool mirror_x = s.XFromRight, mirror_y = s.YFromTop;

  ForEachPathPoint(s.PathList, [&](PathSegment& p, bool carries_centre) {
    if (mirror_x) FromFarEdge(p.X, w);
    if (mirror_y) FromFarEdge(p.Y, h);
    if (!carries_centre) return;
    if (mirror_x) FromFarEdge(p.CentreX, w);
    if (mirror_y) FromFarEdge(p.CentreY, h);
  });
  for (BoreRecord& b : s.BoreList) {
    if (mirror_x) FromFarEdge(b.X, w);
    if (mirror_y) FromFarEdge(b.Y, h);
  }
  for (LineBoreRecord& g : s.LineBoreList) {
    if (mirror_x) {
      FromFarEdge(g.X1, w);
      FromFarEdge(g.X2, w);
    }
    if (mirror_y) {
      FromFarEdge(g.Y1, h);
      FromFarEdge(g.Y2, h);
    }
  }
  for (CircleRecord& circle : s.CircleList) {
    if (mirror_x) FromFarEdge(circle.CentreX, w);
    if (mirror_y) FromFarEdge(circle.CentreY, h);
  }
  // An edge bore's position along its edge is X on the top and bottom edges and Y on
  // the left and right ones; its other value is a depth and stays.
  for (EdgeBoreRecord& e : s.EdgeBoreList) {
    const bool along_x = e.Side == edge::kTop || e.Side == edge::kBottom;
    const bool along_y = e.Side == edge::kLeft || e.Side == edge::kRight;
    if (mirror_x && along_x) FromFarEdge(e.X, w);
    if (mirror_y && along_y) FromFarEdge(e.Y, h);
  }
}

}  // namespace mq
