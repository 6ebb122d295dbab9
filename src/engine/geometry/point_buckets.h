#pragma once
// Points of a drawing sorted into square cells, so that the points near a place are
// found without looking at every point: the passes that pair up touching ends or bores
// a pitch apart ask for the points in a small box and then test each one by their own
// rule, so the cells only have to hold every point that rule could accept.

#include <climits>
#include <cstdint>
#include <vector>

namespace mq {

class PointBuckets {
 public:
  // `cell`: the side of a cell, at least twice the reach of the rule that will test the
  // points, so that a box round a place spans few cells.
  explicit PointBuckets(double cell) : cell_(cell > 0 ? cell : 1) {}

  // A point of `group` (a route layer, say; 0 when the rule has none) named `item`.
  void Add(int group, double x, double y, int item);
  // After the last Add and before the first look-up.
  void Seal();

  // Calls visit(item) for every item of `group` whose point lies in the box (bounds
  // included) and possibly for others in the cells the box touches; stops as soon as
  // visit returns true and then returns true.
  template <class Visit>
  bool AnyInBox(int group, double min_x, double max_x, double min_y, double max_y, Visit visit) const {
    if (!(max_x - min_x < kWideBox * cell_) || !(max_y - min_y < kWideBox * cell_)) {
      // A box of many cells (or of no finite size): every point of the group.
      for (auto entry = Lower({group, INT64_MIN, INT64_MIN, INT_MIN});
           entry != entries_.end() && entry->Group == group; ++entry) {
        if (visit(entry->Item)) return true;
      }
      return false;
    }
    const int64_t last_column = Cell(max_x), first_row = Cell(min_y), last_row = Cell(max_y);
    for (int64_t column = Cell(min_x); column <= last_column; ++column) {
      auto entry = Lower({group, column, first_row, INT_MIN});
      for (; entry != entries_.end() && entry->Group == group && entry->Column == column &&
             entry->Row <= last_row;
           ++entry) {
        if (visit(entry->Item)) return true;
      }
    }
    return false;
  }

 private:
  static constexpr double kWideBox = 64;

  struct Entry {
    int Group;
    int64_t Column, Row;
    int Item;
  };
  int64_t Cell(double v) const;
  std::vector<Entry>::const_iterator Lower(const Entry& key) const;

  double cell_;
  std::vector<Entry> entries_;
};

}  // namespace mq
