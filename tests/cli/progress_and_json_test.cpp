// What scripts and people at a terminal get from `convert`: one JSON object per drawing,
// nothing with --quiet but the problems on standard error, and a progress line that is
// drawn in place, erased before anything else is printed, and never drawn off a terminal.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/progress_line.h"
#include "input/operator.h"
#include "inspect_cli_harness.h"
#include "support/dxf_builder.h"

namespace mq::cli {
namespace {

using test::RunCli;

TEST(ConvertForScripts, JsonGivesEachDrawingQuietGivesNothingButTheProblems) {
  mq::test::ScratchDirectory dir{"cli-json"};
  const std::string settings = (dir / "MQ400.INI").string(), out = (dir / "out").string() + "/";
  std::ofstream(settings, std::ios::binary) << "[Configuration]\r\nLineLimit=600\r\n";
  std::filesystem::create_directories(out);
  mq::test::DxfBuilder()
      .Rectangle("BORDER", 0, 0, 600, 400)
      .Line("ROUTE T5 D20", 300, 200, 310, 200)
      .Save(dir / "GOOD.DXF");
  const std::string good = (dir / "GOOD.DXF").string(), gone = (dir / "GONE.DXF").string();

  const test::CliRun json =
      RunCli({"convert", good + " P0017", gone, "--settings", settings, "--dest", out, "--json"});
  EXPECT_EQ(json.status, kExitFailed);
  std::istringstream lines(json.out);
  std::string first, second, more;
  std::getline(lines, first), std::getline(lines, second);
  EXPECT_FALSE(std::getline(lines, more)) << json.out;
  const Json converted = Json::parse(first), failed = Json::parse(second);
  EXPECT_EQ(converted["name"], good);
  EXPECT_EQ(converted["programs"], Json::array({out + "P0017"}));
  EXPECT_EQ(converted["messages"].front(), "P0017");
  EXPECT_EQ(converted["failed"], false);
  EXPECT_EQ(failed, Json({{"name", gone},
                          {"programs", Json::array()},
                          {"messages", {gone + "  NOT FOUND"}},
                          {"warnings", Json::array()},
                          {"failed", true}}));
  EXPECT_EQ(json.err, "marquill400-cli: " + gone + " failed:\n" + gone + "  NOT FOUND\n")
      << "no progress line off a terminal";

  const test::CliRun quiet =
      RunCli({"convert", good, gone, "--settings", settings, "--dest", out, "--quiet"});
  EXPECT_EQ(quiet.status, kExitFailed);
  EXPECT_EQ(quiet.out, "");
  EXPECT_EQ(quiet.err, json.err);
  EXPECT_EQ(RunCli({"convert", good, "--quiet", "--json"}).status, kExitUsage);
}

TEST(ProgressLine, DrawnInPlaceForSeveralDrawingsOrASlowOne) {
  double now = 0;
  std::ostringstream err;
  ProgressLine several(err, true, [&] { return now; });
  several.StartDrawing(2, 120, "C:\\DXF\\SIDE.DXF P0017");
  several.MeterMoved(meter::kProcessing, 40);
  several.MeterMoved(meter::kProcessing, 80);   // the same stage: not drawn again
  several.MeterMoved(meter::kReadingInfo, 90);  // an earlier meter topped up: no step back
  several.MeterMoved(meter::kGCode, 0);         // meters set back: no stage
  several.Clear();
  const std::string line = "drawing 2 of 120: SIDE.DXF P0017: ";
  const std::string blank(line.size() + std::string("starting").size(), ' ');
  EXPECT_EQ(err.str(), line + "starting\r" + blank + "\r" + line + "Processing\r" +
                           std::string(blank.size() + 2, ' ') + "\r");

  err.str("");
  ProgressLine single(err, true, [&] { return now; });
  single.StartDrawing(1, 1, "BIG.DXF");
  now = 0.9;
  single.MeterMoved(meter::kParsing, 50);
  EXPECT_EQ(err.str(), "") << "a drawing done within a second shows nothing";
  now = 1.1;
  single.MeterMoved(meter::kParsing, 60);
  EXPECT_EQ(err.str(), "drawing 1 of 1: BIG.DXF: Parsing");

  err.str("");
  ProgressLine off(err, false, [&] { return now; });
  off.StartDrawing(1, 5, "A.DXF"), off.MeterMoved(meter::kSequencing, 10), off.Clear();
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(off.Text(), "drawing 1 of 5: A.DXF: Sequencing");
}

}  // namespace
}  // namespace mq::cli
