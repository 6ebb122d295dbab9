#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/commands.h"

namespace mq::cli {

// Not built yet.
void RegisterConvertCommand(CLI::App& app, CommandIo& io) {
  app.add_subcommand("convert", "(not built yet)")->callback([&io] {
    io.err << "marquill400-cli: convert is not built yet\n";
    io.exit_status = kExitUsage;
  });
}

}  // namespace mq::cli
