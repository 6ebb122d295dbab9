#pragma once
// Angle and arc helpers shared by the geometry passes and the program writer.
// Degrees throughout; bearings are clockwise from +Y; every result is a single.

#include <bit>
#include <cstdint>

namespace mq {

// pi as the single whose bits are 0x40490FDC (3.14159298), one step above the nearest
// single to pi. Every arc and angle of the programs this converter writes is computed
// with it; the nearest single would move last digits of stored programs.
inline constexpr float kPi = std::bit_cast<float>(std::uint32_t{0x40490FDC});
inline constexpr float RadiansPerDegree = kPi / 180.0f;

inline constexpr float kQuarterTurn = 90.0f;
inline constexpr float kHalfTurn = 180.0f;
inline constexpr float kFullTurn = 360.0f;

// Direction from (x1, y1) to (x2, y2) in [0, 360), clockwise from +Y (north 0, east 90).
// Converted with RadiansPerDegree in single precision, so a diagonal is 44.999996.
float Bearing(float x1, float x2, float y1, float y2);
// One correction into [0, 360): 360 or more loses 360, below 0 gains 360 (-400 gives -40).
void NormalizeAngle(float& angle);
// The smallest of |a - b|, 360 - a + b and 360 - b + a.
float AngleGap(float a, float b);
// Arccosine in degrees, 0 for x >= 1 and 180 for x <= -1; otherwise 90 less the
// arctangent of x / sqrt(1 - x^2) converted with RadiansPerDegree (so 0 gives exactly 90).
float ArcCosDegrees(double x);

// The arc of a bulge piece from P to Q: included angle 4 atan |b| (degrees), half chord,
// radius = half chord / sin(angle / 2).
struct BulgeArc {
  float IncludedAngle = 0;
  float HalfChord = 0;
  float Radius = 0;
};
BulgeArc ArcFromBulge(float px, float py, float qx, float qy, float bulge);

}  // namespace mq
