#include "engine/geometry/point_buckets.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace mq {

namespace {

// Cells beyond this many from the origin share the outermost cell: still found, only
// less sorted out. No drawing reaches it.
constexpr double kOutermostCell = 1e15;

auto Key(int group, int64_t column, int64_t row, int item) {
  return std::make_tuple(group, column, row, item);
}

}  // namespace

int64_t PointBuckets::Cell(double v) const {
  const double cell = std::floor(v / cell_);
  if (!(cell > -kOutermostCell)) return static_cast<int64_t>(-kOutermostCell);
  return static_cast<int64_t>(std::min(cell, kOutermostCell));
}

void PointBuckets::Add(int group, double x, double y, int item) {
  entries_.push_back({group, Cell(x), Cell(y), item});
}

void PointBuckets::Seal() {
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    return Key(a.Group, a.Column, a.Row, a.Item) < Key(b.Group, b.Column, b.Row, b.Item);
  });
}

std::vector<PointBuckets::Entry>::const_iterator PointBuckets::Lower(const Entry& key) const {
  return std::lower_bound(entries_.begin(), entries_.end(), key, [](const Entry& a, const Entry& b) {
    return Key(a.Group, a.Column, a.Row, a.Item) < Key(b.Group, b.Column, b.Row, b.Item);
  });
}

}  // namespace mq
