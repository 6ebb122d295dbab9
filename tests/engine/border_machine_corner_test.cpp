// The machine corner named in the border layer, and the move of every list to it.

#include <gtest/gtest.h>

#include <string>

#include "engine/driver_harness.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;

struct CornerCase {
  const char* layer;
  bool x_from_right;
  bool y_from_top;
  bool no_code;
};

class BorderLayerCodes : public ::testing::TestWithParam<CornerCase> {};

TEST_P(BorderLayerCodes, SelectTheMachineCorner) {
  const CornerCase& k = GetParam();
  Drawing d(test::PanelOfLines(0, 0, k.layer));
  ReadBorderLayerCodes(d.c);
  EXPECT_EQ(d.state.XFromRight, k.x_from_right) << k.layer;
  EXPECT_EQ(d.state.YFromTop, k.y_from_top) << k.layer;
  EXPECT_EQ(d.state.NoCodeFlag, k.no_code) << k.layer;
}

INSTANTIATE_TEST_SUITE_P(
    Border, BorderLayerCodes,
    ::testing::Values(CornerCase{"BORDER", false, false, false}, CornerCase{"BORDERLL", false, false, false},
                      CornerCase{"BORDERUL", false, true, false}, CornerCase{"BORDERUR", true, true, false},
                      CornerCase{"BORDERLR", true, false, false},
                      // Looked for in the order LL, UL, UR, LR: the later code of that order wins.
                      CornerCase{"BORDER UL LR", true, false, false},
                      CornerCase{"BORDER LR UL", true, false, false},
                      CornerCase{"BORDER UR LL", true, true, false},
                      CornerCase{"BORDERNO", false, false, true}, CornerCase{"BORDERUR NO", true, true, true},
                      // Only names that begin with BORDER carry codes.
                      CornerCase{"MYBORDERUR", false, false, false}));

TEST(BorderLayerCodes, AnotherBorderEntityLaterInTheDrawingOverrides) {
  DxfBuilder dxf;
  dxf.Line("BORDERUR", 0, 0, 600, 0);
  dxf.Line("BORDERUR", 600, 0, 600, 400);
  dxf.Line("BORDERLL", 600, 400, 0, 400);
  dxf.Line("BORDER", 0, 400, 0, 0);
  Drawing d(dxf);
  ReadBorderLayerCodes(d.c);
  EXPECT_FALSE(d.state.XFromRight);
  EXPECT_FALSE(d.state.YFromTop);
}

// A 600 x 400 panel whose lists hold one item each, measured from the lower left.
ConversionState FilledLists(bool x_from_right, bool y_from_top) {
  ConversionState s;
  s.PartExtents[kPanelBox].Width = 600;
  s.PartExtents[kPanelBox].Height = 400;
  s.XFromRight = x_from_right;
  s.YFromTop = y_from_top;
  PathSegment arc_start;
  arc_start.SegmentType = -3;
  arc_start.X = 100, arc_start.Y = 50, arc_start.CentreX = 150, arc_start.CentreY = 50;
  PathSegment arc_end;  // holds the arc's angles, not a point
  arc_end.SegmentType = 3;
  arc_end.X = 200, arc_end.Y = 50, arc_end.CentreX = 0, arc_end.CentreY = 180;
  PathSegment line_end;
  line_end.SegmentType = 1;
  line_end.X = 250, line_end.Y = 60, line_end.CentreX = 7, line_end.CentreY = 8;
  s.PathList = {arc_start, arc_end, line_end};
  BoreRecord bore;
  bore.X = 30, bore.Y = 40;
  s.BoreList.push_back(bore);
  LineBoreRecord groove;
  groove.X1 = 10, groove.Y1 = 20, groove.X2 = 110, groove.Y2 = 20;
  s.LineBoreList.push_back(groove);
  CircleRecord circle;
  circle.CentreX = 300, circle.CentreY = 100;
  s.CircleList.push_back(circle);
  for (int16_t side = 1; side <= 4; ++side) {
    EdgeBoreRecord edge;
    edge.Side = side;
    edge.X = 50, edge.Y = 60, edge.Z = 9;
    s.EdgeBoreList.push_back(edge);
  }
  return s;
}

ConversionState Transformed(bool x_from_right, bool y_from_top) {
  test::RecordingOperator person;
  RunContext run(person);
  EntityStore store;
  Settings settings;
  ConversionState s = FilledLists(x_from_right, y_from_top);
  EngineContext c{run, store, settings, s, nullptr};
  TransformToMachineCorner(c);
  return s;
}

