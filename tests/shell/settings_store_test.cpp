#include "shell/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

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

std::string ConfigWith(const std::string& key, const std::string& value) {
  return "[Configuration]\r\n" + key + "=" + value + "\r\n";
}

// ---- first start ----

TEST(SettingsLoadTest, FirstStartWithoutFileShowsTheDefaults) {
  // Start from values a previous load could have left, so that every one must be
  // replaced by what an empty file gives.
  Settings settings;
  settings.FormState = -1;
  settings.LeadS = 1;
  settings.LeadLength = "25.00";
  settings.PrecisionMetric = "4";
  settings.PrecisionInch = "5";
  settings.Metric = "Inch";
  settings.SawKerf = "4";
  settings.LineLimit = "900";
  settings.GraphicDelay = "2";
  settings.AutoStartTemp = true;
  settings.AutoStartBatch = true;
  settings.Optimizer = "x";
  IniFile nothing;
  LoadOrSaveSettings(kLoadSettings, nothing, settings);

  EXPECT_EQ(settings.PrecisionMetric, "2");
  EXPECT_EQ(settings.PrecisionInch, "3");
  EXPECT_EQ(settings.SawKerf, "3");
  EXPECT_EQ(settings.LineLimit, "600");
  EXPECT_EQ(settings.GraphicDelay, ".5");
  EXPECT_FALSE(settings.AutoStartTemp);
  EXPECT_FALSE(settings.AutoStartBatch);
  EXPECT_EQ(settings.Metric, "");
  EXPECT_EQ(settings.FormState, 0);
  EXPECT_EQ(settings.LeadS, 0);
  EXPECT_EQ(settings.LeadLength, "");
  EXPECT_EQ(settings.Optimizer, "");
  EXPECT_EQ(nothing.Text(), "") << "loading must not write";
}

// ---- load rules ----

struct RuleCase {
  const char* key;
  const char* stored;
  const char* loaded;
};

std::string LoadedText(const Settings& s, const std::string& key) {
  if (key == "SawKerf") return s.SawKerf;
  if (key == "LineLimit") return s.LineLimit;
  if (key == "GraphicDelay") return s.GraphicDelay;
  if (key == "PrecisionMetric") return s.PrecisionMetric;
  if (key == "PrecisionInch") return s.PrecisionInch;
  if (key == "RadiusLimit") return s.RadiusLimit;
  return "?";
}

class LoadRuleTest : public testing::TestWithParam<RuleCase> {};

TEST_P(LoadRuleTest, GivesTheLoadedText) {
  const RuleCase& c = GetParam();
  EXPECT_EQ(LoadedText(LoadedFrom(ConfigWith(c.key, c.stored)), c.key), c.loaded) << c.key << "=" << c.stored;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadRuleTest,
    testing::Values(RuleCase{"SawKerf", "25", "20"}, RuleCase{"SawKerf", "20.5", "20"},
                    RuleCase{"SawKerf", "20", "20"}, RuleCase{"SawKerf", "12.5", "12.5"},
                    RuleCase{"SawKerf", "3", "3"}, RuleCase{"SawKerf", "2.9", "3"},
                    RuleCase{"SawKerf", "abc", "3"}, RuleCase{"SawKerf", "", "3"},
                    RuleCase{"LineLimit", "150", "600"}, RuleCase{"LineLimit", "199.9", "600"},
                    RuleCase{"LineLimit", "200", "200"}, RuleCase{"LineLimit", "5000", "5000"},
                    RuleCase{"LineLimit", "", "600"}, RuleCase{"GraphicDelay", "0", ".5"},
                    RuleCase{"GraphicDelay", "0.0", ".5"}, RuleCase{"GraphicDelay", "", ".5"},
                    RuleCase{"GraphicDelay", "abc", ".5"}, RuleCase{"GraphicDelay", "2", "2"},
                    RuleCase{"GraphicDelay", "1.25", "1.25"},
                    // Precision texts are kept as read; what a non-number means is
                    // decided where the precision is used.
                    RuleCase{"PrecisionMetric", "", "2"}, RuleCase{"PrecisionMetric", "4", "4"},
                    RuleCase{"PrecisionMetric", "abc", "abc"}, RuleCase{"PrecisionMetric", "-1", "-1"},
                    RuleCase{"PrecisionInch", "", "3"}, RuleCase{"PrecisionInch", "0", "0"},
                    RuleCase{"RadiusLimit", "7500", "7500"}, RuleCase{"RadiusLimit", "", ""}));

