// Multiple depth passes: contours repeated at Z/n, 2Z/n, ... Z.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"
#include "support/path_builder.h"

namespace mq {
namespace {

using test::PathBuilder;

PathSegment WithPasses(float depth, int16_t passes) {
  PathSegment r = test::RouteRecord(depth);
  r.M = passes;
  return r;
}

TEST(DepthPasses, FourPointContourInThreePassesOfSix) {
  test::PassHarness h;
  h.path() = PathBuilder()
                 .Defaults(WithPasses(18, 3))
                 .Polyline({{0, 0}, {100, 0}, {100, 50}, {0, 0}}, false)
                 .Build();
  const OneBasedList<PathSegment> contour = h.path();
  RepeatDepthPasses(h.context);
  ASSERT_EQ(h.path().size(), contour.size() + 8);
  // Each copy complete, with its mark on its first point.
  for (int i = 1; i <= 12; ++i) {
    PathSegment expected = contour[(i - 1) % 4 + 1];
    expected.Z = 6.0f * static_cast<float>((i - 1) / 4 + 1);
    EXPECT_EQ(h.path()[i], expected) << i;
  }
}

// Each repeated contour is followed directly by its own copies; a removed record ends
// the contour before it; a contour without passes is left alone, and points without a
// depth (Z 90 or more) keep it in every pass.
TEST(DepthPasses, RepeatedContoursKeepTheirOrderEachFollowedByItsCopies) {
  PathSegment removed = WithPasses(8, 2);
  test::PassHarness h;
  h.path() = PathBuilder()
                 .Defaults(WithPasses(10, 2))
                 .Line({0, 0}, {10, 0}, true)
                 .Defaults(removed)
                 .Polyline({{15, 0}}, false, false)
                 .Defaults(WithPasses(7, 0))
                 .Line({20, 0}, {30, 0}, true)
                 .Defaults(WithPasses(9, 3))
                 .Line({40, 0}, {50, 0}, true)
                 .Defaults(WithPasses(95, 2))
                 .Line({60, 0}, {70, 0}, true)
                 .Build();
  h.path()[3].SegmentType = segment::kRemoved;
  RepeatDepthPasses(h.context);
  std::vector<std::pair<float, float>> points;
  for (const PathSegment& r : h.path()) points.emplace_back(r.X, r.Z);
  EXPECT_EQ(points, (std::vector<std::pair<float, float>>{{0, 5},
                                                          {10, 5},
                                                          {0, 10},
                                                          {10, 10},
                                                          {15, 8},
                                                          {20, 7},
                                                          {30, 7},
                                                          {40, 3},
                                                          {50, 3},
                                                          {40, 6},
                                                          {50, 6},
                                                          {40, 9},
                                                          {50, 9},
                                                          {60, 95},
                                                          {70, 95},
                                                          {60, 95},
                                                          {70, 95}}));
}

}  // namespace
}  // namespace mq
