#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>

#include "cli/json_writer.h"
#include "input/drawing_text.h"

namespace mq::cli {
namespace {

using namespace std::string_literals;

TEST(JsonString, EscapesWhatJsonRequires) {
  EXPECT_EQ(JsonString("plain"), "\"plain\"");
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString("l1\nl2\r\t"), "\"l1\\nl2\\r\\t\"");
  EXPECT_EQ(JsonString("nul\0x\x1f\x7f"s), "\"nul\\u0000x\\u001f\\u007f\"");
}

TEST(JsonString, KeepsUtf8AndReadsOtherBytesAsTheWindowsCodePage) {
  EXPECT_EQ(JsonString("Grav\xC3\xADr"), "\"Grav\xC3\xADr\"");
  EXPECT_EQ(JsonString("T\xDCR 90\xB0"), "\"T\\u00dcR 90\\u00b0\"");
  EXPECT_EQ(JsonString("\x80\x81"), "\"\\u20ac\\u0081\"");
  EXPECT_EQ(JsonString("\xE2\x82"), "\"\\u00e2\\u201a\"") << "a cut sequence is not copied";
  EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"\\u00ed\\u00a0\\u20ac\"") << "no surrogates";
}

TEST(JsonString, AlwaysGivesValidUtf8) {
  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes += static_cast<char>(b);
  EXPECT_TRUE(IsValidUtf8(JsonString(all_bytes + all_bytes.substr(128) + "\xF0\x9F")));
}

TEST(JsonWriter, IndentsAndWritesDeepContainersOnOneLine) {
  std::ostringstream out;
  JsonWriter json(out, 2);
  json.BeginObject();
  json.Key("name").String("x");
  json.Key("list").BeginArray();
  json.BeginObject().Key("a").Integer(-3).Key("b").Float(0.1f).Key("c").Bool(true).EndObject();
  json.BeginObject().Key("empty").BeginArray().EndArray().Key("n").Null().EndObject();
  json.EndArray();
  json.Key("none").BeginArray().EndArray();
  json.EndObject();
  json.Finish();
  EXPECT_EQ(out.str(),
            "{\n"
            "  \"name\": \"x\",\n"
            "  \"list\": [\n"
            "    {\"a\": -3, \"b\": 0.1, \"c\": true},\n"
            "    {\"empty\": [], \"n\": null}\n"
            "  ],\n"
            "  \"none\": []\n"
            "}\n");
}

TEST(JsonWriter, FloatsReadBackExactly) {
  std::ostringstream out;
  JsonWriter json(out, 0);
  json.BeginArray().Float(650.0541823996996f).Float(1e20f).Float(-0.6f).Float(12.5f);
  json.Float(std::numeric_limits<float>::infinity()).EndArray();
  EXPECT_EQ(out.str(), "[650.0542, 1e+20, -0.6, 12.5, null]");
}

}  // namespace
}  // namespace mq::cli
