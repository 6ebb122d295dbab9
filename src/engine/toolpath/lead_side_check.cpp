#include "engine/toolpath/lead_side_check.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/collect/layer_roles.h"
#include "engine/driver/report_lines.h"
#include "engine/geometry/closed_outline.h"
#include "engine/geometry/contour_geometry.h"

namespace mq {

namespace {

// Points in doubles: the outline of a small cut-out must not blur.
struct Point {
  double X = 0, Y = 0;
};

// An arc is traced in chords that stray from it by at most this part of the tolerance,
// so that a point on the drawn outline still counts as on it.
constexpr double kChordStray = 0.25;
constexpr int kMostChords = 4096;

bool HasLeavingBulge(const PathSegment& s) {
  return std::abs(s.SegmentType) == segment::kPolyline && s.CentreX == -1 && s.Bulge() != 0;
}

// The piece from record `from` to the next one: a straight line, a centre arc that
// `from` starts, or the bulge arc that leaves `from`.
struct Piece {
  Point From, To;
  std::optional<Point> Centre;  // arcs only
  double Sweep = 0;             // signed radians, counter-clockwise positive
};

Point At(const PathSegment& s) { return {s.X, s.Y}; }

double SweepBetween(Point centre, Point from, Point to, bool counter_clockwise) {
  constexpr double kTurn = 2 * std::numbers::pi;
  const double a0 = std::atan2(from.Y - centre.Y, from.X - centre.X);
  const double a1 = std::atan2(to.Y - centre.Y, to.X - centre.X);
  double sweep = std::fmod((counter_clockwise ? a1 - a0 : a0 - a1) + 2 * kTurn, kTurn);
  if (sweep < 1e-9) sweep = kTurn;  // an arc that ends where it starts is a whole circle
  return counter_clockwise ? sweep : -sweep;
}

// `arc_start`: `from` starts a centre arc. The record that ends one is never a start: it
// holds the arc's angles, and the piece after it is straight, as the writer reads it.
Piece PieceFrom(const OneBasedList<PathSegment>& path, int from, bool arc_start) {
  const PathSegment& a = path[from];
  const PathSegment& b = path[from + 1];
  Piece piece{At(a), At(b), std::nullopt, 0};
  if (arc_start) {
    piece.Centre = Point{a.CentreX, a.CentreY};
    piece.Sweep = SweepBetween(*piece.Centre, piece.From, piece.To, RunsCounterClockwise(b));
  } else if (HasLeavingBulge(a)) {
    const double dx = b.X - a.X, dy = b.Y - a.Y, chord = std::hypot(dx, dy);
    const double bulge = a.Bulge();
    if (chord == 0) return piece;
    // The centre lies left of the chord for a counter-clockwise bulge, at
    // (1 - b^2) / (4 b) chords from its middle.
    const double offset = (1 - bulge * bulge) / (4 * bulge);
    piece.Centre = Point{(a.X + b.X) / 2 - dy * offset, (a.Y + b.Y) / 2 + dx * offset};
    piece.Sweep = 4 * std::atan(bulge);
  }
  return piece;
}

// The point of the piece at `t` (0 its start, 1 its end).
Point Along(const Piece& piece, double t) {
  if (!piece.Centre)
    return {piece.From.X + (piece.To.X - piece.From.X) * t, piece.From.Y + (piece.To.Y - piece.From.Y) * t};
  const Point c = *piece.Centre;
  const double r = std::hypot(piece.From.X - c.X, piece.From.Y - c.Y);
  const double a = std::atan2(piece.From.Y - c.Y, piece.From.X - c.X) + piece.Sweep * t;
  return {c.X + r * std::cos(a), c.Y + r * std::sin(a)};
}

void AddTraced(const Piece& piece, double tolerance, std::vector<Point>& outline) {
  int steps = 1;
  if (piece.Centre) {
    const double r = std::hypot(piece.From.X - piece.Centre->X, piece.From.Y - piece.Centre->Y);
    const double chord_angle = 2 * std::acos(std::max(-1.0, 1 - kChordStray * tolerance / std::max(r, 1e-9)));
    steps = std::clamp(static_cast<int>(std::ceil(std::fabs(piece.Sweep) / std::max(chord_angle, 1e-9))), 2,
                       kMostChords);
  }
  for (int k = 1; k <= steps; ++k) outline.push_back(Along(piece, static_cast<double>(k) / steps));
}

// The points that must lie inside: the lead-in's first, the lead-out's last, and the
// middle of every lead arc. A piece is part of a lead when either of its ends is.
bool LeadsInside(const OneBasedList<PathSegment>& path, ContourSpan span, double tolerance) {
  std::vector<Point> outline, checked;
  bool after_arc_start = false;
  for (int i = span.First; i < span.Last; ++i) {
    const bool arc_start = !after_arc_start && std::abs(path[i].SegmentType) == segment::kCentreArc;
    after_arc_start = arc_start;
    const Piece piece = PieceFrom(path, i, arc_start);
    const bool lead_piece = path[i].Lead != lead::kNone || path[i + 1].Lead != lead::kNone;
    if (!lead_piece) {
      if (outline.empty()) outline.push_back(piece.From);
      AddTraced(piece, tolerance, outline);
    } else if (piece.Centre) {
      checked.push_back(Along(piece, 0.5));
    }
  }
  for (int i = span.First; i <= span.Last; ++i) {
    if (path[i].Lead != lead::kIn) continue;
    checked.push_back(At(path[i]));
    break;
  }
  for (int i = span.Last; i >= span.First; --i) {
    if (path[i].Lead != lead::kOut) continue;
    checked.push_back(At(path[i]));
    break;
  }
  if (outline.size() < 3) return true;  // no closed outline to be inside of
  for (const Point& p : checked) {
    if (!InsideOutline(outline, p, tolerance)) return false;
  }
  return true;
}

bool HasLeads(const OneBasedList<PathSegment>& path, ContourSpan span) {
  for (int i = span.First; i <= span.Last; ++i) {
    if (path[i].Lead != lead::kNone) return true;
  }
  return false;
}

// The record the contour was drawn with: its first record that is not a lead.
const PathSegment& DrawnRecord(const OneBasedList<PathSegment>& path, ContourSpan span) {
  for (int i = span.First; i <= span.Last; ++i) {
    if (path[i].Lead == lead::kNone) return path[i];
  }
  return path[span.First];
}

}  // namespace

void CheckLeadSides(EngineContext& c) {
  const OneBasedList<PathSegment>& path = c.state.PathList;
  // The depth passes of one drawn contour are told about once.
  std::set<std::pair<int16_t, int32_t>> warned;
  for (const ContourSpan span : MarkedContours(path)) {
    if (!HasLeads(path, span) || LeadsInside(path, span, c.state.CoincidenceTolerance)) continue;
    const PathSegment& drawn = DrawnRecord(path, span);
    if (!warned.insert({drawn.LayerNumber, drawn.DrawingLine}).second) continue;
    AddWarningLine(c.run, "Lead outside its cut-out on layer " +
                              RouteLayerAsDrawn(c.state, drawn.LayerNumber) +
                              DrawingLineText(drawn.DrawingLine) +
                              ": check the drawing direction or the compensation code.");
  }
}

}  // namespace mq
