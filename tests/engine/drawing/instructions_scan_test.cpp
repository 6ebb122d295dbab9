// The statements of the instruction layer and what each sets for the drawing, the layer
// and colour aliases they make, and the TEXT entities of the special text layers.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/driver_harness.h"
#include "engine/driver/store_scan.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;
using Texts = std::vector<std::string>;

// The drawing's instructions read into a fresh state, as phase 2 reads them.
struct Scanned {
  Drawing d;
  explicit Scanned(const Texts& statements, DxfBuilder dxf = DxfBuilder())
      : d(test::WithInstructions(std::move(dxf), statements)) {
    d.state.OutputPath = "PART";
    ScanInstructions(d.c);
  }
  const ConversionState& s() const { return d.state; }
};

// The trimmed layer names of the entities of one type, in store order.
Texts LayersOf(const EntityStore& store, const std::string& type) {
  Texts layers;
  for (int i = kFirstScanIndex; i <= store.LastIndex(); ++i) {
    const DrawingEntity& e = store.Entities[static_cast<std::size_t>(i)];
    if (EntityTypeName(e) == type) layers.push_back(TrimmedLayerName(e));
  }
  return layers;
}

TEST(LeadInstruction, EveryFormSetsItsPart) {
  const struct {
    const char* statement;
    TriState lead;
    float length;
  } cases[] = {
      {"LEAD ON 30", kStatedOn, 30}, {"LEAD 30", kNotStated, 30}, {"LEAD ON", kStatedOn, 0},
      {"LEAD OFF", kStatedOff, 0},   {"LEAD=OFF", kStatedOff, 0}, {"LEADS -12.5", kNotStated, 12.5f},
      {"lead on 0", kStatedOn, 0},   {"LEAD ON X", kStatedOn, 0}, {"  LEAD =  ON   25", kStatedOn, 25},
      {"LEAD", kNotStated, 0}};
  for (const auto& k : cases) {
    Scanned scan({k.statement});
    EXPECT_EQ(scan.s().LeadStatement, k.lead) << k.statement;
    EXPECT_EQ(scan.s().LeadLengthStated, k.length) << k.statement;
  }
}

// The control takes variables A to G and I only; a refused one is no note either.
TEST(VariableInstruction, OnlyNamesTheControlAcceptsAreKept) {
  Scanned scan(
      {"VAR H=1", "VAR @=2", "VAR I = 3", "VARIABLE A=4 5", "var g1=X Y", "VAR HA=6", "VAR B", "VAR=C=7"});
  EXPECT_EQ(scan.s().ProgramVariables.raw(), (std::vector<std::pair<std::string, std::string>>{
                                                 {"I", "3"}, {"A", "45"}, {"G1", "xy"}, {"C", "7"}}));
  EXPECT_TRUE(scan.s().VariablesPresent);
  Scanned refused({"VAR H=1", "VAR @=2"});
  EXPECT_TRUE(refused.s().ProgramVariables.empty());
  EXPECT_FALSE(refused.s().VariablesPresent);
  EXPECT_TRUE(refused.s().PlacedNotes.empty());
}

TEST(SwitchInstructions, OnlyOnOrOffChangeThem) {
  const std::pair<Texts, TriState> cases[] = {{{"REMBORDER ON"}, kStatedOn},
                                              {{"REMBORDER=OFF"}, kStatedOff},
                                              {{"REMBORDER O N"}, kStatedOn},
                                              {{"REMBORDER YES"}, kNotStated},
                                              {{"REMBORDER ON", "REMBORDER MAYBE"}, kStatedOn},
                                              {{"REMBORDER"}, kNotStated},
                                              {{"remborder off"}, kStatedOff}};
  for (const auto& [statements, expected] : cases) {
    Scanned scan(statements);
    EXPECT_EQ(scan.s().RemoveBorderStatement, expected) << statements.back();
    EXPECT_TRUE(scan.s().PlacedNotes.empty());
  }
  Scanned others({"RampIn() ON", "RAMPOUT()=OFF", "CornerComp on"});
  EXPECT_EQ(others.s().RampInStatement, kStatedOn);
  EXPECT_EQ(others.s().RampOutStatement, kStatedOff);
  EXPECT_EQ(others.s().CornerCompMode, kStatedOn);
}

TEST(NameInstruction, RenamesTheProgramAndSaysSoUnlessEmpty) {
  Scanned scan({"NAME = P 12"});
  EXPECT_EQ(scan.s().OutputPath, "P12");
  EXPECT_EQ(scan.d.Messages(), Texts{"P12  Assigned in drawing"});
  Scanned empty({"NAME="});
  EXPECT_EQ(empty.s().OutputPath, "PART");
  EXPECT_TRUE(empty.d.Messages().empty());
}

