// Phase 19: each point is marked with the extent box that holds it; points of the
// panel become measured from PartOrigin, points drawn in an edge view stay.

#include <gtest/gtest.h>

#include "engine/passes.h"
#include "support/recording_operator.h"

namespace mq {
namespace {

struct Boxes {
  test::RecordingOperator person;
  RunContext run{person};
  EntityStore store;
  Settings settings;
  ConversionState s;
  EngineContext c{run, store, settings, s, nullptr};

  // The panel and its edge views of PanelWithFourEdgeViews: panel (100, 100)-(700, 500),
  // views 18 deep, margins 9.5.
  Boxes() {
    SetBox(kPanelBox, 100, 700, 100, 500);
    SetBox(1, 100, 700, 520, 538);
    SetBox(2, 100, 700, 62, 80);
    SetBox(3, 62, 80, 100, 500);
    SetBox(4, 720, 738, 100, 500);
    s.EdgeMarginX = s.EdgeMarginY = 9.5f;
    s.PartOriginX = s.PartOriginY = 100;
  }
  void SetBox(int k, float min_x, float max_x, float min_y, float max_y) {
    ExtentBox& b = s.PartExtents[static_cast<std::size_t>(k)];
    b = ExtentBox{min_x, max_x, min_y, max_y, max_x - min_x, max_y - min_y, true};
  }
  void AddPoint(int16_t type, float x, float y, float centre_x = 0, float centre_y = 0) {
    PathSegment p;
    p.SegmentType = type;
    p.X = x, p.Y = y, p.CentreX = centre_x, p.CentreY = centre_y;
    s.PathList.push_back(p);
  }
};

TEST(BoxTranslation, PanelPointsMoveToTheOriginAndEdgeViewPointsStay) {
  struct Case {
    float x, y;
    int16_t box;
    float expected_x, expected_y;
  };
  const Case cases[] = {
      {150, 120, 5, 50, 20},          // on the panel
      {400, 530, 1, 400, 530},        // in the view above
      {400, 510.5f, 1, 400, 510.5f},  // in the margin of the view above, bound included
      {400, 510, 5, 300, 410},        // just outside that margin: the panel's
      {400, 70, 2, 400, 70},          // below
      {70, 300, 3, 70, 300},          // left
      {730, 300, 4, 730, 300},        // right
  };
  Boxes b;
  for (const Case& k : cases) b.AddPoint(1, k.x, k.y);
  TranslateToBoxes(b.c);
  for (int i = 1; i <= b.s.PathList.size(); ++i) {
    const Case& k = cases[i - 1];
    EXPECT_EQ(b.s.PathList[i].Box, k.box) << k.x << "," << k.y;
    EXPECT_EQ(b.s.PathList[i].X, k.expected_x) << k.x << "," << k.y;
    EXPECT_EQ(b.s.PathList[i].Y, k.expected_y) << k.x << "," << k.y;
  }
}

TEST(BoxTranslation, AnArcStartTakesItsCentreAlongButItsEndKeepsItsAngles) {
  Boxes b;
  b.AddPoint(-3, 200, 200, 250, 200);
  b.AddPoint(3, 300, 200, 0, 180);
  b.AddPoint(-3, 400, 530, 420, 530);  // an arc in the view above: nothing moves
  b.AddPoint(3, 440, 530, 0, 180);
  TranslateToBoxes(b.c);
  const auto& p = b.s.PathList;
  EXPECT_EQ(p[1].X, 100);
  EXPECT_EQ(p[1].Y, 100);
  EXPECT_EQ(p[1].CentreX, 150);
  EXPECT_EQ(p[1].CentreY, 100);
  EXPECT_EQ(p[2].X, 200);
  EXPECT_EQ(p[2].Y, 100);
  EXPECT_EQ(p[2].CentreX, 0);
  EXPECT_EQ(p[2].CentreY, 180);
  EXPECT_EQ(p[3].Box, 1);
  EXPECT_EQ(p[3].CentreX, 420);
  EXPECT_EQ(p[3].CentreY, 530);
}

TEST(BoxTranslation, CirclesAreAssignedByTheirCentre) {
  Boxes b;
  CircleRecord panel_circle, view_circle;
  panel_circle.CentreX = 300, panel_circle.CentreY = 300;
  view_circle.CentreX = 70, view_circle.CentreY = 200;
  b.s.CircleList = {panel_circle, view_circle};
  TranslateToBoxes(b.c);
  EXPECT_EQ(b.s.CircleList[1].Box, kPanelBox);
  EXPECT_EQ(b.s.CircleList[1].CentreX, 200);
  EXPECT_EQ(b.s.CircleList[1].CentreY, 200);
  EXPECT_EQ(b.s.CircleList[2].Box, 3);
  EXPECT_EQ(b.s.CircleList[2].CentreX, 70);
  EXPECT_EQ(b.s.CircleList[2].CentreY, 200);
}

TEST(BoxTranslation, WithoutEdgeViewsEveryPointIsThePanels) {
  Boxes b;
  for (int view = 1; view <= 4; ++view) b.s.PartExtents[static_cast<std::size_t>(view)] = ExtentBox{};
  b.s.EdgeMarginX = b.s.EdgeMarginY = 0;
  b.AddPoint(-1, 100, 100);
  b.AddPoint(1, 0, 0);  // even outside the panel
  TranslateToBoxes(b.c);
  EXPECT_EQ(b.s.PathList[1].Box, kPanelBox);
  EXPECT_EQ(b.s.PathList[1].X, 0);
  EXPECT_EQ(b.s.PathList[2].Box, kPanelBox);
  EXPECT_EQ(b.s.PathList[2].X, -100);
}

}  // namespace
}  // namespace mq
