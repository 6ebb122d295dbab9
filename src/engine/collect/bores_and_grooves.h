#pragma once
// The second-pass collection of drilling and sawing geometry, one function per kind of
// entity. CollectBoresAndGrooves picks the one for the entity just loaded.

#include <cstdint>
#include <string_view>

#include "engine/driver/engine_context.h"

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

// A POINT, CIRCLE, LINE or POLYLINE of the bore and groove scan, just loaded; `index`
// is the next record. A POLYLINE's VERTEX records up to SEQEND are loaded here and
// `index` is left after them.
void CollectBoresAndGrooves(EngineContext& c, int& index);

}  // namespace mq
