// `marquill400-cli convert`: one report row per drawing, the failed files at the end,
// and an exit status that says whether every drawing was converted.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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
using mq::test::DxfBuilder;
using mq::test::ScratchDirectory;
using test::CliRun;
using test::Has;
using test::RunCli;

// A scratch directory with a settings file, an output directory and drawings.
struct Workspace {
  ScratchDirectory dir{"cli-convert"};
  fs::path settings = dir / "MQ400.INI";
  fs::path out = dir / "out";

  Workspace() {
    std::ofstream(settings, std::ios::binary) << "[Configuration]\r\nMetric=Metric\r\nLineLimit=600\r\n";
    fs::create_directories(out);
  }
  std::string Drawing(const std::string& name, const DxfBuilder& dxf) const {
    const fs::path path = dir / name;
    dxf.Save(path);
    return path.string();
  }
  std::vector<std::string> Args(std::vector<std::string> drawings) const {
    std::vector<std::string> args{"convert"};
    args.insert(args.end(), drawings.begin(), drawings.end());
    args.insert(args.end(), {"--settings", settings.string(), "--dest", out.string()});
    return args;
  }
};

DxfBuilder GoodPanel() {
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, 600, 400);
  dxf.Line("ROUTE T5 D20 F5000", 100, 100, 300, 100);
  return dxf;
}

DxfBuilder StrayBorderLine() {
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, 600, 400);
  dxf.Line("BORDER", 300, 200, 310, 200);
  return dxf;
}

constexpr const char* kStrayRow =
    "STRAY\n"
    "PART BORDER NOT PROPERLY DEFINED IN DRAWING!!!\n"
    "Check for stray entities on Border Layer.   6\n"
    "CONVERSION PROCESS ABORTED.\n";

TEST(ConvertCommand, AStrayBorderLineAbortsInItsReportRowAndTheRunFails) {
  Workspace w;
  const std::string stray = w.Drawing("STRAY.DXF", StrayBorderLine());
  const CliRun run = RunCli(w.Args({stray}));
  EXPECT_EQ(run.status, kExitFailed) << run.err;
  EXPECT_EQ(run.out,
            std::string(kStrayRow) + "*** The Following files failed to process: ***\n" + stray + "\n");
}

TEST(ConvertCommand, EveryDrawingGetsItsRowAndOnlyTheFailedAreListed) {
  Workspace w;
  const std::string good = w.Drawing("GOOD.DXF", GoodPanel());
  const std::string stray = w.Drawing("STRAY.DXF", StrayBorderLine());
  const std::string missing = (w.dir / "GONE.DXF").string();
  const CliRun run = RunCli(w.Args({good, stray, missing}));
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_TRUE(Has(run.out, "GOOD\n")) << run.out;
  EXPECT_TRUE(Has(run.out, kStrayRow)) << run.out;
  EXPECT_TRUE(Has(run.out, missing + "  NOT FOUND\n")) << run.out;
  EXPECT_TRUE(
      Has(run.out, "*** The Following files failed to process: ***\n" + stray + "\n" + missing + "\n"))
      << run.out;
  EXPECT_FALSE(Has(run.out, good + "\n")) << "the converted drawing is not listed as failed";
}

TEST(ConvertCommand, AllConvertedExitsZeroWithoutAFailedList) {
  Workspace w;
  const CliRun run = RunCli(w.Args({w.Drawing("GOOD.DXF", GoodPanel())}));
  EXPECT_EQ(run.status, kExitOk) << run.out << run.err;
  EXPECT_FALSE(Has(run.out, "failed to process"));
  EXPECT_FALSE(Has(run.out, "CONVERSION PROCESS ABORTED."));
  EXPECT_FALSE(fs::is_empty(w.out)) << "the program goes to the --dest directory";
}

TEST(ConvertCommand, UsageErrorsExitTwo) {
  Workspace w;
  const std::string good = w.Drawing("GOOD.DXF", GoodPanel());
  const CliRun no_drawing = RunCli({"convert", "--settings", w.settings.string()});
  EXPECT_EQ(no_drawing.status, kExitUsage);

  const CliRun no_settings = RunCli({"convert", good, "--settings", (w.dir / "NONE.INI").string()});
  EXPECT_EQ(no_settings.status, kExitUsage);
  EXPECT_TRUE(Has(no_settings.err, "settings file not found")) << no_settings.err;
  EXPECT_TRUE(no_settings.out.empty()) << "nothing is converted";

  const CliRun no_destination =
      RunCli({"convert", good, "--settings", w.settings.string(), "--dest", (w.dir / "nowhere").string()});
  EXPECT_EQ(no_destination.status, kExitUsage);
  EXPECT_TRUE(Has(no_destination.err, "destination directory not found")) << no_destination.err;
}

TEST(ConvertCommand, TheSettingsOptionMayPrecedeTheCommand) {
  Workspace w;
  const CliRun run = RunCli({"--settings", w.settings.string(), "convert",
                             w.Drawing("STRAY.DXF", StrayBorderLine()), "--dest", w.out.string()});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_TRUE(Has(run.out, kStrayRow)) << run.out;
}

#if !defined(_WIN32)
// The installed program: its exit status and standard output as a shell sees them.
TEST(ConvertCommand, TheProgramExitsOneAndPrintsTheAbortForAStrayBorderLine) {
  Workspace w;
  const std::string stray = w.Drawing("STRAY.DXF", StrayBorderLine());
  const fs::path captured = w.dir / "stdout.txt";
  const std::string command = std::string("\"") + MARQUILL_CLI_PATH + "\" convert \"" + stray +
                              "\" --settings \"" + w.settings.string() + "\" --dest \"" + w.out.string() +
                              "\" < /dev/null > \"" + captured.string() + "\"";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitFailed);
  std::ifstream in(captured, std::ios::binary);
  const std::string out((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(Has(out, kStrayRow)) << out;
}
#endif

}  // namespace
}  // namespace mq::cli
