#include "shell/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "output/tool_substitution.h"
#include "support/dxf_builder.h"
#include "support/golden_cases.h"

namespace mq {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

Settings LoadedFrom(const std::string& text) {
  Settings settings;
  LoadStartupSettings(IniFile::Parse(text), settings);
  return settings;
}

// The main configuration in its stored form, one "key=value" line per key.
std::string Stored(const Settings& settings) {
  std::string text;
  for (const SettingsValue& v : ConfigurationValues(settings)) text += v.key + "=" + v.value + "\n";
  return text;
}

// The defaults of a first start replace whatever a previous load left, and saving writes
// every key in order. Loaded keys follow the load rules: clamps and defaults; a precision
// that is not a number is judged where it is used; any non-zero number checks a box and
// FormState is a 16-bit boolean; only the exact text "True" sets an auto-start option
// (the blanks around it are the reader's); the read sentinel counts as missing; every
// reader of the format stops a value at a NUL.
TEST(LoadOrSaveSettings, DefaultsOfAFirstStartAndTheLoadRules) {
  Settings settings;
  settings.FormState = -1, settings.LeadS = 1, settings.Metric = "Inch";
  settings.LeadLength = settings.PrecisionMetric = settings.PrecisionInch = "4";
  settings.SawKerf = settings.LineLimit = settings.GraphicDelay = "4";
  settings.AutoStartTemp = settings.AutoStartBatch = true;
  IniFile file;
  LoadOrSaveSettings(kLoadSettings, file, settings);
  EXPECT_EQ(file.Text(), "") << "loading writes nothing";
  LoadOrSaveSettings(kSaveSettings, file, settings);
  EXPECT_EQ(
      file.Text(),
      "[ConFiguration]\r\nFormState=0\r\nDXFPath=\r\nDestinationPath=\r\nDirectorySystem=0\r\nLeadS=0\r\n"
      "LeadRampIn=0\r\nLeadRampOut=0\r\nRemoveBorderRoute=0\r\nCornerComp=0\r\nLeadLength=\r\n"
      "LeadRampHeight=\r\nPrecisionMetric=2\r\nPrecisionInch=3\r\nMetric=\r\nOffsetX=\r\nOffsetY=\r\n"
      "OffsetZ=\r\nAutoStartTemp=False\r\nAutoStartBatch=False\r\nGraphicAfterAuto=0\r\n"
      "GraphicAfterMan=0\r\nPauseForMessages=0\r\nTipsEnable=0\r\nSawKerf=3\r\nMakeBinaries=0\r\n"
      "LineLimit=600\r\nRadiusLimit=\r\nRapidoInchMode=0\r\nGraphicDelay=.5\r\n");
  // clang-format off
  const std::tuple<const char*, std::string, std::string> cases[] = {
      {"SawKerf", "25", "20"}, {"SawKerf", "20.5", "20"}, {"SawKerf", "12.5", "12.5"}, {"SawKerf", "2.9", "3"},
      {"SawKerf", "abc", "3"}, {"LineLimit", "150", "600"}, {"LineLimit", "199.9", "600"}, {"LineLimit", "200", "200"},
      {"GraphicDelay", "0.0", ".5"}, {"GraphicDelay", "abc", ".5"}, {"GraphicDelay", "1.25", "1.25"},
      {"PrecisionMetric", "abc", "abc"}, {"PrecisionInch", "0", "0"}, {"LeadS", "-1", "1"}, {"CornerComp", "2", "1"},
      {"TipsEnable", "1abc", "1"}, {"RapidoInchMode", "abc", "0"}, {"FormState", "1", "-1"}, {"FormState", "x", "0"},
      {"AutoStartTemp", "True", "True"}, {"AutoStartTemp", "true", "False"}, {"AutoStartBatch", "TRUE", "False"},
      {"AutoStartBatch", "1", "False"}, {"AutoStartTemp", "  True  ", "True"}, {"LeadLength", "END.-", ""},
      {"LeadLength", "END.-x", "END.-x"}, {"LeadLength", "ab\0cd"s, "ab"}, {"OffsetZ", "-1.5", "-1.5"}};
  // clang-format on
  for (const auto& [key, stored, loaded] : cases) {
    const std::string text = "\n" + Stored(LoadedFrom("[Configuration]\r\n"s + key + "=" + stored + "\r\n"));
    EXPECT_NE(text.find("\n"s + key + "=" + loaded + "\n"), std::string::npos) << key << "=" << stored;
  }
}

// A file written by hand on a Windows install (tests/data): CRLF line ends, the section
// under another spelling, spacing of its own, comments, junk, foreign keys and sections.
const std::string kHandWritten =
    test::ReadBytes(test::kSourceDirectory / "tests" / "data" / "MQ400-hand-written.INI");

// Loaded and saved back (Setup OK, the tool dialog's OK) the file comes back byte for
// byte; changed, it keeps its form. The keys of other sections are not read; the first
// columns of the file list keep their designed widths; field names are upper-cased
// without blanks, a leading "~" asks for quoting.
TEST(SettingsRoundTrip, HandWrittenFileComesBackByteForByteAndKeepsItsFormWhenChanged) {
  std::string original = kHandWritten;
  for (int n = 3; n <= kToolSubstitutionRows; ++n) {
    for (const char* key : {"Enabled", "Tool", "ToolSub"}) original += key + std::to_string(n) + "=0\r\n";
  }
  IniFile file = IniFile::Parse(original);
  Settings s;
  LoadStartupSettings(file, s);
  SaveSetupSettings(file, s), SaveToolSubstitution(file, s);
  EXPECT_EQ(file.Text(), original);
  std::string loaded =
      std::to_string(s.LeadS) + s.Optimizer + s.Origin + s.PTSPath + s.PTSName + (s.PTSMetric ? "M|" : "I|");
  for (int c : {0, 1, 2, 3, 4, 50}) loaded += (s.PtsFieldQuoted[c] ? "~" : "") + s.PtsFieldNames[c] + "|";
  EXPECT_EQ(loaded, "1Yes1D:\\SAW\\CUTLISTM|LENGTH|PARTLENGTH|~DESC1|A~B||~DESCRIPTION|");
  EXPECT_EQ((std::vector(s.ListColumnWidth.begin() + 1, s.ListColumnWidth.end())),
            (std::vector<float>{0, 0, 1500, 820.5f, 0, 0}));
  EXPECT_EQ(LoadedFrom("").Origin, "") << "a missing origin is not \"0\"";

  s.LeadLength = "30", s.AutoStartTemp = false, s.PTSMetric = false, s.Origin = "0";
  s.ToolSubstitution[2] = {"1", "9", "19"};
  SaveSetupSettings(file, s), SaveToolSubstitution(file, s);
  WriteListColumnWidth(file, 4, 12.5f);
  const std::string text = file.Text();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
  for (const char* line :
       {"LeadLength = 30\r\n", "AutoStartTemp=False\r\n", "Unit=I\r\n", "Enabled3=1\r\n", "Origin=0\r\n",
        "Mystery Key = kept as is  \r\nthis line is junk\r\n", "ListColumnWidth4 =  12.5\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(Stored(LoadedFrom(text)), Stored(s));
  EXPECT_EQ(SubstituteTool(LoadedFrom(text), 7), "7") << "the stored disabled row stays off";
}

// Each cell loads as the number text of its stored value, an "Enabled" of 0 as off;
// missing part-list keys keep the Setup values; Setup OK writes the origin as a box.
TEST(SettingsSections, ToolTablePartListAndOrigin) {
  // Stored value (nullptr: key missing) -> Enabled|Tool|ToolSub as loaded into row 20.
  const std::pair<const char*, const char*> cases[] = {
      {"1", "1|1|1"},     {"0", "|0|0"},          {nullptr, "|0|0"},      {"abc", "|0|0"}, {"END.-", "|0|0"},
      {"-1", "-1|-1|-1"}, {" 12.0 ", "12|12|12"}, {"7.5", "7.5|7.5|7.5"}, {"5x", "5|5|5"}};
  for (const auto& [stored, loaded] : cases) {
    std::string text = "[ToolSubData]\r\n";
    if (stored) text += "Enabled20="s + stored + "\r\nTool20=" + stored + "\r\nToolSub20=" + stored;
    const ToolSubstitutionRow row = LoadedFrom(text + "\r\nTool21=21\r\n").ToolSubstitution[19];
    EXPECT_EQ(row.Enabled + "|" + row.Tool + "|" + row.Substitute, loaded) << (stored ? stored : "missing");
  }
  Settings s;
  s.PTSPath = "E:\\KEEP\\", s.PTSMetric = true, s.Origin = "";
  ReadPtsSettings(IniFile::Parse("[PTSDATA]\r\nPath=END.-\r\nUnit=Metric\r\n"), s);
  EXPECT_EQ(s.PTSPath + (s.PTSMetric ? "M" : "I"), "E:\\KEEP\\M");
  ReadPtsSettings(IniFile::Parse("[PTSDATA]\r\nPath=\r\nUnit=\r\n"), s);
  EXPECT_EQ(s.PTSPath + (s.PTSMetric ? "M" : "I"), "I") << "an empty key is a value";
  IniFile file;
  SaveSetupSettings(file, s);
  EXPECT_EQ(ReadIniValue(file, "PTP400", "Origin"), "1") << "a missing origin is a lower-left machine origin";
}

TEST(ResolveSettingsLocation, ChoosesTheFile) {
  using enum SettingsLocationRule;
  // Command line, program directory, writable, windows, APPDATA, XDG, HOME.
  // clang-format off
  const std::tuple<SettingsLocationInputs, const char*, SettingsLocationRule> cases[] = {
      {{"/etc/mine.ini", "/opt/mq", true, false, "", "", "/home/u"}, "/etc/mine.ini", kCommandLine},
      {{"conf\\MQ400.INI", "/opt/mq", false, false, "", "", ""}, "conf/MQ400.INI", kCommandLine},
      {{"", "/opt/mq", true, false, "/ad", "/xdg", "/home/u"}, "/opt/mq/MQ400.INI", kBesideProgram},
      {{"", "/opt/mq", false, false, "", "/xdg", "/home/u"}, "/xdg/Marquill400/MQ400.INI", kUserConfiguration},
      {{"", "/opt/mq", false, false, "", "relative", "/home/u"}, "/home/u/.config/Marquill400/MQ400.INI", kUserConfiguration},
      {{"", "/opt/mq", false, true, "/ad", "/xdg", ""}, "/ad/Marquill400/MQ400.INI", kUserConfiguration},
      {{"", "/opt/mq", false, true, "", "", "/home/u"}, "/opt/mq/MQ400.INI", kBesideProgram},
      {{"", "/opt/mq", false, false, "", "", ""}, "/opt/mq/MQ400.INI", kBesideProgram}};
  // clang-format on
  for (const auto& [given, expected, rule] : cases) {
    const SettingsLocation location = ResolveSettingsLocation(given);
    EXPECT_EQ(location.path, fs::path(expected));
    EXPECT_EQ(location.rule, rule) << expected;
  }
  test::ScratchDirectory program("settings-location");
  EXPECT_TRUE(IsWritableDirectory(program.path()));
  EXPECT_TRUE(fs::is_empty(program.path())) << "the probe leaves nothing behind";
  EXPECT_FALSE(IsWritableDirectory(program / "missing"));
  std::ofstream(program / "mq400.ini") << "[Configuration]\n";  // a name differing in case is used as it is
  EXPECT_EQ(ResolveSettingsLocation({"", program.path(), true, false, "", "", ""}).path,
            program / "mq400.ini");
}

}  // namespace
}  // namespace mq
