// The whole writer on hand-built conversions: the stored files and the report.

#include "output/program_writer.h"

#include <gtest/gtest.h>

#include "tool_table_fixture.h"
#include "writer_fixture.h"

namespace mq {
namespace {

using test::Bore;
using test::PathPoint;
using test::ReadFileText;

constexpr const char* kWorkedExample =
    "6000,4000,190,\"M\",\"MARQUILL DXF IMPORT\"\r\n"
    "\" G10 X0 Y0 Z20 T5 VX5000 VZ2000 O1\"\r\n"
    "\" G10 X600 Y0 Z20\"\r\n"
    "\" G10 X600 Y400 Z20\"\r\n"
    "\" G10 X0 Y400 Z20\"\r\n"
    "\" G00 X0 Y0 Z20\"\r\n"
    "\"end\"\r\n";

TEST(WritePtp400Program, WorkedExampleByteForByte) {
  test::WriterFixture f("writer-example");
  f.AddRectangleContour();
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "PANEL1"), kWorkedExample);
  EXPECT_TRUE(f.state.ProgramWritten);
  EXPECT_EQ(f.Messages(), (std::vector<std::string>{"CONVERSION COMPLETED.  7 Lines"}));
  ASSERT_EQ(f.run.WrittenPrograms.size(), 1);
  EXPECT_EQ(f.run.WrittenPrograms[1], f.settings.DestinationPath + "PANEL1");
  EXPECT_EQ(f.run.ProgramName, f.settings.DestinationPath + "PANEL1");
  EXPECT_EQ(f.state.PartDescription, "MARQUILL DXF IMPORT");  // the part list sees the default too
  EXPECT_EQ(f.person.meters[5], 100);
  EXPECT_EQ(ReadFileText(f.Drawings() / "MQ.PNX"), "PANEL1,1,MAT,600,400\r\n");
}

TEST(WritePtp400Program, NameFromTheDrawingAndNameWithADirectory) {
  test::WriterFixture f("writer-names");
  f.AddRectangleContour();
  f.state.OutputPath = "SIDE7";
  f.state.PartDescription = "SIDE";
  f.WriteProgram();
  EXPECT_TRUE(std::filesystem::exists(f.Destination() / "SIDE7"));

  test::WriterFixture g("writer-dir-name");
  g.AddRectangleContour();
  g.run.ProgramName = (g.Drawings() / "P17").string();
  g.WriteProgram();
  EXPECT_TRUE(std::filesystem::exists(g.Drawings() / "P17"));
  EXPECT_FALSE(std::filesystem::exists(g.Destination() / "P17"));
}

TEST(WritePtp400Program, NameEndingInASeparatorTakesTheDrawingName) {
  test::WriterFixture f("writer-dir-only");
  f.AddRectangleContour();
  f.run.ProgramName = f.Drawings().string() + "/";
  f.WriteProgram();
  EXPECT_TRUE(std::filesystem::exists(f.Drawings() / "PANEL1"));
}

TEST(WritePtp400Program, DrawingWithoutBoresDoesNotReadParDat) {
  // The R word falls back on the tool's radius from Par.DAT, so it shows whether it was read.
  for (const bool with_bore : {false, true}) {
    test::WriterFixture f(with_bore ? "writer-pardat-bore" : "writer-pardat-none");
    test::WriteFileText(f.Program() / "Par.DAT", test::ParDatText(test::StandardHead()));
    f.AddRectangleContour();
    f.state.PathList[1].CompCode = "G41 ";
    f.state.PathList[1].Tool = 40;
    if (with_bore) f.state.BoreList.push_back(Bore(100, 100));
    f.WriteProgram();
    const std::string program = ReadFileText(f.Destination() / "PANEL1");
    EXPECT_NE(program.find(with_bore ? "T40 R-6 VX5000" : "T40 R- VX5000"), std::string::npos) << program;
    EXPECT_TRUE(f.state.BoreList.empty());
  }
}

