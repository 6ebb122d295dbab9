// The route pass on drawings read by the DXF reader: the path records of LINE, ARC and
// POLYLINE entities, the circles, the depth rule, faces, layers and the border route.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "route_test_drawing.h"

namespace mq {
namespace {

using test::DxfBuilder;
using test::DxfNumber;
using test::DxfVertex;
using test::RoutedDrawing;

constexpr const char* kRouteLayer = "ROUTE T3 D12P5 F3000 FA2000 S18 Z5 R";

DxfBuilder Panel() { return test::PanelOfLines(); }

TEST(RouteLine, GivesTwoEntriesWithTheLayersToolData) {
  DxfBuilder dxf = Panel();
  dxf.Line(kRouteLayer, 100, 50, 300, 80);
  RoutedDrawing d(dxf);
  ASSERT_EQ(d.Types(), (std::vector<int>{-1, 1}));
  EXPECT_TRUE(d.state.CircleList.empty());
  for (int i = 1; i <= 2; ++i) {
    const PathSegment& p = d.At(i);
    EXPECT_EQ(p.LayerNumber, 1);
    EXPECT_EQ(p.Tool, 3);
    EXPECT_EQ(p.ToolText, FixedText<12>("03"));
    EXPECT_FLOAT_EQ(p.ToolDiameter, 12.5f);
    EXPECT_EQ(p.VX, 3000) << "a line is cut at F";
    EXPECT_EQ(p.VM, 18000);
    EXPECT_EQ(p.Z, 5);
    EXPECT_EQ(p.G, 1);
    EXPECT_EQ(p.CompCode, FixedText<10>("G42 "));
    EXPECT_EQ(p.ChainFlag, 0);
    EXPECT_EQ(p.CentreX, 0);
    EXPECT_EQ(p.CentreY, 0);
  }
  EXPECT_EQ(d.At(1).X, 100);
  EXPECT_EQ(d.At(1).Y, 50);
  EXPECT_EQ(d.At(2).X, 300);
  EXPECT_EQ(d.At(2).Y, 80);
}

TEST(RouteArc, RunsFromItsEndToItsStartAtTheArcFeed) {
  DxfBuilder dxf = Panel();
  dxf.Arc(kRouteLayer, 300, 200, 50, 0, 90);
  RoutedDrawing d(dxf);
  ASSERT_EQ(d.Types(), (std::vector<int>{-3, 3}));
  EXPECT_NEAR(d.At(1).X, 300, 1e-4);
  EXPECT_NEAR(d.At(1).Y, 250, 1e-4);
  EXPECT_EQ(d.At(1).CentreX, 300);
  EXPECT_EQ(d.At(1).CentreY, 200);
  EXPECT_NEAR(d.At(2).X, 350, 1e-4);
  EXPECT_NEAR(d.At(2).Y, 200, 1e-4);
  EXPECT_EQ(d.At(2).CentreX, 90) << "the DXF end angle";
  EXPECT_EQ(d.At(2).CentreY, 0) << "the DXF start angle";
  EXPECT_EQ(d.At(1).VX, 2000);
  EXPECT_EQ(d.At(2).VX, 2000);
}

// A 10 long chord of a circle of radius 5000 about (300, 5200), near its bottom point.
DxfBuilder FlatArc() {
  const double half_angle = std::asin(5.0 / 5000.0) * 180.0 / std::numbers::pi;
  DxfBuilder dxf = Panel();
  dxf.Arc(kRouteLayer, 300, 5200, 5000, 270 - half_angle, 270 + half_angle);
  return dxf;
}

TEST(RouteArc, AFlatArcIsCutStraight) {
  RoutedDrawing d(FlatArc());
  ASSERT_EQ(d.Types(), (std::vector<int>{-1, 1}));
  EXPECT_EQ(d.At(1).CentreY, 0);
  EXPECT_EQ(d.At(2).CentreY, 0);
  EXPECT_NEAR(d.At(1).X, 305, 1e-2);
  EXPECT_NEAR(d.At(2).X, 295, 1e-2);
}

TEST(RouteArc, NoArcSubKeepsAFlatArc) {
  RoutedDrawing d(test::WithInstructions(FlatArc(), {"NOARCSUB"}));
  ASSERT_EQ(d.Types(), (std::vector<int>{-3, 3}));
  EXPECT_EQ(d.At(1).CentreX, 300);
  EXPECT_EQ(d.At(1).CentreY, 5200);
}

TEST(RouteArc, AnArcOfLessThanAHundredTimesItsChordStaysAnArc) {
  DxfBuilder dxf = Panel();
  dxf.Arc(kRouteLayer, 300, 1200, 1000, 269, 271);  // chord 34.9: ratio 28.6
  RoutedDrawing d(dxf);
  EXPECT_EQ(d.Types(), (std::vector<int>{-3, 3}));
}

struct PolylineCase {
  const char* name;
  int flags;
  std::vector<int> types;
};

class RoutePolylineClosing : public testing::TestWithParam<PolylineCase> {};

TEST_P(RoutePolylineClosing, ClosesWhenItsFlagsAreNotZero) {
  DxfBuilder dxf = Panel();
  dxf.Polyline(kRouteLayer, {{100, 100}, {200, 100}, {200, 150}, {100, 150}}, GetParam().flags);
  RoutedDrawing d(dxf);
  ASSERT_EQ(d.Types(), GetParam().types);
  if (GetParam().types.size() == 5) {
    EXPECT_EQ(d.At(5).X, 100);
    EXPECT_EQ(d.At(5).Y, 100);
  }
  for (const PathSegment& p : d.state.PathList) {
    EXPECT_EQ(p.Tool, 3);
    EXPECT_EQ(p.Z, 5);
    EXPECT_EQ(p.VX, 3000);
  }
}

INSTANTIATE_TEST_SUITE_P(Flags, RoutePolylineClosing,
                         testing::Values(PolylineCase{"Closed", 1, {-5, 5, 5, 5, 5}},
                                         PolylineCase{"Flags8", 8, {-5, 5, 5, 5, 5}},
                                         PolylineCase{"Open", 0, {-5, 5, 5, 5}}),
                         test::CaseName{});

TEST(RoutePolyline, LwPolylinesAreRoutedAlike) {
  DxfBuilder dxf = Panel();
  dxf.LwPolyline(kRouteLayer, {{100, 100}, {200, 100}, {200, 150}, {100, 150}}, 1);
  RoutedDrawing d(dxf);
  EXPECT_EQ(d.Types(), (std::vector<int>{-5, 5, 5, 5, 5}));
}

TEST(RoutePolyline, ABulgeIsKeptWithItsVertexAndCutAtTheArcFeed) {
  DxfBuilder dxf = Panel();
  dxf.Polyline(kRouteLayer, {{100, 100}, {200, 100, 0.5}, {200, 200}}, 0);
  RoutedDrawing d(dxf);
  ASSERT_EQ(d.state.PathCount(), 3);
  EXPECT_EQ(d.At(1).CentreX, 0);
  EXPECT_EQ(d.At(1).VX, 3000);
  EXPECT_EQ(d.At(2).CentreX, -1);
  EXPECT_EQ(d.At(2).CentreY, 0.5f);
  EXPECT_EQ(d.At(2).VX, 2000);
}

struct WidthCase {
  const char* name;
  double start, end;
  int first_type;
};

class RoutePolylineWidth : public testing::TestWithParam<WidthCase> {};

TEST_P(RoutePolylineWidth, IsConstantOnlyForEqualWidthsAboveZero) {
  const WidthCase& w = GetParam();
  DxfBuilder dxf = Panel();
  DxfBuilder::Extras widths;
  if (w.start != 0) widths.push_back({40, DxfNumber(w.start)});
  if (w.end != 0) widths.push_back({41, DxfNumber(w.end)});
  dxf.Polyline("ROUTE T3 Z5", {{100, 100}, {200, 100}, {200, 150}}, 0, widths);
  RoutedDrawing d(dxf);
  ASSERT_EQ(d.state.PathCount(), 3);
  EXPECT_EQ(d.At(1).SegmentType, w.first_type);
  if (w.first_type == -4) {
    EXPECT_EQ(d.At(1).CentreX, static_cast<float>(w.start));
    EXPECT_EQ(d.At(1).CentreY, static_cast<float>(w.end));
  }
  // Without D and thickness the start width is the tool diameter.
  EXPECT_EQ(d.At(2).ToolDiameter, static_cast<float>(w.start));
}

INSTANTIATE_TEST_SUITE_P(Widths, RoutePolylineWidth,
                         testing::Values(WidthCase{"NoWidth", 0, 0, -5}, WidthCase{"Equal", 6, 6, -4},
                                         WidthCase{"Unequal", 6, 8, -5}, WidthCase{"StartOnly", 6, 0, -5}),
                         test::CaseName{});

TEST(RouteCircle, GoesToTheCircleList) {
  DxfBuilder dxf = Panel();
  dxf.Circle("ROUTE T4 D8 FA1500 F3000 S20 Z6 L LD7 RI2 RO3 M3", 250, 150, 30);
  RoutedDrawing d(dxf);
  EXPECT_TRUE(d.state.PathList.empty());
  ASSERT_EQ(d.state.CircleList.size(), 1);
  const CircleRecord& c = d.state.CircleList[1];
  EXPECT_EQ(c.CentreX, 250);
  EXPECT_EQ(c.CentreY, 150);
  EXPECT_EQ(c.Radius, 30);
  EXPECT_EQ(c.Depth, 6);
  EXPECT_EQ(c.ToolDiameter, 8);
  EXPECT_EQ(c.Tool, 4);
  EXPECT_EQ(c.G, 1);
  EXPECT_EQ(c.LayerNumber, 1);
  EXPECT_EQ(c.Expanded, 0);
  EXPECT_EQ(c.Speed, 20000);
  EXPECT_EQ(c.FA, 1500);
  EXPECT_EQ(c.LD, 7);
  EXPECT_EQ(c.RI, 2);
  EXPECT_EQ(c.RO, 3);
  EXPECT_EQ(c.M, 3);
  EXPECT_EQ(c.CompCode, FixedText<10>("G41 "));
}

TEST(RouteFaces, EntitiesOnASideFaceAreNotRouted) {
  DxfBuilder dxf = Panel();
  const DxfBuilder::Extras side{{210, "1"}, {220, "0"}, {230, "0"}};  // extrusion along +X: face 3
  dxf.Line(kRouteLayer, 10, 10, 20, 10, side);
  dxf.Arc(kRouteLayer, 10, 10, 5, 0, 90, side);
  dxf.Circle(kRouteLayer, 10, 10, 5, side);
  dxf.Polyline(kRouteLayer, {{1, 1}, {5, 5}}, 0, side);
  dxf.Line(kRouteLayer, 100, 100, 200, 100, {{210, "0"}, {220, "0"}, {230, "1"}});  // the top face
  RoutedDrawing d(dxf);
  EXPECT_EQ(d.Types(), (std::vector<int>{-1, 1}));
  EXPECT_TRUE(d.state.CircleList.empty());
}

TEST(RouteDepth, ZThenElevationThenTheZCoordinates) {
  DxfBuilder dxf = Panel();
  dxf.Entity("LINE", "ROUTE T1 D6", {{10, "10"}, {20, "10"}, {30, "-7"}, {11, "20"}, {21, "10"}, {31, "-9"}});
  dxf.Entity("LINE", "ROUTE T1 D6",
             {{10, "30"}, {20, "10"}, {30, "-7"}, {11, "40"}, {21, "10"}, {31, "-9"}, {38, "4"}});
  dxf.Entity("LINE", "ROUTE Z2 T1 D6",
             {{10, "50"}, {20, "10"}, {30, "-7"}, {11, "60"}, {21, "10"}, {31, "-9"}});
  RoutedDrawing d(dxf);
  ASSERT_EQ(d.state.PathCount(), 6);
  EXPECT_EQ(d.At(1).Z, 7) << "no Z, no elevation: the start's Z coordinate";
  EXPECT_EQ(d.At(2).Z, 9) << "and the end's";
  EXPECT_EQ(d.At(3).Z, 4) << "the elevation";
  EXPECT_EQ(d.At(4).Z, 4);
  EXPECT_EQ(d.At(5).Z, 2) << "the layer's Z";
  EXPECT_EQ(d.At(6).Z, 2);
}

TEST(RouteLayers, AreRoutedInTheOrderTheyFirstAppearAndNumberedSo) {
  DxfBuilder dxf = Panel();
  dxf.Line("ROUTE T2", 10, 10, 20, 10);
  dxf.Line("ROTAR T5", 30, 10, 40, 10);
  dxf.Line("ROUTE T2", 50, 10, 60, 10);
  RoutedDrawing d(dxf);
  ASSERT_EQ(d.state.PathCount(), 6);
  std::vector<float> starts{d.At(1).X, d.At(3).X, d.At(5).X};
  EXPECT_EQ(starts, (std::vector<float>{10, 50, 30}));
  EXPECT_EQ(d.At(1).LayerNumber, 1);
  EXPECT_EQ(d.At(3).LayerNumber, 1);
  EXPECT_EQ(d.At(5).LayerNumber, 2);
}

TEST(RouteLayers, AnEntityIsRoutedOnceEvenWhenItsLayerNameContainsAnother) {
  DxfBuilder dxf = Panel();
  dxf.Line("ROUTE T3 D10", 10, 10, 20, 10);
  dxf.Line("ROUTE T3 D10 L", 30, 10, 40, 10);
  dxf.Circle("ROUTE T3 D10 L", 300, 200, 20);
  RoutedDrawing d(dxf);
  ASSERT_EQ(d.state.PathCount(), 4);
  EXPECT_EQ(d.At(3).LayerNumber, 2);
  EXPECT_EQ(d.At(3).CompCode, FixedText<10>("G41 "));
  ASSERT_EQ(d.state.CircleList.size(), 1);
  EXPECT_EQ(d.state.CircleList[1].LayerNumber, 2);
}

TEST(RouteExcavation, CarriesThePitchInOZAndAsksForExplodedPolylines) {
  DxfBuilder dxf = Panel();
  dxf.Line("EXCAV T2 K6", 10, 10, 20, 10);
  dxf.Polyline("EXCAV T2 K6", {{100, 100}, {200, 100}, {200, 150}}, 1);
  dxf.Line("ROUTE T2 OZ3", 30, 10, 40, 10);
  RoutedDrawing d(dxf);
  ASSERT_EQ(d.state.PathCount(), 2 + 4 + 2);
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(d.At(i).OZ, -7) << "record " << i;
  EXPECT_EQ(d.At(7).OZ, 3);
  const std::vector<std::string> messages = d.Messages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "Explode Polylines for Excavation."), 1);
}

