// The route pass: every LINE, ARC, POLYLINE and CIRCLE on the top face of a route layer
// becomes path entries (circles become CircleRecords), layer by layer in the order of
// the layer-kind list.

#include "engine/collect/route_pass.h"

#include <algorithm>

#include "engine/collect/route_entities.h"
#include "engine/collect/route_polylines.h"
#include "engine/driver/store_scan.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// Entries of the layer-kind list before the route layers ("BORDER", "VBORE DRILLING",
// "GROOVE", "HBORE").
constexpr std::size_t kFirstRouteLayerKind = 4;

bool DrawnOnSideFace(const DrawingEntity& e) {
  const char face = e.Face[0];
  return face >= '1' && face <= '4';
}

// The entity lies on the route layer. Every route layer name is in the layer-kind list
// as drawn, so the names are compared whole: a layer whose name merely contains another
// route layer's name ("ROUTE T3 D10 L" and "ROUTE T3 D10") would otherwise have its
// entities cut twice, once for each layer.
bool OnLayer(const DrawingEntity& e, const RouteLayer& layer) { return TrimmedLayerName(e) == layer.name; }

// Leaves `index` after the VERTEX and SEQEND records of a POLYLINE that is not routed.
void SkipPolylineRecords(const EntityStore& store, int& index) {
  while (!ScanEnded(store, index)) {
    const std::string type = EntityTypeName(store.Entities[static_cast<std::size_t>(index)]);
    if (type != "VERTEX" && type != "SEQEND") return;
    ++index;
    if (type == "SEQEND") return;
  }
}

// Walks the whole store once for one route layer.
void RouteLayerEntities(EngineContext& c, const RouteLayer& layer) {
  int index = kFirstScanIndex;
  while (!ScanEnded(c.store, index)) {
    const DrawingEntity& e = c.store.Entities[static_cast<std::size_t>(index)];
    const std::string type = EntityTypeName(e);
    const bool routed_type = type == "LINE" || type == "ARC" || type == "CIRCLE" || type == "POLYLINE";
    if (!routed_type || !OnLayer(e, layer)) {
      ++index;
      continue;
    }
    if (DrawnOnSideFace(e)) {
      ++index;
      if (type == "POLYLINE") SkipPolylineRecords(c.store, index);
      continue;
    }
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
  const std::vector<std::string>& kinds = c.state.LayerKinds;
  for (std::size_t k = kFirstRouteLayerKind; k < kinds.size(); ++k) {
    RouteLayer layer;
    layer.name = TrimBlanks(kinds[k]);
    if (layer.name.empty()) continue;
    layer.number = static_cast<int16_t>(k - kFirstRouteLayerKind + 1);
    layer.excavation = Contains(layer.name, "EXCAV");
    RouteLayerEntities(c, layer);
  }
}

void DeleteRemovedSegments(EngineContext& c) {
  std::vector<PathSegment>& path = c.state.PathList.raw();
  path.erase(std::remove_if(path.begin(), path.end(),
                            [](const PathSegment& s) { return s.SegmentType == segment::kRemoved; }),
             path.end());
}

}  // namespace mq
