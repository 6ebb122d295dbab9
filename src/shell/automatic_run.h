#pragma once
// The conversions nobody starts by hand: a drawing dropped as TEMP.DXF, the drawings of
// a BATCH.LST, and the request on the converter's command line. Each runs as the main
// window's batch run does (report cleared, failed files listed), and after each drawing
// the operator may be asked to read its messages and the graphic editor may show it.

#include <string>
#include <string_view>
#include <utility>

#include "engine/driver/settings.h"
#include "input/run_context.h"
#include "output/writer_context.h"
#include "shell/command_line_switches.h"
#include "shell/watcher_host.h"

namespace mq {

inline constexpr std::string_view kProcessedListName = "PROC.LST";

class AutomaticRun {
 public:
  AutomaticRun(const Settings& settings, RunContext& run, WatcherHost& host, CommandLine command_line)
      : settings_(settings), run_(run), host_(host), command_line_(std::move(command_line)) {}

  // The drawing at `path` into the destination path, the window on top meanwhile; the
  // drawing is deleted once converted, whatever the outcome.
  void ConvertDroppedDrawing(const std::string& path);

  // Every line of a batch list (see ParseBatchList) in order, each program into its own
  // directory; then the names of the programs, one per line, into `processed_list_path`
  // (replaced), the failed files and the binaries step.
  void RunList(std::string_view text, const std::string& processed_list_path);

  // True when a drawing of this run failed.
  bool Failed() const { return failed_; }

 private:
  void Prepare();
  // After each drawing: its report row, the pause, the window to the bottom and the
  // graphic editor on `program_directory` when the drawing gave a program.
  void FinishDrawing(const std::string& program_directory, int programs_before);

  const Settings& settings_;
  RunContext& run_;
  WatcherHost& host_;
  const CommandLine command_line_;
  OutputLedger ledger_;
  bool failed_ = false;
};

// The request of the command line (its words that are not switches), converted with the
// window on top, without a pause or the graphic editor; the program ends after it. A
// command line of switches alone converts nothing. True when nothing failed.
bool ConvertCommandLineRequest(const CommandLine& command_line, const Settings& settings, RunContext& run,
                               WatcherHost& host);

}  // namespace mq
