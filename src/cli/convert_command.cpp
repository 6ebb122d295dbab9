// `marquill400-cli convert DRAWING...`: converts the drawings one after another as the
// main window's batch run does, prints one report row per drawing and then the failed
// files; or, for scripts, nothing (--quiet) or one JSON object per drawing (--json).

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_operator.h"
#include "cli/command_help.h"
#include "cli/commands.h"
#include "cli/json_values.h"
#include "cli/progress_line.h"
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
  bool quiet = false;                 // --quiet: no report on standard output
  bool json = false;                  // --json: one JSON object per drawing instead of the report
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

std::vector<std::string> LinesOf(const std::string& row) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < row.size()) {
    const std::size_t end = std::min(row.find('\n', start), row.size());
    if (end > start) lines.push_back(row.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// One drawing for --json: its name, the programs stored for it (every portion), the
// lines of its report row, its warnings and whether it failed.
Json DrawingJson(const RunContext& run, const std::string& row, const OutputLedger& ledger,
                 int programs_before) {
  Json json;
  json["name"] = JsonText(run.DxfFileName);
  json["programs"] = Json::array();
  for (int k = programs_before + 1; k <= ledger.WrittenPrograms.size(); ++k)
    json["programs"].push_back(JsonText(ledger.WrittenPrograms[k]));
  json["messages"] = Json::array();
  for (const std::string& line : LinesOf(row)) json["messages"].push_back(JsonText(line));
  json["warnings"] = Json::array();
  for (const std::string& warning : run.Warnings) json["warnings"].push_back(JsonText(warning));
  json["failed"] = run.FileFailed;
  return json;
}

// The settings of the run with the --dest override; false after telling why they
// cannot be used.
bool LoadSettings(CommandIo& io, const ConvertOptions& options, Settings& settings) {
  if (!LoadCommandSettings(io, settings, true)) return false;
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

  ProgressLine progress(io.err, StandardErrorIsTerminal());
  CliOperator person(io.out, io.err, std::cin, StandardInputIsTerminal());
  person.ShowProgressOn(progress);
  if (options.quiet || options.json) person.HideReport();
  RunContext run(person);
  SetRunEnvironment(run, settings);
  run.RestartPartList = options.restart_part_list;
  run.Strict = options.strict;
  run.SettingsFile = SettingsFileOf(io).string();
  run.RunState = kRunStartedByOperator;
  run.FileFailed = false;

  OutputLedger ledger;
  int programs_before = 0;
  BatchSteps steps;
  steps.before_drawing = [&](std::size_t index, const std::string& request) {
    programs_before = ledger.WrittenPrograms.size();
    progress.StartDrawing(index + 1, options.drawings.size(), request);
  };
  steps.after_drawing = [&](RunContext& drawing_run) {
    progress.Clear();
    TellProblems(io.err, drawing_run, person.LastRow());
    if (options.json)
      io.out << DrawingJson(drawing_run, person.LastRow(), ledger, programs_before).dump() << std::endl;
  };
  steps.jobs =
      options.jobs > 0 ? options.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  RunBatch(options.drawings, run, settings, ledger, steps);
  progress.Clear();
  return run.FailedFiles.empty() ? kExitOk : kExitFailed;
}

const CommandHelp kConvertHelp{
    {kRootHelp},
    {"DRAWING.DXF  read; \".DXF\" is added to a name without it, and a name differing only in case is found",
     kSettingsFileHelp, kParDatHelp,
     "PROGRAM  each program (NAME1, NAME2, ... when longer than LineLimit) in the G code destination "
     "directory (--dest, else DestinationPath); with DirectorySystem=1 NAME.SRG under the letter "
     "directory of the PTP400 directory system, and its INDEX.IND",
     "MQ.PNX  the part list beside the drawings, one line per program",
     "NAME.PTS  the part list of [PTSDATA] Path and Name, when the drawing's PTS instructions give values",
     "PNAME.DAT  beside marquill400-cli: the last program name (directory system)"},
    {"0  every drawing converted", "1  a drawing failed: its block also goes to standard error",
     kUsageExitHelp},
    {"marquill400-cli convert /home/cad/DXF/*.DXF --dest /srv/ptp400/",
     "marquill400-cli convert \"C:\\DXF\\DOOR P0017\" --json > report.jsonl"}};

}  // namespace

void RegisterConvertCommand(CLI::App& app, CommandIo& io) {
  auto options = std::make_shared<ConvertOptions>();
  CLI::App* command = app.add_subcommand(
      "convert",
      "Convert DXF drawings into PTP400 programs, one after another. The report prints on standard\n"
      "output: each drawing's program name and messages, then the failed files. Warnings and failed\n"
      "drawings also go to standard error, and so does a progress line when it is a terminal.");
  command
      ->add_option("drawings", options->drawings,
                   "Drawings to convert; each may be followed by a blank and the program name, as one "
                   "argument (\"PART1.DXF P0017\"); without one the program takes the drawing's name")
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
  CLI::Option* quiet = command->add_flag("--quiet", options->quiet,
                                         "Print no report; failures and warnings still go to standard error");
  command
      ->add_flag("--json", options->json,
                 "Instead of the report, one JSON object per drawing and line: name, programs (written), "
                 "messages (its report lines), warnings, failed")
      ->excludes(quiet);
  SetCommandHelp(*command, kConvertHelp);
  command->callback([&io, options] { io.exit_status = RunConvert(io, *options); });
}

}  // namespace mq::cli