// --- The border route -----------------------------------------------------------------

// A closed polyline along the bottom, right and top edges of the 600 x 400 panel, with a
// notch from the top edge down into the panel.
DxfBuilder OutlineWithNotch() {
  DxfBuilder dxf = Panel();
  dxf.Polyline("ROUTE T1 Z19",
               {{0, 0}, {600, 0}, {600, 400}, {300, 400}, {300, 200}, {200, 200}, {200, 400}, {0, 400}}, 1);
  return dxf;
}

TEST(RemoveBorderRoute, DropsThePiecesAlongThePanelEdges) {
  RoutedDrawing d(OutlineWithNotch(), true);
  ASSERT_EQ(d.Types(), (std::vector<int>{-5, 5, 5, 5}));
  const std::vector<std::pair<float, float>> notch{{300, 400}, {300, 200}, {200, 200}, {200, 400}};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(std::make_pair(d.At(i).X, d.At(i).Y), notch[static_cast<std::size_t>(i - 1)]);
  }
}

TEST(RemoveBorderRoute, IsOffByDefault) {
  RoutedDrawing d(OutlineWithNotch(), false);
  EXPECT_EQ(d.state.PathCount(), 9);
}

TEST(RemoveBorderRoute, LeavesAPolylineWithFewPointsOnTheEdges) {
  DxfBuilder dxf = Panel();
  // Three vertices on the bottom and top edges, three on the left: not more than three.
  dxf.Polyline("ROUTE T1 Z19", {{0, 0}, {300, 0}, {300, 400}, {0, 400}}, 0);
  RoutedDrawing d(dxf, true);
  EXPECT_EQ(d.state.PathCount(), 4);
}

