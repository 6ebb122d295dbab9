#pragma once
// The LAYER and COLOR instructions: entities moved to the layer the drawing names.

#include "engine/driver/engine_context.h"

namespace mq {

// The layer and colour aliases applied to every entity, then the two-letter codes of
// the layer names replaced.
void ApplyAliases(EngineContext& c);

}  // namespace mq