TEST(MachineCorner, UpperRightMeasuresEveryListFromTheFarEdges) {
  const ConversionState s = Transformed(true, true);
  EXPECT_EQ(s.PathList[1].X, 500);
  EXPECT_EQ(s.PathList[1].Y, 350);
  EXPECT_EQ(s.PathList[1].CentreX, 450) << "an arc start carries the centre";
  EXPECT_EQ(s.PathList[1].CentreY, 350);
  EXPECT_EQ(s.PathList[2].X, 400);
  EXPECT_EQ(s.PathList[2].Y, 350);
  EXPECT_EQ(s.PathList[2].CentreX, 0) << "an arc end holds angles";
  EXPECT_EQ(s.PathList[2].CentreY, 180);
  EXPECT_EQ(s.PathList[3].X, 350);
  EXPECT_EQ(s.PathList[3].Y, 340);
  EXPECT_EQ(s.PathList[3].CentreX, 7);
  EXPECT_EQ(s.PathList[3].CentreY, 8);
  EXPECT_EQ(s.BoreList[1].X, 570);
  EXPECT_EQ(s.BoreList[1].Y, 360);
  EXPECT_EQ(s.LineBoreList[1].X1, 590);
  EXPECT_EQ(s.LineBoreList[1].X2, 490);
  EXPECT_EQ(s.LineBoreList[1].Y1, 380);
  EXPECT_EQ(s.LineBoreList[1].Y2, 380);
  EXPECT_EQ(s.CircleList[1].CentreX, 300);
  EXPECT_EQ(s.CircleList[1].CentreY, 300);
  // Top and bottom edges: X along the edge; left and right: Y along the edge.
  for (int side = 1; side <= 2; ++side) {
    EXPECT_EQ(s.EdgeBoreList[side].X, 550) << side;
    EXPECT_EQ(s.EdgeBoreList[side].Y, 60) << side;
  }
  for (int side = 3; side <= 4; ++side) {
    EXPECT_EQ(s.EdgeBoreList[side].X, 50) << side;
    EXPECT_EQ(s.EdgeBoreList[side].Y, 340) << side;
  }
  for (int side = 1; side <= 4; ++side) EXPECT_EQ(s.EdgeBoreList[side].Z, 9) << side;
}

TEST(MachineCorner, LowerRightMirrorsOnlyX) {
  const ConversionState s = Transformed(true, false);
  EXPECT_EQ(s.PathList[1].X, 500);
  EXPECT_EQ(s.PathList[1].Y, 50);
  EXPECT_EQ(s.PathList[1].CentreX, 450);
  EXPECT_EQ(s.PathList[1].CentreY, 50);
  EXPECT_EQ(s.BoreList[1].X, 570);
  EXPECT_EQ(s.BoreList[1].Y, 40);
  EXPECT_EQ(s.EdgeBoreList[1].X, 550);
  EXPECT_EQ(s.EdgeBoreList[3].Y, 60);
}

TEST(MachineCorner, UpperLeftMirrorsOnlyY) {
  const ConversionState s = Transformed(false, true);
  EXPECT_EQ(s.PathList[1].X, 100);
  EXPECT_EQ(s.PathList[1].Y, 350);
  EXPECT_EQ(s.CircleList[1].CentreX, 300);
  EXPECT_EQ(s.CircleList[1].CentreY, 300);
  EXPECT_EQ(s.EdgeBoreList[1].X, 50);
  EXPECT_EQ(s.EdgeBoreList[3].Y, 340);
}

TEST(MachineCorner, LowerLeftChangesNothing) {
  const ConversionState before = FilledLists(false, false);
  const ConversionState s = Transformed(false, false);
  for (int i = 1; i <= s.PathList.size(); ++i) {
    EXPECT_EQ(s.PathList[i].X, before.PathList[i].X) << i;
    EXPECT_EQ(s.PathList[i].Y, before.PathList[i].Y) << i;
    EXPECT_EQ(s.PathList[i].CentreX, before.PathList[i].CentreX) << i;
    EXPECT_EQ(s.PathList[i].CentreY, before.PathList[i].CentreY) << i;
  }
  EXPECT_EQ(s.BoreList[1].X, before.BoreList[1].X);
  EXPECT_EQ(s.EdgeBoreList[1].X, before.EdgeBoreList[1].X);
}

}  // namespace
}  // namespace mq
