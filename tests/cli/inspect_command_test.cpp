// The commands that show what the converter reads: `inspect` (the stored entities of a
// drawing, and with --paths the contours the engine made of it) and `layer`, as JSON.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "inspect_cli_harness.h"
#include "support/dxf_builder.h"

namespace mq::cli {
namespace {

using mq::test::DxfBuilder;
using test::RunCli;

// The values of `keys` in `object`, to compare with a JSON array.
Json Pick(const Json& object, const std::vector<const char*>& keys) {
  Json values = Json::array();
  for (const char* key : keys) values.push_back(object.contains(key) ? object[key] : Json("missing"));
  return values;
}

class InspectCommand : public ::testing::Test {
 protected:
  InspectCommand() { std::ofstream(settings) << "[ConFiguration]\n"; }

  mq::test::ScratchDirectory scratch{"inspect"};
  std::string path = (scratch / "PART.DXF").string(), settings = (scratch / "MQ400.INI").string();
};

// Every field of every record (24 of them); bytes of an old drawing come out as UTF-8.
TEST_F(InspectCommand, PrintsEveryStoredEntityWithItsFields) {
  DxfBuilder()
      .Text("inst", 5, 6, "POST INSTRUCTIONS")
      .Line("route d5", 1, 2, 3, 4, {{62, "3"}, {210, "0"}, {220, "0"}, {230, "1"}})
      .Text("t\xFCr", 0, 0, "90\xB0")
      .Save(path);
  const Json json = Json::parse(RunCli({"inspect", path}).out);
  EXPECT_EQ(Pick(json, {"file", "instructionLayer"}), Json::array({path, "INST"}));
  const Json& e = json["entities"];
  EXPECT_EQ(Json::array({e.size(), e[0].size(), e[1].size()}), Json::array({3, 24, 23}))
      << "a LINE has no text";
  EXPECT_EQ(Pick(e[0], {"index", "EntityType", "TextNumber", "Layer", "X1", "Y1", "Radius", "Face", "Text"}),
            Json::array({2, "TEXT", 1, "INST", 5, 6, 2.5, "", "POST INSTRUCTIONS"}));
  EXPECT_EQ(Pick(e[1], {"Layer", "X1", "Y1", "X2", "Y2", "Color", "Face"}),
            Json::array({"ROUTE D5", 1, 2, 3, 4, 3, "5"}));
  EXPECT_EQ(Pick(e[2], {"Layer", "Text"}), Json::array({"T\u00dcR", "90\u00b0"}));
}

// The reason goes to standard error, once; --paths adds the engine's reasons.
TEST_F(InspectCommand, AFailedDrawingExitsOneWithItsReasonOnStandardError) {
  const std::string prefix = "marquill400-cli: " + path + ": ",
                    route = DxfBuilder().Line("ROUTE T3", 0, 0, 1, 0).Build();
  // clang-format off
  const std::tuple<const char*, bool, std::string> cases[] = {
      {"0\nSECTION\n2\nENTITIES\n0\nLINE\n", false, "DXF file ends before the end of its ENTITIES section: " + path + " (line 6)\n"},
      {"0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n", false, "ENTITIES Section not found in  " + path + "\n"},
      {nullptr, false, "Cannot open the drawing " + path + ": "},
      {route.c_str(), true, "Part BORDER or BORDER Layer NOT Found!!!\n" + prefix + "CONVERSION PROCESS ABORTED.\n"}};
  // clang-format on
  for (const auto& [content, paths, reason] : cases) {
    std::filesystem::remove(path);
    if (content != nullptr) std::ofstream(path) << content;
    const test::CliRun run =
        RunCli(paths ? std::vector<std::string>{"inspect", "--paths", "--settings", settings, path}
                     : std::vector<std::string>{"inspect", path});
    EXPECT_EQ(std::to_string(run.status) + run.out + run.err.substr(0, prefix.size() + reason.size()),
              "1" + prefix + reason);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), paths ? 2 : 1) << run.err;
  }
}

// Tool 1 first: the circle, opened at its top point; then the cut-out of four lines as
// one contour of eight records. An entity the engine cannot machine is named.
TEST_F(InspectCommand, PathsPrintsTheContoursInMachiningOrder) {
  // clang-format off
  DxfBuilder().Rectangle("BORDER", 0, 0, 600, 400).Rectangle("ROUTE T3 D10 Z19 L", 50, 50, 550, 350)
      .Circle("ROUTE T1 D5 Z8", 300, 200, 20).Entity("SPLINE", "ROUTE T1 D5 Z8", {{10, "1"}, {20, "1"}}).Save(path);
  // clang-format on
  const test::CliRun run = RunCli({"inspect", "--paths", "--settings", settings, path});
  ASSERT_EQ(run.status + run.err.size(), 0u) << run.err;
  const Json json = Json::parse(run.out);
  EXPECT_EQ(json["messages"][0],
            "Not machined: SPLINE on layer ROUTE T1 D5 Z8 (drawing line 145; explode it in the drawing)");
  EXPECT_EQ(json["messages"].size(), 1u);
  const Json& paths = json["PathList"];
  ASSERT_EQ(paths.size(), 10u);
  EXPECT_EQ(Pick(paths[0], {"index", "LayerNumber", "X", "Y", "Z", "Tool", "ToolText", "CentreX", "CentreY",
                            "SegmentType", "ChainFlag", "CompCode"}),
            Json::array({1, 2, 300, 220, 8, 1, "01", 300, 200, -3, -8, ""}));
  EXPECT_EQ(Pick(paths[2], {"LayerNumber", "CompCode"}), Json::array({1, "G41"}));
  EXPECT_EQ(Pick(json["Contours"][1], {"index", "First", "Last", "Kind"}), Json::array({2, 3, 10, 1}));
}

// Each name is read on its own; two-letter codes show as their characters (UTF-8).
TEST(LayerCommand, ShowsPreparedNamesAndTheirParameters) {
  const Json json = Json::parse(RunCli({"layer", "route3 d5 f3000 t3$d10", "ROUTE FA1 RI6 EX9 R5 "}).out);
  ASSERT_EQ(json.size(), 2u);
  EXPECT_EQ(Pick(json[0], {"name", "prepared"}),
            Json::parse(R"(["route3 d5 f3000 t3$d10", ["ROUTE40 D5 F3000 T3", "ROUTE41D10T3"]])"));
  EXPECT_EQ(Pick(json[0]["operations"][0], {"CodeD", "CodeT", "ToolList", "CodeF", "CodeFA", "EntSequence"}),
            Json::array({5, 3, "03", 3000, 3000, 40}));
  EXPECT_EQ(json[1]["prepared"][0], "ROUTE  \303\2741  \303\2506  \303\2539 R5");
  EXPECT_EQ(
      Pick(json[1]["operations"][0], {"CodeFA", "CodeRI", "CodeES", "CompensationWord", "HasCompensation"}),
      Json::array({1, 6, 9, "G42 R5", true}));
}

}  // namespace
}  // namespace mq::cli
