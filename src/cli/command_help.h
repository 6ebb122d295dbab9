#pragma once
// The help of a command: what --help prints after the options (environment, files,
// exit status, an example) and, from the same texts, the man page. Each command gives
// its texts where it registers its options, so the two never disagree.

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace mq::cli {

// Each entry is one line: a name, two blanks, what it is ("ROOT  the directory ...").
struct CommandHelp {
  std::vector<std::string> environment;
  std::vector<std::string> files;
  std::vector<std::string> exit_status;
  std::vector<std::string> examples;
};

// The lines several commands share.
extern const char* const kRootHelp;          // the ROOT variable
extern const char* const kSettingsFileHelp;  // MQ400.INI
extern const char* const kParDatHelp;        // Par.DAT
extern const char* const kUsageExitHelp;     // exit status 2

// Sets the command's footer: the sections of `help` that are not empty, each under its
// heading ("Environment:", "Files:", "Exit status:", "Example:").
void SetCommandHelp(CLI::App& command, const CommandHelp& help);

// The man page of the program in troff: its description, the global options, then each
// visible command with its usage, description, options and footer.
void WriteManPage(std::ostream& out, const CLI::App& app, const std::string& version);

}  // namespace mq::cli
