#pragma once
// Follows the records of PathList the way the program writer turns them into moves, so
// that a test can check where the tool actually goes: straight moves, bulge arcs and
// centre arcs, sampled into points.

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/machining_records.h"
#include "input/one_based_list.h"

namespace mq::test {

struct TracePoint {
  double x = 0, y = 0;
};

inline double TraceDistance(TracePoint a, TracePoint b) { return std::hypot(b.x - a.x, b.y - a.y); }

// One move of the tool inside a contour.
struct TracedMove {
  TracePoint from, to;
  bool arc = false;
  TracePoint centre;  // arcs only
  bool counterClockwise = false;
  int endRecord = 0;  // the record the move ends on

  // Points along the move, both ends included, at most `step` apart.
  std::vector<TracePoint> Samples(double step = 0.5) const {
    std::vector<TracePoint> out;
    if (!arc) {
      const int n = std::max(1, static_cast<int>(std::ceil(TraceDistance(from, to) / step)));
      for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        out.push_back({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
      }
      return out;
    }
    const double r = TraceDistance(centre, to);
    const double a0 = std::atan2(from.y - centre.y, from.x - centre.x);
    const double a1 = std::atan2(to.y - centre.y, to.x - centre.x);
    const double turn = 2 * std::acos(-1.0);
    double sweep = counterClockwise ? a1 - a0 : a0 - a1;
    while (sweep <= 1e-9) sweep += turn;  // equal ends: a full circle
    const int n = std::max(2, static_cast<int>(std::ceil(sweep * r / step)));
    for (int i = 0; i <= n; ++i) {
      const double a = a0 + (counterClockwise ? 1 : -1) * sweep * i / n;
      out.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
    return out;
  }
};

// The moves of the contour from record `first` to `last`, starting at the first record.
inline std::vector<TracedMove> TraceMoves(const OneBasedList<PathSegment>& path, int first, int last) {
  std::vector<TracedMove> moves;
  TracePoint at{path[first].X, path[first].Y};
  for (int i = first; i <= last; ++i) {
    const PathSegment& r = path[i];
    const int kind = std::abs(r.SegmentType);
    if (kind == segment::kCentreArc && r.SegmentType < 0 && i < last) {
      const PathSegment& end = path[i + 1];
      TracedMove m;
      m.arc = true;
      m.from = at;
      m.centre = {r.CentreX, r.CentreY};
      const double radius = std::hypot(end.X - r.CentreX, end.Y - r.CentreY);
      const double angle = end.CentreY * std::acos(-1.0) / 180;
      m.to = {r.CentreX + radius * std::cos(angle), r.CentreY + radius * std::sin(angle)};
      m.counterClockwise = end.ChainFlag != 0;
      m.endRecord = i + 1;
      moves.push_back(m);
      at = m.to;
      ++i;
      continue;
    }
    if (r.SegmentType <= 0) continue;  // a contour or piece start: no move
    const PathSegment& before = path[i - 1];
    TracedMove m;
    m.from = at;
    m.to = {r.X, r.Y};
    m.endRecord = i;
    if (before.SegmentType == segment::kPolyline && before.Bulge() != 0) {
      const double theta = 4 * std::atan(static_cast<double>(before.Bulge()));
      const double chord = TraceDistance(m.from, m.to);
      const double radius = chord / 2 / std::sin(std::fabs(theta) / 2);
      const double mx = (m.from.x + m.to.x) / 2, my = (m.from.y + m.to.y) / 2;
      const double towards = std::sqrt(std::max(0.0, radius * radius - chord * chord / 4));
      // The centre lies to the left of the chord for a counter-clockwise arc below a half turn.
      const double side = (theta > 0) == (std::fabs(theta) < std::acos(-1.0)) ? 1 : -1;
      const double nx = -(m.to.y - m.from.y) / chord, ny = (m.to.x - m.from.x) / chord;
      m.arc = true;
      m.centre = {mx + side * towards * nx, my + side * towards * ny};
      m.counterClockwise = theta > 0;
    }
    moves.push_back(m);
    at = m.to;
  }
  return moves;
}

// Every sampled point of the moves.
inline std::vector<TracePoint> SampleMoves(const std::vector<TracedMove>& moves, double step = 0.5) {
  std::vector<TracePoint> out;
  for (const TracedMove& m : moves) {
    for (const TracePoint& p : m.Samples(step)) out.push_back(p);
  }
  return out;
}

// Distance from `p` to the segment from `a` to `b`.
inline double DistanceToSegment(TracePoint p, TracePoint a, TracePoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2;
  t = std::fmax(0, std::fmin(1, t));
  return TraceDistance(p, {a.x + t * dx, a.y + t * dy});
}

// `p` lies inside the closed polygon, or within `tolerance` of its boundary.
inline bool InsidePolygon(TracePoint p, const std::vector<TracePoint>& polygon, double tolerance) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const TracePoint a = polygon[i], b = polygon[j];
    if (DistanceToSegment(p, a, b) <= tolerance) return true;
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

}  // namespace mq::test
