#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>

#include "cli/json_writer.h"
#include "input/drawing_text.h"

namespace mq::cli {
namespace {

using namespace std::string_literals;

// Well-formed UTF-8 passes, other bytes are read as cp1252, control characters escaped.
TEST(JsonString, EscapesAndWritesOldDrawingBytesAsUtf8) {
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {"a\"b\\c", "\"a\\\"b\\\\c\""}, {"l1\nl2\r\t", "\"l1\\nl2\\r\\t\""},
      {"nul\0x\x1f\x7f"s, "\"nul\\u0000x\\u001f\\u007f\""},
      {"Grav\xC3\xADr", "\"Grav\xC3\xADr\""}, {"T\xDCR 90\xB0", "\"T\\u00dcR 90\\u00b0\""},
      {"\x80\x81", "\"\\u20ac\\u0081\""},
      {"\xE2\x82", "\"\\u00e2\\u201a\""},                // a cut sequence is not copied
      {"\xED\xA0\x80", "\"\\u00ed\\u00a0\\u20ac\""}};  // no surrogates
  // clang-format on
  for (const auto& [text, json] : cases) EXPECT_EQ(JsonString(text), json) << json;

  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes += static_cast<char>(b);
  EXPECT_TRUE(IsValidUtf8(JsonString(all_bytes + all_bytes.substr(128) + "\xF0\x9F")));
}

// Nesting and indentation show in the inspect and layer outputs; here the numbers: the
// shortest text that reads back as the same float, null for what JSON cannot hold.
TEST(JsonWriter, FloatsReadBackExactly) {
  std::ostringstream out;
  JsonWriter json(out, 0);
  json.BeginArray().Float(650.0541823996996f).Float(1e20f).Float(-0.6f).Float(12.5f);
  json.Float(std::numeric_limits<float>::infinity()).BeginArray().EndArray().EndArray();
  EXPECT_EQ(out.str(), "[650.0542, 1e+20, -0.6, 12.5, null, []]");
}

}  // namespace
}  // namespace mq::cli
