#include "engine/passes.h"

namespace mq {

// Not built yet.
void ReadBorderLayerCodes(EngineContext& c) {}

// Not built yet.
void EvaluateBorder(EngineContext& c) {}

// Not built yet.
void TransformToMachineCorner(EngineContext& c) {}

}  // namespace mq
