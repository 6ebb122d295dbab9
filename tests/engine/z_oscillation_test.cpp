#include <gtest/gtest.h>

#include <vector>

#include "engine/passes.h"
#include "support/path_builder.h"

namespace mq {
namespace {

using test::PassHarness;
using test::PathBuilder;
using test::RouteRecord;

constexpr float kThickness = 19;
constexpr float kThroughDepth = 20;
constexpr char kWarning[] = "OSCILLATION IN Z attempted on shallow route!";

PathSegment Oscillating(float depth, float height) {
  PathSegment r = RouteRecord(depth);
  r.OZ = height;
  return r;
}

// An open polyline along X through the given X positions.
OneBasedList<PathSegment> PolylineAlongX(const PathSegment& defaults, const std::vector<float>& xs) {
  PathBuilder b;
  b.Defaults(defaults);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    PathSegment r = defaults;
    r.X = xs[i];
    r.SegmentType = i == 0 ? -segment::kPolyline : segment::kPolyline;
    r.ChainFlag = i == 0 ? kContourStart : 0;
    b.Raw(r);
  }
  return b.Build();
}

std::vector<float> Offsets(const OneBasedList<PathSegment>& path, float depth) {
  std::vector<float> offsets;
  for (int i = 2; i <= path.size(); ++i) offsets.push_back(path[i].Z - depth);
  return offsets;
}

TEST(ZOscillation, TwoMillimetrePiecesRiseAndFallHoldingEachLimitForTwoPoints) {
  PassHarness h;
  h.state.PartThickness = kThickness;
  std::vector<float> xs;
  for (int i = 0; i <= 11; ++i) xs.push_back(2.0f * static_cast<float>(i));
  h.path() = PolylineAlongX(Oscillating(kThroughDepth, 4), xs);
  OscillateRoutes(h.context);

  EXPECT_EQ(h.path()[1].Z, kThroughDepth);  // the first point keeps its depth
  const std::vector<float> expected{1, 2, 3, 4, 4, 3, 2, 1, 0, 0, 1};
  EXPECT_EQ(Offsets(h.path(), kThroughDepth), expected);
  EXPECT_TRUE(h.PendingLines().empty());
}

TEST(ZOscillation, LongPieceAtTheUpperLimitJumpsToZeroAndRisesAgain) {
  PassHarness h;
  h.state.PartThickness = kThickness;
  // Up to 4 in 2 mm steps, then 20 mm: clamped at 4 again it would hardly move.
  h.path() = PolylineAlongX(Oscillating(kThroughDepth, 4), {0, 2, 4, 6, 8, 28, 30});
  OscillateRoutes(h.context);
  const std::vector<float> expected{1, 2, 3, 4, 0, 1};
  EXPECT_EQ(Offsets(h.path(), kThroughDepth), expected);
}

TEST(ZOscillation, LinePiecesCarryTheirEndDepthBackToTheirStart) {
  PassHarness h;
  h.state.PartThickness = kThickness;
  h.path() =
      PathBuilder().Defaults(Oscillating(kThroughDepth, 4)).Lines({{0, 0}, {4, 0}, {8, 0}, {10, 0}}).Build();
  OscillateRoutes(h.context);
  // Records: -1 (start) 1, -1 1, -1 1. Offsets 2 after 4 mm, 4 after 4 more, held at 4
  // after 2 more; each piece's start record takes its end's depth, except the contour's
  // first record.
  const float z[] = {20, 22, 24, 24, 24, 24};
  for (int i = 1; i <= 6; ++i) EXPECT_FLOAT_EQ(h.path()[i].Z, z[i - 1]) << i;
}

TEST(ZOscillation, PointsWithoutDepthAreNeverChanged) {
  PassHarness h;
  h.state.PartThickness = kThickness;
  h.path() = PolylineAlongX(Oscillating(kThroughDepth, 4), {0, 2, 4, 6});
  h.path()[3].Z = 95;
  OscillateRoutes(h.context);
  EXPECT_EQ(h.path()[3].Z, 95);
  EXPECT_FLOAT_EQ(h.path()[2].Z, 21);
  EXPECT_FLOAT_EQ(h.path()[4].Z, 22);  // 2 mm on from the skipped point
}

TEST(ZOscillation, ShallowRoutesAreUnchangedAndWarnedAboutOnceForTheDrawing) {
  PassHarness h;
  h.state.PartThickness = kThickness;
  h.path() = PathBuilder()
                 .Defaults(Oscillating(12, 3))
                 .Polyline({{0, 0}, {50, 0}, {50, 50}}, true)
                 .Polyline({{100, 0}, {150, 0}, {150, 50}}, true)
                 .Defaults(Oscillating(kThickness, 2))  // exactly the thickness: not through
                 .Line({200, 0}, {260, 0}, true)
                 .Build();
  const OneBasedList<PathSegment> before = h.path();
  OscillateRoutes(h.context);
  EXPECT_EQ(h.path(), before);
  EXPECT_EQ(h.PendingLines(), std::vector<std::string>{kWarning});
}

TEST(ZOscillation, ThroughCutWithoutHeightIsUnchangedWithoutWarning) {
  PassHarness h;
  h.state.PartThickness = kThickness;
  h.path() = PolylineAlongX(RouteRecord(kThroughDepth), {0, 10, 20});
  const OneBasedList<PathSegment> before = h.path();
  OscillateRoutes(h.context);
  EXPECT_EQ(h.path(), before);
  EXPECT_TRUE(h.PendingLines().empty());
}

TEST(ZOscillation, EachMarkedContourStartsAgainFromTheSurfaceDepth) {
  PassHarness h;
  h.state.PartThickness = kThickness;
  OneBasedList<PathSegment> path = PolylineAlongX(Oscillating(kThroughDepth, 4), {0, 2, 4});
  for (const PathSegment& r : PolylineAlongX(Oscillating(kThroughDepth, 2), {10, 12, 14})) path.push_back(r);
  h.path() = path;
  OscillateRoutes(h.context);
  const float z[] = {20, 21, 22, 20, 21, 22};  // A = 2: 2 mm pieces move by 1 each
  for (int i = 1; i <= 6; ++i) EXPECT_FLOAT_EQ(h.path()[i].Z, z[i - 1]) << i;
}

}  // namespace
}  // namespace mq
