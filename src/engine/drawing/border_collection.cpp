#include "engine/drawing/border_collection.h"

#include <cmath>

#include "engine/drawing/part_border.h"
#include "engine/driver/store_scan.h"
#include "input/layer_codes.h"
#include "input/plain_text.h"

namespace mq {

namespace {

constexpr std::string_view kPanelNotFound = "Part BORDER or PANEL Layer NOT Found!!!";
constexpr int16_t kSkippedPolylineFlags = 4;  // a border POLYLINE with these flags is not read

bool CurrentLayerContains(const EngineContext& c, std::string_view mark) {
  return Contains(c.store.Current.EntLayer.view(), mark);
}

// The thickness a border entity gives when its layer states no depth: its own
// thickness, else the height of its first point.
float FallbackThickness(const EntityRegisters& r) {
  return r.EntThicknessAsRead != 0 ? r.EntThicknessAsRead : std::fabs(r.EntZ1);
}

bool AlreadyCollected(const ConversionState& s, float x, float y) {
  const float tolerance = s.CoincidenceTolerance;
  for (const BorderPoint& p : s.BorderPoints) {
    if (std::fabs(p.X - x) <= tolerance && std::fabs(p.Y - y) <= tolerance) return true;
  }
  return false;
}

// One border point of the entity just loaded.
void CollectPoint(EngineContext& c, float x, float y, float fallback_thickness) {
  ConversionState& s = c.state;
  WidenBox(s.PartExtents[kPanelBox], x, y);
  const float depth = CodeZ(c.store.Current);
  s.PartThickness = depth != 0 ? depth : fallback_thickness;
  if (!AlreadyCollected(s, x, y)) s.BorderPoints.push_back(BorderPoint{x, y});
}

void CollectLine(EngineContext& c) {
  const EntityRegisters& r = c.store.Current;
  const float fallback = FallbackThickness(r);
  const float x2 = r.EntX2, y2 = r.EntY2;
  CollectPoint(c, r.EntX1, r.EntY1, fallback);
  CollectPoint(c, x2, y2, fallback);
}

// The VERTEX records after the POLYLINE just loaded, each one point (its start point).
void CollectPolyline(EngineContext& c, int& index) {
  if (c.store.Current.EntFlags == kSkippedPolylineFlags) return;
  while (!ScanEnded(c.store, index) &&
         EntityTypeName(c.store.Entities[static_cast<std::size_t>(index)]) == "VERTEX") {
    c.Load(index);
    const EntityRegisters& r = c.store.Current;
    CollectPoint(c, r.EntX1, r.EntY1, FallbackThickness(r));
  }
}

// A SOLID on a PANEL layer is the panel: corners 1 and 2 give X, corners 1 and 3 give Y.
void CollectPanelSolid(EngineContext& c) {
  const EntityRegisters& r = c.store.Current;
  ExtentBox& box = c.state.PartExtents[kPanelBox];
  // The third corner's Y is stored unscaled; the first corner's is scaled on loading.
  const float third_y = r.EntStartAngle * c.state.DrawingScale;
  box.MinX = std::fmin(r.EntX1, r.EntX2);
  box.MaxX = std::fmax(r.EntX1, r.EntX2);
  box.MinY = std::fmin(r.EntY1, third_y);
  box.MaxY = std::fmax(r.EntY1, third_y);
  MeasureBox(box);
  c.state.PartThickness = r.EntThickness;
  if (box.Width * box.Height == 0) {
    AbortConversion(c, {kPanelNotFound});
    return;
  }
  box.Present = true;
  c.state.PanelFound = true;
}

}  // namespace

void CollectBorderEntity(EngineContext& c, int& index) {
  const std::string type = c.store.Current.EntType.trimmed();
  if (type == "SOLID") {
    if (CurrentLayerContains(c, kPanelLayerMark)) CollectPanelSolid(c);
    return;
  }
  if (!CurrentLayerContains(c, c.state.LayerKinds.at(0))) return;
  if (type == "LINE") {
    CollectLine(c);
  } else if (type == "POLYLINE") {
    CollectPolyline(c, index);
  }
}

}  // namespace mq
