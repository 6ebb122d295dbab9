// Route ordering. Whether a piece touches others at one end only does not depend on
// where the pieces stand in the list, so it is found once for every piece through the
// cells of its end points. What stays is the scan by position: a piece moved to the
// front shifts the records before it, so the scan meets some records a second time
// (a short piece just before a long moved one), and it must meet them exactly as the
// rule does. The list is kept as numbered slots with a count tree: a moved piece takes
// fresh slots before all others, and the record at a position is found in log time.
//
// The route pass begins every piece with a record of negative SegmentType; the list
// is expected to begin with one.

#include "engine/ordering/order_routes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/geometry/point_buckets.h"

namespace mq {

namespace {

// Piece kinds moved to the front, in this order: three-point arc chains, centre arcs, lines.
constexpr int16_t kLooseEndKinds[] = {segment::kThreePoint, segment::kCentreArc, segment::kLine};

bool Touch(const PathSegment& a, const PathSegment& b) {
  return std::fabs(a.X - b.X) < kPieceTouchTolerance && std::fabs(a.Y - b.Y) < kPieceTouchTolerance;
}

struct Piece {
  int First, Last;  // 0-based record indices
};

std::vector<Piece> PiecesOf(const std::vector<PathSegment>& records) {
  std::vector<Piece> pieces;
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    if (i == 0 || records[static_cast<std::size_t>(i)].SegmentType < 0) pieces.push_back({i, i});
    pieces.back().Last = i;
  }
  return pieces;
}

// For every piece that starts with a negative SegmentType: another piece of its route
// layer touches exactly one of its ends.
std::vector<bool> LooseEnds(const std::vector<PathSegment>& records, const std::vector<Piece>& pieces) {
  auto starts = [&](const Piece& p) { return records[static_cast<std::size_t>(p.First)].SegmentType < 0; };
  auto layer = [&](const Piece& p) { return records[static_cast<std::size_t>(p.First)].LayerNumber; };
  PointBuckets ends(4 * kPieceTouchTolerance);
  for (int k = 0; k < static_cast<int>(pieces.size()); ++k) {
    const Piece& p = pieces[static_cast<std::size_t>(k)];
    if (!starts(p)) continue;
    for (int r : {p.First, p.Last}) ends.Add(layer(p), records[r].X, records[r].Y, k);
  }
  ends.Seal();
  auto touched = [&](int k, const PathSegment& point) {
    const double reach = 2 * kPieceTouchTolerance;
    return ends.AnyInBox(layer(pieces[static_cast<std::size_t>(k)]), point.X - reach, point.X + reach,
                         point.Y - reach, point.Y + reach, [&](int other) {
                           const Piece& q = pieces[static_cast<std::size_t>(other)];
                           return other != k && (Touch(records[static_cast<std::size_t>(q.First)], point) ||
                                                 Touch(records[static_cast<std::size_t>(q.Last)], point));
                         });
  };
  std::vector<bool> loose(pieces.size(), false);
  for (int k = 0; k < static_cast<int>(pieces.size()); ++k) {
    const Piece& p = pieces[static_cast<std::size_t>(k)];
    if (starts(p)) loose[k] = touched(k, records[p.First]) != touched(k, records[p.Last]);
  }
  return loose;
}

// The records of the list by position, with whole runs moved to the front.
class FrontMovingList {
 public:
  explicit FrontMovingList(int records) { Lay(IdentityOrder(records), records); }

  int size() const { return size_; }

  int At(int position) const { return record_[static_cast<std::size_t>(SlotAt(position))]; }

  // The `count` records from `position` go to the front, in their order.
  void MoveToFront(int position, int count) {
    if (front_ < count) Lay(Order(), count + size_);
    std::vector<int> moved;
    for (int k = 0; k < count; ++k) moved.push_back(SlotAt(position + k));
    front_ -= count;
    for (int k = 0; k < count; ++k) {
      const int from = moved[static_cast<std::size_t>(k)];
      record_[static_cast<std::size_t>(front_ + k)] = record_[static_cast<std::size_t>(from)];
      record_[static_cast<std::size_t>(from)] = -1;
      Count(from, -1);
      Count(front_ + k, +1);
    }
  }

  std::vector<int> Order() const {
    std::vector<int> order;
    for (int r : record_) {
      if (r >= 0) order.push_back(r);
    }
    return order;
  }

 private:
  static std::vector<int> IdentityOrder(int n) {
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) order[static_cast<std::size_t>(k)] = k;
    return order;
  }

