// `marquill400-cli preview`: an SVG for every example drawing (converted in memory) and
// for every written golden program, each well-formed, with a viewBox and as many holes,
// saw passes and edge bores drawn as its --json summary counts; unreadable lines named.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "inspect_cli_harness.h"
#include "support/dxf_builder.h"
#include "support/golden_cases.h"
#include "support/svg_check.h"

namespace mq::cli {
namespace {

namespace fs = std::filesystem;
using mq::test::kSourceDirectory;
using mq::test::ReadBytes;
using test::RunCli;

class PreviewCommand : public ::testing::Test {
 protected:
  PreviewCommand() { setenv("ROOT", (kSourceDirectory / "examples").c_str(), 1); }
  ~PreviewCommand() override { unsetenv("ROOT"); }

  // Previews `input` into an SVG file; its summary and the drawn document.
  void Check(const fs::path& input, const fs::path& settings) {
    const std::string svg = (dir / (input.stem().string() + ".svg")).string();
    const test::CliRun run =
        RunCli({"preview", input.string(), "--settings", settings.string(), "-o", svg, "--json"});
    ASSERT_EQ(run.status, kExitOk) << input << run.err;
    const Json summary = Json::parse(run.out)["summary"];
    const mq::test::XmlDocument doc = mq::test::ReadXml(ReadBytes(svg));
    ASSERT_EQ(doc.Error, "") << input;
    EXPECT_EQ(doc.Elements[0].Name + " " + doc.Elements[0].Attributes.at("viewBox").substr(0, 4), "svg 0 0 ")
        << input;
    EXPECT_EQ(doc.Count("polygon", "panel"), 1) << input;
    EXPECT_EQ(doc.Count("circle", "hole"), summary["holes"]) << input;
    EXPECT_EQ(doc.Count("polyline", "saw-pass"), summary["sawPasses"]) << input;
    EXPECT_EQ(doc.Count("polyline", "edge-bore"), summary["edgeBores"]) << input;
    EXPECT_EQ(doc.Count("polyline", "cut") + doc.Count("polyline", "ramp") > 0, summary["contours"] > 0)
        << input;
    EXPECT_LT(doc.Count("text", "rapid-number"), summary["operations"].get<int>()) << input;
    ++previews;
  }

  mq::test::ScratchDirectory dir{"cli-preview"};
  int previews = 0;
};

TEST_F(PreviewCommand, DrawsEveryExampleDrawingAndEveryWrittenGoldenProgram) {
  for (const auto& entry : fs::directory_iterator(kSourceDirectory / "examples"))
    if (mq::test::IsDrawingFile(entry.path()))
      Check(entry.path(), kSourceDirectory / "examples" / "MQ400.INI");
  for (const mq::test::GoldenCase& golden : mq::test::GoldenCases()) {
    for (const auto& entry : fs::directory_iterator(golden.Expected() / "out"))
      if (entry.path().extension() != ".PTS") Check(entry.path(), golden.Settings);
  }
  EXPECT_GE(previews, 4 + 20);
}

TEST_F(PreviewCommand, NamesTheLineItCannotReadAndFindsTheOtherPortions) {
  const std::string header = "6000,4000,190,\"M\",\"P\"\r\n", end = "\"end\"\r\n";
  std::ofstream(dir / "BAD", std::ios::binary) << header << "\" G10 X0 Y0 Z1 T5 O1\"\r\n\" G99 X1\"\r\n"
                                               << end;
  const test::CliRun bad = RunCli({"preview", (dir / "BAD").string()});
  EXPECT_EQ(bad.status, kExitFailed);
  EXPECT_TRUE(test::Has(bad.err, "BAD: line 3: unknown G code G99")) << bad.err;
  EXPECT_EQ(bad.out.rfind("<?xml", 0), 0u) << "what can be read is drawn, on standard output without -o";
  std::ofstream(dir / "PART1.SRG", std::ios::binary) << header << "\" G00 X10 Y10 Z5 T1 O1\"\r\n" << end;
  std::ofstream(dir / "PART2.SRG", std::ios::binary) << header << "\" G00 X20 Y10 Z5 T1 O1\"\r\n" << end;
  const Json split = Json::parse(RunCli({"preview", (dir / "PART2.SRG").string(), "--json"}).out);
  EXPECT_EQ(split["files"].size(), 2u);
  EXPECT_EQ(split["portions"].size(), 2u);
  EXPECT_EQ(split["summary"]["holes"], 2);
  const test::CliRun missing = RunCli({"preview", (dir / "GONE.DXF").string()});
  EXPECT_EQ(missing.status, kExitFailed);
  EXPECT_TRUE(test::Has(missing.err, "GONE.DXF  NOT FOUND")) << missing.err;
}

}  // namespace
}  // namespace mq::cli
