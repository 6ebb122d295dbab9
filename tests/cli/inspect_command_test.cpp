// The commands that show what the converter reads: `inspect` (the stored entities of a
// drawing, and with --paths the contours the engine made of it) and `layer`, as JSON.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "inspect_cli_harness.h"
#include "support/dxf_builder.h"

namespace mq::cli {
namespace {

using mq::test::DxfBuilder;
using test::Has;
using test::RunCli;

class InspectCommand : public ::testing::Test {
 protected:
  InspectCommand() { std::ofstream(settings) << "[ConFiguration]\n"; }

  mq::test::ScratchDirectory scratch{"inspect"};
  std::string path = (scratch / "PART.DXF").string();
  std::string settings = (scratch / "MQ400.INI").string();
};

TEST_F(InspectCommand, PrintsEveryStoredEntityWithItsFields) {
  DxfBuilder()
      .Text("inst", 5, 6, "POST INSTRUCTIONS")
      .Line("route d5", 1, 2, 3, 4, {{62, "3"}, {210, "0"}, {220, "0"}, {230, "1"}})
      .Text("t\xFCr", 0, 0, "90\xB0")
      .Save(path);
  const test::CliRun run = RunCli({"inspect", path});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const Json json = test::Parsed(run);
  EXPECT_EQ(json["file"], path);
  EXPECT_EQ(json["instructionLayer"], "INST");
  ASSERT_EQ(json["entities"].size(), 3u);
  EXPECT_EQ(json["entities"][0], Json::parse(R"({"index": 2, "EntityType": "TEXT", "TextIndex": 1,
      "TextNumber": 1, "Layer": "INST", "X1": 5, "Y1": 6, "X2": 0, "Y2": 0, "Z1": 0, "Z2": 0,
      "Elevation": 0, "Thickness": 0, "Radius": 2.5, "Width41": 0, "Bulge": 0, "StartAngle": 0,
      "EndAngle": 0, "Color": 0, "Flags": 0, "Justify": 0, "FollowFlag": 0, "Face": "",
      "Text": "POST INSTRUCTIONS"})"));
  const Json& line = json["entities"][1];
  EXPECT_EQ(line["Layer"], "ROUTE D5");
  EXPECT_EQ(Json::array({line["X1"], line["Y1"], line["X2"], line["Y2"]}), Json::array({1, 2, 3, 4}));
  EXPECT_EQ(line["Color"], 3);
  EXPECT_EQ(line["Face"], "5");
  EXPECT_FALSE(line.contains("Text"));
  // Bytes of an old drawing come out as valid UTF-8.
  EXPECT_EQ(json["entities"][2]["Layer"], "T\u00dcR");
  EXPECT_EQ(json["entities"][2]["Text"], "90\u00b0");
}

TEST_F(InspectCommand, AFailedDrawingExitsOneWithItsReasonOnStandardError) {
  const std::pair<const char*, std::string> cases[] = {
      {"0\nSECTION\n2\nENTITIES\n0\nLINE\n",
       ": DXF file ends before the end of its ENTITIES section: " + path},
      {"0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n", ": ENTITIES Section not found in  " + path},
      {nullptr, ": Cannot open the drawing " + path}};
  for (const auto& [content, reason] : cases) {
    std::filesystem::remove(path);
    if (content != nullptr) std::ofstream(path) << content;
    const test::CliRun run = RunCli({"inspect", path});
    EXPECT_EQ(run.status, 1) << reason;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("marquill400-cli: " + path + reason, 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "reported once: " << run.err;
  }
}

TEST_F(InspectCommand, PathsPrintsTheContoursInMachiningOrder) {
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, 600, 400);
  // A cut-out of four lines drawn in scattered order, and a circle with a tool of its own.
  for (const auto& [x1, y1, x2, y2] : {std::array{550, 350, 550, 50}, std::array{50, 50, 550, 50},
                                       std::array{50, 350, 550, 350}, std::array{50, 50, 50, 350}}) {
    dxf.Line("ROUTE T3 D10 Z19 L", x1, y1, x2, y2);
  }
  dxf.Circle("ROUTE T1 D5 Z8", 300, 200, 20);
  dxf.Entity("SPLINE", "ROUTE T1 D5 Z8", {{10, "1"}, {20, "1"}});
  dxf.Save(path);
  const test::CliRun run = RunCli({"inspect", "--paths", "--settings", settings, path});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const Json json = test::Parsed(run);
  EXPECT_EQ(json["messages"],
            Json::array({"Not machined: SPLINE on layer ROUTE T1 D5 Z8 (explode it in the drawing)"}));
  // Tool 1 first: the circle, opened at its top point; then the cut-out as one contour.
  const Json& paths = json["PathList"];
  ASSERT_EQ(paths.size(), 10u) << "the cut-out is one contour of eight records";
  EXPECT_EQ(paths[0], Json::parse(R"({"index": 1, "LayerNumber": 2, "X": 300, "Y": 220, "Z": 8,
      "ToolDiameter": 5, "G": 1, "Tool": 1, "ToolText": "01", "CentreX": 300, "CentreY": 200,
      "SegmentType": -3, "ChainFlag": -8, "VM": 0, "VX": 0, "VZ": 0, "FR": 0, "LD": 0, "RO": 0,
      "RI": 0, "CompCode": "", "Sequence": 0, "OZ": 0, "M": 0, "Box": 0, "ES": 0})"));
  EXPECT_EQ(Json::array({paths[1]["LayerNumber"], paths[1]["X"], paths[1]["Y"]}), Json::array({2, 300, 220}));
  EXPECT_EQ(Json::array({paths[2]["LayerNumber"], paths[2]["CompCode"]}), Json::array({1, "G41"}));
  EXPECT_EQ(Json::array({json["CircleList"][0]["CentreX"], json["CircleList"][0]["CentreY"]}),
            Json::array({300, 200}));
  const Json& cut_out = json["Contours"][1];
  EXPECT_EQ(Json::array({cut_out["index"], cut_out["First"], cut_out["Last"], cut_out["Kind"]}),
            Json::array({2, 3, 10, 1}));
}

TEST_F(InspectCommand, PathsOfAFailedDrawingExitOneWithTheReasons) {
  DxfBuilder().Line("ROUTE T3", 0, 0, 100, 0).Save(path);
  const test::CliRun run = RunCli({"inspect", "--paths", "--settings", settings, path});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Has(run.err, path + ": Part BORDER or BORDER Layer NOT Found!!!")) << run.err;
  EXPECT_TRUE(Has(run.err, path + ": CONVERSION PROCESS ABORTED.")) << run.err;
}

TEST(LayerCommand, ShowsPreparedNamesAndTheirParameters) {
  const test::CliRun run = RunCli({"layer", "route3 d5 f3000 t3$d10", "ROUTE R5 ", "BORDER D18$T3 D5"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Json json = test::Parsed(run);
  ASSERT_EQ(json.size(), 3u);
  // Each name is read on its own.
  EXPECT_EQ(json[0]["name"], "route3 d5 f3000 t3$d10");
  EXPECT_EQ(json[0]["prepared"], Json::array({"ROUTE40 D5 F3000 T3", "ROUTE41D10T3"}));
  EXPECT_EQ(json[0]["operations"][0], Json::parse(R"({"CodeD": 5, "CodeT": 3, "ToolList": "03",
      "CodeF": 3000, "CodeFA": 3000, "CodeFD": 0, "CodeFR": 0, "CodeS": 0, "CodeZ": 0, "CodeG": 0,
      "CodeK": 0, "CodeM": 0, "CodeOZ": 0, "CodePD": 0, "CodeES": 0, "CodeLD": 0, "CodeRI": 0,
      "CodeRO": 0, "CompensationWord": "", "HasCompensation": false, "EntSequence": 40})"));
  const Json& second = json[0]["operations"][1];
  EXPECT_EQ(Json::array({second["CodeD"], second["CodeT"], second["EntSequence"]}), Json::array({10, 3, 41}));
  EXPECT_EQ(json[1]["operations"][0]["CompensationWord"], "G42 R5");
  EXPECT_EQ(json[1]["operations"][0]["HasCompensation"], true);
  EXPECT_EQ(json[2]["prepared"], Json::array({"BORDER D18", "ROUTET3 D5"}));
}

TEST(LayerCommand, ShowsTwoLetterCodesAsTheDesignsCharacters) {
  const test::CliRun run = RunCli({"layer", "ROUTE FA1 FD2 FR3 LD4 RO5 RI6 PD7 ES8 EX9 OZ1"});
  ASSERT_EQ(run.status, 0);
  const Json json = test::Parsed(run);
  // The codes become the characters ü æ ç ä å è é ë ë ê (UTF-8 in the JSON).
  EXPECT_EQ(json[0]["prepared"][0],
            "ROUTE  \303\2741  \303\2462  \303\2473  \303\2444  \303\2455  \303\2506  \303\2517  "
            "\303\2538  \303\2539  \303\2521");
  const Json& codes = json[0]["operations"][0];
  const std::pair<const char*, int> values[] = {{"CodeFA", 1}, {"CodeFD", 2}, {"CodeFR", 3},
                                                {"CodeLD", 4}, {"CodeRO", 5}, {"CodeRI", 6},
                                                {"CodePD", 7}, {"CodeES", 8}, {"CodeOZ", 1}};
  for (const auto& [key, value] : values) EXPECT_EQ(codes[key], value) << key;
}

}  // namespace
}  // namespace mq::cli