struct ValueCase {
  const char* stored;
  int loaded;
};

class FlagLoadTest : public testing::TestWithParam<ValueCase> {};

TEST_P(FlagLoadTest, CheckBoxIsCheckedForAnyNonZeroNumber) {
  const ValueCase& c = GetParam();
  for (const char* key : {"LeadS", "CornerComp", "DirectorySystem", "TipsEnable", "RapidoInchMode"}) {
    const Settings s = LoadedFrom(ConfigWith(key, c.stored));
    const int value = std::string(key) == "LeadS"             ? s.LeadS
                      : std::string(key) == "CornerComp"      ? s.CornerComp
                      : std::string(key) == "DirectorySystem" ? s.DirectorySystem
                      : std::string(key) == "TipsEnable"      ? s.TipsEnable
                                                              : s.RapidoInchMode;
    EXPECT_EQ(value, c.loaded) << key << "=" << c.stored;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, FlagLoadTest,
                         testing::Values(ValueCase{"1", 1}, ValueCase{"0", 0}, ValueCase{"", 0},
                                         ValueCase{"abc", 0}, ValueCase{"-1", 1}, ValueCase{"2", 1},
                                         ValueCase{"1abc", 1}));

class FormStateLoadTest : public testing::TestWithParam<ValueCase> {};

TEST_P(FormStateLoadTest, IsTrueOrFalse) {
  EXPECT_EQ(LoadedFrom(ConfigWith("FormState", GetParam().stored)).FormState, GetParam().loaded);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormStateLoadTest,
                         testing::Values(ValueCase{"-1", -1}, ValueCase{"0", 0}, ValueCase{"", 0},
                                         ValueCase{"1", -1}, ValueCase{"x", 0}));

struct OptionCase {
  const char* stored;
  bool set;
};

class AutoStartLoadTest : public testing::TestWithParam<OptionCase> {};

TEST_P(AutoStartLoadTest, OnlyTheExactTextTrueSetsTheOption) {
  const OptionCase& c = GetParam();
  EXPECT_EQ(LoadedFrom(ConfigWith("AutoStartTemp", c.stored)).AutoStartTemp, c.set) << c.stored;
  EXPECT_EQ(LoadedFrom(ConfigWith("AutoStartBatch", c.stored)).AutoStartBatch, c.set) << c.stored;
}

INSTANTIATE_TEST_SUITE_P(Cases, AutoStartLoadTest,
                         testing::Values(OptionCase{"True", true}, OptionCase{"true", false},
                                         OptionCase{"TRUE", false}, OptionCase{"1", false},
                                         OptionCase{"-1", false}, OptionCase{"False", false},
                                         OptionCase{"", false},
                                         // The reader drops the blanks around a value.
                                         OptionCase{"  True  ", true}));

TEST(SettingsLoadTest, TextsAreLoadedAsReadAndLongValuesWhole) {
  const std::string long_path = "C:\\" + std::string(120, 'D') + "\\";
  const Settings s = LoadedFrom("[CONFIGURATION]\r\nDXFPath=" + long_path +
                                "\r\nLeadLength=25.00\r\nMetric=Inch\r\nOffsetZ=-1.5\r\nOptimizer=On\r\n");
  EXPECT_EQ(s.DXFPath, long_path);
  EXPECT_EQ(s.LeadLength, "25.00");
  EXPECT_EQ(s.Metric, "Inch");
  EXPECT_EQ(s.OffsetZ, "-1.5");
  EXPECT_EQ(s.Optimizer, "On");
}

// ---- one key ----

TEST(ReadIniValueTest, SentinelAndMissingKeysReadEmpty) {
  const IniFile file = IniFile::Parse("[A]\nsentinel=END.-\nlonger=END.-x\nempty=\nnul=ab\0cd\n"s);
  EXPECT_EQ(ReadIniValue(file, "A", "sentinel"), "");
  EXPECT_EQ(ReadIniValue(file, "A", "longer"), "END.-x");
  EXPECT_EQ(ReadIniValue(file, "A", "empty"), "");
  EXPECT_EQ(ReadIniValue(file, "A", "missing"), "");
  EXPECT_EQ(ReadIniValue(file, "B", "sentinel"), "");
  EXPECT_EQ(ReadIniValue(file, "A", "nul"), "ab");
  EXPECT_EQ(LoadedFrom(ConfigWith("LeadLength", "END.-")).LeadLength, "");
}

TEST(WriteConfigValueTest, WritesSectionConFigurationOnce) {
  IniFile file;
  WriteConfigValue(file, "LeadS", "1");
  WriteConfigValue(file, "LeadLength", "25");
  EXPECT_EQ(file.Text(), "[ConFiguration]\r\nLeadS=1\r\nLeadLength=25\r\n");
  EXPECT_EQ(ReadConfigValue(file, "leadlength"), "25");
}

// ---- saving ----

TEST(SettingsSaveTest, NewFileHoldsEveryKeyInTheTableOrderInItsStoredForm) {
  Settings s;
  s.FormState = -1;
  s.DXFPath = "C:\\DXF\\";
  s.LeadS = 1;
  s.AutoStartTemp = true;
  s.TipsEnable = 1;
  s.LineLimit = "800";
  IniFile file;
  LoadOrSaveSettings(kSaveSettings, file, s);
  const std::vector<std::string> lines = {"[ConFiguration]",
                                          "FormState=-1",
                                          "DXFPath=C:\\DXF\\",
                                          "DestinationPath=",
                                          "DirectorySystem=0",
                                          "LeadS=1",
                                          "LeadRampIn=0",
                                          "LeadRampOut=0",
                                          "RemoveBorderRoute=0",
                                          "CornerComp=0",
                                          "LeadLength=",
                                          "LeadRampHeight=",
                                          "PrecisionMetric=2",
                                          "PrecisionInch=3",
                                          "Metric=",
                                          "OffsetX=",
                                          "OffsetY=",
                                          "OffsetZ=",
                                          "AutoStartTemp=True",
                                          "AutoStartBatch=False",
                                          "GraphicAfterAuto=0",
                                          "GraphicAfterMan=0",
                                          "PauseForMessages=0",
                                          "TipsEnable=1",
                                          "SawKerf=3",
                                          "MakeBinaries=0",
                                          "LineLimit=800",
                                          "RadiusLimit=",
                                          "RapidoInchMode=0",
                                          "GraphicDelay=.5"};
  std::string expected;
  for (const std::string& line : lines) expected += line + "\r\n";
  EXPECT_EQ(file.Text(), expected);
}

TEST(SettingsSaveTest, AnyModeOtherThanZeroSaves) {
  Settings s;
  s.LeadLength = "12";
  IniFile file;
  LoadOrSaveSettings(7, file, s);
  EXPECT_EQ(ReadConfigValue(file, "LeadLength"), "12");
}

// A file written by hand on a Windows install: CRLF line ends, the section under
// another spelling, spacing of its own, comments, junk, foreign keys and sections.
const std::string kHandWritten =
    "; Marquill400 settings\r\n"
    "[Configuration]\r\n"
    "FormState=-1\r\n"
    "DXFPath=C:\\CAD\\DXF\\\r\n"
    "DestinationPath=C:\\400V80\\PROGS\\\r\n"
    "DirectorySystem=1\r\n"
    "LeadS=1\r\n"
    "LeadRampIn=1\r\n"
    "LeadRampOut=0\r\n"
    "RemoveBorderRoute=1\r\n"
    "CornerComp=1\r\n"
    "LeadLength = 25.00\r\n"
    "LeadRampHeight=10.00\r\n"
    "PrecisionMetric=2\r\n"
    "PrecisionInch=4\r\n"
    "Metric=Metric\r\n"
    "OffsetX=0.00\r\n"
    "OffsetY=-12.5\r\n"
    "OffsetZ=0.00\r\n"
    "AutoStartTemp=True\r\n"
    "AutoStartBatch=False\r\n"
    "GraphicAfterAuto=1\r\n"
    "GraphicAfterMan=0\r\n"
    "PauseForMessages=1\r\n"
    "TipsEnable=1\r\n"
    "SawKerf=4.4\r\n"
    "MakeBinaries=0\r\n"
    "LineLimit=800\r\n"
    "RadiusLimit=7500\r\n"
    "RapidoInchMode=0\r\n"
    "GraphicDelay=1.5\r\n"
    "ListColumnWidth3=1500\r\n"
    "ListColumnWidth4 =  820.5\r\n"
    "Optimizer=Yes\r\n"
    "Mystery Key = kept as is  \r\n"
    "this line is junk\r\n"
    "\r\n"
    "[Other Program]\r\n"
    "Colour=\"blue\"\r\n"
    "LeadS=99\r\n"
    "\r\n"
    "[PTP400]\r\n"
    "Origin=1\r\n"
    "[PTSDATA]\r\n"
    "Field1=LENGTH\r\n"
    "Field2= width\r\n"
    "Field3=~Description\r\n"
    "Path=D:\\SAW\\\r\n"
    "Name=CUTLIST\r\n"
    "Unit=M\r\n"
    "[ToolSubData]\r\n"
    "Enabled1=1\r\n"
    "Tool1=5\r\n"
    "ToolSub1=105\r\n"
    "Enabled2=0\r\n"
    "Tool2=7\r\n"
    "ToolSub2=17\r\n";

std::string ToolRows(int first) {
  std::string rows;
  for (int n = first; n <= kToolSubstitutionRows; ++n) {
    rows += "Enabled" + std::to_string(n) + "=0\r\nTool" + std::to_string(n) + "=0\r\nToolSub" +
            std::to_string(n) + "=0\r\n";
  }
  return rows;
}

// Everything the program saves: Setup OK and the tool dialog's OK.
void SaveEverything(IniFile& file, const Settings& settings) {
  SaveSetupSettings(file, settings);
  SaveToolSubstitution(file, settings);
}

TEST(SettingsRoundTripTest, HandWrittenCrLfFileComesBackByteForByte) {
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

  Settings again;
  LoadStartupSettings(ReadIniFile(path).file, again);
  EXPECT_EQ(ConfigurationValues(again).size(), ConfigurationValues(settings).size());
  for (std::size_t i = 0; i < ConfigurationValues(settings).size(); ++i) {
    EXPECT_EQ(ConfigurationValues(again)[i].value, ConfigurationValues(settings)[i].value)
        << ConfigurationValues(settings)[i].key;
  }
}

TEST(SettingsRoundTripTest, LoadedValuesOfTheHandWrittenFile) {
  const Settings s = LoadedFrom(kHandWritten);
  EXPECT_EQ(s.FormState, -1);
  EXPECT_EQ(s.DXFPath, "C:\\CAD\\DXF\\");
  EXPECT_EQ(s.LeadLength, "25.00");
  EXPECT_EQ(s.PrecisionInch, "4");
  EXPECT_EQ(s.OffsetY, "-12.5");
  EXPECT_TRUE(s.AutoStartTemp);
  EXPECT_FALSE(s.AutoStartBatch);
  EXPECT_EQ(s.SawKerf, "4.4");
  EXPECT_EQ(s.GraphicDelay, "1.5");
  EXPECT_EQ(s.LeadS, 1) << "the key of another section must not be read";
  EXPECT_FLOAT_EQ(s.ListColumnWidth[3], 1500.0f);
  EXPECT_FLOAT_EQ(s.ListColumnWidth[4], 820.5f);
  EXPECT_EQ(s.Optimizer, "Yes");
  EXPECT_EQ(s.Origin, "1");
  EXPECT_EQ(s.PTSPath, "D:\\SAW\\");
  EXPECT_EQ(s.PTSName, "CUTLIST");
  EXPECT_TRUE(s.PTSMetric);
  EXPECT_EQ(s.PtsFieldNames[2], "WIDTH");
  EXPECT_TRUE(s.PtsFieldQuoted[3]);
  EXPECT_EQ(s.ToolSubstitution[0].Enabled, "1");
  EXPECT_EQ(s.ToolSubstitution[0].Substitute, "105");
  EXPECT_EQ(s.ToolSubstitution[1].Enabled, "");
}

TEST(SettingsRoundTripTest, ChangedValuesKeepForeignLinesAndCrLf) {
  const std::string original = kHandWritten + ToolRows(3);
  IniFile file = IniFile::Parse(original);
  Settings settings;
  LoadStartupSettings(file, settings);
  settings.LeadLength = "30";
  settings.AutoStartTemp = false;
  settings.CornerComp = 0;
  settings.PTSMetric = false;
  settings.ToolSubstitution[2] = {"1", "9", "19"};
  SaveEverything(file, settings);
  const std::string text = file.Text();

  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << "bare line feed at byte " << at;
  }
  for (const char* foreign : {"; Marquill400 settings\r\n", "ListColumnWidth4 =  820.5\r\n",
                              "Optimizer=Yes\r\n", "Mystery Key = kept as is  \r\n", "this line is junk\r\n",
                              "\r\n[Other Program]\r\nColour=\"blue\"\r\nLeadS=99\r\n\r\n[PTP400]\r\n",
                              "Field2= width\r\nField3=~Description\r\n"}) {
    EXPECT_NE(text.find(foreign), std::string::npos) << foreign;
  }
  EXPECT_NE(text.find("LeadLength = 30\r\n"), std::string::npos);
  EXPECT_NE(text.find("AutoStartTemp=False\r\n"), std::string::npos);
  EXPECT_NE(text.find("Unit=I\r\n"), std::string::npos);

  const Settings again = LoadedFrom(text);
  EXPECT_EQ(again.LeadLength, "30");
  EXPECT_FALSE(again.AutoStartTemp);
  EXPECT_EQ(again.CornerComp, 0);
  EXPECT_FALSE(again.PTSMetric);
  EXPECT_EQ(again.ToolSubstitution[2].Tool, "9");
  EXPECT_EQ(again.ToolSubstitution[2].Substitute, "19");
  EXPECT_EQ(again.ToolSubstitution[2].Enabled, "1");
}

