#include "engine/contour_joining.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "bores_test_context.h"
#include "contour_test_support.h"
#include "engine/passes.h"

namespace mq {
namespace {

using test::AddArc;
using test::AddCircle;
using test::AddLine;
using test::AddPolyline;
using test::ExpectFinishedPathConventions;
using test::PieceData;

struct JoiningContext : test::BoresContext {
  JoiningContext() {
    SetPanel(0, 0, 600, 400);
    state.CoincidenceTolerance = 0.1f;
  }
  void Join() {
    JoinContours(c);
    ExpandLoneCircles(c);  // does nothing once every circle is opened
  }
};

// --- Rectangles of four lines -----------------------------------------------------------

struct Side {
  float x1, y1, x2, y2;
};
constexpr Side kRectangleSides[] = {{0, 0, 100, 0}, {100, 0, 100, 50}, {100, 50, 0, 50}, {0, 50, 0, 0}};

// Every order of the four sides, each drawn either way round (bit k of `flips` flips side k).
struct RectangleCase {
  std::array<int, 4> order;
  int flips;
};

std::vector<RectangleCase> AllRectangleCases() {
  std::vector<RectangleCase> cases;
  std::array<int, 4> order{0, 1, 2, 3};
  do {
    for (int flips = 0; flips < 16; ++flips) cases.push_back({order, flips});
  } while (std::next_permutation(order.begin(), order.end()));
  return cases;
}

class FourLines : public testing::TestWithParam<RectangleCase> {};

TEST_P(FourLines, BecomeOneClosedContour) {
  JoiningContext t;
  const RectangleCase& rc = GetParam();
  for (int k = 0; k < 4; ++k) {
    const Side& side = kRectangleSides[rc.order[static_cast<std::size_t>(k)]];
    if (rc.flips & (1 << k)) {
      AddLine(t.state, side.x2, side.y2, side.x1, side.y1);
    } else {
      AddLine(t.state, side.x1, side.y1, side.x2, side.y2);
    }
  }
  t.Join();
  ASSERT_EQ(t.state.Contours.size(), 1);
  ASSERT_EQ(t.state.PathCount(), 8);
  ExpectFinishedPathConventions(t.state);
  const OneBasedList<PathSegment>& p = t.state.PathList;
  // Each line starts where the one before ended, and the last ends where the first began.
  for (int i = 3; i <= 7; i += 2) {
    EXPECT_EQ(p[i].X, p[i - 1].X);
    EXPECT_EQ(p[i].Y, p[i - 1].Y);
  }
  EXPECT_EQ(p[8].X, p[1].X);
  EXPECT_EQ(p[8].Y, p[1].Y);
  for (int i = 1; i <= 7; i += 2) {
    EXPECT_EQ(p[i].SegmentType, -1) << "a joined line keeps its start type";
    EXPECT_EQ(p[i + 1].SegmentType, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(AnyOrderAnyDirection, FourLines, testing::ValuesIn(AllRectangleCases()));

// --- Chaining ----------------------------------------------------------------------------

std::vector<JoinedContour> JoinAsListed(ConversionState& s) {
  BuildContourTable(s);
  return JoinPieces(s);
}

TEST(Chaining, TakesThePieceThatTurnsLeast) {
  JoiningContext t;
  AddLine(t.state, 0, 100, 100, 100);    // 1: heading east
  AddLine(t.state, 100, 100, 100, 200);  // 2: turns 90 to the north
  AddLine(t.state, 100, 100, 200, 110);  // 3: turns 5.7 to the right
  AddLine(t.state, 200, 90, 100, 100);   // 4: drawn towards the joint; turned round, 5.7 left
  AddLine(t.state, 200, 96, 100, 100);   // 5: likewise, 2.3 left
  const std::vector<JoinedContour> joined = JoinAsListed(t.state);
  ASSERT_FALSE(joined.empty());
  EXPECT_EQ(joined[0], (JoinedContour{1, 5}));
  const ContourRow& taken = t.state.Contours[5];
  EXPECT_EQ(t.state.PathList[taken.First].X, 100) << "turned round to start at the joint";
  EXPECT_EQ(t.state.PathList[taken.Last].X, 200);
  EXPECT_EQ(t.state.PathList[taken.Last].Y, 96);
  EXPECT_EQ(t.state.PathList[taken.First].SegmentType, -1);
  EXPECT_EQ(t.state.PathList[taken.Last].SegmentType, 1);
}

TEST(Chaining, EqualTurnsTakeTheFirstInTheTable) {
  JoiningContext t;
  AddLine(t.state, 0, 100, 100, 100);
  AddLine(t.state, 100, 100, 200, 110);  // 5.7 right
  AddLine(t.state, 100, 100, 200, 90);   // 5.7 left
  EXPECT_EQ(JoinAsListed(t.state)[0], (JoinedContour{1, 2}));
}

TEST(Chaining, AnOpenChainIsBegunAtItsLooseEnd) {
  // Three lines drawn one after the other: the route ordering puts both loose-end pieces
  // in front, the last one first; the chain must still come out whole.
  JoiningContext t;
  AddLine(t.state, 0, 0, 100, 0);
  AddLine(t.state, 100, 0, 100, 100);
  AddLine(t.state, 100, 100, 200, 100);
  t.Join();
  ExpectFinishedPathConventions(t.state);
  ASSERT_EQ(t.state.Contours.size(), 1);
  const auto points = test::ContourPoints(t.state, 1);
  ASSERT_EQ(points.size(), 6u);
  EXPECT_EQ(points.front(), std::make_pair(200.0f, 100.0f));
  EXPECT_EQ(points.back(), std::make_pair(0.0f, 0.0f));
}

TEST(Chaining, TurnsRoundAPieceDrawnTheOtherWay) {
  JoiningContext t;
  AddLine(t.state, 0, 100, 100, 100);
  AddLine(t.state, 200, 100, 100, 100);  // drawn towards the shared point
  t.Join();
  ExpectFinishedPathConventions(t.state);
  ASSERT_EQ(t.state.Contours.size(), 1);
  // The route ordering puts the second line first (it was moved to the front last); the
  // first line, whose end also lies on the joint, is turned round to run on from it.
  const auto points = test::ContourPoints(t.state, 1);
  const std::vector<std::pair<float, float>> expected{{200, 100}, {100, 100}, {100, 100}, {0, 100}};
  EXPECT_EQ(points, expected);
}

TEST(Chaining, TurnsRoundAnArcAndItsSense) {
  JoiningContext t;
  AddLine(t.state, 0, 50, 50, 50);
  // A quarter arc about (100, 50), DXF angles 180 to 270: cut clockwise from (100, 0) to
  // (50, 50), so its end touches the line's end.
  AddArc(t.state, 100, 50, 50, 180, 270);
  t.Join();
  ExpectFinishedPathConventions(t.state);
  ASSERT_EQ(t.state.Contours.size(), 1);
  const OneBasedList<PathSegment>& p = t.state.PathList;
  ASSERT_EQ(p.size(), 4);
  EXPECT_EQ(p[3].SegmentType, -3);
  EXPECT_NEAR(p[3].X, 50, 1e-4);
  EXPECT_NEAR(p[3].Y, 50, 1e-4);
  EXPECT_EQ(p[3].CentreX, 100);
  EXPECT_EQ(p[3].CentreY, 50);
  EXPECT_EQ(p[4].SegmentType, 3);
  EXPECT_NEAR(p[4].X, 100, 1e-4);
  EXPECT_NEAR(p[4].Y, 0, 1e-4);
  EXPECT_EQ(p[4].CentreY, 270) << "the end record holds its own point's angle";
  EXPECT_EQ(p[4].CentreX, 180);
  EXPECT_EQ(p[4].ChainFlag, -1) << "turned round, the arc runs counter-clockwise";
}

TEST(Chaining, KeepsRouteLayersApart) {
  JoiningContext t;
  AddLine(t.state, 0, 100, 100, 100, PieceData().OnLayer(1));
  AddLine(t.state, 100, 100, 200, 100, PieceData().OnLayer(2));
  t.Join();
  ExpectFinishedPathConventions(t.state);
  EXPECT_EQ(t.state.Contours.size(), 2);
}

TEST(Chaining, LeavesPolylinesWhole) {
  JoiningContext t;
  AddPolyline(t.state, {{0, 0}, {100, 0}, {100, 100}}, false);
  AddLine(t.state, 100, 100, 200, 100);
  AddPolyline(t.state, {{300, 300}, {400, 300}, {400, 350}}, true);
  t.Join();
  ExpectFinishedPathConventions(t.state);
  ASSERT_EQ(t.state.Contours.size(), 3);
  for (int k = 1; k <= 3; ++k) {
    const ContourRow& row = t.state.Contours[k];
    const int n = row.Last - row.First + 1;
    EXPECT_TRUE(n == 2 || n == 3 || n == 4) << "contour " << k << " has " << n << " records";
  }
}

// --- Circles -----------------------------------------------------------------------------

struct CircleJoinCase {
  const char* name;
  Side line;
  int16_t expected_sense;  // ChainFlag of the circle's arc end: 0 clockwise, -1 counter-clockwise
};

class CircleAtLineEnd : public testing::TestWithParam<CircleJoinCase> {};

// A circle about (100, 50) of radius 50: its top point (100, 100) lies on each line.
TEST_P(CircleAtLineEnd, IsCutOpenThereAndRunsOn) {
  JoiningContext t;
  const Side& l = GetParam().line;
  AddLine(t.state, l.x1, l.y1, l.x2, l.y2);
  AddCircle(t.state, 100, 50, 50);
  t.Join();
  ExpectFinishedPathConventions(t.state);
  ASSERT_EQ(t.state.Contours.size(), 1);
  const OneBasedList<PathSegment>& p = t.state.PathList;
  ASSERT_EQ(p.size(), 4);
  EXPECT_EQ(p[2].X, 100);
  EXPECT_EQ(p[2].Y, 100) << "the line runs onto the circle";
  EXPECT_EQ(p[3].SegmentType, -3);
  EXPECT_EQ(p[3].X, 100);
  EXPECT_EQ(p[3].Y, 100);
  EXPECT_EQ(p[4].X, 100);
  EXPECT_EQ(p[4].Y, 100);
  EXPECT_EQ(p[4].CentreY, 90);
  EXPECT_EQ(p[4].ChainFlag, GetParam().expected_sense);
  EXPECT_EQ(t.state.CircleList[1].Expanded, -1);
  EXPECT_EQ(t.state.CircleList[1].LayerNumber, 0);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, CircleAtLineEnd,
                         testing::Values(CircleJoinCase{"EastwardEndingOnIt", {0, 100, 100, 100}, 0},
                                         CircleJoinCase{"EastwardStartingOnIt", {100, 100, 0, 100}, 0},
                                         CircleJoinCase{"WestwardEndingOnIt", {200, 100, 100, 100}, -1},
                                         CircleJoinCase{"WestwardStartingOnIt", {100, 100, 200, 100}, -1}),
                         [](const testing::TestParamInfo<CircleJoinCase>& param_info) {
                           return std::string(param_info.param.name);
                         });

TEST(CircleJoining, ToleranceIsFiveHundredths) {
  for (const auto& [radius, joined] : {std::pair{50.04f, true}, std::pair{50.06f, false}}) {
    JoiningContext t;
    AddLine(t.state, 0, 100, 100, 100);
    AddCircle(t.state, 100, 50, radius);  // the line ends 50 from its centre
    t.Join();
    ExpectFinishedPathConventions(t.state);
    EXPECT_EQ(t.state.Contours.size(), joined ? 1 : 2) << "radius " << radius;
  }
}

TEST(CircleJoining, APieceThenRunsOnFromTheCircle) {
  JoiningContext t;
  AddLine(t.state, 0, 100, 100, 100);
  AddLine(t.state, 100, 100, 100, 300);  // leaves the circle's cut point northwards
  AddCircle(t.state, 100, 50, 50);
  t.Join();
  ExpectFinishedPathConventions(t.state);
  ASSERT_EQ(t.state.Contours.size(), 1);
  ASSERT_EQ(t.state.PathCount(), 6);
  // One line runs onto the circle, the circle is cut once round, the other line runs on.
  const OneBasedList<PathSegment>& p = t.state.PathList;
  EXPECT_EQ(p[3].SegmentType, -3);
  EXPECT_EQ(p[5].SegmentType, -1);
  EXPECT_EQ(std::make_pair(p[5].X, p[5].Y), std::make_pair(100.0f, 100.0f));
}

TEST(CircleJoining, LeavesPolylinesAndOtherLayersAlone) {
  JoiningContext t;
  AddPolyline(t.state, {{0, 100}, {100, 100}}, false);
  AddLine(t.state, 0, 300, 100, 300, PieceData().OnLayer(2));
  AddCircle(t.state, 100, 50, 50);
  AddCircle(t.state, 100, 250, 50);  // touches the layer-2 line, but lies on layer 1
  t.Join();
  ExpectFinishedPathConventions(t.state);
  EXPECT_EQ(t.state.Contours.size(), 4);
}

TEST(LoneCircle, IsCutAtItsTopPointClockwise) {
  JoiningContext t;
  AddLine(t.state, 500, 10, 590, 10);
  AddCircle(t.state, 50, 60, 20, PieceData().WithTool(4).WithDepth(12));
  t.Join();
  ExpectFinishedPathConventions(t.state);
  ASSERT_EQ(t.state.Contours.size(), 2);
  const ContourRow& circle = t.state.Contours[2];
  ASSERT_EQ(circle.Last - circle.First, 1);
  const PathSegment& start = t.state.PathList[circle.First];
  const PathSegment& end = t.state.PathList[circle.Last];
  EXPECT_EQ(start.SegmentType, -3);
  EXPECT_EQ(start.X, 50);
  EXPECT_EQ(start.Y, 80);
  EXPECT_EQ(start.CentreX, 50);
  EXPECT_EQ(start.CentreY, 60);
  EXPECT_EQ(start.Z, 12);
  EXPECT_EQ(start.Tool, 4);
  EXPECT_EQ(end.SegmentType, 3);
  EXPECT_EQ(end.X, 50);
  EXPECT_EQ(end.Y, 80);
  EXPECT_EQ(end.CentreX, 90);
  EXPECT_EQ(end.CentreY, 90);
  EXPECT_EQ(end.ChainFlag, 0);
}

TEST(LoneCircle, OnlyCirclesAreOpenedByTheNextPhase) {
  JoiningContext t;
  AddCircle(t.state, 50, 60, 20);
  AddCircle(t.state, 150, 60, 20);
  JoinContours(t.c);
  EXPECT_TRUE(t.state.PathList.empty()) << "without leads the circles wait for phase 15";
  ExpandLoneCircles(t.c);
  ASSERT_EQ(t.state.PathCount(), 4);
  EXPECT_EQ(t.state.PathList[1].ChainFlag, kContourStart);
  EXPECT_EQ(t.state.PathList[3].ChainFlag, kContourStart);
  EXPECT_EQ(t.state.PathList[3].Y, 80);
}

TEST(LoneCircle, NoneIsLostWhenSomeGetLeads) {
  JoiningContext t;
  t.state.EffectiveLeadLength = 10;
  t.state.LeadsOn = true;
  AddCircle(t.state, 100, 100, 50, PieceData().WithComp("G41 "));
  AddCircle(t.state, 300, 100, 20);  // no compensation: no leads
  JoinContours(t.c);
  // The driver's phase 15 sees a list that is no longer empty.
  EXPECT_EQ(t.state.PathCount(), 8);
  EXPECT_EQ(t.state.CircleList[2].Expanded, -1);
  EXPECT_EQ(t.state.ContourOrder.size(), 2);
}

// --- Order -------------------------------------------------------------------------------

TEST(ContourOrder, EqualDistancesKeepListOrder) {
  // Both lines start 50 from the far corner (600, 400).
  for (bool swapped : {false, true}) {
    JoiningContext t;
    const Side a{550, 400, 550, 300};
    const Side b{600, 350, 500, 350};
    const Side first = swapped ? b : a;
    const Side second = swapped ? a : b;
    AddLine(t.state, first.x1, first.y1, first.x2, first.y2);
    AddLine(t.state, second.x1, second.y1, second.x2, second.y2);
    t.Join();
    ExpectFinishedPathConventions(t.state);
    EXPECT_EQ(t.state.PathList[1].X, first.x1) << (swapped ? "swapped" : "as listed");
    EXPECT_EQ(t.state.PathList[1].Y, first.y1);
  }
}

TEST(ContourOrder, NearestNeighbourTourFromTheFarCorner) {
  JoiningContext t;
  AddLine(t.state, 10, 10, 20, 10);      // far from the corner
  AddLine(t.state, 590, 390, 500, 390);  // next to (600, 400)
  AddLine(t.state, 480, 380, 400, 380);  // next to the end of the one before
  t.Join();
  ExpectFinishedPathConventions(t.state);
  ASSERT_EQ(t.state.Contours.size(), 3);
  EXPECT_EQ(t.state.PathList[1].X, 590);
  EXPECT_EQ(t.state.PathList[3].X, 480);
  EXPECT_EQ(t.state.PathList[5].X, 10);
  const std::vector<int> order(t.state.ContourOrder.begin(), t.state.ContourOrder.end());
  EXPECT_EQ(order, (std::vector<int>{2, 3, 1}));
}

TEST(ContourOrder, LowerToolFirst) {
  JoiningContext t;
  AddLine(t.state, 590, 390, 500, 390, PieceData().WithTool(3));
  AddLine(t.state, 10, 10, 20, 10, PieceData().WithTool(1));
  t.Join();
  ExpectFinishedPathConventions(t.state);
  EXPECT_EQ(t.state.PathList[1].Tool, 1);
  EXPECT_EQ(t.state.PathList[3].Tool, 3);
}

TEST(ContourOrder, ToolsOutsideTheGroupedRangeFollowAndAreKept) {
  JoiningContext t;
  AddLine(t.state, 590, 390, 500, 390, PieceData().WithTool(200));
  AddLine(t.state, 10, 10, 20, 10, PieceData().WithTool(7));
  AddLine(t.state, 300, 300, 200, 300, PieceData().WithTool(-2));
  AddLine(t.state, 100, 10, 120, 10, PieceData().WithTool(0));
  t.Join();
  ExpectFinishedPathConventions(t.state);
  ASSERT_EQ(t.state.PathCount(), 8);
  std::vector<int> tools;
  for (int k = 1; k <= t.state.Contours.size(); ++k)
    tools.push_back(t.state.PathList[t.state.Contours[k].First].Tool);
  EXPECT_EQ(tools, (std::vector<int>{0, 7, 200, -2}))
      << "200 and -2 in their tour order after the grouped ones";
}

TEST(ContourOrder, SequencesBeforeUnsequencedWhateverTheirTools) {
  JoiningContext t;
  AddLine(t.state, 10, 10, 20, 10, PieceData().WithTool(1));
  AddLine(t.state, 100, 100, 120, 100, PieceData().WithTool(9).WithSequence(40));
  AddLine(t.state, 590, 390, 500, 390, PieceData().WithTool(1));
  AddLine(t.state, 300, 300, 320, 300, PieceData().WithTool(5).WithSequence(20));
  t.store.Current.MaxSequence = 40;
  t.Join();
  ExpectFinishedPathConventions(t.state);
  std::vector<int> sequences;
  std::vector<float> starts;
  for (int k = 1; k <= t.state.Contours.size(); ++k) {
    sequences.push_back(t.state.PathList[t.state.Contours[k].First].Sequence);
    starts.push_back(t.state.PathList[t.state.Contours[k].First].X);
  }
  EXPECT_EQ(sequences, (std::vector<int>{20, 40, 0, 0}));
  EXPECT_EQ(starts, (std::vector<float>{300, 100, 590, 10})) << "the unsequenced keep their tour order";
}

TEST(ContourOrder, WithoutMaxSequenceToolOrderStands) {
  JoiningContext t;
  AddLine(t.state, 100, 100, 120, 100, PieceData().WithTool(9).WithSequence(40));
  AddLine(t.state, 300, 300, 320, 300, PieceData().WithTool(5).WithSequence(20));
  t.store.Current.MaxSequence = 0;
  t.Join();
  EXPECT_EQ(t.state.PathList[1].Tool, 5);
  EXPECT_EQ(t.state.PathList[3].Tool, 9);
}

TEST(ContourOrder, EveryRecordGetsItsContoursToolData) {
  JoiningContext t;
  AddLine(t.state, 0, 100, 100, 100,
          PieceData().WithTool(2).WithComp("G41 ").WithSpeed(12000).WithDiameter(6));
  AddLine(t.state, 100, 100, 200, 100,
          PieceData().WithTool(5).WithComp("G42 R3").WithSpeed(18000).WithDiameter(10));
  t.Join();
  ASSERT_EQ(t.state.Contours.size(), 1);
  const PathSegment& first = t.state.PathList[1];
  EXPECT_EQ(first.Tool, 5) << "the chain is begun from the second line's loose end";
  EXPECT_EQ(first.CompCode, FixedText<10>("G42 R3"));
  for (const PathSegment& p : t.state.PathList) {
    EXPECT_EQ(p.Tool, 5);
    EXPECT_EQ(p.ToolDiameter, 10);
    EXPECT_EQ(p.CompCode, FixedText<10>("G42 R3"));
    EXPECT_EQ(p.VM, 18000);
  }
  ExpectFinishedPathConventions(t.state);
}

// --- Whole drawings: the conventions hold ------------------------------------------------

TEST(FinishedPathList, KeepsItsConventionsForAMixedDrawing) {
  JoiningContext t;
  // An outline of lines and an arc corner, drawn in scattered order and directions.
  AddLine(t.state, 0, 0, 500, 0, PieceData().WithTool(3));
  AddLine(t.state, 550, 350, 550, 50, PieceData().WithTool(3));  // reversed
  AddArc(t.state, 500, 50, 50, 270, 360, PieceData().WithTool(3));
  AddLine(t.state, 0, 350, 550, 350, PieceData().WithTool(3));
  AddLine(t.state, 0, 0, 0, 350, PieceData().WithTool(3));
  // A slot that ends on a circle, a lone circle, a closed and an open polyline.
  AddLine(t.state, 100, 200, 200, 200, PieceData().WithTool(1).WithSequence(0));
  AddCircle(t.state, 200, 170, 30, PieceData().WithTool(1));
  AddCircle(t.state, 400, 200, 25, PieceData().WithTool(2));
  AddPolyline(t.state, {{300, 50}, {350, 50, 0.4f}, {350, 100}, {300, 100}}, true, PieceData().WithTool(2));
  AddPolyline(t.state, {{50, 300}, {80, 320}}, false, PieceData().WithTool(1));
  t.Join();
  ExpectFinishedPathConventions(t.state);
  EXPECT_EQ(t.state.PathCount(), 10 + 2 + 2 + 2 + 5 + 2);
  EXPECT_EQ(t.state.Contours.size(), 5);
  // The outline is one closed contour whose last point is its first.
  for (int k = 1; k <= t.state.Contours.size(); ++k) {
    const ContourRow& row = t.state.Contours[k];
    if (row.Last - row.First + 1 != 10) continue;
    EXPECT_NEAR(t.state.PathList[row.Last].X, t.state.PathList[row.First].X, 1e-3);
    EXPECT_NEAR(t.state.PathList[row.Last].Y, t.state.PathList[row.First].Y, 1e-3);
  }
}

TEST(FinishedPathList, KeepsItsConventionsWithCircleLeads) {
  JoiningContext t;
  t.state.EffectiveLeadLength = 8;
  t.state.LeadsOn = true;
  AddLine(t.state, 10, 10, 100, 10);
  AddCircle(t.state, 300, 200, 40, PieceData().WithComp("G41 "));
  AddCircle(t.state, 450, 200, 40, PieceData().WithComp("G42 "));
  AddCircle(t.state, 100, 300, 15);
  t.Join();
  ExpectFinishedPathConventions(t.state);
  EXPECT_EQ(t.state.PathCount(), 2 + 6 + 6 + 2);
}

TEST(JoinContours, StopsWhenTheOperatorAsksTo) {
  JoiningContext t;
  AddLine(t.state, 0, 0, 100, 0);
  t.person.run = &t.run;
  t.person.stop_after_yields = 1;
  JoinContours(t.c);
  EXPECT_EQ(t.run.FileFailed, kTrue);
  EXPECT_TRUE(t.state.Contours.empty()) << "nothing was joined after the stop";
}

}  // namespace
}  // namespace mq
