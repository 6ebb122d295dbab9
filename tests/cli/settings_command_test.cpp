// `marquill400-cli settings`: the settings file of the run, how it was chosen, and the
// values loaded from it (the load rules themselves are the shell's tests).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/commands.h"
#include "inspect_cli_harness.h"
#include "shell/settings_store.h"
#include "support/dxf_builder.h"
#include "support/golden_cases.h"

namespace mq::cli {
namespace {

namespace fs = std::filesystem;
using test::Has;
using test::RunCli;

// The option is accepted after the command and before it; every section is printed, as
// INI text or as JSON. A missing file shows a first start's values and is not created;
// an unreadable one fails. Without the option the location rule of this run chooses.
TEST(SettingsCommand, PrintsTheFileHowItWasChosenAndEveryLoadedValue) {
  mq::test::ScratchDirectory dir{"cli-settings"};
  const std::string path = (dir / "MQ400.INI").string();
  const test::CliRun missing = RunCli({"settings", "--settings", path});
  EXPECT_TRUE(Has(missing.out, "; Not found: the values below are those of a first start.\n")) << missing.out;
  EXPECT_TRUE(Has(missing.out, "SawKerf=3\n") && !fs::exists(path));
  std::ofstream(path, std::ios::binary)
      << "[Configuration]\r\nSawKerf=25\r\nAutoStartTemp=true\r\nDXFPath=C:\\DXF "
         "\"new\"\\\r\nListColumnWidth3=1500\r\n"
         "[PTP400]\r\nOrigin=0\r\n[PTSDATA]\r\nField1=length\r\nField3=~Description\r\nUnit=M\r\n"
         "[ToolSubData]\r\nEnabled2=1\r\nTool2=5\r\nToolSub2=105\r\n";
  for (const auto& args :
       {std::vector<std::string>{"settings", "--settings", path}, {"--settings", path, "settings"}}) {
    const test::CliRun run = RunCli(args);
    EXPECT_EQ(run.status, kExitOk) << run.err;
    for (const std::string& part : std::vector<std::string>{
             "; Settings file: " + path + "\n; Chosen by: --settings\n; Par.DAT: ", "SawKerf=20\n",
             "AutoStartTemp=False\n", "DXFPath=C:\\DXF \"new\"\\\n", "ListColumnWidth3=1500\n",
             "[PTP400]\nOrigin=0\n", "Path=C:\\\nName=\nUnit=M\n", "Field1=LENGTH\nField3=~DESCRIPTION\n",
             "Enabled1=\nTool1=0\nToolSub1=0\nEnabled2=1\nTool2=5\nToolSub2=105\n", "ToolSub20=0\n"}) {
      EXPECT_TRUE(Has(run.out, part)) << part << "\n--- in:\n" << run.out;
    }
  }
  const Json json = Json::parse(RunCli({"settings", "--settings", path, "--json"}).out);
  EXPECT_EQ(Json::array({json["state"], json["chosenBy"], json["configuration"]["DXFPath"], json["origin"],
                         json["listColumnWidths"]["3"], json["pts"]["metric"],
                         json["pts"]["fields"][1]["name"], json["toolSubstitution"][1]["substitute"]}),
            Json::array({"read", "--settings", "C:\\DXF \"new\"\\", "0", 1500, true, "DESCRIPTION", "105"}));
  // Par.DAT: ROOT wins over the settings' ParDatPath, which wins over the default.
  std::ofstream(path, std::ios::binary | std::ios::app)
      << "[Configuration]\r\nParDatPath=" << dir.path().string() << "\r\n";
  std::ofstream(dir / "Par.DAT") << "0\n";
  const std::string head = (dir / "Par.DAT").string();
  EXPECT_TRUE(Has(RunCli({"settings", "--settings", path}).out,
                  "; Par.DAT: " + head + "\n; Par.DAT chosen by: settings key ParDatPath\n"));
#if !defined(_WIN32)
  setenv("ROOT", "/nowhere/head/", 1);
  const Json by_root = Json::parse(RunCli({"settings", "--settings", path, "--json"}).out)["parDat"];
  unsetenv("ROOT");
  EXPECT_EQ(by_root, Json::parse(R"({"file": "/nowhere/head/Par.DAT", "chosenBy": "environment variable ROOT",
                                      "found": false})"));
#endif
  fs::remove(path), fs::create_directory(path);
  const test::CliRun unreadable = RunCli({"settings", "--settings", path});
  EXPECT_EQ(unreadable.status, kExitFailed);
  EXPECT_TRUE(Has(unreadable.err, "Cannot read the settings file")) << unreadable.err;
  std::ostringstream out, err;
  const test::CliRun chosen = RunCli({"settings"});
  EXPECT_TRUE(Has(chosen.out,
                  "; Settings file: " + SettingsFileOf(CommandIo{out, err, {}, kExitOk}).string() + "\n"));
  EXPECT_FALSE(Has(chosen.out, "Chosen by: --settings"));
}

// Beside the program only in a portable install (a file "portable" or a settings file
// there); a first start creates the chosen file with every key, which loads back as the
// defaults; an existing file is never rewritten.
TEST(SettingsLocation, PortableInstallAndTheFirstStartsFile) {
  mq::test::ScratchDirectory program{"cli-program"}, home{"cli-home"};
  const auto locate = [&] {
    return ResolveSettingsLocation(
        {"", program.path(), IsPortableInstall(program.path()), false, "", home.path().string(), ""});
  };
  const SettingsLocation user = locate();
  EXPECT_EQ(user.path, home / "Marquill400" / "MQ400.INI");
  EXPECT_EQ(CreateSettingsFileAtFirstStart(user), "");
  const IniFileRead created = ReadIniFile(user.path);
  EXPECT_EQ(created.file.Text(), FirstStartSettingsFile().Text());
  Settings loaded, defaults;
  LoadStartupSettings(created.file, loaded);
  LoadStartupSettings(IniFile{}, defaults);
  EXPECT_EQ(ConfigurationValues(loaded).size(), ConfigurationValues(defaults).size());
  for (std::size_t i = 0; i < ConfigurationValues(loaded).size(); ++i)
    EXPECT_EQ(ConfigurationValues(loaded)[i].value, ConfigurationValues(defaults)[i].value);
  for (const char* key : {"DXFPath=", "ParDatPath=", "Origin=", "ToolSub20="})
    EXPECT_TRUE(Has(created.file.Text(), key)) << key;
  std::ofstream(user.path, std::ios::binary) << "[Configuration]\r\nSawKerf=5\r\n";
  EXPECT_EQ(CreateSettingsFileAtFirstStart(user), "");
  EXPECT_EQ(mq::test::ReadBytes(user.path), "[Configuration]\r\nSawKerf=5\r\n");
  for (const char* marker : {"portable", "mq400.ini"}) {
    std::ofstream(program / marker) << "";
    EXPECT_EQ(mq::test::AsFileSystemCompares(locate().path.string()),
              mq::test::AsFileSystemCompares(
                  (program / (marker == std::string("portable") ? "MQ400.INI" : marker)).string()));
    EXPECT_EQ(locate().rule, SettingsLocationRule::kBesideProgram);
    fs::remove(program / marker);
  }
  EXPECT_EQ(CreateSettingsFileAtFirstStart({program / "MQ400.INI", SettingsLocationRule::kCommandLine}), "");
  EXPECT_FALSE(fs::exists(program / "MQ400.INI")) << "a file named by --settings is never made";
}

}  // namespace
}  // namespace mq::cli
