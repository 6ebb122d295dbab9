// Horizontal bores drawn as lines in the panel view become edge bores, and all edge bores
// are put into travel order edge by edge.

#include "engine/ordering/order_edge_bores.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "engine/driver/report_lines.h"
#include "engine/geometry/point_buckets.h"
#include "engine/ordering/bore_search_tree.h"

namespace mq {

namespace {

// An end point this close to an edge line (in the coordinate across it) lies on the edge;
// a line that touches no edge belongs to the edge line whose second end point it touches
// within this distance in X and in Y.
constexpr float kEdgeTolerance = 0.01f;

constexpr int16_t kNoEdge = 0;

// A line that neither starts on an edge nor continues an edge line has no edge to be
// drilled into; it is not dropped without a word.
constexpr char kSkippedNoEdge[] = "Horizontal bore line touches no panel edge, skipped: ";

// The order in which the records of the edges are appended, and then travelled.
constexpr std::array<int16_t, 4> kAppendOrder = {edge::kTop, edge::kRight, edge::kBottom, edge::kLeft};
constexpr std::array<int16_t, 4> kTravelOrder = {edge::kRight, edge::kBottom, edge::kLeft, edge::kTop};

// The panel box measured from PartOrigin.
struct PanelBox {
  float MinX, MaxX, MinY, MaxY;
};

PanelBox RelativePanel(const ConversionState& s) {
  const ExtentBox& p = s.PartExtents[kPanelBox];
  return {p.MinX - s.PartOriginX, p.MaxX - s.PartOriginX, p.MinY - s.PartOriginY, p.MaxY - s.PartOriginY};
}

bool Near(float a, float b) { return std::fabs(a - b) < kEdgeTolerance; }

// The edge the line starts on; the line is turned round when its second end point is the
// one on the edge. Right, left, top, bottom are tried in this order, each on the first end
// point and then on the second.
int16_t AssignEdge(HBoreLine& line, const PanelBox& panel) {
  struct Test {
    int16_t side;
    bool on_x;
    float at;
  };
  const std::array<Test, 4> tests = {Test{edge::kRight, true, panel.MaxX},
                                     Test{edge::kLeft, true, panel.MinX}, Test{edge::kTop, false, panel.MaxY},
                                     Test{edge::kBottom, false, panel.MinY}};
  for (const Test& t : tests) {
    if (Near(t.on_x ? line.X1 : line.Y1, t.at)) return t.side;
    if (Near(t.on_x ? line.X2 : line.Y2, t.at)) {
      std::swap(line.X1, line.X2);
      std::swap(line.Y1, line.Y2);
      return t.side;
    }
  }
  return kNoEdge;
}

bool Touches(float x, float y, const HBoreLine& edge_line) {
  return Near(x, edge_line.X2) && Near(y, edge_line.Y2);
}

// Edges of all lines: the lines on an edge first, then the lines that continue one of
// them (the first such edge line in list order, found through cells of the edge lines'
// second end points).
std::vector<int16_t> AssignEdges(OneBasedList<HBoreLine>& lines, const PanelBox& panel) {
  std::vector<int16_t> edges(static_cast<std::size_t>(lines.size()) + 1, kNoEdge);
  for (int i = 1; i <= lines.size(); ++i) edges[static_cast<std::size_t>(i)] = AssignEdge(lines[i], panel);
  PointBuckets ends(4 * kEdgeTolerance);
  for (int j = 1; j <= lines.size(); ++j) {
    if (edges[static_cast<std::size_t>(j)] != kNoEdge) ends.Add(0, lines[j].X2, lines[j].Y2, j);
  }
  ends.Seal();
  std::vector<int16_t> followers = edges;
  for (int i = 1; i <= lines.size(); ++i) {
    if (edges[static_cast<std::size_t>(i)] != kNoEdge) continue;
    int first = 0;
    for (const auto& end : {std::pair{lines[i].X1, lines[i].Y1}, std::pair{lines[i].X2, lines[i].Y2}}) {
      const float x = end.first,
                  y = end.second;  // clang 14 cannot capture a structured binding
      const double reach = 2 * kEdgeTolerance;
      ends.AnyInBox(0, x - reach, x + reach, y - reach, y + reach, [&](int j) {
        if ((first == 0 || j < first) && Touches(x, y, lines[j])) first = j;
        return false;
      });
    }
    if (first != 0) followers[static_cast<std::size_t>(i)] = edges[static_cast<std::size_t>(first)];
  }
  return followers;
}

EdgeBoreRecord RecordOfLine(HBoreLine line, int16_t side, const PanelBox& panel, float width, float height) {
  EdgeBoreRecord bore;
  bore.Side = side;
  bore.VX = line.Feed;
  bore.Z = line.Depth;
  bore.G = line.G;
  bore.Speed = line.Speed;
  bore.ToolText = line.ToolText;
  if (side == edge::kLeft || side == edge::kRight) {
    if (line.Y2 < line.Y1) {
      std::swap(line.X1, line.X2);
      std::swap(line.Y1, line.Y2);
    }
    bore.Y = (line.Y1 + line.Y2) / 2;
    bore.Diameter = line.Y2 - line.Y1;
    // Depth from the edge the bore enters: measured from the right edge in the right half.
    bore.X = line.X2 < width / 2 ? line.X2 : panel.MaxX - line.X2;
  } else {
    if (line.X2 < line.X1) {
      std::swap(line.X1, line.X2);
      std::swap(line.Y1, line.Y2);
    }
    bore.X = (line.X1 + line.X2) / 2;
    bore.Diameter = line.X2 - line.X1;
    bore.Y = line.Y2 <= height / 2 ? line.Y2 : panel.MaxY - line.Y2;
  }
  return bore;
}

struct Point {
  float X, Y;
};

// Where a record meets its edge: its position along the edge on the edge line. Its depth
// plays no part in how far the tool travels between bores of one edge.
Point PointOnEdge(const EdgeBoreRecord& bore, float width, float height) {
  switch (bore.Side) {
    case edge::kTop:
      return {bore.X, height};
    case edge::kBottom:
      return {bore.X, 0};
    case edge::kLeft:
      return {0, bore.Y};
    default:  // edge::kRight
      return {width, bore.Y};
  }
}

// The records of one edge (indices ascending) taken nearest first from `current`, the
// first of equals, as a scan in list order with a strict "nearer" test takes them; the
// first candidate is taken even at no finite distance. A k-d tree finds each; points
// that are not finite keep the plain scan, where no tree could order them.
void TravelEdge(const OneBasedList<EdgeBoreRecord>& bores, const std::vector<int>& edge, float width,
                float height, Point& current, OneBasedList<EdgeBoreRecord>& ordered) {
  std::vector<float> xs, ys;
  for (int i : edge) {
    const Point p = PointOnEdge(bores[i], width, height);
    xs.push_back(p.X);
    ys.push_back(p.Y);
  }
  const bool finite = std::all_of(xs.begin(), xs.end(), [](float v) { return std::isfinite(v); }) &&
                      std::all_of(ys.begin(), ys.end(), [](float v) { return std::isfinite(v); });
  BoreSearchTree tree(finite ? xs : std::vector<float>{}, finite ? ys : std::vector<float>{});
  std::vector<char> taken(edge.size(), 0);
  WalkMetric metric;
  metric.HalfHeight = -std::numeric_limits<float>::infinity();
  std::size_t lowest = 0;
  for (std::size_t step = 0; step < edge.size(); ++step) {
    metric.X = current.X;
    metric.Y = current.Y;
    int best = -1;
    if (finite) {
      best = tree.Nearest(metric);
    } else {
      float best_distance = std::numeric_limits<float>::infinity();
      for (std::size_t k = 0; k < edge.size(); ++k) {
        const float d = taken[k] != 0 ? 0 : metric.Distance(xs[k], ys[k]);
        if (taken[k] == 0 && (best < 0 || d < best_distance)) best = static_cast<int>(k), best_distance = d;
      }
    }
    while (taken[lowest] != 0) ++lowest;
    const auto k = best < 0 ? lowest : static_cast<std::size_t>(best);
    taken[k] = 1;
    if (finite) tree.Visit(static_cast<int>(k));
    ordered.push_back(bores[edge[k]]);
    current = {xs[k], ys[k]};
  }
}

// Nearest-neighbour travel over the records edge by edge, from (width, height). Within an
// edge the next record is the untaken one whose point on the edge lies nearest to the
// current point (the first of equals); the current point then becomes that point, so after
// an edge it already lies on that edge's line where its last bore was. An edge without
// records leaves the current point where it was. Records of no edge keep their order at
// the end.
OneBasedList<EdgeBoreRecord> TravelOrder(const OneBasedList<EdgeBoreRecord>& bores, float width,
                                         float height) {
  OneBasedList<EdgeBoreRecord> ordered;
  ordered.reserve(bores.size());
  Point current{width, height};
  for (int16_t side : kTravelOrder) {
    std::vector<int> edge;
    for (int i = 1; i <= bores.size(); ++i) {
      if (bores[i].Side == side) edge.push_back(i);
    }
    TravelEdge(bores, edge, width, height, current, ordered);
  }
  for (const EdgeBoreRecord& bore : bores) {
    if (std::find(kTravelOrder.begin(), kTravelOrder.end(), bore.Side) == kTravelOrder.end())
      ordered.push_back(bore);
  }
  return ordered;
}

}  // namespace

void OrderEdgeBores(EngineContext& c) {
  ConversionState& s = c.state;
  const PanelBox panel = RelativePanel(s);
  const float width = s.PanelWidth();
  const float height = s.PanelHeight();
  OneBasedList<HBoreLine>& lines = s.HBoreLineList;
  const std::vector<int16_t> edges = AssignEdges(lines, panel);
  for (int i = 1; i <= lines.size(); ++i) {
    if (edges[static_cast<std::size_t>(i)] != kNoEdge) continue;
    const HBoreLine& l = lines[i];
    AddWarningLine(c.run, SkippedLineMessage(kSkippedNoEdge, l.X1, l.Y1, l.X2, l.Y2, l.DrawingLine));
  }
  for (int16_t side : kAppendOrder) {
    for (int i = 1; i <= lines.size(); ++i) {
      if (edges[static_cast<std::size_t>(i)] == side) {
        s.EdgeBoreList.push_back(RecordOfLine(lines[i], side, panel, width, height));
      }
    }
  }
  s.EdgeBoreList = TravelOrder(s.EdgeBoreList, width, height);
}

}  // namespace mq
