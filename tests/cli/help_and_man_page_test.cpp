// The command line as a new user meets it: --version, a wrong command named in its
// error, and every command's --help, which the man page must repeat: every option,
// positional and footer line of --help is in the man page the build installs.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "inspect_cli_harness.h"
#include "marquill400_version.h"
#include "support/golden_cases.h"

namespace mq::cli {
namespace {

using test::Has;
using test::RunCli;

// The man page as it reads: troff's escapes taken back out.
std::string ManPageText(std::string troff) {
  for (const auto& [escape, plain] : {std::pair{"\\&", ""}, {"\\-", "-"}, {"\\e", "\\"}}) {
    for (std::size_t at = troff.find(escape); at != std::string::npos; at = troff.find(escape, at)) {
      troff.replace(at, std::string(escape).size(), plain);
      at += std::string(plain).size();
    }
  }
  return troff;
}

// What --help shows that the man page must hold: the first word of each option and
// positional line, and each entry of the footer sections ("NAME  meaning": both).
std::vector<std::string> HelpItems(const std::string& help) {
  std::vector<std::string> items;
  std::istringstream lines(help);
  bool footer = false;
  for (std::string line; std::getline(lines, line);) {
    footer = footer || line == "Environment:" || line == "Files:" || line == "Exit status:";
    if (line.rfind("  ", 0) != 0) continue;
    const std::string text = line.substr(line.find_first_not_of(' '));
    const std::size_t gap = text.find(footer ? "  " : " ");
    items.push_back(text.substr(0, gap));
    if (footer && gap != std::string::npos) items.push_back(text.substr(gap + 2));
  }
  return items;
}

TEST(HelpAndManPage, EveryCommandsHelpIsInTheInstalledManPage) {
  const test::CliRun man = RunCli({"help-man"});
  ASSERT_EQ(man.status, kExitOk) << man.err;
  const std::string page = ManPageText(man.out);
  const std::filesystem::path built =
      std::filesystem::path(MARQUILL_CLI_PATH).parent_path() / "marquill400-cli.1";
  EXPECT_EQ(mq::test::ReadBytes(built), man.out) << "the man page the build wrote is the program's own";
  for (const char* command :
       {"convert", "watch", "batch", "request", "preview", "settings", "inspect", "layer", ""}) {
    const test::CliRun help = command[0] ? RunCli({command, "--help"}) : RunCli({"--help"});
    ASSERT_EQ(help.status, kExitOk);
    for (const char* section : {"Exit status:\n  0  ", "Example:\n  marquill400-cli "})
      EXPECT_TRUE(Has(help.out, section)) << command << " --help lacks " << section;
    const std::vector<std::string> items = HelpItems(help.out);
    EXPECT_GT(items.size(), 4u) << command;
    for (const std::string& item : items) EXPECT_TRUE(Has(page, item)) << command << ": " << item;
  }
  EXPECT_TRUE(Has(RunCli({"convert", "--help"}).out, "ROOT  the directory of the drilling head's Par.DAT"));
}

TEST(HelpAndManPage, VersionAndWrongCommands) {
  EXPECT_EQ(RunCli({"--version"}).out, std::string("marquill400-cli ") + kMarquillVersion + "\n");
  const std::pair<std::vector<std::string>, const char*> wrong[] = {
      {{"frobnicate", "x.dxf"}, "unknown command \"frobnicate\"; the commands are convert, watch, batch"},
      {{"--settings", "x.ini", "conver"}, "unknown command \"conver\""},
      {{}, "no command given; the commands are convert"}};
  for (const auto& [args, said] : wrong) {
    const test::CliRun run = RunCli(args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_TRUE(Has(run.err, said)) << run.err;
  }
}

}  // namespace
}  // namespace mq::cli
