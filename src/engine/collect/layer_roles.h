#pragma once
// What the passes do with the entities of a layer, told by the layer's name, and the
// name as the operator drew it: for messages that point at the drawing.

#include <string>
#include <string_view>

#include "engine/driver/conversion_state.h"

namespace mq {

struct LayerRoles {
  bool border = false;     // border outline: LINE, POLYLINE
  bool panel = false;      // panel SOLID
  bool route = false;      // LINE, ARC, POLYLINE, CIRCLE
  bool bore = false;       // vertical bores: POINT, CIRCLE
  bool edge_view = false;  // horizontal bores drawn in an edge view: CIRCLE
  bool bore_line = false;  // horizontal bores drawn as lines: LINE, POLYLINE
  bool groove = false;     // LINE, POLYLINE

  bool Any() const { return border || panel || route || bore || edge_view || bore_line || groove; }
};

LayerRoles RolesOf(std::string_view layer);

// An entity of this type on a layer of these roles is machined (or outlines the panel).
bool Machined(std::string_view type, const LayerRoles& on);

// The layer name as drawn: the two-letter codes that the substitution turned into a
// blank and a marker character are written as letters again.
std::string LayerAsDrawn(std::string layer);

// Route layer `number` (1-based among the route layers) as drawn, trimmed; empty when
// the drawing has no such layer.
std::string RouteLayerAsDrawn(const ConversionState& state, int16_t number);

}  // namespace mq
