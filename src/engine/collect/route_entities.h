#pragma once
// The route pass, one function per kind of entity: each turns the entity just loaded
// into PathSegment entries (or a CircleRecord) with the tool data of its layer name.

#include <cstdint>
#include <string>

#include "engine/driver/engine_context.h"

namespace mq {

struct RouteLayer;

// The values a route entity takes from the codes of its layer name, or of the note
// placed on it. Reading them is most of the route pass's work, and runs of entities
// share them (a polyline's vertices always do), so they are read again only when the
// layer name or the note text differs from the last entity's.
class RouteCodes {
 public:
  // The codes of the current entity; sets r.ZCodeAbsent as reading "Z" does.
  const RouteCodes& Of(EntityRegisters& r, const RouteLayer& layer);

  PathSegment ToolData;  // without the entity's own thickness and sequence number
  float FA = 0;
  float Z = 0;

 private:
  bool loaded_ = false;
  bool z_absent_ = true;
  std::string layer_name_, note_;
};

// A route layer as the route pass walks it: its name in the layer-kind list and its
// number among the route layers (1-based), which every entry of its contours carries.
struct RouteLayer {
  std::string name;
  int16_t number = 0;
  bool excavation = false;   // an EXCAV layer: OZ carries the pocket pitch instead
  mutable RouteCodes codes;  // of the entity last routed on this layer
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
float RouteDepth(EntityRegisters& r, const RouteLayer& layer, float z_coordinate);

// LINE, ARC, CIRCLE: the entity just loaded.
void RouteLine(EngineContext& c, const RouteLayer& layer);
void RouteArc(EngineContext& c, const RouteLayer& layer);
void RouteCircle(EngineContext& c, const RouteLayer& layer);

}  // namespace mq
