// The whole writer on hand-built conversions: the stored files and the report.

#include "output/program_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "output/atomic_file.h"
#include "output/tool_table.h"
#include "writer_fixture.h"

namespace mq {
namespace {

using test::Bore;
using test::PathPoint;
using test::ReadFileText;

// A program file's text: the header, the machining lines quoted, the end line.
std::string ProgramText(std::initializer_list<std::string> lines,
                        const std::string& header = "6000,4000,190,\"M\",\"MARQUILL DXF IMPORT\"") {
  std::string text = header + "\r\n";
  for (const std::string& line : lines) text += "\" " + line + "\"\r\n";
  return text + "\"end\"\r\n";
}

TEST(WritePtp400Program, WorkedExampleByteForByte) {
  test::WriterFixture f("writer-example");
  f.AddRectangleContour();
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "PANEL1"),
            "6000,4000,190,\"M\",\"MARQUILL DXF IMPORT\"\r\n"
            "\" G10 X0 Y0 Z20 T5 VX5000 VZ2000 O1\"\r\n"
            "\" G10 X600 Y0 Z20\"\r\n"
            "\" G10 X600 Y400 Z20\"\r\n"
            "\" G10 X0 Y400 Z20\"\r\n"
            "\" G00 X0 Y0 Z20\"\r\n"
            "\"end\"\r\n");
  EXPECT_TRUE(f.state.ProgramWritten);
  EXPECT_EQ(f.PendingLines(), std::vector<std::string>{"CONVERSION COMPLETED.  7 Lines"});
  EXPECT_EQ(f.run.WrittenPrograms, OneBasedList<std::string>{f.settings.DestinationPath + "PANEL1"});
  EXPECT_EQ(f.run.ProgramName, f.settings.DestinationPath + "PANEL1");
  EXPECT_EQ(f.state.PartDescription, "MARQUILL DXF IMPORT");  // the part list sees the default too
  EXPECT_EQ(f.person.meters[5], 100);
  EXPECT_EQ(ReadFileText(f.Drawings() / "MQ.PNX"), "PANEL1,1,MAT,600,400\r\n");
}

// A bare name goes to the destination path (not the working directory), a name with a
// directory keeps it, a directory alone takes the drawing's name, portions are numbered.
TEST(WritePtp400Program, WhereTheProgramIsStored) {
  // clang-format off
  const std::tuple<std::string, const char*, std::vector<std::string>> cases[] = {
      {"PANEL1", "600", {"dest/PANEL1"}}, {"dxf/P17", "600", {"dxf/P17"}}, {"dxf/", "600", {"dxf/PANEL1"}},
      {"PANEL1", "3", {"dest/PANEL11.SRG", "dest/PANEL12.SRG"}}};
  // clang-format on
  for (const auto& [name, line_limit, expected] : cases) {
    test::WriterFixture f("writer-names");
    f.AddRectangleContour();
    f.settings.LineLimit = line_limit;
    if (name.find('/') != std::string::npos) f.run.ProgramName = (f.scratch / name).string();
    f.WriteProgram();
    std::vector<std::string> files;  // every file written but the part list, temporary ones too
    for (const auto& entry : std::filesystem::recursive_directory_iterator(f.scratch.path())) {
      if (entry.is_regular_file() && entry.path().filename() != "MQ.PNX") {
        files.push_back(entry.path().lexically_relative(f.scratch.path()).generic_string());
      }
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, expected) << name;
  }
}

TEST(WritePtp400Program, DrawingWithoutBoresDoesNotReadParDat) {
  // The R word falls back on the tool's radius from Par.DAT, so it shows whether it was read.
  for (const bool with_bore : {false, true}) {
    test::WriterFixture f("writer-pardat");
    test::WriteFileText(f.Program() / "PAR.DAT", test::ParDatText());  // the name in any case
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

TEST(ParameterFilePath, RootDefaultAndFallback) {
  SilentOperator nobody;
  RunContext run(nobody);
  EXPECT_EQ(ParameterFilePath(run), "C:\\400V80\\Par.DAT");
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"D:\\MACHINE", "D:\\MACHINE\\Par.DAT"}, {"/opt/ptp/", "/opt/ptp/Par.DAT"},
      {"", "c:\\400v80\\Par.DAT"}};
  // clang-format on
  for (const auto& [root, path] : cases) {
    run.RootDirectory = root;
    EXPECT_EQ(ParameterFilePath(run), path) << root;
  }
}

TEST(WritePtp400Program, OriginSettingOneWithLowerLeftCornerGivesO0AndClockwiseDigit3) {
  test::WriterFixture f("writer-origin");
  f.settings.Origin = "1";
  f.state.PathList = {PathPoint(-5, 0, 0, 4, kContourStart, -1), PathPoint(5, 100, 0), PathPoint(5, 100, 20)};
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "PANEL1"),
            ProgramText({"G10 X0 Y0 Z4 O0", "G13/ X100 Y0 I50", "G00 X100 Y20 Z4"}));
}

