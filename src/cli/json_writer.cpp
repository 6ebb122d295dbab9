#include "cli/json_writer.h"

#include <charconv>
#include <cmath>

#include "input/drawing_text.h"

namespace mq::cli {

namespace {

void AppendEscape(std::string& out, char32_t code_point) {
  static constexpr char kHex[] = "0123456789abcdef";
  auto unit = [&](unsigned value) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
  };
  unit(static_cast<unsigned>(code_point));
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x80) {
      const std::size_t n = Utf8SequenceLength(text.substr(i));
      if (n > 0) {
        out.append(text, i, n);
        i += n;
      } else {
        AppendEscape(out, Cp1252ToUnicode(byte));  // all below U+FFFF
        ++i;
      }
      continue;
    }
    switch (byte) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          AppendEscape(out, byte);
        } else {
          out += static_cast<char>(byte);
        }
    }
    ++i;
  }
  out += '"';
  return out;
}

void JsonWriter::NewLine(std::size_t depth) {
  out_ << '\n';
  for (std::size_t i = 0; i < depth; ++i) out_ << "  ";
}

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (level.has_items) out_ << (level.is_inline ? ", " : ",");
  if (!level.is_inline) NewLine(levels_.size());
  level.has_items = true;
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  const bool parent_inline = !levels_.empty() && levels_.back().is_inline;
  const bool is_inline =
      parent_inline || (inline_depth_ >= 0 && static_cast<int>(levels_.size()) >= inline_depth_);
  out_ << bracket;
  levels_.push_back(Level{false, is_inline});
}

void JsonWriter::Close(char bracket) {
  const Level level = levels_.back();
  levels_.pop_back();
  if (level.has_items && !level.is_inline) NewLine(levels_.size());
  out_ << bracket;
}

JsonWriter& JsonWriter::BeginObject() {
  Open('{');
  return *this;
}
JsonWriter& JsonWriter::EndObject() {
  Close('}');
  return *this;
}
JsonWriter& JsonWriter::BeginArray() {
  Open('[');
  return *this;
}
JsonWriter& JsonWriter::EndArray() {
  Close(']');
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  BeforeValue();
  out_ << JsonString(key) << ": ";
  after_key_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
  BeforeValue();
  out_ << JsonString(text);
  return *this;
}

JsonWriter& JsonWriter::Integer(int64_t value) {
  BeforeValue();
  out_ << value;
  return *this;
}

JsonWriter& JsonWriter::Float(float value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    out_ << "null";
    return *this;
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out_.write(buffer, result.ptr - buffer);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ << (value ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  out_ << "null";
  return *this;
}

void JsonWriter::Finish() { out_ << '\n'; }

}  // namespace mq::cli
