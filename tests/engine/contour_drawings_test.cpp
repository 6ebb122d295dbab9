// Whole drawings read by the DXF reader, routed and joined: the finished PathList keeps
// the conventions the geometry passes and the writer rely on, and loses nothing.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "contour_test_support.h"
#include "route_test_drawing.h"

namespace mq {
namespace {

using test::DxfBuilder;
using test::RoutedDrawing;

struct DrawingCase {
  const char* name;
  std::function<DxfBuilder()> drawing;
  int records;  // in the finished PathList
  int contours;
};

DxfBuilder CabinetSide() {
  DxfBuilder dxf = test::PanelOfLines();
  // The outline cut as four LINEs and a rounded corner, drawn in no particular order.
  const std::string outline = "ROUTE T5 D12 Z19 F4000 FA2500 L";
  dxf.Line(outline, 0, 0, 550, 0);
  dxf.Line(outline, 600, 400, 600, 50);
  dxf.Line(outline, 0, 400, 0, 0);
  dxf.Arc(outline, 550, 50, 50, 270, 360);
  dxf.Line(outline, 600, 400, 0, 400);
  // Shelf-pin holes routed as circles, a handle slot as a closed polyline with bulges.
  dxf.Circle("ROUTE3 T2 D5 Z10 R", 37, 100, 4);
  dxf.Circle("ROUTE3 T2 D5 Z10 R", 37, 300, 4);
  dxf.Polyline("ROUTE1 T2 D8 Z12", {{250, 180, 1}, {350, 180}, {350, 220, 1}, {250, 220}}, 1);
  // A groove route ending on a circle, and an open chain drawn piece by piece.
  dxf.Line("ROUTE T2 D6 Z8", 100, 350, 200, 350);
  dxf.Circle("ROUTE T2 D6 Z8", 200, 330, 20);
  dxf.Line("ROUTE T1 D6 Z3", 400, 30, 450, 30);
  dxf.Line("ROUTE T1 D6 Z3", 450, 30, 450, 80);
  dxf.Line("ROUTE T1 D6 Z3", 450, 80, 500, 80);
  return dxf;
}

DxfBuilder CirclesWithLeads() {
  DxfBuilder dxf = test::WithInstructions(test::PanelOfLines(), {"LEAD ON 8"});
  dxf.Circle("ROUTE T3 D10 Z19 L", 150, 200, 40);
  dxf.Circle("ROUTE T3 D10 Z19 R RI RO", 350, 200, 40);
  dxf.Circle("ROUTE T3 D10 Z19", 500, 200, 20);
  return dxf;
}

DxfBuilder CirclesAndLinesWithLeads() {
  DxfBuilder dxf = CirclesWithLeads();
  dxf.Rectangle("ROUTE T4 D10 Z19 L", 50, 50, 550, 350);
  return dxf;
}

DxfBuilder SequencedLayers() {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Rectangle("ROUTE3 T1 Z5", 10, 10, 100, 100);
  dxf.Rectangle("ROUTE1 T9 Z5", 200, 10, 300, 100);
  dxf.Rectangle("EXCAV T1 K4 Z5", 400, 200, 500, 300);
  dxf.Line("ROTAR T7 Z5", 10, 390, 590, 390);
  return dxf;
}

DxfBuilder LwPolylines() {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.LwPolyline("ROUTE T2 Z6", {{100, 100}, {200, 100, -0.4}, {200, 200}, {100, 200}}, 1);
  dxf.LwPolyline("ROUTE T2 Z6", {{300, 100}, {400, 150}}, 0);
  dxf.Line("ROUTE T2 Z6", 400, 150, 450, 150);  // touches the open polyline, is not chained to it
  return dxf;
}

class FinishedDrawing : public testing::TestWithParam<DrawingCase> {};

TEST_P(FinishedDrawing, KeepsThePathConventions) {
  const DrawingCase& dc = GetParam();
  RoutedDrawing d(dc.drawing());
  const int routed = d.state.PathCount();
  int circles = d.state.CircleList.size();
  JoinContours(d.c);
  if (d.state.PathList.empty() && !d.state.CircleList.empty()) ExpandLoneCircles(d.c);
  EXPECT_EQ(d.run.FileFailed, kFalse);
  test::ExpectFinishedPathConventions(d.state);
  EXPECT_EQ(d.state.PathCount(), dc.records) << routed << " routed records, " << circles << " circles";
  EXPECT_EQ(d.state.Contours.size(), dc.contours);
  EXPECT_EQ(d.state.ContourOrder.size(), dc.contours);
  for (const CircleRecord& c : d.state.CircleList) EXPECT_EQ(c.Expanded, -1) << "every circle is cut";
}

INSTANTIATE_TEST_SUITE_P(Drawings, FinishedDrawing,
                         testing::Values(
                             // 10 outline + 4 pin holes + 5 slot + 2 + 2 groove and its circle + 6 chain.
                             DrawingCase{"CabinetSide", CabinetSide, 10 + 4 + 5 + 4 + 6, 6},
                             // Two circles with leads (6 records each) and one opened at its top.
                             DrawingCase{"CirclesWithLeads", CirclesWithLeads, 6 + 6 + 2, 3},
                             DrawingCase{"CirclesAndLinesWithLeads", CirclesAndLinesWithLeads, 8 + 6 + 6 + 2,
                                         4},
                             DrawingCase{"SequencedLayers", SequencedLayers, 8 + 8 + 8 + 2, 4},
                             DrawingCase{"LwPolylines", LwPolylines, 5 + 2 + 2, 3}),
                         test::CaseName{});

TEST(SequencedDrawing, LayersComeInTheirSequenceOrder) {
  RoutedDrawing d(SequencedLayers());
  JoinContours(d.c);
  ASSERT_EQ(d.state.Contours.size(), 4);
  std::vector<int> sequences;
  for (const ContourRow& row : d.state.Contours) sequences.push_back(d.state.PathList[row.First].Sequence);
  // ROUTE1 loads as sequence 20, ROUTE3 as 40; the unnumbered follow.
  EXPECT_EQ(sequences, (std::vector<int>{20, 40, 0, 0}));
}

}  // namespace
}  // namespace mq
