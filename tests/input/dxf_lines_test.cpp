#include "input/dxf_lines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "support/dxf_builder.h"

namespace mq {
namespace {

using test::ScratchDirectory;

std::vector<std::string> ReadAllLines(const std::string& content, uint64_t* consumed = nullptr) {
  ScratchDirectory scratch("lines");
  const std::string path = (scratch / "lines.dxf").string();
  std::ofstream(path, std::ios::binary) << content;
  DxfLineReader reader;
  std::string error;
  EXPECT_TRUE(reader.Open(path, error)) << error;
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(line)) {
    lines.emplace_back(line);
    EXPECT_EQ(reader.LineNumber(), static_cast<int64_t>(lines.size()));
  }
  if (consumed) *consumed = reader.BytesConsumed();
  return lines;
}

TEST(DxfLineReader, SplitsAtEveryKindOfLineEnd) {
  struct Case {
    std::string content;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"\n\n", {"", ""}},
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadAllLines(c.content), c.lines) << c.content;
}

// Random lines of random bytes and line ends, across several blocks, compared with
// the lines they were made of.
TEST(DxfLineReader, LinesAcrossBlockBoundariesComeOutWhole) {
  std::mt19937 random(20240611);
  const char* const ends[] = {"\n", "\r\n", "\r"};
  std::string content;
  std::vector<std::string> expected;
  std::string previous_end;
  while (content.size() < (std::size_t{5} << 20)) {
    const std::size_t length = random() % 7 == 0 ? random() % 4000 : random() % 24;
    std::string line;
    for (std::size_t i = 0; i < length; ++i) {
      char c = static_cast<char>(random() % 256);
      if (c == '\n' || c == '\r') c = 'x';
      line += c;
    }
    std::string end = ends[random() % 3];
    // After a lone CR an empty line ending in LF would make a CR LF pair.
    if (previous_end == "\r" && line.empty()) end.assign(1, '\r');
    content += line;
    content += end;
    expected.push_back(line);
    previous_end = end;
  }
  uint64_t consumed = 0;
  const std::vector<std::string> lines = ReadAllLines(content, &consumed);
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(lines[i], expected[i]) << "line " << i + 1;
  EXPECT_EQ(consumed, content.size());
}

TEST(DxfLineReader, CrLfSplitByABlockEndIsOneLineEnd) {
  constexpr std::size_t kBlock = std::size_t{1} << 20;  // the reader's block size
  for (std::size_t cr_at : {kBlock - 1, kBlock, kBlock + 1}) {
    std::string content(cr_at, 'a');
    content += "\r\nb\n";
    EXPECT_EQ(ReadAllLines(content), (std::vector<std::string>{std::string(cr_at, 'a'), "b"})) << cr_at;
  }
}

TEST(DxfLineReader, LineLongerThanABlockIsReadWhole) {
  const std::string huge(3 * (std::size_t{1} << 20) + 17, 'z');
  EXPECT_EQ(ReadAllLines("a\n" + huge + "\nb"), (std::vector<std::string>{"a", huge, "b"}));
}

TEST(DxfLineReader, TellsWhetherTheFileStartsWithAText) {
  ScratchDirectory scratch("lines-start");
  const std::string path = (scratch / "start.dxf").string();
  std::ofstream(path, std::ios::binary) << "AutoCAD Binary DXF\r\n";
  DxfLineReader reader;
  std::string error;
  ASSERT_TRUE(reader.Open(path, error));
  EXPECT_TRUE(reader.StartsWith("AutoCAD Binary DXF"));
  EXPECT_FALSE(reader.StartsWith("AutoCAD Binary DXF\r\nmore than the file"));
  std::string_view line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "AutoCAD Binary DXF") << "nothing was consumed";
}

TEST(DxfLineReader, OpenReportsTheSystemsReason) {
  DxfLineReader reader;
  std::string error;
  EXPECT_FALSE(reader.Open("/nonexistent-directory/none.dxf", error));
  EXPECT_FALSE(error.empty());
}

TEST(GroupCodeOf, ReadsCodesAsTextWithoutBlanksAndNuls) {
  struct Case {
    std::string line;
    int code;
  };
  const Case cases[] = {
      {"0", 0},         {"  0", 0},       {" 10", 10},    {"10 ", 10},    {"1 0", 10},
      {std::string("2\0" "0", 3), 20},    {"230", 230},   {"1071", 1071}, {"", kUnknownGroupCode},
      {"   ", kUnknownGroupCode},         {"010", kUnknownGroupCode},     {"00", kUnknownGroupCode},
      {"-1", kUnknownGroupCode},          {"1a", kUnknownGroupCode},      {"\t10", kUnknownGroupCode},
      {"99999", kUnknownGroupCode},       {"99999999999999999999", kUnknownGroupCode},
  };
  for (const Case& c : cases) EXPECT_EQ(GroupCodeOf(c.line), c.code) << '"' << c.line << '"';
}

}  // namespace
}  // namespace mq
