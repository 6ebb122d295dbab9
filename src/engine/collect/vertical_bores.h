#pragma once
// Vertical bores: POINTs and CIRCLEs on a VBORE or DRILL layer.

#include "engine/driver/engine_context.h"

namespace mq {

// POINT or CIRCLE on a vertical-bore layer: a BoreRecord, or an EdgeBoreRecord for a
// circle drawn on an edge face.
void CollectVerticalBore(EngineContext& c);

}  // namespace mq
