#include "input/dxf_lines.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace mq {

namespace {

// Large enough that the per-block cost vanishes, small enough to stay in cache and
// keep the reader's memory far below the drawing's size.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;
// No group of a drawing comes near this; a longer line is a file that is no drawing
// (a disk image, /dev/zero), and reading on would only fill the memory.
constexpr std::size_t kLongestLine = std::size_t{64} << 20;

std::string SystemReason(int error_number) { return std::generic_category().message(error_number); }

}  // namespace

DxfLineReader::~DxfLineReader() { Close(); }

bool DxfLineReader::Open(const std::string& path, std::string& error) {
  Close();
  std::error_code ec;
  const std::filesystem::path file_path(path);
  // A folder, a pipe or a device would block or never end.
  const auto status = std::filesystem::status(file_path, ec);
  if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    error = "not a regular file";
    return false;
  }
#if defined(_WIN32)
  file_ = _wfopen(file_path.c_str(), L"rb");
#else
  file_ = std::fopen(path.c_str(), "rb");
#endif
  if (file_ == nullptr) {
    error = SystemReason(errno);
    return false;
  }
  const auto size = std::filesystem::file_size(file_path, ec);
  file_size_ = ec ? 0 : static_cast<uint64_t>(size);
  buffer_.resize(kBlockSize);
  begin_ = end_ = 0;
  at_end_ = false;
  consumed_before_ = 0;
  line_number_ = 0;
  read_error_.clear();
  return true;
}

void DxfLineReader::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  buffer_ = std::vector<char>();
}

bool DxfLineReader::Refill() {
  if (at_end_ || file_ == nullptr) return false;
  const std::size_t kept = end_ - begin_;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
    consumed_before_ += begin_;
    begin_ = 0;
    end_ = kept;
  }
  // A line longer than the block: the block grows to hold it.
  if (kept == buffer_.size()) {
    if (buffer_.size() >= kLongestLine) {
      read_error_ = "a line is longer than " + std::to_string(kLongestLine >> 20) + " MB";
      at_end_ = true;
      return false;
    }
    buffer_.resize(buffer_.size() * 2);
  }
  const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
  end_ += got;
  if (got == 0) {
    if (std::ferror(file_)) read_error_ = SystemReason(errno);
    at_end_ = true;
    return false;
  }
  return true;
}

bool DxfLineReader::NextAtBlockEnd(std::string_view& line) {
  std::size_t scan = begin_;
  for (;;) {
    const char* data = buffer_.data();
    std::size_t p = scan;
    while (p < end_ && data[p] != '\n' && data[p] != '\r') ++p;
    if (p < end_) {
      std::size_t line_end_size = 1;
      if (data[p] == '\r') {
        if (p + 1 == end_ && !at_end_) {
          // CR at the end of the block: whether LF follows is in the next block.
          const std::size_t offset = p - begin_;
          Refill();
          scan = begin_ + offset;
          continue;
        }
        if (p + 1 < end_ && data[p + 1] == '\n') line_end_size = 2;
      }
      line = std::string_view(data + begin_, p - begin_);
      begin_ = p + line_end_size;
      ++line_number_;
      return true;
    }
    if (at_end_ || !read_error_.empty()) {
      if (begin_ == end_ || !read_error_.empty()) return false;
      line = std::string_view(data + begin_, end_ - begin_);  // the last line has no line end
      begin_ = end_;
      ++line_number_;
      return true;
    }
    const std::size_t scanned = p - begin_;
    Refill();
    scan = begin_ + scanned;
  }
}

bool DxfLineReader::StartsWith(std::string_view prefix) {
  while (end_ - begin_ < prefix.size() && Refill()) {
  }
  return end_ - begin_ >= prefix.size() &&
         std::string_view(buffer_.data() + begin_, prefix.size()) == prefix;
}

}  // namespace mq