TEST(PrepareFrame, OriginWordYSignAndArcDigitOfEachMachineCorner) {
  // X from the right, Y from the top, origin setting, origin word.
  // clang-format off
  const std::tuple<int, int, const char*, const char*> cases[] = {
      {0, 0, "0", " O1"}, {0, 1, "0", " O0"}, {1, 1, "0", " O2"}, {1, 0, "0", " O3"}, {0, 0, "1", " O0"},
      {0, 1, "1", " O1"}, {1, 1, "1", " O3"}, {1, 0, "1", " O2"}};
  // clang-format on
  for (const auto& [right, top, origin, word] : cases) {
    Settings settings;
    settings.Origin = origin;
    ConversionState state;
    state.XFromRight = right;
    state.YFromTop = top;
    const WriterFrame frame = PrepareFrame(settings, state);
    EXPECT_EQ(frame.OriginWord, word) << right << top << origin;
    EXPECT_EQ(frame.YSign, top ? -1.0f : 1.0f);
    EXPECT_EQ(frame.ClockwiseDigit, origin[0] == '1' ? '3' : '2');
  }
}

TEST(WritePtp400Program, InchDrawingHasUnitLetterIAndInchPrecision) {
  test::WriterFixture f("writer-inch");
  f.state.DrawingInInches = true;
  f.SetPanel(24, 18, 0.75f);
  f.state.PartDescription = "DOOR";
  f.state.PathList = {PathPoint(-1, 1.23456f, 2, 0.5f, kContourStart), PathPoint(1, 10, 2, 0.5f)};
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "PANEL1"),
            ProgramText({"G10 X1.235 Y2 Z0.5 O1", "G00 X10 Y2 Z0.5"}, "240,180,7.5,\"I\",\"DOOR\""));
  EXPECT_EQ(ReadFileText(f.Drawings() / "MQ.PNX"), "PANEL1,1,MAT,24,18\r\n");
}

// A program is written whole whatever its size, and its line count is not 16-bit.
TEST(WritePtp400Program, LongProgramIsWrittenWhole) {
  test::WriterFixture f("writer-long");
  f.settings.LineLimit = "100000";
  f.state.PathList = {PathPoint(-1, 0, 0, 5, kContourStart)};
  for (int k = 1; k < 33000; ++k) f.state.PathList.push_back(PathPoint(1, 1000.25f + k, 500.75f, 5));
  f.WriteProgram();
  const std::string program = ReadFileText(f.Destination() / "PANEL1");
  EXPECT_EQ(std::count(program.begin(), program.end(), '\n'), 33002);
  EXPECT_GT(program.size(), 21u * 30000u);
  EXPECT_EQ(program.substr(program.size() - 36), "\" G00 X33999.25 Y500.75 Z5\"\r\n\"end\"\r\n");
  EXPECT_EQ(f.PendingLines(), std::vector<std::string>{"CONVERSION COMPLETED.  33002 Lines"});
}

// A replacement is written beside the file and renamed over it: the old file stays
// whole when the new one cannot take its place, and no temporary file is left.
TEST(WriteFileAtomically, ReplacesTheFileWholeOrNotAtAll) {
  test::ScratchDirectory dir("atomic");
  test::WriteFileText(dir / "INDEX.IND", "old contents that are longer");
  const std::string bytes("new\r\n\0x", 7);
  EXPECT_FALSE(WriteFileAtomically((dir / "INDEX.IND").string(), bytes));
  EXPECT_EQ(ReadFileText(dir / "INDEX.IND"), bytes);
  std::filesystem::create_directories(dir / "PROGRAM" / "inside");
  const auto reason = WriteFileAtomically((dir / "PROGRAM").string(), "text");
  ASSERT_TRUE(reason);
  EXPECT_FALSE(reason->empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "PROGRAM" / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
  EXPECT_TRUE(WriteFileAtomically((dir / "missing" / "X").string(), "text"));
}

TEST(WritePtp400Program, WriteErrorIsReportedAndTheDrawingFails) {
  test::WriterFixture f("writer-cannot-write");
  f.AddRectangleContour();
  f.settings.DestinationPath = (f.scratch / "missing").string() + "/";
  f.WriteProgram();
  const std::string path = f.settings.DestinationPath + "PANEL1";
  EXPECT_TRUE(f.run.FileFailed);
  EXPECT_EQ(f.run.FailedFiles, OneBasedList<std::string>{path});
  const auto messages = f.PendingLines();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Cannot write " + path + ": ", 0), 0u) << messages[0];
  EXPECT_FALSE(f.state.ProgramWritten);
  EXPECT_FALSE(std::filesystem::exists(f.Drawings() / "MQ.PNX"));
}

// Without Par.DAT every bore is drilled alone with T0, and the missing file is reported
// once a run.
TEST(WritePtp400Program, SectionsComeInOrderBoresGroovesEdgeBoresPaths) {
  test::WriterFixture f("writer-sections");
  for (int drawing = 1; drawing <= 2; ++drawing) {
    f.AddRectangleContour();
    f.state.BoreList = {Bore(37, 50)};
    f.state.LineBoreList = {LineBoreRecord{0, 200, 600, 200, 8, 0, 0, 0, 0, 61}};
    f.state.EdgeBoreList = {EdgeBoreRecord{3, 0, 30, 100, 9.5f, 0, 1, 0, std::string_view("")}};
    f.WriteProgram();
  }
  EXPECT_EQ(ReadFileText(f.Destination() / "PANEL1"),
            ProgramText({"G00 X37 Y50 Z12 T0 O1", "G16 X0 Y200 Z8 T61", "G00 X600", "G06 X30 Y100 Z9.5",
                         "G10 X0 Y0 Z20 T5 VX5000 VZ2000", "G10 X600 Y0 Z20", "G10 X600 Y400 Z20",
                         "G10 X0 Y400 Z20", "G00 X0 Y0 Z20"}));
  const auto messages = f.PendingLines();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "Parameter file PAR.DAT not found."), 1);
}

}  // namespace
}  // namespace mq
