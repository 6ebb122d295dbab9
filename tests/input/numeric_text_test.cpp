#include "input/numeric_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace mq {
namespace {

TEST(ReadNumber, FollowsTheNumericPrefixRule) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"12.5", 12.5},
      {"  -3.25  ", -3.25},
      {"+7", 7},
      {"1 000", 1000},           // blanks inside are stepped over
      {"\t4\n2", 42},            // so are tabs and line feeds
      {"12P5", 12},              // P is no decimal point for this rule
      {"1.5E3", 1500},
      {"1.5e-2", 0.015},
      {"2D2", 200},              // D is an exponent marker too
      {"2d-1", 0.2},
      {"3E", 3},                 // an exponent marker without digits is ignored
      {"3E+", 3},
      {"-0.0000", 0},
      {".5", 0.5},
      {"5.", 5},
      {"1.2.3", 1.2},
      {"- 5", -5},
      {"--5", 0},
      {"abc", 0},
      {"", 0},
      {".", 0},
      {"-", 0},
      {"e5", 0},
      {"6,63671875", 6},         // a decimal comma ends the number
      {"1E400", 0},              // an infinity reads as 0
      {"-1E400", 0},
      {"1E-400", 0},
      {"nan", 0},
      {"inf", 0},
      {"0x1A", 0},
      {"2.22507e-308", 2.22507e-308},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ReadNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ReadNumber, ReadsVeryLongDigitRunsExactly) {
  EXPECT_DOUBLE_EQ(ReadNumber(std::string(300, '0') + "1.5"), 1.5);
  EXPECT_DOUBLE_EQ(ReadNumber("0." + std::string(200, '0') + "1E200"), 1e-1);
  EXPECT_EQ(ReadNumber(std::string(5000, '9')), 0) << "beyond the double range reads as 0";
}

TEST(ReadCodeNumber, NeverTakesAnExponent) {
  EXPECT_DOUBLE_EQ(ReadCodeNumber("40 D5"), 40);
  EXPECT_DOUBLE_EQ(ReadCodeNumber("8.5 E2"), 8.5);
  EXPECT_DOUBLE_EQ(ReadCodeNumber(" 1 2 "), 12);
  EXPECT_DOUBLE_EQ(ReadCodeNumber("-3P5"), -3);
}

TEST(ReadSingle, StoresAsFloatAndDropsWhatAFloatCannotHold) {
  EXPECT_EQ(ReadSingle("0.1"), 0.1f);
  EXPECT_EQ(ReadSingle("1E39"), 0.0f);
  EXPECT_EQ(ReadSingle("-1E300"), 0.0f);
  EXPECT_EQ(ReadSingle("3.4E38"), 3.4e38f);
}

TEST(RoundToInt16, HalvesToEvenAndClampsInsteadOfWrapping) {
  struct Case {
    double value;
    int16_t rounded;
  };
  const Case cases[] = {
      {0.5, 0},      {1.5, 2},        {2.5, 2},           {-0.5, 0},         {-1.5, -2},
      {-2.5, -2},    {2.4999, 2},     {2.5001, 3},        {32767.4, 32767},  {32767.5, 32767},
      {40000, 32767}, {-32768.5, -32768}, {-1e9, -32768}, {1e300, 32767},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundToInt16(c.value), c.rounded) << c.value;
  EXPECT_EQ(RoundToInt16(std::nan("")), 0);
}

TEST(RoundToInt32, HalvesToEvenAndClamps) {
  EXPECT_EQ(RoundToInt32(1000.5), 1000);
  EXPECT_EQ(RoundToInt32(1001.5), 1002);
  EXPECT_EQ(RoundToInt32(-7.5), -8);
  EXPECT_EQ(RoundToInt32(3e9), 2147483647);
  EXPECT_EQ(RoundToInt32(-3e9), -2147483647 - 1);
}

TEST(FormatSingle, WritesNumbersIntoNamesWithoutBlanks) {
  EXPECT_EQ(FormatSingle(12.5f), "12.5");
  EXPECT_EQ(FormatSingle(3.0f), "3");
  EXPECT_EQ(FormatSingle(-2.0f), "-2");
  EXPECT_EQ(FormatSingle(100.0f), "100");
  EXPECT_EQ(FormatSingle(0.1f), "0.1");
  EXPECT_EQ(FormatSingle(0.0f), "0");
  EXPECT_EQ(FormatSingle(-0.0f), "0");
  EXPECT_EQ(FormatSingle(12345678.0f), "1.234568E+07");
}

}  // namespace
}  // namespace mq
