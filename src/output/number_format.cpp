#include "output/number_format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "engine/driver/units.h"

namespace mq {

namespace {

// A single's text never carries more than 7 significant digits; the control's programs
// were always written from that text, so every rounding below works on it.
constexpr int kSignificantDigits = 7;

// Decimal places when the precision field holds no number.
constexpr int kDefaultPrecisionMetric = 2;
constexpr int kDefaultPrecisionInch = 3;

// Enough decimals to write any single's exact binary value (the smallest subnormal has
// 105 significant digits), so that the 7-digit rounding sees every digit.
constexpr int kExactDigits = 112;

// A decimal number as significant digits and the place of the point: the value is
// 0.<Digits> x 10^PointPosition. Digits has no leading or trailing zeros; empty is 0.
struct DecimalDigits {
  bool Negative = false;
  std::string Digits;
  int PointPosition = 0;

  bool IsZero() const { return Digits.empty(); }
};

void DropTrailingZeros(DecimalDigits& number) {
  while (!number.Digits.empty() && number.Digits.back() == '0') number.Digits.pop_back();
  if (number.IsZero()) number = DecimalDigits{};  // zero has no sign
}

// Cuts the digits to `keep` and rounds half away from zero on the decimal text: the
// first dropped digit decides, so a text ending in 5 always rounds up in magnitude.
void RoundToDigitCount(DecimalDigits& number, int keep) {
  if (keep >= static_cast<int>(number.Digits.size())) return;
  if (keep < 0) {
    number = DecimalDigits{};
    return;
  }
  const bool up = number.Digits[keep] >= '5';
  number.Digits.resize(keep);
  if (up) {
    int i = keep - 1;
    while (i >= 0 && number.Digits[i] == '9') number.Digits[i--] = '0';
    if (i >= 0) {
      ++number.Digits[i];
    } else {
      number.Digits.insert(number.Digits.begin(), '1');
      ++number.PointPosition;
    }
  }
  DropTrailingZeros(number);
}

// Digits after the first that write a single exactly. A single is m x 2^e with m below
// 2^24: for e >= 0 an integer of at most 39 digits; for e < 0 the integer m x 5^-e
// (at most 8 + 0.7 x -e digits) over 10^-e. Asking for no more than that is much
// quicker than asking for the most any single needs, and gives the same digits.
int ExactDigitsOf(float value) {
  int exponent = 0;
  std::frexp(value, &exponent);
  const int e = exponent - 24;
  const int needed = e >= 0 ? 39 : 9 + (7 * -e + 9) / 10;
  return needed < kExactDigits ? needed : kExactDigits;
}

// The first 8 significant digits of |value|, cut off (not rounded), and the power of ten
// of the first, |value| lying in [10^power, 10^(power+1)): worked out exactly in 64-bit
// integers from the single's binary form m x 2^e (m below 2^24). False where they would
// not hold the numbers (below about 10^-5, above about 10^18); the decimal text then
// gives the digits.
bool FirstEightDigits(float value, uint32_t& digits, int& power) {
  int exponent = 0;
  const auto mantissa = static_cast<uint64_t>(std::ldexp(std::frexp(std::fabs(value), &exponent), 24));
  const int e = exponent - 24;
  int d = static_cast<int>(std::floor(std::log10(std::fabs(static_cast<double>(value)))));
  for (int attempt = 0; attempt < 3; ++attempt) {  // the logarithm may be one off
    const int k = 7 - d;                           // |value| x 10^k has 8 digits before the point
    uint64_t n = 0;
    if (k >= 0) {
      if (k > 12 || e > 30) return false;  // 2^24 x 10^12 still fits
      uint64_t scaled = mantissa;
      for (int i = 0; i < k; ++i) scaled *= 10;
      n = e >= 0 ? scaled << e : (-e >= 64 ? 0 : scaled >> -e);
    } else {
      if (e < 0 || e > 39) return false;
      uint64_t divisor = 1;
      for (int i = 0; i < -k; ++i) divisor *= 10;
      n = (mantissa << e) / divisor;
    }
    if (n >= 100000000) {
      ++d;
    } else if (n < 10000000) {
      --d;
    } else {
      digits = static_cast<uint32_t>(n);
      power = d;
      return true;
    }
  }
  return false;  // no digits found: the decimal text gives them
}

// The single's decimal text as digits: its exact value rounded to 7 significant digits.
// The rounding looks at the 8th digit only, so the first eight are all it needs.
DecimalDigits SevenDigitTextOf(float value) {
  DecimalDigits number;
  if (value == 0 || !std::isfinite(value)) return number;
  uint32_t eight = 0;
  int power = 0;
  if (FirstEightDigits(value, eight, power)) {
    number.Negative = value < 0;
    number.Digits = std::to_string(eight);
    number.PointPosition = power + 1;
    RoundToDigitCount(number, kSignificantDigits);
    return number;
  }
  char buffer[kExactDigits + 16];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(static_cast<double>(value)),
                                     std::chars_format::scientific, ExactDigitsOf(value));
  const std::string_view text(buffer, written.ptr);
  const auto exponentAt = text.find('e');
  number.Negative = value < 0;
  number.Digits.push_back(text[0]);
  number.Digits.append(text.substr(2, exponentAt - 2));
  number.PointPosition = std::atoi(std::string(text.substr(exponentAt + 1)).c_str()) + 1;
  RoundToDigitCount(number, kSignificantDigits);
  return number;
}

// The number rounded to `decimals` places, as the optional-digit pattern does it.
DecimalDigits RoundToDecimals(DecimalDigits number, int decimals) {
  RoundToDigitCount(number, number.PointPosition + (decimals < 0 ? 0 : decimals));
  return number;
}

std::string IntegerPart(const DecimalDigits& number) {
  if (number.PointPosition <= 0) return "";
  const auto size = static_cast<int>(number.Digits.size());
  if (number.PointPosition >= size) return number.Digits + std::string(number.PointPosition - size, '0');
  return number.Digits.substr(0, number.PointPosition);
}

std::string FractionPart(const DecimalDigits& number) {
  if (number.PointPosition < 0) return std::string(-number.PointPosition, '0') + number.Digits;
  if (number.PointPosition >= static_cast<int>(number.Digits.size())) return "";
  return number.Digits.substr(number.PointPosition);
}

// Plain positional text: "-12.5", ".5", "12"; 0 is "0".
std::string PositionalText(const DecimalDigits& number) {
  if (number.IsZero()) return "0";
  const std::string fraction = FractionPart(number);
  return (number.Negative ? "-" : "") + IntegerPart(number) + (fraction.empty() ? "" : "." + fraction);
}

// What the patterns "######." and "#######." followed by optional digits produce: every
// place optional, the point always written: "5000.", "12.5", ".5", "-.25", and "." for 0.
std::string PatternText(const DecimalDigits& number) {
  if (number.IsZero()) return ".";
  return (number.Negative ? "-" : "") + IntegerPart(number) + "." + FractionPart(number);
}

// Reads a pattern text back as a single; the bare point of a zero reads as 0 (never -0).
float ReadPatternText(const std::string& text) {
  float value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc{} || value == 0) return 0.0f;
  return value;
}

