// `marquill400-cli convert`: one report row per drawing, the failed files at the end,
// and an exit status that says whether every drawing was converted.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/inspect_cli_harness.h"
#include "support/dxf_builder.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace mq::cli {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::Has;
using test::RunCli;

constexpr const char* kStrayRow =
    "STRAY\nPART BORDER NOT PROPERLY DEFINED IN DRAWING!!!\nCheck for stray entities on Border Layer.   6\n"
    "CONVERSION PROCESS ABORTED.\n";
constexpr const char* kFailedHeading = "*** The Following files failed to process: ***\n";

class ConvertCommand : public ::testing::Test {
 protected:
  ConvertCommand() {
    std::ofstream(settings, std::ios::binary) << "[Configuration]\r\nMetric=Metric\r\nLineLimit=600\r\n";
    fs::create_directories(out);
  }
  // A 600 x 400 panel with a short route in its middle, or with a stray line there
  // on its border layer.
  std::string Drawing(const std::string& name, bool stray_border_line) const {
    mq::test::DxfBuilder()
        .Rectangle("BORDER", 0, 0, 600, 400)
        .Line(stray_border_line ? "BORDER" : "ROUTE T5 D20 F5000", 300, 200, 310, 200)
        .Save(dir / name);
    return (dir / name).string();
  }

  mq::test::ScratchDirectory dir{"cli-convert"};
  std::string settings = (dir / "MQ400.INI").string();
  std::string out = (dir / "out").string();
};

TEST_F(ConvertCommand, EveryDrawingGetsItsRowAndOnlyTheFailedAreListed) {
  const std::string good = Drawing("GOOD.DXF", false);
  const std::string stray = Drawing("STRAY.DXF", true);
  const std::string missing = (dir / "GONE.DXF").string();
  // --settings may also precede the command.
  const CliRun run = RunCli({"--settings", settings, "convert", good, stray, missing, "--dest", out});
  EXPECT_EQ(run.status, kExitFailed) << run.err;
  EXPECT_EQ(run.out.rfind("GOOD\nCONVERSION COMPLETED.", 0), 0u) << run.out;
  EXPECT_EQ(run.out.substr(run.out.find("STRAY\n")),
            kStrayRow + missing + "  NOT FOUND\n" + kFailedHeading + stray + "\n" + missing + "\n");
}

TEST_F(ConvertCommand, AllConvertedExitsZeroAndWritesIntoTheDestination) {
  const CliRun run = RunCli({"convert", Drawing("GOOD.DXF", false), "--settings", settings, "--dest", out});
  EXPECT_EQ(run.status, kExitOk) << run.out << run.err;
  EXPECT_FALSE(Has(run.out, "failed to process")) << run.out;
  EXPECT_FALSE(fs::is_empty(out));
}

TEST_F(ConvertCommand, UsageErrorsOfEveryCommandExitTwoWithoutOutput) {
  const std::string good = Drawing("GOOD.DXF", false);
  const std::string none = (dir / "NONE.INI").string();
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"convert", "--settings", settings}, "drawings is required"},
      {{"convert", good, "--settings", none}, "settings file not found"},
      {{"convert", good, "--settings", settings, "--dest", (dir / "nowhere").string()},
       "destination directory not found"},
      {{"inspect"}, "DRAWING is required"},
      {{"inspect", "--paths", "--settings", none, good}, "settings file not found"},
      {{"layer"}, "NAME is required"}};
  for (const auto& [args, reason] : cases) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, kExitUsage) << args[0] << " " << reason;
    EXPECT_TRUE(Has(run.err, reason)) << run.err;
    EXPECT_EQ(run.out, "") << "nothing is done";
  }
}

#if !defined(_WIN32)
// The installed program as a shell sees it: its exit status and its two streams apart.
TEST_F(ConvertCommand, TheInstalledProgramExitsOneAndPrintsTheAbortForAStrayBorderLine) {
  const std::string stray = Drawing("STRAY.DXF", true), captured = (dir / "out.txt").string();
  const std::string command = std::string("\"") + MARQUILL_CLI_PATH + "\" convert \"" + stray +
                              "\" --settings \"" + settings + "\" --dest \"" + out + "\" < /dev/null > \"" +
                              captured + "\" 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitFailed);
  std::ostringstream printed;
  printed << std::ifstream(captured).rdbuf();
  EXPECT_EQ(printed.str(), kStrayRow + std::string(kFailedHeading) + stray + "\n")
      << "nothing on standard error";
}
#endif

}  // namespace
}  // namespace mq::cli
