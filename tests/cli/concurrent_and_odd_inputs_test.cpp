// The command line beside other runs and against inputs no drawing is: two processes
// writing one program name and one part list at once, a strict run, warnings on standard
// error, a pipe, a device or a huge file where a drawing should be.

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "inspect_cli_harness.h"
#include "support/conversion.h"
#include "support/golden_cases.h"

namespace mq::cli {
namespace {

namespace fs = std::filesystem;
using test::RunCli;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class OddRuns : public ::testing::Test {
 protected:
  OddRuns() {
    fs::create_directories(dir / "dwg"), fs::create_directories(dir / "out");
    std::ofstream(settings, std::ios::binary)
        << "[Configuration]\r\nLineLimit=600\r\n[PTSDATA]\r\nPath=" << (dir / "dwg").string()
        << "/\r\nName=LIST\r\nField1=LENGTH\r\n";
  }
  // A panel with its own cut, a part-list column and, when asked, a SPLINE nothing machines.
  std::string Drawing(const std::string& name, double cut_length, bool unmachined = false) const {
    mq::test::DxfBuilder dxf =
        mq::test::WithInstructions(mq::test::PanelOfLines(0, 0, "BORDER Z19"), {"PTS 2=" + name});
    dxf.Line("ROUTE Z5 T1 D10", 100, 100, 100 + cut_length, 100);
    if (unmachined) dxf.Entity("SPLINE", "ROUTE Z5 T1 D10");
    dxf.Save(dir / "dwg" / (name + ".DXF"));
    return (dir / "dwg" / (name + ".DXF")).string();
  }
  std::string ConvertCommand(const std::string& request) const {
    return Quoted(MARQUILL_CLI_PATH) + " convert " + Quoted(request) + " --settings " + Quoted(settings) +
           " --dest " + Quoted((dir / "out").string()) + " < /dev/null > /dev/null 2>&1";
  }

  mq::test::ScratchDirectory dir{"cli-odd"};
  std::string settings = (dir / "MQ400.INI").string();
};

// Fifty times two processes store SIDE and DOOR under one program name in one
// destination, and add to one MQ.PNX and one .PTS list: the program is always one of the
// two whole, and no list line is lost.
TEST_F(OddRuns, TwoProcessesIntoTheSameFoldersLoseAndMixNothing) {
  const std::string side = Drawing("SIDE", 300), door = Drawing("DOOR", 150);
  ASSERT_EQ(std::system(ConvertCommand(side + " SAME").c_str()), 0);
  const std::string side_program = mq::test::ReadBytes(dir / "out" / "SAME");
  ASSERT_EQ(std::system(ConvertCommand(door + " SAME").c_str()), 0);
  const std::string door_program = mq::test::ReadBytes(dir / "out" / "SAME");
  ASSERT_NE(side_program, door_program);
  constexpr int kRounds = 50;
  for (int round = 0; round < kRounds; ++round) {
    const std::string both =
        ConvertCommand(side + " SAME") + " & " + ConvertCommand(door + " SAME") + " & wait";
    ASSERT_EQ(std::system(both.c_str()), 0) << "round " << round;
    const std::string program = mq::test::ReadBytes(dir / "out" / "SAME");
    ASSERT_TRUE(program == side_program || program == door_program) << "round " << round << ":\n" << program;
  }
  const std::string part_list = mq::test::ReadBytes(dir / "dwg" / "MQ.PNX");
  EXPECT_EQ(Occurrences(part_list, "SIDE.DXF,1,MAT,600,400\r\n"), kRounds + 1u);
  EXPECT_EQ(Occurrences(part_list, "DOOR.DXF,1,MAT,600,400\r\n"), kRounds + 1u);
  const std::string pts = mq::test::ReadBytes(dir / "dwg" / "LIST.PTS");
  EXPECT_EQ(pts.substr(0, pts.find('\r')), "2.00, " + std::to_string(2 * kRounds + 2) + ",D");
  EXPECT_EQ(Occurrences(pts, "SIDE\r\n") + Occurrences(pts, "DOOR\r\n"), 2 * kRounds + 2u);
  std::size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir.path())) files += entry.is_regular_file();
  EXPECT_EQ(files, 6u) << "settings, two drawings, two lists and one program: no temporary left";
}

// A warning reaches standard error; --strict fails the drawing and stores nothing.
TEST_F(OddRuns, WarningsGoToStandardErrorAndStrictFailsOnThem) {
  const std::string odd = Drawing("ODD", 100, true);
  const test::CliRun lenient =
      RunCli({"convert", odd, "--settings", settings, "--dest", (dir / "out").string()});
  EXPECT_EQ(lenient.status, kExitOk);
  EXPECT_EQ(Occurrences(lenient.err, odd + ": warning: Not machined: SPLINE on layer ROUTE Z5 T1 D10"), 1u)
      << lenient.err;
  fs::remove(dir / "out" / "ODD");
  const test::CliRun strict =
      RunCli({"convert", odd, "--strict", "--settings", settings, "--dest", (dir / "out").string()});
  EXPECT_EQ(strict.status, kExitFailed);
  EXPECT_EQ(Occurrences(strict.err, "Not stored: warnings fail the drawing in a strict run."), 1u)
      << strict.err;
  EXPECT_FALSE(fs::exists(dir / "out" / "ODD"));
}

// Neither inspect nor convert waits on a pipe or reads a device or a line without end
// into memory: each is refused with a reason on standard error.
TEST_F(OddRuns, PipesDevicesAndEndlessLinesAreRefused) {
  const std::string pipe = (dir / "PIPE.DXF").string(), endless = (dir / "ZEROS.DXF").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::ofstream(endless, std::ios::binary) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n";
  fs::resize_file(endless, std::uintmax_t{80} << 20);  // sparse: 80 MB of NULs after the layer code
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"inspect", pipe}, "not a regular file"},
      {{"inspect", "/dev/zero"}, "not a regular file"},
      {{"inspect", endless}, "a line is longer than 64 MB"},
      {{"convert", pipe, "--settings", settings}, "not a regular file"},
      {{"convert", endless, "--settings", settings, "--dest", (dir / "out").string()},
       "a line is longer than 64 MB"}};
  for (const auto& [args, reason] : cases) {
    const test::CliRun run = RunCli(args);
    EXPECT_EQ(run.status, kExitFailed) << args[1];
    EXPECT_EQ(Occurrences(run.err, reason), 1u) << args[1] << ": " << run.err;
  }
}

}  // namespace
}  // namespace mq::cli
#endif
