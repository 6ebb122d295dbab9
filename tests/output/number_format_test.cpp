#include "output/number_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
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

// The seven digits worked out in integers pinned against the exact decimal text of the
// single (all its digits), rounded half up at the seventh, on random singles of every size.
TEST(DecimalText, MatchesTheExactDecimalTextRounded) {
  auto plain = [](float v) {
    char buffer[160];
    *std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(double(v)), std::chars_format::scientific,
                   112)
         .ptr = 0;
    std::string digits = buffer[0] + std::string(buffer + 2, buffer + 9);  // 8 significant digits
    int point = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
    if (digits[7] >= '5') {  // half up, carried
      int i = 6;
      while (i >= 0 && digits[i] == '9') digits[i--] = '0';
      i >= 0 ? void(++digits[i]) : void((digits.insert(0, "1"), ++point));
    }
    digits.resize(7);
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    std::string whole = point > 0 ? digits.substr(0, std::min<std::size_t>(point, digits.size())) : "";
    whole.resize(std::max(point, 0) > int(whole.size()) ? std::size_t(point) : whole.size(), '0');
    const std::string fraction = point >= 0 ? (std::size_t(point) < digits.size() ? digits.substr(point) : "")
                                            : std::string(-point, '0') + digits;
    return (v < 0 ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
  };
  std::mt19937 random(11);
  for (int k = 0; k < 200000; ++k) {
    const float v =
        std::ldexp(std::uniform_real_distribution<float>(-1, 1)(random), int(random() % 100) - 50);
    if (v == 0) continue;
    ASSERT_EQ(DecimalText(v), plain(v)) << v;
  }
}

// The text is rounded, not the single: 1.005 gives 1.01, 999.995 carries into a new
// digit, no digit beyond the seventh appears, a negative precision counts as 0, and a
// value that rounds to nothing gives +0, so that no word is ever written "-0". The
// coordinate word keeps the rounded value for the writer's later steps; the feed text has
// no zero before the point and still a number when the value is lost in the rounding.
TEST(RoundToPrecision, RoundsTheDecimalTextHalfAwayFromZeroForWordsAndFeeds) {
  // Value, precision, rounded value, coordinate word, feed text.
  // clang-format off
  const std::tuple<float, int, float, const char*, const char*> cases[] = {
      {12.256f, 2, 12.26f, " X12.26", "12.26"}, {12.6f, 0, 13, " X13", "13"}, {2.5f, 0, 3, " X3", "3"},
      {-2.5f, 0, -3, " X-3", "-3"}, {0.125f, 2, 0.13f, " X0.13", ".13"}, {-0.125f, 2, -0.13f, " X-0.13", "-.13"},
      {1.005f, 2, 1.01f, " X1.01", "1.01"}, {999.995f, 2, 1000, " X1000", "1000"},
      {123456.789f, 2, 123456.8f, " X123456.8", "123456.8"}, {12345678.0f, 2, 12345680.0f, " X12345680", "12345680"},
      {0.1234567f, 12, 0.1234567f, " X0.1234567", ".1234567"}, {7.77f, -1, 8, " X8", "8"},
      {0.004f, 2, 0, " X0", "0"}, {-0.004f, 2, 0, " X0", "0"}, {-0.4f, 0, 0, " X0", "0"}, {-1e-8f, 2, 0, " X0", "0"},
      {-0.0f, 2, 0, " X0", "0"}, {0.5f, 2, 0.5f, " X0.5", ".5"}, {-0.25f, 2, -0.25f, " X-0.25", "-.25"},
      {-40.5f, 2, -40.5f, " X-40.5", "-40.5"}, {0.996f, 2, 1, " X1", "1"}, {-0.999f, 2, -1, " X-1", "-1"},
      {-0.994f, 2, -0.99f, " X-0.99", "-.99"}, {0.001f, 3, 0.001f, " X0.001", ".001"},
      {5000, 2, 5000, " X5000", "5000"}, {600.004f, 2, 600, " X600", "600"}};
  // clang-format on
  for (const auto& [value, precision, rounded, word, feed] : cases) {
    float kept = value;
    EXPECT_EQ(FormatCoordinateWord('X', kept, precision) + " " + FormatFeedValue(value, precision),
              word + (" " + std::string(feed)))
        << value << " at precision " << precision;
    EXPECT_EQ((std::vector{kept, RoundToPrecision(value, precision)}), std::vector(2, rounded)) << value;
    EXPECT_FALSE(std::signbit(kept) && kept == 0) << value;
  }
}

// A text that is no number gives the unit system's default, a negative one 0, a
// fraction the whole number (halves to even). One settings object throughout: a
// changed text applies to the next value without a restart.
TEST(ProgramPrecision, ReadsTheCurrentTextOfTheUnitSystem) {
  // clang-format off
  const std::tuple<const char*, bool, int> cases[] = {
      {"4", false, 4}, {" 4 ", false, 4}, {"0", false, 0}, {"-1", false, 0}, {"", false, 2}, {"3mm", false, 2},
      {"+-1", false, 2}, {"abc", false, 2}, {"2.5", false, 2}, {"3.5", false, 4}, {"", true, 3}, {"1", true, 1},
      {"-7", true, 0}, {"inf", true, 3}, {"nan", false, 2}, {"+5", true, 5}, {"1000", false, 99}};
  // clang-format on
  Settings settings;
  for (const auto& [text, inch, expected] : cases) {
    (inch ? settings.PrecisionInch : settings.PrecisionMetric) = text;
    EXPECT_EQ(ProgramPrecision(settings, inch), expected) << '"' << text << "\" inch " << inch;
  }
}

}  // namespace
}  // namespace mq
