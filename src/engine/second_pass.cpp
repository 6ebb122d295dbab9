#include "engine/passes.h"

namespace mq {

// Not built yet.
void SecondPass(EngineContext& c) {}

}  // namespace mq
