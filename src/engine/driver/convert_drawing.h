#pragma once
// The conversion engine's entry: the entities of one read drawing become the
// machining lists of one part, handed to the writers.

#include "engine/driver/engine_context.h"

namespace mq {

// Resets c.state and runs the phases in order. Failures are reported through c.run
// (FileFailed, FailedFiles, the report); nothing is thrown for a bad drawing.
void ConvertDrawing(EngineContext& c);

// Phases 1 to 15 of ConvertDrawing, for looking at what the engine made of the routes:
// PathList and CircleList are left as contour joining and order finished them (drawing
// coordinates; before the pockets, the geometry passes and the machine corner), and
// nothing is written. False when the conversion ended before: a failure, a user stop,
// or a drawing that asks for no code (its lists are then released).
bool ConvertThroughContourOrder(EngineContext& c);

}  // namespace mq