TEST(NoCodeInstruction, BothSpellingsTurnCodeOffAndOthersDoNot) {
  const std::pair<const char*, bool> cases[] = {
      {"NOCODE", true}, {"NO CODE", true}, {"No  Code please", true}, {"NO", false}, {"NO ARCS", false}};
  for (const auto& [statement, no_code] : cases) {
    Scanned scan({statement});
    EXPECT_EQ(scan.s().NoCodeFlag, no_code) << statement;
    EXPECT_TRUE(scan.s().PlacedNotes.empty()) << "keyword NO matched";
  }
}

TEST(Instructions, SimpleValues) {
  Scanned scan({"NOARCSUB", "FLAG=3", "FLAG 20", "DESCR=  Side W=600", "OP 3=t5 f2000", "OP=1=T2", "ZRAMP -4",
                "OFFSET 1.5,2", "SCALE=-3"});
  const ConversionState& s = scan.s();
  EXPECT_FALSE(s.ArcSubstitution);
  EXPECT_EQ(s.FlagMask, 8u) << "bit 20 does not exist";
  EXPECT_EQ(s.PartDescription, "Side W=600");
  EXPECT_EQ(s.OperationTexts, (Texts{"", "T2", "", "T5 F2000"}));
  EXPECT_EQ(s.RampHeightStated, -4.0f);
  EXPECT_EQ(s.OffsetStatement.Given, true);
  EXPECT_EQ(std::vector<float>({s.OffsetStatement.X, s.OffsetStatement.Y, s.OffsetStatement.Z}),
            std::vector<float>({1.5f, 2, 0}));
  EXPECT_EQ(s.DrawingScale, 3.0f);
  EXPECT_TRUE(s.PlacedNotes.empty());
  EXPECT_EQ(Scanned({"SCALE X"}).s().DrawingScale, 0.0f);
}

// Only texts of the layer the title names are read (blanks in its name too), and none without
// a title; a SCALE scales the notes after it; an aligned text stands at its second point.
TEST(PlacedNotes, AreTheOtherStatementsWhereTheyStand) {
  DxfBuilder dxf;
  dxf.Text("INST T5", 0, 0, "Marquill400 Instructions");
  dxf.Text("NOTES", 0, 0, "NOCODE").Text("INST T5", 10, 10, "note1 t5").Text("INST T5", 0, 0, "SCALE 2");
  dxf.Text("INST T5", 10, 10, "NOTE2 T6").Text("INST T5", 5, 5, "NOTE3", {{72, "1"}, {11, "30"}, {21, "40"}});
  Drawing d(dxf);
  ScanInstructions(d.c);
  std::vector<std::string> notes;
  for (const auto& n : d.state.PlacedNotes)
    notes.push_back(n.Text + " " + std::to_string(int(n.X)) + "," + std::to_string(int(n.Y)));
  EXPECT_EQ(notes, (Texts{"NOTE1T5 10,10", "NOTE2T6 20,20", "NOTE3 60,80"}));
  EXPECT_FALSE(d.state.NoCodeFlag) << "a text on another layer";
  Drawing untitled(DxfBuilder().Text("INSTR", 0, 0, "NOCODE"));
  ScanInstructions(untitled.c);
  EXPECT_FALSE(untitled.state.NoCodeFlag);
}

TEST(PartListInstruction, FieldsByNumberAndByName) {
  Drawing d(test::WithInstructions(
      test::PanelOfLines(), {"PTS 3=ABC", "PTS 1 = 600 ", ".PTS description=Side panel", "PTS=WIDTH=400"}));
  d.settings.PtsFieldNames[1] = "LENGTH";
  d.settings.PtsFieldNames[2] = "WIDTH";
  d.settings.PtsFieldNames[5] = "DESCRIPTION";
  d.Convert();
  const ConversionState& s = d.state;
  EXPECT_EQ(Texts(s.PtsValues.begin(), s.PtsValues.begin() + 6),
            (Texts{"", "600", "400", "ABC", "", "Side panel"}));
  EXPECT_EQ(s.PtsFieldNames[3], "FIELD3") << "an unnamed column takes a name";
  EXPECT_EQ(s.PtsFieldNames[1], "LENGTH");
  EXPECT_TRUE(d.settings.PtsFieldNames[3].empty()) << "the configured names are not changed";
}

TEST(PartListInstruction, UnknownFieldsTurnItOffWithAMessageAndOffStaysOff) {
  for (const char* field : {"FOO", "99", "0", ""}) {
    Scanned scan({std::string("PTS ") + field + "=1"});
    EXPECT_EQ(scan.s().PtsValues[0], "ERROR") << field;
    EXPECT_EQ(scan.d.Messages(), Texts{std::string("PTS Error: ") + field});
  }
  Scanned off({"PTS OFF", "PTS 3=X"});
  EXPECT_EQ(off.s().PtsValues[0], "OFF");
  EXPECT_EQ(off.s().PtsValues[3], "");
  EXPECT_EQ(Scanned({".PTS=OFF"}).s().PtsValues[0], "OFF");
}

