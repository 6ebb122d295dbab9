#pragma once
// The drawing's instructions merged with the operator's settings.

#include "engine/driver/engine_context.h"

namespace mq {

// The effective lead length, ramp height, leads, ramps, border-route removal and
// program offset: a stated instruction wins over the setting.
void MergeSettings(EngineContext& c);

}  // namespace mq