// A precision field holds a number when its whole text, blanks around it aside, is one.
bool ParseWholeNumberText(std::string_view text, double& value) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  const bool plus = text.front() == '+';
  if (plus) text.remove_prefix(1);
  if (text.empty() || text.front() == '+' || (plus && text.front() == '-')) return false;
  // from_chars also reads "inf" and "nan"; a precision field holding those is no number.
  if (!std::isdigit(static_cast<unsigned char>(text.front())) && text.front() != '.' && text.front() != '-') {
    return false;
  }
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc{} && result.ptr == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

int ProgramPrecision(const Settings& settings, bool inch) {
  const std::string& text = inch ? settings.PrecisionInch : settings.PrecisionMetric;
  double value = 0;
  if (!ParseWholeNumberText(text, value)) return inch ? kDefaultPrecisionInch : kDefaultPrecisionMetric;
  // Whole number as every integer conversion here makes it: nearest, halves to even.
  const double whole = std::nearbyint(value);
  if (whole < 0) return 0;
  constexpr double kMostDecimals = 99;  // far beyond a single's 7 digits; keeps the int in range
  return static_cast<int>(whole > kMostDecimals ? kMostDecimals : whole);
}

float MillimetresPerUnit(bool inch) { return inch ? kMillimetresPerInch : 1.0f; }

std::string DecimalText(float value) { return PositionalText(SevenDigitTextOf(value)); }

float RoundToPrecision(float value, int precision) {
  return ReadPatternText(PatternText(RoundToDecimals(SevenDigitTextOf(value), precision)));
}

std::string FormatCoordinateWord(char letter, float& value, int precision) {
  value = RoundToPrecision(value, precision);
  std::string word{' ', letter};
  if (value < 0 && value > -1) {
    word += "-0";
  } else if (value <= -1) {
    word += "-";
  } else if (value > 0 && value < 1) {
    word += "0";
  }
  return word + DecimalText(std::fabs(value));
}

std::string FormatFeedValue(float value, int precision) {
  std::string text = PatternText(RoundToDecimals(SevenDigitTextOf(value), precision));
  // The pattern never pads with blanks, so the leading-blank removal has nothing to do.
  if (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  // A value that rounds to nothing would leave a bare " VX" word; the control needs a number.
  if (text.empty()) return "0";
  return text;
}

std::string FormatCompensationValue(float value) {
  const std::string text = DecimalText(std::fabs(value));
  return text.front() == '.' ? "0" + text : text;
}

}  // namespace mq
