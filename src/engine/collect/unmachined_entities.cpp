// Entities on operation layers that no pass machines (a SPLINE on a route layer, a block
// INSERT on a bore layer, ...) would otherwise vanish from the program without a word:
// the operator is told once per entity type and layer.

#include "engine/collect/unmachined_entities.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/collect/layer_roles.h"
#include "engine/driver/store_scan.h"

namespace mq {

namespace {

// Texts are notes and instructions, never operations; a polyline's VERTEX and SEQEND
// records go with their POLYLINE.
bool ReportedByType(std::string_view type) {
  return type != "TEXT" && type != "MTEXT" && type != "VERTEX" && type != "SEQEND";
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
    AddWarningLine(c.run, "Not machined: " + type + " on layer " + LayerAsDrawn(layer) + " (" + where +
                             "explode it in the drawing)");
  }
}

}  // namespace mq