TEST(WritePtp400Program, MissingParDatIsReportedOnceAndBoresGetT0) {
  test::WriterFixture f("writer-no-pardat");
  f.state.BoreList.push_back(Bore(37, 50));
  f.state.BoreList.push_back(Bore(69, 50));
  f.WriteProgram();
  f.state.BoreList.push_back(Bore(37, 50));
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "PANEL1"),
            "6000,4000,190,\"M\",\"MARQUILL DXF IMPORT\"\r\n"
            "\" G00 X37 Y50 Z12 T0 O1\"\r\n"
            "\"end\"\r\n");
  const auto messages = f.Messages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "Parameter file PAR.DAT not found."), 1);
}

TEST(WritePtp400Program, OriginSettingOneWithLowerLeftCornerGivesO0AndClockwiseDigit3) {
  test::WriterFixture f("writer-origin");
  f.settings.Origin = "1";
  PathSegment start = PathPoint(-5, 0, 0, 4, kContourStart);
  start.Bulge() = -1;  // clockwise half circle
  f.state.PathList.push_back(start);
  f.state.PathList.push_back(PathPoint(5, 100, 0, 4));
  f.state.PathList.push_back(PathPoint(5, 100, 20, 4));
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "PANEL1"),
            "6000,4000,190,\"M\",\"MARQUILL DXF IMPORT\"\r\n"
            "\" G10 X0 Y0 Z4 O0\"\r\n"
            "\" G13/ X100 Y0 I50\"\r\n"
            "\" G00 X100 Y20 Z4\"\r\n"
            "\"end\"\r\n");
}

TEST(WritePtp400Program, OriginWordOfEachMachineCorner) {
  struct Case {
    bool right, top;
    const char* origin;
    const char* word;
  };
  const Case cases[] = {
      {false, false, "0", " O1"}, {false, true, "0", " O0"},  {true, true, "0", " O2"},
      {true, false, "0", " O3"},  {false, false, "1", " O0"}, {false, true, "1", " O1"},
      {true, true, "1", " O3"},   {true, false, "1", " O2"},
  };
  for (const Case& k : cases) {
    Settings settings;
    settings.Origin = k.origin;
    ConversionState state;
    state.XFromRight = k.right;
    state.YFromTop = k.top;
    const WriterFrame frame = PrepareFrame(settings, state);
    EXPECT_EQ(frame.OriginWord, k.word) << k.right << k.top << k.origin;
    EXPECT_EQ(frame.YSign, k.top ? -1.0f : 1.0f);
    EXPECT_EQ(frame.ClockwiseDigit, k.origin[0] == '1' ? '3' : '2');
  }
}

TEST(WritePtp400Program, InchDrawingHasUnitLetterIAndInchPrecision) {
  test::WriterFixture f("writer-inch");
  f.state.DrawingInInches = true;
  f.SetPanel(24, 18, 0.75f);
  f.state.PartDescription = "DOOR";
  f.state.PathList.push_back(PathPoint(-1, 1.23456f, 2, 0.5f, kContourStart));
  f.state.PathList.push_back(PathPoint(1, 10, 2, 0.5f));
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "PANEL1"),
            "240,180,7.5,\"I\",\"DOOR\"\r\n"
            "\" G10 X1.235 Y2 Z0.5 O1\"\r\n"
            "\" G00 X10 Y2 Z0.5\"\r\n"
            "\"end\"\r\n");
  EXPECT_EQ(ReadFileText(f.Drawings() / "MQ.PNX"), "PANEL1,1,MAT,24,18\r\n");
}

