#include "shell/run_environment.h"

#include <cstdlib>
#include <string>
#include <system_error>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#endif

#include "input/file_paths.h"
#include "input/plain_text.h"

namespace mq {

namespace fs = std::filesystem;

fs::path ExecutableDirectory() {
#if defined(_WIN32)
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length > 0 && length < buffer.size()) {
    buffer.resize(length);
    return fs::path(buffer).parent_path();
  }
#else
  std::error_code ec;
  const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return executable.parent_path();
#endif

  return fs::current_path();
}

ParDatDirectory ChooseParDatDirectory(const std::optional<std::string>& root_variable,
                                      const Settings& settings) {
  if (root_variable) return {root_variable, ParDatRule::kRootVariable};
  if (!TrimBlanks(settings.ParDatPath).empty())
    return {TrimBlanks(settings.ParDatPath), ParDatRule::kSettings};
  return {std::nullopt, ParDatRule::kDefault};
}

std::optional<std::string> RootVariable() {
  if (const char* root = std::getenv("ROOT")) return std::string(root);
  return std::nullopt;
}

std::string_view DescribeParDatRule(ParDatRule rule) {
  switch (rule) {
    case ParDatRule::kRootVariable:
      return "environment variable ROOT";
    case ParDatRule::kSettings:
      return "settings key ParDatPath";
    case ParDatRule::kDefault:
      return "default";
  }
  return "";
}

void SetRunEnvironment(RunContext& run, const Settings& settings) {
  run.ProgramDirectory =
      WithClosingSeparator(ExecutableDirectory().string(), static_cast<char>(fs::path::preferred_separator));
  run.RootDirectory = ChooseParDatDirectory(RootVariable(), settings).directory;
}

}  // namespace mq
