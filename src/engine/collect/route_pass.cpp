// The route pass: every LINE, ARC, POLYLINE and CIRCLE on the top face of a route layer
// becomes path entries (circles become CircleRecords), layer by layer in the order of
// the layer-kind list.

#include "engine/collect/route_pass.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/collect/route_entities.h"
#include "engine/collect/route_polylines.h"
#include "engine/driver/store_scan.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// Entries of the layer-kind list before the route layers ("BORDER", "VBORE DRILLING",
// "GROOVE", "HBORE").

bool DrawnOnSideFace(const DrawingEntity& e) {
  const char face = e.Face[0];
  return face >= '1' && face <= '4';
}

bool RoutedType(const std::string& type) {
  return type == "LINE" || type == "ARC" || type == "CIRCLE" || type == "POLYLINE";
}

// The routed entities of the store (LINE, ARC, CIRCLE, POLYLINE up to an EOF record) by
// layer name, each list in store order: one walk of the store instead of one per layer.
// Every route layer name is in the layer-kind list as drawn, so the names are compared
// whole: a layer whose name merely contains another route layer's name ("ROUTE T3 D10 L"
// and "ROUTE T3 D10") would otherwise have its entities cut twice.
std::unordered_map<std::string, std::vector<int>> RoutedEntitiesByLayer(const EntityStore& store) {
  std::unordered_map<std::string, std::vector<int>> by_layer;
  for (int index = kFirstScanIndex; !ScanEnded(store, index); ++index) {
    const DrawingEntity& e = store.Entities[static_cast<std::size_t>(index)];
    if (RoutedType(EntityTypeName(e))) by_layer[TrimmedLayerName(e)].push_back(index);
  }
  return by_layer;
}

// The entities of one route layer, in store order. A POLYLINE takes its VERTEX and
// SEQEND records along; those are never routed entities themselves.
void RouteLayerEntities(EngineContext& c, const RouteLayer& layer, const std::vector<int>& entities) {
  for (int index : entities) {
    const DrawingEntity& e = c.store.Entities[static_cast<std::size_t>(index)];
    if (DrawnOnSideFace(e)) continue;
    const std::string type = EntityTypeName(e);
    // Each LINE, ARC and CIRCLE is an operation of its own: a note placed on one of its
    // end points may give it its parameters.
    if (type != "POLYLINE") c.store.Current.NoteMatchPending = true;
    c.Load(index, layer.name);
    if (type == "LINE") {
      RouteLine(c, layer);
    } else if (type == "ARC") {
      RouteArc(c, layer);
    } else if (type == "CIRCLE") {
      RouteCircle(c, layer);
    } else {
      RoutePolyline(c, layer, index);
    }
  }
}

}  // namespace

void RoutePass(EngineContext& c) {
  const std::unordered_map<std::string, std::vector<int>> by_layer = RoutedEntitiesByLayer(c.store);
  const std::vector<std::string>& kinds = c.state.LayerKinds;
  for (std::size_t k = kFirstRouteLayerKind; k < kinds.size(); ++k) {
    RouteLayer layer;
    layer.name = TrimBlanks(kinds[k]);
    if (layer.name.empty()) continue;
    layer.number = static_cast<int16_t>(k - kFirstRouteLayerKind + 1);
    layer.excavation = Contains(layer.name, "EXCAV");
    const auto entities = by_layer.find(layer.name);
    if (entities != by_layer.end()) RouteLayerEntities(c, layer, entities->second);
  }
}

void DeleteRemovedSegments(EngineContext& c) {
  std::vector<PathSegment>& path = c.state.PathList.raw();
  path.erase(std::remove_if(path.begin(), path.end(),
                            [](const PathSegment& s) { return s.SegmentType == segment::kRemoved; }),
             path.end());
}

}  // namespace mq
