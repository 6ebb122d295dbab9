#pragma once
// The conversion engine's entry: the entities of one read drawing become the
// machining lists of one part, handed to the writers.

#include "engine/engine_context.h"

namespace mq {

// Resets c.state and runs the phases in order. Failures are reported through c.run
// (FileFailed, FailedFiles, the report); nothing is thrown for a bad drawing.
void ConvertDrawing(EngineContext& c);

}  // namespace mq
