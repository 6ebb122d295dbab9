#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "inspect_cli_harness.h"
#include "support/dxf_builder.h"

namespace mq::cli {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::Has;
using test::RunCli;

class SettingsCommand : public ::testing::Test {
 protected:
  void Write() {
    std::ofstream(path, std::ios::binary)
        << "[Configuration]\r\nSawKerf=25\r\nLineLimit=150\r\nAutoStartTemp=true\r\nAutoStartBatch=True\r\n"
           "DXFPath=C:\\DXF \"new\"\\\r\nListColumnWidth3=1500\r\n[PTP400]\r\nOrigin=0\r\n"
           "[PTSDATA]\r\nField1=length\r\nField3=~Description\r\nUnit=M\r\n"
           "[ToolSubData]\r\nEnabled2=1\r\nTool2=5\r\nToolSub2=105\r\n";
  }
  void ExpectParts(const CliRun& run, const std::vector<std::string>& parts) {
    EXPECT_EQ(run.status, kExitOk) << run.err;
    test::ExpectHasAll(run.out, parts);
  }

  mq::test::ScratchDirectory dir{"cli-settings"};
  fs::path path = dir / "MQ400.INI";
};

TEST_F(SettingsCommand, PrintsThePathAndEveryLoadedValue) {
  Write();
  // The option is accepted after the command and before it.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"settings", "--settings", path.string()},
        std::vector<std::string>{"--settings", path.string(), "settings"}}) {
    const CliRun run = RunCli(args);
    ExpectParts(
        run,
        {"; Settings file: " + path.string() + "\n; Chosen by: --settings\n\n[Configuration]\n",
         "SawKerf=20\n", "LineLimit=600\n", "AutoStartTemp=False\nAutoStartBatch=True\n",
         "PrecisionMetric=2\n", "GraphicDelay=.5\n", "DXFPath=C:\\DXF \"new\"\\\n", "ListColumnWidth3=1500\n",
         "[PTP400]\nOrigin=0\n", "Path=C:\\\nName=\nUnit=M\n", "Field1=LENGTH\nField3=~DESCRIPTION\n",
         "Enabled1=\nTool1=0\nToolSub1=0\nEnabled2=1\nTool2=5\nToolSub2=105\n", "ToolSub20=0\n"});
    EXPECT_FALSE(Has(run.out, "Not found"));
  }
}

TEST_F(SettingsCommand, JsonHoldsTheSameValues) {
  Write();
  const CliRun run = RunCli({"settings", "--settings", path.string(), "--json"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const Json json = test::Parsed(run);
  EXPECT_EQ(json["state"], "read");
  EXPECT_EQ(json["chosenBy"], "--settings");
  const Json& configuration = json["configuration"];
  EXPECT_EQ(Json::array({configuration["SawKerf"], configuration["AutoStartTemp"], configuration["DXFPath"]}),
            Json::array({"20", "False", "C:\\DXF \"new\"\\"}));
  EXPECT_EQ(json["origin"], "0");
  EXPECT_EQ(json["listColumnWidths"]["3"], 1500);
  EXPECT_EQ(json["pts"]["metric"], true);
  EXPECT_EQ(json["pts"]["fields"][1], Json::parse(R"({"column": 3, "name": "DESCRIPTION", "quoted": true})"));
  EXPECT_EQ(json["toolSubstitution"][1],
            Json::parse(R"({"row": 2, "enabled": "1", "tool": "5", "substitute": "105"})"));
}

TEST_F(SettingsCommand, AMissingFileShowsFirstStartValuesAndAnUnreadableOneFails) {
  ExpectParts(
      RunCli({"settings", "--settings", path.string()}),
      {"; Not found: the values below are those of a first start.\n", "SawKerf=3\n", "PrecisionInch=3\n"});
  EXPECT_FALSE(fs::exists(path)) << "showing the settings does not create the file";

  fs::create_directory(path);
  const CliRun run = RunCli({"settings", "--settings", path.string()});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_TRUE(Has(run.err, "Cannot read the settings file")) << run.err;
}

TEST_F(SettingsCommand, WithoutOptionUsesTheLocationRuleOfThisRun) {
  std::ostringstream out, err;
  const CliRun run = RunCli({"settings"});
  EXPECT_TRUE(
      Has(run.out, "; Settings file: " + SettingsFileOf(CommandIo{out, err, {}, kExitOk}).string() + "\n"))
      << run.out;
  EXPECT_FALSE(Has(run.out, "Chosen by: --settings"));
}

}  // namespace
}  // namespace mq::cli