// ---- tool table ----

struct ToolCellCase {
  const char* stored;  // nullptr: key missing
  const char* enabled;
  const char* number;
};

class ToolTableLoadTest : public testing::TestWithParam<ToolCellCase> {};

TEST_P(ToolTableLoadTest, CellsHoldTheNumberTextOfTheStoredValue) {
  const ToolCellCase& c = GetParam();
  std::string text = "[ToolSubData]\r\n";
  if (c.stored != nullptr) {
    for (const char* key : {"Enabled4", "Tool4", "ToolSub4"})
      text += std::string(key) + "=" + c.stored + "\r\n";
  }
  const ToolSubstitutionRow row = LoadedFrom(text).ToolSubstitution[3];
  EXPECT_EQ(row.Enabled, c.enabled);
  EXPECT_EQ(row.Tool, c.number);
  EXPECT_EQ(row.Substitute, c.number);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolTableLoadTest,
                         testing::Values(ToolCellCase{"1", "1", "1"}, ToolCellCase{"0", "", "0"},
                                         ToolCellCase{nullptr, "", "0"}, ToolCellCase{"", "", "0"},
                                         ToolCellCase{"abc", "", "0"}, ToolCellCase{"END.-", "", "0"},
                                         ToolCellCase{"-1", "-1", "-1"}, ToolCellCase{"12", "12", "12"},
                                         ToolCellCase{" 12.0 ", "12", "12"},
                                         ToolCellCase{"7.5", "7.5", "7.5"}, ToolCellCase{"5x", "5", "5"}));

