// Leads of contours whose start is a smooth point: a cut-out started in the middle of a
// side, or on a centre arc that continues its last piece.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

#include "engine/passes.h"
#include "lead_harness.h"
#include "support/path_builder.h"
#include "support/tool_path_trace.h"

namespace mq {
namespace {

using test::kDepth;
using test::kLead;
using test::kRamp;
using test::LeadHarness;
using test::PathBuilder;
using test::RouteRecord;
using test::TracedMove;
using test::TracePoint;

constexpr double kTolerance = 2e-3;

// The 200 x 150 cut-out drawn as a polyline from (100, 100), started in the middle of
// its first side by corner compensation.
OneBasedList<PathSegment> MidSideCutOut(const char* compCode, float layerLead = 0) {
  LeadHarness h;
  h.state.CornerCompMode = kStatedOn;
  h.path() = PathBuilder()
                 .Defaults(RouteRecord(kDepth, compCode, layerLead))
                 .Polyline({{100, 100}, {300, 100}, {300, 250}, {100, 250}}, true)
                 .Build();
  CompensateCorners(h.context);
  return h.path();
}

// A cut-out whose first piece is a centre arc from (200, 100) round (200, 150) up to
// (250, 150), reached along the line from (150, 100): the start is smooth on the arc.
OneBasedList<PathSegment> ArcFirstCutOut(const char* compCode) {
  return PathBuilder()
      .Defaults(RouteRecord(kDepth, compCode))
      .Arc({200, 150}, 50, 270, 360, true, true)
      .Line({250, 150}, {250, 250}, false)
      .Line({250, 250}, {150, 250}, false)
      .Line({150, 250}, {150, 100}, false)
      .Line({150, 100}, {200, 100}, false)
      .Build();
}

void ExpectPoint(const PathSegment& r, double x, double y, const char* what) {
  EXPECT_NEAR(r.X, x, kTolerance) << what;
  EXPECT_NEAR(r.Y, y, kTolerance) << what;
}

// Direction of travel where a move ends (arcs: the tangent), degrees from +X.
double ArrivingDirection(const TracedMove& m) {
  if (!m.arc) return std::atan2(m.to.y - m.from.y, m.to.x - m.from.x) * 180 / std::acos(-1.0);
  const double radial = std::atan2(m.to.y - m.centre.y, m.to.x - m.centre.x) * 180 / std::acos(-1.0);
  return radial + (m.counterClockwise ? 90 : -90);
}
double LeavingDirection(const TracedMove& m) {
  if (!m.arc) return ArrivingDirection(m);
  const double radial = std::atan2(m.from.y - m.centre.y, m.from.x - m.centre.x) * 180 / std::acos(-1.0);
  return radial + (m.counterClockwise ? 90 : -90);
}
double TurnBetween(double a, double b) { return std::remainder(b - a, 360.0); }

struct SmoothCase {
  const char* name;
  OneBasedList<PathSegment> contour;
  int side;  // +1 G41: leads on the right of travel; -1 G42: on the left
};
void PrintTo(const SmoothCase& c, std::ostream* os) { *os << c.name; }

class SmoothStartLeads : public ::testing::TestWithParam<SmoothCase> {};

// Quarter arcs of radius L touching the contour at its start from the lead side, with
// their centres at d - 90 for G41 and d + 90 for G42.
TEST_P(SmoothStartLeads, AreTangentQuarterArcsOnTheLeadSide) {
  LeadHarness h;
  h.path() = GetParam().contour;
  const int contourSize = h.path().size();
  const PathSegment start = h.path()[1];
  SynthesizeLeads(h.context);
  const OneBasedList<PathSegment>& path = h.path();
  ASSERT_EQ(path.size(), contourSize + 4);

  // Lead-in: arc start (-3, the new contour start) and arc end at S.
  EXPECT_EQ(path[1].SegmentType, -3);
  EXPECT_EQ(path[1].ChainFlag, kContourStart);
  EXPECT_EQ(path[2].SegmentType, 3);
  ExpectPoint(path[2], start.X, start.Y, "the lead-in ends at S");
  EXPECT_EQ(path[3].ChainFlag, 0);
  EXPECT_EQ(path[3].SegmentType, start.SegmentType);
  // Lead-out: arc start at E and arc end a quarter turn further.
  EXPECT_EQ(path[contourSize + 3].SegmentType, -3);
  EXPECT_EQ(path[contourSize + 3].ChainFlag, 0);
  EXPECT_EQ(path[contourSize + 4].SegmentType, 3);

  const std::vector<TracedMove> moves = test::TraceMoves(path, 1, path.size());
  const TracedMove& leadIn = moves.front();
  const TracedMove& leadOut = moves.back();
  const TracedMove& firstPiece = moves[1];
  const TracedMove& lastPiece = moves[moves.size() - 2];
  const double side = GetParam().side;
  for (const TracedMove* lead : {&leadIn, &leadOut}) {
    EXPECT_TRUE(lead->arc);
    EXPECT_NEAR(test::TraceDistance(lead->centre, lead->from), kLead, kTolerance);
    EXPECT_NEAR(test::TraceDistance(lead->centre, lead->to), kLead, kTolerance);
  }
  // Centres L from S, square to the direction of travel on the lead side.
  const double dIn = LeavingDirection(firstPiece) * std::acos(-1.0) / 180;
  EXPECT_NEAR(leadIn.centre.x, start.X + kLead * std::cos(dIn - side * std::acos(0.0)), kTolerance);
  EXPECT_NEAR(leadIn.centre.y, start.Y + kLead * std::sin(dIn - side * std::acos(0.0)), kTolerance);
  const double dEnd = ArrivingDirection(lastPiece) * std::acos(-1.0) / 180;
  EXPECT_NEAR(leadOut.centre.x, start.X + kLead * std::cos(dEnd - side * std::acos(0.0)), kTolerance);
  EXPECT_NEAR(leadOut.centre.y, start.Y + kLead * std::sin(dEnd - side * std::acos(0.0)), kTolerance);
  // Tangent: no change of direction where the leads meet the contour, a quarter turn each.
  EXPECT_NEAR(TurnBetween(ArrivingDirection(leadIn), LeavingDirection(firstPiece)), 0, 0.01);
  EXPECT_NEAR(TurnBetween(ArrivingDirection(lastPiece), LeavingDirection(leadOut)), 0, 0.01);
  EXPECT_NEAR(std::fabs(TurnBetween(LeavingDirection(leadIn), ArrivingDirection(leadIn))), 90, 0.01);
  EXPECT_NEAR(std::fabs(TurnBetween(LeavingDirection(leadOut), ArrivingDirection(leadOut))), 90, 0.01);
  // Every depth is the contour's: no ramps asked for.
  for (const PathSegment& r : path) EXPECT_EQ(r.Z, kDepth);
}

INSTANTIATE_TEST_SUITE_P(Contours, SmoothStartLeads,
                         ::testing::Values(SmoothCase{"MidSideG41", MidSideCutOut("G41 "), 1},
                                           SmoothCase{"MidSideG42", MidSideCutOut("G42 "), -1},
                                           SmoothCase{"CentreArcFirstSideG41", ArcFirstCutOut("G41 "), 1},
                                           SmoothCase{"CentreArcFirstSideG42", ArcFirstCutOut("G42 "), -1}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(SmoothStartLeadRecords, G41CutOutStartedMidSide) {
  LeadHarness h;
  h.path() = MidSideCutOut("G41 ");
  SynthesizeLeads(h.context);
  const OneBasedList<PathSegment>& path = h.path();
  ASSERT_EQ(path.size(), 10);
  // Travel east from (200, 100): the lead centre lies at d - 90, 20 below S.
  ExpectPoint(path[1], 180, 80, "lead-in start, a quarter turn round (200, 80)");
  EXPECT_NEAR(path[1].CentreX, 200, kTolerance);
  EXPECT_NEAR(path[1].CentreY, 80, kTolerance);
  EXPECT_EQ(path[2].CentreX, 180);  // angle of the arc's start seen from its centre
  EXPECT_EQ(path[2].CentreY, 90);   // angle of S seen from the centre
  EXPECT_EQ(path[2].ChainFlag, 0);  // clockwise
  ExpectPoint(path[9], 200, 100, "lead-out starts at E");
  EXPECT_NEAR(path[9].CentreX, 200, kTolerance);
  EXPECT_NEAR(path[9].CentreY, 80, kTolerance);
  ExpectPoint(path[10], 220, 80, "lead-out end");
  EXPECT_EQ(path[10].ChainFlag, 0);
}

TEST(SmoothStartLeadRecords, RampInLowersOnlyTheLeadsFirstPoint) {
  LeadHarness h;
  h.state.RampIn = true;
  h.path() = MidSideCutOut("G41 ");
  SynthesizeLeads(h.context);
  ASSERT_EQ(h.path().size(), 10);
  EXPECT_EQ(h.path()[1].Z, -kRamp);
  for (int i = 2; i <= h.path().size(); ++i) EXPECT_EQ(h.path()[i].Z, kDepth) << i;
}

TEST(SmoothStartLeadRecords, RampOutOverrunStopsAtTheEndOfAShortFirstSide) {
  LeadHarness h;
  h.state.RampOut = true;
  h.state.CornerCompMode = kStatedOn;
  // 30 wide: the first side from the middle is 15 long, shorter than the lead.
  h.path() = PathBuilder()
                 .Defaults(RouteRecord(kDepth, "G41 "))
                 .Polyline({{100, 100}, {130, 100}, {130, 250}, {100, 250}}, true)
                 .Build();
  CompensateCorners(h.context);
  SynthesizeLeads(h.context);
  const OneBasedList<PathSegment>& path = h.path();
  ASSERT_EQ(path.size(), 2 + 6 + 1);
  const PathSegment& overrun = path[9];
  EXPECT_EQ(overrun.SegmentType, 1);
  ExpectPoint(overrun, 130, 100, "the end of the first side");
  EXPECT_EQ(overrun.Z, -kRamp);
  EXPECT_EQ(path[8].Bulge(), 0);  // a straight move from E
}

TEST(SmoothStartLeadRecords, RampOutOverrunRunsTheLeadLengthAlongALongFirstSide) {
  LeadHarness h;
  h.state.RampOut = true;
  h.path() = MidSideCutOut("G41 ");
  SynthesizeLeads(h.context);
  ASSERT_EQ(h.path().size(), 9);
  ExpectPoint(h.path()[9], 220, 100, "20 along the first side");
  EXPECT_EQ(h.path()[9].Z, -kRamp);
}

TEST(SmoothStartLeadRecords, RampOutOnACentreArcFirstPieceFollowsTheArc) {
  LeadHarness h;
  h.state.RampOut = true;
  h.path() = ArcFirstCutOut("G41 ");
  const int contourSize = h.path().size();
  SynthesizeLeads(h.context);
  const OneBasedList<PathSegment>& path = h.path();
  ASSERT_EQ(path.size(), 2 + contourSize + 2);
  const PathSegment& arcStart = path[path.size() - 1];
  const PathSegment& arcEnd = path[path.size()];
  EXPECT_EQ(arcStart.SegmentType, -3);
  EXPECT_EQ(arcStart.CentreX, 200);
  EXPECT_EQ(arcStart.CentreY, 150);
  EXPECT_EQ(arcEnd.SegmentType, 3);
  EXPECT_NE(arcEnd.ChainFlag, 0);  // counter-clockwise like the first arc
  // On the arc's own radius, L / (pi r) x 360 degrees on from S.
  const double sweep = kLead / (3.14159298 * 50) * 360;
  EXPECT_NEAR(arcEnd.CentreY, 270 + sweep, 1e-3);
  EXPECT_NEAR(std::hypot(arcEnd.X - 200, arcEnd.Y - 150), 50, kTolerance);
  EXPECT_EQ(arcEnd.Z, -kRamp);
}

TEST(SmoothStartLeadRecords, RampOutOnABulgeFirstPieceStaysOnTheArc) {
  LeadHarness h;
  h.state.RampOut = true;
  // A quarter circle round (200, 150) from (200, 100) to (250, 150), drawn as a bulge.
  const float quarterBulge = static_cast<float>(std::tan(std::acos(-1.0) / 8));
  h.path() = PathBuilder()
                 .Defaults(RouteRecord(kDepth, "G41 "))
                 .Polyline({{200, 100, quarterBulge}, {250, 150}, {250, 250}, {150, 250}, {150, 100}}, true)
                 .Build();
  SynthesizeLeads(h.context);
  const OneBasedList<PathSegment>& path = h.path();
  ASSERT_EQ(path.size(), 2 + 6 + 1);
  EXPECT_EQ(path[9].SegmentType, 5);
  EXPECT_EQ(path[9].Z, -kRamp);
  const std::vector<TracedMove> moves = test::TraceMoves(path, 1, path.size());
  const TracedMove& overrun = moves.back();
  ASSERT_TRUE(overrun.arc);
  EXPECT_NEAR(overrun.centre.x, 200, 0.01);
  EXPECT_NEAR(overrun.centre.y, 150, 0.01);
  // The overrun covers the share of the first piece's angle that the lead length is of
  // the piece's chord.
  const double chord = std::hypot(50.0, 50.0);
  const double angle = 90 * kLead / chord * std::acos(-1.0) / 180;
  EXPECT_NEAR(path[9].X, 200 + 50 * std::sin(angle), 0.01);
  EXPECT_NEAR(path[9].Y, 150 - 50 * std::cos(angle), 0.01);
}

}  // namespace
}  // namespace mq
