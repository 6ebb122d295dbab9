#include "engine/ordering/bore_search_tree.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "engine/geometry/contour_geometry.h"

namespace mq {

namespace {

constexpr int kLeafSize = 8;

// Relative margin by which a subtree's exact lower bound is lowered before it is compared
// with a distance computed in singles: a handful of single roundings stay far below it.
constexpr double kRoundingMargin = 1e-5;
// And an absolute one for distances so small that their squares underflow in singles.
constexpr double kUnderflowMargin = 1e-20;

}  // namespace

float WalkMetric::Distance(float x, float y) const {
  const float dx = X - x;
  const float dy = Y - y;
  const float wx = dx * Weight;
  float e = std::sqrt(wx * wx + dy * dy);
  if (Y < HalfHeight && y < HalfHeight) e *= LowerHalfScale;
  return e;
}

BoreSearchTree::BoreSearchTree(std::vector<float> xs, std::vector<float> ys)
    : xs_(std::move(xs)), ys_(std::move(ys)) {
  const int n = static_cast<int>(xs_.size());
  members_.resize(xs_.size());
  for (int i = 0; i < n; ++i) members_[static_cast<std::size_t>(i)] = i;
  leaf_of_.assign(xs_.size(), -1);
  visited_.assign(xs_.size(), 0);
  if (n > 0) Build(0, n, -1);
  for (const int b : members_) {
    member_xs_.push_back(xs_[static_cast<std::size_t>(b)]);
    member_ys_.push_back(ys_[static_cast<std::size_t>(b)]);
  }
  Reset();
}

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

void Include(BoreSearchTree::Box& box, float x, float y) {
  box.MinX = std::min(box.MinX, x);
  box.MaxX = std::max(box.MaxX, x);
  box.MinY = std::min(box.MinY, y);
  box.MaxY = std::max(box.MaxY, y);
}

}  // namespace

int BoreSearchTree::Build(int begin, int end, int parent) {
  Node node{};
  node.All = {kInfinity, -kInfinity, kInfinity, -kInfinity};
  for (int i = begin; i < end; ++i) {
    const auto b = static_cast<std::size_t>(members_[static_cast<std::size_t>(i)]);
    Include(node.All, xs_[b], ys_[b]);
  }
  node.Begin = begin;
  node.End = end;
  node.Parent = parent;
  const int id = static_cast<int>(nodes_.size());
  nodes_.push_back(node);

  if (end - begin <= kLeafSize) {
    for (int i = begin; i < end; ++i)
      leaf_of_[static_cast<std::size_t>(members_[static_cast<std::size_t>(i)])] = id;
    return id;
  }
  const std::vector<float>& key =
      (node.All.MaxX - node.All.MinX >= node.All.MaxY - node.All.MinY) ? xs_ : ys_;
  const int mid = begin + (end - begin) / 2;
  std::nth_element(members_.begin() + begin, members_.begin() + mid, members_.begin() + end,
                   [&](int a, int b) {
                     const float ka = key[static_cast<std::size_t>(a)];
                     const float kb = key[static_cast<std::size_t>(b)];
                     return ka < kb || (!(kb < ka) && a < b);
                   });
  const int left = Build(begin, mid, id);
  const int right = Build(mid, end, id);
  nodes_[static_cast<std::size_t>(id)].Left = left;
  nodes_[static_cast<std::size_t>(id)].Right = right;
  return id;
}

void BoreSearchTree::Reset() {
  std::fill(visited_.begin(), visited_.end(), 0);
  for (Node& node : nodes_) {
    node.Unvisited = node.End - node.Begin;
    node.Unvisited_ = node.All;
  }
}