TEST(ToolTableTest, LastRowLoadedAndRowsBeyondTheTableIgnored) {
  const Settings s = LoadedFrom("[ToolSubData]\r\nTool20=20\r\nTool21=21\r\n");
  EXPECT_EQ(s.ToolSubstitution[kToolSubstitutionRows - 1].Tool, "20");
}

TEST(ToolTableTest, DisabledRowStoredAsZeroAndLoadedAsOff) {
  Settings s;
  s.ToolSubstitution[0] = {"", "5", "9"};
  s.ToolSubstitution[1] = {"1", "5", "7"};
  IniFile file;
  SaveToolSubstitution(file, s);
  EXPECT_EQ(ReadIniValue(file, "ToolSubData", "Enabled1"), "0");
  EXPECT_EQ(ReadIniValue(file, "ToolSubData", "Enabled2"), "1");
  EXPECT_TRUE(file.Get("ToolSubData", "ToolSub20").has_value()) << "every row of the table is stored";
  EXPECT_FALSE(file.Get("ToolSubData", "Tool21").has_value());

  Settings loaded;
  LoadToolSubstitution(file, loaded);
  bool substituted = false;
  EXPECT_EQ(SubstituteTool(loaded, 5, substituted), "7") << "the stored disabled row must stay off";
  EXPECT_TRUE(substituted);
}

