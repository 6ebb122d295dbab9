// Circles opened into contours: where a contour runs onto a circle, the circle is cut
// open there and cut in the sense that carries on the contour's direction; a circle that
// nothing touches is cut open at its top point.

#include "engine/contours/circle_joining.h"

#include <algorithm>
#include <cmath>

#include "engine/contours/contour_joining.h"
#include "engine/contours/contour_table.h"
#include "engine/geometry/angles.h"
#include "engine/geometry/contour_geometry.h"

namespace mq {

namespace {

// A lone circle is entered at its top point heading east, that is clockwise.
constexpr float kTopPointIncoming = 90.0f;
constexpr int16_t kCounterClockwise = -1;  // ChainFlag of an arc end record
constexpr int16_t kClockwise = 0;

bool OnOutline(const CircleRecord& circle, const PathSegment& p) {
  return std::fabs(circle.Radius - Distance({circle.CentreX, circle.CentreY}, PointOf(p))) <
         kCircleJoinTolerance;
}

// A circle wider than this many cells is tried for every point instead.
constexpr double kMostCellsAcross = 8;

// Half the side of the square round a circle's centre that holds every point its outline
// test accepts, with room for single-precision rounding.
double OutlineReach(const CircleRecord& c) {
  const double r = std::fabs(c.Radius);
  return r + 2 * kCircleJoinTolerance + 1e-5 * (r + std::fabs(c.CentreX) + std::fabs(c.CentreY));
}

// Cells about as wide as a typical circle's square, so that most circles lie in a few.
double CellFor(const OneBasedList<CircleRecord>& circles) {
  std::vector<double> sides;
  for (const CircleRecord& c : circles) {
    if (std::isfinite(OutlineReach(c))) sides.push_back(2 * OutlineReach(c));
  }
  if (sides.empty()) return 1;
  std::nth_element(sides.begin(), sides.begin() + static_cast<std::ptrdiff_t>(sides.size() / 2), sides.end());
  return sides[sides.size() / 2];
}

}  // namespace

PathSegment CircleToolData(const CircleRecord& circle) {
  PathSegment s;
  s.LayerNumber = circle.LayerNumber;
  s.DrawingLine = circle.DrawingLine;
  s.Z = circle.Depth;
  s.ToolDiameter = circle.ToolDiameter;
  s.G = circle.G;
  s.Tool = circle.Tool;
  s.ToolText = circle.ToolText;
  s.VM = circle.Speed;
  s.VX = circle.FA;
  s.VZ = circle.FD;
  s.FR = circle.FR;
  s.LD = circle.LD;
  s.RO = circle.RO;
  s.RI = circle.RI;
  s.CompCode = circle.CompCode;
  s.Sequence = circle.Sequence;
  s.OZ = circle.OZ;
  s.M = circle.M;
  return s;
}

int ExpandCircle(ConversionState& s, int index, float x, float y, float incoming) {
  CircleRecord& circle = s.CircleList[index];
  // The bearing of the cut point from the centre; the circle's tangents there are a - 90
  // (counter-clockwise) and a + 90 (clockwise).
  const float a = Bearing(circle.CentreX, x, circle.CentreY, y);
  float counter_clockwise_tangent = a - kQuarterTurn;
  NormalizeAngle(counter_clockwise_tangent);
  float clockwise_tangent = a + kQuarterTurn;
  NormalizeAngle(clockwise_tangent);
  const bool counter_clockwise =
      AngleGap(counter_clockwise_tangent, incoming) < AngleGap(clockwise_tangent, incoming);
  // The arc end record holds its point's angle counter-clockwise from +X, as an arc's does.
  float point_angle = kQuarterTurn - a;
  NormalizeAngle(point_angle);

  PathSegment start = CircleToolData(circle);
  start.X = x;
  start.Y = y;
  start.SegmentType = -segment::kCentreArc;
  start.CentreX = circle.CentreX;
  start.CentreY = circle.CentreY;
  start.ChainFlag = kContourStart;
  PathSegment end = CircleToolData(circle);
  end.X = x;
  end.Y = y;
  end.SegmentType = segment::kCentreArc;
  end.CentreX = point_angle;
  end.CentreY = point_angle;
  end.ChainFlag = counter_clockwise ? kCounterClockwise : kClockwise;

  s.PathList.push_back(start);
  s.PathList.push_back(end);
  circle.Expanded = -1;
  circle.LayerNumber = 0;
  const int last = s.PathList.size();
  return AddUsedContourRow(s, last - 1, last, counter_clockwise_tangent, counter_clockwise_tangent);
}

int ExpandCircleAtTop(ConversionState& s, int index) {
  const CircleRecord& circle = s.CircleList[index];
  return ExpandCircle(s, index, circle.CentreX, circle.CentreY + circle.Radius, kTopPointIncoming);
}

CircleOutlines::CircleOutlines(const ConversionState& s) : cell_(CellFor(s.CircleList)), cells_(cell_) {
  for (int k = 1; k <= s.CircleList.size(); ++k) {
    const CircleRecord& c = s.CircleList[k];
    const double reach = OutlineReach(c);
    if (!std::isfinite(reach) || !(2 * reach / cell_ < kMostCellsAcross)) {
      large_.push_back(k);
      continue;
    }
    const auto cell = [&](double v) { return std::floor(v / cell_); };
    for (double column = cell(c.CentreX - reach); column <= cell(c.CentreX + reach); ++column) {
      for (double row = cell(c.CentreY - reach); row <= cell(c.CentreY + reach); ++row) {
        cells_.Add(c.LayerNumber, (column + 0.5) * cell_, (row + 0.5) * cell_, k);
      }
    }
  }
  cells_.Seal();
}

int CircleOutlines::FirstThrough(const ConversionState& s, int16_t layer, const PathSegment& a,
                                 const PathSegment& b) const {
  int first = 0;
  auto consider = [&](int k) {
    const CircleRecord& c = s.CircleList[k];
    if ((first == 0 || k < first) && c.Expanded == 0 && c.LayerNumber == layer &&
        (OnOutline(c, a) || OnOutline(c, b))) {
      first = k;
    }
    return false;
  };
  cells_.AnyInBox(layer, a.X, a.X, a.Y, a.Y, consider);
  cells_.AnyInBox(layer, b.X, b.X, b.Y, b.Y, consider);
  for (int k : large_) consider(k);
  return first;
}

bool JoinTouchingCircle(ConversionState& s, const CircleOutlines& circles, JoinedContour& joined) {
  const int row = joined.back();
  const int16_t layer = ContourLayer(s.PathList, s.Contours[row]);
  const int k =
      circles.FirstThrough(s, layer, s.PathList[s.Contours[row].First], s.PathList[s.Contours[row].Last]);
  if (k != 0) {
    const CircleRecord& circle = s.CircleList[k];
    ContourRow& contour = s.Contours[row];
    if (OnOutline(circle, s.PathList[contour.First])) {
      // The contour is turned round to end on the circle; it arrives there against the
      // direction it started in.
      float incoming = contour.EntryDirection - kHalfTurn;
      if (incoming < 0) incoming += 2 * kHalfTurn;
      ReverseContour(s.PathList, contour);
      const PathSegment p = s.PathList[contour.Last];
      joined.push_back(ExpandCircle(s, k, p.X, p.Y, incoming));
      return true;
    }
    if (OnOutline(circle, s.PathList[contour.Last])) {
      const PathSegment p = s.PathList[contour.Last];
      joined.push_back(ExpandCircle(s, k, p.X, p.Y, contour.ExitDirection));
      return true;
    }
  }
  return false;
}

}  // namespace mq
