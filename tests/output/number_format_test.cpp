#include "output/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace mq {
namespace {

struct TextCase {
  float value;
  const char* text;
};

TEST(DecimalText, IsTheSevenDigitTextOfTheSingle) {
  const TextCase cases[] = {
      {0, "0"},
      {-0.0f, "0"},  // no sign on zero
      {12, "12"},    // no point on whole values
      {12.5f, "12.5"},
      {.5f, ".5"},  // no zero before the point
      {-.5f, "-.5"},
      {100, "100"},
      {0.1f, ".1"},  // the single is 0.100000001: the eighth digit never shows
      {0.3f, ".3"},
      {1.0f / 3, ".3333333"},
      {2.0f / 3, ".6666667"},
      {1e-8f, ".00000001"},  // positional even when tiny
      {-0.004f, "-.004"},
      {1.5e-5f, ".000015"},
      {1e20f, "100000000000000000000"},  // and when huge
      {1234567.0f, "1234567"},
      {12345678.0f, "12345680"},  // the eighth digit is rounded away, not printed
      {16777217.0f, "16777220"},  // stored as 16777216
      {123456.789f, "123456.8"},
      {999.995f, "999.995"},  // stored as 999.99499512: seven digits give back 999.995
      {1.005f, "1.005"},      // stored as 1.00499999
      {9999999.0f, "9999999"},
      {0.01f, ".01"},            // stored as .0099999998: a carry through all seven digits
      {1.1640625f, "1.164063"},  // exactly half at the seventh digit: away from zero
      {-1.1640625f, "-1.164063"},
      {10000005.0f, "10000010"},
      {25.4f, "25.4"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecimalText(c.value), c.text) << "value " << c.value;
}

// The text as the C library writes a single with 7 significant digits, turned into the
// positional form. Exact halves are left out: the C library rounds them to even.
bool ReferenceText(float value, std::string& text) {
  char exact[64];
  std::snprintf(exact, sizeof exact, "%.30e", static_cast<double>(value));
  const std::string digits = std::string(exact).substr(value < 0 ? 1 : 0);
  const std::string tail = digits.substr(8, digits.find('e') - 8);  // eighth digit on
  if (tail.find_first_not_of('0', 1) == std::string::npos && tail[0] == '5') return false;
  char rounded[32];
  std::snprintf(rounded, sizeof rounded, "%.6e", static_cast<double>(std::fabs(value)));
  std::string mantissa = std::string(1, rounded[0]) + std::string(rounded + 2, 6);
  int point = std::atoi(rounded + 9) + 1;
  while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
  std::string whole, fraction;
  if (point <= 0) {
    fraction = std::string(-point, '0') + mantissa;
  } else if (point >= static_cast<int>(mantissa.size())) {
    whole = mantissa + std::string(point - mantissa.size(), '0');
  } else {
    whole = mantissa.substr(0, point);
    fraction = mantissa.substr(point);
  }
  text = (value < 0 ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
  return true;
}

TEST(DecimalText, AgreesWithTheLibraryTextOnRandomSingles) {
  std::mt19937 random(20240611);
  std::uniform_real_distribution<float> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-9, 9);
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    const float value = mantissa(random) * std::pow(10.0f, static_cast<float>(exponent(random)));
    std::string expected;
    if (value == 0 || !ReferenceText(value, expected)) continue;
    ASSERT_EQ(DecimalText(value), expected) << "bits of " << value;
    ++compared;
  }
  EXPECT_GT(compared, 19000);
}

struct RoundCase {
  float value;
  int precision;
  float expected;
};

TEST(RoundToPrecision, RoundsTheDecimalTextHalfAwayFromZero) {
  const RoundCase cases[] = {
      {12.256f, 2, 12.26f},
      {12.254f, 2, 12.25f},
      {12.6f, 0, 13},  // precision 0: whole numbers
      {12.4f, 0, 12},
      {2.5f, 0, 3},  // halves go away from zero
      {-2.5f, 0, -3},
      {0.5f, 0, 1},
      {0.4f, 0, 0},
      {0.125f, 2, 0.13f},
      {-0.125f, 2, -0.13f},
      {1.005f, 2, 1.01f},  // the text is 1.005 although the single is below it
      {0.045f, 2, 0.05f},
      {999.995f, 2, 1000},  // the text carries into a new digit
      {99.996f, 2, 100},
      {123456.789f, 2, 123456.8f},  // no digits beyond the seventh are invented
      {12345678.0f, 2, 12345680.0f},
      {123.4567f, 3, 123.457f},
      {0.1234567f, 7, 0.1234567f},
      {0.1234567f, 12, 0.1234567f},
      {600, 2, 600},
      {-40.5f, 2, -40.5f},
      {1e-8f, 2, 0},
      {1.5e-5f, 5, 0.00002f},
      {7.77f, -1, 8},  // a negative precision counts as 0
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundToPrecision(c.value, c.precision), c.expected)
        << c.value << " at precision " << c.precision;
  }
}

TEST(RoundToPrecision, AValueThatRoundsToNothingIsPositiveZero) {
  for (const float value : {0.004f, -0.004f, -0.0f, -1e-8f, -0.4f}) {
    const int precision = value == -0.4f ? 0 : 2;
    const float rounded = RoundToPrecision(value, precision);
    EXPECT_EQ(rounded, 0.0f) << value;
    EXPECT_FALSE(std::signbit(rounded)) << value;
  }
}

