#include "cli/json_values.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <ostream>

#include "input/drawing_text.h"

namespace mq::cli {

std::string TextAsUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t n = byte < 0x80 ? 1 : Utf8SequenceLength(text.substr(i));
    if (n > 0) {
      out.append(text, i, n);
      i += n;
    } else {
      AppendUtf8(out, Cp1252ToUnicode(byte));
      ++i;
    }
  }
  return out;
}

Json JsonFloat(float value) {
  if (!std::isfinite(value)) return nullptr;
  char text[32];
  const char* end = std::to_chars(text, text + sizeof text, value).ptr;
  // A whole number in plain digits is kept as an integer; "-0" keeps its sign as a double.
  const bool negative_zero = value == 0 && std::signbit(value);
  if (std::string_view(text, end).find_first_of(".e") == std::string_view::npos && !negative_zero) {
    int64_t whole = 0;
    if (std::from_chars(text, end, whole).ptr == end) return whole;
  }
  double shortest = 0;
  std::from_chars(text, end, shortest);
  return shortest;
}

void PrintJson(std::ostream& out, const Json& document) { out << document.dump(2) << '\n'; }

}  // namespace mq::cli
