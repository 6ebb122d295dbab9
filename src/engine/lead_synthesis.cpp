#include "engine/passes.h"

namespace mq {

// Not built yet.
void SynthesizeLeads(EngineContext& c) {}

}  // namespace mq
