#include "shell/tpa_registration.h"

#include "input/file_paths.h"
#include "input/plain_text.h"
#include "shell/settings_file.h"

namespace mq {

namespace {

constexpr std::string_view kWinner90Mark = "WINNER90";
constexpr std::string_view kConverterExecutable = "MQ90WIN.exe";

// TPA.INI as it is in the root, whatever its case; "TPA.INI" when there is none yet.
std::filesystem::path TpaSettingsFile(const std::string& root) {
  const std::string path = root + std::string(kTpaSettingsName);
  return std::filesystem::path(FindExistingFile(path).value_or(NativePath(path)));
}

}  // namespace

std::optional<std::string> Winner90Root(std::string_view destination_path) {
  const std::size_t mark = UpperCase(destination_path).find(kWinner90Mark);
  if (mark == std::string::npos) return std::nullopt;
  return std::string(destination_path.substr(0, mark + kWinner90Mark.size() + 1));
}

std::string TpaConverterEntry(const std::string& root, const std::string& dxf_path) {
  return "\"Select DXF File|*.dxf|" + root + std::string(kConverterExecutable) + "|/|" + dxf_path + "|\"";
}

std::string RegisterWithTpaEditor(const std::string& root, const std::string& dxf_path) {
  if (!FindExistingDirectory(root)) return {};
  return UpdateSettingsFile(TpaSettingsFile(root), [&](IniFile& file) {
    file.Set(kTpaConverterSection, "conv01", TpaConverterEntry(root, dxf_path));
    file.Set(kTpaConverterSection, "conv02", "");
  });
}

std::string ClearTpaExecFlag(const std::string& root) {
  if (!FindExistingDirectory(root)) return {};
  return UpdateSettingsFile(TpaSettingsFile(root),
                            [](IniFile& file) { file.Set(kTpaExecSection, "Exec", "0"); });
}

}  // namespace mq
