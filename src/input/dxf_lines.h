#pragma once
// The line reader of the DXF reader: reads a drawing file in large blocks and hands
// out its lines as views into the block, without copying them. Lines end in LF,
// CR LF or a lone CR (old Macintosh files are read as they are); the last line may
// have no line end. Any bytes are taken, NULs included.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mq {

class DxfLineReader {
 public:
  DxfLineReader() = default;
  ~DxfLineReader();
  DxfLineReader(const DxfLineReader&) = delete;
  DxfLineReader& operator=(const DxfLineReader&) = delete;

  // Opens the file; false, with the system's reason in `error`, when it cannot.
  bool Open(const std::string& path, std::string& error);
  void Close();

  // The next line without its line end; false at the end of the file or on a read
  // error (see ReadError). The view stays valid until the next call.
  bool Next(std::string_view& line) {
    // Most lines lie whole in the block with the byte after their line end.
    const char* data = buffer_.data();
    std::size_t p = begin_;
    while (p < end_ && data[p] != '\n' && data[p] != '\r') ++p;
    if (p + 1 >= end_) return NextAtBlockEnd(line);
    line = std::string_view(data + begin_, p - begin_);
    begin_ = p + (data[p] == '\r' && data[p + 1] == '\n' ? 2 : 1);
    ++line_number_;
    return true;
  }

  // True when the file begins with `prefix` (read ahead as needed; consumes nothing).
  bool StartsWith(std::string_view prefix);

  // 1-based number of the line last returned.
  int64_t LineNumber() const { return line_number_; }
  // Bytes of the file handed out so far, line ends included, and the file's size
  // when it was opened.
  uint64_t BytesConsumed() const { return consumed_before_ + static_cast<uint64_t>(begin_); }
  uint64_t FileSize() const { return file_size_; }
  // The system's reason when reading failed; empty otherwise.
  const std::string& ReadError() const { return read_error_; }

 private:
  // Next for a line that reaches the end of the block: reads more first.
  bool NextAtBlockEnd(std::string_view& line);
  // Keeps the unread bytes and reads more after them; false when nothing more came.
  bool Refill();

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // first unread byte in buffer_
  std::size_t end_ = 0;    // end of the bytes read into buffer_
  bool at_end_ = false;    // the file has nothing more to read
  uint64_t consumed_before_ = 0;
  uint64_t file_size_ = 0;
  int64_t line_number_ = 0;
  std::string read_error_;
};

// The group code of a code line as the reader compares it: NULs and blanks removed,
// then a plain decimal number without leading zeros ("  10" is 10, "010" and "1a"
// are no code). kUnknownGroupCode when it is none.
constexpr int kUnknownGroupCode = -1;
inline int GroupCodeOf(std::string_view code_line) {
  // The table's group codes have at most three digits; longer ones are no code.
  constexpr int kMaxCodeDigits = 4;
  int code = 0;
  int digits = 0;
  bool leading_zero = false;
  for (char c : code_line) {
    if (c == ' ' || c == '\0') continue;
    if (c < '0' || c > '9') return kUnknownGroupCode;
    if (digits == 0 && c == '0') leading_zero = true;
    if (++digits > kMaxCodeDigits) return kUnknownGroupCode;
    code = code * 10 + (c - '0');
  }
  if (digits == 0 || (leading_zero && digits > 1)) return kUnknownGroupCode;
  return code;
}

}  // namespace mq
