// The drilling order of the vertical bores. Ten greedy walks start at the panel's far
// corner, each weighing moves along X differently; the walk with the shortest travel is
// kept. The lower-half rules make a walk finish the lower half of the panel before it
// leaves it.

#include "engine/ordering/order_bores.h"

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "engine/ordering/bore_search_tree.h"

namespace mq {

namespace {

constexpr int kTrials = 10;
constexpr double kWeightStep = 0.2;  // trial k weighs moves along X by k × 0.2
constexpr float kLowerHalfWeightScale = 1.5f;
constexpr float kLowerHalfDistanceScale = 0.6f;
constexpr int kMeterFull = 100;

// (first + last) / 2 rounded to the nearest whole number, halves to even.
int MiddleIndex(int first, int last) {
  const int sum = first + last;
  const int down = sum >= 0 ? sum / 2 : (sum - 1) / 2;
  if (sum % 2 == 0) return down;
  return down % 2 == 0 ? down : down + 1;
}

struct Walk {
  std::vector<int> Order;  // bore indices (0-based) in the order visited
  float Total = 0;         // plain travel distance
};

// One trial over bores sorted by Y: each step moves to the unvisited bore of smallest
// weighted distance. A capped search would stop at (width × weight + height), which no
// bore inside the panel reaches; a bore outside the panel could, and would then be lost,
// so the search here is uncapped (the choice is the same whenever the cap finds a bore).
Walk WalkOnce(BoreSearchTree& tree, const std::vector<float>& xs, const std::vector<float>& ys, float factor,
              float width, float height) {
  const int n = static_cast<int>(xs.size());
  tree.Reset();
  Walk walk;
  walk.Order.reserve(xs.size());
  WalkMetric metric;
  metric.X = width;
  metric.Y = height;
  metric.Weight = factor;
  metric.HalfHeight = height / 2;
  metric.LowerHalfScale = kLowerHalfDistanceScale;
  // Y of the last bore the previous step examined: the unvisited bore of highest index,
  // which after the sort is the highest unvisited bore.
  float last_examined_y = 0;
  int highest = n - 1;
  int lowest = 0;
  for (int step = 0; step < n; ++step) {
    if (metric.Y < metric.HalfHeight && last_examined_y < metric.HalfHeight) {
      metric.Weight = factor * kLowerHalfWeightScale;
    }
    while (tree.Visited(highest)) --highest;
    while (tree.Visited(lowest)) ++lowest;
    last_examined_y = ys[static_cast<std::size_t>(highest)];
    int next = tree.Nearest(metric);
    if (next < 0) next = lowest;  // no finite distance at all: keep the bore, in index order
    const auto j = static_cast<std::size_t>(next);
    const float dx = metric.X - xs[j];
    const float dy = metric.Y - ys[j];
    walk.Total += std::sqrt(dx * dx + dy * dy);
    tree.Visit(next);
    walk.Order.push_back(next);
    metric.X = xs[j];
    metric.Y = ys[j];
  }
  return walk;
}

}  // namespace

void SortBoresByY(OneBasedList<BoreRecord>& list, int first, int last) {
  // The larger part is sorted in the loop, the smaller one by recursion, which bounds the
  // depth; the parts are disjoint, so the order of sorting them does not change the result.
  while (first < last) {
    const float pivot = list[MiddleIndex(first, last)].Y;
    int i = first;
    int j = last;
    do {
      while (i < last && list[i].Y < pivot) ++i;
      while (j > first && pivot < list[j].Y) --j;
      if (i <= j) {
        std::swap(list[i], list[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - first < last - i) {
      SortBoresByY(list, first, j);
      first = i;
    } else {
      SortBoresByY(list, i, last);
      last = j;
    }
  }
}

void OrderBores(EngineContext& c) {
  OneBasedList<BoreRecord>& bores = c.state.BoreList;
  const int n = bores.size();
  if (n == 0) return;
  SortBoresByY(bores, 1, n);

  std::vector<float> xs, ys;
  xs.reserve(static_cast<std::size_t>(n));
  ys.reserve(static_cast<std::size_t>(n));
  for (const BoreRecord& b : bores) {
    xs.push_back(b.X);
    ys.push_back(b.Y);
  }
  BoreSearchTree tree(xs, ys);
  const float width = c.state.PanelWidth();
  const float height = c.state.PanelHeight();

  Walk best;
  best.Total = std::numeric_limits<float>::infinity();
  for (int k = 1; k <= kTrials; ++k) {
    const auto factor = static_cast<float>(k * kWeightStep);
    Walk walk = WalkOnce(tree, xs, ys, factor, width, height);
    if (k == 1 || walk.Total < best.Total) best = std::move(walk);  // equal: the earlier trial stays
    c.run.ui->SetProgress(meter::kSequencing, kMeterFull);
  }

  OneBasedList<BoreRecord> ordered;
  ordered.reserve(n);
  for (int b : best.Order) ordered.push_back(bores[b + 1]);
  bores = std::move(ordered);
}

}  // namespace mq
