// The panel, its edge views, thickness, origin and unit system found from the border.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/driver_harness.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;

void ExpectBox(const ExtentBox& box, float min_x, float max_x, float min_y, float max_y) {
  EXPECT_TRUE(box.Present);
  EXPECT_EQ(box.MinX, min_x);
  EXPECT_EQ(box.MaxX, max_x);
  EXPECT_EQ(box.MinY, min_y);
  EXPECT_EQ(box.MaxY, max_y);
  EXPECT_EQ(box.Width, max_x - min_x);
  EXPECT_EQ(box.Height, max_y - min_y);
}

void ExpectNoEdgeViews(const ConversionState& s) {
  for (int view = 1; view <= 4; ++view)
    EXPECT_FALSE(s.PartExtents[static_cast<std::size_t>(view)].Present) << view;
}

struct OutlineCase {
  const char* name;
  DxfBuilder drawing;
};

class PanelOutlines : public ::testing::TestWithParam<OutlineCase> {};

// Four LINEs or a closed POLYLINE: eight line ends or four vertices, four distinct
// points, the rectangle itself and no edge views.
TEST_P(PanelOutlines, GiveTheRectangleWithoutEdgeViews) {
  Drawing d(GetParam().drawing);
  d.Convert();
  const ConversionState& s = d.state;
  ASSERT_EQ(d.run.FileFailed, kFalse) << d.run.PendingMessage;
  EXPECT_EQ(s.BorderPoints.size(), 4);
  ExpectBox(s.PartExtents[kPanelBox], 100, 700, 50, 450);
  ExpectNoEdgeViews(s);
  EXPECT_EQ(s.EdgeMarginX, 0);
  EXPECT_EQ(s.EdgeMarginY, 0);
  EXPECT_EQ(s.PartOriginX, 100);
  EXPECT_EQ(s.PartOriginY, 50);
  EXPECT_FALSE(s.PanelFound);
  EXPECT_FALSE(s.DrawingInInches);
  EXPECT_EQ(s.UnitFactor, 1.0f);
  EXPECT_EQ(s.CoincidenceTolerance, 0.1f);
}

DxfBuilder RectangleOfLines() {
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 100, 50, 700, 450);
  return dxf;
}

DxfBuilder ClosedPolyline() {
  DxfBuilder dxf;
  dxf.Polyline("BORDER", {{100, 50}, {700, 50}, {700, 450}, {100, 450}}, 1);
  return dxf;
}

// Line ends a hair apart are one corner: the tolerance before the border is known is 0.008.
DxfBuilder LinesMeetingWithinTolerance() {
  DxfBuilder dxf;
  dxf.Line("BORDER", 100, 50, 700, 50);
  dxf.Line("BORDER", 700.005, 50.005, 700, 450);
  dxf.Line("BORDER", 700, 450, 100, 450);
  dxf.Line("BORDER", 100, 450, 100.007, 50);
  return dxf;
}

INSTANTIATE_TEST_SUITE_P(Border, PanelOutlines,
                         ::testing::Values(OutlineCase{"RectangleOfLines", RectangleOfLines()},
                                           OutlineCase{"ClosedPolyline", ClosedPolyline()},
                                           OutlineCase{"LinesMeetingWithinTolerance",
                                                       LinesMeetingWithinTolerance()}),
                         test::CaseName());

// The panel from (100, 100) to (700, 500) and four edge views 18 deep, 20 away from it.
DxfBuilder PanelWithFourEdgeViews(const std::string& layer = "BORDER") {
  DxfBuilder dxf;
  dxf.Rectangle(layer, 100, 100, 700, 500);
  dxf.Rectangle(layer, 100, 520, 700, 538);  // above
  dxf.Rectangle(layer, 100, 62, 700, 80);    // below
  dxf.Rectangle(layer, 62, 100, 80, 500);    // left
  dxf.Rectangle(layer, 720, 100, 738, 500);  // right
  return dxf;
}

