#include "shell/path_check.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "input/file_paths.h"

namespace mq {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProductName = "Marquill400";

bool HasValidDrive(const std::string& path) {
#if defined(_WIN32)
  if (path.empty() || !std::isalpha(static_cast<unsigned char>(path[0]))) return false;
  std::error_code ec;
  return fs::is_directory(fs::path(std::string(1, path[0]) + ":\\"), ec);
#else
  return !path.empty();
#endif
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(fs::path(NativePath(path)), ec);
}

// The drive ("C:") or the root ("") that every walk starts from and never creates.
bool IsDriveOrRoot(const std::string& prefix) {
  return prefix.empty() || (prefix.size() == 2 && prefix[1] == ':');
}

// Walks the path one directory level at a time, up to the first level that is missing
// and stays so.
void EnsureLevels(const std::string& path, PathCheckStage& stage, const PathQuestions& person) {
  for (std::size_t end = path.find_first_of("\\/");; end = path.find_first_of("\\/", end + 1)) {
    const std::string prefix = path.substr(0, end);
    if (!IsDriveOrRoot(prefix) && !IsDirectory(prefix)) {
      if (stage == PathCheckStage::kQuiet) {
        stage = PathCheckStage::kMissing;
        return;
      }
      const std::string question = path + "\rPath Does Not Exist.\rDo You Wish to Create Path?";
      if (!person.ask_yes_no(question, kProductName)) {
        stage = PathCheckStage::kMissing;
        return;
      }
      std::error_code ec;  // a level that cannot be made shows as missing at the next check
      fs::create_directory(fs::path(NativePath(prefix)), ec);
    }
    if (end == std::string::npos) return;
  }
}

}  // namespace

std::string ValidatePath(std::string path, PathCheckStage& stage, const PathQuestions& person) {
  if (EndsWithSeparator(path)) path.pop_back();
  const char separator = SeparatorOf(path, static_cast<char>(fs::path::preferred_separator));
  if (!HasValidDrive(path)) {
    if (stage != PathCheckStage::kQuiet)
      person.tell("Drive " + path.substr(0, 2) + " Invalid!", kProductName);
    stage = PathCheckStage::kInvalidDrive;
  } else {
    EnsureLevels(path, stage, person);
  }
  if (stage == PathCheckStage::kQuiet) stage = PathCheckStage::kOrdinary;
  return path + separator;
}

}  // namespace mq
