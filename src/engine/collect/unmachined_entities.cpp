// Entities on operation layers that no pass machines (a SPLINE on a route layer, a block
// INSERT on a bore layer, ...) would otherwise vanish from the program without a word:
// the operator is told once per entity type and layer.

#include "engine/collect/unmachined_entities.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/driver/store_scan.h"
#include "input/layer_codes.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// What the passes do with a layer, by its name.
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

// The first five characters of the name (blank padded) occur in `heads`, as the
// second pass tests its bore layers.
bool HeadOccursIn(std::string_view layer, std::string_view heads) {
  std::string head(layer.substr(0, kLayerKeywordLength));
  head.resize(5, ' ');
  std::replace(head.begin(), head.end(), '\0', ' ');
  return Contains(heads, head);
}

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

// Texts are notes and instructions, never operations; a polyline's VERTEX and SEQEND
// records go with their POLYLINE.
bool ReportedByType(std::string_view type) {
  return type != "TEXT" && type != "MTEXT" && type != "VERTEX" && type != "SEQEND";
}

// The layer name as drawn: the two-letter codes that the substitution turned into a
// blank and a marker character are written as letters again.
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

}  // namespace

void ReportUnmachinedEntities(EngineContext& c) {
  std::vector<std::pair<std::string, std::string>> reported;  // (type, layer)
  for (int index = kFirstScanIndex; !ScanEnded(c.store, index); ++index) {
    const DrawingEntity& e = c.store.Entities[static_cast<std::size_t>(index)];
    if (e.IsBlank()) continue;
    const std::string type = EntityTypeName(e);
    if (!ReportedByType(type)) continue;
    const std::string layer = TrimmedLayerName(e);
    const LayerRoles roles = RolesOf(layer);
    if (!roles.Any() || Machined(type, roles)) continue;
    std::pair<std::string, std::string> key{type, layer};
    if (std::find(reported.begin(), reported.end(), key) != reported.end()) continue;
    reported.push_back(key);
    // The first such entity of the layer is named; the others of its kind follow it.
    const std::string where = e.Line > 0 ? "drawing line " + std::to_string(e.Line) + "; " : std::string();
    AddReportLine(c.run, "Not machined: " + type + " on layer " + LayerAsDrawn(layer) + " (" + where +
                             "explode it in the drawing)");
  }
}

}  // namespace mq
