#pragma once
// Directories named in upper case by a list written for a file system that ignores case
// (BATCH.LST), found on one that does not.

#include <string>

namespace mq {

// The directory as the file system holds it: as written when it exists, otherwise each
// level of it matched without regard to case, from the root down, with a
// closing separator added; levels that match nothing are left as written.
std::string ExistingDirectoryIgnoringCase(const std::string& directory);

}  // namespace mq
