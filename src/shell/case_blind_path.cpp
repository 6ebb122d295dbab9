#include "shell/case_blind_path.h"

#include <filesystem>
#include <system_error>

#include "input/file_paths.h"
#include "input/plain_text.h"

namespace mq {

namespace fs = std::filesystem;

namespace {

// The entry of `directory` whose name equals `name` without regard to case; `name`
// itself when there is none.
fs::path LevelIgnoringCase(const fs::path& directory, const fs::path& name) {
  std::error_code ec;
  if (fs::exists(directory / name, ec)) return name;
  const fs::path where = directory.empty() ? fs::path(".") : directory;
  for (fs::directory_iterator it(where, ec), end; !ec && it != end; it.increment(ec)) {
    if (EqualsIgnoringCase(it->path().filename().string(), name.string()) && it->is_directory(ec)) {
      return it->path().filename();
    }
  }
  return name;
}

}  // namespace

std::string ExistingDirectoryIgnoringCase(const std::string& directory) {
  std::error_code ec;
  if (directory.empty() || fs::is_directory(fs::path(directory), ec)) return directory;
  const fs::path written(NativePath(directory));
  fs::path found = written.root_path();
  for (const fs::path& level : written.relative_path()) {
    if (!level.empty()) found /= LevelIgnoringCase(found, level);
  }
  return WithClosingSeparator(found.string(), static_cast<char>(fs::path::preferred_separator));
}

}  // namespace mq
