#pragma once
// Directory names as operators and settings give them: either separator, the one a
// directory already uses kept for the names built inside it.

#include <string>

namespace mq {

inline bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// The separator a directory is written with: '/' when it uses that, else '\'.
inline char SeparatorOf(const std::string& directory) {
  const std::size_t last = directory.find_last_of("\\/");
  return last != std::string::npos && directory[last] == '/' ? '/' : '\\';
}

inline std::string WithClosingSeparator(std::string directory) {
  if (!directory.empty() && !EndsWithSeparator(directory)) directory += SeparatorOf(directory);
  return directory;
}

}  // namespace mq
