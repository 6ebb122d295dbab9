#pragma once
// A small JSON writer for the command line's reports. Strings are written as valid
// UTF-8 whatever bytes they hold: well-formed UTF-8 passes through, any other byte is
// read as the Windows code page cp1252 that older drawings use and written as a
// \u escape, control characters are escaped.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace mq::cli {

class JsonWriter {
 public:
  // Containers opened at `inline_depth` or deeper are written on one line
  // (the root is depth 0); -1 writes everything indented.
  explicit JsonWriter(std::ostream& out, int inline_depth = -1) : out_(out), inline_depth_(inline_depth) {}

  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);

  JsonWriter& String(std::string_view text);
  JsonWriter& Integer(int64_t value);
  // The shortest text that reads back as the same float; null for NaN and infinities.
  JsonWriter& Float(float value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // Ends the document with a line end.
  void Finish();

 private:
  struct Level {
    bool has_items = false;
    bool is_inline = false;
  };
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);
  void NewLine(std::size_t depth);

  std::ostream& out_;
  int inline_depth_;
  std::vector<Level> levels_;
  bool after_key_ = false;
};

// The text as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

}  // namespace mq::cli
