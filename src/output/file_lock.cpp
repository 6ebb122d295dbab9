#include "output/file_lock.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mq {

namespace {

using Clock = std::chrono::steady_clock;

// Short at first, since most holders finish within milliseconds; longer later, so that
// a run waiting behind a slow one does not spin.
std::chrono::milliseconds NextPause(std::chrono::milliseconds pause) {
  return std::min(pause * 2, std::chrono::milliseconds(50));
}

std::string LockedByAnotherRun(std::chrono::milliseconds wait) {
  return "another run kept the file locked for " + std::to_string(wait.count()) + " ms";
}

#if defined(_WIN32)

std::string WindowsReason(DWORD code) { return std::system_category().message(static_cast<int>(code)); }

std::wstring Wide(const std::string& native) { return std::filesystem::path(native).wstring(); }

// A file that is locked cannot be replaced on Windows: the lock lives on a file of its
// own, deleted when its last holder closes it, so none is left beside the target.
std::string LockFileOf(const std::string& native) { return native + ".lock"; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

#else

std::string PosixReason(int code) { return std::generic_category().message(code); }

// The descriptor's file is still the one the path names: no other run replaced it
// between our open and our lock.
bool StillNamedBy(int fd, const std::string& native) {
  struct stat held {};
  struct stat named {};
  if (fstat(fd, &held) != 0 || stat(native.c_str(), &named) != 0) return false;
  return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

#endif

}  // namespace

std::optional<std::string> FileLock::Acquire(const std::string& native_path, std::chrono::milliseconds wait) {
  Release(true);
  path_ = native_path;
  const Clock::time_point give_up = Clock::now() + wait;
  std::chrono::milliseconds pause(1);
  for (;;) {
    bool locked = false;
    if (auto reason = TryOnce(native_path, locked)) return reason;
    if (locked) return std::nullopt;
    if (Clock::now() >= give_up) return LockedByAnotherRun(wait);
    std::this_thread::sleep_for(pause);
    pause = NextPause(pause);
  }
}

#if defined(_WIN32)

std::optional<std::string> FileLock::TryOnce(const std::string& native_path, bool& locked) {
  const std::wstring lock_file = Wide(LockFileOf(native_path));
  HANDLE handle = CreateFileW(lock_file.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    // The last holder is closing it: its name is taken until then.
    if (code == ERROR_ACCESS_DENIED && Exists(lock_file)) return std::nullopt;
    return WindowsReason(code);
  }
  OVERLAPPED whole{};
  if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                  &whole)) {
    const DWORD code = GetLastError();
    CloseHandle(handle);
    if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING) return std::nullopt;
    return WindowsReason(code);
  }
  handle_ = reinterpret_cast<long long>(handle);
  locked = true;
  return std::nullopt;
}

void FileLock::Release(bool) {
  if (handle_ == -1) return;
  HANDLE handle = reinterpret_cast<HANDLE>(handle_);
  OVERLAPPED whole{};
  UnlockFileEx(handle, 0, MAXDWORD, MAXDWORD, &whole);
  CloseHandle(handle);
  handle_ = -1;
}

std::optional<std::string> ReplaceWithTemporary(const std::string& temporary, const std::string& target) {
  const std::wstring from = Wide(temporary);
  const std::wstring to = Wide(target);
  // A reader that opened the target without sharing deletion keeps it in place for a
  // moment; the control and editors let go quickly.
  constexpr int kAttempts = 50;
  DWORD code = 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return std::nullopt;
    }
    code = GetLastError();
    if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      return std::nullopt;
    }
    if (code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) break;
    Sleep(40);
  }
  return WindowsReason(code);
}

std::string UniqueTemporaryName(const std::string& native_target) {
  std::random_device random;
  return native_target + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(random()) +
         ".mq-new";
}

#else

std::optional<std::string> FileLock::TryOnce(const std::string& native_path, bool& locked) {
  bool created = false;
  int fd = open(native_path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    fd = open(native_path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    created = fd >= 0;
    if (fd < 0 && errno == EEXIST) return std::nullopt;  // another run made it: lock that one
  }
  if (fd < 0) return PosixReason(errno);
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int code = errno;
    close(fd);
    if (code == EWOULDBLOCK || code == EINTR) return std::nullopt;
    return PosixReason(code);
  }
  if (!StillNamedBy(fd, native_path)) {  // replaced or removed meanwhile: lock the new file
    close(fd);
    return std::nullopt;
  }
  handle_ = fd;
  created_ = created;
  locked = true;
  return std::nullopt;
}

void FileLock::Release(bool target_written) {
  if (handle_ == -1) return;
  const int fd = static_cast<int>(handle_);
  struct stat held {};
  if (created_ && !target_written && StillNamedBy(fd, path_) && fstat(fd, &held) == 0 && held.st_size == 0) {
    unlink(path_.c_str());
  }
  close(fd);  // gives up the lock
  handle_ = -1;
  created_ = false;
}

std::optional<std::string> ReplaceWithTemporary(const std::string& temporary, const std::string& target) {
  if (std::rename(temporary.c_str(), target.c_str()) != 0) return PosixReason(errno);
  return std::nullopt;
}

std::string UniqueTemporaryName(const std::string& native_target) {
  std::random_device random;
  return native_target + "." + std::to_string(getpid()) + "-" + std::to_string(random()) + ".mq-new";
}

#endif

}  // namespace mq
