// Outline pockets. The passes are copies of the outline brought inward by p x P: every
// straight-piece point goes to the nearest corner of the outline's box, moved inward by
// p x P in X and in Y. That rule keeps a pass inside the outline only when the outline
// is the box itself, so only axis-parallel rectangles are cleared; the passes end when
// they come within P of the spine, the line of points farthest from the outline.

#include "engine/toolpath/excavation_outline.h"

#include <cmath>
#include <cstdlib>

#include "engine/geometry/contour_geometry.h"
#include "engine/toolpath/excavation.h"

namespace mq {

namespace {

constexpr char kNotRectangle[] = "Excavation outline is not a rectangle: ";

struct Box {
  float MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;
  float Width() const { return MaxX - MinX; }
  float Height() const { return MaxY - MinY; }
};

// The points that lie half the smaller side away from the nearer sides.
struct Spine {
  PlanePoint From, To;
  float Reach = 0;  // distance from the outline to the spine: half the smaller side
};

Box BoxOf(const OneBasedList<PathSegment>& path, ContourSpan span) {
  Box box{path[span.First].X, path[span.First].X, path[span.First].Y, path[span.First].Y};
  for (int i = span.First; i <= span.Last; ++i) {
    box.MinX = std::fmin(box.MinX, path[i].X);
    box.MaxX = std::fmax(box.MaxX, path[i].X);
    box.MinY = std::fmin(box.MinY, path[i].Y);
    box.MaxY = std::fmax(box.MaxY, path[i].Y);
  }
  return box;
}

Spine SpineOf(const Box& box) {
  const float w = box.Width();
  const float h = box.Height();
  if (h < w) {
    return {{box.MinX + h / 2, box.MinY + h / 2}, {box.MaxX - h / 2, box.MinY + h / 2}, h / 2};
  }
  return {{box.MinX + w / 2, box.MinY + w / 2}, {box.MinX + w / 2, box.MaxY - w / 2}, w / 2};
}

bool IsStraightPiece(const PathSegment& s) {
  const int kind = std::abs(s.SegmentType);
  return kind == segment::kLine || (kind == segment::kPolyline && s.Bulge() == 0);
}

// Both points lie on one side of the box: the piece between them runs along it.
bool AlongOneSide(PlanePoint a, PlanePoint b, const Box& box, float tolerance) {
  auto near = [tolerance](float u, float v) { return std::fabs(u - v) < tolerance; };
  return (near(a.X, box.MinX) && near(b.X, box.MinX)) || (near(a.X, box.MaxX) && near(b.X, box.MaxX)) ||
         (near(a.Y, box.MinY) && near(b.Y, box.MinY)) || (near(a.Y, box.MaxY) && near(b.Y, box.MaxY));
}

// Twice the enclosed area, positive when the outline runs counter-clockwise.
float DoubleSignedArea(const OneBasedList<PathSegment>& path, ContourSpan span) {
  float sum = 0;
  for (int i = span.First; i <= span.Last; ++i) {
    const PathSegment& a = path[i];
    const PathSegment& b = path[i == span.Last ? span.First : i + 1];
    sum += a.X * b.Y - b.X * a.Y;
  }
  return sum;
}

// Straight pieces along the sides of the box that go round it once.
bool IsRectangleOutline(const OneBasedList<PathSegment>& path, ContourSpan span, const Box& box,
                        float tolerance) {
  if (box.Width() < tolerance || box.Height() < tolerance) return false;
  if (!AlongOneSide(PointOf(path[span.Last]), PointOf(path[span.First]), box, tolerance)) return false;
  for (int i = span.First; i <= span.Last; ++i) {
    if (!IsStraightPiece(path[i])) return false;
    if (i < span.Last && !AlongOneSide(PointOf(path[i]), PointOf(path[i + 1]), box, tolerance)) return false;
  }
  const float area = std::fabs(DoubleSignedArea(path, span)) / 2;
  return std::fabs(area - box.Width() * box.Height()) <= 2 * tolerance * (box.Width() + box.Height());
}

// The corner of the box nearest to `p`, brought inward by `inset` in X and in Y.
PlanePoint NearestCornerInset(PlanePoint p, const Box& box, float inset) {
  const PlanePoint corners[] = {{box.MinX + inset, box.MinY + inset},
                                {box.MaxX - inset, box.MinY + inset},
                                {box.MaxX - inset, box.MaxY - inset},
                                {box.MinX + inset, box.MaxY - inset}};
  const PlanePoint outer[] = {
      {box.MinX, box.MinY}, {box.MaxX, box.MinY}, {box.MaxX, box.MaxY}, {box.MinX, box.MaxY}};
  int best = 0;
  for (int k = 1; k < 4; ++k) {
    if (Distance(p, outer[k]) < Distance(p, outer[best])) best = k;
  }
  return corners[best];
}

// A point within P of the nearer spine end is set P from it, along the line from the
// spine end through the point: the innermost pass keeps room for the tool to turn.
PlanePoint KeepOffSpineEnds(PlanePoint p, const Spine& spine, float pitch) {
  const PlanePoint end = Distance(p, spine.From) <= Distance(p, spine.To) ? spine.From : spine.To;
  const float gap = Distance(end, p);
  if (gap >= pitch || gap == 0) return p;
  return {end.X + (p.X - end.X) * pitch / gap, end.Y + (p.Y - end.Y) * pitch / gap};
}

// Which of "G41" and "G42" keeps the tool inside: the circle pockets pair G41 with
// counter-clockwise arcs, and the outline passes follow the same pairing.
bool SideRunsOutside(int side, bool counterClockwise) {
  return (side > 0 && !counterClockwise) || (side < 0 && counterClockwise);
}

void ExchangeCompensationSide(PathSegment& s) {
  const int side = CompensationSide(s.CompCode);
  if (side != 0) s.CompCode[2] = side > 0 ? '2' : '1';
}

}  // namespace

std::vector<PathSegment> RectanglePocket(EngineContext& c, ContourSpan outline, float pitch,
                                         const std::string& layerName) {
  const OneBasedList<PathSegment>& path = c.state.PathList;
  const float tolerance = c.state.CoincidenceTolerance;
  const Box box = BoxOf(path, outline);
  if (!IsRectangleOutline(path, outline, box, tolerance)) {
    AddWarningLine(c.run, kNotRectangle + layerName);
    return {};
  }
  const Spine spine = SpineOf(box);
  const bool exchangeSide =
      SideRunsOutside(CompensationSide(path[outline.First].CompCode), DoubleSignedArea(path, outline) > 0);
  std::vector<PathSegment> passes;
  for (int pass = 0;; ++pass) {
    const float inset = static_cast<float>(pass) * pitch;
    for (int i = outline.First; i <= outline.Last; ++i) {
      PathSegment point = path[i];
      PlanePoint moved = NearestCornerInset(PointOf(point), box, inset);
      if (pass > 0) moved = KeepOffSpineEnds(moved, spine, pitch);
      point.X = moved.X;
      point.Y = moved.Y;
      if (pass > 0 && i == outline.First) {
        // The straight move from the end of the pass before, along the corner's diagonal.
        point.SegmentType = static_cast<int16_t>(std::abs(point.SegmentType));
        point.ChainFlag = 0;
      }
      if (exchangeSide) ExchangeCompensationSide(point);
      passes.push_back(point);
    }
    // This pass is within P of the spine: the tool clears what lies between.
    if (spine.Reach - inset <= pitch) break;
  }
  return passes;
}

}  // namespace mq
