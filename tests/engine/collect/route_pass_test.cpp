// The route pass on drawings read by the DXF reader: the path records of LINE, ARC and
// POLYLINE entities, the circles, the depth rule, faces, layers and the border route;
// and the report of entities on operation layers that nothing machines.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/route_test_drawing.h"

namespace mq {
namespace {

using test::DxfBuilder;
using test::RoutedDrawing;
using Points = std::vector<std::pair<float, float>>;

constexpr const char* kRoute = "ROUTE T3 D12P5 F3000 FA2000 S18 Z5 R";
const std::vector<test::DxfVertex> kBox{{100, 100}, {200, 100}, {200, 150}, {100, 150}};

// A 10 long chord of a circle of radius 5000 about (300, 5200), near its bottom point.
DxfBuilder& FlatArc(DxfBuilder& dxf) {
  const double half_angle = std::asin(5.0 / 5000.0) * 180.0 / std::numbers::pi;
  return dxf.Arc(kRoute, 300, 5200, 5000, 270 - half_angle, 270 + half_angle);
}

// The points of the records, to the hundredth.
Points PointsOf(const RoutedDrawing& d) {
  Points points;
  for (const PathSegment& p : d.state.PathList)
    points.emplace_back(std::round(p.X * 100) / 100, std::round(p.Y * 100) / 100);
  return points;
}

template <class Field>
std::vector<float> Each(const RoutedDrawing& d, Field field) {
  std::vector<float> values;
  for (const PathSegment& p : d.state.PathList) values.push_back(static_cast<float>(field(p)));
  return values;
}

TEST(RoutePass, GivesEachEntityItsRecordsWithTheLayersToolData) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Line(kRoute, 100, 50, 300, 80).Arc(kRoute, 300, 200, 50, 0, 90);
  dxf.Polyline(kRoute, {{100, 300}, {200, 300, 0.5}, {200, 350}}, 0);
  FlatArc(dxf).Arc(kRoute, 300, 1200, 1000, 269, 271);  // chord 34.9: ratio 28.6
  dxf.Polyline(kRoute, kBox, 1)
      .Polyline(kRoute, kBox, 8)
      .Polyline(kRoute, kBox, 0)
      .LwPolyline(kRoute, kBox, 1);
  dxf.Circle("ROUTE T4 D8 FA1500 F3000 S20 Z6 L LD7 RI2 RO3 M3", 250, 150, 30);
  const DxfBuilder::Extras side{{210, "1"}, {220, "0"}, {230, "0"}};  // extrusion along +X: not routed
  dxf.Line(kRoute, 10, 10, 20, 10, side).Arc(kRoute, 10, 10, 5, 0, 90, side).Circle(kRoute, 10, 10, 5, side);
  dxf.Polyline(kRoute, {{1, 1}, {5, 5}}, 0, side);
  RoutedDrawing d(dxf);
  // Line, arc, bulged open polyline, flat arc cut straight, arc, closed polyline (one more
  // record back at its start), flags 8 (closed too), open polyline, closed LWPOLYLINE.
  const std::vector<std::vector<int>> entities{{-1, 1},          {-3, 3},       {-5, 5, 5},
                                               {-1, 1},          {-3, 3},       {-5, 5, 5, 5, 5},
                                               {-5, 5, 5, 5, 5}, {-5, 5, 5, 5}, {-5, 5, 5, 5, 5}};
  std::vector<int> types;
  for (const std::vector<int>& entity : entities) types.insert(types.end(), entity.begin(), entity.end());
  EXPECT_EQ(d.Types(), types);
  // An arc runs from its end to its start; the flat arc likewise.
  const Points points = PointsOf(d);
  EXPECT_EQ(Points(points.begin(), points.begin() + 4),
            (Points{{100, 50}, {300, 80}, {300, 250}, {350, 200}}));
  EXPECT_EQ(Points(points.begin() + 7, points.begin() + 9), (Points{{305, 200}, {295, 200}}));
  EXPECT_EQ(points[15], std::make_pair(100.f, 100.f));
  // Arcs and bulged pieces at FA; arc starts carry the centre, arc ends the DXF end and
  // start angles, bulged vertices -1 and the bulge; an arc cut straight loses CentreY.
  const std::vector<float> feeds = Each(d, [](const PathSegment& p) { return p.VX; });
  EXPECT_EQ(std::vector<float>(feeds.begin(), feeds.begin() + 7),
            (std::vector<float>{3000, 3000, 2000, 2000, 3000, 2000, 3000}));
  const std::vector<float> cx = Each(d, [](const PathSegment& p) { return p.CentreX; });
  const std::vector<float> cy = Each(d, [](const PathSegment& p) { return p.CentreY; });
  EXPECT_EQ(std::vector<float>(cx.begin(), cx.begin() + 7), (std::vector<float>{0, 0, 300, 90, 0, -1, 0}));
  EXPECT_EQ(std::vector<float>(cy.begin(), cy.begin() + 9),
            (std::vector<float>{0, 0, 200, 0, 0, 0.5f, 0, 0, 0}));
  for (const PathSegment& p : d.state.PathList) {
    EXPECT_EQ(std::make_tuple(p.LayerNumber, p.Tool, p.ToolText, p.ToolDiameter, p.VM, p.Z, p.G, p.ChainFlag),
              std::make_tuple(int16_t{1}, int16_t{3}, FixedText<12>("03"), 12.5f, int16_t{18000}, 5.f,
                              int16_t{1}, int16_t{0}));
    EXPECT_EQ(p.CompCode, FixedText<10>("G42 "));
  }
  ASSERT_EQ(d.state.CircleList.size(), 1);
  const CircleRecord& c = d.state.CircleList[1];
  EXPECT_EQ(
      (std::vector<float>{c.CentreX, c.CentreY, c.Radius, c.Depth, c.ToolDiameter, c.FA, c.LD, c.RI, c.RO}),
      (std::vector<float>{250, 150, 30, 6, 8, 1500, 7, 2, 3}));
  EXPECT_EQ((std::vector<int>{c.Tool, c.G, c.LayerNumber, c.Expanded, c.Speed, c.M}),
            (std::vector<int>{4, 1, 2, 0, 20000, 3}));
  EXPECT_EQ(c.CompCode, FixedText<10>("G41 "));
}

TEST(RoutePass, NoArcSubKeepsAFlatArc) {
  DxfBuilder dxf = test::WithInstructions(test::PanelOfLines(), {"NOARCSUB"});
  RoutedDrawing d(FlatArc(dxf));
  EXPECT_EQ(d.Types(), (std::vector<int>{-3, 3}));
}

// Routed in the order the layers first appear; an entity whose layer name contains
// another route layer's name is routed once, on its own layer.
TEST(RoutePass, NumbersTheRouteLayersInTheOrderTheyFirstAppear) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Line("ROUTE T2", 10, 10, 20, 10).Line("ROTAR T5", 30, 10, 40, 10).Line("ROUTE T2", 50, 10, 60, 10);
  dxf.Line("ROUTE T2 L", 70, 10, 80, 10);
  RoutedDrawing d(dxf);
  EXPECT_EQ(Each(d, [](const PathSegment& p) { return p.X; }),
            (std::vector<float>{10, 20, 50, 60, 30, 40, 70, 80}));
  EXPECT_EQ(Each(d, [](const PathSegment& p) { return p.LayerNumber; }),
            (std::vector<float>{1, 1, 1, 1, 2, 2, 3, 3}));
}

