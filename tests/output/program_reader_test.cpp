#include "output/program_reader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace mq {
namespace {

constexpr const char* kHeader = "6000,4000,190,\"M\",\"PANEL\"\r\n";
constexpr const char* kKinds[] = {"start",    "move", "centre-arc", "radius-arc", "3-point-arc",
                                  "bore-row", "bore", "end",        "saw",        "edge-bore"};

// The parsed line as one text: kind, words in a fixed order, holes.
std::string Summary(const ProgramLine& line) {
  std::ostringstream out;
  out << kKinds[static_cast<int>(line.Kind)] << (line.EndsContour ? "!" : "");
  if (line.ArcDigit) out << " d" << line.ArcDigit;
  const std::pair<const char*, const std::optional<double>*> words[] = {
      {"X", &line.X},   {"Y", &line.Y},   {"Z", &line.Z},     {"I", &line.I},    {"J", &line.J},
      {"VX", &line.VX}, {"VZ", &line.VZ}, {"EX", &line.EndX}, {"EY", &line.EndY}};
  for (const auto& [name, value] : words) {
    if (*value) out << " " << name << **value;
  }
  for (const std::string& tool : line.Tools) out << " T" << tool;
  if (!line.CompensationSide.empty()) out << " " << line.CompensationSide << line.CompensationValue;
  if (line.VM) out << " VM" << *line.VM;
  if (line.Origin) out << " O" << *line.Origin;
  for (const HolePoint& hole : line.Holes) out << " (" << hole.X << "," << hole.Y << ")";
  return out.str();
}

ToolTable Head() {
  ToolTable table;
  table.Loaded = true;
  for (int n = 1; n <= 3; ++n) table.Entries[n].ToolX = 32.0f * static_cast<float>(n - 1);
  for (int n = 4; n <= 6; ++n)
    table.Entries[n] = ToolEntry{1, 5, 400, 64.0f * static_cast<float>(n - 4), 0, -1};
  return table;
}

TEST(ProgramReader, ReadsEachLineTheWriterMakes) {
  struct Case {
    const char* lines;  // one line, or a bore row or saw pass with its end line
    const char* expected;
  };
  // clang-format off
  const Case cases[] = {
      {"\" G10 X0 Y0 Z20 T5 R-4 VX5000 VZ.5 VM18000 O1\"", "start X0 Y0 Z20 VX5000 VZ0.5 T5 R-4 VM18000 O1"},
      {"\" G10 X-0.25 Y400 Z-5 R\"", "start X-0.25 Y400 Z-5 R0"},
      {"\" G10 X372 Y440 Z8 T32 R+0.5\"", "start X372 Y440 Z8 T32 R+0.5"},
      {"\" G10 X600 Y0 Z20\"", "move X600 Y0 Z20"},
      {"\" G00 X0 Y0 Z20\"", "move! X0 Y0 Z20"},
      {"\" G00 X12 Y4\"", "move! X12 Y4"},
      {"\" G12 X200 Y100 I200 J80\"", "centre-arc d2 X200 Y100 I200 J80"},
      {"\" G03 X300 Y330 I300 J317.5\"", "centre-arc! d3 X300 Y330 I300 J317.5"},
      {"\" G12/ X150 Y120 I20\"", "radius-arc d2 X150 Y120 I20"},
      {"\" G03/ X1 Y2 I0.5\"", "radius-arc! d3 X1 Y2 I0.5"},
      {"\" G13/5 X10 Y0 I5 J5\"", "3-point-arc d3 X10 Y0 I5 J5"},
      {"\" G20 X459 Y670 Z12 T1 T2 T3 O1\"\r\n\" G00 X523\"",
       "bore-row X459 Y670 Z12 EX523 T1 T2 T3 O1 (459,670) (491,670) (523,670)|end X523"},
      {"\" G20 X523 Y670 Z12 T1 T3\"\r\n\" G00 X459\"", "bore-row X523 Y670 Z12 EX459 T1 T3 (523,670) (459,670)|end X459"},
      {"\" G00 X523 Y96 Z12 T6 T5 T4\"", "bore X523 Y96 Z12 T6 T5 T4 (523,96) (523,160) (523,224)"},
      {"\" G00 X22.5 Y296 Z13 T0512\"", "bore X22.5 Y296 Z13 T0512 (22.5,296)"},
      {"\" G16 X0 Y20 Z8 T61 VZ1000 VX5000\"\r\n\" G00 X800\"", "saw X0 Y20 Z8 VX5000 VZ1000 EX800 T61|end X800"},
      {"\" G17 X400 Y40 Z6\"\r\n\" G00 Y300 O1\"", "saw X400 Y40 Z6 EY300|end Y300 O1"},
      {"\" G07 X30 Y250 Z9.5 T71                             VX3000\"", "edge-bore X30 Y250 Z9.5 VX3000 T71"},
      {"\" G09 X30 Y5 Z9.5\"", "edge-bore X30 Y5 Z9.5"},
  };
  // clang-format on
  for (const Case& c : cases) {
    const ProgramReading reading = ReadProgram(std::string(kHeader) + c.lines + "\r\n\"end\"\r\n", Head());
    std::string got;
    for (const ProgramLine& line : reading.Lines) got += (got.empty() ? "" : "|") + Summary(line);
    EXPECT_TRUE(reading.Errors.empty()) << c.lines << ": " << Describe(reading.Errors.front());
    EXPECT_EQ(got, c.expected) << c.lines;
  }
}

TEST(ProgramReader, ReadsTheHeaderWithLineFeedsAlone) {
  const ProgramReading reading =
      ReadProgram("235,157.5,7.5,\"I\",\"A, \"B\"\"\n\" G10 X1 Y2 Z3 T1\"\n\"end\"\n");
  ASSERT_TRUE(reading.Errors.empty());
  EXPECT_EQ(reading.Header.Length, 23.5);
  EXPECT_EQ(reading.Header.Width, 15.75);
  EXPECT_EQ(reading.Header.Thickness, 0.75);
  EXPECT_TRUE(reading.Header.Inch);
  EXPECT_EQ(reading.Header.Description, "A, \"B\"");
  EXPECT_EQ(reading.Lines.at(0).Number, 2);
}

TEST(ProgramReader, NamesTheLineItCannotRead) {
  struct Case {
    const char* text;
    const char* error;
  };
  // clang-format off
  const Case cases[] = {
      {"6000,4000,\"M\",\"P\"\r\n\"end\"\r\n", "line 1: header expected"},
      {"6000,4000,190,\"M\",\"P\"\r\n\" G10 X0 Y0 Z1 T5\"\r\n\" G99 X1\"\r\n\"end\"\r\n", "line 3: unknown G code G99"},
      {"6000,4000,190,\"M\",\"P\"\r\n\" G10 X0 Y0 Z1 T5\"\r\n\" G10 X1 Y0 Z1 Q5\"\r\n\"end\"\r\n", "line 3: unknown word Q5"},
      {"6000,4000,190,\"M\",\"P\"\r\nG10 X0 Y0 Z1\r\n\"end\"\r\n", "line 2: a machining line stands in double quotes"},
      {"6000,4000,190,\"M\",\"P\"\r\n\" G12 X1 Y2 I3\"\r\n\"end\"\r\n", "line 2: G12 line without its J word"},
      {"6000,4000,190,\"M\",\"P\"\r\n\" G10 X1 X2 Y2\"\r\n\"end\"\r\n", "line 2: the word X stands twice"},
      {"6000,4000,190,\"M\",\"P\"\r\n\" G00 X1 Y2 Z0 T1 VX5\"\r\n\"end\"\r\n", "line 2: the word VX does not belong"},
      {"6000,4000,190,\"M\",\"P\"\r\n\" G20 X1 Y2 Z0 T1 T2\"\r\n\" G10 X1 Y0 Z1\"\r\n\"end\"\r\n", "line 2: G20 line not followed"},
      {"6000,4000,190,\"M\",\"P\"\r\n\" G00 X800\"\r\n\"end\"\r\n", "line 2: end move without a bore row"},
      {"6000,4000,190,\"M\",\"P\"\r\n\" G10 X1 Y2 Z3 O7\"\r\n\"end\"\r\n", "line 2: origin word O7"},
      {"6000,4000,190,\"M\",\"P\"\r\n\" G10 X1 Y2 Z3 T1\"\r\n", "line 3: the program ends without"},
      {"6000,4000,190,\"M\",\"P\"\r\n\"end\"\r\n\" G10 X1 Y2 Z3\"\r\n", "line 3: text after the \"end\" line"},
  };
  // clang-format on
  for (const Case& c : cases) {
    const ProgramReading reading = ReadProgram(c.text);
    ASSERT_EQ(reading.Errors.size(), 1u) << c.text;
    EXPECT_EQ(Describe(reading.Errors[0]).rfind(c.error, 0), 0u) << Describe(reading.Errors[0]);
  }
}

TEST(ProgramReader, ReadsPortionsAsOneProgram) {
  const std::vector<std::string> portions = {
      std::string(kHeader) + "\" G16 X0 Y20 Z8 T61 O1\"\r\n\"end\"\r\n",
      std::string(kHeader) + "\" G00 X800 O1\"\r\n\" G10 X0 Y0 Z20 T5\"\r\n\"end\"\r\n",
      "6000,4000,190,\"M\",\"OTHER\"\r\n\"end\"\r\n"};
  const ProgramReading reading = ReadProgramPortions(portions);
  ASSERT_EQ(reading.Lines.size(), 3u);
  EXPECT_EQ(reading.Lines[0].EndX, 800);
  EXPECT_EQ(reading.Lines[2].Portion, 2);
  EXPECT_EQ(reading.Lines[2].Number, 3);
  ASSERT_EQ(reading.Errors.size(), 1u);
  EXPECT_EQ(Describe(reading.Errors[0]),
            "portion 3, line 1: the portion's header differs from the first portion's");
}

}  // namespace
}  // namespace mq
