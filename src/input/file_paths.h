#pragma once
// Paths as operators type them: '\' and '/' both separate directories, and the
// system's well-known file names (TEMP.DXF, BATCH.LST, Par.DAT, INDEX.IND, *.DXF)
// match whatever case the file system holds them in.

#include <optional>
#include <string>

namespace mq {

inline bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// The separator a directory is written with: the last one it holds, else `fallback`.
inline char SeparatorOf(const std::string& directory, char fallback = '\\') {
  const std::size_t last = directory.find_last_of("\\/");
  return last != std::string::npos ? directory[last] : fallback;
}

// The directory with a separator at its end, of the kind it already uses; a directory
// without one gets `fallback`. An empty directory stays empty (the working directory).
inline std::string WithClosingSeparator(std::string directory, char fallback = '\\') {
  if (!directory.empty() && !EndsWithSeparator(directory)) directory += SeparatorOf(directory, fallback);
  return directory;
}

// The path with every '\' turned into the platform's separator where that is '/'.
std::string NativePath(const std::string& path);

// The path of an existing regular file that `path` names: as given, with its
// separators made native, or with its file-name part matched without regard to case
// in its directory. Empty when there is none.
std::optional<std::string> FindExistingFile(const std::string& path);

// Same for a directory.
std::optional<std::string> FindExistingDirectory(const std::string& path);

// An existing file's path with its file name spelt as its directory lists it: a file
// system that ignores case finds "Temp.DXF" when "TEMP.DXF" was dropped, and the
// program named after it must be the same on every system.
std::string SpelledAsStored(const std::string& path);

}  // namespace mq
