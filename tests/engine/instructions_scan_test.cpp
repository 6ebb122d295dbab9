// The statements of the instruction layer and what each sets for the drawing.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/driver_harness.h"
#include "engine/instructions.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;

// The drawing's instructions read into a fresh state, as phase 2 reads them.
struct Scanned {
  Drawing d;
  explicit Scanned(const std::vector<std::string>& statements, DxfBuilder dxf = DxfBuilder())
      : d(test::WithInstructions(std::move(dxf), statements)) {
    d.state.OutputPath = "PART";
    ScanInstructions(d.c);
  }
  const ConversionState& s() const { return d.state; }
};

TEST(InstructionStatement, KeywordEndsAtTheFirstBlankOrAnEarlierEquals) {
  struct Case {
    const char* text;
    const char* keyword;
    const char* rest;
    const char* value;
  };
  const Case cases[] = {
      {"  LEAD ON 30", "LEAD", "ON 30", "ON 30"},
      {"lead=off", "LEAD", "off", "off"},
      {"LEAD = 30", "LEAD", "= 30", " 30"},
      {"NOARCSUB", "NOARCSUB", "", ""},
      {"DESCR=DOOR W=600", "DESCR", "DOOR W=600", "DOOR W=600"},
      {"RampIn()=ON", "RAMPIN()", "ON", "ON"},
      {"", "", "", ""},
  };
  for (const Case& k : cases) {
    const InstructionStatement st = ParseInstruction(k.text);
    EXPECT_EQ(st.keyword, k.keyword) << k.text;
    EXPECT_EQ(st.rest, k.rest) << k.text;
    EXPECT_EQ(st.Value(), k.value) << k.text;
  }
  const InstructionStatement pair = ParseInstruction("LAYER=ROUTE1=ROUTE T3");
  EXPECT_EQ(pair.Name(), "ROUTE1");
  EXPECT_EQ(pair.PairValue(), "ROUTE T3");
}

TEST(LeadInstruction, EveryFormSetsItsPart) {
  struct Case {
    const char* statement;
    TriState lead;
    float length;
  };
  const Case cases[] = {
      {"LEAD ON 30", kStatedOn, 30}, {"LEAD 30", kNotStated, 30}, {"LEAD ON", kStatedOn, 0},
      {"LEAD OFF", kStatedOff, 0},   {"LEAD=OFF", kStatedOff, 0}, {"LEADS -12.5", kNotStated, 12.5f},
      {"lead on 0", kStatedOn, 0},   {"LEAD ON X", kStatedOn, 0}, {"LEAD =  ON   25", kStatedOn, 25},
      {"LEAD", kNotStated, 0},
  };
  for (const Case& k : cases) {
    Scanned scan({k.statement});
    EXPECT_EQ(scan.s().LeadStatement, k.lead) << k.statement;
    EXPECT_EQ(scan.s().LeadLengthStated, k.length) << k.statement;
  }
}

TEST(VariableInstruction, OnlyNamesTheControlAcceptsAreKept) {
  Scanned scan(
      {"VAR H=1", "VAR @=2", "VAR I = 3", "VARIABLE A=4 5", "var g1=X Y", "VAR HA=6", "VAR B", "VAR=C=7"});
  const auto& vars = scan.s().ProgramVariables;
  ASSERT_EQ(vars.size(), 4);
  EXPECT_EQ(vars[1], (std::pair<std::string, std::string>{"I", "3"}));
  EXPECT_EQ(vars[2], (std::pair<std::string, std::string>{"A", "45"}));
  EXPECT_EQ(vars[3], (std::pair<std::string, std::string>{"G1", "xy"}));
  EXPECT_EQ(vars[4], (std::pair<std::string, std::string>{"C", "7"}));
  EXPECT_TRUE(scan.s().VariablesPresent);
}

TEST(VariableInstruction, RefusedNamesLeaveTheVariablesOff) {
  Scanned scan({"VAR H=1", "VAR @=2"});
  EXPECT_TRUE(scan.s().ProgramVariables.empty());
  EXPECT_FALSE(scan.s().VariablesPresent);
  EXPECT_TRUE(scan.s().PlacedNotes.empty()) << "a refused variable is no note";
}