TEST(RoutePolyline, IsOfConstantWidthOnlyForEqualWidthsAboveZero) {
  using Widths = std::tuple<double, double, int>;
  for (const auto& [start, end, first_type] :
       {Widths{0, 0, -5}, Widths{6, 6, -4}, Widths{6, 8, -5}, Widths{6, 0, -5}}) {
    DxfBuilder dxf = test::PanelOfLines();
    DxfBuilder::Extras widths;
    if (start != 0) widths.push_back({40, test::DxfNumber(start)});
    if (end != 0) widths.push_back({41, test::DxfNumber(end)});
    RoutedDrawing d(dxf.Polyline("ROUTE T3 Z5", {{100, 100}, {200, 100}, {200, 150}}, 0, widths));
    ASSERT_EQ(d.state.PathCount(), 3);
    EXPECT_EQ(d.At(1).SegmentType, first_type) << start << " / " << end;
    // -4 carries both widths; without D or thickness the start width is the diameter.
    if (first_type == -4) {
      EXPECT_EQ(std::make_pair(d.At(1).CentreX, d.At(1).CentreY), std::make_pair(6.f, 6.f));
    }
    EXPECT_EQ(d.At(2).ToolDiameter, static_cast<float>(start));
  }
}

TEST(RoutePass, DepthIsZThenElevationThenTheZCoordinates) {
  DxfBuilder dxf = test::PanelOfLines();
  const DxfBuilder::Extras at{{20, "10"}, {30, "-7"}, {11, "20"}, {21, "10"}, {31, "-9"}};
  dxf.Entity("LINE", "ROUTE T1 D6", at).Entity("LINE", "ROUTE T1 D6", at).Add(38, "4");
  dxf.Entity("LINE", "ROUTE Z2 T1 D6", at);
  RoutedDrawing d(dxf);
  // The start's and the end's Z coordinate; the elevation; the layer's Z.
  EXPECT_EQ(Each(d, [](const PathSegment& p) { return p.Z; }), (std::vector<float>{7, 9, 4, 4, 2, 2}));
}

