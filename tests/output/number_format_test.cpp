#include "output/number_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <utility>

namespace mq {
namespace {

// 0.1 is stored as 0.100000001, 999.995 and 1.005 just below, 0.01 as .0099999998 (a
// carry through all seven digits); 1.1640625 is an exact half at the seventh digit.
TEST(DecimalText, IsTheSevenDigitTextOfTheSingle) {
  // clang-format off
  const std::pair<float, const char*> cases[] = {
      {0, "0"}, {-0.0f, "0"}, {12, "12"}, {12.5f, "12.5"}, {.5f, ".5"}, {-.5f, "-.5"}, {0.1f, ".1"},
      {2.0f / 3, ".6666667"}, {1e-8f, ".00000001"}, {1e20f, "100000000000000000000"},
      {12345678.0f, "12345680"}, {16777217.0f, "16777220"}, {123456.789f, "123456.8"}, {999.995f, "999.995"},
      {1.005f, "1.005"}, {0.01f, ".01"}, {1.1640625f, "1.164063"}, {-1.1640625f, "-1.164063"}};
  // clang-format on
  for (const auto& [value, text] : cases) EXPECT_EQ(DecimalText(value), text) << value;
}

// The C library's text of the single rounded to 7 significant digits, in positional
// form; nothing for an exact half, which the library rounds to even.
std::optional<std::string> ReferenceText(float value) {
  const double magnitude = std::fabs(static_cast<double>(value));
  char exact[64], rounded[32];
  std::snprintf(exact, sizeof exact, "%.30e", magnitude);
  const std::string beyond(exact + 8, std::strchr(exact, 'e'));  // the eighth digit on
  if (beyond[0] == '5' && beyond.find_first_not_of('0', 1) == std::string::npos) return std::nullopt;
  std::snprintf(rounded, sizeof rounded, "%.6e", magnitude);
  std::string digits = rounded[0] + std::string(rounded + 2, 6);
  digits.erase(digits.find_last_not_of('0') + 1);
  const int point = std::atoi(rounded + 9) + 1, size = static_cast<int>(digits.size());
  if (point <= 0) digits = "." + std::string(static_cast<std::size_t>(-point), '0') + digits;
  if (point >= size) digits += std::string(static_cast<std::size_t>(std::max(0, point - size)), '0');
  if (point > 0 && point < size) digits.insert(static_cast<std::size_t>(point), ".");
  return (value < 0 ? "-" : "") + digits;
}

TEST(DecimalText, AgreesWithTheCLibraryOnRandomSingles) {
  std::mt19937 random(20240611);
  std::uniform_real_distribution<float> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-9, 9);
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    const float value = mantissa(random) * std::pow(10.0f, static_cast<float>(exponent(random)));
    const auto expected = ReferenceText(value);
    if (value == 0 || !expected) continue;
    ASSERT_EQ(DecimalText(value), *expected) << "bits of " << value;
    ++compared;
  }
  EXPECT_GT(compared, 19000);
}

// The text is rounded, not the single: 1.005 gives 1.01, 999.995 carries into a new
// digit, no digit beyond the seventh appears, a negative precision counts as 0, and a
// value that rounds to nothing gives +0 so that no word is ever written "-0".
TEST(RoundToPrecision, RoundsTheDecimalTextHalfAwayFromZero) {
  // clang-format off
  const std::tuple<float, int, float> cases[] = {
      {12.256f, 2, 12.26f}, {12.6f, 0, 13}, {2.5f, 0, 3}, {-2.5f, 0, -3}, {0.125f, 2, 0.13f},
      {-0.125f, 2, -0.13f}, {1.005f, 2, 1.01f}, {999.995f, 2, 1000}, {123456.789f, 2, 123456.8f},
      {12345678.0f, 2, 12345680.0f}, {0.1234567f, 12, 0.1234567f}, {7.77f, -1, 8}, {0.004f, 2, 0},
      {-0.004f, 2, 0}, {-0.4f, 0, 0}, {-1e-8f, 2, 0}, {-0.0f, 2, 0}};
  // clang-format on
  for (const auto& [value, precision, expected] : cases) {
    const float rounded = RoundToPrecision(value, precision);
    EXPECT_EQ(rounded, expected) << value << " at precision " << precision;
    EXPECT_EQ(std::signbit(rounded), std::signbit(expected)) << value;
  }
}

// The written value is kept: later steps of the writer work with it.
TEST(FormatCoordinateWord, WritesPrefixAndMagnitudeAndKeepsTheRoundedValue) {
  // clang-format off
  const std::tuple<char, float, int, const char*> cases[] = {
      {'X', 0, 2, " X0"}, {'X', 0.5f, 2, " X0.5"}, {'X', 12.256f, 2, " X12.26"}, {'X', 100, 2, " X100"},
      {'Y', -0.25f, 2, " Y-0.25"}, {'Y', -40.5f, 2, " Y-40.5"}, {'X', 0.004f, 2, " X0"},
      {'X', -0.004f, 2, " X0"}, {'Z', 12.6f, 0, " Z13"}, {'Z', -1, 2, " Z-1"}, {'I', 0.996f, 2, " I1"},
      {'J', -0.999f, 2, " J-1"}, {'J', -0.994f, 2, " J-0.99"}, {'Y', 0.001f, 3, " Y0.001"},
      {'X', 12345678.0f, 2, " X12345680"}};
  // clang-format on
  for (const auto& [letter, value, precision, word] : cases) {
    float kept = value;
    EXPECT_EQ(FormatCoordinateWord(letter, kept, precision), word) << value;
    EXPECT_EQ(kept, RoundToPrecision(value, precision)) << value;
  }
}

// Unlike the coordinate words no zero before the point; a value lost in the rounding
// still gives a number.
TEST(FormatFeedValue, DropsTrailingZerosAndThePoint) {
  // clang-format off
  const std::tuple<float, int, const char*> cases[] = {
      {5000, 2, "5000"}, {12.5f, 2, "12.5"}, {0.5f, 2, ".5"}, {250, 2, "250"}, {100, 3, "100"},
      {10.5f, 0, "11"}, {0.125f, 2, ".13"}, {-0.5f, 2, "-.5"}, {600.004f, 2, "600"}, {0.004f, 2, "0"}};
  // clang-format on
  for (const auto& [value, precision, text] : cases)
    EXPECT_EQ(FormatFeedValue(value, precision), text) << value;
}

// A text that is no number gives the unit system's default, a negative one 0, a
// fraction the whole number (halves to even). One settings object throughout: a
// changed text applies to the next value without a restart.
TEST(ProgramPrecision, ReadsTheCurrentTextOfTheUnitSystem) {
  // clang-format off
  const std::tuple<const char*, bool, int> cases[] = {
      {"4", false, 4}, {" 4 ", false, 4}, {"0", false, 0}, {"-1", false, 0}, {"", false, 2},
      {"3mm", false, 2}, {"+-1", false, 2}, {"2.5", false, 2}, {"3.5", false, 4}, {"", true, 3},
      {"1", true, 1}, {"-7", true, 0}};
  // clang-format on
  Settings settings;
  for (const auto& [text, inch, expected] : cases) {
    (inch ? settings.PrecisionInch : settings.PrecisionMetric) = text;
    EXPECT_EQ(ProgramPrecision(settings, inch), expected) << '"' << text << "\" inch " << inch;
  }
}

}  // namespace
}  // namespace mq