TEST(EdgeViews, APanelWithFourViewsGivesFiveBoxes) {
  Drawing d(PanelWithFourEdgeViews());
  d.Convert();
  const ConversionState& s = d.state;
  ASSERT_EQ(d.run.FileFailed, kFalse) << d.run.PendingMessage;
  EXPECT_EQ(s.BorderPoints.size(), 20);
  ExpectBox(s.PartExtents[kPanelBox], 100, 700, 100, 500);
  ExpectBox(s.PartExtents[1], 100, 700, 520, 538);
  ExpectBox(s.PartExtents[2], 100, 700, 62, 80);
  ExpectBox(s.PartExtents[3], 62, 80, 100, 500);
  ExpectBox(s.PartExtents[4], 720, 738, 100, 500);
  EXPECT_EQ(s.EdgeMarginX, 9.5f);  // (100 - 62) / 4
  EXPECT_EQ(s.EdgeMarginY, 9.5f);
  EXPECT_EQ(s.PartThickness, 18.0f) << "no depth and no thickness drawn: the views show it";
  EXPECT_EQ(s.PartOriginX, 100);
  EXPECT_EQ(s.PartOriginY, 100);
  for (int view = 1; view <= 4; ++view) EXPECT_EQ(s.EdgeViewCounters[static_cast<std::size_t>(view)], 4);
}

TEST(EdgeViews, TheLayersDepthIsThePartThickness) {
  Drawing d(PanelWithFourEdgeViews("BORDER Z19"));
  d.Convert();
  EXPECT_EQ(d.state.PartThickness, 19.0f);
}

TEST(Thickness, ABorderLineWithoutDepthGivesItsOwnThickness) {
  DxfBuilder dxf;
  dxf.Line("BORDER", 0, 0, 600, 0, {{39, "16"}});
  dxf.Line("BORDER", 600, 0, 600, 400, {{39, "16"}});
  dxf.Line("BORDER", 600, 400, 0, 400, {{39, "16"}});
  dxf.Line("BORDER", 0, 400, 0, 0, {{39, "16"}});
  Drawing d(dxf);
  d.Convert();
  EXPECT_EQ(d.state.PartThickness, 16.0f);
}

struct UnitCase {
  float width, height;
  bool inches;
};

class UnitSystem : public ::testing::TestWithParam<UnitCase> {};

// A drawing is in inches only when its panel is both narrower than 200 and lower than 100.
TEST_P(UnitSystem, FollowsThePanelSize) {
  const UnitCase& u = GetParam();
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, u.width, u.height);
  Drawing d(dxf);
  d.Convert();
  ASSERT_EQ(d.run.FileFailed, kFalse);
  EXPECT_EQ(d.state.DrawingInInches, u.inches);
  EXPECT_EQ(d.state.UnitFactor, u.inches ? 25.4f : 1.0f);
  EXPECT_EQ(d.state.CoincidenceTolerance, u.inches ? 0.1f / 25.4f : 0.1f);
}

INSTANTIATE_TEST_SUITE_P(Border, UnitSystem,
                         ::testing::Values(UnitCase{18, 24, true}, UnitCase{150, 150, false},
                                           UnitCase{199, 99, true}, UnitCase{200, 99, false},
                                           UnitCase{199, 100, false}, UnitCase{600, 40, false}));

struct SolidCase {
  const char* name;
  double x1, y1, x2, y2, x3, y3;
};

class PanelSolids : public ::testing::TestWithParam<SolidCase> {};

// Corners 1 and 2 give X, corners 1 and 3 give Y, whichever way round they are drawn.
TEST_P(PanelSolids, DefineThePanelAndItsThickness) {
  const SolidCase& k = GetParam();
  DxfBuilder dxf;
  dxf.Solid("PANEL", k.x1, k.y1, k.x2, k.y2, k.x3, k.y3, {{39, "19"}});
  Drawing d(dxf);
  d.Convert();
  const ConversionState& s = d.state;
  ASSERT_EQ(d.run.FileFailed, kFalse) << d.run.PendingMessage;
  EXPECT_TRUE(s.PanelFound);
  ExpectBox(s.PartExtents[kPanelBox], 10, 610, 20, 420);
  EXPECT_EQ(s.PartThickness, 19.0f);
  EXPECT_EQ(s.PartOriginX, 10);
  EXPECT_EQ(s.PartOriginY, 20);
  EXPECT_TRUE(s.BorderPoints.empty());
}

INSTANTIATE_TEST_SUITE_P(Border, PanelSolids,
                         ::testing::Values(SolidCase{"InOrder", 10, 20, 610, 20, 610, 420},
                                           SolidCase{"Reversed", 610, 420, 10, 420, 10, 20}),
                         test::CaseName());

TEST(PanelSolids, AScaledDrawingScalesAllCorners) {
  DxfBuilder dxf = test::WithInstructions(DxfBuilder(), {"SCALE 2"});
  dxf.Solid("PANEL", 10, 20, 310, 20, 310, 220);
  Drawing d(dxf);
  d.Convert();
  ExpectBox(d.state.PartExtents[kPanelBox], 20, 620, 40, 440);
}

}  // namespace
}  // namespace mq
