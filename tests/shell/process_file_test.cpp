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

// A program that cannot be stored fails its drawing and leaves no part-list entry. How
// the other stages end a drawing is the golden case drawing_stages.
TEST(ProcessFile, AProgramThatCannotBeStoredLeavesNoPartListEntry) {
  test::Conversion c(test::WithInstructions(
      test::PanelOfLines(0, 0, "BORDER Z19").Line("ROUTE Z5 T5", 100, 100, 200, 100), {"PTS QTY=2"}));
  c.settings.DestinationPath = (c.dir / "missing/").string();
  c.settings.PTSPath = (c.dir / "out/").string(), c.settings.PTSName = "LIST",
  c.settings.PtsFieldNames[1] = "QTY";
  const std::vector<std::string> report = c.Process();
  const std::string program = c.settings.DestinationPath + "PART";
  EXPECT_EQ(report.back().substr(0, report.back().rfind(": ")), "Cannot write " + program);
  EXPECT_EQ(c.run.FailedFiles.raw(), Strings{program}) << "listed under the file that cannot be written";
  EXPECT_FALSE(fs::exists(c.dir / "MQ.PNX") || fs::exists(c.dir / "out/LIST.PTS"));
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
