#include "shell/settings_file.h"

namespace mq {

std::string UpdateSettingsFile(const std::filesystem::path& path,
                               const std::function<void(IniFile&)>& change) {
  IniFileRead read = ReadIniFile(path);
  if (!read.problem.empty()) return read.problem;
  change(read.file);
  return WriteIniFile(path, read.file);
}

}  // namespace mq