TEST(SwitchInstructions, OnlyOnOrOffChangeThem) {
  struct Case {
    std::vector<std::string> statements;
    TriState expected;
  };
  const Case cases[] = {
      {{"REMBORDER ON"}, kStatedOn},
      {{"REMBORDER=OFF"}, kStatedOff},
      {{"REMBORDER O N"}, kStatedOn},
      {{"REMBORDER YES"}, kNotStated},
      {{"REMBORDER ON", "REMBORDER MAYBE"}, kStatedOn},
      {{"REMBORDER"}, kNotStated},
      {{"remborder off"}, kStatedOff},
  };
  for (const Case& k : cases) {
    Scanned scan(k.statements);
    EXPECT_EQ(scan.s().RemoveBorderStatement, k.expected) << k.statements.back();
    EXPECT_TRUE(scan.s().PlacedNotes.empty());
  }
  Scanned others({"RampIn() ON", "RAMPOUT()=OFF", "CornerComp on"});
  EXPECT_EQ(others.s().RampInStatement, kStatedOn);
  EXPECT_EQ(others.s().RampOutStatement, kStatedOff);
  EXPECT_EQ(others.s().CornerCompMode, kStatedOn);
}

TEST(NameInstruction, RenamesTheProgramAndSaysSo) {
  Scanned scan({"NAME = P 12"});
  EXPECT_EQ(scan.s().OutputPath, "P12");
  EXPECT_EQ(scan.d.Messages(), (std::vector<std::string>{"P12  Assigned in drawing"}));
}

TEST(NameInstruction, AnEmptyNameKeepsTheProgramName) {
  Scanned scan({"NAME="});
  EXPECT_EQ(scan.s().OutputPath, "PART");
  EXPECT_TRUE(scan.d.Messages().empty());
}

TEST(NoCodeInstruction, BothSpellingsTurnCodeOffAndOthersDoNot) {
  EXPECT_TRUE(Scanned({"NOCODE"}).s().NoCodeFlag);
  EXPECT_TRUE(Scanned({"NO CODE"}).s().NoCodeFlag);
  EXPECT_TRUE(Scanned({"No  Code please"}).s().NoCodeFlag);
  EXPECT_FALSE(Scanned({"NO"}).s().NoCodeFlag);
  EXPECT_FALSE(Scanned({"NO ARCS"}).s().NoCodeFlag);
  EXPECT_TRUE(Scanned({"NO ARCS"}).s().PlacedNotes.empty()) << "keyword NO matched";
}

TEST(Instructions, SimpleValues) {
  Scanned scan({"NOARCSUB", "FLAG=3", "FLAG 20", "DESCR=  Side panel", "OP 3=t5 f2000", "OP=1=T2", "ZRAMP -4",
                "OFFSET 1.5,2", "SCALE=-3"});
  const ConversionState& s = scan.s();
  EXPECT_FALSE(s.ArcSubstitution);
  EXPECT_EQ(s.FlagMask, 8u) << "bit 20 does not exist";
  EXPECT_EQ(s.PartDescription, "Side panel");
  ASSERT_EQ(s.OperationTexts.size(), 4u);
  EXPECT_EQ(s.OperationTexts[3], "T5 F2000");
  EXPECT_EQ(s.OperationTexts[1], "T2");
  EXPECT_EQ(s.RampHeightStated, -4.0f);
  EXPECT_TRUE(s.OffsetStatement.Given);
  EXPECT_EQ(s.OffsetStatement.X, 1.5f);
  EXPECT_EQ(s.OffsetStatement.Y, 2.0f);
  EXPECT_EQ(s.OffsetStatement.Z, 0.0f);
  EXPECT_EQ(s.DrawingScale, 3.0f);
  EXPECT_TRUE(s.PlacedNotes.empty());
}

TEST(Instructions, ANonNumericScaleIsZero) { EXPECT_EQ(Scanned({"SCALE X"}).s().DrawingScale, 0.0f); }

