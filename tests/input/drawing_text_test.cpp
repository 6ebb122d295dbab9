#include "input/drawing_text.h"

#include <gtest/gtest.h>

#include <string>

#include "input/layer_codes.h"

namespace mq {
namespace {

TEST(Utf8, AcceptsWellFormedSequencesOnly) {
  struct Case {
    std::string text;
    bool valid;
  };
  const Case cases[] = {
      {"PANEL", true},
      {"Grav\xC3\xADr", true},              // í
      {"\xE2\x82\xAC", true},               // €
      {"\xF0\x9F\x98\x80", true},           // an emoji
      {"T\xFCR", false},                    // cp1252 ü
      {"\xC0\x80", false},                  // overlong NUL
      {"\xE0\x80\xAF", false},              // overlong
      {"\xED\xA0\x80", false},              // surrogate
      {"\xF4\x90\x80\x80", false},          // beyond U+10FFFF
      {"\xE2\x82", false},                  // cut short
      {"\x80", false},                      // stray continuation
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.text), c.valid) << c.text;
}

TEST(UpperCaseDrawingText, KeepsUtf8AndUpperCasesTheCodePage) {
  EXPECT_EQ(UpperCaseDrawingText("route d5"), "ROUTE D5");
  EXPECT_EQ(UpperCaseDrawingText("grav\xC3\xADr"), "GRAV\xC3\xADR") << "UTF-8 bytes stay as they are";
  EXPECT_EQ(UpperCaseDrawingText("t\xFCr \xF6l"), "T\xDCR \xD6L") << "cp1252 small letters are upper-cased";
}

TEST(UpperCaseDrawingText, LeavesNoCodePageLetterOnTheCodeCharacters) {
  // Of the bytes the layer language uses for its codes, only FR (the cp1252
  // division sign) can survive upper-casing of a cp1252 name.
  for (int b = 0xE0; b <= 0xFF; ++b) {
    const std::string upper = UpperCaseDrawingText(std::string("A") + static_cast<char>(b));
    const char c = upper[1];
    const bool code = c == code_char::FA || c == code_char::FD || c == code_char::LD ||
                      c == code_char::RO || c == code_char::RI || c == code_char::PD ||
                      c == code_char::ES || c == code_char::OZ;
    EXPECT_FALSE(code) << "byte " << b;
  }
}

TEST(Cp1252, MapsTheWindowsCodePage) {
  EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(Cp1252ToUnicode(0xB0), U'\u00B0');
  EXPECT_EQ(Cp1252ToUnicode(0x81), U'\u0081') << "undefined bytes map to the C1 control";
  std::string out;
  AppendUtf8(out, U'\u00FC');
  AppendUtf8(out, U'\u20AC');
  AppendUtf8(out, U'\U0001F600');
  EXPECT_EQ(out, "\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace mq
