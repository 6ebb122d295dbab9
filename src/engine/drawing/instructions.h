#pragma once
// The drawing instructions: TEXT statements on the instruction layer that override the
// settings for one drawing, name its layers and colours after others, and place notes.

#include "engine/driver/engine_context.h"

namespace mq {

// Every TEXT on the instruction layer read as a statement, then the layer and colour
// aliases applied. Runs only when the reader found the instruction title.
void ScanInstructions(EngineContext& c);

}  // namespace mq
