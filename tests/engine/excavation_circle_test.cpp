#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "engine/passes.h"
#include "support/path_builder.h"
#include "support/tool_path_trace.h"

namespace mq {
namespace {

using test::PassHarness;
using test::PathBuilder;
using test::RouteRecord;
using test::TracedMove;
using test::TracePoint;

constexpr double kTolerance = 1e-3;

PathSegment PocketRecord(float k, const char* compCode) {
  PathSegment r = RouteRecord(6, compCode);
  r.OZ = -(k + 1);
  return r;
}

struct CircleCase {
  const char* name;
  float radius, k;
  const char* compCode;
  float pitch;
  bool joinedCounterClockwise;  // the direction contour joining chose
};
void PrintTo(const CircleCase& c, std::ostream* os) { *os << c.name; }

class CirclePocket : public ::testing::TestWithParam<CircleCase> {};

TEST_P(CirclePocket, SpiralsInwardInsideTheCircle) {
  const CircleCase& tc = GetParam();
  const TracePoint c{200, 150};
  PassHarness h;
  h.path() = PathBuilder()
                 .Defaults(PocketRecord(tc.k, tc.compCode))
                 .Circle({200, 150}, tc.radius, tc.joinedCounterClockwise)
                 .Build();
  ExcavatePockets(h.context);
  EXPECT_TRUE(h.PendingLines().empty());
  const OneBasedList<PathSegment>& path = h.path();
  ASSERT_GE(path.size(), 2);
  ASSERT_EQ(path.size() % 2, 0);

  // The circle first, then half circles: each P/2 smaller than the one before, centred
  // P/4 above and below the circle's centre by turns, starting above.
  EXPECT_EQ(path[1].ChainFlag, kContourStart);
  EXPECT_EQ(path[1].CentreX, 200);
  EXPECT_EQ(path[1].CentreY, 150);
  const int16_t flag = std::string(tc.compCode).rfind("G41", 0) == 0 ? -1 : 0;
  for (int i = 2; i <= path.size(); i += 2) EXPECT_EQ(path[i].ChainFlag, flag) << i;
  double previousRadius = 0;
  for (int i = 3, turn = 0; i < path.size(); i += 2, ++turn) {
    const PathSegment& start = path[i];
    EXPECT_EQ(start.SegmentType, -3);
    EXPECT_EQ(start.ChainFlag, 0);
    EXPECT_FLOAT_EQ(start.CentreX, 200);
    EXPECT_FLOAT_EQ(start.CentreY, 150 + (turn % 2 == 0 ? 1 : -1) * tc.pitch / 4) << i;
    const double radius = std::hypot(start.X - start.CentreX, start.Y - start.CentreY);
    if (turn > 0) {
      EXPECT_NEAR(previousRadius - radius, tc.pitch / 2, kTolerance) << i;
    }
    previousRadius = radius;
  }

  const std::vector<TracedMove> moves = test::TraceMoves(path, 1, path.size());
  for (std::size_t k = 0; k < moves.size(); ++k) {
    const TracedMove& m = moves[k];
    // A real arc: the tool is on the arc's circle where the arc begins.
    EXPECT_NEAR(test::TraceDistance(m.centre, m.from), test::TraceDistance(m.centre, m.to), kTolerance) << k;
    for (const TracePoint& p : m.Samples()) {
      ASSERT_LE(test::TraceDistance(p, c), tc.radius + kTolerance) << "inside the circle, move " << k;
    }
    if (k == 0) continue;
    // Each half circle lies at most P from the path before it.
    std::vector<TracedMove> before(moves.begin(), moves.begin() + static_cast<long>(k));
    const std::vector<TracePoint> earlier = test::SampleMoves(before, 0.1);
    for (const TracePoint& p : m.Samples(1.0)) {
      double nearest = 1e9;
      for (const TracePoint& q : earlier) nearest = std::min(nearest, test::TraceDistance(p, q));
      EXPECT_LE(nearest, tc.pitch + 0.1) << "move " << k;
    }
  }
  // The last half circle comes within P of the centre.
  double nearestToCentre = 1e9;
  for (const TracePoint& p : moves.back().Samples(0.1))
    nearestToCentre = std::min(nearestToCentre, test::TraceDistance(p, c));
  EXPECT_LE(nearestToCentre, tc.pitch + 0.1);
}

INSTANTIATE_TEST_SUITE_P(Pitches, CirclePocket,
                         ::testing::Values(CircleCase{"Radius50K10", 50, 10, "G41 ", 10, false},
                                           CircleCase{"Radius37K6", 37, 6, "G41 ", 6, true},
                                           CircleCase{"Radius20FromCompensationValue", 20, 0, "G42 R4", 8,
                                                      true},
                                           CircleCase{"Radius12K3Uncompensated", 12, 3, "", 3, false},
                                           CircleCase{"SmallerThanThePitch", 8, 10, "G41 ", 10, false}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(CirclePocketSpiral, KTenGivesHalfCirclesFallingByFive) {
  PassHarness h;
  h.path() = PathBuilder().Defaults(PocketRecord(10, "G41 ")).Circle({100, 100}, 30, false).Build();
  ExcavatePockets(h.context);
  // Running radius 30, 25, 20, 15, 10: four half circles of radius 27.5, 22.5, 17.5, 12.5.
  ASSERT_EQ(h.path().size(), 2 + 8);
  const float radii[] = {27.5f, 22.5f, 17.5f, 12.5f};
  const float centreY[] = {102.5f, 97.5f, 102.5f, 97.5f};
  const float endY[] = {75, 120, 85, 110};
  for (int k = 0; k < 4; ++k) {
    const PathSegment& start = h.path()[3 + 2 * k];
    const PathSegment& end = h.path()[4 + 2 * k];
    EXPECT_FLOAT_EQ(start.CentreY, centreY[k]);
    EXPECT_FLOAT_EQ(std::fabs(start.Y - start.CentreY), radii[k]);
    EXPECT_FLOAT_EQ(end.X, 100);
    EXPECT_FLOAT_EQ(end.Y, endY[k]);
    EXPECT_EQ(end.CentreY, k % 2 == 0 ? 270 : 90);  // the end point's angle
  }
}

TEST(CirclePocketSpiral, MissingPitchLeavesTheCircleWithAMessage) {
  PassHarness h;
  const OneBasedList<PathSegment> circle =
      PathBuilder().Defaults(PocketRecord(0, "G41 ")).Circle({100, 100}, 30, false).Build();
  h.path() = circle;
  ExcavatePockets(h.context);
  EXPECT_EQ(h.path(), circle);
  EXPECT_EQ(h.PendingLines(), std::vector<std::string>{"Excavation Pitch not specified! (Circle)"});
}

}  // namespace
}  // namespace mq
