// One request taken through ProcessFile: the run variables it gives, and how the reader,
// the engine and the writers end a drawing.

#include "shell/process_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "shell/batch_run.h"
#include "support/conversion.h"

namespace mq {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// The scratch directory is written with backslashes, as an operator on Windows types it.
TEST(ProcessFile, RequestGivesDrawingAndProgramName) {
  // Drawing created in the directory (nullptr: none), request and DxfFileName after the
  // directory ("%" stands for it), program name, first report line (for a missing drawing
  // the whole message after the directory).
  // clang-format off
  const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
      {"A.DXF", "A", "A.DXF", "A", "A"}, {"B.dxf", "B.dxf", "B.dxf", "B", "B"},  // the extension test is case-blind
      {"C.DXF", "C.DXF   P12  ", "C.DXF", "P12", "P12"}, {"D.DXF.OLD", "D.DXF.OLD", "D.DXF.OLD", "D", "D"},
      {nullptr, "E.TXT", "E.TXT.DXF", "E.TXT", "E.TXT.DXF  NOT FOUND"},
      {"F.DXF", "F.DXF %OUT\\P7.DXF", "F.DXF", "%OUT\\P7", "P7"}};  // no directory in the title
  // clang-format on
  test::Conversion c(test::PanelOfLines());
  const std::string dir = c.dir.path().string() + "\\";
  const auto in_dir = [&](std::string text) {  // "%" stands for the directory
    return text.find('%') == std::string::npos ? text : text.replace(text.find('%'), 1, dir);
  };
  fs::create_directory(c.dir / "OUT");
  for (const auto& [file, given, drawing, program, title] : cases) {
    if (file) test::PanelOfLines().Save(c.dir / file);
    c.run.PendingMessage.clear();
    // Where the drawing is found, it is named as the file system holds it.
    const std::string full = dir + in_dir(given), where = file ? c.dir.path().string() + "/" : dir;
    std::string request = "  " + full;
    ProcessFile(request, c.run, c.settings, c.ledger);
    EXPECT_EQ(request, full.substr(0, full.find_last_not_of(' ') + 1)) << "trimmed in place";
    EXPECT_EQ(c.run.ProgramName + "|" + c.Messages().at(0) + "|" + c.run.DxfFileName + "|" +
                  c.run.DxfDirectory + (c.run.FileFailed ? "|failed" : ""),
              in_dir(program) + "|" + (file ? "" : dir) + title + "|" + where + drawing + "|" + where +
                  (file ? "" : "|failed"));
  }
  EXPECT_EQ(c.run.FailedFiles.raw(), Strings{dir + "E.TXT.DXF"}) << "a failure never carries over";
  // Without a separator the drawing is looked for in the working directory.
  const fs::path before = fs::current_path();
  fs::current_path(c.dir.path()), c.Process("PART"), fs::current_path(before);
  EXPECT_EQ(c.run.DxfFileName + "|" + c.run.DxfDirectory, "PART.DXF|");
}

// The outcome of each stage: a drawing converted gets its program and part-list lines;
// one that asks for no code only its part-list entry; one the engine or the reader
// fails is listed under its own name and nothing follows its reason; a program that
// cannot be stored leaves no part-list entry either.
TEST(ProcessFile, EachStageEndsTheDrawingItsOwnWay) {
  const test::DxfBuilder route =
      test::PanelOfLines(0, 0, "BORDER Z19").Line("ROUTE Z5 T5", 100, 100, 200, 100);
  // Drawing, DXF text instead of a drawing, destination exists, report after the title, files written.
  // clang-format off
  const std::tuple<test::DxfBuilder, const char*, bool, std::string, std::string> cases[] = {
      {route, nullptr, true, "PART|CONVERSION COMPLETED.  4 Lines|Entry to PTS: $out/LIST.PTS", "MQ.PNX out/LIST.PTS out/PART"},
      {test::PanelOfLines(0, 0, "BORDER NO"), nullptr, true,
       "PART|Entry to PTS: $out/LIST.PTS|Code Generation Turned Off in Drawing", "out/LIST.PTS"},
      {test::DxfBuilder().Line("ROUTE T3", 0, 0, 100, 0), nullptr, true,
       "PART|Part BORDER or BORDER Layer NOT Found!!!|CONVERSION PROCESS ABORTED.", ""},
      {route, "0\nSECTION\n2\nENTITIES\n0\nLINE\n", true, "PART|DXF file ends before the end of its ENTITIES section: "
       "$PART.DXF (line 6)", ""},
      {route, nullptr, false, "PART|Cannot write $missing/PART", ""}};
  // clang-format on
  for (const auto& [drawing, text, destination, report, files] : cases) {
    test::Conversion c(test::WithInstructions(drawing, {"PTS QTY=2"}));
    if (text) std::ofstream(c.dir / "PART.DXF") << text;
    if (!destination) c.settings.DestinationPath = (c.dir / "missing/").string();
    c.settings.PTSPath = (c.dir / "out/").string(), c.settings.PTSName = "LIST",
    c.settings.PtsFieldNames[1] = "QTY";
    std::string seen;
    for (const std::string& line : c.Process())  // the system's reason for a failed write aside
      seen += (seen.empty() ? "" : "|") + line.substr(0, line.starts_with("Cannot") ? line.rfind(": ") : -1);
    for (std::size_t at; (at = seen.find(c.dir.path().string() + "/")) != std::string::npos;)
      seen.replace(at, c.dir.path().string().size() + 1, "$");
    EXPECT_EQ(seen, report);
    EXPECT_EQ(c.run.FailedFiles.empty(), !files.empty()) << report;
    std::string made;
    for (const char* file : {"MQ.PNX", "out/LIST.PTS", "out/PART"})
      if (fs::exists(c.dir / file)) made += (made.empty() ? "" : " ") + std::string(file);
    EXPECT_EQ(made, files) << report;
  }
}

// Whatever a conversion throws fails only its drawing: it is reported and listed, and
// the batch goes on with the next drawing.
TEST(ProcessFile, AConversionThatThrowsFailsOnlyItsDrawing) {
  const test::DxfBuilder drawing =
      test::PanelOfLines(0, 0, "BORDER Z19").Line("ROUTE Z5 T5", 100, 100, 200, 100);
  test::Conversion c(drawing);
  drawing.Save(c.dir / "NEXT.DXF");
  const std::string first = c.run.DxfFileName;
  c.person.throw_at_yield = 1;  // while the first drawing is read
  RunBatch({first, (c.dir / "NEXT.DXF").string()}, c.run, c.settings, c.ledger);
  ASSERT_EQ(c.person.rows.size(), 3u);
  EXPECT_EQ(c.person.rows[0], "PART\rConversion failed unexpectedly: the operator's window went away");
  EXPECT_EQ(test::ReportLines(c.person.rows[1]).back(), "CONVERSION COMPLETED.  4 Lines");
  EXPECT_EQ(c.run.FailedFiles.raw(), Strings{first});
}

}  // namespace
}  // namespace mq
