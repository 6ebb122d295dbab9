// Programs longer than the line limit: portions, their names and the origin word.

#include <gtest/gtest.h>

#include <tuple>

#include "output/program_writer.h"

namespace mq {
namespace {

// A finished program of `machining` lines; every `lift_every`-th line lifts the tool.
ProgramLines FinishedProgram(int machining, int lift_every) {
  ProgramLines lines(1);
  for (int k = 1; k <= machining; ++k) {
    lines.push_back((k % lift_every == 0 ? "G00 X" : "G10 X") + std::to_string(k) + " Y0 Z5");
  }
  FinishProgram(lines, "6000,4000,190,\"M\",\"SIDE\"", " O2");
  return lines;
}

// 1000 lines at limit 800 end the first window at its lift on line 800; a full window
// ends at its last tool lift or, without one, at the limit; a program of exactly the
// limit is one portion, and no portion holds only the end line. Every portion has the
// header, the end line and, on its first line, the origin word.
TEST(SplitProgram, PortionsEndAtTheLastToolLiftOfAFullWindow) {
  // Machining lines, lift interval, limit, machining lines of each portion.
  // clang-format off
  const std::tuple<int, int, int, std::vector<std::size_t>> cases[] = {
      {999, 10, 800, {800, 199}}, {30, 7, 12, {7, 7, 7, 9}}, {25, 1000, 10, {10, 10, 5}}, {9, 3, 10, {9}},
      {10, 5, 10, {10}}};
  // clang-format on
  for (const auto& [machining, lift_every, limit, sizes] : cases) {
    const ProgramLines program = FinishedProgram(machining, lift_every);
    const std::vector<ProgramPortion> portions = SplitProgram(program, limit);
    ASSERT_EQ(portions.size(), sizes.size()) << machining << " lines at limit " << limit;
    std::size_t first = 1;
    for (std::size_t k = 0; k < portions.size(); ++k) {
      const ProgramLines& lines = portions[k].Lines;
      const std::string& line = program[first];
      ASSERT_EQ(lines.size(), sizes[k] + 2) << machining << " lines, portion " << k + 1;
      EXPECT_EQ(lines.front(), program[0]);
      EXPECT_EQ(lines[1], k == 0 ? line : line.substr(0, line.size() - 1) + " O2\"");
      EXPECT_EQ(lines.back(), "\"end\"");
      EXPECT_EQ(lines[lines.size() - 2], program[first + sizes[k] - 1]);
      first += sizes[k];
    }
  }
  ProgramLines empty(1);
  FinishProgram(empty, "H", " O1");
  EXPECT_EQ(empty, (ProgramLines{"H", "\"end\""}));
}

TEST(PortionName, NumberAppendedOrReplacingTheLastCharacters) {
  // clang-format off
  const std::tuple<const char*, int, const char*> cases[] = {
      {"PANEL", 1, "PANEL1"}, {"C:\\PROGS\\SIDE12", 2, "C:\\PROGS\\SIDE122"}, {"ABCDEFGH", 3, "ABCDEFG3"},
      {"ABCDEFGH", 12, "ABCDEF12"}, {"/out/LONGNAME1", 2, "/out/LONGNAME2"}};
  // clang-format on
  for (const auto& [base, k, name] : cases) EXPECT_EQ(PortionName(base, k), name);
}

}  // namespace
}  // namespace mq
