#pragma once
// The commands of marquill400-cli. Each command file registers its subcommand and
// sets the exit status when it runs.

#include <filesystem>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace mq {
struct Settings;
struct SettingsLocation;
}

namespace mq::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // a drawing failed
constexpr int kExitUsage = 2;   // the command line was wrong

struct CommandIo {
  std::ostream& out;
  std::ostream& err;
  std::string settings_file;  // --settings, empty when not given
  int exit_status = kExitOk;
};

void RegisterInspectCommand(CLI::App& app, CommandIo& io);
void RegisterLayerCommand(CLI::App& app, CommandIo& io);
void RegisterSettingsCommand(CLI::App& app, CommandIo& io);
void RegisterConvertCommand(CLI::App& app, CommandIo& io);
void RegisterPreviewCommand(CLI::App& app, CommandIo& io);
void RegisterWatchCommands(CLI::App& app, CommandIo& io);  // watch, batch, request

// The settings file ("MQ400.INI") of this run: --settings when given, otherwise beside
// the executable in a portable install, otherwise in the user's configuration
// directory. Read it with ReadIniFile and LoadStartupSettings.
std::filesystem::path SettingsFileOf(const CommandIo& io);
// The same file with the rule that chose it.
SettingsLocation LocateSettings(const CommandIo& io);

// The settings a converting command runs with: the file SettingsFileOf names, loaded
// with the load rules (a first start's values when there is no file). With
// `create_at_first_start` (the commands that convert), a missing file that the location
// rule chose is created with those values. False after telling on io.err why they
// cannot be used: the file cannot be read, or the file named by --settings does not
// exist.
bool LoadCommandSettings(CommandIo& io, Settings& settings, bool create_at_first_start = false);

// Parses the arguments and runs the chosen command; returns the exit status.
int Main(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace mq::cli
