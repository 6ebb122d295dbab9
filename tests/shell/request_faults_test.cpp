// Requests that once lost work without a word: a program written over its own drawing
// or over a file the run reads, portions that overwrote one another, a blank in a
// drawing's path, a folder or a pipe given as the drawing, warnings a strict run must
// not let through.

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "support/conversion.h"

namespace mq {
namespace {

namespace fs = std::filesystem;

// Thirteen separate cuts: with a line limit of 2 every cut is a portion of its own.
test::DxfBuilder ThirteenCuts() {
  test::DxfBuilder dxf = test::PanelOfLines(0, 0, "BORDER Z19");
  for (int i = 0; i < 13; ++i) dxf.Line("ROUTE Z5 T1", 20 + 40 * i, 100, 20 + 40 * i, 200);
  return dxf;
}

std::size_t CountOf(const std::vector<std::string>& lines, const std::string& part) {
  return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(part) != std::string::npos;
  }));
}

struct RequestCase {
  const char* name;
  std::function<void(test::Conversion&)> prepare;
  const char* request;  // "%" stands for the scratch directory with its separator
  const char* said;     // a report line holds this ("" nothing to look for)
  bool failed;
  std::function<void(test::Conversion&)> check;
};

TEST(RequestFaults, NothingIsLostAndNothingIsWrittenOverWhatTheRunReads) {
  const std::string panel = test::PanelOfLines(0, 0, "BORDER Z19").Build(false);
  const RequestCase cases[] = {
      {"a program name that is a folder takes the drawing's name without .DXF", nullptr, "%SEP.DXF %", "",
       false,
       [&](test::Conversion& c) {
         EXPECT_EQ(c.Written("SEP.DXF"), panel);
         EXPECT_NE(c.Written("SEP").find("\"end\""), std::string::npos);
       }},
      {"the settings file is never a program",
       [](test::Conversion& c) { c.run.SettingsFile = (c.dir / "MQ.INI").string(); }, "%SEP.DXF %MQ.INI",
       "MQ.INI: it is the settings file", true,
       [](test::Conversion& c) { EXPECT_EQ(c.Written("MQ.INI"), "[settings]\r\n"); }},
      {"Par.DAT is never a program", nullptr, "%SEP.DXF %Par.DAT", "Par.DAT: it is the machine's tool table",
       true, [](test::Conversion& c) { EXPECT_EQ(c.Written("Par.DAT"), "[settings]\r\n"); }},
      {"portions that would share a name get free ones",
       [](test::Conversion& c) {
         ThirteenCuts().Save(c.dir / "SEP.DXF");
         c.settings.LineLimit = "2";
       },
       "%SEP.DXF SIDE0017", "PORTION 11 stored as SIDE0020: SIDE0011 is the name of an earlier portion",
       false,
       [](test::Conversion& c) {
         std::size_t programs = 0;
         for (const auto& entry : fs::directory_iterator(c.dir / "out"))
           programs += entry.path().extension() == ".SRG";
         EXPECT_EQ(programs, 13u);
         EXPECT_EQ(CountOf(c.run.Warnings, "is the name of an earlier portion"), 3u);
       }},
      {"a drawing path with a blank is taken whole",
       [](test::Conversion& c) { fs::create_directory(c.dir / "my dir"); }, "%my dir/SEP.DXF", "", false,
       [](test::Conversion& c) { EXPECT_FALSE(c.Written("out/SEP").empty()); }},
      {"and still takes a program name after it",
       [](test::Conversion& c) { fs::create_directory(c.dir / "my dir"); }, "%my dir/SEP P0017", "", false,
       [](test::Conversion& c) { EXPECT_FALSE(c.Written("out/P0017").empty()); }},
      {"a folder is no drawing", [](test::Conversion& c) { fs::create_directory(c.dir / "FOLDER.DXF"); },
       "%FOLDER", "FOLDER.DXF  not a regular file", true, nullptr},
#if !defined(_WIN32)
      {"nor is a pipe", [](test::Conversion& c) { mkfifo((c.dir / "PIPE.DXF").c_str(), 0600); }, "%PIPE.DXF",
       "PIPE.DXF  not a regular file", true, nullptr},
#endif
      {"a strict run stores nothing of a drawing with a warning",
       [](test::Conversion& c) {
         c.run.Strict = true;
         test::PanelOfLines(0, 0, "BORDER Z19").Entity("SPLINE", "ROUTE T1").Save(c.dir / "SEP.DXF");
       },
       "%SEP.DXF", "Not stored: warnings fail the drawing in a strict run.", true,
       [](test::Conversion& c) { EXPECT_FALSE(fs::exists(c.dir / "out" / "SEP")); }},
  };
  for (const RequestCase& k : cases) {
    test::Conversion c(test::PanelOfLines(0, 0, "BORDER Z19"), "SEP");
    std::ofstream(c.dir / "MQ.INI", std::ios::binary) << "[settings]\r\n";
    std::ofstream(c.dir / "Par.DAT", std::ios::binary) << "[settings]\r\n";
    if (k.prepare) k.prepare(c);
    if (fs::is_directory(c.dir / "my dir"))
      test::PanelOfLines(0, 0, "BORDER Z19").Save(c.dir / "my dir" / "SEP.DXF");
    std::string request = k.request;
    for (std::size_t at; (at = request.find('%')) != std::string::npos;)
      request.replace(at, 1, c.dir.path().string() + "/");
    const std::vector<std::string> lines = c.Process(request);
    EXPECT_EQ(CountOf(lines, k.said), *k.said ? 1u : lines.size()) << k.name << ": " << c.run.PendingMessage;
    EXPECT_EQ(c.run.FileFailed, k.failed) << k.name << ": " << c.run.PendingMessage;
    if (k.check) k.check(c);
  }
}

}  // namespace
}  // namespace mq
