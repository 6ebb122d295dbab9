// The panel, its edge views, thickness, origin, unit system and machine corner found from
// the border, and the settings merged with the drawing's instructions.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/passes.h"
#include "support/conversion.h"

namespace mq {
namespace {

using test::Conversion;
using test::DxfBuilder;
using Values = std::vector<float>;

// A box as {min X, max X, min Y, max Y, width, height}; empty when it is not present.
Values Box(const ExtentBox& b) {
  return b.Present ? Values{b.MinX, b.MaxX, b.MinY, b.MaxY, b.Width, b.Height} : Values{};
}
Values Box(float min_x, float max_x, float min_y, float max_y) {
  return {min_x, max_x, min_y, max_y, max_x - min_x, max_y - min_y};
}

// A PANEL SOLID under a drawing SCALE: the scale applies to its corners and its
// thickness; no border points, no edge views. The panel drawn in the other ways (LINEs,
// a POLYLINE, ends a hair apart, a SOLID either way round) is the golden case panels.
TEST(Border, AScaleScalesThePanelAndItsThickness) {
  const DxfBuilder panel = DxfBuilder().Solid("PANEL", 5, 10, 305, 10, 305, 210, {{39, "9.5"}});
  Conversion c(test::WithInstructions(panel, {"SCALE 2"}));
  EXPECT_EQ(c.Convert("EvaluateBorder"), ConversionOutcome::Finished) << c.run.PendingMessage;
  const ConversionState& s = c.state;
  EXPECT_TRUE(s.PanelFound && s.BorderPoints.empty());
  EXPECT_EQ(Box(s.PartExtents[kPanelBox]), Box(10, 610, 20, 420));
  for (std::size_t view = 1; view <= 4; ++view) EXPECT_TRUE(Box(s.PartExtents[view]).empty());
  EXPECT_EQ(Values({s.EdgeMarginX, s.EdgeMarginY, s.PartOriginX, s.PartOriginY, s.PartThickness}),
            Values({0, 0, 10, 20, 19}));
}

// The panel and four edge views 18 deep, 20 away: five boxes, margins (100 - 62) / 4. The
// part is as thick as the layer's depth says, else as the views show.
TEST(Border, FourEdgeViewsGiveFiveBoxes) {
  for (const auto& [layer, thickness] : {std::pair{"BORDER", 18.0f}, {"BORDER Z19", 19.0f}}) {
    DxfBuilder dxf;
    dxf.Rectangle(layer, 100, 100, 700, 500).Rectangle(layer, 100, 520, 700, 538);
    dxf.Rectangle(layer, 100, 62, 700, 80).Rectangle(layer, 62, 100, 80, 500);
    Conversion c(dxf.Rectangle(layer, 720, 100, 738, 500));
    c.Convert("EvaluateBorder");
    const ConversionState& s = c.state;
    EXPECT_EQ(s.BorderPoints.size(), 20);
    EXPECT_EQ(Box(s.PartExtents[kPanelBox]), Box(100, 700, 100, 500));
    EXPECT_EQ(Box(s.PartExtents[1]), Box(100, 700, 520, 538));
    EXPECT_EQ(Box(s.PartExtents[2]), Box(100, 700, 62, 80));
    EXPECT_EQ(Box(s.PartExtents[3]), Box(62, 80, 100, 500));
    EXPECT_EQ(Box(s.PartExtents[4]), Box(720, 738, 100, 500));
    EXPECT_EQ(Values({s.EdgeMarginX, s.EdgeMarginY, s.PartOriginX, s.PartOriginY, s.PartThickness}),
              Values({9.5f, 9.5f, 100, 100, thickness}));
    for (std::size_t view = 1; view <= 4; ++view) EXPECT_EQ(s.EdgeViewCounters[view], 4);
  }
}

// A drawing is in inches only when its panel is both narrower than 200 and lower than 100.
TEST(Border, TheUnitSystemFollowsThePanelSize) {
  const float cases[][3] = {{18, 24, 1}, {150, 150, 0}, {199, 99, 1}, {200, 99, 0}, {199, 100, 0}};
  for (const auto& [width, height, inches] : cases) {
    Conversion c(DxfBuilder().Rectangle("BORDER", 0, 0, width, height));
    c.Convert("EvaluateBorder");
    EXPECT_EQ(c.state.DrawingInInches, inches == 1) << width << " x " << height;
    EXPECT_EQ(c.state.UnitFactor, inches == 1 ? 25.4f : 1.0f);
    EXPECT_EQ(c.state.CoincidenceTolerance, inches == 1 ? 0.1f / 25.4f : 0.1f);
  }
}

// R: X measured from the right, T: Y from the top, N: no code. Codes are looked for in the
// order LL, UL, UR, LR, the later winning; a later border entity overrides an earlier one;
// only names beginning BORDER count.
TEST(Border, TheLayerCodesSelectTheMachineCorner) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"BORDER"}, ""},    {{"BORDERLL"}, ""},       {{"BORDERUL"}, "T"},     {{"BORDERUR"}, "RT"},
      {{"BORDERLR"}, "R"}, {{"BORDER UL LR"}, "R"},  {{"BORDER LR UL"}, "R"}, {{"BORDER UR LL"}, "RT"},
      {{"BORDERNO"}, "N"}, {{"BORDERUR NO"}, "RTN"}, {{"MYBORDERUR"}, ""},    {{"BORDERUR", "BORDERLL"}, ""}};
  for (const auto& [layers, expected] : cases) {
    DxfBuilder dxf;
    for (const std::string& layer : layers) dxf.Line(layer, 0, 0, 600, 0);
    Conversion c(dxf);
    c.Convert("ReadBorderLayerCodes");
    const ConversionState& s = c.state;
    EXPECT_EQ(std::string(s.XFromRight ? "R" : "") + (s.YFromTop ? "T" : "") + (s.NoCodeFlag ? "N" : ""),
              expected)
        << layers.back();
  }
}