TEST(RemoveBorderRoute, SplitsWhatIsLeftIntoContoursOfItsOwn) {
  DxfBuilder dxf = Panel();
  // Two excursions from the bottom edge into the panel, the rest along the edges. The
  // bulged piece from (150, 0) runs along the edge by its end points and goes.
  dxf.Polyline("ROUTE T1 Z19",
               {{0, 0},
                {100, 0},
                {100, 100},
                {150, 0, 0.3},
                {250, 0},
                {250, 100, 0.5},
                {300, 0},
                {600, 0},
                {600, 400},
                {0, 400}},
               1);
  RoutedDrawing d(dxf, true);
  ASSERT_EQ(d.Types(), (std::vector<int>{-5, 5, 5, -5, 5, 5}));
  EXPECT_EQ(std::make_pair(d.At(1).X, d.At(1).Y), std::make_pair(100.0f, 0.0f));
  EXPECT_EQ(std::make_pair(d.At(3).X, d.At(3).Y), std::make_pair(150.0f, 0.0f));
  EXPECT_EQ(d.At(3).CentreX, 0) << "its last point loses the bulge of the dropped piece after it";
  EXPECT_EQ(d.At(3).CentreY, 0);
  EXPECT_EQ(std::make_pair(d.At(4).X, d.At(4).Y), std::make_pair(250.0f, 0.0f));
  EXPECT_EQ(d.At(5).CentreX, -1) << "the bulge of a kept piece stays";
  EXPECT_EQ(d.At(5).CentreY, 0.5f);
  EXPECT_EQ(std::make_pair(d.At(6).X, d.At(6).Y), std::make_pair(300.0f, 0.0f));
}

