#pragma once
// A run over a list of drawing requests, as the main window's Start button, the
// command line and the auto-start watcher make it: every drawing gets its report row,
// a stop request ends the run after the current drawing, and the failed drawings are
// listed at the end.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/driver/settings.h"
#include "input/run_context.h"
#include "output/writer_context.h"

namespace mq {

inline constexpr std::string_view kFailedFilesHeading = "*** The Following files failed to process: ***";

// Seconds the report stays still after each drawing's row, so that an operator can see it.
inline constexpr double kSettleSeconds = 0.3;

// How one drawing is converted: ProcessFile, or ProcessFile run where the front end
// wants it (a window runs it on a worker thread and keeps handling its events).
using ConvertStep = std::function<void(std::string& request, RunContext&, const Settings&, OutputLedger&)>;

// What a front end does for the drawings, between them and after them.
struct BatchSteps {
  // Before each drawing: its place in the list (from 0) and its request, for a progress
  // display.
  std::function<void(std::size_t index, const std::string& request)> before_drawing;
  // Converts one drawing; ProcessFile when not given.
  ConvertStep convert;
  // After a drawing's report row: the window's pause for the operator and the graphic
  // editor. The drawing's outcome is still in run.FileFailed.
  std::function<void(RunContext&)> after_drawing;
  // After the failed files are listed: the binaries step over the written programs.
  std::function<void(RunContext&, const OutputLedger&)> after_run;
  // Drawings read and converted side by side (without a `convert` step of its own); each
  // is still written in turn, so reports and shared files come out as with one.
  int jobs = 1;
};

// Clears the report, the failed files and the ledger (so the first-program flag is set),
// then converts the requests in order. Without requests nothing more happens: no
// failed-files row, no binaries step. run.RunState is the caller's: a request to stop
// (kRunStateStopRequested) ends the run after the drawing being converted, which is then
// listed among the failed files.
void RunBatch(const std::vector<std::string>& requests, RunContext& run, const Settings& settings,
              OutputLedger& ledger, const BatchSteps& steps = {});

// "*** The Following files failed to process: ***" and the failed names, as one report
// row; nothing when no drawing failed.
void ReportFailedFiles(RunContext& run);

}  // namespace mq
