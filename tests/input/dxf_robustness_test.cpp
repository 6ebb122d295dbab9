// The reader takes any bytes: mutated drawings and random garbage read to an end
// without crashing, hanging or reading out of bounds (run under the sanitizers).

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "reader_harness.h"

namespace mq {
namespace {

using test::DxfBuilder;

std::string SampleDrawing() {
  return DxfBuilder()
      .Rectangle("BORDER", -10, -5, 600, 400)
      .Polyline("ROUTE3 D5 F3000 T3$D10", {{10, 10, 0.5}, {50, 10}, {50, 60}}, 1, {{62, "3"}})
      .LwPolyline("EXCAV D4", {{100, 100, 1}, {120, 100}}, 1, {{210, "0"}, {220, "0"}, {230, "-1"}})
      .Text("POST", 0, 0, "POST INSTRUCTIONS")
      .Circle("VBORE12 D8", 30, 40, 4)
      .Solid("PANEL", 0, 0, 600, 0, 600, 400)
      .Build(true);
}

// One mutation of the drawing: a byte changed, bytes inserted or deleted, lines
// doubled, the file cut, or junk spliced in.
std::string Mutated(std::string text, std::mt19937& random) {
  const int mutations = 1 + static_cast<int>(random() % 8);
  for (int m = 0; m < mutations && !text.empty(); ++m) {
    const std::size_t at = random() % text.size();
    switch (random() % 6) {
      case 0: text[at] = static_cast<char>(random() % 256); break;
      case 1: text.insert(at, std::string(1 + random() % 4, static_cast<char>(random() % 256))); break;
      case 2: text.erase(at, 1 + random() % 16); break;
      case 3: text.insert(at, text.substr(at, random() % 64)); break;
      case 4: text.resize(at); break;
      default: {
        const char* const junk[] = {"\n0\n", "\n8\n", "\r", "\0", "\n10\n1e999999\n", "\n1\n",
                                    "\nENDSEC\n", "\nLWPOLYLINE\n", "\n  0\nSECTION\n  2\nENTITIES\n"};
        text.insert(at, junk[random() % (sizeof junk / sizeof junk[0])]);
      }
    }
  }
  return text;
}

TEST(DxfRobustness, MutatedDrawingsReadToAnEnd) {
  std::mt19937 random(7);
  const std::string sample = SampleDrawing();
  test::DrawingReading r;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int runs = 0;
  for (; runs < 400 && std::chrono::steady_clock::now() < deadline; ++runs) {
    r.run.FileFailed = kFalse;
    r.run.PendingMessage.clear();
    r.Write(Mutated(sample, random));
    r.Read();
    // Whatever was read, the invariants of the store hold.
    ASSERT_GE(r.store.LastIndex(), 1);
    for (const DrawingEntity& e : r.store.Entities) {
      ASSERT_LE(e.TextNumber, static_cast<int32_t>(r.store.EntityTexts.size()) - 1);
    }
    if (r.run.FileFailed == kFalse) {
      ASSERT_TRUE(r.store.Entities.back().IsBlank());
    }
  }
  EXPECT_GT(runs, 50);
}

TEST(DxfRobustness, RandomBytesReadToAnEnd) {
  std::mt19937 random(11);
  test::DrawingReading r;
  for (int run = 0; run < 60; ++run) {
    std::string bytes = "0\nSECTION\n2\nENTITIES\n";
    const std::size_t length = random() % 20000;
    for (std::size_t i = 0; i < length; ++i) {
      // Mostly digits, line ends and blanks, so that group pairs do form.
      const char alphabet[] = "0123456789\n\n\n\r -.E";
      bytes += random() % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % (sizeof alphabet - 1)];
    }
    r.Write(bytes);
    r.Read();
    ASSERT_GE(r.store.LastIndex(), 1);
  }
}

TEST(DxfRobustness, AbsurdValuesAreTakenCalmly) {
  const std::string long_line(200000, '9');
  test::DrawingReading r(test::SectionText({{0, "TEXT"}, {8, std::string(5000, 'l')}, {1, long_line},
                                            {10, long_line}, {20, "-" + long_line}, {62, "1e30"},
                                            {70, "-1e30"}, {72, "nan"}, {0, std::string(300, 'X')}}));
  ASSERT_FALSE(r.Failed());
  EXPECT_EQ(r.At(2).Layer.trimmed(), std::string(114, 'L'));
  EXPECT_EQ(r.store.TextOf(r.At(2)), long_line);
  EXPECT_EQ(r.At(2).X1, 0) << "beyond the float range";
  EXPECT_EQ(r.At(2).Color, 32767);
  EXPECT_EQ(r.At(2).Flags, -32768);
  EXPECT_EQ(r.At(3).EntityType, "XXXXXXXXXX");
}

TEST(DxfRobustness, EmptyAndTinyFiles) {
  for (const std::string& text : {std::string(), std::string("\n"), std::string("0"), std::string("ENTITIES"),
                                  std::string("SECTION\n2\nENTITIES"), std::string("\0\0\0", 3)}) {
    test::DrawingReading r(text);
    EXPECT_TRUE(r.Failed()) << '"' << text << '"';
    EXPECT_EQ(r.run.FailedFiles.size(), 1);
  }
}

}  // namespace
}  // namespace mq
