#include <gtest/gtest.h>

#include "engine/passes.h"
#include "support/path_builder.h"

namespace mq {
namespace {

using test::PassHarness;
using test::PathBuilder;
using test::RouteRecord;

PathSegment WithPasses(float depth, int16_t passes) {
  PathSegment r = RouteRecord(depth);
  r.M = passes;
  return r;
}

TEST(DepthPasses, FourPointContourInThreePassesOfSix) {
  PassHarness h;
  h.path() = PathBuilder()
                 .Defaults(WithPasses(18, 3))
                 .Polyline({{0, 0}, {100, 0}, {100, 50}, {0, 0}}, false)
                 .Build();
  const int before = h.path().size();
  RepeatDepthPasses(h.context);

  ASSERT_EQ(h.path().size(), before + 8);
  const float depths[] = {6, 12, 18};
  for (int pass = 0; pass < 3; ++pass) {
    for (int k = 1; k <= 4; ++k) {
      const PathSegment& r = h.path()[pass * 4 + k];
      EXPECT_FLOAT_EQ(r.Z, depths[pass]) << "pass " << pass << " point " << k;
      EXPECT_EQ(r.ChainFlag, k == 1 ? kContourStart : 0);
      EXPECT_EQ(r.X, h.path()[k].X);
      EXPECT_EQ(r.Y, h.path()[k].Y);
    }
  }
}

TEST(DepthPasses, TwoRepeatedContoursKeepTheirOrderEachFollowedByItsCopies) {
  PassHarness h;
  h.path() = PathBuilder()
                 .Defaults(WithPasses(10, 2))
                 .Line({0, 0}, {10, 0}, true)
                 .Defaults(RouteRecord(7))
                 .Line({20, 0}, {30, 0}, true)
                 .Defaults(WithPasses(9, 3))
                 .Line({40, 0}, {50, 0}, true)
                 .Build();
  RepeatDepthPasses(h.context);

  struct Expected {
    float x, z;
  };
  const Expected expected[] = {{0, 5},  {10, 5}, {0, 10}, {10, 10}, {20, 7}, {30, 7},
                               {40, 3}, {50, 3}, {40, 6}, {50, 6},  {40, 9}, {50, 9}};
  ASSERT_EQ(h.path().size(), 12);
  for (int i = 1; i <= 12; ++i) {
    EXPECT_EQ(h.path()[i].X, expected[i - 1].x) << i;
    EXPECT_FLOAT_EQ(h.path()[i].Z, expected[i - 1].z) << i;
  }
}

TEST(DepthPasses, ContourWithoutPassesIsUnchanged) {
  PassHarness h;
  h.path() = PathBuilder().Defaults(RouteRecord(12)).Polyline({{0, 0}, {5, 0}, {5, 5}}, true).Build();
  const OneBasedList<PathSegment> before = h.path();
  RepeatDepthPasses(h.context);
  EXPECT_EQ(h.path(), before);
}

TEST(DepthPasses, PointWithoutDepthKeepsItInEveryPass) {
  PassHarness h;
  h.path() = PathBuilder().Defaults(WithPasses(95, 2)).Line({0, 0}, {10, 0}, true).Build();
  RepeatDepthPasses(h.context);
  ASSERT_EQ(h.path().size(), 4);
  for (const PathSegment& r : h.path()) EXPECT_EQ(r.Z, 95);
}

TEST(DepthPasses, RemovedRecordEndsTheRepeatedContour) {
  PassHarness h;
  h.path() = PathBuilder().Defaults(WithPasses(8, 2)).Line({0, 0}, {10, 0}, true).Build();
  PathSegment removed = RouteRecord(8);
  removed.SegmentType = segment::kRemoved;
  h.path().push_back(removed);
  RepeatDepthPasses(h.context);
  ASSERT_EQ(h.path().size(), 5);
  EXPECT_EQ(h.path()[5].SegmentType, segment::kRemoved);
  EXPECT_FLOAT_EQ(h.path()[5].Z, 8);
  EXPECT_FLOAT_EQ(h.path()[4].Z, 8);
  EXPECT_FLOAT_EQ(h.path()[2].Z, 4);
}

}  // namespace
}  // namespace mq
