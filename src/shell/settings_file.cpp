#include "shell/settings_file.h"

#include "output/shared_file.h"

namespace mq {

std::string UpdateSettingsFile(const std::filesystem::path& path,
                               const std::function<void(IniFile&)>& change) {
  std::string problem;
  const std::filesystem::path target = SettingsFileTarget(path, problem);
  if (!problem.empty()) return problem;
  // The change is made to the file as it is under the lock: what another program saved
  // a moment ago is kept.
  const auto reason = UpdateSharedFile(target.string(), [&change](std::string& text) {
    IniFile file = IniFile::Parse(text);
    change(file);
    text = file.Text();
    return true;
  });
  return reason ? "Cannot write the settings file " + target.string() + ": " + *reason : std::string();
}

}  // namespace mq
