#include "engine/drawing/route_layers_and_border.h"

#include <algorithm>

#include "engine/drawing/border_collection.h"
#include "engine/driver/store_scan.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// Layer names that mark routed contours (routes, rotary routes, excavations).
constexpr std::string_view kRouteLayerMarks[] = {"ROUT", "ROTAR", "EXCAV"};

bool IsRouteLayer(std::string_view layer) {
  return std::any_of(std::begin(kRouteLayerMarks), std::end(kRouteLayerMarks),
                     [&](std::string_view mark) { return Contains(layer, mark); });
}

void AddRouteLayerKind(ConversionState& s, const std::string& layer) {
  if (std::find(s.LayerKinds.begin(), s.LayerKinds.end(), layer) == s.LayerKinds.end()) {
    s.LayerKinds.push_back(layer);
  }
}

}  // namespace

void CollectRouteLayersAndBorder(EngineContext& c) {
  std::string last_layer_looked_up;  // consecutive entities of one layer are looked up once
  int index = kFirstScanIndex;
  while (!ScanEnded(c.store, index)) {
    const std::string layer = TrimmedLayerName(c.store.Entities[static_cast<std::size_t>(index)]);
    if (layer != last_layer_looked_up && IsRouteLayer(layer)) {
      AddRouteLayerKind(c.state, layer);
      last_layer_looked_up = layer;
    }
    c.Load(index);
    CollectBorderEntity(c, index);
    if (c.run.FileFailed) return;
  }
}

}  // namespace mq
