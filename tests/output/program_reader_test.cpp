#include "output/program_reader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace mq {
namespace {

constexpr const char* kHeader = "6000,4000,190,\"M\",\"PANEL\"\r\n";
constexpr const char* kKinds[] = {"start",    "move", "centre-arc", "radius-arc", "3-point-arc",
                                  "bore-row", "bore", "end",        "saw",        "edge-bore"};

// The lines read as one text: kind, words in a fixed order, holes; "|" between lines.
std::string Summary(const ProgramReading& reading) {
  std::ostringstream out;
  for (const ProgramLine& line : reading.Lines) {
    out << (out.tellp() > 0 ? "|" : "") << kKinds[static_cast<int>(line.Kind)]
        << (line.EndsContour ? "!" : "");
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
  }
  return out.str();
}

// Spindles 1..3 along X 32 apart, 4..6 along Y 64 apart.
ToolTable Head() {
  ToolTable table;
  table.Loaded = true;
  for (int n = 1; n <= 3; ++n) table.Entries[n].ToolX = 32.0f * static_cast<float>(n - 1);
  for (int n = 4; n <= 6; ++n)
    table.Entries[n] = ToolEntry{1, 5, 400, 64.0f * static_cast<float>(n - 4), 0, -1};
  return table;
}

// The lines of the golden programs are read back by the read-back invariants; these are
// the words and lines they do not hold.
TEST(ProgramReader, ReadsEachLineTheWriterMakes) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"\" G10 X0 Y0 Z20 T5 R-4 VX5000 VZ.5 VM18000 O1\"\r\n\" G10 X-0.25 Y400 Z-5 R\"\r\n\" G10 X3 Y4 Z8 T32 R+0.5\"",
       "start X0 Y0 Z20 VX5000 VZ0.5 T5 R-4 VM18000 O1|start X-0.25 Y400 Z-5 R0|start X3 Y4 Z8 T32 R+0.5"},
      {"\" G03 X300 Y330 I300 J317.5\"\r\n\" G03/ X1 Y2 I0.5\"\r\n\" G13/5 X10 Y0 I5 J5\"\r\n\" G00 X12 Y4\"",
       "centre-arc! d3 X300 Y330 I300 J317.5|radius-arc! d3 X1 Y2 I0.5|3-point-arc d3 X10 Y0 I5 J5|move! X12 Y4"},
      {"\" G20 X523 Y670 Z12 T1 T3\"\r\n\" G00 X459\"\r\n\" G00 X523 Y96 Z12 T6 T5 T4\"\r\n\" G00 X22.5 Y296 Z13 T0512\"",
       "bore-row X523 Y670 Z12 EX459 T1 T3 (523,670) (459,670)|end X459|bore X523 Y96 Z12 T6 T5 T4 (523,96) (523,160) "
       "(523,224)|bore X22.5 Y296 Z13 T0512 (22.5,296)"},
      {"\" G17 X400 Y40 Z6\"\r\n\" G00 Y300 O1\"\r\n\" G09 X30 Y5 Z9.5\"", "saw X400 Y40 Z6 EY300|end Y300 O1|edge-bore X30 Y5 Z9.5"}};
  // clang-format on
  for (const auto& [lines, expected] : cases) {
    const ProgramReading reading = ReadProgram(std::string(kHeader) + lines + "\r\n\"end\"\r\n", Head());
    EXPECT_TRUE(reading.Errors.empty()) << lines << ": " << Describe(reading.Errors.front());
    EXPECT_EQ(Summary(reading), expected) << lines;
  }
  const ProgramHeader h =
      ReadProgram("235,157.5,7.5,\"I\",\"A, \"B\"\"\n\" G10 X1 Y2 Z3\"\n\"end\"\n").Header;
  EXPECT_EQ((std::vector{h.Length, h.Width, h.Thickness}), (std::vector{23.5, 15.75, 0.75}))
      << "line feeds alone";
  EXPECT_EQ(h.Description + (h.Inch ? " inch" : ""), "A, \"B\" inch");
}

TEST(ProgramReader, NamesTheLineItCannotRead) {
  const std::string h = "6000,4000,190,\"M\",\"P\"\r\n", start = "\" G10 X0 Y0 Z1 T5\"\r\n",
                    end = "\"end\"\r\n";
  // clang-format off
  const std::pair<std::string, const char*> cases[] = {
      {"6000,4000,\"M\",\"P\"\r\n" + end, "line 1: header expected"},
      {h + start + "\" G99 X1\"\r\n" + end, "line 3: unknown G code G99"},
      {h + start + "\" G10 X1 Y0 Z1 Q5\"\r\n" + end, "line 3: unknown word Q5"},
      {h + "G10 X0 Y0 Z1\r\n" + end, "line 2: a machining line stands in double quotes"},
      {h + "\" G12 X1 Y2 I3\"\r\n" + end, "line 2: G12 line without its J word"},
      {h + "\" G10 X1 X2 Y2\"\r\n" + end, "line 2: the word X stands twice"},
      {h + "\" G00 X1 Y2 Z0 T1 VX5\"\r\n" + end, "line 2: the word VX does not belong"},
      {h + "\" G20 X1 Y2 Z0 T1 T2\"\r\n\" G10 X1 Y0 Z1\"\r\n" + end, "line 2: G20 line not followed"},
      {h + "\" G00 X800\"\r\n" + end, "line 2: end move without a bore row"},
      {h + "\" G10 X1 Y2 Z3 O7\"\r\n" + end, "line 2: origin word O7"},
      {h + start, "line 3: the program ends without"},
      {h + end + start, "line 3: text after the \"end\" line"}};
  // clang-format on
  for (const auto& [text, error] : cases) {
    const ProgramReading reading = ReadProgram(text);
    ASSERT_EQ(reading.Errors.size(), 1u) << text;
    EXPECT_EQ(Describe(reading.Errors[0]).rfind(error, 0), 0u) << Describe(reading.Errors[0]);
  }
}

TEST(ProgramReader, ReadsPortionsAsOneProgram) {
  const ProgramReading reading =
      ReadProgramPortions({std::string(kHeader) + "\" G16 X0 Y20 Z8 T61 O1\"\r\n\"end\"\r\n",
                           std::string(kHeader) + "\" G00 X800 O1\"\r\n\" G10 X0 Y0 Z20 T5\"\r\n\"end\"\r\n",
                           "6000,4000,190,\"M\",\"OTHER\"\r\n\"end\"\r\n"});
  EXPECT_EQ(Summary(reading), "saw X0 Y20 Z8 EX800 T61 O1|end X800 O1|start X0 Y0 Z20 T5");
  EXPECT_EQ((std::vector{reading.Lines[2].Portion, reading.Lines[2].Number}), (std::vector{2, 3}));
  ASSERT_EQ(reading.Errors.size(), 1u);
  EXPECT_EQ(Describe(reading.Errors[0]),
            "portion 3, line 1: the portion's header differs from the first portion's");
}

}  // namespace
}  // namespace mq
