#include "output/program_paths.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mq {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr int kSamplesPerTurn = 256;

double Turn(double angle) { return angle - kTwoPi * std::floor(angle / kTwoPi); }

std::vector<ProgramPoint> ArcPoints(ProgramPoint from, ProgramPoint to, ProgramPoint centre, bool clockwise,
                                    double tolerance) {
  const double a0 = std::atan2(from.Y - centre.Y, from.X - centre.X);
  const double a1 = std::atan2(to.Y - centre.Y, to.X - centre.X);
  double sweep = Turn(clockwise ? a0 - a1 : a1 - a0);
  if (Distance(from, to) < tolerance) sweep = kTwoPi;  // a full circle
  const double r0 = Distance(from, centre), r1 = Distance(to, centre);
  const int n = std::max(2, static_cast<int>(std::ceil(sweep / kTwoPi * kSamplesPerTurn)));
  std::vector<ProgramPoint> points;
  for (int k = 1; k <= n; ++k) {
    const double t = static_cast<double>(k) / n, a = a0 + (clockwise ? -sweep : sweep) * t,
                 r = r0 + (r1 - r0) * t;
    points.push_back({centre.X + r * std::cos(a), centre.Y + r * std::sin(a)});
  }
  return points;
}

// The centre of the shorter arc of radius r from `from` to `to`: right of the chord
// when it turns clockwise.
ProgramPoint RadiusArcCentre(ProgramPoint from, ProgramPoint to, double r, bool clockwise) {
  const double chord = Distance(from, to);
  const double h = std::sqrt(std::max(0.0, r * r - chord * chord / 4)) * (clockwise ? 1 : -1);
  const ProgramPoint u{(to.X - from.X) / chord, (to.Y - from.Y) / chord};
  return {(from.X + to.X) / 2 + h * u.Y, (from.Y + to.Y) / 2 - h * u.X};
}

std::vector<ProgramPoint> ThreePointArc(ProgramPoint from, ProgramPoint m, ProgramPoint to,
                                        double tolerance) {
  const double d = 2 * (from.X * (m.Y - to.Y) + m.X * (to.Y - from.Y) + to.X * (from.Y - m.Y));
  if (std::fabs(d) < 1e-9) return {m, to};
  const auto sq = [](ProgramPoint p) { return p.X * p.X + p.Y * p.Y; };
  const ProgramPoint c{(sq(from) * (m.Y - to.Y) + sq(m) * (to.Y - from.Y) + sq(to) * (from.Y - m.Y)) / d,
                       (sq(from) * (to.X - m.X) + sq(m) * (from.X - to.X) + sq(to) * (m.X - from.X)) / d};
  const auto angle = [&](ProgramPoint p) {
    return Turn(std::atan2(p.Y - c.Y, p.X - c.X) - std::atan2(from.Y - c.Y, from.X - c.X));
  };
  return ArcPoints(from, to, c, angle(m) > angle(to), tolerance);
}

}  // namespace

double Distance(ProgramPoint a, ProgramPoint b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

ProgramAxes AxesOf(const ProgramReading& program, bool origin_lower_left) {
  int origin = 1;
  for (const ProgramLine& line : program.Lines) {
    if (line.Origin) {
      origin = *line.Origin;
      break;
    }
  }
  ProgramAxes axes;
  // O0..O3 name the corner after the machine's origin setting turned Y round.
  axes.MirrorX = origin == 2 || origin == 3;
  axes.MirrorY = (origin == 0 || origin == 2) != origin_lower_left;
  axes.ClockwiseIsTwo = !origin_lower_left != (axes.MirrorX != axes.MirrorY);
  return axes;
}

bool IsPathLine(LineKind kind) {
  return kind == LineKind::ContourStart || kind == LineKind::Move || kind == LineKind::CentreArc ||
         kind == LineKind::RadiusArc || kind == LineKind::ThreePointArc;
}

std::vector<ProgramContour> ContoursOf(const ProgramReading& program) {
  std::vector<ProgramContour> contours;
  bool open = false;
  for (const ProgramLine& line : program.Lines) {
    if (!IsPathLine(line.Kind)) {
      open = false;
      continue;
    }
    if (line.Kind == LineKind::ContourStart || !open) contours.emplace_back();
    contours.back().push_back(&line);
    open = !line.EndsContour;
  }
  return contours;
}

ProgramPoint EndOf(const ProgramLine& line) { return {line.X.value_or(0), line.Y.value_or(0)}; }

std::vector<ProgramPoint> TracePiece(ProgramPoint from, const ProgramLine& line, const ProgramAxes& axes,
                                     double tolerance) {
  const ProgramPoint to = EndOf(line);
  const bool clockwise = (line.ArcDigit == 2) == axes.ClockwiseIsTwo;
  switch (line.Kind) {
    case LineKind::CentreArc:
      return ArcPoints(from, to, {line.I.value_or(0), line.J.value_or(0)}, clockwise, tolerance);
    case LineKind::RadiusArc:
      if (Distance(from, to) == 0) return {to};
      return ArcPoints(from, to, RadiusArcCentre(from, to, line.I.value_or(0), clockwise), clockwise,
                       tolerance);
    case LineKind::ThreePointArc:
      return ThreePointArc(from, {line.I.value_or(0), line.J.value_or(0)}, to, tolerance);
    default:
      return {to};
  }
}

}  // namespace mq
