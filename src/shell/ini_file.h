#pragma once
// The private-profile text format of the settings file, read and written the way the
// Windows profile functions do, so that a file carried between installs keeps
// working: "[section]" lines, each followed by "key=value" lines; section and key
// names compare without regard to case; the first of two equal keys wins.
//
// Saving changes only the lines of keys whose value changed and adds the keys and
// sections that are new. Every other byte of the file (foreign keys and sections,
// comments, junk lines, a byte-order mark, CRLF or LF line ends) is written back as
// it was read, so hand-edited files and keys of other programs survive.

#include <cstddef>
#include <filesystem>

#include "output/shared_file.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mq {

class IniFile {
 public:
  // An empty file: the first write creates its sections.
  IniFile() = default;
  // The file's bytes as read from disk.
  static IniFile Parse(std::string_view text);

  // The value of `key` in `section`, blanks around it removed and one pair of
  // enclosing quotes taken off; nullopt when the key is not in the file.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Sets `key` in `section` to `value`, written as given (no quoting or escaping).
  // An existing key keeps its line (only the value part changes, and only when the
  // value differs); a new key goes after the last key of the section; a new section
  // goes to the end of the file.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // The bytes to write back.
  std::string Text() const;

 private:
  enum class LineKind { kOther, kSection, kEntry };
  struct Line {
    std::string text;  // the line without its line end
    std::string end;   // "\r\n", "\n", or empty for a last line without one
    LineKind kind = LineKind::kOther;
    std::string name;             // section name or key, blanks removed
    std::string value;            // entry value as read
    std::size_t value_start = 0;  // where the value begins in `text`
  };

  static Line ParseLine(std::string text, std::string end);
  Line* FindEntry(std::string_view section, std::string_view key);
  const Line* FindEntry(std::string_view section, std::string_view key) const;
  // Where a new key of `section` goes: after the section's last key, or after its
  // header when it has none; nullopt when the section is not in the file.
  std::optional<std::size_t> NewKeyPosition(std::string_view section) const;
  void EndLastLine();

  std::string byte_order_mark_;
  std::string line_end_ = "\r\n";  // for lines this program adds
  std::vector<Line> lines_;
};

// A settings file read from disk. A missing file reads as empty (found = false);
// a file that exists but cannot be read gives a problem text, and must then not be
// saved over, or its contents would be lost.
struct IniFileRead {
  IniFile file;
  bool found = false;
  std::string problem;
};
IniFileRead ReadIniFile(const std::filesystem::path& path);

// Writes `file` to `path` as a shared file is written (output/shared_file.h): under a
// lock, through a uniquely named temporary file that replaces the old file in one
// rename, so neither a full disk nor a second program saving at the same moment leaves
// a half-written or mixed file. A linked file is replaced behind its link, the old
// file's permissions are kept and the directory is created when missing. Returns the
// empty text on success, otherwise the reason; the old file is then unchanged.
std::string WriteIniFile(const std::filesystem::path& path, const IniFile& file, const FileWriter& writer = {});

// The file a settings path names: behind a link, in a directory that exists (made when
// missing). Empty, with the reason, when the directory cannot be made.
std::filesystem::path SettingsFileTarget(const std::filesystem::path& path, std::string& problem);

}  // namespace mq
