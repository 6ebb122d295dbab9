// Contour order: the joined contours put together, toured nearest-neighbour from the
// panel's far corner, grouped by tool and by sequence number, and written out in that
// order with their tool data made uniform and their starts marked.

#include "engine/contours/contour_order.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "engine/contours/contour_joining.h"
#include "engine/contours/contour_table.h"
#include "engine/geometry/contour_geometry.h"
#include "engine/ordering/bore_search_tree.h"

namespace mq {

namespace {

// Tool numbers the tool grouping knows; contours with other numbers follow the groups.
constexpr int16_t kLowestGroupedTool = 0;
constexpr int16_t kHighestGroupedTool = 150;

const PathSegment& FirstRecord(const ConversionState& s, int contour) {
  return s.PathList[s.Contours[contour].First];
}

}  // namespace

void RebuildPathList(ConversionState& s, const std::vector<JoinedContour>& joined) {
  OneBasedList<PathSegment> path;
  OneBasedList<ContourRow> table;
  for (const JoinedContour& rows : joined) {
    const int first = path.size() + 1;
    for (int r : rows) {
      const ContourRow& piece = s.Contours[r];
      for (int k = piece.First; k <= piece.Last; ++k) path.push_back(s.PathList[k]);
    }
    ContourRow row = MakeContourRow(path, first, path.size());
    row.EntryDirection = s.Contours[rows.front()].EntryDirection;
    row.ExitDirection = s.Contours[rows.back()].ExitDirection;
    const PathSegment& start = path[first];
    row.Tool = start.Tool;
    row.Sequence = start.Sequence;
    row.Depth = start.Z;
    row.ToolDiameter = start.ToolDiameter;
    row.CompCode = start.CompCode;
    row.Speed = start.VM;
    table.push_back(row);
  }
  s.PathList = std::move(path);
  s.Contours = std::move(table);
}

std::vector<int> NearestNeighbourOrder(const ConversionState& s) {
  const int n = s.Contours.size();
  std::vector<float> xs, ys;
  xs.reserve(static_cast<std::size_t>(n));
  ys.reserve(static_cast<std::size_t>(n));
  for (int k = 1; k <= n; ++k) {
    xs.push_back(FirstRecord(s, k).X);
    ys.push_back(FirstRecord(s, k).Y);
  }
  // The plain distance: weight 1 and no lower half. The tree gives the contour a scan
  // in list order with a strict "nearer" test would take.
  WalkMetric metric;
  metric.HalfHeight = -std::numeric_limits<float>::infinity();
  BoreSearchTree tree(xs, ys);
  const float panel_area = s.PanelWidth() * s.PanelHeight();
  const float beyond_reach = panel_area * panel_area;
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(n));
  metric.X = s.PanelWidth();
  metric.Y = s.PanelHeight();
  int lowest_untaken = 0;
  for (int step = 0; step < n; ++step) {
    int best = tree.Nearest(metric);
    // Nothing nearer than the square of the panel's area (a panel of no area, say): the
    // next contour in the list follows.
    if (best < 0 || !(metric.Distance(xs[static_cast<std::size_t>(best)],
                                      ys[static_cast<std::size_t>(best)]) < beyond_reach)) {
      while (tree.Visited(lowest_untaken)) ++lowest_untaken;
      best = lowest_untaken;
    }
    tree.Visit(best);
    order.push_back(best + 1);
    const PathSegment& end = s.PathList[s.Contours[best + 1].Last];
    metric.X = end.X;
    metric.Y = end.Y;
  }
  return order;
}

void GroupByTool(const ConversionState& s, std::vector<int>& order) {
  auto group = [&](int contour) {
    const int16_t tool = FirstRecord(s, contour).Tool;
    return tool >= kLowestGroupedTool && tool <= kHighestGroupedTool ? tool : kHighestGroupedTool + 1;
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return group(a) < group(b); });
}

void GroupBySequence(const ConversionState& s, std::vector<int>& order, int16_t max_sequence) {
  if (max_sequence <= 0) return;
  // Sequences 1..max first; then the unsequenced; then any other number, never lost.
  auto group = [&](int contour) {
    const int sequence = FirstRecord(s, contour).Sequence;
    if (sequence >= 1 && sequence <= max_sequence) return sequence;
    return sequence == 0 ? max_sequence + 1 : max_sequence + 2;
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return group(a) < group(b); });
}

void RewriteInOrder(ConversionState& s, const std::vector<int>& order) {
  OneBasedList<PathSegment> path;
  OneBasedList<ContourRow> table;
  OneBasedList<int> numbers;
  for (int contour : order) {
    ContourRow row = s.Contours[contour];
    const PathSegment start = s.PathList[row.First];
    const int first = path.size() + 1;
    for (int k = row.First; k <= row.Last; ++k) {
      PathSegment p = s.PathList[k];
      p.Tool = start.Tool;
      p.ToolDiameter = start.ToolDiameter;
      p.CompCode = start.CompCode;
      p.VM = start.VM;
      // Only a contour's first record opens it; an arc end keeps its sense of turning.
      if (k == row.First) {
        p.ChainFlag = kContourStart;
      } else if (p.ChainFlag < 0 && p.SegmentType != segment::kCentreArc) {
        p.ChainFlag = 0;
      }
      path.push_back(p);
    }
    row.First = first;
    row.Last = path.size();
    row.Used = true;
    table.push_back(row);
    numbers.push_back(contour);
  }
  s.PathList = std::move(path);
  s.Contours = std::move(table);
  s.ContourOrder = std::move(numbers);
}

}  // namespace mq
