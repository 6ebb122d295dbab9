#include "output/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "input/file_paths.h"

namespace mq {

namespace {

namespace fs = std::filesystem;

// Beside the target, so the rename never crosses a file system.
constexpr const char* kTemporarySuffix = ".mq-new";

std::string ErrnoReason() { return std::generic_category().message(errno); }

std::optional<std::string> WriteFile(const std::string& native, std::string_view bytes) {
  errno = 0;
  std::FILE* file = std::fopen(native.c_str(), "wb");
  if (file == nullptr) return ErrnoReason();
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const std::string reason = written ? std::string() : ErrnoReason();
  const bool flushed = std::fflush(file) == 0;
  const std::string flush_reason = flushed ? std::string() : ErrnoReason();
  const bool closed = std::fclose(file) == 0;
  if (!written) return reason.empty() ? "the file was not written completely" : reason;
  if (!flushed) return flush_reason;
  if (!closed) return ErrnoReason();
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = NativePath(path);
  const std::string temporary = target + kTemporarySuffix;
  if (auto reason = WriteFile(temporary, bytes)) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return reason;
  }
  std::error_code ec;
  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return ec.message();
  }
  return std::nullopt;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(NativePath(path), std::ios::binary);
  if (!file) return {};
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string CannotWriteMessage(const std::string& path, const std::string& reason) {
  return "Cannot write " + path + ": " + reason;
}

bool WriteResultFile(RunContext& run, const std::string& path, std::string_view bytes) {
  const auto reason = WriteFileAtomically(path, bytes);
  if (!reason) return true;
  AddReportLine(run, CannotWriteMessage(path, *reason));
  FailDrawing(run, path);
  return false;
}

}  // namespace mq
