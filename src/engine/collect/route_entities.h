#pragma once
// The route pass, one function per kind of entity: each turns the entity just loaded
// into PathSegment entries (or a CircleRecord) with the tool data of its layer name.

#include <cstdint>
#include <string>

#include "engine/driver/engine_context.h"

namespace mq {

// A route layer as the route pass walks it: its name in the layer-kind list and its
// number among the route layers (1-based), which every entry of its contours carries.
struct RouteLayer {
  std::string name;
  int16_t number = 0;
  bool excavation = false;  // an EXCAV layer: OZ carries the pocket pitch instead
};

// The tool data of the current entity that every entry of a route carries: layer
// number, diameter ("D", else the entity's thickness), G, tool, speed, feed "F", FD, FR,
// LD, RO, RI, compensation, sequence, OZ (or the EXCAV pitch), M and ES.
PathSegment RouteToolData(EntityRegisters& r, const RouteLayer& layer);
// OZ of a route entry: the OZ parameter, or -(K + 1) on an EXCAV layer (the pocket
// pass reads the pitch K back from it).
float RouteOZ(const EntityRegisters& r, const RouteLayer& layer);

// Depth of a LINE or ARC end: "Z"; else the elevation; else, when the layer gives no Z
// at all, the Z coordinate of that end.
float RouteDepth(EntityRegisters& r, float z_coordinate);

// LINE, ARC, CIRCLE: the entity just loaded.
void RouteLine(EngineContext& c, const RouteLayer& layer);
void RouteArc(EngineContext& c, const RouteLayer& layer);
void RouteCircle(EngineContext& c, const RouteLayer& layer);

}  // namespace mq