struct WordCase {
  char letter;
  float value;
  int precision;
  const char* word;
};

TEST(FormatCoordinateWord, WritesPrefixAndMagnitude) {
  const WordCase cases[] = {
      {'X', 0, 2, " X0"},
      {'X', 0.5f, 2, " X0.5"},
      {'X', 12.256f, 2, " X12.26"},
      {'X', 100, 2, " X100"},
      {'Y', -0.25f, 2, " Y-0.25"},
      {'Y', -40.5f, 2, " Y-40.5"},
      {'X', 0.004f, 2, " X0"},  // rounds to 0: no sign, no point
      {'X', -0.004f, 2, " X0"},
      {'Z', 12.6f, 0, " Z13"},
      {'Z', -1, 2, " Z-1"},
      {'I', 0.996f, 2, " I1"},    // rounds up to 1: no leading zero any more
      {'J', -0.999f, 2, " J-1"},  // and no "-0" either
      {'J', -0.994f, 2, " J-0.99"},
      {'X', 0.05f, 1, " X0.1"},
      {'Y', 0.001f, 3, " Y0.001"},
      {'X', 600, 2, " X600"},
      {'X', 12345678.0f, 2, " X12345680"},
      {'X', 999.995f, 2, " X1000"},
  };
  for (const auto& c : cases) {
    float value = c.value;
    EXPECT_EQ(FormatCoordinateWord(c.letter, value, c.precision), c.word) << c.value;
  }
}

TEST(FormatCoordinateWord, ReplacesTheValueByTheRoundedOne) {
  // Later steps of the writer work with the number that was written.
  float value = 12.256f;
  FormatCoordinateWord('X', value, 2);
  EXPECT_EQ(value, 12.26f);
  value = -0.004f;
  FormatCoordinateWord('Y', value, 2);
  EXPECT_EQ(value, 0.0f);
  EXPECT_FALSE(std::signbit(value));
}

struct FeedCase {
  float value;
  int precision;
  const char* text;
};

TEST(FormatFeedValue, DropsThePointOfWholeValues) {
  const FeedCase cases[] = {
      {5000, 2, "5000"}, {12.5f, 2, "12.5"}, {0.5f, 2, ".5"},  // no zero before the point, unlike the
                                                               // coordinate words
      {250, 2, "250"},   {5000, 0, "5000"},                    // the zeros of the whole number stay
      {100, 3, "100"},   {10.5f, 0, "11"},   {12.345f, 2, "12.35"}, {0.125f, 2, ".13"},
      {-0.5f, 2, "-.5"}, {2000, 3, "2000"},  {600.004f, 2, "600"},  {1234567.0f, 2, "1234567"},
      {0.004f, 2, "0"},  // a value lost in the rounding still gives a number
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFeedValue(c.value, c.precision), c.text) << c.value << " at precision " << c.precision;
  }
}

TEST(FormatCompensationValue, PutsAZeroBeforeTheLeadingPoint) {
  const TextCase cases[] = {{0.5f, "0.5"},     {-0.5f, "0.5"},   {3, "3"},         {-3, "3"},
                            {12.75f, "12.75"}, {-0.25f, "0.25"}, {0.005f, "0.005"}};
  for (const auto& c : cases) EXPECT_EQ(FormatCompensationValue(c.value), c.text) << c.value;
}

struct PrecisionCase {
  const char* text;
  bool inch;
  int expected;
};

TEST(ProgramPrecision, ReadsTheFieldOfTheUnitSystem) {
  const PrecisionCase cases[] = {
      {"2", false, 2},   {"4", false, 4},   {" 4 ", false, 4}, {"0", false, 0},
      {"+1", false, 1},  {"-1", false, 0},  // negative counts as 0
      {"", false, 2},                       // not a number: the default of the unit system
      {"abc", false, 2}, {"3mm", false, 2}, {"inf", false, 2}, {"nan", false, 2},
      {"+-1", false, 2}, {"", true, 3},     {"x", true, 3},    {"1", true, 1},
      {"-7", true, 0},   {"2.5", false, 2},  // whole number, halves to even
      {"3.5", false, 4},
  };
  for (const auto& c : cases) {
    Settings settings;
    (c.inch ? settings.PrecisionInch : settings.PrecisionMetric) = c.text;
    EXPECT_EQ(ProgramPrecision(settings, c.inch), c.expected) << '"' << c.text << "\" inch " << c.inch;
  }
}

TEST(ProgramPrecision, DefaultsAreTwoMetricAndThreeInch) {
  const Settings settings;
  EXPECT_EQ(ProgramPrecision(settings, false), 2);
  EXPECT_EQ(ProgramPrecision(settings, true), 3);
}

TEST(ProgramPrecision, AChangedSettingAppliesToTheNextValue) {
  Settings settings;
  float first = 12.256f;
  EXPECT_EQ(FormatCoordinateWord('X', first, ProgramPrecision(settings, false)), " X12.26");
  settings.PrecisionMetric = "1";
  float second = 12.256f;
  EXPECT_EQ(FormatCoordinateWord('X', second, ProgramPrecision(settings, false)), " X12.3");
}

TEST(MillimetresPerUnit, IsAnInchInInchMode) {
  EXPECT_EQ(MillimetresPerUnit(true), 25.4f);
  EXPECT_EQ(MillimetresPerUnit(false), 1.0f);
}

}  // namespace
}  // namespace mq
