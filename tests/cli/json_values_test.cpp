#include "cli/json_values.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "input/drawing_text.h"

namespace mq::cli {
namespace {

// Well-formed UTF-8 passes; other bytes are read as cp1252 (expected texts are JSON).
TEST(TextAsUtf8, KeepsUtf8AndReadsOtherBytesAsCp1252) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\"b\\c\n", R"("a\"b\\c\n")"},
      {"Grav\xC3\xADr", R"("Grav\u00edr")"},
      {"T\xDCR 90\xB0", R"("T\u00dcR 90\u00b0")"},
      {"\x80\x81", R"("\u20ac\u0081")"},
      {"\xE2\x82", R"("\u00e2\u201a")"},             // a cut sequence is not copied
      {"\xED\xA0\x80", R"("\u00ed\u00a0\u20ac")"}};  // no surrogates
  for (const auto& [text, json] : cases) EXPECT_EQ(TextAsUtf8(text), Json::parse(json)) << json;

  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes += static_cast<char>(b);
  const std::string text = all_bytes + all_bytes.substr(128) + "\xF0\x9F";
  EXPECT_TRUE(IsValidUtf8(TextAsUtf8(text)));
  // Control characters survive the round trip through the printed text.
  EXPECT_EQ(Json::parse(JsonText(all_bytes.substr(0, 128)).dump()), all_bytes.substr(0, 128));
}

// Common values print as the shortest text that reads back as the float.
TEST(JsonFloat, PrintsTheShortestTextOfTheFloat) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const std::pair<float, const char*> cases[] = {
      {0.1f, "0.1"},   {650.0541823996996f, "650.0542"},
      {-0.6f, "-0.6"}, {12.5f, "12.5"},
      {5.0f, "5"},     {0.0f, "0"},
      {-0.0f, "-0.0"}, {1e20f, "1e+20"},
      {kInf, "null"},  {std::numeric_limits<float>::quiet_NaN(), "null"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(JsonFloat(value).dump(), text) << text;
}

// Over floats spread across the whole range: the printed text is the value the float's
// shortest text reads as, and it reads back as the same float.
TEST(JsonFloat, ReadsBackAsTheSameFloatAcrossTheRange) {
  for (uint32_t bits = 1; bits < 0x7F800000u; bits += 9973u) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    char shortest[32];
    const char* end = std::to_chars(shortest, shortest + sizeof shortest, value).ptr;
    double expected = 0;
    std::from_chars(shortest, end, expected);
    const std::string printed = JsonFloat(value).dump();
    double read = 0;
    float read_float = 0;
    std::from_chars(printed.data(), printed.data() + printed.size(), read);
    std::from_chars(printed.data(), printed.data() + printed.size(), read_float);
    ASSERT_EQ(read, expected) << printed;
    ASSERT_EQ(read_float, value) << printed;
  }
}

}  // namespace
}  // namespace mq::cli
