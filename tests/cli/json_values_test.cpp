#include "cli/json_values.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "input/drawing_text.h"

namespace mq::cli {
namespace {

// Well-formed UTF-8 passes; other bytes are read as cp1252 (expected texts are JSON): a
// cut sequence is not copied, nor a surrogate. Every byte comes out valid, and control
// characters survive the round trip through the printed text.
TEST(JsonValues, TextAsUtf8AndFloatsAsTheirShortestText) {
  // clang-format off
  const std::pair<std::string, std::string> texts[] = {
      {"a\"b\\c\n", R"("a\"b\\c\n")"}, {"Grav\xC3\xADr", R"("Grav\u00edr")"}, {"T\xDCR 90\xB0", R"("T\u00dcR 90\u00b0")"},
      {"\x80\x81", R"("\u20ac\u0081")"}, {"\xE2\x82", R"("\u00e2\u201a")"}, {"\xED\xA0\x80", R"("\u00ed\u00a0\u20ac")"}};
  // clang-format on
  for (const auto& [text, json] : texts) EXPECT_EQ(TextAsUtf8(text), Json::parse(json)) << json;
  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes += static_cast<char>(b);
  EXPECT_TRUE(IsValidUtf8(TextAsUtf8(all_bytes + all_bytes.substr(128) + "\xF0\x9F")));
  EXPECT_EQ(Json::parse(JsonText(all_bytes.substr(0, 128)).dump()), all_bytes.substr(0, 128));
  // A float prints as its shortest text, not as the double it widens to (650.0542, not
  // 650.0541992...); a whole number as an integer.
  constexpr float kInf = std::numeric_limits<float>::infinity();
  // clang-format off
  const std::pair<float, const char*> floats[] = {
      {0.1f, "0.1"}, {650.0541823996996f, "650.0542"}, {-0.6f, "-0.6"}, {12.5f, "12.5"}, {5.0f, "5"}, {0.0f, "0"},
      {-0.0f, "-0.0"}, {1e20f, "1e+20"}, {kInf, "null"}, {std::numeric_limits<float>::quiet_NaN(), "null"}};
  // clang-format on
  for (const auto& [value, text] : floats) EXPECT_EQ(JsonFloat(value).dump(), text) << text;
}

}  // namespace
}  // namespace mq::cli
