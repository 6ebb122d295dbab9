#pragma once
// The commands of marquill400-cli. Each command file registers its subcommand and
// sets the exit status when it runs.

#include <iosfwd>
#include <string>

namespace CLI {
class App;
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

// Parses the arguments and runs the chosen command; returns the exit status.
int Main(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace mq::cli
