// The contour table of contour joining: one row per piece, with its directions; and the
// turning round of a piece.

#include "engine/contours/contour_table.h"

#include <cstdlib>
#include <vector>

#include "engine/contours/contour_joining.h"
#include "engine/geometry/angles.h"
#include "engine/geometry/contour_geometry.h"
#include "engine/ordering/order_routes.h"

namespace mq {

namespace {

float Turned(float direction) { return Normalized(direction + kHalfTurn); }

bool IsCentreArc(const OneBasedList<PathSegment>& path, int first, int last) {
  return last == first + 1 && path[first].SegmentType == -segment::kCentreArc &&
         path[last].SegmentType == segment::kCentreArc;
}

// A centre arc run the other way: it starts at its old end and ends at its old start,
// whose angle its old end record held in CentreX; its sense of turning changes.
void ReverseCentreArc(OneBasedList<PathSegment>& path, int first, int last) {
  const PathSegment old_start = path[first];
  const PathSegment old_end = path[last];
  PathSegment start = old_end;
  start.SegmentType = old_start.SegmentType;
  start.CentreX = old_start.CentreX;
  start.CentreY = old_start.CentreY;
  start.ChainFlag = old_start.ChainFlag;
  PathSegment end = old_start;
  end.SegmentType = old_end.SegmentType;
  end.CentreX = old_end.CentreY;
  end.CentreY = old_end.CentreX;
  end.ChainFlag = old_end.ChainFlag == 0 ? int16_t{-1} : int16_t{0};
  path[first] = start;
  path[last] = end;
}

// Straight and bulge pieces run the other way: the points in opposite order, each
// record's kind kept by its place; a bulge belongs to the piece leaving its point, so it
// moves to the other end of its piece and changes sign.
void ReversePoints(OneBasedList<PathSegment>& path, int first, int last) {
  const std::vector<PathSegment> old(path.raw().begin() + (first - 1), path.raw().begin() + last);
  const int n = static_cast<int>(old.size());
  for (int k = 0; k < n; ++k) {
    PathSegment s = old[static_cast<std::size_t>(n - 1 - k)];
    s.SegmentType = old[static_cast<std::size_t>(k)].SegmentType;
    s.ChainFlag = old[static_cast<std::size_t>(k)].ChainFlag;
    if (std::abs(s.SegmentType) == segment::kPolyline) {
      const bool last_point = k == n - 1;
      const PathSegment& piece_start = old[static_cast<std::size_t>(last_point ? 0 : n - 2 - k)];
      s.CentreX = last_point ? 0.0f : piece_start.CentreX;
      s.CentreY = last_point || piece_start.CentreY == 0 ? 0.0f : -piece_start.CentreY;
    }
    path[first + k] = s;
  }
}

}  // namespace

float TravelDirection(const PathSegment& from, const PathSegment& to) {
  float direction = Bearing(from.X, to.X, from.Y, to.Y);
  NormalizeAngle(direction);
  return direction;
}

ContourRow MakeContourRow(const OneBasedList<PathSegment>& path, int first, int last) {
  ContourRow row;
  row.First = first;
  row.Last = last;
  row.Kind = static_cast<int16_t>(std::abs(path[first].SegmentType));
  if (last > first) {
    row.EntryDirection = TravelDirection(path[first], path[first + 1]);
    row.ExitDirection = TravelDirection(path[last - 1], path[last]);
  }
  return row;
}

int AddUsedContourRow(ConversionState& s, int first, int last, float entry, float exit) {
  ContourRow row = MakeContourRow(s.PathList, first, last);
  NormalizeAngle(entry);
  NormalizeAngle(exit);
  row.EntryDirection = entry;
  row.ExitDirection = exit;
  row.Used = true;
  s.Contours.push_back(row);
  return s.Contours.size();
}

void BuildContourTable(ConversionState& s) {
  s.Contours.clear();
  int first = 1;
  while (first <= s.PathList.size()) {
    const int last = PieceLast(s.PathList, first);
    s.Contours.push_back(MakeContourRow(s.PathList, first, last));
    first = last + 1;
  }
}

bool IsPolylineContour(const OneBasedList<PathSegment>& path, const ContourRow& row) {
  const int16_t first_kind = static_cast<int16_t>(std::abs(path[row.First].SegmentType));
  return first_kind == segment::kPolyline || first_kind == segment::kConstantWidth ||
         path[row.Last].SegmentType == segment::kPolyline;
}

int16_t ContourLayer(const OneBasedList<PathSegment>& path, const ContourRow& row) {
  return path[row.First].LayerNumber;
}

void ReverseContour(OneBasedList<PathSegment>& path, ContourRow& row) {
  if (IsCentreArc(path, row.First, row.Last)) {
    ReverseCentreArc(path, row.First, row.Last);
  } else {
    ReversePoints(path, row.First, row.Last);
  }
  const float entry = row.EntryDirection;
  row.EntryDirection = Turned(row.ExitDirection);
  row.ExitDirection = Turned(entry);
}

}  // namespace mq
