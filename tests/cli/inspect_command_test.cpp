#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "inspect_cli_harness.h"
#include "support/dxf_builder.h"

namespace mq::cli {
namespace {

using test::Has;
using test::RunCli;

class InspectCommand : public ::testing::Test {
 protected:
  std::string Save(const mq::test::DxfBuilder& drawing, const std::string& name = "PART.DXF") {
    const std::string path = (scratch / name).string();
    drawing.Save(path);
    return path;
  }
  mq::test::ScratchDirectory scratch{"inspect"};
};

TEST_F(InspectCommand, PrintsEveryStoredEntityWithItsFields) {
  const std::string path = Save(mq::test::DxfBuilder()
                                    .Text("inst", 5, 6, "POST INSTRUCTIONS")
                                    .Line("route d5", 1, 2, 3, 4, {{62, "3"}, {210, "0"}, {220, "0"}, {230, "1"}}));
  const test::CliRun run = RunCli({"inspect", path});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(Has(run.out, "\"file\": \"" + path + "\""));
  EXPECT_TRUE(Has(run.out, "\"instructionLayer\": \"INST\""));
  EXPECT_TRUE(Has(run.out,
                  "{\"index\": 2, \"EntityType\": \"TEXT\", \"TextIndex\": 1, \"TextNumber\": 1, \"Layer\": \"INST\", "
                  "\"X1\": 5, \"Y1\": 6, \"X2\": 0, \"Y2\": 0, \"Z1\": 0, \"Z2\": 0, \"Elevation\": 0, "
                  "\"Thickness\": 0, \"Radius\": 2.5, \"Width41\": 0, \"Bulge\": 0, \"StartAngle\": 0, "
                  "\"EndAngle\": 0, \"Color\": 0, \"Flags\": 0, \"Justify\": 0, \"FollowFlag\": 0, \"Face\": \"\", "
                  "\"Text\": \"POST INSTRUCTIONS\"}"))
      << run.out;
  EXPECT_TRUE(Has(run.out, "{\"index\": 3, \"EntityType\": \"LINE\", \"TextIndex\": 0, \"TextNumber\": 0, "
                           "\"Layer\": \"ROUTE D5\", \"X1\": 1, \"Y1\": 2, \"X2\": 3, \"Y2\": 4,"))
      << run.out;
  EXPECT_TRUE(Has(run.out, "\"Color\": 3, \"Flags\": 0, \"Justify\": 0, \"FollowFlag\": 0, \"Face\": \"5\"}"));
  EXPECT_FALSE(Has(run.out, "\"index\": 1,")) << "blank records carry no entity";
  EXPECT_FALSE(Has(run.out, "\"index\": 4,"));
}

TEST_F(InspectCommand, BytesOfAnOldDrawingComeOutAsValidUtf8) {
  const std::string path = Save(mq::test::DxfBuilder().Text("t\xFCr", 0, 0, "90\xB0"));
  const test::CliRun run = RunCli({"inspect", path});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(Has(run.out, "\"Layer\": \"T\\u00dcR\"")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"Text\": \"90\\u00b0\"")) << run.out;
}

TEST_F(InspectCommand, FailedDrawingExitsOneWithItsReasonOnStandardError) {
  const std::string cut = (scratch / "CUT.DXF").string();
  std::ofstream(cut) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n";
  const test::CliRun run = RunCli({"inspect", cut});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "marquill400-cli: " + cut + ": DXF file ends before the end of its ENTITIES section: " + cut +
                         "\n");

  const test::CliRun missing = RunCli({"inspect", (scratch / "NONE.DXF").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(Has(missing.err, "Cannot open the drawing " + (scratch / "NONE.DXF").string())) << missing.err;
}

TEST_F(InspectCommand, DrawingWithoutEntitiesIsReportedOnce) {
  const std::string path = (scratch / "HEAD.DXF").string();
  std::ofstream(path) << "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n";
  const test::CliRun run = RunCli({"inspect", path});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "marquill400-cli: " + path + ": ENTITIES Section not found in  " + path + "\n");
}

TEST_F(InspectCommand, MissingArgumentIsAUsageError) {
  const test::CliRun run = RunCli({"inspect"});
  EXPECT_EQ(run.status, 2);
  EXPECT_FALSE(run.err.empty());
}

TEST_F(InspectCommand, TheInstalledProgramSeparatesOutputAndErrors) {
  const std::string path = Save(mq::test::DxfBuilder().Circle("VBORE D8", 10, 10, 4));
  const std::string out = (scratch / "out.json").string();
  const std::string err = (scratch / "err.txt").string();
  const std::string command = std::string("\"") + MARQUILL_CLI_PATH + "\" inspect \"" + path + "\" >\"" + out +
                              "\" 2>\"" + err + "\"";
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::ifstream json(out);
  const std::string text((std::istreambuf_iterator<char>(json)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(Has(text, "\"EntityType\": \"CIRCLE\"")) << text;
  EXPECT_EQ(std::filesystem::file_size(err), 0u);
}

}  // namespace
}  // namespace mq::cli
