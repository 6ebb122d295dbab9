// Contour joining and contour order: pieces chained into contours, circles cut open,
// the tour, the tool and sequence grouping, and the conventions of the finished
// PathList on hand-built lists and on whole drawings read by the DXF reader.

#include "engine/contours/contour_joining.h"
#include "engine/contours/contour_table.h"
#include "engine/contours/circle_joining.h"
#include "engine/contours/contour_chaining.h"
#include "engine/contours/contour_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/geometry/angles.h"
#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"
#include "engine/route_test_drawing.h"
#include "support/path_builder.h"

namespace mq {
namespace {

using Records = std::vector<std::string>;
using Segment = std::array<float, 4>;

// The conventions of a finished PathList that the geometry passes and the writer rely
// on: contours as the table says, each opened by ChainFlag -8 on its first record and no
// other negative ChainFlag but an arc end's -1 (its direction), uniform tool data, arcs
// whose records agree, and contours that run on without gaps.
void ExpectFinishedPathConventions(const ConversionState& s) {
  const OneBasedList<PathSegment>& path = s.PathList;
  if (path.empty()) return;
  ASSERT_FALSE(s.Contours.empty());
  EXPECT_EQ(s.Contours[s.Contours.size()].Last, path.size());
  for (int k = 1; k <= s.Contours.size(); ++k) {
    const ContourRow& row = s.Contours[k];
    const PathSegment& first = path[row.First];
    EXPECT_EQ(row.First, k == 1 ? 1 : s.Contours[k - 1].Last + 1) << "contour " << k;
    EXPECT_EQ(std::make_pair(first.ChainFlag, first.SegmentType < 0), std::make_pair(kContourStart, true))
        << "contour " << k << " is not marked as a start";
    EXPECT_NE(path[row.Last].SegmentType, -3) << "an arc start ends contour " << k;
    for (int i = row.First; i <= row.Last; ++i) {
      const PathSegment& p = path[i];
      const PathSegment& before = path[std::max(i - 1, 1)];
      EXPECT_TRUE(i == row.First || p.ChainFlag >= 0 || (p.SegmentType == 3 && p.ChainFlag == -1)) << i;
      EXPECT_TRUE(i == row.First || p.SegmentType > 0 ||
                  std::hypot(before.X - p.X, before.Y - p.Y) < s.CoincidenceTolerance + 1e-3f)
          << "contour " << k << " jumps at record " << i;
      EXPECT_EQ(std::make_tuple(p.Tool, p.ToolDiameter, p.CompCode, p.VM),
                std::make_tuple(first.Tool, first.ToolDiameter, first.CompCode, first.VM))
          << i;
      EXPECT_EQ(p.SegmentType == 3, i > row.First && before.SegmentType == -3) << i;
      if (p.SegmentType != -3 || i == row.Last) continue;
      // The arc end lies where its angle (CentreY) says, on the circle through the start.
      const PathSegment& end = path[i + 1];
      const float r = std::hypot(end.X - p.CentreX, end.Y - p.CentreY);
      EXPECT_NEAR(std::hypot(p.X - p.CentreX, p.Y - p.CentreY), r, 1e-3) << "arc start " << i;
      EXPECT_NEAR(p.CentreX + r * std::cos(end.CentreY * RadiansPerDegree), end.X, 1e-3) << "arc end " << i;
      EXPECT_NEAR(p.CentreY + r * std::sin(end.CentreY * RadiansPerDegree), end.Y, 1e-3) << "arc end " << i;
    }
  }
}

// A piece's tool data as the route pass stores it.
PathSegment Piece(int16_t tool = 1, int16_t sequence = 0, int16_t layer = 1, const char* comp = "") {
  PathSegment r = test::RouteRecord(10, comp);
  r.Tool = tool;
  r.Sequence = sequence;
  r.LayerNumber = layer;
  r.VM = 18000;
  r.ToolDiameter = 8;
  return r;
}

// Route pieces and circles on a 600 x 400 panel, joined as the driver joins them.
struct Joining : test::PanelHarness {
  test::PathBuilder pieces;
  Joining& Line(Segment l, const PathSegment& data = Piece()) {
    pieces.Defaults(data).Line({l[0], l[1]}, {l[2], l[3]}, false);
    return *this;
  }
  Joining& Circle(float cx, float cy, float r, const PathSegment& data = Piece()) {
    state.CircleList.push_back(test::RouteCircle(cx, cy, r, data));
    return *this;
  }
  Records Join() {
    state.PathList = pieces.Build();
    JoinContours(context);
    ExpandLoneCircles(context);  // does nothing once every circle is opened
    ExpectFinishedPathConventions(state);
    return test::Describe(state.PathList);
  }
};

// --- Chaining ----------------------------------------------------------------------------

// Every order of the four sides of a rectangle, each drawn either way round (bit k of
// the second number flips side k).
class FourLines : public testing::TestWithParam<std::tuple<std::array<int, 4>, int>> {};

TEST_P(FourLines, BecomeOneClosedContour) {
  constexpr Segment kSides[] = {{0, 0, 100, 0}, {100, 0, 100, 50}, {100, 50, 0, 50}, {0, 50, 0, 0}};
  const auto& [order, flips] = GetParam();
  Joining t;
  for (std::size_t k = 0; k < 4; ++k) {
    const Segment& s = kSides[order[k]];
    t.Line(flips & (1 << k) ? Segment{s[2], s[3], s[0], s[1]} : s);
  }
  t.Join();
  ASSERT_EQ(t.state.Contours.size(), 1);
  ASSERT_EQ(t.state.PathCount(), 8);
  EXPECT_EQ(std::make_pair(t.state.PathList[8].X, t.state.PathList[8].Y),
            std::make_pair(t.state.PathList[1].X, t.state.PathList[1].Y))
      << "closed";
}

std::vector<std::tuple<std::array<int, 4>, int>> AllRectangleCases() {
  std::vector<std::tuple<std::array<int, 4>, int>> cases;
  std::array<int, 4> order{0, 1, 2, 3};
  do {
    for (int flips = 0; flips < 16; ++flips) cases.emplace_back(order, flips);
  } while (std::next_permutation(order.begin(), order.end()));
  return cases;
}

INSTANTIATE_TEST_SUITE_P(AnyOrderAnyDirection, FourLines, testing::ValuesIn(AllRectangleCases()));

TEST(Chaining, TakesThePieceThatTurnsLeastTurningItRoundWhenItsEndTouches) {
  // The first line heads east onto (100, 100); then north (90), right 5.7; drawn towards
  // the joint, turned round: 5.7 and 2.3 left. Equal turns: the first in the table.
  const std::tuple<std::vector<Segment>, JoinedContour> cases[] = {
      {{{0, 100, 100, 100},
        {100, 100, 100, 200},
        {100, 100, 200, 110},
        {200, 90, 100, 100},
        {200, 96, 100, 100}},
       {1, 5}},
      {{{0, 100, 100, 100}, {100, 100, 200, 110}, {100, 100, 200, 90}}, {1, 2}},
  };
  for (const auto& [lines, expected] : cases) {
    Joining t;
    for (const Segment& l : lines) t.Line(l);
    t.state.PathList = t.pieces.Build();
    BuildContourTable(t.state);
    ASSERT_EQ(JoinPieces(t.state).front(), expected);
    const ContourRow& taken = t.state.Contours[expected[1]];
    EXPECT_EQ(test::Describe(t.state.PathList[taken.First]), "-1 100,100") << "runs on from the joint";
    EXPECT_EQ(t.state.PathList[taken.Last].SegmentType, 1);
  }
}

TEST(Chaining, BeginsAnOpenChainAtALooseEndAndTurnsRoundWhatIsDrawnTheOtherWay) {
  Joining chain;
  EXPECT_EQ(chain.Line({0, 0, 100, 0}).Line({100, 0, 100, 100}).Line({100, 100, 200, 100}).Join(),
            (Records{"-1 200,100 f-8", "1 100,100", "-1 100,100", "1 100,0", "-1 100,0", "1 0,0"}));
  Joining facing;
  EXPECT_EQ(facing.Line({0, 100, 100, 100}).Line({200, 100, 100, 100}).Join(),
            (Records{"-1 200,100 f-8", "1 100,100", "-1 100,100", "1 0,100"}));
  // A quarter arc about (100, 50) cut clockwise from (100, 0) to (50, 50), onto the
  // line's end: turned round, it runs counter-clockwise, each end keeping its angle.
  Joining arc;
  arc.Line({0, 50, 50, 50}).pieces.Arc({100, 50}, 50, 270, 180, false, false);
  EXPECT_EQ(arc.Join(), (Records{"-1 0,50 f-8", "1 50,50", "-3 50,50 c100,50", "3 100,0 c180,270 f-1"}));
}

TEST(JoiningPieces, KeepsApartWhatMustNotBeJoined) {
  const std::tuple<const char*, std::function<void(Joining&)>, int> cases[] = {
      {"RouteLayers",
       [](Joining& t) {
         t.Line({0, 1, 9, 1}, Piece(1, 0, 1)).Line({9, 1, 20, 1}, Piece(1, 0, 2));
       },
       2},
      {"Polylines",
       [](Joining& t) {
         t.pieces.Polyline({{0, 0}, {100, 0}, {100, 100}}, false, false);
         t.Line({100, 100, 200, 100}).pieces.Polyline({{300, 300}, {400, 300}, {400, 350}}, true, false);
       },
       3},
      {"CircleWithinFiveHundredths",
       [](Joining& t) {
         t.Line({0, 100, 100, 100}).Circle(100, 50, 50.04f);
       },
       1},
      {"CircleBeyondFiveHundredths",
       [](Joining& t) {
         t.Line({0, 100, 100, 100}).Circle(100, 50, 50.06f);
       },
       2},
      // The first circle touches a polyline, the second a line on another layer.
      {"CirclesAtPolylinesOrOnOtherLayers",
       [](Joining& t) {
         t.pieces.Polyline({{0, 100}, {100, 100}}, false, false);
         t.Line({0, 300, 100, 300}, Piece(1, 0, 2)).Circle(100, 50, 50).Circle(100, 250, 50);
       },
       4},
  };
  for (const auto& [name, draw, contours] : cases) {
    Joining t;
    t.pieces.Defaults(Piece());
    draw(t);
    t.Join();
    EXPECT_EQ(t.state.Contours.size(), contours) << name;
  }
}

// --- Circles -----------------------------------------------------------------------------

// A circle touched by a line end is cut open there and run in the sense that continues
// the line; a piece touching the cut point then runs on from the circle (arriving square
// to the circle, both senses turn alike: the first tangent is taken). A lone circle is
// cut at its top, clockwise.
TEST(CircleJoining, CutsTheCircleOpenWhereAPieceTouchesIt) {
  const Records circle{"-3 100,100 c100,50", "3 100,100 c90,90"};
  const std::tuple<std::vector<Segment>, Records> cases[] = {
      {{{0, 100, 100, 100}}, {"-1 0,100 f-8", "1 100,100", circle[0], circle[1]}},
      {{{100, 100, 0, 100}}, {"-1 0,100 f-8", "1 100,100", circle[0], circle[1]}},
      {{{200, 100, 100, 100}}, {"-1 200,100 f-8", "1 100,100", circle[0], circle[1] + " f-1"}},
      {{{100, 100, 200, 100}}, {"-1 200,100 f-8", "1 100,100", circle[0], circle[1] + " f-1"}},
      {{{0, 100, 100, 100}, {100, 100, 100, 300}},
       {"-1 100,300 f-8", "1 100,100", circle[0], circle[1], "-1 100,100", "1 0,100"}},
      {{{500, 10, 590, 10}}, {"-1 500,10 f-8", "1 590,10", "-3 100,100 c100,50 f-8", circle[1]}},
  };
  for (const auto& [lines, records] : cases) {
    Joining t;
    for (const Segment& l : lines) t.Line(l);
    EXPECT_EQ(t.Circle(100, 50, 50).Join(), records);
    EXPECT_EQ(std::make_pair(t.state.CircleList[1].Expanded, t.state.CircleList[1].LayerNumber),
              std::make_pair(int16_t{-1}, int16_t{0}));
  }
}

TEST(LoneCircle, TakesTheCirclesToolDataAndWaitsForTheNextPhaseWithoutPaths) {
  PathSegment data = Piece(4);
  data.Z = 12;
  Joining alone;
  alone.Circle(50, 60, 20, data).Circle(150, 60, 20, data);
  JoinContours(alone.context);
  EXPECT_TRUE(alone.state.PathList.empty()) << "without leads the circles wait for phase 15";
  ExpandLoneCircles(alone.context);
  EXPECT_EQ(test::Describe(alone.state.PathList),
            (Records{"-3 50,80 c50,60 f-8", "3 50,80 c90,90", "-3 150,80 c150,60 f-8", "3 150,80 c90,90"}));
  EXPECT_EQ(std::make_pair(alone.state.PathList[1].Z, alone.state.PathList[1].Tool),
            std::make_pair(12.f, int16_t{4}));
  Joining leads;  // none is lost beside a circle that gets leads
  leads.state.EffectiveLeadLength = 10;
  leads.state.LeadsOn = true;
  leads.Circle(100, 100, 50, Piece(1, 0, 1, "G41 ")).Circle(300, 100, 20);  // the second: no leads
  JoinContours(leads.context);
  EXPECT_EQ(std::make_pair(leads.state.PathCount(), leads.state.ContourOrder.size()),
            std::make_pair(6 + 2, 2));
}

// --- Order -------------------------------------------------------------------------------

TEST(ContourOrder, IsTheTourThenToolsThenSequences) {
  struct Case {
    const char* name;
    int16_t max_sequence;
    std::vector<std::array<float, 6>> lines;  // from, to, tool, sequence
    std::vector<int> first_x;                 // X of each contour's first point, in the final order
  };
  const Case cases[] = {
      // From the far corner (600, 400) to the nearest start, then on from its end.
      {"NearestNeighbourTour",
       0,
       {{10, 10, 20, 10, 1, 0}, {590, 390, 500, 390, 1, 0}, {480, 380, 400, 380, 1, 0}},
       {590, 480, 10}},
      // Both start 50 from the far corner.
      {"EqualDistancesKeepListOrder",
       0,
       {{550, 400, 550, 300, 1, 0}, {600, 350, 500, 350, 1, 0}},
       {550, 600}},
      {"EqualDistancesKeepListOrderSwapped",
       0,
       {{600, 350, 500, 350, 1, 0}, {550, 400, 550, 300, 1, 0}},
       {600, 550}},
      {"LowerToolFirst", 0, {{590, 390, 500, 390, 3, 0}, {10, 10, 20, 10, 1, 0}}, {10, 590}},
      // 200 and -2 lie outside 0..150: they follow in their tour order, not lost.
      {"ToolsOutsideTheGroupedRangeFollow",
       0,
       {{590, 390, 500, 390, 200, 0},
        {10, 10, 20, 10, 7, 0},
        {300, 300, 200, 300, -2, 0},
        {100, 10, 120, 10, 0, 0}},
       {100, 10, 590, 300}},
      {"SequencesBeforeUnsequencedWhateverTheirTools",
       40,
       {{10, 10, 20, 10, 1, 0},
        {100, 100, 120, 100, 9, 40},
        {590, 390, 500, 390, 1, 0},
        {300, 300, 320, 300, 5, 20}},
       {300, 100, 590, 10}},
      {"WithoutMaxSequenceToolOrderStands",
       0,
       {{100, 100, 120, 100, 9, 40}, {300, 300, 320, 300, 5, 20}},
       {300, 100}},
  };
  for (const Case& c : cases) {
    Joining t;
    for (const auto& l : c.lines) {
      t.Line({l[0], l[1], l[2], l[3]}, Piece(static_cast<int16_t>(l[4]), static_cast<int16_t>(l[5])));
    }
    t.store.Current.MaxSequence = c.max_sequence;
    t.Join();
    std::vector<int> first_x;
    for (const ContourRow& row : t.state.Contours)
      first_x.push_back(static_cast<int>(t.state.PathList[row.First].X));
    EXPECT_EQ(first_x, c.first_x) << c.name;
    EXPECT_EQ(t.state.ContourOrder.size(), c.lines.size()) << c.name;
  }
}

TEST(ContourOrder, EveryRecordGetsItsContoursToolData) {
  PathSegment b = Piece(5, 0, 1, "G42 R3");
  b.ToolDiameter = 10;
  Joining t;  // Join checks that the data are uniform
  t.Line({0, 100, 100, 100}, Piece(2, 0, 1, "G41 ")).Line({100, 100, 200, 100}, b).Join();
  EXPECT_EQ(std::make_pair(t.state.PathList[1].Tool, t.state.PathList[1].ToolDiameter),
            std::make_pair(int16_t{5}, 10.f))
      << "the chain is begun from the second line's loose end";
}

// --- Whole drawings ----------------------------------------------------------------------

using test::DxfBuilder;

DxfBuilder CabinetSide() {
  DxfBuilder dxf = test::PanelOfLines();
  // The outline cut as four LINEs and a rounded corner, drawn in no particular order.
  const std::string outline = "ROUTE T5 D12 Z19 F4000 FA2500 L";
  dxf.Line(outline, 0, 0, 550, 0).Line(outline, 600, 400, 600, 50).Line(outline, 0, 400, 0, 0);
  dxf.Arc(outline, 550, 50, 50, 270, 360).Line(outline, 600, 400, 0, 400);
  // Shelf-pin holes routed as circles, a handle slot as a closed polyline with bulges.
  dxf.Circle("ROUTE3 T2 D5 Z10 R", 37, 100, 4).Circle("ROUTE3 T2 D5 Z10 R", 37, 300, 4);
  dxf.Polyline("ROUTE1 T2 D8 Z12", {{250, 180, 1}, {350, 180}, {350, 220, 1}, {250, 220}}, 1);
  // A groove route ending on a circle, an open chain drawn piece by piece, and a line
  // touching an open polyline (not chained to it).
  dxf.Line("ROUTE T2 D6 Z8", 100, 350, 200, 350).Circle("ROUTE T2 D6 Z8", 200, 330, 20);
  dxf.Line("ROUTE T1 D6 Z3", 400, 30, 450, 30).Line("ROUTE T1 D6 Z3", 450, 30, 450, 80);
  dxf.Line("ROUTE T1 D6 Z3", 450, 80, 500, 80).LwPolyline("ROUTE T2 Z6", {{300, 100}, {400, 150}}, 0);
  return dxf.Line("ROUTE T2 Z6", 400, 150, 450, 150);
}

DxfBuilder CirclesWithLeads() {
  DxfBuilder dxf = test::WithInstructions(test::PanelOfLines(), {"LEAD ON 8"});
  dxf.Circle("ROUTE T3 D10 Z19 L", 150, 200, 40).Circle("ROUTE T3 D10 Z19 R RI RO", 350, 200, 40);
  return dxf.Circle("ROUTE T3 D10 Z19", 500, 200, 20).Rectangle("ROUTE T4 D10 Z19 L", 50, 50, 550, 350);
}

// ROUTE1 loads as sequence 20, ROUTE3 as 40.
DxfBuilder SequencedLayers() {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Rectangle("ROUTE3 T1 Z5", 10, 10, 100, 100).Rectangle("ROUTE1 T9 Z5", 200, 10, 300, 100);
  return dxf.Rectangle("EXCAV T1 K4 Z5", 400, 200, 500, 300).Line("ROTAR T7 Z5", 10, 390, 590, 390);
}

TEST(FinishedDrawing, KeepsThePathConventionsAndLosesNothing) {
  // 10 outline + 4 pin holes + 5 slot + 4 groove and its circle + 6 chain + 2 + 2; two
  // circles with leads (6 records each), one opened at its top, and a rectangle.
  const std::tuple<const char*, DxfBuilder, int, int, std::vector<int>> cases[] = {
      {"CabinetSide", CabinetSide(), 10 + 4 + 5 + 4 + 6 + 2 + 2, 8, {}},
      {"CirclesWithLeads", CirclesWithLeads(), 6 + 6 + 2 + 8, 4, {}},
      {"SequencedLayers", SequencedLayers(), 8 + 8 + 8 + 2, 4, {20, 40, 0, 0}},
  };
  for (const auto& [name, dxf, records, contours, sequences] : cases) {
    test::RoutedDrawing d(dxf);
    JoinContours(d.c);
    EXPECT_FALSE(d.run.FileFailed) << name;
    ExpectFinishedPathConventions(d.state);
    EXPECT_EQ(std::make_tuple(d.state.PathCount(), d.state.Contours.size(), d.state.ContourOrder.size()),
              std::make_tuple(records, contours, contours))
        << name;
    for (const CircleRecord& c : d.state.CircleList)
      EXPECT_EQ(c.Expanded, -1) << name << ": every circle is cut";
    std::vector<int> order;
    for (const ContourRow& row : d.state.Contours) order.push_back(d.state.PathList[row.First].Sequence);
    if (!sequences.empty()) {
      EXPECT_EQ(order, sequences) << name;
    }
  }
}

}  // namespace
}  // namespace mq