// ---- part list ----

struct FieldCase {
  const char* stored;  // nullptr: key missing
  const char* name;
  bool quoted;
};

class PtsFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(PtsFieldTest, NameIsUpperCasedWithoutBlanksAndTildeMarksQuoting) {
  const FieldCase& c = GetParam();
  for (int column : {0, 1, 50}) {
    Settings s;
    s.PtsFieldNames[static_cast<std::size_t>(column)] = "OLD";
    s.PtsFieldQuoted[static_cast<std::size_t>(column)] = true;
    std::string text = "[PTSDATA]\r\n";
    if (c.stored != nullptr) text += "Field" + std::to_string(column) + "=" + c.stored + "\r\n";
    ReadPtsSettings(IniFile::Parse(text), s);
    EXPECT_EQ(s.PtsFieldNames[static_cast<std::size_t>(column)], c.name) << column;
    EXPECT_EQ(s.PtsFieldQuoted[static_cast<std::size_t>(column)], c.quoted) << column;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PtsFieldTest,
                         testing::Values(FieldCase{"LENGTH", "LENGTH", false},
                                         FieldCase{" part length ", "PARTLENGTH", false},
                                         FieldCase{"~Description", "DESCRIPTION", true},
                                         FieldCase{" ~ desc 1", "DESC1", true},
                                         FieldCase{"A~B", "A~B", false}, FieldCase{nullptr, "", false},
                                         FieldCase{"END.-", "", false}));

struct PtsKeysCase {
  const char* text;
  const char* path;
  const char* name;
  bool metric;
};

class PtsKeysTest : public testing::TestWithParam<PtsKeysCase> {};

TEST_P(PtsKeysTest, MissingKeysKeepTheSetupValues) {
  const PtsKeysCase& c = GetParam();
  Settings s;
  s.PTSPath = "E:\\KEEP\\";
  s.PTSName = "KEEP";
  s.PTSMetric = true;
  ReadPtsSettings(IniFile::Parse(std::string("[PTSDATA]\r\n") + c.text), s);
  EXPECT_EQ(s.PTSPath, c.path);
  EXPECT_EQ(s.PTSName, c.name);
  EXPECT_EQ(s.PTSMetric, c.metric);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PtsKeysTest,
    testing::Values(PtsKeysCase{"", "E:\\KEEP\\", "KEEP", true},
                    PtsKeysCase{"Path=END.-\r\nName=END.-\r\nUnit=END.-\r\n", "E:\\KEEP\\", "KEEP", true},
                    PtsKeysCase{"Path=C:\\SAW\\\r\nName=JOB\r\nUnit=I\r\n", "C:\\SAW\\", "JOB", false},
                    PtsKeysCase{"Path=\r\nName=\r\nUnit=\r\n", "", "", false},
                    PtsKeysCase{"Unit=m\r\n", "E:\\KEEP\\", "KEEP", true},
                    PtsKeysCase{"Unit=Metric\r\n", "E:\\KEEP\\", "KEEP", true},
                    PtsKeysCase{"Unit=Inch\r\n", "E:\\KEEP\\", "KEEP", false}));

// ---- origin and what Setup OK writes ----

TEST(SetupSaveTest, OriginAndPartListKeys) {
  struct Case {
    const char* origin;
    const char* stored;
  };
  for (const Case& c : {Case{"", "1"}, Case{"1", "1"}, Case{"0", "0"}, Case{"-1", "1"}}) {
    Settings s;
    s.Origin = c.origin;
    s.PTSPath = "C:\\SAW\\";
    s.PTSName = "JOB";
    s.PTSMetric = true;
    IniFile file;
    SaveSetupSettings(file, s);
    EXPECT_EQ(ReadIniValue(file, "PTP400", "Origin"), c.stored) << "origin " << c.origin;
    EXPECT_EQ(ReadIniValue(file, "PTSDATA", "Path"), "C:\\SAW\\");
    EXPECT_EQ(ReadIniValue(file, "PTSDATA", "Name"), "JOB");
    EXPECT_EQ(ReadIniValue(file, "PTSDATA", "Unit"), "M");
    EXPECT_EQ(ReadConfigValue(file, "SawKerf"), "3") << "the main configuration is saved first";
  }
}

TEST(OriginLoadTest, MissingOriginReadsEmptyWhichIsNotZero) {
  EXPECT_EQ(LoadedFrom("").Origin, "");
  EXPECT_EQ(LoadedFrom("[PTP400]\r\nOrigin=0\r\n").Origin, "0");
  EXPECT_EQ(LoadedFrom("[ptp400]\r\norigin=1\r\n").Origin, "1");
}

// ---- column widths ----

TEST(ListColumnWidthTest, ColumnsThreeToSixRestoredAndAWidthWrittenAtOnce) {
  const Settings s = LoadedFrom(
      "[Configuration]\r\nListColumnWidth1=9\r\nListColumnWidth3=1500\r\nListColumnWidth6=abc\r\n");
  EXPECT_EQ(s.ListColumnWidth[1], 0.0f) << "the first columns keep their designed widths";
  EXPECT_EQ(s.ListColumnWidth[3], 1500.0f);
  EXPECT_EQ(s.ListColumnWidth[5], 0.0f);
  EXPECT_EQ(s.ListColumnWidth[6], 0.0f);

  IniFile file = IniFile::Parse("[Configuration]\r\nListColumnWidth4=10\r\n");
  WriteListColumnWidth(file, 4, 12.5f);
  WriteListColumnWidth(file, 5, 900.0f);
  EXPECT_EQ(file.Text(), "[Configuration]\r\nListColumnWidth4=12.5\r\nListColumnWidth5=900\r\n");
}

// ---- location ----

struct LocationCase {
  const char* name;
  std::function<void(SettingsLocationInputs&, const fs::path& root)> given;
  std::function<fs::path(const fs::path& root)> expected;
  SettingsLocationRule rule;
};

class SettingsLocationTest : public testing::TestWithParam<LocationCase> {};

TEST_P(SettingsLocationTest, ChoosesTheFile) {
  ScratchDirectory root("settings-location");
  fs::create_directory(root / "program");
  SettingsLocationInputs inputs;
  inputs.program_directory = root / "program";
  GetParam().given(inputs, root.path());
  const SettingsLocation location = ResolveSettingsLocation(inputs);
  EXPECT_EQ(location.path, GetParam().expected(root.path()));
  EXPECT_EQ(location.rule, GetParam().rule);
}

const fs::path kIni = "MQ400.INI";

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsLocationTest,
    testing::Values(
        LocationCase{"CommandLineWins",
                     [](SettingsLocationInputs& in, const fs::path& root) {
                       in.command_line_file = (root / "mine.ini").string();
                       in.program_directory_writable = true;
                       in.home = "/home/op";
                     },
                     [](const fs::path& root) { return root / "mine.ini"; },
                     SettingsLocationRule::kCommandLine},
        LocationCase{"WritableProgramDirectory",
                     [](SettingsLocationInputs& in, const fs::path&) {
                       in.program_directory_writable = true;
                       in.home = "/home/op";
                       in.appdata = "/appdata";
                     },
                     [](const fs::path& root) { return root / "program" / kIni; },
                     SettingsLocationRule::kBesideProgram},
        LocationCase{"XdgConfigHome",
                     [](SettingsLocationInputs& in, const fs::path&) {
                       in.xdg_config_home = "/xdg";
                       in.home = "/home/op";
                     },
                     [](const fs::path&) { return fs::path("/xdg") / "Marquill400" / kIni; },
                     SettingsLocationRule::kUserConfiguration},
        LocationCase{"RelativeXdgIgnored",
                     [](SettingsLocationInputs& in, const fs::path&) {
                       in.xdg_config_home = "relative";
                       in.home = "/home/op";
                     },
                     [](const fs::path&) { return fs::path("/home/op") / ".config" / "Marquill400" / kIni; },
                     SettingsLocationRule::kUserConfiguration},
        LocationCase{"HomeConfig", [](SettingsLocationInputs& in, const fs::path&) { in.home = "/home/op"; },
                     [](const fs::path&) { return fs::path("/home/op") / ".config" / "Marquill400" / kIni; },
                     SettingsLocationRule::kUserConfiguration},
        LocationCase{"WindowsAppData",
                     [](SettingsLocationInputs& in, const fs::path&) {
                       in.windows = true;
                       in.appdata = "/appdata";
                       in.xdg_config_home = "/xdg";
                     },
                     [](const fs::path&) { return fs::path("/appdata") / "Marquill400" / kIni; },
                     SettingsLocationRule::kUserConfiguration},
        LocationCase{"WindowsWithoutAppData",
                     [](SettingsLocationInputs& in, const fs::path&) {
                       in.windows = true;
                       in.home = "/home/op";
                     },
                     [](const fs::path& root) { return root / "program" / kIni; },
                     SettingsLocationRule::kBesideProgram},
        LocationCase{"NoUserDirectory", [](SettingsLocationInputs&, const fs::path&) {},
                     [](const fs::path& root) { return root / "program" / kIni; },
                     SettingsLocationRule::kBesideProgram},
        LocationCase{"ExistingFileOfOtherCase",
                     [](SettingsLocationInputs& in, const fs::path& root) {
                       std::ofstream(root / "program" / "mq400.ini") << "[Configuration]\n";
                       in.program_directory_writable = true;
                     },
                     [](const fs::path& root) { return root / "program" / "mq400.ini"; },
                     SettingsLocationRule::kBesideProgram}),
    [](const testing::TestParamInfo<LocationCase>& p) { return std::string(p.param.name); });

TEST(SettingsLocationTest, CommandLineBackslashesAreSeparators) {
  SettingsLocationInputs inputs;
  inputs.command_line_file = "conf\\MQ400.INI";
  EXPECT_EQ(ResolveSettingsLocation(inputs).path, fs::path("conf") / "MQ400.INI");
}

TEST(SettingsLocationTest, WritableDirectoryProbeLeavesNothingBehind) {
  ScratchDirectory dir("settings-writable");
  EXPECT_TRUE(IsWritableDirectory(dir.path()));
  EXPECT_TRUE(fs::is_empty(dir.path()));
  EXPECT_FALSE(IsWritableDirectory(dir / "missing"));
}

}  // namespace
}  // namespace mq
