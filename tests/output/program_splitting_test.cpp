// Programs longer than the line limit: portions, their names and the origin word.

#include <gtest/gtest.h>

#include "output/program_writer.h"

namespace mq {
namespace {

// A finished program of `machining` lines; every `lift_every`-th line lifts the tool.
ProgramLines FinishedProgram(int machining, int lift_every) {
  ProgramLines lines(1);
  for (int k = 1; k <= machining; ++k) {
    lines.push_back((k % lift_every == 0 ? "G00 X" : "G10 X") + std::to_string(k) + " Y0 Z5");
  }
  FinishProgram(lines, "6000,4000,190,\"M\",\"SIDE\"", " O1");
  return lines;
}

TEST(FinishProgram, HeaderQuotesOriginWordAndEndLine) {
  ProgramLines lines{"", "G10 X0 Y0 Z20", "G00 X5 Y0 Z20"};
  FinishProgram(lines, "H", " O3");
  EXPECT_EQ(lines, (ProgramLines{"H", "\" G10 X0 Y0 Z20 O3\"", "\" G00 X5 Y0 Z20\"", "\"end\""}));
}

TEST(FinishProgram, ProgramWithoutMachiningLinesIsHeaderAndEnd) {
  ProgramLines lines(1);
  FinishProgram(lines, "H", " O1");
  EXPECT_EQ(lines, (ProgramLines{"H", "\"end\""}));
}

TEST(ProgramHeader, SizesTimesTenUnitLetterAndDescription) {
  EXPECT_EQ(ProgramHeader(600, 400, 19, false, "MARQUILL DXF IMPORT"),
            "6000,4000,190,\"M\",\"MARQUILL DXF IMPORT\"");
  EXPECT_EQ(ProgramHeader(23.5f, 15.75f, 0.75f, true, "DOOR"), "235,157.5,7.5,\"I\",\"DOOR\"");
}

TEST(SplitProgram, ThousandLinesWithLimitEightHundredGiveTwoPortions) {
  const ProgramLines program = FinishedProgram(999, 10);  // line 1000 is the end line
  const auto portions = SplitProgram(program, 800);
  ASSERT_EQ(portions.size(), 2u);
  const ProgramLines& first = portions[0].Lines;
  const ProgramLines& second = portions[1].Lines;
  // The first window (lines 1..800) ends at its last tool lift, line 800.
  ASSERT_EQ(first.size(), 1u + 800u + 1u);
  EXPECT_EQ(first.front(), program[0]);
  EXPECT_EQ(first[1], "\" G10 X1 Y0 Z5 O1\"");
  EXPECT_EQ(first[800], "\" G00 X800 Y0 Z5\"");
  EXPECT_EQ(first.back(), "\"end\"");
  ASSERT_EQ(second.size(), 1u + 200u);
  EXPECT_EQ(second.front(), program[0]);
  EXPECT_EQ(second[1], "\" G10 X801 Y0 Z5 O1\"");
  EXPECT_EQ(second.back(), "\"end\"");
}

TEST(SplitProgram, FullWindowEndsAtItsLastToolLift) {
  const ProgramLines program = FinishedProgram(30, 7);  // lifts at 7, 14, 21, 28
  const auto portions = SplitProgram(program, 12);
  ASSERT_EQ(portions.size(), 4u);
  EXPECT_EQ(portions[0].Lines.size(), 1u + 7u + 1u);  // 1..7
  EXPECT_EQ(portions[1].Lines.size(), 1u + 7u + 1u);  // 8..14
  EXPECT_EQ(portions[2].Lines.size(), 1u + 7u + 1u);  // 15..21
  EXPECT_EQ(portions[3].Lines.size(), 1u + 10u);      // 22..31, 31 the end line
  for (std::size_t k = 1; k < portions.size(); ++k) {
    EXPECT_NE(portions[k].Lines[1].find(" O1\""), std::string::npos) << k;
  }
}

TEST(SplitProgram, WindowWithoutToolLiftIsCutAtTheLimit) {
  const ProgramLines program = FinishedProgram(25, 1000);  // no lift at all
  const auto portions = SplitProgram(program, 10);
  ASSERT_EQ(portions.size(), 3u);
  EXPECT_EQ(portions[0].Lines.size(), 1u + 10u + 1u);
  EXPECT_EQ(portions[1].Lines.size(), 1u + 10u + 1u);
  EXPECT_EQ(portions[2].Lines.size(), 1u + 6u);  // lines 21..26 with the end line
}

TEST(SplitProgram, ProgramThatFitsIsOnePortionEvenAtExactlyTheLimit) {
  const ProgramLines program = FinishedProgram(9, 3);  // end line 10
  for (const int limit : {10, 11, 600}) {
    const auto portions = SplitProgram(program, limit);
    ASSERT_EQ(portions.size(), 1u) << limit;
    EXPECT_EQ(portions[0].Lines, program);
  }
}

TEST(SplitProgram, NoPortionOfOnlyTheEndLine) {
  const ProgramLines program = FinishedProgram(10, 5);  // end line 11, lifts at 5 and 10
  const auto portions = SplitProgram(program, 10);
  ASSERT_EQ(portions.size(), 1u);
  EXPECT_EQ(portions[0].Lines, program);
}

TEST(SplitProgram, OriginNumberIsCarriedFromTheLastLineHoldingIt) {
  ProgramLines program(1);
  for (int k = 1; k <= 8; ++k) program.push_back("G00 X" + std::to_string(k));
  FinishProgram(program, "H", " O2");
  const auto portions = SplitProgram(program, 3);
  ASSERT_EQ(portions.size(), 3u);
  EXPECT_EQ(portions[0].Lines[1], "\" G00 X1 O2\"");
  EXPECT_EQ(portions[1].Lines[1], "\" G00 X4 O2\"");
  EXPECT_EQ(portions[2].Lines[1], "\" G00 X7 O2\"");
  EXPECT_EQ(portions[2].Lines.back(), "\"end\"");
}

TEST(PortionName, NumberAppendedOrReplacingTheLastCharacters) {
  EXPECT_EQ(PortionName("PANEL", 1), "PANEL1");
  EXPECT_EQ(PortionName("C:\\PROGS\\SIDE12", 2), "C:\\PROGS\\SIDE122");
  EXPECT_EQ(PortionName("ABCDEFGH", 3), "ABCDEFG3");
  EXPECT_EQ(PortionName("ABCDEFGH", 12), "ABCDEF12");
  EXPECT_EQ(PortionName("/out/LONGNAME1", 2), "/out/LONGNAME2");
}

TEST(LineLimit, TextThatIsNoPositiveNumberGivesTheDefault) {
  Settings settings;
  settings.LineLimit = "800";
  EXPECT_EQ(LineLimitOf(settings), 800);
  settings.LineLimit = "";
  EXPECT_EQ(LineLimitOf(settings), 600);
  settings.LineLimit = "-5";
  EXPECT_EQ(LineLimitOf(settings), 600);
}

TEST(ProgramFileText, EveryLineEndsInCarriageReturnAndLineFeed) {
  EXPECT_EQ(ProgramFileText({"H", "\"end\""}), "H\r\n\"end\"\r\n");
}

}  // namespace
}  // namespace mq
