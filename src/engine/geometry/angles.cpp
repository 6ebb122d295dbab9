#include "engine/geometry/angles.h"

#include <cmath>
#include <limits>

namespace mq {

namespace {

// Degrees are converted with the stored pi, not the exact one, so that directions agree to
// the last bit with the programs this converter has always written.
double RadiansToDegrees(double radians) { return radians / static_cast<double>(RadiansPerDegree); }

double DegreesToRadians(double degrees) { return degrees * static_cast<double>(RadiansPerDegree); }

constexpr double kQuarterTurnDegrees = 90.0;

}  // namespace

float Bearing(float x1, float x2, float y1, float y2) {
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  if (dx == 0) return dy >= 0 ? 0.0f : kHalfTurn;
  if (dy == 0) return dx > 0 ? 90.0f : 270.0f;
  // Single arithmetic as the stored directions are singles: the arctangent rounded to a
  // single, then divided by the stored degree; 1 / 1 gives exactly 45 this way.
  const auto radians = static_cast<float>(std::atan(static_cast<double>(dx / dy)));
  const float a = radians / RadiansPerDegree;
  if (dy < 0) return a + kHalfTurn;
  if (dx > 0) return a;
  // A line a hair west of north: the sum can round up to a full turn in single precision,
  // and a bearing of 360 would no longer compare equal to a true north of 0.
  const float westOfNorth = a + kFullTurn;
  return westOfNorth < kFullTurn ? westOfNorth : 0.0f;
}

void NormalizeAngle(float& angle) {
  if (angle >= kFullTurn) {
    angle -= kFullTurn;
  } else if (angle < 0) {
    angle += kFullTurn;
  }
}

float AngleGap(float a, float b) {
  const float direct = std::fabs(a - b);
  const float throughZeroUp = kFullTurn - a + b;
  const float throughZeroDown = kFullTurn - b + a;
  float gap = direct;
  if (throughZeroUp < gap) gap = throughZeroUp;
  if (throughZeroDown < gap) gap = throughZeroDown;
  return gap;
}

float ArcCosDegrees(double x) {
  if (x >= 1) return 0.0f;
  if (x <= -1) return kHalfTurn;
  // A quarter turn less the arctangent in degrees. The quarter turn is the constant
  // 1.5707963267949 in radians, which is 90 degrees; only the arctangent is converted with
  // the stored degree, so ArcCosDegrees(0) is exactly 90.
  const double arctangentDegrees = RadiansToDegrees(std::atan(x / std::sqrt(1 - x * x)));
  return static_cast<float>(kQuarterTurnDegrees - arctangentDegrees);
}

BulgeArc ArcFromBulge(float px, float py, float qx, float qy, float bulge) {
  BulgeArc arc;
  arc.IncludedAngle =
      static_cast<float>(RadiansToDegrees(4 * std::atan(std::fabs(static_cast<double>(bulge)))));
  const double dx = qx - px;  // differences of singles are singles
  const double dy = qy - py;
  arc.HalfChord = static_cast<float>(std::sqrt(dx * dx + dy * dy) / 2);
  const double halfAngleSine = std::sin(DegreesToRadians(arc.IncludedAngle / 2.0));
  if (halfAngleSine == 0) {
    // A bulge of 0 is a straight piece: an arc of endless radius, which the writer
    // turns into a straight move; a zero chord has no arc at all.
    arc.Radius = arc.HalfChord == 0 ? 0.0f : std::numeric_limits<float>::infinity();
    return arc;
  }
  arc.Radius = static_cast<float>(arc.HalfChord / halfAngleSine);
  return arc;
}

}  // namespace mq
