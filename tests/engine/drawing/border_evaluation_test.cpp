// The panel, its edge views, thickness, origin and unit system found from the border.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/driver_harness.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;

// A box as {min X, max X, min Y, max Y, width, height}; empty when it is not present.
std::vector<float> Box(const ExtentBox& b) {
  if (!b.Present) return {};
  return {b.MinX, b.MaxX, b.MinY, b.MaxY, b.Width, b.Height};
}
std::vector<float> Box(float min_x, float max_x, float min_y, float max_y) {
  return {min_x, max_x, min_y, max_y, max_x - min_x, max_y - min_y};
}

const ConversionState& Converted(Drawing& d) {
  d.Convert();
  EXPECT_FALSE(d.run.FileFailed) << d.run.PendingMessage;
  return d.state;
}

// Four LINEs (eight ends), a closed POLYLINE, line ends a hair apart (the tolerance is 0.008
// until the border is known), or a PANEL SOLID whose corners 1 and 2 give X and 1 and 3 give
// Y whichever way round (a SCALE scales them and the thickness): the panel and no edge views.
TEST(Panel, IsTheRectangleDrawn) {
  struct Case {
    DxfBuilder dxf;
    std::vector<std::string> statements;
    int points;
    float thickness;
  };
  const DxfBuilder::Extras thick{{39, "16"}};  // border lines that carry their thickness
  DxfBuilder near_ends;
  near_ends.Line("BORDER", 10, 20, 610, 20, thick).Line("BORDER", 610.005, 20.005, 610, 420, thick);
  near_ends.Line("BORDER", 610, 420, 10, 420, thick).Line("BORDER", 10, 420, 10.007, 20, thick);
  const Case cases[] = {
      {DxfBuilder().Rectangle("BORDER", 10, 20, 610, 420), {}, 4, 0},
      {DxfBuilder().Polyline("BORDER", {{10, 20}, {610, 20}, {610, 420}, {10, 420}}, 1), {}, 4, 0},
      {near_ends, {}, 4, 16},
      {DxfBuilder().Solid("PANEL", 10, 20, 610, 20, 610, 420, {{39, "19"}}), {}, 0, 19},
      {DxfBuilder().Solid("PANEL", 610, 420, 10, 420, 10, 20, {{39, "19"}}), {}, 0, 19},
      {DxfBuilder().Solid("PANEL", 5, 10, 305, 10, 305, 210, {{39, "9.5"}}), {"SCALE 2"}, 0, 19}};
  for (const Case& k : cases) {
    Drawing d(k.statements.empty() ? k.dxf : test::WithInstructions(k.dxf, k.statements));
    const ConversionState& s = Converted(d);
    EXPECT_EQ(s.BorderPoints.size(), k.points);
    EXPECT_EQ(s.PanelFound, k.points == 0);
    EXPECT_EQ(Box(s.PartExtents[kPanelBox]), Box(10, 610, 20, 420));
    for (std::size_t view = 1; view <= 4; ++view) EXPECT_TRUE(Box(s.PartExtents[view]).empty());
    EXPECT_EQ(s.EdgeMarginX + s.EdgeMarginY, 0);
    EXPECT_EQ(s.PartOriginX, 10);
    EXPECT_EQ(s.PartOriginY, 20);
    EXPECT_EQ(s.PartThickness, k.thickness);
  }
}

// The panel from (100, 100) to (700, 500) and four edge views 18 deep, 20 away from it. The
// part is as thick as the layer's depth says, else as the views show.
TEST(EdgeViews, APanelWithFourViewsGivesFiveBoxes) {
  for (const auto& [layer, thickness] : {std::pair{"BORDER", 18.0f}, {"BORDER Z19", 19.0f}}) {
    DxfBuilder dxf;
    dxf.Rectangle(layer, 100, 100, 700, 500).Rectangle(layer, 100, 520, 700, 538);
    dxf.Rectangle(layer, 100, 62, 700, 80).Rectangle(layer, 62, 100, 80, 500);
    Drawing d(dxf.Rectangle(layer, 720, 100, 738, 500));
    const ConversionState& s = Converted(d);
    EXPECT_EQ(s.BorderPoints.size(), 20);
    EXPECT_EQ(Box(s.PartExtents[kPanelBox]), Box(100, 700, 100, 500));
    EXPECT_EQ(Box(s.PartExtents[1]), Box(100, 700, 520, 538));
    EXPECT_EQ(Box(s.PartExtents[2]), Box(100, 700, 62, 80));
    EXPECT_EQ(Box(s.PartExtents[3]), Box(62, 80, 100, 500));
    EXPECT_EQ(Box(s.PartExtents[4]), Box(720, 738, 100, 500));
    EXPECT_EQ(s.EdgeMarginX, 9.5f);  // (100 - 62) / 4
    EXPECT_EQ(s.EdgeMarginY, 9.5f);
    EXPECT_EQ(s.PartOriginX, 100);
    EXPECT_EQ(s.PartOriginY, 100);
    for (std::size_t view = 1; view <= 4; ++view) EXPECT_EQ(s.EdgeViewCounters[view], 4);
    EXPECT_EQ(s.PartThickness, thickness);
  }
}

// A drawing is in inches only when its panel is both narrower than 200 and lower than 100.
TEST(UnitSystem, FollowsThePanelSize) {
  const float cases[][3] = {{18, 24, 1}, {150, 150, 0}, {199, 99, 1}, {200, 99, 0}, {199, 100, 0}};
  for (const auto& [width, height, inches] : cases) {
    Drawing d(DxfBuilder().Rectangle("BORDER", 0, 0, width, height));
    const ConversionState& s = Converted(d);
    EXPECT_EQ(s.DrawingInInches, inches == 1) << width << " x " << height;
    EXPECT_EQ(s.UnitFactor, inches == 1 ? 25.4f : 1.0f);
    EXPECT_EQ(s.CoincidenceTolerance, inches == 1 ? 0.1f / 25.4f : 0.1f);
  }
}

}  // namespace
}  // namespace mq
