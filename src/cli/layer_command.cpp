#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/commands.h"

namespace mq::cli {

// Not built yet.
void RegisterLayerCommand(CLI::App& app, CommandIo& io) {
  app.add_subcommand("layer", "(not built yet)")->callback([&io] {
    io.err << "marquill400-cli: layer is not built yet\n";
    io.exit_status = kExitUsage;
  });
}

}  // namespace mq::cli