TEST(WritePtp400Program, LongProgramIsStoredInPortions) {
  test::WriterFixture f("writer-split");
  f.settings.LineLimit = "800";
  // 999 machining lines: contours of 3 points (start, middle, closing point).
  for (int k = 0; k < 333; ++k) {
    const float x = static_cast<float>(k);
    f.state.PathList.push_back(PathPoint(-1, x, 0, 5, kContourStart));
    f.state.PathList.push_back(PathPoint(1, x, 10, 5));
    f.state.PathList.push_back(PathPoint(1, x, 20, 5));
  }
  f.WriteProgram();
  const std::string first = ReadFileText(f.Destination() / "PANEL11.SRG");
  const std::string second = ReadFileText(f.Destination() / "PANEL12.SRG");
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  const std::string header = "6000,4000,190,\"M\",\"MARQUILL DXF IMPORT\"\r\n";
  EXPECT_EQ(first.substr(0, header.size()), header);
  EXPECT_EQ(second.substr(0, header.size()), header);
  EXPECT_NE(second.find("\" G10 X266 Y0 Z5 O1\"\r\n"), std::string::npos);
  EXPECT_EQ(first.substr(first.size() - 7), "\"end\"\r\n");
  EXPECT_EQ(second.substr(second.size() - 7), "\"end\"\r\n");
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 1 + 798 + 1);  // ends at the lift on line 798
  EXPECT_EQ(f.Messages(),
            (std::vector<std::string>{"Breaking up into multiples...", "PORTION 1 -  COMPLETED. ",
                                      "PORTION 2 -  COMPLETED. ", "CONVERSION COMPLETED.  1001 Lines"}));
  EXPECT_EQ(ReadFileText(f.Drawings() / "MQ.PNX"), "PANEL1,1,MAT,600,400\r\nPANEL1,1,MAT,600,400\r\n");
  EXPECT_EQ(f.run.WrittenPrograms.size(), 2);
}

TEST(WritePtp400Program, WriteErrorIsReportedAndTheDrawingFails) {
  test::WriterFixture f("writer-cannot-write");
  f.AddRectangleContour();
  f.settings.DestinationPath = (f.scratch / "missing").string() + "/";
  f.WriteProgram();
  EXPECT_EQ(f.run.FileFailed, kTrue);
  ASSERT_EQ(f.run.FailedFiles.size(), 1);
  EXPECT_EQ(f.run.FailedFiles[1], f.settings.DestinationPath + "PANEL1");
  const auto messages = f.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Cannot write " + f.settings.DestinationPath + "PANEL1: ", 0), 0u)
      << messages[0];
  EXPECT_FALSE(f.state.ProgramWritten);
  EXPECT_FALSE(std::filesystem::exists(f.Drawings() / "MQ.PNX"));
}

TEST(WritePtp400Program, ReplacingAProgramLeavesNoTemporaryFile) {
  test::WriterFixture f("writer-replace");
  test::WriteFileText(f.Destination() / "PANEL1", "old program");
  f.AddRectangleContour();
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "PANEL1"), kWorkedExample);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(f.Destination())) ++files;
  EXPECT_EQ(files, 1);
}

TEST(WritePtp400Program, SectionsComeInOrderBoresGroovesEdgeBoresPaths) {
  test::WriterFixture f("writer-sections");
  f.state.BoreList.push_back(Bore(37, 50));
  LineBoreRecord groove;
  groove.X1 = 0;
  groove.Y1 = 200;
  groove.X2 = 600;
  groove.Y2 = 200;
  groove.Z = 8;
  groove.Tool = 61;
  f.state.LineBoreList.push_back(groove);
  EdgeBoreRecord edge;
  edge.Side = 3;
  edge.X = 30;
  edge.Y = 100;
  edge.Z = 9.5f;
  edge.ToolText = "";
  f.state.EdgeBoreList.push_back(edge);
  f.AddRectangleContour();
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "PANEL1"),
            "6000,4000,190,\"M\",\"MARQUILL DXF IMPORT\"\r\n"
            "\" G00 X37 Y50 Z12 T0 O1\"\r\n"
            "\" G16 X0 Y200 Z8 T61\"\r\n"
            "\" G00 X600\"\r\n"
            "\" G06 X30 Y100 Z9.5\"\r\n"
            "\" G10 X0 Y0 Z20 T5 VX5000 VZ2000\"\r\n"
            "\" G10 X600 Y0 Z20\"\r\n"
            "\" G10 X600 Y400 Z20\"\r\n"
            "\" G10 X0 Y400 Z20\"\r\n"
            "\" G00 X0 Y0 Z20\"\r\n"
            "\"end\"\r\n");
}

}  // namespace
}  // namespace mq
