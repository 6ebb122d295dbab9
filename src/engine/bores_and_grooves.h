#pragma once
// The second-pass collection of drilling and sawing geometry, one function per kind of
// entity. CollectBoresAndGrooves (passes.h) picks the one for the entity just loaded.

#include <cstdint>
#include <string_view>

#include "engine/engine_context.h"

namespace mq {

// Layer tests on the current entity's layer name, against the fixed entries of the
// layer-kind list: 1 "VBORE DRILLING", 2 "GROOVE", 3 "HBORE".
bool OnVerticalBoreLayer(const EngineContext& c);  // first 5 characters occur in entry 1
bool OnEdgeViewBoreLayer(const EngineContext& c);  // first 5 characters occur in entry 3
bool OnGrooveLayer(const EngineContext& c);        // the name contains entry 2
bool OnHBoreLineLayer(const EngineContext& c);     // the name contains entry 3

// The current entity's type, blanks and NULs trimmed, equals `type`.
bool CurrentEntityIs(const EngineContext& c, std::string_view type);

// The "G" parameter of the current entity; a missing or zero G means 1.
int16_t GOrOne(const EntityRegisters& r);
// Feed "F", "G", speed "S" and the tool text of an edge bore, from the current entity.
void SetEdgeBoreTooling(EdgeBoreRecord& bore, const EntityRegisters& r);

// POINT or CIRCLE on a vertical-bore layer: a BoreRecord, or an EdgeBoreRecord for a
// circle drawn on an edge face.
void CollectVerticalBore(EngineContext& c);
// CIRCLE on a horizontal-bore layer, drawn in one of the edge views.
void CollectEdgeViewBore(EngineContext& c);
// LINE or POLYLINE on a groove or horizontal-bore line layer. A POLYLINE's VERTEX records
// are loaded here and `index` is left after the last of them.
void CollectLines(EngineContext& c, int& index);

}  // namespace mq