TEST(PlacedNotes, AScaleScalesOnlyTheNotesAfterIt) {
  DxfBuilder notes;
  notes.Text("INSTR", 0, 0, "MARQUILL400 INSTRUCTIONS");
  notes.Text("INSTR", 10, 10, "note1 t5");
  notes.Text("INSTR", 0, 0, "SCALE 2");
  notes.Text("INSTR", 10, 10, "NOTE2 T6");
  notes.Text("INSTR", 5, 5, "NOTE3", {{72, "1"}, {11, "30"}, {21, "40"}});
  Drawing d(notes);
  ScanInstructions(d.c);
  const auto& n = d.state.PlacedNotes;
  ASSERT_EQ(n.size(), 3);
  EXPECT_EQ(n[1].X, 10);
  EXPECT_EQ(n[1].Y, 10);
  EXPECT_EQ(n[1].Text, "NOTE1T5") << "kept as parameters are read: no blanks, upper case";
  EXPECT_EQ(n[2].X, 20);
  EXPECT_EQ(n[2].Y, 20);
  EXPECT_EQ(n[3].X, 60) << "an aligned text is placed at its second alignment point";
  EXPECT_EQ(n[3].Y, 80);
}

TEST(PlacedNotes, OnlyTextsOfTheInstructionLayerAreRead) {
  DxfBuilder dxf;
  dxf.Text("NOTES", 0, 0, "NOCODE");
  Scanned scan({"NOTE1"}, dxf);
  EXPECT_FALSE(scan.s().NoCodeFlag);
  ASSERT_EQ(scan.s().PlacedNotes.size(), 1);
  EXPECT_EQ(scan.s().PlacedNotes[1].Text, "NOTE1");
}

TEST(PlacedNotes, AnInstructionLayerWithABlankInItsNameIsRead) {
  DxfBuilder dxf;
  dxf.Text("INST T5", 0, 0, "Marquill400 Instructions");
  dxf.Text("INST T5", 0, 0, "NOCODE");
  Drawing d(dxf);
  ASSERT_EQ(d.store.InstructionLayer, "INSTT5");
  ScanInstructions(d.c);
  EXPECT_TRUE(d.state.NoCodeFlag);
}

TEST(PartListInstruction, FieldsByNumberAndByName) {
  DxfBuilder dxf = test::WithInstructions(
      test::PanelOfLines(), {"PTS 3=ABC", "PTS 1 = 600 ", ".PTS description=Side panel", "PTS=WIDTH=400"});
  Drawing d(dxf);
  d.settings.PtsFieldNames[1] = "LENGTH";
  d.settings.PtsFieldNames[2] = "WIDTH";
  d.settings.PtsFieldNames[5] = "DESCRIPTION";
  d.Convert();
  const ConversionState& s = d.state;
  EXPECT_EQ(s.PtsValues[3], "ABC");
  EXPECT_EQ(s.PtsFieldNames[3], "FIELD3") << "an unnamed column takes a name";
  EXPECT_EQ(s.PtsValues[1], "600");
  EXPECT_EQ(s.PtsFieldNames[1], "LENGTH");
  EXPECT_EQ(s.PtsValues[5], "Side panel");
  EXPECT_EQ(s.PtsValues[2], "400");
  EXPECT_EQ(s.PtsValues[0], "");
  EXPECT_TRUE(d.settings.PtsFieldNames[3].empty()) << "the configured names are not changed";
}

TEST(PartListInstruction, UnknownFieldsTurnThePartListOffWithAMessage) {
  struct Case {
    const char* statement;
    const char* message;
  };
  const Case cases[] = {{"PTS FOO=1", "PTS Error: FOO"},
                        {"PTS 99=1", "PTS Error: 99"},
                        {"PTS 0=1", "PTS Error: 0"},
                        {"PTS =1", "PTS Error: "}};
  for (const Case& k : cases) {
    Scanned scan({k.statement});
    EXPECT_EQ(scan.s().PtsValues[0], "ERROR") << k.statement;
    EXPECT_EQ(scan.d.Messages(), (std::vector<std::string>{k.message})) << k.statement;
  }
}

TEST(PartListInstruction, OffStaysOff) {
  Scanned scan({"PTS OFF", "PTS 3=X"});
  EXPECT_EQ(scan.s().PtsValues[0], "OFF");
  EXPECT_EQ(scan.s().PtsValues[3], "");
  EXPECT_EQ(Scanned({".PTS=OFF"}).s().PtsValues[0], "OFF");
}

}  // namespace
}  // namespace mq
