#include <ostream>

#include "cli/commands.h"
#include "shell/ini_file.h"
#include "shell/settings_store.h"

namespace mq::cli {

bool LoadCommandSettings(CommandIo& io, Settings& settings, bool create_at_first_start) {
  const SettingsLocation location = LocateSettings(io);
  const std::filesystem::path& file = location.path;
  if (create_at_first_start) {
    const std::string problem = CreateSettingsFileAtFirstStart(location);
    if (!problem.empty()) io.err << "marquill400-cli: the settings file was not created: " << problem << "\n";
  }
  const IniFileRead read = ReadIniFile(file);
  if (!read.problem.empty()) {
    io.err << "marquill400-cli: " << read.problem << "\n";
    return false;
  }
  // A file the operator named must be there; without one, the defaults of a first start.
  if (!io.settings_file.empty() && !read.found) {
    io.err << "marquill400-cli: settings file not found: " << file.string() << "\n";
    return false;
  }
  LoadStartupSettings(read.file, settings);
  return true;
}

}  // namespace mq::cli
