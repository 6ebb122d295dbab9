#include "input/numeric_text.h"

#include <charconv>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace mq {

namespace {

// Blanks, tabs and line feeds are stepped over wherever they stand ("1 000" is 1000).
bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The accepted characters of a number, gathered without the skipped ones, in the
// form std::from_chars reads. Short numbers stay on the stack.
class NumberText {
 public:
  void Add(char c) {
    if (size_ < kInline) {
      inline_[size_++] = c;
      return;
    }
    if (overflow_.empty()) overflow_.assign(inline_, size_);
    overflow_ += c;
    ++size_;
  }
  const char* data() const { return overflow_.empty() ? inline_ : overflow_.data(); }
  std::size_t size() const { return size_; }

 private:
  static constexpr std::size_t kInline = 96;
  char inline_[kInline];
  std::size_t size_ = 0;
  std::string overflow_;
};

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}
  // The next character that is not skipped, or NUL at the end.
  char Peek() {
    while (pos_ < text_.size() && IsSkipped(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Take() { ++pos_; }
  std::size_t position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

double Read(std::string_view text, bool with_exponent) {
  Scanner in(text);
  NumberText number;
  char c = in.Peek();
  if (c == '+' || c == '-') {
    if (c == '-') number.Add('-');
    in.Take();
    c = in.Peek();
  }
  bool digits = false;
  while (IsDigit(c)) {
    number.Add(c);
    digits = true;
    in.Take();
    c = in.Peek();
  }
  if (c == '.') {
    number.Add('.');
    in.Take();
    c = in.Peek();
    while (IsDigit(c)) {
      number.Add(c);
      digits = true;
      in.Take();
      c = in.Peek();
    }
  }
  if (!digits) return 0;
  if (with_exponent && (c == 'E' || c == 'e' || c == 'D' || c == 'd')) {
    // An exponent marker without digits is ignored, the mantissa stands.
    const std::size_t mark = in.position();
    in.Take();
    char sign = in.Peek();
    if (sign == '+' || sign == '-') in.Take();
    c = in.Peek();
    if (IsDigit(c)) {
      number.Add('e');
      if (sign == '-') number.Add('-');
      while (IsDigit(c)) {
        number.Add(c);
        in.Take();
        c = in.Peek();
      }
    } else {
      in.Rewind(mark);
    }
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  // Out of range: an overflow would be an infinity, an underflow is 0 anyway.
  if (error != std::errc() || !std::isfinite(value)) return 0;
  return value + 0.0;  // no negative zero
}

// Exact powers of ten a double holds.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t kExactMantissa = uint64_t{1} << 53;

// The plain decimal that drawings are full of ("  -650.0541823996996"), read in one
// pass. When both the digits and the power of ten are exact in a double, one
// division rounds correctly. False for anything else: the full rule reads it.
bool ReadPlainDecimal(std::string_view text, double& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end && *p == ' ') ++p;
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  const char* const first_digit = p;
  uint64_t mantissa = 0;
  while (p < end && IsDigit(*p)) mantissa = mantissa * 10 + static_cast<uint64_t>(*p++ - '0');
  int decimals = 0;
  if (p < end && *p == '.') {
    const char* const first_decimal = ++p;
    while (p < end && IsDigit(*p)) mantissa = mantissa * 10 + static_cast<uint64_t>(*p++ - '0');
    decimals = static_cast<int>(p - first_decimal);
  }
  const auto written = p - first_digit;  // digits and point
  while (p < end && *p == ' ') ++p;
  // Up to 18 digits cannot overflow the mantissa; below 2^53 it is exact.
  if (p != end || written - (decimals > 0 ? 1 : 0) > 18 || written == decimals ||
      decimals > 22 || mantissa >= kExactMantissa) {
    return false;
  }
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  value = (negative ? -magnitude : magnitude) + 0.0;  // no negative zero
  return true;
}

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double rest = value - floor;
  if (rest > 0.5) return floor + 1;
  if (rest < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

template <class Int>
Int RoundClamped(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lowest = std::numeric_limits<Int>::min();
  constexpr double highest = std::numeric_limits<Int>::max();
  if (value <= lowest) return std::numeric_limits<Int>::min();
  if (value >= highest) return std::numeric_limits<Int>::max();
  const double rounded = RoundHalfEven(value);
  if (rounded >= highest) return std::numeric_limits<Int>::max();
  return static_cast<Int>(rounded);
}

}  // namespace

double ReadNumber(std::string_view text) {
  double value = 0;
  return ReadPlainDecimal(text, value) ? value : Read(text, true);
}

double ReadCodeNumber(std::string_view text) { return Read(text, false); }

float ReadSingle(std::string_view text) {
  const double value = ReadNumber(text);
  if (std::fabs(value) > std::numeric_limits<float>::max()) return 0;
  return static_cast<float>(value);
}

int16_t RoundToInt16(double value) { return RoundClamped<int16_t>(value); }

int32_t RoundToInt32(double value) { return RoundClamped<int32_t>(value); }

std::string FormatSingle(float value) {
  if (value == 0 || !std::isfinite(value)) return "0";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
  return buffer;
}

}  // namespace mq
