#include <gtest/gtest.h>

#include <ostream>

#include "engine/passes.h"
#include "support/path_builder.h"

namespace mq {
namespace {

using test::PassHarness;
using test::PathBuilder;
using test::RouteRecord;

constexpr float kCoordinateTolerance = 1e-3f;

OneBasedList<PathSegment> Rectangle600x400() {
  return PathBuilder()
      .Defaults(RouteRecord(20))
      .Polyline({{0, 0}, {600, 0}, {600, 400}, {0, 400}}, true)
      .Build();
}

TEST(CornerCompensation, ClosedRectangleStartsAndEndsInTheMiddleOfItsFirstSide) {
  PassHarness h;
  h.state.CornerCompMode = kStatedOn;
  h.path() = Rectangle600x400();
  CompensateCorners(h.context);

  ASSERT_EQ(h.path().size(), 6);
  EXPECT_NEAR(h.path()[1].X, 300, kCoordinateTolerance);
  EXPECT_NEAR(h.path()[1].Y, 0, kCoordinateTolerance);
  EXPECT_EQ(h.path()[1].SegmentType, -5);
  EXPECT_EQ(h.path()[1].ChainFlag, kContourStart);
  // The old corner stays on the path, just before the new end.
  EXPECT_EQ(h.path()[5].X, 0);
  EXPECT_EQ(h.path()[5].Y, 0);
  EXPECT_NEAR(h.path()[6].X, 300, kCoordinateTolerance);
  EXPECT_NEAR(h.path()[6].Y, 0, kCoordinateTolerance);
  EXPECT_EQ(h.path()[6].SegmentType, 5);
  EXPECT_EQ(h.path()[6].ChainFlag, 0);
}

TEST(CornerCompensation, EachTreatedContourGrowsByOneAndLaterContoursFollowIt) {
  PassHarness h;
  h.state.CornerCompMode = kStatedOn;
  h.path() = PathBuilder()
                 .Defaults(RouteRecord(10))
                 .Polyline({{0, 0}, {0, 100}, {50, 100}, {50, 0}}, true)
                 .Line({200, 0}, {300, 0}, true)
                 .Polyline({{400, 0}, {500, 0}, {500, 80}}, true)
                 .Build();
  CompensateCorners(h.context);

  ASSERT_EQ(h.path().size(), 5 + 1 + 2 + 4 + 1);
  // First side upwards: the middle is 50 above the start.
  EXPECT_NEAR(h.path()[1].X, 0, kCoordinateTolerance);
  EXPECT_NEAR(h.path()[1].Y, 50, kCoordinateTolerance);
  EXPECT_NEAR(h.path()[6].Y, 50, kCoordinateTolerance);
  EXPECT_EQ(h.path()[7].SegmentType, -1);  // the line contour, untouched
  EXPECT_EQ(h.path()[9].ChainFlag, kContourStart);
  EXPECT_NEAR(h.path()[9].X, 450, kCoordinateTolerance);
  EXPECT_NEAR(h.path()[13].X, 450, kCoordinateTolerance);
}

struct UnchangedCase {
  const char* name;
  OneBasedList<PathSegment> path;
  TriState mode;
  int checkBox;
};
void PrintTo(const UnchangedCase& c, std::ostream* os) { *os << c.name; }

class CornerCompensationLeavesAlone : public ::testing::TestWithParam<UnchangedCase> {};

TEST_P(CornerCompensationLeavesAlone, ThePathList) {
  PassHarness h;
  h.state.CornerCompMode = GetParam().mode;
  h.settings.CornerComp = GetParam().checkBox;
  h.path() = GetParam().path;
  CompensateCorners(h.context);
  EXPECT_EQ(h.path(), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CornerCompensationLeavesAlone,
    ::testing::Values(
        UnchangedCase{
            "OpenPolyline",
            PathBuilder().Defaults(RouteRecord(5)).Polyline({{0, 0}, {600, 0}, {600, 400}}, false).Build(),
            kStatedOn, 0},
        UnchangedCase{"FirstPieceIsAnArc",
                      PathBuilder()
                          .Defaults(RouteRecord(5))
                          .Polyline({{0, 0, 0.5f}, {600, 0}, {600, 400}, {0, 400}}, true)
                          .Build(),
                      kStatedOn, 0},
        UnchangedCase{"ModeOffWinsOverTheCheckBox", Rectangle600x400(), kStatedOff, 1},
        UnchangedCase{"NotStatedAndCheckBoxClear", Rectangle600x400(), kNotStated, 0},
        UnchangedCase{
            "LineContoursAreNotPolylines",
            PathBuilder().Defaults(RouteRecord(5)).Lines({{0, 0}, {10, 0}, {10, 10}, {0, 0}}).Build(),
            kStatedOn, 1}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(CornerCompensation, CheckBoxSwitchesItOnWhenTheDrawingSaysNothing) {
  PassHarness h;
  h.settings.CornerComp = 1;
  h.path() = Rectangle600x400();
  CompensateCorners(h.context);
  EXPECT_EQ(h.path().size(), 6);
}

}  // namespace
}  // namespace mq
