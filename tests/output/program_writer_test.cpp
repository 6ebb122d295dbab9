// The program writer: frame, splitting and portion names, long programs, and files
// replaced whole. Whole programs are the golden cases'.

#include "output/program_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "output/atomic_file.h"
#include "support/conversion.h"

namespace mq {
namespace {

TEST(PrepareFrame, OriginWordSignsAndArcDigitsOfEachMachineCorner) {
  // X from the right, Y from the top, origin setting, origin word, clockwise and
  // counter-clockwise digits: any setting but "0" is a lower-left machine origin.
  // clang-format off
  const std::tuple<int, int, const char*, const char*, const char*> cases[] = {
      {0, 0, "0", " O1", "23"}, {0, 1, "0", " O0", "23"}, {1, 1, "0", " O2", "23"}, {1, 0, " 0 ", " O3", "23"},
      {0, 0, "1", " O0", "32"}, {0, 1, "1", " O1", "32"}, {1, 1, "1", " O3", "32"}, {1, 0, "", " O2", "32"}};
  // clang-format on
  Settings settings;
  ConversionState state;
  for (const auto& [right, top, origin, word, digits] : cases) {
    settings.Origin = origin, state.XFromRight = right, state.YFromTop = top;
    const WriterFrame frame = PrepareFrame(settings, state);
    EXPECT_EQ(frame.OriginWord + frame.ClockwiseDigit + frame.CounterClockwiseDigit,
              word + std::string(digits));
    EXPECT_EQ((std::vector{frame.XSign, frame.YSign}),
              (std::vector{right ? -1.0f : 1.0f, top ? -1.0f : 1.0f}));
  }
}

// A finished program of `machining` lines; every `lift_every`-th line lifts the tool.
ProgramLines FinishedProgram(int machining, int lift_every) {
  ProgramLines lines(1);
  for (int k = 1; k <= machining; ++k)
    lines.push_back((k % lift_every ? "G10 X" : "G00 X") + std::to_string(k));
  FinishProgram(lines, "6000,4000,190,\"M\",\"SIDE\"", " O2");
  return lines;
}

// 999 lines at limit 800 end the first window at its lift on line 800; a full window
// ends at its last tool lift or, without one, at the limit; a program of exactly the
// limit is one portion, and no portion holds only the end line. Every portion has the
// header, the end line and, on its first line, the origin word; a line without a
// closing quote keeps its text.
TEST(SplitProgram, PortionsEndAtTheLastToolLiftOfAFullWindow) {
  // Machining lines, lift interval, limit, machining lines of each portion.
  // clang-format off
  const std::tuple<int, int, int, std::vector<int>> cases[] = {
      {999, 10, 800, {800, 199}}, {30, 7, 12, {7, 7, 7, 9}}, {25, 1000, 10, {10, 10, 5}}, {9, 3, 10, {9}},
      {10, 5, 10, {10}}, {0, 1, 10, {0}}};
  // clang-format on
  for (const auto& [machining, lift_every, limit, sizes] : cases) {
    const ProgramLines program = FinishedProgram(machining, lift_every);
    const std::vector<ProgramPortion> portions = SplitProgram(program, limit);
    ASSERT_EQ(portions.size(), sizes.size()) << machining << " lines at limit " << limit;
    for (std::size_t k = 0, first = 1; k < portions.size(); first += sizes[k++]) {
      ProgramLines expected{program[0]};
      expected.insert(expected.end(), program.begin() + first, program.begin() + first + sizes[k]);
      if (k > 0) expected[1].insert(expected[1].size() - 1, " O2");
      expected.push_back("\"end\"");
      EXPECT_EQ(portions[k].Lines, expected) << machining << " lines, portion " << k;
    }
  }
  const auto second = [](const ProgramLines& lines) { return SplitProgram(lines, 1).at(1).Lines.at(1); };
  EXPECT_EQ(second({"H", "\" G00 X1 O3\"", "\"G00 X2", "\"end\""}), "\"G00 X2");
  EXPECT_EQ(second({"H", "\" G00 X1 O3\"", "x\"", "\"end\""}), "x O3\"");
}

TEST(SplitProgram, PortionNames) {
  // clang-format off
  const std::tuple<const char*, int, const char*> names[] = {
      {"PANEL", 1, "PANEL1"}, {"C:\\PROGS\\SIDE12", 2, "C:\\PROGS\\SIDE122"}, {"ABCDEFG", 3, "ABCDEFG3"},
      {"ABCDEFGH", 3, "ABCDEFG3"}, {"ABCDEFGH", 12, "ABCDEF12"}, {"/out/LONGNAME1", 2, "/out/LONGNAME2"}};
  // clang-format on
  for (const auto& [base, k, name] : names) EXPECT_EQ(PortionName(base, k), name);
}

// A program is written whole whatever its size, and its line count is not 16-bit. (The
// sections in their order are the golden case writer_sections.)
TEST(WritePtp400Program, LongProgramIsWrittenWhole) {
  test::Conversion c(test::PanelOfLines());
  c.settings.LineLimit = "100000";
  c.state.PathList.resize(33000);
  for (int k = 2; k <= 33000; ++k) c.state.PathList[k].X = static_cast<float>(k) + 0.25f;
  for (PathSegment& r : c.state.PathList) r.Y = 500.75f, r.Z = 5, r.SegmentType = 1;
  c.state.PathList[1].Tool = 5, c.state.PathList[1].SegmentType = -1,
  c.state.PathList[1].ChainFlag = kContourStart;
  WritePtp400Program(c.writer);
  const std::string program = c.Written("out/PART"), end = "\" G00 X33000.25 Y500.75 Z5\"\r\n\"end\"\r\n";
  const std::string start =
      "0,0,0,\"M\",\"MARQUILL DXF IMPORT\"\r\n\" G10 X0 Y500.75 Z5 T5 O1\"\r\n\" G10 X2.25 Y500.75 Z5\"\r\n";
  EXPECT_EQ(program.substr(0, start.size()) + program.substr(program.size() - end.size()), start + end);
  EXPECT_EQ(std::count(program.begin(), program.end(), '\n'), 33002);
  EXPECT_EQ(c.Messages(), std::vector<std::string>{"CONVERSION COMPLETED.  33002 Lines"});
}

// A replacement is written beside the file and renamed over it: the old file stays
// whole when the new one cannot take its place, and no temporary file is left.
TEST(WriteFileAtomically, ReplacesTheFileWholeOrNotAtAll) {
  test::ScratchDirectory dir("atomic");
  std::ofstream(dir / "INDEX.IND", std::ios::binary) << "old contents that are longer";
  const std::string bytes("new\r\n\0x", 7);
  EXPECT_FALSE(WriteFileAtomically((dir / "INDEX.IND").string(), bytes));
  EXPECT_EQ(test::ReadBytes(dir / "INDEX.IND"), bytes);
  std::filesystem::create_directories(dir / "PROGRAM" / "inside");
  EXPECT_NE(WriteFileAtomically((dir / "PROGRAM").string(), "text").value_or(""), "") << "a directory stays";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
}  // namespace mq
