// The program reader. The read-back invariants read every golden program with it; here
// are the words and lines those do not hold, and the errors.

#include "output/program_reader.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mq {
namespace {

constexpr const char* kHeader = "6000,4000,190,\"M\",\"PANEL\"\r\n";

std::vector<double> Holes(const ProgramLine& line) {
  std::vector<double> coordinates;
  for (const HolePoint& hole : line.Holes) coordinates.insert(coordinates.end(), {hole.X, hole.Y});
  return coordinates;
}

TEST(ProgramReader, ReadsWordsAndLinesTheGoldenProgramsDoNotHold) {
  ToolTable head;  // spindles 1 and 2 of one row along X, 32 apart; 4 and 5 along Y, 64 apart
  head.Loaded = true;
  head.Entries[2].ToolX = 32, head.Entries[5].ToolY = 64;
  head.Entries[4].SpindleAxis = head.Entries[5].SpindleAxis = -1;
  const ProgramReading r =
      ReadProgram(std::string(kHeader) +
                      "\" G10 X0 Y0 Z20 T5 R VZ.5 VM18000 O1\"\r\n\" G13/5 X10 Y0 I5 J-5\"\r\n"
                      "\" G20 X523 Y670 Z12 T2 T1\"\r\n\" G00 X459\"\r\n\" G00 X5 Y6 Z13 T5 T4\"\r\n"
                      "\" G00 X2 Y3 Z13 T0512\"\r\n\" G09 X30 Y5 Z9.5\"\r\n\" G10 X0 Y0 Z20 T-5\"\r\n\"end\"\r\n",
                  head);
  ASSERT_TRUE(r.Errors.empty()) << Describe(r.Errors.front());
  ASSERT_EQ(r.Lines.size(), 8u);
  const ProgramLine &start = r.Lines[0], &arc = r.Lines[1];  // R alone, VZ .5, VM and O; G13/5
  EXPECT_EQ(start.CompensationSide + std::to_string(*start.VZ + *start.VM + *start.Origin), "R18001.500000");
  EXPECT_EQ(arc.Kind == LineKind::ThreePointArc && arc.ArcDigit == 3 && *arc.J == -5, true) << arc.Code;
  EXPECT_EQ(Holes(r.Lines[2]), (std::vector<double>{523, 670, 491, 670})) << "towards the row's end";
  EXPECT_EQ(Holes(r.Lines[4]), (std::vector<double>{5, 6, 5, 70})) << "along Y by the spindles' distance";
  EXPECT_EQ(Holes(r.Lines[5]), (std::vector<double>{2, 3})) << "T0512 is one word";
  EXPECT_EQ(r.Lines[6].Kind, LineKind::EdgeBore);
  EXPECT_EQ(r.Lines[7].Tools, std::vector<std::string>{"-5"}) << "a tool substituted by a negative number";
  const ProgramHeader h =
      ReadProgram("235,157.5,7.5,\"I\",\"A, \"B\"\"\n\" G10 X1 Y2 Z3\"\n\"end\"\n").Header;
  EXPECT_EQ((std::vector{h.Length, h.Width, h.Thickness, h.Inch ? 1.0 : 0.0}),
            (std::vector{23.5, 15.75, 0.75, 1.0}));
  EXPECT_EQ(h.Description, "A, \"B\"") << "read with line feeds alone";
}

TEST(ProgramReader, NamesTheLineItCannotRead) {
  const std::string h = "6000,4000,190,\"M\",\"P\"\r\n", start = "\" G10 X0 Y0 Z1 T5\"\r\n",
                    end = "\"end\"\r\n";
  // clang-format off
  const std::pair<std::string, const char*> cases[] = {
      {"6000,4000,\"M\",\"P\"\r\n" + end, "line 1: header expected"},
      {h + start + "\" G99 X1\"\r\n" + end, "line 3: unknown G code G99"},
      {h + "G10 X0 Y0 Z1\r\n" + end, "line 2: a machining line stands in double quotes"},
      {h + "\" G00 X1 Y2 Z0 T1 VX5\"\r\n" + end, "line 2: the word VX does not belong"},
      {h + "\" G20 X1 Y2 Z0 T1 T2\"\r\n\" G10 X1 Y0 Z1\"\r\n" + end, "line 2: G20 line not followed"},
      {h + "\" G10 X1 Y2 Z3 O7\"\r\n" + end, "line 2: origin word O7"},
      // Found by fuzzing: numbers beyond an int were cast before they were checked.
      {h + "\" G10 X1 Y2 Z3 O4444444444444\"\r\n" + end, "line 2: origin word O4444444444444"},
      {h + "\" G10 X1 Y2 Z3 VM99999999999\"\r\n" + end, "line 2: the word VM99999999999 is out of range"},
      {h + start, "line 3: the program ends without"},
      {h + end + start, "line 3: text after the \"end\" line"}};
  // clang-format on
  // Portions are read as one program (the read-back invariants do so) under one header.
  const std::vector<ReadError> other =
      ReadProgramPortions({h + end, "6000,4000,190,\"M\",\"Q\"\r\n" + end}).Errors;
  EXPECT_EQ(Describe(other.at(0)),
            "portion 2, line 1: the portion's header differs from the first portion's");
  for (const auto& [text, error] : cases) {
    const std::vector<ReadError> errors = ReadProgram(text).Errors;
    EXPECT_EQ(errors.size() == 1 ? Describe(errors[0]).substr(0, std::strlen(error)) : text, error);
  }
}

}  // namespace
}  // namespace mq
