// LINE, ARC and CIRCLE entities of a route layer, and the tool data every route entry
// carries.

#include "engine/collect/route_entities.h"

#include <cmath>

#include "engine/collect/bores_and_grooves.h"
#include "engine/geometry/contour_geometry.h"
#include "input/layer_codes.h"

namespace mq {

namespace {

// An arc this flat (radius more than 100 times its chord) is cut as the straight piece
// it practically is; its far-away centre would only carry rounding into the arc words.
constexpr float kFlatArcRatio = 100.0f;

// The point of the arc's circle at `degrees` (DXF angles: counter-clockwise from +X).
PlanePoint PointAtAngle(const EntityRegisters& r, float degrees) {
  return AlongDirection({r.EntX1, r.EntY1}, r.EntRadius, degrees);
}

}  // namespace

float RouteOZ(const EntityRegisters& r, const RouteLayer& layer) {
  return layer.excavation ? -(CodeK(r) + 1) : CodeOZ(r);
}

const RouteCodes& RouteCodes::Of(EntityRegisters& r, const RouteLayer& layer) {
  if (!loaded_ || r.EntLayer != layer_name_ || r.ParamOverride != note_) {
    loaded_ = true;
    layer_name_ = r.EntLayer.str();
    note_ = r.ParamOverride;
    PathSegment& s = ToolData;
    s = PathSegment{};
    s.LayerNumber = layer.number;
    s.ToolDiameter = CodeD(r);
    s.G = GOrOne(r);
    s.Tool = CodeT(r);
    s.ToolText = ToolList(r);
    s.VM = CodeS(r);
    s.VX = CodeF(r);
    s.VZ = CodeFD(r);
    s.FR = CodeFR(r);
    s.LD = CodeLD(r);
    s.RO = CodeRO(r);
    s.RI = CodeRI(r);
    s.CompCode = CompensationWord(r);
    s.OZ = RouteOZ(r, layer);
    s.M = CodeM(r);
    s.ES = CodeES(r);
    FA = CodeFA(r);
    Z = CodeZ(r);
    z_absent_ = r.ZCodeAbsent;
  }
  r.ZCodeAbsent = z_absent_;
  return *this;
}

PathSegment RouteToolData(EntityRegisters& r, const RouteLayer& layer) {
  PathSegment s = layer.codes.Of(r, layer).ToolData;
  if (s.ToolDiameter == 0) s.ToolDiameter = r.EntThickness;
  s.Sequence = r.EntSequence;
  s.DrawingLine = r.EntLine;
  return s;
}

float RouteDepth(EntityRegisters& r, const RouteLayer& layer, float z_coordinate) {
  float z = layer.codes.Of(r, layer).Z;
  if (z == 0) z = std::fabs(r.EntElevation);
  if (z == 0 && r.ZCodeAbsent) z = std::fabs(z_coordinate);
  return z;
}

void RouteLine(EngineContext& c, const RouteLayer& layer) {
  EntityRegisters& r = c.store.Current;
  PathSegment start = RouteToolData(r, layer);
  PathSegment end = start;
  start.X = r.EntX1;
  start.Y = r.EntY1;
  start.Z = RouteDepth(r, layer, r.EntZ1);
  start.SegmentType = -segment::kLine;
  end.X = r.EntX2;
  end.Y = r.EntY2;
  end.Z = RouteDepth(r, layer, r.EntZ2);
  end.SegmentType = segment::kLine;
  c.state.PathList.push_back(start);
  c.state.PathList.push_back(end);
}

// The arc is cut from its DXF end point back to its start point, that is clockwise.
void RouteArc(EngineContext& c, const RouteLayer& layer) {
  EntityRegisters& r = c.store.Current;
  PathSegment start = RouteToolData(r, layer);
  start.VX = layer.codes.FA;
  start.Z = RouteDepth(r, layer, r.EntZ1);
  PathSegment end = start;

  const PlanePoint from = PointAtAngle(r, r.EntEndAngle);
  const PlanePoint to = PointAtAngle(r, r.EntStartAngle);
  start.X = from.X;
  start.Y = from.Y;
  start.SegmentType = -segment::kCentreArc;
  start.CentreX = r.EntX1;
  start.CentreY = r.EntY1;
  end.X = to.X;
  end.Y = to.Y;
  end.SegmentType = segment::kCentreArc;
  end.CentreX = r.EntEndAngle;
  end.CentreY = r.EntStartAngle;

  const float chord = Distance(from, to);
  if (c.state.ArcSubstitution && chord > 0 && r.EntRadius / chord > kFlatArcRatio) {
    start.SegmentType = -segment::kLine;
    end.SegmentType = segment::kLine;
    start.CentreY = 0;
    end.CentreY = 0;
  }
  c.state.PathList.push_back(start);
  c.state.PathList.push_back(end);
}

void RouteCircle(EngineContext& c, const RouteLayer& layer) {
  EntityRegisters& r = c.store.Current;
  CircleRecord circle;
  circle.CentreX = r.EntX1;
  circle.CentreY = r.EntY1;
  // A circle's depth comes from its Z coordinate before its elevation.
  circle.Depth = CodeZ(r);
  if (circle.Depth == 0 && r.ZCodeAbsent) circle.Depth = std::fabs(r.EntZ1);
  if (circle.Depth == 0) circle.Depth = std::fabs(r.EntElevation);
  circle.ToolDiameter = CodeD(r);
  circle.G = GOrOne(r);
  circle.Tool = CodeT(r);
  circle.ToolText = ToolList(r);
  circle.Radius = r.EntRadius;
  circle.LayerNumber = layer.number;
  circle.DrawingLine = r.EntLine;
  circle.Expanded = 0;
  circle.Speed = CodeS(r);
  circle.FA = CodeFA(r);
  circle.FD = CodeFD(r);
  circle.FR = CodeFR(r);
  circle.LD = CodeLD(r);
  circle.RO = CodeRO(r);
  circle.RI = CodeRI(r);
  circle.CompCode = CompensationWord(r);
  circle.Sequence = r.EntSequence;
  circle.M = CodeM(r);
  circle.OZ = RouteOZ(r, layer);
  c.state.CircleList.push_back(circle);
}

}  // namespace mq
