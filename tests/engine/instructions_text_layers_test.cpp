// TEXT entities on the special layers of the second pass.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/driver_harness.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;

TEST(TextLayers, NameDescriptionNotesAndGCodes) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Text("NAME", 0, 0, "p 7");
  dxf.Text("CNCNOT", 0, 0, " check grain ");
  dxf.Text("GCODE2", 0, 0, " G1 ");
  dxf.Text("GCODE4", 0, 0, "ignored");
  dxf.Text("DESCR", 0, 0, "  Side  ");
  Drawing d(dxf);
  d.Convert();
  const ConversionState& s = d.state;
  EXPECT_EQ(s.OutputPath, "p7");
  EXPECT_EQ(d.output.program_name, "p7");
  EXPECT_EQ(s.PartDescription, "Side");
  ASSERT_EQ(s.CncNotTexts.size(), 1);
  EXPECT_EQ(s.CncNotTexts[1], " check grain ");
  ASSERT_EQ(s.GCode2Texts.size(), 1);
  EXPECT_EQ(s.GCode2Texts[1], "G1");
  EXPECT_TRUE(s.GCode1Texts.empty());
  EXPECT_TRUE(s.GCode3Texts.empty());
  // Both are shown at the end of the second pass, the name first.
  const std::vector<std::string> lines = d.Messages();
  const auto name = std::find(lines.begin(), lines.end(), "USING \"P7\" FOR THE PART NAME");
  ASSERT_NE(name, lines.end());
  ASSERT_NE(name + 1, lines.end());
  EXPECT_EQ(*(name + 1), "Side");
}

TEST(TextLayers, ADescriptionOnTheBorderIsShownAtOnce) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Text("BORDER", 0, 0, "  desc Left  side ");
  dxf.Text("BORDER", 0, 0, "NOT A DESCRIPTION");
  Drawing d(dxf);
  d.Convert();
  EXPECT_EQ(d.state.PartDescription, "Left  side");
  const std::vector<std::string> lines = d.Messages();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Left  side"), 2) << "at once, and at the end of the pass";
}

TEST(TextLayers, AnEmptyNameTextKeepsTheProgramName) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Text("NAME", 0, 0, "   ");
  Drawing d(dxf);
  d.Convert();
  EXPECT_EQ(d.output.program_name, "PART");
  for (const std::string& line : d.Messages()) EXPECT_EQ(line.find("FOR THE PART NAME"), std::string::npos);
}

TEST(TextLayers, ABlankDescriptionIsNotShown) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Text("DESCR", 0, 0, "   ");
  Drawing d(dxf);
  d.Convert();
  for (const std::string& line : d.Messages()) EXPECT_FALSE(line.empty());
}

}  // namespace
}  // namespace mq
