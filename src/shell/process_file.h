#pragma once
// Converts one drawing: the request becomes the run variables, the drawing is read,
// converted and, unless something failed, written.

#include <string>

#include "engine/driver/conversion_state.h"
#include "engine/driver/convert_drawing.h"
#include "engine/driver/settings.h"
#include "input/run_context.h"
#include "output/writer_context.h"

namespace mq {

// `request` is the drawing path, optionally followed by blanks and a program name
// (C:\DXF\PART1 P0017); on return it holds the trimmed request. The outcome is in
// run.FileFailed and run.FailedFiles; the messages stay pending in run for the
// caller to flush as one report row. Nothing a conversion throws leaves this call:
// such a drawing fails with a report line and the batch goes on.
void ProcessFile(std::string& request, RunContext& run, const Settings& settings, OutputLedger& ledger);

// ProcessFile in two halves, so that drawings can be read and converted side by side
// and still be written one after another. The first half writes nothing and reads
// nothing of the run but its environment; its report lines and failures go to `run`
// as ProcessFile's do.
struct PreparedDrawing {
  ConversionState state;
  ConversionOutcome outcome = ConversionOutcome::Failed;  // Failed: nothing to write
};
PreparedDrawing PrepareDrawing(std::string& request, RunContext& run, const Settings& settings);
void WritePreparedDrawing(PreparedDrawing& drawing, RunContext& run, const Settings& settings,
                          OutputLedger& ledger);

}  // namespace mq
