#pragma once
// The second scan of the store: drilling and sawing geometry and the special texts.

#include "engine/driver/engine_context.h"

namespace mq {

// Every TEXT on a special layer, every POINT and CIRCLE on a bore layer and every LINE
// and POLYLINE on a groove or horizontal-bore layer, until the end of the store or a
// NO CODE instruction; then the part-name message and the description are reported.
void CollectBoresGroovesAndTexts(EngineContext& c);

}  // namespace mq
