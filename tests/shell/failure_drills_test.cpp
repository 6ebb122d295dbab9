// Failure drills: whatever goes wrong while a drawing is stored, the drawing ends with a
// clear report line and is listed as failed where it failed, nothing crashes, and every
// file that was there before (programs, INDEX.IND, MQ.PNX, the .PTS list) stays whole.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "output/directory_system.h"
#include "support/conversion.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace mq {
namespace {

namespace fs = std::filesystem;

// A disk that fills up while the file whose name holds `victim` is written.
std::function<std::optional<std::string>(const std::string&, std::string_view)> DiskFullFor(
    const std::string& victim) {
  return [victim](const std::string& path, std::string_view bytes) -> std::optional<std::string> {
    std::ofstream file(path, std::ios::binary);
    if (fs::path(path).filename().string().find(victim) == std::string::npos) {
      file << bytes;
      return std::nullopt;
    }
    file << bytes.substr(0, bytes.size() / 2);
    return "No space left on device";
  };
}

struct Drill {
  const char* name;
  std::function<void(test::Conversion&)> prepare;
  const char* said;  // the report line begins with it ("" the drawing converts)
};

TEST(FailureDrills, EachEndsWithAReportLineAndLeavesTheOldFilesWhole) {
  const std::string old_index = IndexHeaderText(1) + IndexRecordText("OLD", "OLD PART", {2000, 1, 1});
  const Drill drills[] = {
    {"destination missing",
     [](test::Conversion& c) { c.settings.DestinationPath = (c.dir / "gone/").string(); }, "Cannot write "},
    {"destination is a file",
     [](test::Conversion& c) { c.settings.DestinationPath = (c.dir / "MQ.PNX/").string(); }, "Cannot write "},
    {"disk full writing the program", [](test::Conversion& c) { c.run.NewFileWriter = DiskFullFor("PART"); },
     "Cannot write "},
    {"disk full writing INDEX.IND",
     [](test::Conversion& c) {
       c.settings.DirectorySystem = true;
       c.run.NewFileWriter = DiskFullFor("INDEX.IND");
     },
     "Cannot write "},
    {"disk full writing MQ.PNX", [](test::Conversion& c) { c.run.NewFileWriter = DiskFullFor("MQ.PNX"); },
     "Cannot write "},
    {"disk full writing the .PTS list",
     [](test::Conversion& c) { c.run.NewFileWriter = DiskFullFor("LIST.PTS"); }, "Cannot write "},
    {"a damaged INDEX.IND",
     [](test::Conversion& c) {
       c.settings.DirectorySystem = true;
       std::ofstream(c.dir / "out" / "INDEX.IND", std::ios::binary | std::ios::app) << "X";
     },
     ""},
    {"the drawing deleted after the folder was polled",
     [](test::Conversion& c) { fs::remove(c.dir / "PART.DXF"); }, "NOT FOUND"},
    {"a layer name of 10,000 characters",
     [](test::Conversion& c) {
       test::WithInstructions(test::PanelOfLines(0, 0, "BORDER Z19"), {"PTS QTY=2"})
           .Line("ROUTE Z5 T5 " + std::string(10000, 'Q'), 100, 100, 200, 100)
           .Save(c.dir / "PART.DXF");
     },
     ""},
#if !defined(_WIN32)
    // root writes into any folder: the drill means something only for an operator.
    {"destination read-only",
     [](test::Conversion& c) {
       if (geteuid() != 0)
         fs::permissions(c.dir / "out", fs::perms::owner_read | fs::perms::owner_exec);
       else
         c.settings.DestinationPath = (c.dir / "gone/").string();
     },
     "Cannot write "},
#endif
  };
  for (const Drill& drill : drills) {
    test::Conversion c(test::WithInstructions(test::PanelOfLines(0, 0, "BORDER Z19"), {"PTS QTY=2"})
                           .Line("ROUTE Z5 T5", 100, 100, 200, 100));
    c.settings.PTSPath = (c.dir / "out/").string(), c.settings.PTSName = "LIST",
    c.settings.PtsFieldNames[1] = "QTY";
    // Each file as it was, and what it holds whenever it is whole: a whole new program,
    // or the old list with its old lines.
    const std::tuple<std::string, std::string, std::string> old_files[] = {
        {"out/PART", "OLD PROGRAM\r\n", "\"end\"\r\n"},
        {"out/P/PART.SRG", "OLD PROGRAM\r\n", "\"end\"\r\n"},
        {"out/INDEX.IND", old_index, old_index.substr(50)},
        {"MQ.PNX", "OLD,1,MAT,1,2\r\n", "OLD,1,MAT,1,2\r\n"},
        {"out/LIST.PTS", "2.00, 1,M\r\n7\r\n", "\r\n7\r\n"}};
    fs::create_directories(c.dir / "out" / "P");
    for (const auto& [file, text, whole] : old_files) std::ofstream(c.dir / file, std::ios::binary) << text;
    drill.prepare(c);
    const std::vector<std::string> lines = c.Process();
    fs::permissions(c.dir / "out", fs::perms::owner_all);
    bool said = false;
    for (const std::string& line : lines)
      said = said || (*drill.said && line.find(drill.said) != std::string::npos);
    EXPECT_EQ(said, *drill.said != 0) << drill.name << ":\n" << c.run.PendingMessage;
    EXPECT_EQ(c.run.FileFailed, *drill.said != 0) << drill.name;
    for (const auto& [file, text, whole] : old_files) {
      const std::string now = c.Written(file);
      EXPECT_TRUE(now.starts_with(text) || now.find(whole) != std::string::npos)
          << drill.name << ": " << file << " is now\n"
          << now;
    }
    for (const auto& entry : fs::recursive_directory_iterator(c.dir.path())) {
      EXPECT_EQ(entry.path().string().find(".mq-new"), std::string::npos)
          << drill.name << ": " << entry.path();
    }
  }
}

}  // namespace
}  // namespace mq