// --- Placed notes -------------------------------------------------------------------

TEST(RouteNotes, ANoteOnAnOperationsPointGivesItsParametersToThatOperationOnly) {
  DxfBuilder dxf = test::WithInstructions(Panel(), {});
  dxf.Text("INSTR", 100, 100, "NOTE1 T7");
  dxf.Line("ROUTE T2", 100, 100, 200, 100);
  dxf.Polyline("ROUTE T2", {{100, 300}, {200, 300}}, 0);
  dxf.Line("ROUTE T2", 300, 100, 400, 100);
  dxf.Text("INSTR", 100, 200, "NOTE2 T9");
  dxf.Polyline("ROUTE T2", {{100, 200}, {200, 250}}, 0);
  RoutedDrawing d(dxf);
  ASSERT_EQ(d.state.PathCount(), 8);
  EXPECT_EQ(d.At(1).Tool, 7);
  EXPECT_EQ(d.At(2).Tool, 7);
  EXPECT_EQ(d.At(3).Tool, 2) << "the polyline after it has no note: the line's note does not carry over";
  EXPECT_EQ(d.At(5).Tool, 2) << "nor has the next line";
  EXPECT_EQ(d.At(7).Tool, 9) << "a note on a polyline's first vertex";
  EXPECT_EQ(d.At(8).Tool, 9);
}

}  // namespace
}  // namespace mq
