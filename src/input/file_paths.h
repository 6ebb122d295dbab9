#pragma once
// Paths as operators type them: '\' and '/' both separate directories, and the
// system's well-known file names (TEMP.DXF, BATCH.LST, Par.DAT, INDEX.IND, *.DXF)
// match whatever case the file system holds them in.

#include <optional>
#include <string>

namespace mq {

// The path with every '\' turned into the platform's separator where that is '/'.
std::string NativePath(const std::string& path);

// The path of an existing regular file that `path` names: as given, with its
// separators made native, or with its file-name part matched without regard to case
// in its directory. Empty when there is none.
std::optional<std::string> FindExistingFile(const std::string& path);

// Same for a directory.
std::optional<std::string> FindExistingDirectory(const std::string& path);

}  // namespace mq
