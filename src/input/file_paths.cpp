#include "input/file_paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "input/plain_text.h"

namespace mq {

namespace fs = std::filesystem;

namespace {

template <class Test>
std::optional<std::string> FindExisting(const std::string& path, Test is_wanted) {
  if (path.empty()) return std::nullopt;
  std::error_code ec;
  if (is_wanted(fs::path(path), ec)) return path;
  const std::string native = NativePath(path);
  if (is_wanted(fs::path(native), ec)) return native;

  const fs::path wanted(native);
  fs::path directory = wanted.parent_path();
  const std::string name = wanted.filename().string();
  if (name.empty()) return std::nullopt;
  if (directory.empty()) directory = ".";
  for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (EqualsIgnoringCase(candidate, name) && is_wanted(it->path(), ec)) {
      return wanted.parent_path().empty() ? candidate : (wanted.parent_path() / candidate).string();
    }
  }
  return std::nullopt;
}

}  // namespace

std::string NativePath(const std::string& path) {
#if defined(_WIN32)
  return path;
#else
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
#endif
}

std::optional<std::string> FindExistingFile(const std::string& path) {
  return FindExisting(path,
                      [](const fs::path& p, std::error_code& ec) { return fs::is_regular_file(p, ec); });
}

std::optional<std::string> FindExistingDirectory(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && EndsWithSeparator(trimmed)) trimmed.pop_back();
  return FindExisting(trimmed,
                      [](const fs::path& p, std::error_code& ec) { return fs::is_directory(p, ec); });
}

std::string SpelledAsStored(const std::string& path) {
  const fs::path given(path);
  const std::string name = given.filename().string();
  std::error_code ec;
  std::optional<std::string> blind;
  const fs::path directory = given.parent_path().empty() ? fs::path(".") : given.parent_path();
  for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (entry == name) return path;
    if (!blind && EqualsIgnoringCase(entry, name)) blind = entry;
  }
  // Only the name changes: the directory keeps its separators as given.
  return blind ? path.substr(0, path.size() - name.size()) + *blind : path;
}

}  // namespace mq
