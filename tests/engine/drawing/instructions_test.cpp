// The statements of the instruction layer and what each sets for the drawing, the notes
// they place, and the TEXT entities of the special text layers.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/conversion.h"

namespace mq {
namespace {

using test::Conversion;
using test::DxfBuilder;
using Texts = std::vector<std::string>;

// Everything the instructions set, where it differs from a fresh conversion's value.
std::string Stated(const ConversionState& s) {
  std::ostringstream out;
  auto put = [&](const char* name, const auto& value, const auto& unset) {
    if (value != unset) out << name << '=' << value << ' ';
  };
  put("arcsub", s.ArcSubstitution, true);
  put("nocode", s.NoCodeFlag, false);
  put("flags", s.FlagMask, 0);
  put("descr", s.PartDescription, std::string());
  put("name", s.OutputPath, std::string("PART"));
  put("lead", s.LeadStatement, kNotStated);
  put("length", s.LeadLengthStated, 0.0f);
  put("ramp", s.RampHeightStated, 0.0f);
  put("rampin", s.RampInStatement, kNotStated);
  put("rampout", s.RampOutStatement, kNotStated);
  put("remborder", s.RemoveBorderStatement, kNotStated);
  put("cornercomp", s.CornerCompMode, kNotStated);
  put("scale", s.DrawingScale, 1.0f);
  put("vars", s.VariablesPresent, false);
  const ProgramOffset& o = s.OffsetStatement;
  if (o.Given) out << "offset=" << o.X << ',' << o.Y << ',' << o.Z << ' ';
  for (const auto& [name, value] : s.ProgramVariables) out << "var " << name << '=' << value << ' ';
  for (std::size_t n = 0; n < s.OperationTexts.size(); ++n)
    put(("op" + std::to_string(n)).c_str(), s.OperationTexts[n], "");
  for (std::size_t n = 0; n < s.PtsValues.size(); ++n) {
    if (!s.PtsValues[n].empty())
      out << "pts" << n << '(' << s.PtsFieldNames[n] << ")=" << s.PtsValues[n] << ' ';
  }
  for (const PlacedNote& n : s.PlacedNotes) out << "note " << n.Text << '@' << n.X << ',' << n.Y << ' ';
  return out.str();
}

TEST(Instructions, EachStatementSetsItsPart) {
  const struct {
    Texts statements;
    std::string stated;
    Texts messages = {};
  } cases[] = {
      {{"LEAD ON 30"}, "lead=1 length=30 "},
      {{"LEAD 30"}, "length=30 "},
      {{"LEAD=OFF"}, "lead=-1 "},
      {{"LEADS -12.5"}, "length=12.5 "},
      {{"lead on 0"}, "lead=1 "},
      {{"LEAD ON X"}, "lead=1 "},
      {{"  LEAD =  ON   25"}, "lead=1 length=25 "},
      {{"LEAD"}, ""},
      // The control takes variables A to G and I only; a refused one is no note either.
      {{"VAR H=1", "VAR @=2", "VAR I = 3", "VARIABLE A=4 5", "var g1=X Y", "VAR HA=6", "VAR B", "VAR=C=7"},
       "vars=1 var I=3 var A=45 var G1=xy var C=7 "},
      {{"VAR H=1", "VAR @=2"}, ""},
      // Switches change only for ON or OFF, blanks removed.
      {{"REMBORDER=OFF"}, "remborder=-1 "},
      {{"REMBORDER O N", "REMBORDER MAYBE"}, "remborder=1 "},
      {{"REMBORDER YES"}, ""},
      {{"REMBORDER"}, ""},
      {{"RampIn() ON", "RAMPOUT()=OFF", "CornerComp on"}, "rampin=1 rampout=-1 cornercomp=1 "},
      {{"NAME = P 12"}, "name=P12 ", {"P12  Assigned in drawing"}},
      {{"NAME="}, ""},
      {{"NO CODE"}, "nocode=1 "},
      {{"No  Code please"}, "nocode=1 "},
      {{"NO"}, ""},
      {{"NO ARCS"}, ""},
      {{"NOARCSUB", "FLAG=3", "FLAG 20", "DESCR=  Side W=600", "OP 3=t5 f2000", "OP=1=T2", "ZRAMP -4",
        "OFFSET 1.5,2", "SCALE=-3"},
       "arcsub=0 flags=8 descr=Side W=600 ramp=-4 scale=3 offset=1.5,2,0 op1=T2 op3=T5 F2000 "},
      {{"SCALE X"}, "scale=0 "},
      // Part-list fields by number (an unnamed column takes a name), by name, column 0 too.
      {{"PTS 3=ABC", "PTS 1 = 600 ", ".PTS description=Side panel", "PTS=WIDTH=400", "PTS QTY=2"},
       "pts0(QTY)=2 pts1(LENGTH)=600 pts2(WIDTH)=400 pts3(FIELD3)=ABC pts5(DESCRIPTION)=Side panel "},
      {{"PTS FOO=1"}, "pts0(QTY)=ERROR ", {"PTS Error: FOO"}},
      {{"PTS 99=1"}, "pts0(QTY)=ERROR ", {"PTS Error: 99"}},
      {{"PTS =1"}, "pts0(QTY)=ERROR ", {"PTS Error: "}},
      {{"PTS OFF", "PTS 3=X"}, "pts0(QTY)=OFF "},
      {{".PTS=OFF"}, "pts0(QTY)=OFF "},
      // Any other statement is a note, kept as a layer name is: upper case, no blanks. The
      // aliases the COLOR and LAYER statements make are the golden case layer_aliases.
      {{"note1 t5"}, "note NOTE1T5@0,0 "},
      {{"COLOR 3=route t5", "COLOR route t6", "LAYER ROUTE1=ROUTE T8"}, ""},
  };
  for (const auto& k : cases) {
    Conversion c(test::WithInstructions(test::PanelOfLines(), k.statements));
    c.settings.PtsFieldNames[0] = "QTY";
    c.settings.PtsFieldNames[1] = "LENGTH";
    c.settings.PtsFieldNames[2] = "WIDTH";
    c.settings.PtsFieldNames[5] = "DESCRIPTION";
    c.Convert("ReadInstructions");
    EXPECT_EQ(Stated(c.state), k.stated) << k.statements[0];
    EXPECT_EQ(c.Messages(), k.messages) << k.statements[0];
  }
}

// Only texts of the layer the title names are read (its blanks too), and none without a
// title; a note stands where its text does, at the second point of an aligned one, in
// the scale in force.
TEST(Instructions, AreReadFromTheTitledLayerOnly) {
  DxfBuilder dxf;
  dxf.Text("INST T5", 0, 0, "Marquill400 Instructions").Text("NOTES", 0, 0, "NOCODE");
  dxf.Text("INST T5", 10, 10, "note1")
      .Text("INST T5", 10, 10, "SCALE 2")
      .Text("INST T5", 5, 5, "NOTE3", {{72, "1"}, {11, "30"}, {21, "40"}});
  Conversion c(dxf);
  c.Convert("ReadInstructions");
  EXPECT_EQ(Stated(c.state), "scale=2 note NOTE1@10,10 note NOTE3@60,80 ");
  Conversion untitled(DxfBuilder().Text("INSTR", 0, 0, "NOCODE"));
  untitled.Convert("ReadInstructions");
  EXPECT_EQ(Stated(untitled.state), "");
}

// TEXT on a CNCNOT layer is kept as written, on GCODE1 to GCODE3 trimmed; GCODE4 is no
// such layer. The part's name and description are the golden case text_layers.
TEST(TextLayers, NotesAndGCodesAreKept) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Text("CNCNOT", 0, 0, " check grain ").Text("GCODE2", 0, 0, " G1 ");
  Conversion c(dxf.Text("GCODE3", 0, 0, "G2").Text("GCODE4", 0, 0, "ignored"));
  c.Convert();
  EXPECT_EQ(c.state.CncNotTexts.raw(), Texts{" check grain "});
  EXPECT_EQ(c.state.GCode2Texts.raw(), Texts{"G1"});
  EXPECT_EQ(c.state.GCode3Texts.raw(), Texts{"G2"});
  EXPECT_TRUE(c.state.GCode1Texts.empty());
}

}  // namespace
}  // namespace mq
