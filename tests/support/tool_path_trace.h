#pragma once
// Follows the records of PathList the way the program writer turns them into moves, so
// that a test can check where the tool actually goes: straight moves and centre arcs,
// sampled into points. Bulge arcs are not followed.

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/driver/machining_records.h"
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
    const double r = TraceDistance(centre, to);
    const double a0 = std::atan2(from.y - centre.y, from.x - centre.x);
    double sweep = counterClockwise ? std::atan2(to.y - centre.y, to.x - centre.x) - a0
                                    : a0 - std::atan2(to.y - centre.y, to.x - centre.x);
    while (sweep <= 1e-9) sweep += 2 * std::acos(-1.0);  // equal ends: a full circle
    const double length = arc ? sweep * r : TraceDistance(from, to);
    const int n = std::max(arc ? 2 : 1, static_cast<int>(std::ceil(length / step)));
    std::vector<TracePoint> out;
    for (int i = 0; i <= n; ++i) {
      const double t = static_cast<double>(i) / n;
      const double a = a0 + (counterClockwise ? 1 : -1) * sweep * t;
      out.push_back(arc ? TracePoint{centre.x + r * std::cos(a), centre.y + r * std::sin(a)}
                        : TracePoint{from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
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
    TracedMove m;
    m.from = at;
    if (r.SegmentType == -segment::kCentreArc && i < last) {
      // The end point is the one the end record's angle gives, as the writer reads it.
      const PathSegment& end = path[++i];
      const double radius = std::hypot(end.X - r.CentreX, end.Y - r.CentreY);
      const double angle = end.CentreY * std::acos(-1.0) / 180;
      m.arc = true;
      m.centre = {r.CentreX, r.CentreY};
      m.to = {r.CentreX + radius * std::cos(angle), r.CentreY + radius * std::sin(angle)};
      m.counterClockwise = end.ChainFlag != 0;
    } else if (r.SegmentType <= 0) {
      continue;  // a contour or piece start: no move
    } else {
      m.to = {r.X, r.Y};  // a straight move: bulges are not followed (pockets have none)
    }
    m.endRecord = i;
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
  const double t = len2 == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
  return TraceDistance(p, {a.x + t * dx, a.y + t * dy});
}

}  // namespace mq::test
