#include "shell/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "output/tool_substitution.h"
#include "support/dxf_builder.h"

namespace mq {
namespace {

namespace fs = std::filesystem;
using test::ScratchDirectory;
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

TEST(SettingsLoadTest, FirstStartWithoutFileGivesTheDefaultsAndSavesEveryKeyInOrder) {
  // Values a previous load could have left: every one must be replaced.
  Settings settings;
  settings.FormState = -1;
  settings.LeadS = 1;
  settings.LeadLength = settings.PrecisionMetric = settings.PrecisionInch = "4";
  settings.SawKerf = settings.LineLimit = settings.GraphicDelay = "4";
  settings.Metric = "Inch";
  settings.AutoStartTemp = settings.AutoStartBatch = true;
  IniFile file;
  LoadOrSaveSettings(kLoadSettings, file, settings);
  EXPECT_EQ(file.Text(), "") << "loading must not write";

  LoadOrSaveSettings(kSaveSettings, file, settings);
  EXPECT_EQ(
      file.Text(),
      "[ConFiguration]\r\nFormState=0\r\nDXFPath=\r\nDestinationPath=\r\nDirectorySystem=0\r\nLeadS=0\r\n"
      "LeadRampIn=0\r\nLeadRampOut=0\r\nRemoveBorderRoute=0\r\nCornerComp=0\r\nLeadLength=\r\n"
      "LeadRampHeight=\r\nPrecisionMetric=2\r\nPrecisionInch=3\r\nMetric=\r\nOffsetX=\r\nOffsetY=\r\n"
      "OffsetZ=\r\nAutoStartTemp=False\r\nAutoStartBatch=False\r\nGraphicAfterAuto=0\r\n"
      "GraphicAfterMan=0\r\nPauseForMessages=0\r\nTipsEnable=0\r\nSawKerf=3\r\nMakeBinaries=0\r\n"
      "LineLimit=600\r\nRadiusLimit=\r\nRapidoInchMode=0\r\nGraphicDelay=.5\r\n");
}

TEST(SettingsLoadTest, LoadRulesGiveTheStoredForm) {
  struct Case {
    const char* key;
    std::string stored;
    const char* loaded;
  };
  const std::string long_path = "C:\\" + std::string(120, 'D') + "\\";
  // Clamps and defaults; a precision that is not a number is judged where it is used; any
  // non-zero number checks a box and FormState is a 16-bit boolean; only the exact text
  // "True" sets an auto-start option (the blanks around it are the reader's); the read
  // sentinel counts as missing; every reader of the format stops a value at a NUL.
  // clang-format off
  const Case cases[] = {
      {"SawKerf", "25", "20"}, {"SawKerf", "20.5", "20"}, {"SawKerf", "12.5", "12.5"},
      {"SawKerf", "2.9", "3"}, {"SawKerf", "abc", "3"}, {"LineLimit", "150", "600"},
      {"LineLimit", "199.9", "600"}, {"LineLimit", "200", "200"}, {"GraphicDelay", "0.0", ".5"},
      {"GraphicDelay", "abc", ".5"}, {"GraphicDelay", "1.25", "1.25"},
      {"PrecisionMetric", "abc", "abc"}, {"PrecisionInch", "0", "0"},
      {"LeadS", "-1", "1"}, {"CornerComp", "2", "1"}, {"TipsEnable", "1abc", "1"},
      {"RapidoInchMode", "abc", "0"}, {"FormState", "1", "-1"}, {"FormState", "x", "0"},
      {"AutoStartTemp", "True", "True"}, {"AutoStartTemp", "true", "False"},
      {"AutoStartBatch", "TRUE", "False"}, {"AutoStartBatch", "1", "False"},
      {"AutoStartTemp", "  True  ", "True"}, {"LeadLength", "END.-", ""}, {"LeadLength", "END.-x", "END.-x"},
      {"LeadLength", "ab\0cd"s, "ab"}, {"OffsetZ", "-1.5", "-1.5"},
      {"DXFPath", long_path, long_path.c_str()}};
  // clang-format on
  for (const Case& c : cases) {
    const std::string stored =
        "\n" + Stored(LoadedFrom("[Configuration]\r\n"s + c.key + "=" + c.stored + "\r\n"));
    EXPECT_NE(stored.find("\n"s + c.key + "=" + c.loaded + "\n"), std::string::npos)
        << c.key << "=" << c.stored;
  }
}

// A file written by hand on a Windows install: CRLF line ends, the section under
// another spelling, spacing of its own, comments, junk, foreign keys and sections.
const std::string kHandWritten =
    "; Marquill400 settings\r\n[Configuration]\r\nFormState=-1\r\nDXFPath=C:\\CAD\\DXF\\\r\n"
    "DestinationPath=C:\\400V80\\PROGS\\\r\nDirectorySystem=1\r\nLeadS=1\r\nLeadRampIn=1\r\n"
    "LeadRampOut=0\r\nRemoveBorderRoute=1\r\nCornerComp=1\r\nLeadLength = 25.00\r\nLeadRampHeight=10.00\r\n"
    "PrecisionMetric=2\r\nPrecisionInch=4\r\nMetric=Metric\r\nOffsetX=0.00\r\nOffsetY=-12.5\r\n"
    "OffsetZ=0.00\r\nAutoStartTemp=True\r\nAutoStartBatch=False\r\nGraphicAfterAuto=1\r\n"
    "GraphicAfterMan=0\r\nPauseForMessages=1\r\nTipsEnable=1\r\nSawKerf=4.4\r\nMakeBinaries=0\r\n"
    "LineLimit=800\r\nRadiusLimit=7500\r\nRapidoInchMode=0\r\nGraphicDelay=1.5\r\nListColumnWidth1=9\r\n"
    "ListColumnWidth3=1500\r\nListColumnWidth4 =  820.5\r\nListColumnWidth6=abc\r\nOptimizer=Yes\r\n"
    "Mystery Key = kept as is  \r\nthis line is junk\r\n\r\n"
    "[Other Program]\r\nColour=\"blue\"\r\nLeadS=99\r\n\r\n[PTP400]\r\nOrigin=1\r\n"
    "[PTSDATA]\r\nField0=LENGTH\r\nField1= part length \r\nField2= ~ desc 1\r\nField3=A~B\r\n"
    "Field4=END.-\r\nField50=~Description\r\nPath=D:\\SAW\\\r\nName=CUTLIST\r\nUnit=M\r\n"
    "[ToolSubData]\r\nEnabled1=1\r\nTool1=5\r\nToolSub1=105\r\nEnabled2=0\r\nTool2=7\r\nToolSub2=17\r\n";

std::string ToolRows(int first) {
  std::string rows;
  for (int n = first; n <= kToolSubstitutionRows; ++n) {
    const std::string row = std::to_string(n);
    rows += "Enabled" + row + "=0\r\nTool" + row + "=0\r\nToolSub" + row + "=0\r\n";
  }
  return rows;
}

// Everything the program saves: Setup OK and the tool dialog's OK.
void SaveEverything(IniFile& file, const Settings& settings) {
  SaveSetupSettings(file, settings);
  SaveToolSubstitution(file, settings);
}

TEST(SettingsRoundTripTest, HandWrittenCrLfFileComesBackByteForByteAndKeepsItsFormWhenChanged) {
  ScratchDirectory dir("settings-roundtrip");
  const fs::path path = dir / "MQ400.INI";
  const std::string original = kHandWritten + ToolRows(3);
  std::ofstream(path, std::ios::binary) << original;
  IniFileRead read = ReadIniFile(path);
  Settings settings;
  LoadStartupSettings(read.file, settings);
  SaveEverything(read.file, settings);
  ASSERT_EQ(WriteIniFile(path, read.file), "");
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  EXPECT_EQ(bytes.str(), original);
  EXPECT_EQ(Stored(LoadedFrom(bytes.str())), Stored(settings));

  settings.LeadLength = "30";
  settings.AutoStartTemp = false;
  settings.PTSMetric = false;
  settings.ToolSubstitution[2] = {"1", "9", "19"};
  SaveEverything(read.file, settings);
  const std::string text = read.file.Text();
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    ASSERT_EQ(text[at - 1], '\r') << "bare line feed at byte " << at;
  }
  for (const char* line : {"LeadLength = 30\r\n", "AutoStartTemp=False\r\n", "Unit=I\r\n",
                           "Mystery Key = kept as is  \r\nthis line is junk\r\n", "Enabled3=1\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(Stored(LoadedFrom(text)), Stored(settings));
  EXPECT_EQ(LoadedFrom(text).ToolSubstitution[2].Substitute, "19");
}

TEST(SettingsRoundTripTest, ValuesOfTheOtherSectionsLoaded) {
  const Settings s = LoadedFrom(kHandWritten);
  EXPECT_EQ(s.LeadS, 1) << "the key of another section must not be read";
  EXPECT_EQ(s.Optimizer, "Yes");
  EXPECT_EQ(s.Origin, "1");
  EXPECT_EQ(LoadedFrom("").Origin, "") << "a missing origin is not \"0\"";
  // The first columns of the file list keep their designed widths.
  const float widths[] = {0, 0, 0, 1500, 820.5f, 0, 0};
  for (int c = 1; c <= kFileListColumns; ++c) EXPECT_EQ(s.ListColumnWidth[c], widths[c]) << "column " << c;
  EXPECT_EQ(s.PTSPath + s.PTSName + (s.PTSMetric ? "M" : "I"), "D:\\SAW\\CUTLISTM");
  // Field names are upper-cased without blanks; a leading "~" asks for quoting.
  std::string fields;
  for (int c : {0, 1, 2, 3, 4, 50}) fields += (s.PtsFieldQuoted[c] ? "~" : "") + s.PtsFieldNames[c] + "|";
  EXPECT_EQ(fields, "LENGTH|PARTLENGTH|~DESC1|A~B||~DESCRIPTION|");
}

TEST(ToolTableTest, CellsLoadAsTheNumberTextAndADisabledRowStaysOff) {
  // Stored value (nullptr: key missing) -> Enabled|Tool|ToolSub as loaded into the last row.
  const std::pair<const char*, const char*> cases[] = {
      {"1", "1|1|1"},     {"0", "|0|0"},          {nullptr, "|0|0"},      {"abc", "|0|0"}, {"END.-", "|0|0"},
      {"-1", "-1|-1|-1"}, {" 12.0 ", "12|12|12"}, {"7.5", "7.5|7.5|7.5"}, {"5x", "5|5|5"}};
  for (const auto& [stored, loaded] : cases) {
    std::string text = "[ToolSubData]\r\n";
    if (stored != nullptr)
      text += "Enabled20="s + stored + "\r\nTool20=" + stored + "\r\nToolSub20=" + stored;
    const ToolSubstitutionRow row = LoadedFrom(text + "\r\nTool21=21\r\n").ToolSubstitution[19];
    EXPECT_EQ(row.Enabled + "|" + row.Tool + "|" + row.Substitute, loaded) << (stored ? stored : "missing");
  }

  Settings s;
  s.ToolSubstitution[0] = {"", "5", "9"};
  s.ToolSubstitution[1] = {"1", "5", "7"};
  IniFile file;
  SaveToolSubstitution(file, s);
  EXPECT_EQ(ReadIniValue(file, "ToolSubData", "Enabled1"), "0");
  EXPECT_TRUE(file.Get("ToolSubData", "ToolSub20").has_value()) << "every row of the table is stored";
  Settings loaded;
  LoadToolSubstitution(file, loaded);
  bool substituted = false;
  EXPECT_EQ(SubstituteTool(loaded, 5, substituted), "7") << "the stored disabled row must stay off";
}

TEST(PartListSettingsTest, MissingKeysKeepTheSetupValuesAndSetupOkWritesThem) {
  Settings s;
  s.PTSPath = "E:\\KEEP\\";
  s.PTSMetric = true;
  ReadPtsSettings(IniFile::Parse("[PTSDATA]\r\nPath=END.-\r\nUnit=Metric\r\n"), s);
  EXPECT_EQ(s.PTSPath + (s.PTSMetric ? "M" : "I"), "E:\\KEEP\\M");
  ReadPtsSettings(IniFile::Parse("[PTSDATA]\r\nPath=\r\nUnit=\r\n"), s);
  EXPECT_EQ(s.PTSPath + (s.PTSMetric ? "M" : "I"), "I") << "an empty key is a value";

  for (const char* origin : {"", "1", "0", "-1"}) {
    s.Origin = origin;
    IniFile file;
    SaveSetupSettings(file, s);
    EXPECT_EQ(ReadIniValue(file, "PTP400", "Origin"), std::string(origin) == "0" ? "0" : "1") << origin;
    EXPECT_EQ(ReadIniValue(file, "PTSDATA", "Unit"), "I");
    EXPECT_EQ(ReadConfigValue(file, "SawKerf"), "3") << "the main configuration is saved first";
  }
}

TEST(ListColumnWidthTest, AResizedColumnIsWrittenAtOnce) {
  IniFile file = IniFile::Parse("[Configuration]\r\nListColumnWidth4=10\r\n");
  WriteListColumnWidth(file, 4, 12.5f);
  WriteListColumnWidth(file, 5, 900.0f);
  EXPECT_EQ(file.Text(), "[Configuration]\r\nListColumnWidth4=12.5\r\nListColumnWidth5=900\r\n");
}

TEST(SettingsLocationTest, ChoosesTheFile) {
  using enum SettingsLocationRule;
  struct Case {
    SettingsLocationInputs given;  // command line, program directory, writable, windows, APPDATA, XDG, HOME
    const char* expected;
    SettingsLocationRule rule;
  };
  // clang-format off
  const Case cases[] = {
      {{"/etc/mine.ini", "/opt/mq", true, false, "", "", "/home/u"}, "/etc/mine.ini", kCommandLine},
      {{"conf\\MQ400.INI", "/opt/mq", false, false, "", "", ""}, "conf/MQ400.INI", kCommandLine},
      {{"", "/opt/mq", true, false, "/ad", "/xdg", "/home/u"}, "/opt/mq/MQ400.INI", kBesideProgram},
      {{"", "/opt/mq", false, false, "", "/xdg", "/home/u"}, "/xdg/Marquill400/MQ400.INI",
       kUserConfiguration},
      {{"", "/opt/mq", false, false, "", "relative", "/home/u"}, "/home/u/.config/Marquill400/MQ400.INI",
       kUserConfiguration},
      {{"", "/opt/mq", false, true, "/ad", "/xdg", ""}, "/ad/Marquill400/MQ400.INI", kUserConfiguration},
      {{"", "/opt/mq", false, true, "", "", "/home/u"}, "/opt/mq/MQ400.INI", kBesideProgram},
      {{"", "/opt/mq", false, false, "", "", ""}, "/opt/mq/MQ400.INI", kBesideProgram}};
  // clang-format on
  for (const Case& c : cases) {
    const SettingsLocation location = ResolveSettingsLocation(c.given);
    EXPECT_EQ(location.path, fs::path(c.expected)) << c.expected;
    EXPECT_EQ(location.rule, c.rule) << c.expected;
  }

  ScratchDirectory program("settings-location");
  EXPECT_TRUE(IsWritableDirectory(program.path()));
  EXPECT_TRUE(fs::is_empty(program.path())) << "the probe leaves nothing behind";
  EXPECT_FALSE(IsWritableDirectory(program / "missing"));
  // An existing file whose name differs in case is used as it is.
  std::ofstream(program / "mq400.ini") << "[Configuration]\n";
  EXPECT_EQ(ResolveSettingsLocation({"", program.path(), true, false, "", "", ""}).path,
            program / "mq400.ini");
}

}  // namespace
}  // namespace mq
