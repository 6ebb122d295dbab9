#pragma once
// Converts one drawing: the request becomes the run variables, the drawing is read
// and, unless the reading failed, converted and written.

#include <string>

#include "engine/driver/engine_context.h"

namespace mq {

// `request` is the drawing path, optionally followed by blanks and a program name
// (C:\DXF\PART1 P0017); on return it holds the trimmed request. The outcome is in
// run.FileFailed and run.FailedFiles; the messages stay pending in run for the
// caller to flush as one report row.
void ProcessFile(std::string& request, RunContext& run, const Settings& settings,
                 ProgramOutput* output);

}  // namespace mq
