#include "shell/ini_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include "input/plain_text.h"

namespace mq {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The profile reader hands back a value written as "text" or 'text' without its quotes.
std::string_view WithoutEnclosingQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// A line break inside a value would end its line and turn the rest into another
// line of the file; a NUL ends the value for every reader of the format.
std::string_view OneLineValue(std::string_view value) {
  return value.substr(0, std::min(value.find_first_of(std::string_view("\r\n\0", 3)), value.size()));
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile file;
  if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    file.byte_order_mark_ = kUtf8ByteOrderMark;
    text.remove_prefix(kUtf8ByteOrderMark.size());
  }
  bool first_end = true;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view body = text.substr(0, newline);
    std::string end;
    if (newline != std::string_view::npos) {
      end = "\n";
      if (!body.empty() && body.back() == '\r') {
        body.remove_suffix(1);
        end = "\r\n";
      }
      if (first_end) file.line_end_ = end;
      first_end = false;
      text.remove_prefix(newline + 1);
    } else {
      text = {};
    }
    file.lines_.push_back(ParseLine(std::string(body), std::move(end)));
  }
  return file;
}

IniFile::Line IniFile::ParseLine(std::string text, std::string end) {
  Line line;
  line.text = std::move(text);
  line.end = std::move(end);
  const std::string_view body = Trim(line.text);
  if (body.empty() || body.front() == ';') return line;
  if (body.front() == '[') {
    // A header without its "]" is no header: the keys below it stay in the
    // section before, as the platform's reader has it.
    const std::size_t close = body.rfind(']');
    if (close != std::string_view::npos) {
      line.kind = LineKind::kSection;
      line.name = Trim(body.substr(1, close - 1));
    }
    return line;
  }
  const std::size_t equals = line.text.find('=');
  if (equals == std::string::npos) return line;
  const std::string_view key = Trim(std::string_view(line.text).substr(0, equals));
  if (key.empty()) return line;
  line.kind = LineKind::kEntry;
  line.name = key;
  line.value_start = equals + 1;
  while (line.value_start < line.text.size() && IsBlank(line.text[line.value_start])) ++line.value_start;
  line.value = WithoutEnclosingQuotes(Trim(std::string_view(line.text).substr(line.value_start)));
  return line;
}

const IniFile::Line* IniFile::FindEntry(std::string_view section, std::string_view key) const {
  section = Trim(section);
  key = Trim(key);
  bool in_section = false;
  for (const Line& line : lines_) {
    if (line.kind == LineKind::kSection) {
      in_section = EqualsIgnoringCase(line.name, section);
    } else if (in_section && line.kind == LineKind::kEntry && EqualsIgnoringCase(line.name, key)) {
      return &line;
    }
  }
  return nullptr;
}

IniFile::Line* IniFile::FindEntry(std::string_view section, std::string_view key) {
  return const_cast<Line*>(std::as_const(*this).FindEntry(section, key));
}

std::optional<std::size_t> IniFile::NewKeyPosition(std::string_view section) const {
  section = Trim(section);
  std::optional<std::size_t> position;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::kSection) {
      if (position) return position;  // the end of the first section of that name
      if (EqualsIgnoringCase(line.name, section)) position = i + 1;
    } else if (position && line.kind == LineKind::kEntry) {
      position = i + 1;
    }
  }
  return position;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const Line* line = FindEntry(section, key);
  if (line == nullptr) return std::nullopt;
  return line->value;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  value = OneLineValue(value);
  if (Line* line = FindEntry(section, key)) {
    if (line->value == value) return;  // untouched lines keep their bytes
    line->text.resize(line->value_start);
    line->text += value;
    line->value = value;
    return;
  }
  Line entry = ParseLine(std::string(Trim(key)) + "=" + std::string(value), line_end_);
  if (const std::optional<std::size_t> position = NewKeyPosition(section)) {
    if (*position == lines_.size()) EndLastLine();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*position), std::move(entry));
    return;
  }
  EndLastLine();
  if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(ParseLine("", line_end_));
  lines_.push_back(ParseLine("[" + std::string(Trim(section)) + "]", line_end_));
  lines_.push_back(std::move(entry));
}

// A file without a final line end gets one before lines are added after it.
void IniFile::EndLastLine() {
  if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = line_end_;
}

std::string IniFile::Text() const {
  std::string text = byte_order_mark_;
  for (const Line& line : lines_) text += line.text + line.end;
  return text;
}

IniFileRead ReadIniFile(const fs::path& path) {
  IniFileRead read;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return read;
  read.found = true;
  if (ec || !fs::is_regular_file(status)) {
    read.problem = "Cannot read the settings file " + path.string() + ": it is not a readable file";
    return read;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  if (!in || in.bad()) {
    read.problem = "Cannot read the settings file " + path.string();
    return read;
  }
  read.file = IniFile::Parse(bytes.str());
  return read;
}

fs::path SettingsFileTarget(const fs::path& path, std::string& problem) {
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(target, ec)) {
    const fs::path link = fs::read_symlink(target, ec);
    if (!ec) target = link.is_absolute() ? link : target.parent_path() / link;
  }
  const fs::path directory = target.parent_path();
  if (!directory.empty() && !fs::is_directory(directory, ec)) {
    fs::create_directories(directory, ec);
    if (ec) {
      problem = "Cannot create the directory " + directory.string() + ": " + ec.message();
      return {};
    }
  }
  return target;
}

std::string WriteIniFile(const fs::path& path, const IniFile& file, const FileWriter& writer) {
  std::string problem;
  const fs::path target = SettingsFileTarget(path, problem);
  if (!problem.empty()) return problem;
  std::error_code ec;
  const fs::file_status old_status = fs::status(target, ec);
  const bool existed = !ec && fs::exists(old_status);
  SharedFileOptions options;
  options.writer = writer;
  if (const auto reason = ReplaceSharedFile(target.string(), file.Text(), options)) {
    return "Cannot write the settings file " + target.string() + ": " + *reason;
  }
  if (existed) fs::permissions(target, old_status.permissions(), ec);
  return {};
}

}  // namespace mq
