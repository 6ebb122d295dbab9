#pragma once
// The check a path typed or browsed in the Setup dialog goes through: the drive must
// exist, and directories that do not exist are created when the operator says so.

#include <functional>
#include <string>

namespace mq {

enum class PathCheckStage {
  kOrdinary = 0,      // questions are asked
  kQuiet = 1,         // before browsing: nothing is asked or shown
  kMissing = 2,       // a directory of the path does not exist
  kInvalidDrive = 3,  // the path's drive does not exist
};

// What the check asks of the operator. Texts join their lines with CR.
struct PathQuestions {
  std::function<void(const std::string& text, const std::string& title)> tell;
  std::function<bool(const std::string& text, const std::string& title)> ask_yes_no;
};

// The path with one trailing separator removed (when it has one) and one added back.
// On the way, unless `stage` is kQuiet: an invalid drive is reported ("Drive C: Invalid!")
// and each missing directory level is offered for creation, from the root down. A
// missing level that is not created (or, quietly, any missing level) leaves `stage` at
// kMissing; a quiet check that finds everything returns to kOrdinary. Windows paths
// start with a drive letter; elsewhere every non-empty path has a valid start.
std::string ValidatePath(std::string path, PathCheckStage& stage, const PathQuestions& person);

}  // namespace mq
