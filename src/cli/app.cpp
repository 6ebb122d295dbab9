#include <CLI/CLI.hpp>

#include <exception>
#include <new>
#include <ostream>

#include "cli/commands.h"

namespace mq::cli {

int Main(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"Marquill400: DXF drawings of cabinet panels into PTP400 programs",
               "marquill400-cli"};
  app.require_subcommand(1);
  CommandIo io{out, err, {}, kExitOk};
  app.add_option("--settings", io.settings_file, "Settings file (MQ400.INI) to use");

  RegisterInspectCommand(app, io);
  RegisterLayerCommand(app, io);
  RegisterSettingsCommand(app, io);
  RegisterConvertCommand(app, io);
  RegisterPreviewCommand(app, io);
  RegisterWatchCommands(app, io);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp& e) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    err << "marquill400-cli: " << e.what() << "\n" << "Run with --help for usage.\n";
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
