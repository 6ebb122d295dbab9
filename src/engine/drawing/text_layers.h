#pragma once
// TEXT entities on the special text layers: program name, description, kept notes.

#include "engine/driver/engine_context.h"

namespace mq {

// A TEXT entity of the bore and groove scan, just loaded, on a special layer.
void HandleTextLayerEntity(EngineContext& c);

}  // namespace mq