// A COLOR alias moves a POLYLINE with all its vertices; the first entity that is not a
// vertex ends the run. Without "=" the colour is that of the instruction text. The
// instruction itself is no note.
TEST(Aliases, ColourAliasesMoveWholePolylines) {
  DxfBuilder dxf;
  dxf.Polyline("0", {{0, 0}, {100, 0}, {100, 100}}, 1, {{62, "3"}});
  dxf.Line("0", 0, 0, 10, 10).Line("0", 0, 0, 10, 10, {{62, "3"}}).Line("0", 0, 0, 10, 10, {{62, "5"}});
  dxf =
      test::WithInstructions(dxf, {"COLOR 3=route t5"}).Text("INSTR", 0, 0, "COLOR  route t6 ", {{62, "5"}});
  Drawing d(dxf);
  ScanInstructions(d.c);
  EXPECT_EQ(LayersOf(d.store, "POLYLINE"), Texts{"ROUTE T5"});
  EXPECT_EQ(LayersOf(d.store, "VERTEX"), Texts(3, "ROUTE T5"));
  EXPECT_EQ(LayersOf(d.store, "LINE"), (Texts{"0", "ROUTE T5", "ROUTE T6"}));
  EXPECT_TRUE(d.state.PlacedNotes.empty());
}

// Exact names only, the first alias wins, no "=" no alias; codes are substituted after.
TEST(Aliases, LayerAliasesRenameExactLayersBeforeTheirCodesAreRead) {
  DxfBuilder dxf;
  dxf.Line("ROUTE1", 0, 0, 10, 0).Line("ROUTE10", 0, 0, 10, 0).Line("ROUTE2", 0, 0, 10, 0);
  Scanned scan(
      {"LAYER route1 = route t9", "LAYER ROUTE1=ROUTE T8", "LAYER ROUTE2", "LAYER=ROUTE2=ROUTE FD3000"}, dxf);
  const Texts layers = LayersOf(scan.d.store, "LINE");
  EXPECT_EQ(Texts(layers.begin(), layers.begin() + 2), (Texts{"ROUTE T9", "ROUTE10"}));
  EXPECT_EQ(layers[2].rfind("ROUTE ", 0), 0u);
  EXPECT_EQ(layers[2].find("FD"), std::string::npos) << "the FD code of the alias layer is substituted";
}

TEST(TextLayers, NameDescriptionNotesAndGCodes) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Text("NAME", 0, 0, "p 7").Text("CNCNOT", 0, 0, " check grain ").Text("GCODE2", 0, 0, " G1 ");
  dxf.Text("GCODE4", 0, 0, "ignored").Text("DESCR", 0, 0, "  Side  ");
  Drawing d(dxf);
  d.Convert();
  const ConversionState& s = d.state;
  EXPECT_EQ(d.output.program_name, "p7");
  EXPECT_EQ(s.PartDescription, "Side");
  EXPECT_EQ(s.CncNotTexts.raw(), Texts{" check grain "});
  EXPECT_EQ(s.GCode2Texts.raw(), Texts{"G1"});
  EXPECT_TRUE(s.GCode1Texts.empty() && s.GCode3Texts.empty());
  // Both are shown at the end of the second pass, the name first.
  const Texts lines = d.Messages();
  const auto name = std::find(lines.begin(), lines.end(), "USING \"P7\" FOR THE PART NAME");
  ASSERT_LT(name + 1, lines.end());
  EXPECT_EQ(*(name + 1), "Side");
}

// A description on the border is shown at once and at the end of the pass; a blank name
// or description is neither taken nor shown.
TEST(TextLayers, BorderDescriptionsAndBlankTexts) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Text("NAME", 0, 0, "   ").Text("BORDER", 0, 0, "  desc Left  side ").Text("BORDER", 0, 0, "NOT A DESC");
  Drawing d(dxf);
  d.Convert();
  EXPECT_EQ(d.state.PartDescription, "Left  side");
  EXPECT_EQ(d.output.program_name, "PART");
  const Texts lines = d.Messages();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Left  side"), 2);
  for (const std::string& line : lines) EXPECT_EQ(line.find("FOR THE PART NAME"), std::string::npos);
  Drawing blank(test::PanelOfLines().Text("DESCR", 0, 0, "   "));
  blank.Convert();
  for (const std::string& line : blank.Messages()) EXPECT_FALSE(line.empty());
}

}  // namespace
}  // namespace mq
