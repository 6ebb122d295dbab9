// `marquill400-cli convert`: one report row per drawing, the failed files at the end,
// and an exit status that says whether every drawing was converted. (A run where every
// drawing converts is what each golden case is.)

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "inspect_cli_harness.h"
#include "support/dxf_builder.h"
#include "support/golden_cases.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace mq::cli {
namespace {

using test::RunCli;

constexpr const char* kStrayRow =
    "STRAY\nPART BORDER NOT PROPERLY DEFINED IN DRAWING!!!\nCheck for stray entities on Border Layer.   6\n"
    "CONVERSION PROCESS ABORTED.\n";
constexpr const char* kFailedHeading = "*** The Following files failed to process: ***\n";

class ConvertCommand : public ::testing::Test {
 protected:
  ConvertCommand() {
    std::ofstream(settings, std::ios::binary) << "[Configuration]\r\nMetric=Metric\r\nLineLimit=600\r\n";
    std::filesystem::create_directories(out);
  }
  // A 600 x 400 panel with a short route in its middle, or with a stray line there on
  // its border layer.
  std::string Drawing(const std::string& name, bool stray_border_line) const {
    mq::test::DxfBuilder()
        .Rectangle("BORDER", 0, 0, 600, 400)
        .Line(stray_border_line ? "BORDER" : "ROUTE T5 D20 F5000", 300, 200, 310, 200)
        .Save(dir / name);
    return (dir / name).string();
  }

  mq::test::ScratchDirectory dir{"cli-convert"};
  std::string settings = (dir / "MQ400.INI").string(), out = (dir / "out").string();
};

// --settings may also precede the command. A usage error of any command exits 2 and
// does nothing.
TEST_F(ConvertCommand, EveryDrawingGetsItsRowAndOnlyTheFailedAreListed) {
  const std::string good = Drawing("GOOD.DXF", false), stray = Drawing("STRAY.DXF", true);
  const std::string missing = (dir / "GONE.DXF").string(), none = (dir / "NONE.INI").string();
  const test::CliRun run = RunCli({"--settings", settings, "convert", good, stray, missing, "--dest", out});
  EXPECT_EQ(run.status, kExitFailed) << run.err;
  EXPECT_EQ(run.out.rfind("GOOD\nCONVERSION COMPLETED.", 0), 0u) << run.out;
  EXPECT_EQ(run.out.substr(run.out.find("STRAY\n")),
            kStrayRow + missing + "  NOT FOUND\n" + kFailedHeading + stray + "\n" + missing + "\n");
  const std::pair<std::vector<std::string>, const char*> usage_errors[] = {
      {{"convert", "--settings", settings}, "drawings is required"},
      {{"convert", good, "--settings", none}, "settings file not found"},
      {{"convert", good, "--settings", settings, "--dest", (dir / "nowhere").string()},
       "destination directory not found"},
      {{"inspect"}, "DRAWING is required"},
      {{"inspect", "--paths", "--settings", none, good}, "settings file not found"},
      {{"layer"}, "NAME is required"}};
  for (const auto& [args, reason] : usage_errors) {
    const test::CliRun usage = RunCli(args);
    EXPECT_EQ(std::to_string(usage.status) + "|" + usage.out, "2|") << args[0] << " " << reason;
    EXPECT_TRUE(test::Has(usage.err, reason)) << usage.err;
  }
}

#if !defined(_WIN32)
// The installed program as a shell sees it: its exit status and its two streams apart.
// The failed drawing's block goes to standard error as well, for scripts and logs.
TEST_F(ConvertCommand, TheInstalledProgramExitsOneAndPrintsTheAbortForAStrayBorderLine) {
  const std::string stray = Drawing("STRAY.DXF", true), captured = (dir / "out.txt").string();
  const std::string command = std::string("\"") + MARQUILL_CLI_PATH + "\" convert \"" + stray +
                              "\" --settings \"" + settings + "\" --dest \"" + out + "\" < /dev/null > \"" +
                              captured + "\" 2> \"" + captured + ".err\"";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitFailed);
  EXPECT_EQ(mq::test::ReadBytes(captured), kStrayRow + std::string(kFailedHeading) + stray + "\n");
  EXPECT_EQ(mq::test::ReadBytes(captured + ".err"), "marquill400-cli: " + stray + " failed:\n" + kStrayRow);
}
#endif

}  // namespace
}  // namespace mq::cli
