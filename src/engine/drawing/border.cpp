#include "engine/drawing/border.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "engine/drawing/part_border.h"
#include "engine/driver/units.h"

namespace mq {

namespace {

constexpr std::string_view kBorderNotFound = "Part BORDER or BORDER Layer NOT Found!!!";
constexpr std::string_view kBorderNotDefined = "PART BORDER NOT PROPERLY DEFINED IN DRAWING!!!";
// Followed by the point count, written as a number with a blank for its sign.
constexpr std::string_view kStrayEntities = "Check for stray entities on Border Layer.  ";
constexpr std::string_view kBadEdgeView = "ERROR in Border Sides for Horizontal operations";

constexpr int kCornersPerRectangle = 4;
constexpr int16_t kEdgeViewCounterCap = 6;  // a counter stops here, so 8 points are not "4 twice"
constexpr float kEdgeViewMarginDivisor = 4.0f;
constexpr float kTrackerStart = 9999999.0f;

// Inch drawings: a panel narrower than 200 and lower than 100 cannot be a millimetre part.
constexpr float kInchPanelWidthLimit = 200.0f;
constexpr float kInchPanelHeightLimit = 100.0f;
constexpr float kCoincidenceMillimetres = 0.1f;

enum EdgeView { kViewAbove = 1, kViewBelow = 2, kViewLeft = 3, kViewRight = 4 };

// The number formatted the way the report writes counts: a blank for the sign of a
// positive number.
std::string SignedCount(int count) { return (count < 0 ? "" : " ") + std::to_string(count); }

// The innermost border point of each quadrant around the centre: with edge views drawn
// around the panel, these are the panel's corners.
struct InnerCorners {
  std::optional<BorderPoint> lower_left, upper_left, lower_right, upper_right;
  bool Complete() const { return lower_left && upper_left && lower_right && upper_right; }
};

InnerCorners FindInnerCorners(const OneBasedList<BorderPoint>& points, float cx, float cy) {
  InnerCorners corners;
  float xl = 0, yl = 0, xr = kTrackerStart, yu = kTrackerStart;  // shared trackers
  for (const BorderPoint& p : points) {
    if (xl <= p.X && p.X < cx && yl <= p.Y && p.Y < cy) {
      corners.lower_left = p;
      xl = p.X;
      yl = p.Y;
    }
    if (xl <= p.X && p.X < cx && cy < p.Y && p.Y <= yu) {
      corners.upper_left = p;
      xl = p.X;
      yu = p.Y;
    }
    if (cx < p.X && p.X <= xr && yl <= p.Y && p.Y < cy) {
      corners.lower_right = p;
      xr = p.X;
      yl = p.Y;
    }
    if (cx < p.X && p.X <= xr && cy < p.Y && p.Y <= yu) {
      corners.upper_right = p;
      xr = p.X;
      yu = p.Y;
    }
  }
  return corners;
}

void AddToEdgeView(ConversionState& s, int view, const BorderPoint& p) {
  ExtentBox& box = s.PartExtents[static_cast<std::size_t>(view)];
  WidenBox(box, p.X, p.Y);
  box.Present = true;
  int16_t& counter = s.EdgeViewCounters[static_cast<std::size_t>(view)];
  if (counter < kEdgeViewCounterCap) ++counter;
}

// Every point outside the panel box by more than the margin belongs to the edge view
// on that side (a point may belong to two).
void AssignEdgeViewPoints(ConversionState& s) {
  const ExtentBox& panel = s.PartExtents[kPanelBox];
  for (const BorderPoint& p : s.BorderPoints) {
    if (p.Y > panel.MaxY + s.EdgeMarginY) AddToEdgeView(s, kViewAbove, p);
    if (p.Y < panel.MinY - s.EdgeMarginY) AddToEdgeView(s, kViewBelow, p);
    if (p.X < panel.MinX - s.EdgeMarginX) AddToEdgeView(s, kViewLeft, p);
    if (p.X > panel.MaxX + s.EdgeMarginX) AddToEdgeView(s, kViewRight, p);
  }
}

bool EdgeViewsAreRectangles(const ConversionState& s) {
  for (int view = kViewAbove; view <= kViewRight; ++view) {
    if (s.EdgeViewCounters[static_cast<std::size_t>(view)] % kCornersPerRectangle != 0) return false;
  }
  return true;
}

// Measures the present boxes; returns the thickness the edge views show (the height of
// a view above or below, the width of a view left or right; the last present wins).
float MeasureBoxes(ConversionState& s) {
  float edge_view_thickness = 0;
  for (int view = kViewAbove; view <= kPanelBox; ++view) {
    ExtentBox& box = s.PartExtents[static_cast<std::size_t>(view)];
    if (!box.Present) continue;
    MeasureBox(box);
    if (view == kViewAbove || view == kViewBelow) edge_view_thickness = box.Height;
    if (view == kViewLeft || view == kViewRight) edge_view_thickness = box.Width;
  }
  return edge_view_thickness;
}

// The panel from the border points; returns false after aborting the conversion.
bool EvaluateBorderPoints(EngineContext& c, float& edge_view_thickness) {
  ConversionState& s = c.state;
  const int count = s.BorderPoints.size();
  if (count == 0) {
    AbortConversion(c, {kBorderNotFound});
    return false;
  }
  if (count % kCornersPerRectangle != 0) {
    const std::string stray = std::string(kStrayEntities) + SignedCount(count);
    AbortConversion(c, {kBorderNotDefined, stray});
    return false;
  }
  ExtentBox& panel = s.PartExtents[kPanelBox];
  const float cx = panel.MinX + (panel.MaxX - panel.MinX) / 2;
  const float cy = panel.MinY + (panel.MaxY - panel.MinY) / 2;
  const InnerCorners corners = FindInnerCorners(s.BorderPoints, cx, cy);
  // A quadrant without a corner leaves the panel undefined; guessing one would machine
  // the wrong part.
  if (!corners.Complete()) {
    AbortConversion(c, {kBorderNotDefined});
    return false;
  }
  const float collected_min_x = panel.MinX, collected_min_y = panel.MinY;
  panel.MinX = corners.lower_left->X;
  panel.MaxX = corners.upper_right->X;
  panel.MinY = corners.lower_left->Y;
  panel.MaxY = corners.upper_right->Y;
  s.EdgeMarginX = (panel.MinX - collected_min_x) / kEdgeViewMarginDivisor;
  s.EdgeMarginY = (panel.MinY - collected_min_y) / kEdgeViewMarginDivisor;
  panel.Present = true;

  if (count > kCornersPerRectangle) AssignEdgeViewPoints(s);
  if (!EdgeViewsAreRectangles(s)) {
    AbortConversion(c, {kBadEdgeView});
    return false;
  }
  edge_view_thickness = MeasureBoxes(s);
  return true;
}

}  // namespace

void EvaluateBorder(EngineContext& c) {
  ConversionState& s = c.state;
  float edge_view_thickness = 0;
  if (!s.PanelFound && !EvaluateBorderPoints(c, edge_view_thickness)) return;

  if (s.PartThickness == 0) s.PartThickness = edge_view_thickness;
  const ExtentBox& panel = s.PartExtents[kPanelBox];
  s.PartOriginX = panel.MinX;
  s.PartOriginY = panel.MinY;
  s.DrawingInInches = panel.Width < kInchPanelWidthLimit && panel.Height < kInchPanelHeightLimit;
  s.UnitFactor = s.DrawingInInches ? kMillimetresPerInch : 1.0f;
  s.CoincidenceTolerance = kCoincidenceMillimetres / s.UnitFactor;
}

}  // namespace mq
