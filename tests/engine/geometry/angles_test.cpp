#include "engine/geometry/angles.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace mq {
namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

// The stored pi is one bit above the nearest single to pi; mixing the two would shift every
// converted angle.
TEST(RadiansPerDegree, IsTheStoredPiOver180InSinglePrecision) {
  volatile float pi = std::bit_cast<float>(std::uint32_t{0x40490FDC});
  EXPECT_EQ(std::bit_cast<std::uint32_t>(RadiansPerDegree), std::bit_cast<std::uint32_t>(pi / 180.0f));
}

TEST(Bearing, IsClockwiseFromNorthInEveryQuadrant) {
  // Arguments come as x1, x2, y1, y2; a zero-length vector points north.
  const float cases[][5] = {{0, 1, 0, 1, 45}, {0, 1, 0, -1, 135},    {0, -1, 0, -1, 225}, {0, -1, 0, 1, 315},
                            {0, 0, 0, 3, 0},  {0, 3, 0, 0, 90},      {0, 0, 0, -3, 180},  {0, -3, 0, 0, 270},
                            {5, 5, 7, 7, 0},  {10, 20, 100, 90, 135}};
  for (const auto& c : cases) EXPECT_NEAR(Bearing(c[0], c[1], c[2], c[3]), c[4], 1e-5) << c[1] << "," << c[3];
  for (const auto& [dx, dy] :
       {std::pair{1.0f, 2.0f}, {3, -1}, {-1, -3}, {-2, 5}, {1000, -0.001f}, {-1, 1000}}) {
    const double expected = std::fmod(std::atan2(dx, dy) * kDegreesPerRadian + 360, 360);
    EXPECT_NEAR(Bearing(100, 100 + dx, 50, 50 + dy), expected, 1e-4) << dx << ", " << dy;
  }
  // Just west of north, -0.0000057 degrees plus 360 would round to a full turn.
  EXPECT_LT(Bearing(0, -1e-7f, 0, 1), 360.0f);
}

TEST(Angles, NormalizeOnceAndMeasureTheGapTheShorterWayRound) {
  const float normalized[][2] = {{370, 10}, {-30, 330}, {720, 360},      {-400, -40},
                                 {360, 0},  {0, 0},     {359.5f, 359.5f}};
  for (const auto& c : normalized) {
    float angle = c[0];
    NormalizeAngle(angle);
    EXPECT_EQ(angle, c[1]) << "from " << c[0];
  }
  const float gaps[][3] = {{350, 10, 20}, {10, 350, 20}, {90, 90, 0}, {0, 180, 180}, {100, 30, 70}};
  for (const auto& c : gaps) EXPECT_EQ(AngleGap(c[0], c[1]), c[2]) << c[0] << " and " << c[1];
}

TEST(ArcCosDegrees, IsClampedAtTheEndsAndTheArcCosineBetween) {
  const double clamped[][2] = {{1.0000001, 0}, {1, 0}, {5, 0}, {-1, 180}, {-1.0000001, 180}, {0, 90}};
  for (const auto& c : clamped) EXPECT_EQ(ArcCosDegrees(c[0]), static_cast<float>(c[1])) << c[0];
  for (const double x : {-0.9999, -0.5, 0.1, 0.8660254, 0.9999})
    EXPECT_NEAR(ArcCosDegrees(x), std::acos(x) * kDegreesPerRadian, 1e-4) << x;
}

TEST(ArcFromBulge, RadiusFollowsFromChordAndIncludedAngle) {
  const float tan_eighth = static_cast<float>(std::tan(std::atan(1.0) / 2));
  // Half and quarter circles, either sense, on a chord of 50.
  const float cases[][3] = {{1, 180, 25},
                            {-1, 180, 25},
                            {tan_eighth, 90, 25 * std::sqrt(2.0f)},
                            {-tan_eighth, 90, 25 * std::sqrt(2.0f)}};
  for (const auto& c : cases) {
    const BulgeArc arc = ArcFromBulge(0, 0, 30, 40, c[0]);
    EXPECT_NEAR(arc.IncludedAngle, c[1], 1e-4) << c[0];
    EXPECT_FLOAT_EQ(arc.HalfChord, 25.0f);
    EXPECT_NEAR(arc.Radius, c[2], 1e-4) << c[0];
  }
  // A straight piece has an endless radius (the writer makes it a line); no length, none.
  EXPECT_EQ(ArcFromBulge(0, 0, 10, 0, 0).Radius, std::numeric_limits<float>::infinity());
  EXPECT_EQ(ArcFromBulge(3, 4, 3, 4, 1).Radius, 0.0f);
}

}  // namespace
}  // namespace mq
