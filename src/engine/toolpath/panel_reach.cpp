#include "engine/toolpath/panel_reach.h"

#include <set>
#include <string>

#include "engine/collect/layer_roles.h"
#include "engine/driver/units.h"
#include "input/plain_text.h"

namespace mq {

namespace {

std::string RouteLayerName(const ConversionState& s, int16_t number) {
  const std::string name = RouteLayerAsDrawn(s, number);
  return name.empty() ? "(a route layer)" : name;
}

bool OffThePanel(const PathSegment& p, float width, float height, float reach) {
  const float margin = p.ToolDiameter + reach;
  const bool off_plan = p.X < -margin || p.X > width + margin || p.Y < -margin || p.Y > height + margin;
  const bool above = p.Z < -margin && p.Z < kNoDepthFrom;
  return off_plan || above;
}

}  // namespace

void WarnAboutMovesOffThePanel(EngineContext& c) {
  const ConversionState& s = c.state;
  const float reach = kPanelReachMillimetres / (s.UnitFactor > 0 ? s.UnitFactor : 1.0f);
  std::set<int16_t> warned;
  for (const PathSegment& p : s.PathList) {
    if (p.SegmentType == segment::kRemoved || !OffThePanel(p, s.PanelWidth(), s.PanelHeight(), reach))
      continue;
    if (!warned.insert(p.LayerNumber).second) continue;
    AddWarningLine(c.run, "Moves leave the panel by more than the tool diameter and 50 mm on layer " +
                              RouteLayerName(s, p.LayerNumber));
  }
}

}  // namespace mq
