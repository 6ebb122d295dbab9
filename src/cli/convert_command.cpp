// `marquill400-cli convert DRAWING... [--settings FILE] [--dest DIR] [--restart-part-list] [--jobs N]`:
// converts the drawings one after another as the main window's batch run does, prints
// one report row per drawing and then the failed files.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_operator.h"
#include "cli/commands.h"
#include "input/file_paths.h"
#include "shell/batch_run.h"
#include "shell/run_environment.h"

namespace mq::cli {

namespace {

constexpr int16_t kRunStartedByOperator = -1;  // RunState as the Start button sets it

struct ConvertOptions {
  std::vector<std::string> drawings;  // requests: a path, optionally a blank and a program name
  std::string destination;            // --dest, empty when not given
  bool restart_part_list = false;     // --restart-part-list: the "/A" switch of the command line
  bool strict = false;                // --strict: every warning fails its drawing
  int jobs = 0;                       // --jobs: drawings converted side by side; 0: one per core
};

// A failed drawing's report row, and each warning of the others, go to standard error
// too, so that a script or a log sees them without reading the report.
void TellProblems(std::ostream& err, const RunContext& run, const std::string& row) {
  if (run.FileFailed) {
    err << "marquill400-cli: " << run.DxfFileName << " failed:\n" << row << "\n";
    return;
  }
  for (const std::string& warning : run.Warnings) {
    err << "marquill400-cli: " << run.DxfFileName << ": warning: " << warning << "\n";
  }
}

// The settings of the run with the --dest override; false after telling why they
// cannot be used.
bool LoadSettings(CommandIo& io, const ConvertOptions& options, Settings& settings) {
  if (!LoadCommandSettings(io, settings)) return false;
  if (!options.destination.empty()) {
    if (!FindExistingDirectory(options.destination)) {
      io.err << "marquill400-cli: destination directory not found: " << options.destination << "\n";
      return false;
    }
    settings.DestinationPath = WithClosingSeparator(
        options.destination, static_cast<char>(std::filesystem::path::preferred_separator));
  }
  return true;
}

int RunConvert(CommandIo& io, const ConvertOptions& options) {
  Settings settings;
  if (!LoadSettings(io, options, settings)) return kExitUsage;

  CliOperator person(io.out, io.err, std::cin, StandardInputIsTerminal());
  RunContext run(person);
  SetRunEnvironment(run);
  run.RestartPartList = options.restart_part_list;
  run.Strict = options.strict;
  run.SettingsFile = SettingsFileOf(io).string();
  run.RunState = kRunStartedByOperator;
  run.FileFailed = false;

  OutputLedger ledger;
  BatchSteps steps;
  steps.after_drawing = [&](RunContext& drawing_run) { TellProblems(io.err, drawing_run, person.LastRow()); };
  steps.jobs =
      options.jobs > 0 ? options.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  RunBatch(options.drawings, run, settings, ledger, steps);
  return run.FailedFiles.empty() ? kExitOk : kExitFailed;
}

}  // namespace

void RegisterConvertCommand(CLI::App& app, CommandIo& io) {
  auto options = std::make_shared<ConvertOptions>();
  CLI::App* command = app.add_subcommand("convert", "Convert DXF drawings into PTP400 programs");
  command
      ->add_option("drawings", options->drawings,
                   "Drawings to convert; each may be followed by a blank and the program name, "
                   "as one argument (\"PART1.DXF P0017\")")
      ->required();
  command->add_option("--settings", io.settings_file, "Settings file (MQ400.INI) to use");
  command->add_option("--dest", options->destination,
                      "G code destination directory for this run (overrides the settings)");
  command
      ->add_option("--jobs", options->jobs,
                   "Drawings read and converted side by side (default: one per processor core); "
                   "they are still written one after another, in the order given")
      ->check(CLI::NonNegativeNumber);
  command->add_flag("--restart-part-list", options->restart_part_list,
                    "Start the part list MQ.PNX anew with the run's first drawing (the /A switch)");
  command->add_flag("--strict", options->strict,
                    "Fail every drawing that has a warning, so that nothing unusual reaches the machine");
  command->callback([&io, options] { io.exit_status = RunConvert(io, *options); });
}

}  // namespace mq::cli
