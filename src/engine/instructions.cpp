#include "engine/passes.h"

namespace mq {

// Not built yet.
void ScanInstructions(EngineContext& c) {}

// Not built yet.
void MergeSettings(EngineContext& c) {}

// Not built yet.
void HandleTextLayerEntity(EngineContext& c) {}

}  // namespace mq
