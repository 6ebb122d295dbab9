// `marquill400-cli watch`, `batch` and `request`: the unattended conversions without a
// window, over a scratch DXF source directory.

#include <gtest/gtest.h>

#include <algorithm>
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

namespace fs = std::filesystem;
using test::RunCli;

class WatchCommand : public ::testing::Test {
 protected:
  WatchCommand() {
    fs::create_directories(dir / "dxf"), fs::create_directories(dir / "out");
    std::ofstream(settings, std::ios::binary)
        << "[ConFiguration]\r\nDXFPath=" << source << "\r\nDestinationPath=" << (dir / "out/").string()
        << "\r\nAutoStartTemp=True\r\n";
  }
  void Drawing(const std::string& name, const std::string& border = "BORDER") const {
    mq::test::DxfBuilder()
        .Rectangle(border, 0, 0, 600, 400)
        .Line("ROUTE T5 D20", 300, 200, 310, 200)
        .Save(dir / name);
  }
  // The drawing as a CAD program that finished writing it a while ago.
  void Dropped(const std::string& name, const std::string& border = "BORDER") const {
    Drawing("dxf/" + name, border);
    fs::last_write_time(dir / "dxf" / name, fs::file_time_type::clock::now() - std::chrono::seconds(5));
  }

  mq::test::ScratchDirectory dir{"cli-watch"};
  std::string settings = (dir / "MQ400.INI").string(), source = (dir / "dxf/").string();
};

TEST_F(WatchCommand, OnceConvertsADroppedDrawingAndDeletesIt) {
  // Drawing dropped (none: nothing), exit status, first line of the report, left in place.
  const std::tuple<const char*, int, const char*, bool> cases[] = {{nullptr, kExitOk, "", false},
                                                                   {"BORDER", kExitOk, "TEMP\n", false},
                                                                   {"NOTES", kExitFailed, "TEMP\n", false}};
  for (const auto& [border, status, report, left] : cases) {
    if (border) Dropped("TEMP.DXF", border);
    const test::CliRun run = RunCli({"--settings", settings, "watch", "--once"});
    EXPECT_EQ(std::to_string(run.status) + "|" + run.out.substr(0, run.out.find('\n') + 1) + run.err,
              std::to_string(status) + "|" + report)
        << run.out;
    EXPECT_EQ(fs::exists(dir / "dxf" / "TEMP.DXF"), left);
  }
  EXPECT_TRUE(fs::exists(dir / "out" / "TEMP"));
}

// The list is left where it is; PROC.LST goes beside it. A request is converted at once.
TEST_F(WatchCommand, BatchAndRequestConvertWithoutTheWatcher) {
  fs::create_directories(dir / "lists");
  Drawing("dxf/SIDE.DXF"), Drawing("lists/door.dxf");
  std::ofstream(dir / "lists" / "BATCH.LST", std::ios::binary)
      << (dir / "lists/door.dxf").string() << " d1\r\nside\r\n";
  const test::CliRun batch = RunCli({"--settings", settings, "batch", (dir / "lists/BATCH.LST").string()});
  EXPECT_EQ(batch.status, kExitOk) << batch.out << batch.err;
  EXPECT_EQ(mq::test::ReadBytes(dir / "lists" / "PROC.LST"),
            (dir / "out/D1\r\n").string() + (dir / "out/SIDE\r\n").string());
  EXPECT_TRUE(fs::exists(dir / "lists" / "BATCH.LST"));
  const std::pair<std::string, int> requests[] = {{source + "SIDE  S7 /A", kExitOk},
                                                  {source + "GONE", kExitFailed}};
  for (const auto& [request, status] : requests)
    EXPECT_EQ(RunCli({"--settings", settings, "request", request}).status, status);
  EXPECT_TRUE(fs::exists(dir / "out" / "S7"));
  const std::pair<std::vector<std::string>, const char*> usage_errors[] = {
      {{"watch", "/X"}, "not a switch: /X"},
      {{"batch", (dir / "NONE.LST").string()}, "list not found"},
      {{"request"}, "TEXT is required"}};
  for (const auto& [args, reason] : usage_errors) {
    std::vector<std::string> with_settings{"--settings", settings};
    with_settings.insert(with_settings.end(), args.begin(), args.end());
    const test::CliRun usage = RunCli(with_settings);
    EXPECT_EQ(usage.status, kExitUsage) << reason;
    EXPECT_TRUE(test::Has(usage.err, reason)) << usage.err;
  }
}

// A list of 10,000 drawings that are all missing: each is reported and listed as
// failed, PROC.LST names every program, and the run ends with its failure status.
TEST_F(WatchCommand, ALongListOfMissingDrawingsEndsCleanly) {
  constexpr int kLines = 10000;
  std::string list;
  for (int k = 0; k < kLines; ++k) list += "GONE" + std::to_string(k) + "\r\n";
  std::ofstream(dir / "dxf" / "BATCH.LST", std::ios::binary) << list;
  const test::CliRun run = RunCli({"--settings", settings, "batch", (dir / "dxf/BATCH.LST").string()});
  EXPECT_EQ(run.status, kExitFailed);
  std::size_t missing = 0;
  for (std::size_t at = 0; (at = run.out.find("  NOT FOUND", at)) != std::string::npos; ++at) ++missing;
  EXPECT_EQ(missing, static_cast<std::size_t>(kLines));
  const std::string processed = mq::test::ReadBytes(dir / "dxf" / "PROC.LST");
  EXPECT_EQ(std::count(processed.begin(), processed.end(), '\n'), kLines);
}

#if !defined(_WIN32)
// A watcher told to terminate ends at its next tick, as a service manager stops it. It is
// stopped once it has deleted the TEMP.DXF left from before it started.
TEST_F(WatchCommand, TerminateSignalEndsTheWatcher) {
  Dropped("TEMP.DXF");
  const std::string stale = (dir / "dxf" / "TEMP.DXF").string();
  const std::string command =
      std::string("\"") + MARQUILL_CLI_PATH + "\" --settings \"" + settings +
      "\" watch < /dev/null > /dev/null 2>&1 & pid=$!; for i in $(seq 300); do [ -e \"" + stale +
      "\" ] || break; sleep 0.1; done; kill -TERM $pid; wait $pid";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitOk);
  EXPECT_FALSE(fs::exists(stale));
}
#endif

}  // namespace
}  // namespace mq::cli
