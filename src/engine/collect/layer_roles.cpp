#include "engine/collect/layer_roles.h"

#include <algorithm>
#include <utility>

#include "input/layer_codes.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// The first five characters of the name (blank padded) occur in `heads`, as the
// second pass tests its bore layers.
bool HeadOccursIn(std::string_view layer, std::string_view heads) {
  std::string head(layer.substr(0, kLayerKeywordLength));
  head.resize(5, ' ');
  std::replace(head.begin(), head.end(), '\0', ' ');
  return Contains(heads, head);
}

}  // namespace

LayerRoles RolesOf(std::string_view layer) {
  LayerRoles roles;
  roles.border = Contains(layer, "BORDER");
  roles.panel = Contains(layer, "PANEL");
  roles.route = Contains(layer, "ROUT") || Contains(layer, "ROTAR") || Contains(layer, "EXCAV");
  roles.bore = HeadOccursIn(layer, "VBORE DRILLING");
  roles.edge_view = HeadOccursIn(layer, "HBORE");
  roles.bore_line = Contains(layer, "HBORE");
  roles.groove = Contains(layer, "GROOVE");
  return roles;
}

bool Machined(std::string_view type, const LayerRoles& on) {
  if (type == "LINE") return on.border || on.route || on.bore_line || on.groove;
  if (type == "POLYLINE") return on.border || on.route || on.bore_line || on.groove;
  if (type == "ARC") return on.route;
  if (type == "CIRCLE") return on.route || on.bore || on.edge_view;
  if (type == "POINT") return on.bore;
  if (type == "SOLID") return on.panel;
  return false;
}

std::string LayerAsDrawn(std::string layer) {
  static constexpr std::pair<char, std::string_view> kCodes[] = {
      {code_char::FA, "FA"}, {code_char::FD, "FD"}, {code_char::FR, "FR"},
      {code_char::LD, "LD"}, {code_char::RO, "RO"}, {code_char::RI, "RI"},
      {code_char::PD, "PD"}, {code_char::ES, "ES"}, {code_char::OZ, "OZ"}};
  for (std::size_t i = 1; i < layer.size(); ++i) {
    if (layer[i - 1] != ' ') continue;
    for (const auto& [marker, letters] : kCodes) {
      if (layer[i] == marker) {
        layer.replace(i - 1, 2, letters);
        break;
      }
    }
  }
  return layer;
}

std::string RouteLayerAsDrawn(const ConversionState& state, int16_t number) {
  const int kind = kFirstRouteLayerKind + number - 1;
  if (number < 1 || kind >= static_cast<int>(state.LayerKinds.size())) return {};
  return LayerAsDrawn(TrimBlanks(state.LayerKinds[static_cast<std::size_t>(kind)]));
}

}  // namespace mq