// Lead 25 and ramp 10 in the settings, millimetres unless their unit button says "Inch"; a
// stated length is the drawing's own and replaces them unconverted. A stated switch wins
// over the check box; any offset in the settings gives all three, an OFFSET instruction
// replaces all three.
TEST(MergeSettings, TheDrawingsStatementsAndUnitsOverrideTheSettings) {
  const struct {
    const char* caption;
    bool inches;
    float stated_lead, stated_ramp, lead, ramp;
    TriState stated;
    int check_box;
    bool on;
    const char *x, *y;
    ProgramOffset stated_offset, offset;
  } cases[] = {
      {"Metric", false, 0, 0, 25, 10, kNotStated, 0, false, "0.00", "0.00", {}, {}},
      {"Metric", true, 0, 0, 25 / 25.4f, 10 / 25.4f, kNotStated, 1, true, "0", "2.5", {}, {true, 0, 2.5f, 0}},
      {"",
       true,
       0,
       0,
       25 / 25.4f,
       10 / 25.4f,
       kStatedOn,
       0,
       true,
       "7",
       "0",
       {true, 1, 0, 0},
       {true, 1, 0, 0}},
      {"Inch", false, 0, 0, 25 * 25.4f, 10 * 25.4f, kStatedOff, 1, false, "", "", {}, {}},
      {"Inch", true, 0, 0, 25, 10, kNotStated, 0, false, "", "", {}, {}},
      {"Metric", true, 1.5f, 0.25f, 1.5f, 0.25f, kNotStated, 0, false, "", "", {}, {}}};
  for (const auto& k : cases) {
    Conversion c(test::PanelOfLines());
    c.settings.LeadLength = "25.00", c.settings.LeadRampHeight = "10.00", c.settings.Metric = k.caption;
    c.settings.LeadS = c.settings.LeadRampIn = c.settings.LeadRampOut = c.settings.RemoveBorderRoute =
        k.check_box;
    c.settings.OffsetX = k.x, c.settings.OffsetY = k.y;
    ConversionState& s = c.state;
    s.DrawingInInches = k.inches, s.LeadLengthStated = k.stated_lead, s.RampHeightStated = k.stated_ramp;
    s.LeadStatement = s.RampInStatement = s.RampOutStatement = s.RemoveBorderStatement = k.stated;
    s.OffsetStatement = k.stated_offset;
    MergeSettings(c.engine);
    const ProgramOffset &o = s.Offset, &e = k.offset;
    EXPECT_EQ(Values({s.EffectiveLeadLength, s.EffectiveRampHeight, float(s.LeadsOn), float(s.RampIn),
                      float(s.RampOut), float(s.RemoveBorderRoute), float(o.Given), o.X, o.Y, o.Z}),
              Values({k.lead, k.ramp, float(k.on), float(k.on), float(k.on), float(k.on), float(e.Given), e.X,
                      e.Y, e.Z}))
        << k.caption << " " << k.inches << " " << k.stated_lead << " " << k.stated << " " << k.x;
  }
}

}  // namespace
}  // namespace mq
