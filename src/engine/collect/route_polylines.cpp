// POLYLINE entities of a route layer: one entry per VERTEX, a closing entry for a closed
// polyline, and the pieces along the panel outline dropped when the border route is
// not to be cut.

#include "engine/collect/route_polylines.h"

#include <cmath>
#include <vector>

#include "engine/collect/route_entities.h"
#include "engine/driver/store_scan.h"
#include "input/layer_codes.h"

namespace mq {

namespace {

// A vertex this close to a panel edge, or beyond it, lies on the panel outline.
constexpr float kBorderReach = 0.01f;
// A polyline with more than this many vertices on the left or right edges and as many on
// the bottom or top edges runs along the panel outline.
constexpr int kBorderVertexMinimum = 3;
// VERTEX flags of a 3-D polyline vertex: its Z is a height within the panel.
constexpr int16_t kVertex3DFlags = 32;

constexpr std::string_view kExcavationPolylineMessage = "Explode Polylines for Excavation.";

// The values the POLYLINE record gives the whole contour.
struct PolylineValues {
  float start_width = 0;  // 0 when not greater than 0
  float end_width = 0;
  bool constant_width = false;
  float thickness = 0;
  bool closed = false;
};

// A polyline is of constant width only when it has a width: both widths given and equal.
PolylineValues ReadPolylineValues(const EntityRegisters& r) {
  PolylineValues p;
  if (r.EntRadius > 0) p.start_width = r.EntRadius;
  if (r.EntWidth41 > 0) p.end_width = r.EntWidth41;
  p.constant_width = p.start_width > 0 && p.end_width > 0 && p.start_width == p.end_width;
  p.thickness = r.EntThickness;
  p.closed = r.EntFlags != 0;
  return p;
}

bool RecordIs(const EntityStore& store, int index, std::string_view type) {
  return !ScanEnded(store, index) && EntityTypeName(store.Entities[static_cast<std::size_t>(index)]) == type;
}

// The entry of the VERTEX just loaded.
PathSegment VertexEntry(EngineContext& c, const RouteLayer& layer, const PolylineValues& p) {
  EntityRegisters& r = c.store.Current;
  PathSegment s = RouteToolData(r, layer);
  s.X = r.EntX1;
  s.Y = r.EntY1;
  const bool bulged = r.EntBulge != 0;
  if (bulged) s.VX = layer.codes.FA;
  s.CentreX = bulged ? -1.0f : 0.0f;
  s.CentreY = r.EntBulge;
  s.SegmentType = segment::kPolyline;

  float z = layer.codes.Z;
  if (z == 0) z = p.thickness;
  if (z == 0 && r.EntFlags == kVertex3DFlags) z = std::fabs(c.state.PartThickness - r.EntZ1);
  if (z == 0) z = std::fabs(r.EntElevation);
  s.Z = z;
  if (s.ToolDiameter == 0) s.ToolDiameter = p.start_width;
  return s;
}

bool NearOrBelow(float v, float edge) { return v - edge < kBorderReach; }
bool NearOrAbove(float v, float edge) { return edge - v < kBorderReach; }

bool OnLeftOrRightEdge(const PathSegment& s, const ExtentBox& panel) {
  return NearOrBelow(s.X, panel.MinX) || NearOrAbove(s.X, panel.MaxX);
}
bool OnBottomOrTopEdge(const PathSegment& s, const ExtentBox& panel) {
  return NearOrBelow(s.Y, panel.MinY) || NearOrAbove(s.Y, panel.MaxY);
}

// Both end points of a piece lie on one and the same panel edge.
bool AlongOneEdge(const PathSegment& a, const PathSegment& b, const ExtentBox& panel) {
  return (NearOrBelow(a.X, panel.MinX) && NearOrBelow(b.X, panel.MinX)) ||
         (NearOrAbove(a.X, panel.MaxX) && NearOrAbove(b.X, panel.MaxX)) ||
         (NearOrBelow(a.Y, panel.MinY) && NearOrBelow(b.Y, panel.MinY)) ||
         (NearOrAbove(a.Y, panel.MaxY) && NearOrAbove(b.Y, panel.MaxY));
}

bool RunsAlongOutline(const std::vector<PathSegment>& vertices, const ExtentBox& panel) {
  int left_right = 0;
  int bottom_top = 0;
  for (const PathSegment& s : vertices) {
    if (OnLeftOrRightEdge(s, panel)) ++left_right;
    if (OnBottomOrTopEdge(s, panel)) ++bottom_top;
  }
  return left_right > kBorderVertexMinimum && bottom_top > kBorderVertexMinimum;
}

// The polyline without its pieces along the panel outline. What is left of it stays in
// its order, each unbroken run of pieces a contour of its own: the run starts like a
// polyline, and its last point loses the bulge of the piece that was dropped after it.
std::vector<PathSegment> WithoutOutlinePieces(const std::vector<PathSegment>& entries,
                                              const ExtentBox& panel) {
  const std::size_t pieces = entries.size() - 1;
  std::vector<PathSegment> kept;
  std::size_t k = 0;
  while (k < pieces) {
    if (AlongOneEdge(entries[k], entries[k + 1], panel)) {
      ++k;
      continue;
    }
    const std::size_t run_start = k;
    while (k < pieces && !AlongOneEdge(entries[k], entries[k + 1], panel)) ++k;
    const std::size_t first_kept = kept.size();
    kept.insert(kept.end(), entries.begin() + static_cast<std::ptrdiff_t>(run_start),
                entries.begin() + static_cast<std::ptrdiff_t>(k + 1));
    if (run_start != 0) kept[first_kept].SegmentType = -segment::kPolyline;
    if (k != pieces) {
      kept.back().CentreX = 0;
      kept.back().CentreY = 0;
    }
  }
  return kept;
}

}  // namespace

void RoutePolyline(EngineContext& c, const RouteLayer& layer, int& index) {
  const PolylineValues p = ReadPolylineValues(c.store.Current);
  const int32_t polyline_line = c.store.Current.EntLine;  // where the drawing has the POLYLINE
  if (layer.excavation) AddWarningLine(c.run, std::string(kExcavationPolylineMessage));

  std::vector<PathSegment> entries;
  // The polyline is one operation: a note on its first vertex gives it its parameters,
  // and the note of an earlier operation does not carry over to it.
  c.store.Current.NoteMatchPending = true;
  while (RecordIs(c.store, index, "VERTEX")) {
    c.Load(index, layer.name);
    PathSegment s = VertexEntry(c, layer, p);
    s.DrawingLine = polyline_line;
    if (entries.empty()) {
      if (p.constant_width) {
        s.SegmentType = -segment::kConstantWidth;
        s.CentreX = p.start_width;
        s.CentreY = p.end_width;
      } else {
        s.SegmentType = -segment::kPolyline;
      }
    } else {
      // The tool is the first vertex's for the whole polyline.
      s.Tool = entries.front().Tool;
      s.ToolText = entries.front().ToolText;
    }
    entries.push_back(s);
  }
  if (RecordIs(c.store, index, "SEQEND")) ++index;
  if (entries.empty()) return;

  const ExtentBox& panel = c.state.PartExtents[kPanelBox];
  const bool along_outline = RunsAlongOutline(entries, panel);  // the vertices, not the closing entry
  if (p.closed) {
    PathSegment closing = entries.front();
    closing.SegmentType = segment::kPolyline;
    entries.push_back(closing);
  }
  if (c.state.RemoveBorderRoute && along_outline && entries.size() > 1) {
    entries = WithoutOutlinePieces(entries, panel);
  }
  for (PathSegment& s : entries) c.state.PathList.push_back(s);
}

}  // namespace mq
