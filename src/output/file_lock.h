#pragma once
// The calls behind shared files that differ between POSIX systems and Windows: the
// advisory lock on a file and the replacement of a file by another one.

#include <chrono>
#include <optional>
#include <string>

namespace mq {

// An exclusive advisory lock on one file, held until Release or destruction.
class FileLock {
 public:
  FileLock() = default;
  ~FileLock() { Release(true); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Locks `native_path`, waiting at most `wait` for another holder; the reason when it
  // cannot. On POSIX systems a missing file is created empty to be locked.
  std::optional<std::string> Acquire(const std::string& native_path, std::chrono::milliseconds wait);

  // Gives the lock up. A file that Acquire created and nothing replaced is removed
  // again (`target_written` false), so a failed change leaves no empty file behind.
  void Release(bool target_written);

 private:
  std::optional<std::string> TryOnce(const std::string& native_path, bool& locked);

  std::string path_;
  long long handle_ = -1;
  bool created_ = false;
};

// Moves `temporary` over `target` in one step; on Windows it keeps trying for a while
// when a reader holds the target open. The reason when it could not.
std::optional<std::string> ReplaceWithTemporary(const std::string& temporary, const std::string& target);

// A name for a new file beside `native_target` that no other process or thread picks.
std::string UniqueTemporaryName(const std::string& native_target);

}  // namespace mq
