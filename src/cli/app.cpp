#include <CLI/CLI.hpp>
#include <exception>
#include <fstream>
#include <memory>
#include <new>
#include <ostream>
#include <string>

#include "cli/command_help.h"
#include "cli/commands.h"
#include "marquill400_version.h"

namespace mq::cli {

namespace {

// The names of the commands a person can type, for the error that names a wrong one.
std::string CommandNames(const CLI::App& app) {
  std::string names;
  for (const CLI::App* command :
       app.get_subcommands([](const CLI::App* c) { return !c->get_group().empty(); }))
    names += (names.empty() ? "" : ", ") + command->get_name();
  return names;
}

bool IsCommand(const CLI::App& app, const std::string& word) {
  return !app.get_subcommands([&word](const CLI::App* c) { return c->check_name(word); }).empty();
}

// The first word that is neither an option nor the value of --settings: the command.
// Empty when there is none.
std::string CommandWord(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--settings") {
      ++i;
    } else if (word.empty() || word[0] != '-') {
      return word;
    }
  }
  return {};
}

// `help-man [-o FILE]`: the man page, written by the build from the help texts.
void RegisterManPageCommand(CLI::App& app, CommandIo& io) {
  auto file = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("help-man", "Write the man page in troff");
  command->group("");
  command->add_option("-o,--output", *file, "The file to write (standard output when not given)");
  command->callback([&app, &io, file] {
    if (file->empty()) {
      WriteManPage(io.out, app, kMarquillVersion);
      return;
    }
    std::ofstream out(*file, std::ios::binary);
    WriteManPage(out, app, kMarquillVersion);
    if (!out.flush()) {
      io.err << "marquill400-cli: cannot write " << *file << "\n";
      io.exit_status = kExitFailed;
    }
  });
}

const CommandHelp kProgramHelp{
    {kRootHelp},
    {kSettingsFileHelp, kParDatHelp},
    {"0  done: every drawing converted", "1  a drawing failed (listed at the end and on standard error)",
     kUsageExitHelp},
    {"marquill400-cli convert SIDE.DXF \"DOOR.DXF P0017\" --dest /srv/ptp400/",
     "marquill400-cli convert --help"}};

}  // namespace

int Main(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"DXF drawings of cabinet panels into PTP400 programs", "marquill400-cli"};
  app.require_subcommand(1);
  // "/S", "/K", "/V", "/A" are the watcher's switches and "C:/CAD/SIDE.DXF" a drawing on
  // every system: never options, also where CLI11 would read "/X" the Windows way.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", std::string("marquill400-cli ") + kMarquillVersion,
                       "Print the version and exit");
  CommandIo io{out, err, {}, kExitOk};
  app.add_option("--settings", io.settings_file, "Settings file (MQ400.INI) to use");
  SetCommandHelp(app, kProgramHelp);

  RegisterConvertCommand(app, io);
  RegisterWatchCommands(app, io);
  RegisterPreviewCommand(app, io);
  RegisterSettingsCommand(app, io);
  RegisterInspectCommand(app, io);
  RegisterLayerCommand(app, io);
  RegisterManPageCommand(app, io);

  const std::string command = CommandWord(argc, argv);
  if (!command.empty() && !IsCommand(app, command)) {
    err << "marquill400-cli: unknown command \"" << command << "\"; the commands are " << CommandNames(app)
        << "\nRun with --help for usage.\n";
    return kExitUsage;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp& e) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << "\n";
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    err << "marquill400-cli: "
        << (command.empty() ? "no command given; the commands are " + CommandNames(app)
                            : std::string(e.what()))
        << "\nRun with --help for usage.\n";
    return kExitUsage;
  } catch (const std::bad_alloc&) {
    // Conversions catch their own failures; this is the last stop for a command that
    // ran out of memory outside one (inspect on a huge file).
    err << "marquill400-cli: not enough memory\n";
    return kExitFailed;
  } catch (const std::exception& e) {
    err << "marquill400-cli: " << e.what() << "\n";
    return kExitFailed;
  }
  return io.exit_status;
}

}  // namespace mq::cli