TEST(RoutePass, ExcavationsCarryThePitchInOZAndAskForExplodedPolylines) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Line("EXCAV T2 K6", 10, 10, 20, 10).Polyline("EXCAV T2 K6", {{100, 100}, {200, 100}, {200, 150}}, 1);
  RoutedDrawing d(dxf.Line("ROUTE T2 OZ3", 30, 10, 40, 10));
  EXPECT_EQ(Each(d, [](const PathSegment& p) { return p.OZ; }),
            (std::vector<float>{-7, -7, -7, -7, -7, -7, 3, 3}));
  const std::vector<std::string> messages = d.Messages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "Explode Polylines for Excavation."), 1);
}

// The line's note does not carry over to the entities after it; a note on a polyline's
// first vertex serves the whole polyline.
TEST(RoutePass, ANoteOnAnOperationsPointGivesItsParametersToThatOperationOnly) {
  DxfBuilder dxf = test::WithInstructions(test::PanelOfLines(), {});
  dxf.Text("INSTR", 100, 100, "NOTE1 T7").Line("ROUTE T2", 100, 100, 200, 100);
  dxf.Polyline("ROUTE T2", {{100, 300}, {200, 300}}, 0).Line("ROUTE T2", 300, 100, 400, 100);
  dxf.Text("INSTR", 100, 200, "NOTE2 T9").Polyline("ROUTE T2", {{100, 200}, {200, 250}}, 0);
  RoutedDrawing d(dxf);
  EXPECT_EQ(Each(d, [](const PathSegment& p) { return p.Tool; }),
            (std::vector<float>{7, 7, 2, 2, 2, 2, 9, 9}));
}

