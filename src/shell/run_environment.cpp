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

void SetRunEnvironment(RunContext& run) {
  run.ProgramDirectory =
      WithClosingSeparator(ExecutableDirectory().string(), static_cast<char>(fs::path::preferred_separator));
  if (const char* root = std::getenv("ROOT")) run.RootDirectory = std::string(root);
}

}  // namespace mq