void BoreSearchTree::Shrink(Node& node) {
  node.Unvisited_ = {kInfinity, -kInfinity, kInfinity, -kInfinity};
  if (node.Left < 0) {
    for (int i = node.Begin; i < node.End; ++i) {
      const auto b = static_cast<std::size_t>(members_[static_cast<std::size_t>(i)]);
      if (visited_[b] == 0) Include(node.Unvisited_, xs_[b], ys_[b]);
    }
    return;
  }
  for (const int child : {node.Left, node.Right}) {
    const Node& c = nodes_[static_cast<std::size_t>(child)];
    if (c.Unvisited == 0) continue;
    Include(node.Unvisited_, c.Unvisited_.MinX, c.Unvisited_.MinY);
    Include(node.Unvisited_, c.Unvisited_.MaxX, c.Unvisited_.MaxY);
  }
}

void BoreSearchTree::Visit(int bore) {
  const auto b = static_cast<std::size_t>(bore);
  if (visited_[b] != 0) return;
  visited_[b] = 1;
  // The boxes above shrink only as long as the one below did.
  bool shrinking = true;
  for (int n = leaf_of_[b]; n >= 0; n = nodes_[static_cast<std::size_t>(n)].Parent) {
    Node& node = nodes_[static_cast<std::size_t>(n)];
    --node.Unvisited;
    if (!shrinking || node.Unvisited == 0) continue;
    const Box before = node.Unvisited_;
    Shrink(node);
    shrinking = before.MinX != node.Unvisited_.MinX || before.MaxX != node.Unvisited_.MaxX ||
                before.MinY != node.Unvisited_.MinY || before.MaxY != node.Unvisited_.MaxY;
  }
}

double BoreSearchTree::LowerBound(const Node& node, const WalkMetric& m) const {
  const double x = m.X, y = m.Y;
  const Box& box = node.Unvisited_;
  const double dx = x < box.MinX ? box.MinX - x : x > box.MaxX ? x - box.MaxX : 0.0;
  const double dy = y < box.MinY ? box.MinY - y : y > box.MaxY ? y - box.MaxY : 0.0;
  const double wx = dx * static_cast<double>(m.Weight);
  double bound = std::sqrt(wx * wx + dy * dy);
  if (m.Y < m.HalfHeight && box.MinY < m.HalfHeight) {
    bound *= std::min(static_cast<double>(m.LowerHalfScale), 1.0);
  }
  return bound * (1.0 - kRoundingMargin) - kUnderflowMargin;
}

void BoreSearchTree::Search(int id, double bound, const WalkMetric& m, Best& best) const {
  const Node& node = nodes_[static_cast<std::size_t>(id)];
  if (node.Unvisited == 0) return;
  if (bound > static_cast<double>(best.Distance)) return;
  if (node.Left < 0) {
    for (int i = node.Begin; i < node.End; ++i) {
      const auto k = static_cast<std::size_t>(i);
      const int b = members_[k];
      if (visited_[static_cast<std::size_t>(b)] != 0) continue;
      const float e = m.Distance(member_xs_[k], member_ys_[k]);
      if (e < best.Distance || (e == best.Distance && b < best.Bore)) best = {e, b};
    }
    return;
  }
  int first = node.Left, second = node.Right;
  // An empty side has nothing to offer; only the other one is searched.
  if (nodes_[static_cast<std::size_t>(first)].Unvisited == 0) std::swap(first, second);
  if (nodes_[static_cast<std::size_t>(second)].Unvisited == 0) {
    Search(first, LowerBound(nodes_[static_cast<std::size_t>(first)], m), m, best);
    return;
  }
  double first_bound = LowerBound(nodes_[static_cast<std::size_t>(first)], m);
  double second_bound = LowerBound(nodes_[static_cast<std::size_t>(second)], m);
  if (second_bound < first_bound) {
    std::swap(first, second);
    std::swap(first_bound, second_bound);
  }
  Search(first, first_bound, m, best);
  Search(second, second_bound, m, best);
}

int BoreSearchTree::Nearest(const WalkMetric& metric) const {
  Best best{std::numeric_limits<float>::infinity(), -1};
  if (!nodes_.empty()) Search(0, LowerBound(nodes_.front(), metric), metric, best);
  return best.Bore;
}

}  // namespace mq
