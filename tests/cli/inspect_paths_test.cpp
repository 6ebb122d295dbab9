#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "inspect_cli_harness.h"
#include "support/dxf_builder.h"

namespace mq::cli {
namespace {

using test::Has;
using test::RunCli;

class InspectPaths : public ::testing::Test {
 protected:
  InspectPaths() { std::ofstream(settings) << "[ConFiguration]\n"; }
  std::string Save(const mq::test::DxfBuilder& drawing) {
    const std::string path = (scratch / "PART.DXF").string();
    drawing.Save(path);
    return path;
  }
  test::CliRun Inspect(const std::string& path) {
    return RunCli({"inspect", "--paths", "--settings", settings, path});
  }

  mq::test::ScratchDirectory scratch{"inspect-paths"};
  std::string settings = (scratch / "MQ400.INI").string();
};

TEST_F(InspectPaths, PrintsTheContoursInMachiningOrder) {
  mq::test::DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, 600, 400);
  // A cut-out of four lines drawn in scattered order, and a circle with a tool of its own.
  dxf.Line("ROUTE T3 D10 Z19 L", 550, 350, 550, 50);
  dxf.Line("ROUTE T3 D10 Z19 L", 50, 50, 550, 50);
  dxf.Line("ROUTE T3 D10 Z19 L", 50, 350, 550, 350);
  dxf.Line("ROUTE T3 D10 Z19 L", 50, 50, 50, 350);
  dxf.Circle("ROUTE T1 D5 Z8", 300, 200, 20);
  dxf.Entity("SPLINE", "ROUTE T1 D5 Z8", {{10, "1"}, {20, "1"}});
  const test::CliRun run = Inspect(Save(dxf));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(Has(run.out, "\"Not machined: SPLINE on layer ROUTE T1 D5 Z8 (explode it in the drawing)\""))
      << run.out;
  // Tool 1 first: the circle, opened at its top point.
  EXPECT_TRUE(
      Has(run.out,
          "{\"index\": 1, \"LayerNumber\": 2, \"X\": 300, \"Y\": 220, \"Z\": 8, \"ToolDiameter\": 5, "
          "\"G\": 1, \"Tool\": 1, \"ToolText\": \"01\", \"CentreX\": 300, \"CentreY\": 200, "
          "\"SegmentType\": -3, \"ChainFlag\": -8, \"VM\": 0, \"VX\": 0, \"VZ\": 0, \"FR\": 0, \"LD\": 0, "
          "\"RO\": 0, \"RI\": 0, \"CompCode\": \"\", \"Sequence\": 0, \"OZ\": 0, \"M\": 0, \"Box\": 0, "
          "\"ES\": 0}"))
      << run.out;
  EXPECT_TRUE(Has(run.out, "{\"index\": 2, \"LayerNumber\": 2, \"X\": 300, \"Y\": 220,")) << run.out;
  // Then the cut-out as one contour of eight records.
  EXPECT_TRUE(Has(run.out, "{\"index\": 3, \"LayerNumber\": 1,")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"CompCode\": \"G41\"")) << run.out;
  EXPECT_FALSE(Has(run.out, "{\"index\": 11,")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"CircleList\": [\n    {\"index\": 1, \"CentreX\": 300, \"CentreY\": 200,"))
      << run.out;
  EXPECT_TRUE(Has(run.out, "{\"index\": 2, \"First\": 3, \"Last\": 10, \"Kind\": 1,")) << run.out;
}

TEST_F(InspectPaths, AFailedDrawingExitsOneWithItsReasons) {
  mq::test::DxfBuilder dxf;
  dxf.Line("ROUTE T3", 0, 0, 100, 0);
  const std::string path = Save(dxf);
  const test::CliRun run = Inspect(path);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Has(run.err, path + ": Part BORDER or BORDER Layer NOT Found!!!")) << run.err;
  EXPECT_TRUE(Has(run.err, path + ": CONVERSION PROCESS ABORTED.")) << run.err;
}

TEST_F(InspectPaths, AMissingSettingsFileIsAUsageError) {
  mq::test::DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, 600, 400);
  const test::CliRun run =
      RunCli({"inspect", "--paths", "--settings", (scratch / "NONE.INI").string(), Save(dxf)});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(Has(run.err, "settings file not found")) << run.err;
}

}  // namespace
}  // namespace mq::cli