TEST(RemoveBorderRoute, DropsThePiecesAlongThePanelEdgesOfAPolylineWithMoreThanThreePointsOnThem) {
  struct Case {
    const char* name;
    std::vector<test::DxfVertex> vertices;
    int flags;
    bool remove;
    Points points;
    std::vector<float> bulges;
  };
  // Along the bottom, right and top edges, notched from the top edge.
  const std::vector<test::DxfVertex> notched{{0, 0},     {600, 0},   {600, 400}, {300, 400},
                                             {300, 200}, {200, 200}, {200, 400}, {0, 400}};
  const Case cases[] = {
      {"Notched", notched, 1, true, {{300, 400}, {300, 200}, {200, 200}, {200, 400}}, {0, 0, 0, 0}},
      {"OffByDefault", notched, 1, false, {}, {}},
      // Three vertices on the bottom and top edges, three on the left: not more than three.
      {"FewPointsOnTheEdges", {{0, 0}, {300, 0}, {300, 400}, {0, 400}}, 0, true, {}, {}},
      // Two excursions from the bottom edge: what is left splits into contours. The bulged
      // piece from (150, 0) runs along the edge by its end points and goes with its bulge.
      {"Split",
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
       1,
       true,
       {{100, 0}, {100, 100}, {150, 0}, {250, 0}, {250, 100}, {300, 0}},
       {0, 0, 0, 0, 0.5f, 0}},
  };
  for (const Case& c : cases) {
    DxfBuilder dxf = test::PanelOfLines();
    RoutedDrawing d(dxf.Polyline("ROUTE T1 Z19", c.vertices, c.flags), c.remove);
    if (c.points.empty()) {
      EXPECT_EQ(d.state.PathCount(), static_cast<int>(c.vertices.size()) + c.flags)
          << c.name << ": nothing dropped";
      continue;
    }
    EXPECT_EQ(PointsOf(d), c.points) << c.name;
    EXPECT_EQ(Each(d, [](const PathSegment& p) { return p.CentreY; }), c.bulges) << c.name;
    std::vector<int> starts;
    for (int i = 1; i <= d.state.PathCount(); ++i) {
      if (d.At(i).SegmentType < 0) starts.push_back(i);
    }
    EXPECT_EQ(starts, (c.points.size() == 4 ? std::vector<int>{1} : std::vector<int>{1, 4})) << c.name;
  }
}

TEST(UnmachinedEntities, OneLinePerTypeAndLayerNamedAsDrawnAndNoneForWhatIsMachined) {
  DxfBuilder dxf = test::PanelOfLines();
  const DxfBuilder::Extras at{{10, "20"}, {20, "10"}};
  dxf.Entity("SPLINE", "ROUTE T3", at).Entity("SPLINE", "ROUTE T3", at).Entity("ELLIPSE", "ROUTE T3", at);
  dxf.Entity("SPLINE", "EXCAV T3 K5 FA2000 LD10", at).Entity("INSERT", "VBORE D5", at);
  dxf.Entity("HATCH", "GROOVE D5", at).Entity("3DFACE", "BORDER", at);
  // Machined types on a kind of layer that does not machine them.
  dxf.Point("ROUTE T3", 10, 10).Arc("GROOVE", 10, 10, 5, 0, 90).Circle("BORDER", 10, 10, 5);
  dxf.Polyline("PANEL", {{10, 10}, {20, 20}}, 0);
  // What each kind of layer machines, and a layer that is no operation layer.
  dxf.Line("ROUTE T3", 10, 10, 20, 10).Arc("ROUTE T3", 10, 10, 5, 0, 90).Circle("ROUTE T3", 10, 10, 5);
  dxf.Polyline("ROUTE T3", {{10, 10}, {20, 20}}, 0).LwPolyline("ROTAR T3", {{10, 10}, {20, 20}}, 0);
  dxf.Text("ROUTE T3", 10, 10, "a note").Point("VBORE D5", 10, 10).Circle("DRILLING D5", 10, 10, 3);
  dxf.Line("GROOVE", 10, 10, 20, 10).Line("HBORE D5", 10, 10, 20, 10).Circle("HBORE D5", 10, 10, 3);
  dxf.Solid("PANEL", 0, 0, 600, 0, 600, 400).Entity("SPLINE", "WALLS", at);
  RoutedDrawing d(dxf);
  ReportUnmachinedEntities(d.c);
  std::vector<std::string> lines = d.Messages();
  std::erase_if(lines, [](const std::string& l) { return l.rfind("Not machined: ", 0) != 0; });
  std::vector<std::string> expected;
  for (const char* e : {"SPLINE on layer ROUTE T3", "ELLIPSE on layer ROUTE T3",
                        "SPLINE on layer EXCAV T3 K5 FA2000 LD10", "INSERT on layer VBORE D5",
                        "HATCH on layer GROOVE D5", "3DFACE on layer BORDER", "POINT on layer ROUTE T3",
                        "ARC on layer GROOVE", "CIRCLE on layer BORDER", "POLYLINE on layer PANEL"}) {
    expected.push_back(std::string("Not machined: ") + e + " (explode it in the drawing)");
  }
  EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace mq
