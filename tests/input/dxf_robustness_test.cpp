// The reader takes any bytes: lines of any length with any line ends, real drawings of
// other programs, mutated drawings and random garbage read to an end without crashing,
// hanging or reading out of bounds (run under the sanitizers).

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "input/dxf_lines.h"
#include "reader_harness.h"

namespace mq {
namespace {

namespace fs = std::filesystem;
using test::DrawingReading;
using Counts = std::map<std::string, int>;
using namespace std::string_literals;

using Lines = std::vector<std::string>;
constexpr std::size_t kBlock = std::size_t{1} << 20;  // the reader's block size

Lines ReadAllLines(const std::string& content) {
  DrawingReading file;
  file.Write(content);
  DxfLineReader reader;
  std::string error;
  EXPECT_TRUE(reader.Open(file.path, error)) << error;
  Lines lines;
  std::string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  EXPECT_EQ(reader.LineNumber(), static_cast<int64_t>(lines.size()));
  EXPECT_EQ(reader.BytesConsumed(), content.size());
  return lines;
}

TEST(DxfLineReader, SplitsAtEveryKindOfLineEnd) {
  const std::string a_block(kBlock - 1, 'a'), huge(3 * kBlock + 17, 'z');
  struct Case {
    std::string content;
    Lines lines;
  };
  // A CR LF split by a block end is one line end; a line longer than a block comes whole.
  // clang-format off
  const Case cases[] = {
      {"", {}}, {"a", {"a"}}, {"a\nb", {"a", "b"}}, {"a\r\nb\r\n", {"a", "b"}}, {"a\rb\r", {"a", "b"}},
      {"a\r\rb", {"a", "", "b"}}, {"a\r\r\nb", {"a", "", "b"}}, {"\n\n", {"", ""}},
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}}, {a_block + "\r\nb\n", {a_block, "b"}},
      {a_block + "a\r\nb\n", {a_block + "a", "b"}}, {a_block + "aa\r\nb\n", {a_block + "aa", "b"}},
      {"a\n" + huge + "\nb", {"a", huge, "b"}},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(ReadAllLines(c.content), c.lines) << c.content.substr(0, 20);
}

// Random lines of random bytes and line ends, across several blocks, compared with
// the lines they were made of.
TEST(DxfLineReader, LinesAcrossBlockBoundariesComeOutWhole) {
  std::mt19937 random(20240611);
  const char* const ends[] = {"\n", "\r\n", "\r"};
  std::string content;
  Lines expected;
  std::string previous_end;
  while (content.size() < 5 * kBlock) {
    std::string line(random() % 7 == 0 ? random() % 4000 : random() % 24, 'x');
    for (char& c : line) {
      c = static_cast<char>(random() % 256);
      if (c == '\n' || c == '\r') c = 'x';
    }
    // After a lone CR an empty line ending in LF would make a CR LF pair.
    const std::string end = previous_end == "\r" && line.empty() ? "\r" : ends[random() % 3];
    content += line + end;
    expected.push_back(line);
    previous_end = end;
  }
  const Lines lines = ReadAllLines(content);
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST(GroupCodeOf, ReadsCodesAsTextWithoutBlanksAndNuls) {
  struct Case {
    std::string line;
    int code;
  };
  const int kNone = kUnknownGroupCode;
  // clang-format off
  const Case cases[] = {
      {"0", 0}, {"  0", 0}, {" 10", 10}, {"1 0", 10}, {std::string("2\0" "0", 3), 20}, {"1071", 1071},
      {"", kNone}, {"   ", kNone}, {"010", kNone}, {"00", kNone}, {"-1", kNone}, {"1a", kNone},
      {"\t10", kNone}, {"99999", kNone}, {"99999999999999999999", kNone},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(GroupCodeOf(c.line), c.code) << '"' << c.line << '"';
}

TEST(DxfCorpus, EveryDrawingReadsOrFailsCleanly) {
  const fs::path corpus(MARQUILL_CORPUS_DIR);
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  // Entity counts of a few files; the LWPOLYLINE of four vertices of the R2018 sample
  // becomes POLYLINE, 4 VERTEX and SEQEND.
  const std::map<std::string, Counts> known = {
      {"gear_r12_polyline_bulges.dxf", {{"POLYLINE", 255}, {"VERTEX", 2852}, {"SEQEND", 255}}},
      {"openscad_cnc_layout_noheader.dxf", {{"LINE", 2088}}},
      {"acad_r2018_sample.dxf",
       {{"LINE", 3}, {"CIRCLE", 1}, {"TEXT", 1}, {"POLYLINE", 1}, {"VERTEX", 4}, {"SEQEND", 1}}},
      {"r12_trash_beyond_eof.dxf", {{"CIRCLE", 1}}}};
  int drawings = 0, counted = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
    const std::string name = entry.path().filename().string();
    if (name.size() < 4 || name.substr(name.size() - 4) != ".dxf") continue;
    ++drawings;
    DrawingReading r;
    r.path = entry.path().string();
    r.Read();
    if (name.rfind("binary_", 0) == 0) {
      EXPECT_NE(r.run.PendingMessage.find("binary DXF"), std::string::npos) << name;
      EXPECT_TRUE(r.Failed()) << name;
      continue;
    }
    EXPECT_FALSE(r.Failed()) << name << ": " << r.run.PendingMessage;
    EXPECT_GT(r.store.LastIndex(), 2) << name;
    EXPECT_TRUE(r.store.Entities.back().IsBlank()) << name;
    if (known.count(name) == 0) continue;
    Counts types;
    for (const std::string& type : r.Types()) ++types[type];
    EXPECT_EQ(types, known.at(name)) << name;
    ++counted;
  }
  EXPECT_GT(drawings, 30);
  EXPECT_EQ(counted, 4);
}

// One to eight mutations: a byte changed, bytes inserted or deleted, a run doubled,
// the file cut, or junk spliced in.
std::string Mutated(std::string text, std::mt19937& random) {
  // clang-format off
  const char* const junk[] = {"\n0\n", "\n8\n", "\r", "\0", "\n10\n1e999999\n", "\n1\n", "\nENDSEC\n",
                              "\nLWPOLYLINE\n", "\n  0\nSECTION\n  2\nENTITIES\n"};
  // clang-format on
  for (int m = 1 + static_cast<int>(random() % 8); m > 0 && !text.empty(); --m) {
    const std::size_t at = random() % text.size();
    // clang-format off
    switch (random() % 6) {
      case 0: text[at] = static_cast<char>(random() % 256); break;
      case 1: text.insert(at, std::string(1 + random() % 4, static_cast<char>(random() % 256))); break;
      case 2: text.erase(at, 1 + random() % 16); break;
      case 3: text.insert(at, text.substr(at, random() % 64)); break;
      case 4: text.resize(at); break;
      default: text.insert(at, junk[random() % std::size(junk)]);
    }
    // clang-format on
  }
  return text;
}

TEST(DxfRobustness, MutatedDrawingsAndRandomBytesReadToAnEnd) {
  const std::string sample =
      test::DxfBuilder()
          .Rectangle("BORDER", -10, -5, 600, 400)
          .Polyline("ROUTE3 D5 F3000 T3$D10", {{10, 10, 0.5}, {50, 10}, {50, 60}}, 1, {{62, "3"}})
          .LwPolyline("EXCAV D4", {{100, 100, 1}, {120, 100}}, 1, {{210, "0"}, {220, "0"}, {230, "-1"}})
          .Text("POST", 0, 0, "POST INSTRUCTIONS")
          .Circle("VBORE12 D8", 30, 40, 4)
          .Solid("PANEL", 0, 0, 600, 0, 600, 400)
          .Build(true);
  std::mt19937 random(7);
  DrawingReading r;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int runs = 0;
  for (; runs < 460 && std::chrono::steady_clock::now() < deadline; ++runs) {
    std::string text = "0\nSECTION\n2\nENTITIES\n";
    // Every eighth run random bytes, mostly those that form group pairs.
    const char alphabet[] = "0123456789\n\n\n\r -.E";
    for (std::size_t i = runs % 8 == 0 ? random() % 20000 : 0; i > 0; --i) {
      text +=
          random() % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % (sizeof alphabet - 1)];
    }
    r.Write(runs % 8 == 0 ? text : Mutated(sample, random));
    r.run.FileFailed = false;
    r.Read();
    // Whatever was read, the invariants of the store hold.
    ASSERT_GE(r.store.LastIndex(), 1);
    for (const DrawingEntity& e : r.store.Entities) {
      ASSERT_LT(e.TextNumber, static_cast<int32_t>(r.store.EntityTexts.size()));
    }
    ASSERT_TRUE(r.Failed() || r.store.Entities.back().IsBlank());
  }
  EXPECT_GT(runs, 50);
}

TEST(DxfRobustness, AbsurdValuesAreTakenCalmly) {
  const std::string long_line(200000, '9');
  // clang-format off
  DrawingReading r(test::SectionText({{0, "TEXT"}, {8, std::string(5000, 'l')}, {1, long_line}, {10, long_line},
                                      {20, "-" + long_line}, {11, "nan"}, {62, "1e30"}, {70, "-1e30"},
                                      {72, "nan"}, {0, std::string(300, 'X')}}));
  // clang-format on
  // Numbers beyond the float range, or none, read as 0; integers are clamped, not wrapped.
  EXPECT_EQ(r.Dumps(), (Lines{"TEXT '" + std::string(114, 'L') + "' Color=32767 Flags=-32768 TextIndex=1",
                              "XXXXXXXXXX", ""}));
  EXPECT_EQ(r.store.TextOf(r.At(2)), long_line);
  for (const std::string& text : {""s, "\n"s, "0"s, "ENTITIES"s, "SECTION\n2\nENTITIES"s, "\0\0\0"s}) {
    EXPECT_TRUE(DrawingReading(text).Failed()) << "the tiny file '" << text << "' fails";
  }
}

}  // namespace
}  // namespace mq
