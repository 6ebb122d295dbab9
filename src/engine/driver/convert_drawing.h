#pragma once
// The conversion engine's entry: the entities of one read drawing become the finished
// machining lists of one part. The engine writes nothing; the caller hands the lists to
// the writers.

#include <functional>
#include <string_view>
#include <vector>

#include "engine/driver/engine_context.h"

namespace mq {

enum class ConversionOutcome {
  Failed,        // aborted or stopped: reported, listed among the failed files
  PartListOnly,  // the drawing asked for no code: only its part-list entry is made
  Finished,      // the lists in c.state are ready for the program writer
};

// Resets c.state and runs every pass in order. Failures are reported through c.run
// (FileFailed, FailedFiles, the report); nothing is thrown for a bad drawing.
ConversionOutcome ConvertDrawing(EngineContext& c);

// The same run, telling `after_step` the name of each pass as it ends (for timing
// the passes).
using StepObserver = std::function<void(std::string_view pass)>;
ConversionOutcome ConvertDrawingObserved(EngineContext& c, const StepObserver& after_step);

// The same run, ended after the pass named `last_pass` (one of PassNames()), for
// looking at what the engine made up to there. A run that ends earlier (a failure, or
// a drawing without code) returns as ConvertDrawing would. An unknown name throws
// std::invalid_argument.
ConversionOutcome ConvertDrawingThrough(EngineContext& c, std::string_view last_pass);

// The names of the passes, in the order they run.
std::vector<std::string_view> PassNames();

}  // namespace mq
