// Pockets, proven safe on the finished PathList: the tool path is followed move by move
// as the writer turns it into moves. Outlines are cleared by passes one pitch apart, down
// to the spine; circles by an inward spiral of half circles.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/driver_harness.h"
#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"
#include "support/path_builder.h"
#include "support/tool_path_trace.h"

namespace mq {
namespace {

using test::PassHarness;
using test::PathBuilder;
using test::TracedMove;
using test::TracePoint;

constexpr double kTolerance = 1e-3;

// A record of an EXCAV layer with pitch K (stored as -(K + 1) in OZ).
PathSegment PocketRecord(float k, const char* compCode = "G41 ") {
  PathSegment r = test::RouteRecord(8, compCode);
  r.OZ = -(k + 1);
  return r;
}

// The rectangle as four LINEs joined into one contour, from corner `start` (0 lower
// left, then round counter-clockwise), running counter-clockwise or clockwise.
OneBasedList<PathSegment> RectangleOutline(const PathSegment& defaults, float x0, float y0, float x1,
                                           float y1, bool counterClockwise = true, int start = 0) {
  std::vector<test::BuildPoint> corners{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  if (!counterClockwise) std::reverse(corners.begin() + 1, corners.end());
  std::rotate(corners.begin(), corners.begin() + start, corners.end());
  corners.push_back(corners.front());
  return PathBuilder().Defaults(defaults).Lines(corners).Build();
}

struct Rect {
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
};

Rect BoundsOf(const std::vector<TracedMove>& loop) {
  Rect r;
  for (const TracedMove& m : loop) {
    for (TracePoint p : {m.from, m.to}) {
      r = {std::min(r.minX, p.x), std::max(r.maxX, p.x), std::min(r.minY, p.y), std::max(r.maxY, p.y)};
    }
  }
  return r;
}

// The closed loops (passes) of a pocket path; after each one a single move links it to
// the start of the next.
std::vector<std::vector<TracedMove>> Passes(const std::vector<TracedMove>& moves) {
  std::vector<std::vector<TracedMove>> loops(1);
  TracePoint loopStart = moves.front().from;
  bool linked = true;
  for (const TracedMove& m : moves) {
    if (!linked) {
      loopStart = m.to;
      linked = true;
      continue;
    }
    loops.back().push_back(m);
    if (loops.back().size() >= 3 && test::TraceDistance(m.to, loopStart) < kTolerance) {
      loops.emplace_back();
      linked = false;
    }
  }
  EXPECT_TRUE(loops.back().empty()) << "the pocket path ends inside an unfinished pass";
  loops.pop_back();
  return loops;
}

double SignedArea(const std::vector<TracedMove>& loop) {
  double sum = 0;
  for (const TracedMove& m : loop) sum += m.from.x * m.to.y - m.to.x * m.from.y;
  return sum / 2;
}

struct RectangleCase {
  const char* name;
  float width, height, k;
  const char* compCode;
  float pitch;  // the pitch the pocket must be cleared with
  bool counterClockwise;
  int startCorner;
  float spineClearance = 0;  // no pass point comes nearer the spine; 0: not checked
};

class RectanglePocket : public testing::TestWithParam<RectangleCase> {};

TEST_P(RectanglePocket, IsSafeAndClearsTheWholePocket) {
  const RectangleCase& tc = GetParam();
  const Rect outline{30, 30.0 + tc.width, 20, 20.0 + tc.height};
  PassHarness h;
  h.path() = RectangleOutline(PocketRecord(tc.k, tc.compCode), 30, 20, 30 + tc.width, 20 + tc.height,
                              tc.counterClockwise, tc.startCorner);
  ExcavatePockets(h.context);
  EXPECT_TRUE(h.PendingLines().empty());
  const OneBasedList<PathSegment>& path = h.path();
  for (int i = 2; i <= path.size(); ++i) EXPECT_NE(path[i].ChainFlag, kContourStart) << "one contour: " << i;

  // Every move, passes and links alike, stays inside the outline.
  const std::vector<TracedMove> moves = test::TraceMoves(path, 1, path.size());
  const std::vector<TracePoint> samples = test::SampleMoves(moves, 0.25);
  for (const TracePoint& p : samples) {
    ASSERT_TRUE(p.x > outline.minX - kTolerance && p.x < outline.maxX + kTolerance &&
                p.y > outline.minY - kTolerance && p.y < outline.maxY + kTolerance)
        << p.x << " " << p.y;
  }

  // The first pass is the outline; each one after it lies inward, at most P from the one before.
  const auto passes = Passes(moves);
  ASSERT_GE(passes.size(), 1u);
  const Rect first = BoundsOf(passes.front());
  EXPECT_LT(std::max({std::fabs(first.minX - outline.minX), std::fabs(first.maxX - outline.maxX),
                      std::fabs(first.minY - outline.minY), std::fabs(first.maxY - outline.maxY)}),
            kTolerance);
  for (std::size_t k = 1; k < passes.size(); ++k) {
    const Rect outer = BoundsOf(passes[k - 1]);
    const Rect inner = BoundsOf(passes[k]);
    for (double gap : {inner.minX - outer.minX, outer.maxX - inner.maxX, inner.minY - outer.minY,
                       outer.maxY - inner.maxY}) {
      EXPECT_GT(gap, kTolerance) << "pass " << k << " moves inward";
      EXPECT_LE(gap, tc.pitch + kTolerance) << "pass " << k << " at most P from the one before";
    }
  }

  // The spine: the points half the smaller side from the nearer sides. The last pass
  // surrounds it and reaches it within P.
  const double half = std::min(tc.width, tc.height) / 2.0;
  const TracePoint spineFrom{outline.minX + half, outline.minY + half};
  const TracePoint spineTo = tc.height < tc.width ? TracePoint{outline.maxX - half, outline.minY + half}
                                                  : TracePoint{outline.minX + half, outline.maxY - half};
  const Rect last = BoundsOf(passes.back());
  for (int i = 0; i <= 20; ++i) {
    const TracePoint s{spineFrom.x + (spineTo.x - spineFrom.x) * i / 20,
                       spineFrom.y + (spineTo.y - spineFrom.y) * i / 20};
    const double reach = std::min({s.x - last.minX, last.maxX - s.x, s.y - last.minY, last.maxY - s.y});
    EXPECT_GT(reach, 0) << "the last pass surrounds the spine";
    EXPECT_LE(reach, tc.pitch + kTolerance) << "the last pass reaches the spine";
  }
  for (const PathSegment& r : path) {
    EXPECT_GE(test::DistanceToSegment({r.X, r.Y}, spineFrom, spineTo), tc.spineClearance - kTolerance);
  }

  // Every point of the pocket lies within P of the tool path.
  for (double gx = outline.minX; gx <= outline.maxX; gx += tc.width / 17) {
    for (double gy = outline.minY; gy <= outline.maxY; gy += tc.height / 13) {
      double nearest = 1e9;
      for (const TracePoint& p : samples) nearest = std::min(nearest, test::TraceDistance(p, {gx, gy}));
      EXPECT_LE(nearest, tc.pitch + 0.25) << gx << " " << gy;
    }
  }

  // Each pass runs with the compensation side that keeps the tool inside: counter-
  // clockwise passes on "G41", clockwise passes on "G42".
  for (const auto& loop : passes) {
    const char expected = SignedArea(loop) > 0 ? '1' : '2';
    for (const TracedMove& m : loop) EXPECT_EQ(path[m.endRecord].CompCode[2], expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    AspectRatios, RectanglePocket,
    testing::Values(RectangleCase{"Wide100x40K10", 100, 40, 10, "G41 ", 10, true, 0, 10},
                    RectangleCase{"Tall40x100K10Clockwise", 40, 100, 10, "G41 ", 10, false, 2},
                    RectangleCase{"Square60K10", 60, 60, 10, "G42 ", 10, true, 1},
                    RectangleCase{"PitchPullsTheLastPassOffTheSpine200x50K15", 200, 50, 15, "G41 ", 15, true,
                                  3},
                    RectangleCase{"Narrow300x31K7", 300, 31, 7, "G42 ", 7, false, 0},
                    RectangleCase{"PitchFromTheCompensationValue", 120, 80, 0, "G41 L5", 10, true, 0},
                    RectangleCase{"NarrowerThanTwoPitches", 100, 12, 10, "G41 ", 10, true, 0}),
    test::CaseName{});

TEST(RectanglePocketPasses, ThePocketReplacesItsOutlineAmongTheOtherContours) {
  PassHarness h;
  h.path() = PathBuilder().Defaults(test::RouteRecord(5)).Line({0, 0}, {10, 0}, true).Build();
  for (const PathSegment& r : RectangleOutline(PocketRecord(10), 0, 0, 100, 40)) h.path().push_back(r);
  h.path().push_back(h.path()[1]);
  h.path().push_back(h.path()[2]);
  ExcavatePockets(h.context);
  // The outline and one pass 10 inside it, linked; the contours about it unchanged.
  ASSERT_EQ(h.path().size(), 2 + 16 + 2);
  std::vector<int> starts;
  for (int i = 1; i <= h.path().size(); ++i) {
    if (h.path()[i].ChainFlag == kContourStart) starts.push_back(i);
  }
  EXPECT_EQ(starts, (std::vector<int>{1, 3, 19}));
  EXPECT_EQ(h.path()[19], h.path()[1]);
}

// Where the rules cannot keep the passes inside the outline the pocket is reported, not cut.
TEST(PocketLeftAsDrawn, WithItsMessages) {
  const std::string not_rectangle = "Excavation outline is not a rectangle: EXCAV K10 LD5";
  struct Case {
    const char* name;
    OneBasedList<PathSegment> path;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"LShapedOutline",
       PathBuilder()
           .Defaults(PocketRecord(10))
           .Lines({{0, 0}, {100, 0}, {100, 40}, {40, 40}, {40, 100}, {0, 100}, {0, 0}})
           .Build(),
       {not_rectangle}},
      {"NoPitchAndNoCompensationValue",
       RectangleOutline(PocketRecord(0), 0, 0, 100, 40),
       {"Excavation Pitch not specified! (Rectangle)"}},
      {"NoPitchForACircle",
       PathBuilder().Defaults(PocketRecord(0)).Circle({100, 100}, 30, false).Build(),
       {"Excavation Pitch not specified! (Circle)"}},
      {"FiveRecordPolylineIsRoutedAsDrawn",
       PathBuilder()
           .Defaults(PocketRecord(10))
           .Polyline({{0, 0}, {100, 0}, {100, 40}, {0, 40}}, true)
           .Build(),
       {}},
      {"OpenArcIsNotAFullCircle",
       PathBuilder().Defaults(PocketRecord(10)).Arc({50, 50}, 30, 0, 90, true, true).Build(),
       {}},
      {"RouteLayersAreNotPockets", RectangleOutline(test::RouteRecord(8, "G41 "), 0, 0, 100, 40), {}},
  };
  for (const Case& c : cases) {
    PassHarness h;
    h.state.LayerKinds = {"BORDER", "VBORE DRILLING", "GROOVE", "HBORE",
                          std::string("EXCAV K10  \xF8") + "5"};
    h.path() = c.path;
    ExcavatePockets(h.context);
    EXPECT_EQ(h.path(), c.path) << c.name;
    EXPECT_EQ(h.PendingLines(), c.messages) << c.name;
  }
}

struct CircleCase {
  const char* name;
  float radius, k;
  const char* compCode;
  float pitch;
  bool joinedCounterClockwise;  // the direction contour joining chose
};

class CirclePocket : public testing::TestWithParam<CircleCase> {};

TEST_P(CirclePocket, SpiralsInwardInsideTheCircle) {
  const CircleCase& tc = GetParam();
  const TracePoint c{200, 150};
  PassHarness h;
  PathSegment layer = test::RouteRecord(6, tc.compCode);
  layer.OZ = -(tc.k + 1);
  h.path() =
      test::PathBuilder().Defaults(layer).Circle({200, 150}, tc.radius, tc.joinedCounterClockwise).Build();
  ExcavatePockets(h.context);
  EXPECT_TRUE(h.PendingLines().empty());
  const OneBasedList<PathSegment>& path = h.path();
  ASSERT_EQ(path.size() % 2, 0);

  // The circle first, then half circles between 90 and 270 degrees: each P/2 smaller than
  // the one before, centred P/4 above and below the circle's centre by turns, starting
  // above, ending on the vertical through the centre at the running radius.
  EXPECT_EQ(std::make_tuple(path[1].ChainFlag, path[1].CentreX, path[1].CentreY),
            std::make_tuple(kContourStart, 200.f, 150.f));
  const int16_t flag = std::string(tc.compCode).rfind("G41", 0) == 0 ? -1 : 0;
  for (int i = 4, turn = 0; i <= path.size(); i += 2, ++turn) {
    const PathSegment& start = path[i - 1];
    const PathSegment& end = path[i];
    const float above = turn % 2 == 0 ? 1.f : -1.f;
    EXPECT_EQ(std::make_tuple(start.SegmentType, start.ChainFlag, start.CentreX, end.ChainFlag, end.CentreY),
              std::make_tuple(int16_t{-3}, int16_t{0}, 200.f, flag, above > 0 ? 270.f : 90.f))
        << i;
    EXPECT_FLOAT_EQ(start.CentreY, 150 + above * tc.pitch / 4) << i;
    EXPECT_NEAR(std::hypot(start.X - start.CentreX, start.Y - start.CentreY),
                tc.radius - (turn + 0.5) * tc.pitch / 2, kTolerance)
        << i;
    EXPECT_NEAR(end.X, 200, kTolerance) << i;
    EXPECT_NEAR(end.Y, 150 - above * (tc.radius - (turn + 1) * tc.pitch / 2), kTolerance) << i;
  }
  EXPECT_EQ(path[2].ChainFlag, flag);

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
    const std::vector<TracePoint> earlier =
        test::SampleMoves({moves.begin(), moves.begin() + static_cast<long>(k)}, 0.1);
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

// K 10 on radius 50: half circles of radius 47.5, 42.5, ... with centres 2.5 above and below.
INSTANTIATE_TEST_SUITE_P(Pitches, CirclePocket,
                         testing::Values(CircleCase{"Radius50K10", 50, 10, "G41 ", 10, false},
                                         CircleCase{"Radius37K6", 37, 6, "G41 ", 6, true},
                                         CircleCase{"Radius20FromCompensationValue", 20, 0, "G42 R4", 8,
                                                    true},
                                         CircleCase{"Radius12K3Uncompensated", 12, 3, "", 3, false},
                                         CircleCase{"SmallerThanThePitch", 8, 10, "G41 ", 10, false}),
                         test::CaseName{});

}  // namespace
}  // namespace mq