  // The records in `order` in the last slots, `spare` free slots before them.
  void Lay(const std::vector<int>& order, int spare) {
    size_ = static_cast<int>(order.size());
    front_ = spare;
    record_.assign(static_cast<std::size_t>(spare + size_), -1);
    tree_.assign(record_.size() + 1, 0);
    for (int k = 0; k < size_; ++k) {
      record_[static_cast<std::size_t>(spare + k)] = order[static_cast<std::size_t>(k)];
      tree_[static_cast<std::size_t>(spare + k + 1)] = 1;
    }
    for (std::size_t i = 1; i < tree_.size(); ++i) {  // partial sums, built in place
      const std::size_t parent = i + (i & (~i + 1));
      if (parent < tree_.size()) tree_[parent] += tree_[i];
    }
  }

  void Count(int slot, int change) {
    for (auto i = static_cast<std::size_t>(slot) + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += change;
  }

  // The slot of the record at `position` (0-based): the slot where the running count
  // of occupied slots passes `position`.
  int SlotAt(int position) const {
    std::size_t at = 0;
    int rest = position;
    std::size_t step = 1;
    while (step * 2 < tree_.size()) step *= 2;
    for (; step > 0; step /= 2) {
      if (at + step < tree_.size() && tree_[at + step] <= rest) {
        at += step;
        rest -= tree_[at];
      }
    }
    return static_cast<int>(at);
  }

  std::vector<int> record_;  // record in each slot, -1 for a free slot
  std::vector<int> tree_;    // occupied-slot counts (Fenwick tree, 1-based)
  int front_ = 0;            // slots before this one are free
  int size_ = 0;
};

void MoveLooseEndsToFront(OneBasedList<PathSegment>& path) {
  std::vector<PathSegment>& records = path.raw();
  const std::vector<Piece> pieces = PiecesOf(records);
  const std::vector<bool> loose = LooseEnds(records, pieces);
  std::vector<int> piece_of(records.size());
  for (int k = 0; k < static_cast<int>(pieces.size()); ++k) {
    for (int r = pieces[k].First; r <= pieces[k].Last; ++r) piece_of[static_cast<std::size_t>(r)] = k;
  }
  FrontMovingList list(static_cast<int>(records.size()));
  for (int16_t kind : kLooseEndKinds) {
    for (int position = 0; position < list.size(); ++position) {
      const int r = list.At(position);
      if (records[static_cast<std::size_t>(r)].SegmentType != -kind) continue;
      const Piece& piece = pieces[static_cast<std::size_t>(piece_of[static_cast<std::size_t>(r)])];
      if (loose[static_cast<std::size_t>(piece_of[static_cast<std::size_t>(r)])]) {
        list.MoveToFront(position, piece.Last - piece.First + 1);
      }
    }
  }
  std::vector<PathSegment> ordered;
  ordered.reserve(records.size());
  for (int r : list.Order()) ordered.push_back(records[static_cast<std::size_t>(r)]);
  records = std::move(ordered);
}

// Constant-width polylines go to the front whole, the one met last first. (Moving only
// their first two records would leave the rest of their vertices behind, appended to
// whatever contour stood before them.)
void MoveConstantWidthPolylinesToFront(OneBasedList<PathSegment>& path) {
  std::vector<PathSegment>& records = path.raw();
  std::vector<Piece> moved, rest;
  for (const Piece& piece : PiecesOf(records)) {
    const bool constant_width =
        records[static_cast<std::size_t>(piece.First)].SegmentType == -segment::kConstantWidth &&
        piece.First + 1 < static_cast<int>(records.size());
    (constant_width ? moved : rest).push_back(piece);
  }
  if (moved.empty()) return;
  std::reverse(moved.begin(), moved.end());
  moved.insert(moved.end(), rest.begin(), rest.end());
  std::vector<PathSegment> ordered;
  ordered.reserve(records.size());
  for (const Piece& piece : moved) {
    ordered.insert(ordered.end(), records.begin() + piece.First, records.begin() + piece.Last + 1);
  }
  records = std::move(ordered);
}

}  // namespace

int PieceLast(const OneBasedList<PathSegment>& path, int first) {
  int last = first;
  while (last < path.size() && path[last + 1].SegmentType >= 0) ++last;
  return last;
}

void OrderRoutes(OneBasedList<PathSegment>& path) {
  MoveLooseEndsToFront(path);
  MoveConstantWidthPolylinesToFront(path);
}

}  // namespace mq
