// `marquill400-cli watch [--once] [SWITCH...]`, `batch LISTFILE` and `request "TEXT"`:
// the unattended conversions of the desktop application without its window. `watch`
// runs the auto-start watcher on the settings' DXF source path until it is told to
// stop; SIGINT and SIGTERM end it after the drawing being converted, never while a
// program is being written.

#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_operator.h"
#include "cli/command_help.h"
#include "cli/commands.h"
#include "input/file_paths.h"
#include "output/atomic_file.h"
#include "shell/auto_start_watcher.h"
#include "shell/automatic_run.h"
#include "shell/run_environment.h"
#include "shell/watcher_host.h"

namespace mq::cli {

namespace {

// Set by the signal handler, read between drawings and at ticks. A handler can reach
// nothing but a lock-free atomic at namespace scope.
std::atomic<bool> stop_signalled{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void SignalStop(int) { stop_signalled.store(true); }

void InstallStopHandlers() {
  stop_signalled.store(false);
  std::signal(SIGINT, SignalStop);
  std::signal(SIGTERM, SignalStop);
}

constexpr double kStopCheckSeconds = 0.05;

// Nobody in front of the command line: no window to order, no pause to wait in.
class CommandLineHost : public WatcherHost {
 public:
  bool StopRequested() override { return stop_signalled.load(); }
};

// The tick interval, cut short by a stop signal.
void WaitForNextTick(WatcherHost& host) {
  for (double waited = 0; waited < kWatchIntervalSeconds && !stop_signalled.load();
       waited += kStopCheckSeconds)
    host.Sleep(kStopCheckSeconds);
}

struct AutomaticCommand {
  CommandIo& io;
  Settings settings;
  CliOperator person{io.out, io.err, std::cin, false};
  RunContext run{person};
  CommandLineHost host;

  explicit AutomaticCommand(CommandIo& command_io) : io(command_io) {}

  // The settings, created at the first start; false after telling why they cannot be used.
  bool LoadSettings() {
    if (!LoadCommandSettings(io, settings, true)) return false;
    SetRunEnvironment(run, settings);
    return true;
  }
};

int RunWatch(CommandIo& io, bool once, const std::vector<std::string>& switches) {
  std::string text;
  for (const std::string& word : switches) text += (text.empty() ? "" : " ") + word;
  CommandLine line = ReadCommandLine(text);
  // The switches set the watcher up; unlike the desktop application's command line
  // they ask for no conversion that would end the watcher on its first working tick.
  line.Text.clear();
  if (!line.Request.empty()) {
    io.err << "marquill400-cli: not a switch: " << line.Request << "\n";
    return kExitUsage;
  }
  AutomaticCommand command(io);
  if (!command.LoadSettings()) return kExitUsage;
  if (!FindExistingDirectory(command.settings.DXFPath)) {
    io.err << "marquill400-cli: DXF source directory not found: " << command.settings.DXFPath << "\n";
    return kExitUsage;
  }
  command.run.RestartPartList = line.RestartPartList;
  InstallStopHandlers();
  AutoStartWatcher watcher(line, command.host, once ? WatcherPace::kOnce : WatcherPace::kTimer);
  bool ended = once;
  do {
    ended = watcher.Tick(command.settings, command.run) == WatcherVerdict::kEndProgram || ended;
    if (!ended) WaitForNextTick(command.host);
  } while (!ended && !stop_signalled.load());
  // A watcher told to stop has done what it was started for.
  if (!ended) return kExitOk;
  return watcher.SomethingFailed() ? kExitFailed : kExitOk;
}

int RunBatchListCommand(CommandIo& io, const std::string& list) {
  AutomaticCommand command(io);
  if (!command.LoadSettings()) return kExitUsage;
  const auto found = FindExistingFile(list);
  if (!found) {
    io.err << "marquill400-cli: list not found: " << list << "\n";
    return kExitUsage;
  }
  const std::string text = ReadWholeFile(*found);
  if (text.empty()) return kExitOk;
  InstallStopHandlers();
  AutomaticRun automatic(command.settings, command.run, command.host, CommandLine{});
  const std::string processed = DirectoryPart(*found) + std::string(kProcessedListName);
  automatic.RunList(text, FindExistingFile(processed).value_or(processed));
  return automatic.Failed() ? kExitFailed : kExitOk;
}

int RunRequest(CommandIo& io, const std::string& text) {
  AutomaticCommand command(io);
  if (!command.LoadSettings()) return kExitUsage;
  const CommandLine line = ReadCommandLine(text);
  command.run.RestartPartList = line.RestartPartList;
  return ConvertCommandLineRequest(line, command.settings, command.run, command.host) ? kExitOk : kExitFailed;
}

}  // namespace

void RegisterWatchCommands(CLI::App& app, CommandIo& io) {
  struct Options {
    bool once = false;
    std::vector<std::string> switches;
    std::string list, request;
  };
  auto options = std::make_shared<Options>();

  CLI::App* watch = app.add_subcommand(
      "watch", "Convert TEMP.DXF and BATCH.LST dropped into the DXF source directory, until stopped");
  watch->add_flag("--once", options->once, "Do one tick's work and exit");
  watch->add_option("switches", options->switches,
                    "/S, /K, /V or /A, as on the desktop application's command line");
  watch->add_option("--settings", io.settings_file, "Settings file (MQ400.INI) to use");
  SetCommandHelp(
      *watch,
      {{kRootHelp},
       {kSettingsFileHelp, kParDatHelp,
        "TEMP.DXF  in DXFPath, with AutoStartTemp=True: converted, then deleted",
        "BATCH.LST  in DXFPath, with AutoStartBatch=True or /S: one DRAWING [PROGRAM] per line; read, "
        "deleted, converted",
        "PROC.LST  beside BATCH.LST: the programs written, one per line",
        "PROGRAM, MQ.PNX, NAME.PTS  as written by convert"},
       {"0  stopped by Ctrl+C or SIGTERM (after the drawing being converted); with --once: every drawing "
        "converted",
        "1  with --once: a drawing failed", kUsageExitHelp + std::string(" (also: DXFPath not found)")},
       {"marquill400-cli watch",
        "systemctl --user enable --now marquill400-watch   (the installed service)"}});
  watch->callback([&io, options] { io.exit_status = RunWatch(io, options->once, options->switches); });

  CLI::App* batch =
      app.add_subcommand("batch", "Convert the drawings of a BATCH.LST-style list; PROC.LST beside it");
  batch
      ->add_option("LISTFILE", options->list,
                   "The list: one drawing per line, optionally a blank and a program name")
      ->required();
  batch->add_option("--settings", io.settings_file, "Settings file (MQ400.INI) to use");
  SetCommandHelp(*batch, {{kRootHelp},
                          {kSettingsFileHelp, kParDatHelp, "LISTFILE  left in place",
                           "PROC.LST  beside LISTFILE: the programs written, one per line"},
                          {"0  every drawing converted", "1  a drawing failed", kUsageExitHelp},
                          {"marquill400-cli batch /home/cad/DXF/BATCH.LST"}});
  batch->callback([&io, options] { io.exit_status = RunBatchListCommand(io, options->list); });

  CLI::App* request =
      app.add_subcommand("request", "Convert one request: a drawing, optionally blanks and a program name");
  request->add_option("TEXT", options->request, "The request, as one argument (\"C:\\DXF\\DOOR P0017\")")
      ->required();
  request->add_option("--settings", io.settings_file, "Settings file (MQ400.INI) to use");
  SetCommandHelp(*request, {{kRootHelp},
                            {kSettingsFileHelp, kParDatHelp},
                            {"0  converted", "1  the drawing failed", kUsageExitHelp},
                            {"marquill400-cli request \"/home/cad/DXF/DOOR P0017\""}});
  request->callback([&io, options] { io.exit_status = RunRequest(io, options->request); });
}

}  // namespace mq::cli
