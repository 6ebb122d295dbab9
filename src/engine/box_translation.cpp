#include "engine/passes.h"

namespace mq {

// Not built yet.
void TranslateToBoxes(EngineContext& c) {}

}  // namespace mq
