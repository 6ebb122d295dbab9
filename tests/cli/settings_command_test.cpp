#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "support/dxf_builder.h"

namespace mq::cli {
namespace {

namespace fs = std::filesystem;
using test::ScratchDirectory;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunCli(std::vector<std::string> args) {
  args.insert(args.begin(), "marquill400-cli");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  const int status = Main(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const char* const kFile =
    "[Configuration]\r\n"
    "SawKerf=25\r\n"
    "LineLimit=150\r\n"
    "AutoStartTemp=true\r\n"
    "AutoStartBatch=True\r\n"
    "DXFPath=C:\\DXF \"new\"\\\r\n"
    "ListColumnWidth3=1500\r\n"
    "[PTP400]\r\n"
    "Origin=0\r\n"
    "[PTSDATA]\r\n"
    "Field1=length\r\n"
    "Field3=~Description\r\n"
    "Unit=M\r\n"
    "[ToolSubData]\r\n"
    "Enabled2=1\r\n"
    "Tool2=5\r\n"
    "ToolSub2=105\r\n";

TEST(SettingsCommandTest, PrintsThePathAndEveryLoadedValue) {
  ScratchDirectory dir("cli-settings");
  const fs::path path = dir / "MQ400.INI";
  std::ofstream(path, std::ios::binary) << kFile;

  // The option is accepted after the command and before it.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"settings", "--settings", path.string()},
        std::vector<std::string>{"--settings", path.string(), "settings"}}) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, kExitOk) << run.err;
    for (const std::string& line :
         {"; Settings file: " + path.string() + "\n", std::string("; Chosen by: --settings\n"),
          std::string("[Configuration]\n"), std::string("SawKerf=20\n"), std::string("LineLimit=600\n"),
          std::string("AutoStartTemp=False\n"), std::string("AutoStartBatch=True\n"),
          std::string("PrecisionMetric=2\n"), std::string("GraphicDelay=.5\n"),
          std::string("DXFPath=C:\\DXF \"new\"\\\n"), std::string("ListColumnWidth3=1500\n"),
          std::string("[PTP400]\nOrigin=0\n"), std::string("Path=C:\\\nName=\nUnit=M\n"),
          std::string("Field1=LENGTH\nField3=~DESCRIPTION\n"),
          std::string("Enabled1=\nTool1=0\nToolSub1=0\nEnabled2=1\nTool2=5\nToolSub2=105\n"),
          std::string("ToolSub20=0\n")}) {
      EXPECT_TRUE(Has(run.out, line)) << line << "\n--- output:\n" << run.out;
    }
    EXPECT_FALSE(Has(run.out, "Not found"));
  }
}

TEST(SettingsCommandTest, MissingFileShowsFirstStartValuesAndIsNotCreated) {
  ScratchDirectory dir("cli-settings-missing");
  const fs::path path = dir / "MQ400.INI";
  const CliRun run = RunCli({"settings", "--settings", path.string()});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_TRUE(Has(run.out, "; Not found: the values below are those of a first start.\n"));
  EXPECT_TRUE(Has(run.out, "SawKerf=3\n"));
  EXPECT_TRUE(Has(run.out, "PrecisionInch=3\n"));
  EXPECT_FALSE(fs::exists(path));
}

TEST(SettingsCommandTest, UnreadableFileFailsWithItsReason) {
  ScratchDirectory dir("cli-settings-unreadable");
  fs::create_directory(dir / "MQ400.INI");
  const CliRun run = RunCli({"settings", "--settings", (dir / "MQ400.INI").string()});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_TRUE(Has(run.err, "Cannot read the settings file")) << run.err;
}

TEST(SettingsCommandTest, JsonHoldsTheSameValues) {
  ScratchDirectory dir("cli-settings-json");
  const fs::path path = dir / "MQ400.INI";
  std::ofstream(path, std::ios::binary) << kFile;
  const CliRun run = RunCli({"settings", "--settings", path.string(), "--json"});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  for (const std::string& part :
       {std::string("\"state\": \"read\""), std::string("\"chosenBy\": \"--settings\""),
        std::string("\"SawKerf\": \"20\""), std::string("\"AutoStartTemp\": \"False\""),
        std::string("\"DXFPath\": \"C:\\\\DXF \\\"new\\\"\\\\\""), std::string("\"origin\": \"0\""),
        std::string("\"metric\": true"),
        std::string("{\"column\": 3, \"name\": \"DESCRIPTION\", \"quoted\": true}"),
        std::string("{\"row\": 2, \"enabled\": \"1\", \"tool\": \"5\", \"substitute\": \"105\"}"),
        std::string("\"3\": 1500")}) {
    EXPECT_TRUE(Has(run.out, part)) << part << "\n--- output:\n" << run.out;
  }
  int depth = 0;
  bool in_string = false;
  for (std::size_t i = 0; i < run.out.size(); ++i) {
    const char c = run.out[i];
    if (in_string) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        in_string = false;
    } else if (c == '"') {
      in_string = true;
    } else if (c == '{' || c == '[') {
      ++depth;
    } else if (c == '}' || c == ']') {
      ASSERT_GT(depth, 0);
      --depth;
    }
  }
  EXPECT_EQ(depth, 0);
  EXPECT_FALSE(in_string);
}

TEST(SettingsCommandTest, WithoutOptionUsesTheLocationRuleOfThisRun) {
  std::ostringstream out, err;
  const CommandIo io{out, err, {}, kExitOk};
  const CliRun run = RunCli({"settings"});
  EXPECT_TRUE(Has(run.out, "; Settings file: " + SettingsFileOf(io).string() + "\n")) << run.out;
  EXPECT_FALSE(Has(run.out, "Chosen by: --settings"));
}

}  // namespace
}  // namespace mq::cli
