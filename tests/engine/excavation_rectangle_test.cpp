#include <gtest/gtest.h>

#include <algorithm>
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
constexpr char kNotRectangle[] = "Excavation outline is not a rectangle: ";

// A record of an EXCAV layer with pitch K (stored as -(K + 1) in OZ).
PathSegment PocketRecord(float k, const char* compCode = "G41 ") {
  PathSegment r = RouteRecord(8, compCode);
  r.OZ = -(k + 1);
  r.LayerNumber = 1;
  return r;
}

// The rectangle as four LINEs joined into one contour, from corner `start` (0 lower
// left, then round counter-clockwise), running counter-clockwise or clockwise.
OneBasedList<PathSegment> RectangleOutline(const PathSegment& defaults, float x0, float y0, float x1,
                                           float y1, bool counterClockwise, int start = 0) {
  std::vector<test::BuildPoint> corners{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  if (!counterClockwise) std::reverse(corners.begin() + 1, corners.end());
  std::rotate(corners.begin(), corners.begin() + start, corners.end());
  PathBuilder b;
  b.Defaults(defaults);
  for (int i = 0; i < 4; ++i) b.Line(corners[i], corners[(i + 1) % 4], i == 0);
  return b.Build();
}

struct Rect {
  double minX, maxX, minY, maxY;
};

// The closed loops of a pocket path and the moves that link them.
struct PocketPasses {
  std::vector<std::vector<TracedMove>> loops;
  std::vector<TracedMove> links;
};

PocketPasses SplitIntoPasses(const std::vector<TracedMove>& moves) {
  PocketPasses passes;
  TracePoint loopStart = moves.front().from;
  std::vector<TracedMove> loop;
  for (const TracedMove& m : moves) {
    if (loop.empty() && !passes.loops.empty() && passes.links.size() < passes.loops.size()) {
      passes.links.push_back(m);  // from the end of one pass to the start of the next
      loopStart = m.to;
      continue;
    }
    loop.push_back(m);
    if (loop.size() >= 3 && test::TraceDistance(m.to, loopStart) < kTolerance) {
      passes.loops.push_back(loop);
      loop.clear();
    }
  }
  EXPECT_TRUE(loop.empty()) << "the pocket path ends inside an unfinished pass";
  return passes;
}

Rect BoundsOf(const std::vector<TracedMove>& loop) {
  Rect r{1e9, -1e9, 1e9, -1e9};
  for (const TracedMove& m : loop) {
    for (TracePoint p : {m.from, m.to}) {
      r.minX = std::min(r.minX, p.x);
      r.maxX = std::max(r.maxX, p.x);
      r.minY = std::min(r.minY, p.y);
      r.maxY = std::max(r.maxY, p.y);
    }
  }
  return r;
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
};
void PrintTo(const RectangleCase& c, std::ostream* os) { *os << c.name; }

class RectanglePocket : public ::testing::TestWithParam<RectangleCase> {};

// What a cleared pocket must satisfy, read from the finished PathList alone.
TEST_P(RectanglePocket, IsSafeAndClearsTheWholePocket) {
  const RectangleCase& tc = GetParam();
  const float x0 = 30, y0 = 20;
  const Rect outline{x0, x0 + tc.width, y0, y0 + tc.height};
  PassHarness h;
  h.path() = RectangleOutline(PocketRecord(tc.k, tc.compCode), x0, y0, x0 + tc.width, y0 + tc.height,
                              tc.counterClockwise, tc.startCorner);
  ExcavatePockets(h.context);
  EXPECT_TRUE(h.PendingLines().empty());

  const OneBasedList<PathSegment>& path = h.path();
  for (int i = 2; i <= path.size(); ++i) EXPECT_NE(path[i].ChainFlag, kContourStart) << "one contour: " << i;
  const std::vector<TracedMove> moves = test::TraceMoves(path, 1, path.size());
  const std::vector<TracePoint> polygon{{outline.minX, outline.minY},
                                        {outline.maxX, outline.minY},
                                        {outline.maxX, outline.maxY},
                                        {outline.minX, outline.maxY}};
  // Every move, passes and links alike, stays inside the outline.
  for (const TracePoint& p : test::SampleMoves(moves)) {
    ASSERT_TRUE(test::InsidePolygon(p, polygon, kTolerance)) << p.x << " " << p.y;
  }

  const PocketPasses passes = SplitIntoPasses(moves);
  ASSERT_GE(passes.loops.size(), 1u);
  const Rect first = BoundsOf(passes.loops.front());
  EXPECT_NEAR(first.minX, outline.minX, kTolerance);
  EXPECT_NEAR(first.maxX, outline.maxX, kTolerance);
  EXPECT_NEAR(first.minY, outline.minY, kTolerance);
  EXPECT_NEAR(first.maxY, outline.maxY, kTolerance);
  for (std::size_t k = 1; k < passes.loops.size(); ++k) {
    const Rect outer = BoundsOf(passes.loops[k - 1]);
    const Rect inner = BoundsOf(passes.loops[k]);
    for (double gap : {inner.minX - outer.minX, outer.maxX - inner.maxX, inner.minY - outer.minY,
                       outer.maxY - inner.maxY}) {
      EXPECT_GT(gap, kTolerance) << "pass " << k << " moves inward";
      EXPECT_LE(gap, tc.pitch + kTolerance) << "pass " << k << " at most P from the one before";
    }
  }

  // The spine: the points half the smaller side from the nearer sides.
  const double half = std::min(tc.width, tc.height) / 2.0;
  const TracePoint spineFrom{outline.minX + half, outline.minY + half};
  const TracePoint spineTo = tc.height < tc.width ? TracePoint{outline.maxX - half, outline.minY + half}
                                                  : TracePoint{outline.minX + half, outline.maxY - half};
  const Rect last = BoundsOf(passes.loops.back());
  for (int i = 0; i <= 20; ++i) {
    const TracePoint s{spineFrom.x + (spineTo.x - spineFrom.x) * i / 20,
                       spineFrom.y + (spineTo.y - spineFrom.y) * i / 20};
    const double reach = std::min({s.x - last.minX, last.maxX - s.x, s.y - last.minY, last.maxY - s.y});
    EXPECT_GT(reach, 0) << "the last pass surrounds the spine";
    EXPECT_LE(reach, tc.pitch + kTolerance) << "the last pass reaches the spine";
  }

  // Every point of the pocket lies within P of the tool path.
  const std::vector<TracePoint> samples = test::SampleMoves(moves, 0.25);
  for (double gx = outline.minX; gx <= outline.maxX; gx += tc.width / 17) {
    for (double gy = outline.minY; gy <= outline.maxY; gy += tc.height / 13) {
      double nearest = 1e9;
      for (const TracePoint& p : samples) nearest = std::min(nearest, test::TraceDistance(p, {gx, gy}));
      EXPECT_LE(nearest, tc.pitch + 0.25) << gx << " " << gy;
    }
  }

  // Each pass runs with the compensation side that keeps the tool inside: counter-
  // clockwise passes on "G41", clockwise passes on "G42".
  for (const auto& loop : passes.loops) {
    const char expected = SignedArea(loop) > 0 ? '1' : '2';
    for (const TracedMove& m : loop) EXPECT_EQ(path[m.endRecord].CompCode[2], expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    AspectRatios, RectanglePocket,
    ::testing::Values(RectangleCase{"Wide100x40K10", 100, 40, 10, "G41 ", 10, true, 0},
                      RectangleCase{"Tall40x100K10Clockwise", 40, 100, 10, "G41 ", 10, false, 2},
                      RectangleCase{"Square60K10", 60, 60, 10, "G42 ", 10, true, 1},
                      RectangleCase{"PitchPullsTheLastPassOffTheSpine200x50K15", 200, 50, 15, "G41 ", 15,
                                    true, 3},
                      RectangleCase{"Narrow300x31K7", 300, 31, 7, "G42 ", 7, false, 0},
                      RectangleCase{"PitchFromTheCompensationValue", 120, 80, 0, "G41 L5", 10, true, 0},
                      RectangleCase{"NarrowerThanTwoPitches", 100, 12, 10, "G41 ", 10, true, 0}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(RectanglePocketPasses, HundredByFortyWithKTenStaysTenFromTheSpine) {
  PassHarness h;
  h.path() = RectangleOutline(PocketRecord(10), 0, 0, 100, 40, true);
  ExcavatePockets(h.context);
  // The outline and one pass 10 inside it; 20 from the outline lies the spine.
  ASSERT_EQ(h.path().size(), 16);
  for (int i = 9; i <= 16; ++i) {
    const PathSegment& r = h.path()[i];
    EXPECT_TRUE(r.X == 10 || r.X == 90) << i;
    EXPECT_TRUE(r.Y == 10 || r.Y == 30) << i;
    // None closer than 10 to the spine from (20, 20) to (80, 20).
    const double gap = test::DistanceToSegment({r.X, r.Y}, {20, 20}, {80, 20});
    EXPECT_GE(gap, 10 - kTolerance) << i;
  }
  EXPECT_EQ(h.path()[9].SegmentType, 1);  // the move inward along the corner's diagonal
}

TEST(RectanglePocketPasses, ThePocketReplacesItsOutlineAmongTheOtherContours) {
  PassHarness h;
  OneBasedList<PathSegment> path = PathBuilder().Defaults(RouteRecord(5)).Line({0, 0}, {10, 0}, true).Build();
  for (const PathSegment& r : RectangleOutline(PocketRecord(10), 0, 0, 100, 40, true)) path.push_back(r);
  for (const PathSegment& r : PathBuilder().Defaults(RouteRecord(6)).Line({0, 50}, {10, 50}, true).Build()) {
    path.push_back(r);
  }
  h.path() = path;
  ExcavatePockets(h.context);
  ASSERT_EQ(h.path().size(), 2 + 16 + 2);
  EXPECT_EQ(h.path()[1].Z, 5);
  EXPECT_EQ(h.path()[3].ChainFlag, kContourStart);
  EXPECT_EQ(h.path()[19].ChainFlag, kContourStart);
  EXPECT_EQ(h.path()[20].Z, 6);
}

struct LeftAloneCase {
  const char* name;
  OneBasedList<PathSegment> path;
  std::vector<std::string> messages;
};
void PrintTo(const LeftAloneCase& c, std::ostream* os) { *os << c.name; }

OneBasedList<PathSegment> LShape(const PathSegment& defaults) {
  return PathBuilder()
      .Defaults(defaults)
      .Lines({{0, 0}, {100, 0}, {100, 40}, {40, 40}, {40, 100}, {0, 100}, {0, 0}})
      .Build();
}

OneBasedList<PathSegment> RoundedRectangle(const PathSegment& defaults) {
  return PathBuilder()
      .Defaults(defaults)
      .Line({10, 0}, {90, 0}, true)
      .Arc({90, 10}, 10, 270, 360, true, false)
      .Line({100, 10}, {100, 30}, false)
      .Arc({90, 30}, 10, 0, 90, true, false)
      .Line({90, 40}, {10, 40}, false)
      .Arc({10, 30}, 10, 90, 180, true, false)
      .Line({0, 30}, {0, 10}, false)
      .Arc({10, 10}, 10, 180, 270, true, false)
      .Build();
}

class PocketLeftAsDrawn : public ::testing::TestWithParam<LeftAloneCase> {};

TEST_P(PocketLeftAsDrawn, WithItsMessages) {
  PassHarness h;
  h.state.LayerKinds = {"BORDER", "VBORE DRILLING", "GROOVE", "HBORE", std::string("EXCAV K10  \xF8") + "5"};
  h.path() = GetParam().path;
  ExcavatePockets(h.context);
  EXPECT_EQ(h.path(), GetParam().path);
  EXPECT_EQ(h.PendingLines(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PocketLeftAsDrawn,
    ::testing::Values(
        LeftAloneCase{"LShapedOutlineCannotBeClearedByCornerCopies",
                      LShape(PocketRecord(10)),
                      {std::string(kNotRectangle) + "EXCAV K10 LD5"}},
        LeftAloneCase{"RoundedCornersAreNotARectangle",
                      RoundedRectangle(PocketRecord(10)),
                      {std::string(kNotRectangle) + "EXCAV K10 LD5"}},
        LeftAloneCase{"NoPitchAndNoCompensationValue",
                      RectangleOutline(PocketRecord(0), 0, 0, 100, 40, true),
                      {"Excavation Pitch not specified! (Rectangle)"}},
        LeftAloneCase{"FiveRecordPolylineIsRoutedAsDrawn",
                      PathBuilder()
                          .Defaults(PocketRecord(10))
                          .Polyline({{0, 0}, {100, 0}, {100, 40}, {0, 40}}, true)
                          .Build(),
                      {}},
        LeftAloneCase{"OpenArcIsNotAFullCircle",
                      PathBuilder().Defaults(PocketRecord(10)).Arc({50, 50}, 30, 0, 90, true, true).Build(),
                      {}},
        LeftAloneCase{
            "RouteLayersAreNotPockets", RectangleOutline(RouteRecord(8, "G41 "), 0, 0, 100, 40, true), {}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace mq
