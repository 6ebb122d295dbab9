#include "output/shared_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "input/file_paths.h"
#include "output/file_lock.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace mq {

namespace {

std::string ErrnoReason(int code) { return std::generic_category().message(code); }

// Opens a new file that must not exist yet, so two writers never share a temporary.
std::FILE* OpenNewFile(const std::string& native) {
#if defined(_WIN32)
  return _wfopen(std::filesystem::path(native).c_str(), L"wbx");
#else
  const int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) close(fd);
  return file;
#endif
}

std::optional<std::string> WriteNewFile(const std::string& native, std::string_view bytes) {
  errno = 0;
  std::FILE* file = OpenNewFile(native);
  if (file == nullptr) return ErrnoReason(errno);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int write_error = errno;
  const bool flushed = std::fflush(file) == 0;
  const int flush_error = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written) return write_error != 0 ? ErrnoReason(write_error) : "the file was not written completely";
  if (!flushed) return ErrnoReason(flush_error);
  if (!closed) return ErrnoReason(errno);
  return std::nullopt;
}

void RemoveQuietly(const std::string& native) {
  std::error_code ignored;
  std::filesystem::remove(native, ignored);
}

// The bytes go to a fresh temporary beside the target, then take the target's place.
std::optional<std::string> PutInPlace(const std::string& target, std::string_view bytes,
                                      const FileWriter& writer) {
  constexpr int kNameAttempts = 8;  // a clash of random names is rare; a ninth is a fault
  std::optional<std::string> reason;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string temporary = UniqueTemporaryName(target);
    std::error_code ec;
    if (std::filesystem::exists(temporary, ec)) continue;
    reason = writer ? writer(temporary, bytes) : WriteNewFile(temporary, bytes);
    if (!reason) reason = ReplaceWithTemporary(temporary, target);
    if (reason) RemoveQuietly(temporary);
    return reason;
  }
  return "no unused temporary name beside the file";
}

std::string ReadNative(const std::string& native) {
  std::ifstream file(std::filesystem::path(native), std::ios::binary);
  if (!file) return {};
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::optional<std::string> ChangeLocked(const std::string& path, bool read_first,
                                        const SharedFileUpdate& update, const SharedFileOptions& options) {
  const std::string target = NativePath(path);
  std::error_code ec;
  if (std::filesystem::is_directory(target, ec)) return std::string("a folder of that name is there");
  FileLock lock;
  if (auto reason = lock.Acquire(target, options.wait)) return reason;
  std::string text = read_first ? ReadNative(target) : std::string();
  if (!update(text)) {
    lock.Release(false);
    return std::nullopt;
  }
  auto reason = PutInPlace(target, text, options.writer);
  lock.Release(!reason);
  return reason;
}

}  // namespace

std::optional<std::string> UpdateSharedFile(const std::string& path, const SharedFileUpdate& update,
                                            const SharedFileOptions& options) {
  return ChangeLocked(path, true, update, options);
}

std::optional<std::string> ReplaceSharedFile(const std::string& path, std::string_view bytes,
                                             const SharedFileOptions& options) {
  return ChangeLocked(
      path, false,
      [bytes](std::string& text) {
        text.assign(bytes);
        return true;
      },
      options);
}

}  // namespace mq
