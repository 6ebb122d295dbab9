#include "engine/angles.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace mq {
namespace {

TEST(RadiansPerDegree, IsTheStoredPiOver180InSinglePrecision) {
  // The stored pi is one bit above the nearest single to pi; mixing the two would shift
  // every converted angle.
  EXPECT_EQ(std::bit_cast<std::uint32_t>(kDesignPi), 0x40490FDCu);
  volatile float pi = kDesignPi;  // divided at run time, in single precision
  EXPECT_EQ(std::bit_cast<std::uint32_t>(RadiansPerDegree), std::bit_cast<std::uint32_t>(pi / 180.0f));
  const float nearestPi = std::bit_cast<float>(std::uint32_t{0x40490FDB});
  EXPECT_NE(RadiansPerDegree, nearestPi / 180.0f);
}

struct BearingCase {
  float x1, x2, y1, y2;
  float expected;
};

class BearingTest : public testing::TestWithParam<BearingCase> {};

TEST_P(BearingTest, IsClockwiseFromNorth) {
  const BearingCase& c = GetParam();
  // The stored pi is a bit large, so a diagonal reads 44.999996: 45 in a single's text.
  EXPECT_NEAR(Bearing(c.x1, c.x2, c.y1, c.y2), c.expected, 1e-5)
      << "from (" << c.x1 << ", " << c.y1 << ") to (" << c.x2 << ", " << c.y2 << ")";
}

INSTANTIATE_TEST_SUITE_P(QuadrantsAndAxes, BearingTest,
                         testing::Values(BearingCase{0, 1, 0, 1, 45}, BearingCase{0, 1, 0, -1, 135},
                                         BearingCase{0, -1, 0, -1, 225}, BearingCase{0, -1, 0, 1, 315},
                                         BearingCase{0, 0, 0, 1, 0}, BearingCase{0, 1, 0, 0, 90},
                                         BearingCase{0, 0, 0, -1, 180}, BearingCase{0, -1, 0, 0, 270},
                                         // A zero-length vector points north.
                                         BearingCase{5, 5, 7, 7, 0},
                                         // The arguments come as x1, x2, y1, y2.
                                         BearingCase{10, 20, 100, 90, 135}));

TEST(Bearing, AxisDirectionsAreExact) {
  EXPECT_EQ(Bearing(0, 0, 0, 3), 0.0f);
  EXPECT_EQ(Bearing(0, 3, 0, 0), 90.0f);
  EXPECT_EQ(Bearing(0, 0, 0, -3), 180.0f);
  EXPECT_EQ(Bearing(0, -3, 0, 0), 270.0f);
}

TEST(Bearing, StaysBelowAFullTurnJustWestOfNorth) {
  // -0.0000057 degrees plus 360 rounds to 360 in single precision.
  const float bearing = Bearing(0, -1e-7f, 0, 1);
  EXPECT_LT(bearing, 360.0f);
  EXPECT_EQ(AngleGap(bearing, Bearing(0, 0, 0, 1)), 0.0f);
  EXPECT_NEAR(Bearing(0, -1, 0, 1000), 360 - 0.0572958, 1e-4);  // further west it is not rounded away
}

TEST(Bearing, OffAxisDirectionsMatchTheCompassAngle) {
  // Away from the axes the result is the true compass angle within the stored pi's error.
  constexpr double kDegreesPerRadian = 57.29577951308232;
  const struct {
    float dx, dy;
  } directions[] = {{1, 2}, {2, 1}, {3, -1}, {-1, -3}, {-2, 5}, {-0.001f, 1000}, {1000, -0.001f}};
  for (const auto& d : directions) {
    double expected = std::atan2(d.dx, d.dy) * kDegreesPerRadian;
    if (expected < 0) expected += 360;
    const float bearing = Bearing(100, 100 + d.dx, 50, 50 + d.dy);
    EXPECT_NEAR(bearing, expected, 1e-4) << d.dx << ", " << d.dy;
    EXPECT_GE(bearing, 0.0f);
    EXPECT_LT(bearing, 360.0f);
  }
}

struct NormalizeCase {
  float angle;
  float expected;
};

TEST(NormalizeAngle, MakesOneCorrectionOnly) {
  const NormalizeCase cases[] = {
      {370, 10},   {-30, 330}, {720, 360},  // a second turn is not removed
      {-400, -40}, {360, 0},   {0, 0},     {359.5f, 359.5f}, {-360, 0}, {45, 45},
  };
  for (const auto& c : cases) {
    float angle = c.angle;
    NormalizeAngle(angle);
    EXPECT_EQ(angle, c.expected) << "from " << c.angle;
  }
}

struct GapCase {
  float a, b;
  float expected;
};

TEST(AngleGap, IsTheShorterWayRound) {
  const GapCase cases[] = {{350, 10, 20}, {10, 350, 20}, {90, 90, 0}, {0, 180, 180},
                           {30, 100, 70}, {100, 30, 70}, {0, 359, 1}, {270, 45, 135}};
  for (const auto& c : cases) EXPECT_EQ(AngleGap(c.a, c.b), c.expected) << c.a << " and " << c.b;
}

TEST(ArcCosDegrees, IsClampedAtTheEnds) {
  EXPECT_EQ(ArcCosDegrees(1.0000001), 0.0f);
  EXPECT_EQ(ArcCosDegrees(1.0), 0.0f);
  EXPECT_EQ(ArcCosDegrees(5.0), 0.0f);
  EXPECT_EQ(ArcCosDegrees(-1.0), 180.0f);
  EXPECT_EQ(ArcCosDegrees(-1.0000001), 180.0f);
  EXPECT_EQ(ArcCosDegrees(0.0), 90.0f);
}

TEST(ArcCosDegrees, InsideTheRangeIsTheArcCosine) {
  constexpr double kDegreesPerRadian = 57.29577951308232;
  for (const double x : {-0.9999, -0.5, -0.1, 0.1, 0.5, 0.8660254, 0.9999}) {
    EXPECT_NEAR(ArcCosDegrees(x), std::acos(x) * kDegreesPerRadian, 1e-4) << x;
  }
}

struct BulgeCase {
  float bulge;
  float includedAngle;
  float radiusOverHalfChord;
};

TEST(ArcFromBulge, RadiusFollowsFromChordAndIncludedAngle) {
  const float tanEighth = static_cast<float>(std::tan(std::atan(1.0) / 2));  // quarter circle
  const BulgeCase cases[] = {
      {1, 180, 1},                       // half circle: radius is the half chord
      {-1, 180, 1},                      // clockwise pieces have the same arc
      {tanEighth, 90, std::sqrt(2.0f)},  // quarter circle
      {-tanEighth, 90, std::sqrt(2.0f)},
  };
  for (const auto& c : cases) {
    const BulgeArc arc = ArcFromBulge(0, 0, 30, 40, c.bulge);  // chord 50
    EXPECT_NEAR(arc.IncludedAngle, c.includedAngle, 1e-4) << c.bulge;
    EXPECT_FLOAT_EQ(arc.HalfChord, 25.0f);
    EXPECT_NEAR(arc.Radius, 25.0f * c.radiusOverHalfChord, 1e-4) << c.bulge;
  }
}

TEST(ArcFromBulge, StraightAndDegeneratePieces) {
  // A bulge of 0 is a straight piece: endless radius, which the writer turns into a line.
  EXPECT_EQ(ArcFromBulge(0, 0, 10, 0, 0).Radius, std::numeric_limits<float>::infinity());
  // A piece that goes nowhere has no arc.
  EXPECT_EQ(ArcFromBulge(3, 4, 3, 4, 1).Radius, 0.0f);
  EXPECT_EQ(ArcFromBulge(3, 4, 3, 4, 0).Radius, 0.0f);
}

}  // namespace
}  // namespace mq
