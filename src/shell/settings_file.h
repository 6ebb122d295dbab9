#pragma once
// Changes to the settings file made the way several programs can share it: each change
// is applied to the file as it is on disk at that moment, so that what the command line
// or a hand edit wrote in between is kept.

#include <filesystem>
#include <functional>
#include <string>

#include "shell/ini_file.h"

namespace mq {

// Reads the file (a missing one reads as empty), lets `change` edit it and writes it
// back. Returns the empty text on success, otherwise the reason; a file that exists but
// cannot be read is left alone.
std::string UpdateSettingsFile(const std::filesystem::path& path,
                               const std::function<void(IniFile&)>& change);

}  // namespace mq
