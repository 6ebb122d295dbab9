// Gathering the bore rows. The first pass walks the list; inside a row that is not
// complete yet, a bore of another row is moved out of the way, or the row's later
// members are moved up to it, by the rows' sizes. The moves are made in a linked list
// whose nodes carry labels in list order, and each row keeps its members ordered by
// label, so the row's last member and its members after a place are found in log time
// instead of by scanning the list.

#include <cstdint>
#include <limits>
#include <set>
#include <unordered_map>
#include <vector>

#include "output/bore_grouping.h"

namespace mq {

namespace {

// The row a bore belongs to for reordering; 0 for a bore drilled alone.
int RowKey(const GroupedBore& b) { return b.GroupSize > 1 ? b.GroupId : 0; }

// The bores (0-based) in a doubly linked list with labels that grow along it.
class LabelledList {
 public:
  static constexpr int kEnd = -1;

  explicit LabelledList(int n)
      : next_(static_cast<std::size_t>(n)), previous_(next_.size()), label_(next_.size()) {
    for (int k = 0; k < n; ++k) {
      next_[static_cast<std::size_t>(k)] = k + 1 < n ? k + 1 : kEnd;
      previous_[static_cast<std::size_t>(k)] = k - 1;
    }
    first_ = n > 0 ? 0 : kEnd;
    last_ = n - 1;
    Relabel();
  }

  int First() const { return first_; }
  int Next(int node) const { return next_[static_cast<std::size_t>(node)]; }
  uint64_t Label(int node) const { return node == kEnd ? kEndLabel : label_[static_cast<std::size_t>(node)]; }

  // Takes `node` out and puts it just before `place` (kEnd: at the end).
  void MoveBefore(int node, int place) {
    if (node == place) return;
    Unlink(node);
    const int before = place == kEnd ? last_ : previous_[static_cast<std::size_t>(place)];
    Link(node, before, place);
    if (!LabelBetween(node, before, place)) {
      Relabel();
    }
  }
  void MoveAfter(int node, int place) { MoveBefore(node, Next(place)); }

 private:
  static constexpr uint64_t kSpacing = uint64_t{1} << 32;
  static constexpr uint64_t kEndLabel = std::numeric_limits<uint64_t>::max();

  void Unlink(int node) {
    const int p = previous_[static_cast<std::size_t>(node)], n = next_[static_cast<std::size_t>(node)];
    (p == kEnd ? first_ : next_[static_cast<std::size_t>(p)]) = n;
    (n == kEnd ? last_ : previous_[static_cast<std::size_t>(n)]) = p;
  }
  void Link(int node, int before, int after) {
    previous_[static_cast<std::size_t>(node)] = before;
    next_[static_cast<std::size_t>(node)] = after;
    (before == kEnd ? first_ : next_[static_cast<std::size_t>(before)]) = node;
    (after == kEnd ? last_ : previous_[static_cast<std::size_t>(after)]) = node;
  }
  bool LabelBetween(int node, int before, int after) {
    const uint64_t low = before == kEnd ? 0 : Label(before), high = Label(after);
    if (high - low < 2) return false;
    label_[static_cast<std::size_t>(node)] = low + (high - low) / 2;
    return true;
  }
  // Labels spread evenly again: order kept, so every ordered set of nodes stays valid.
  void Relabel() {
    uint64_t label = kSpacing;
    for (int k = first_; k != kEnd; k = Next(k), label += kSpacing)
      label_[static_cast<std::size_t>(k)] = label;
  }

  std::vector<int> next_, previous_;
  std::vector<uint64_t> label_;
  int first_ = kEnd, last_ = kEnd;
};

struct ByLabel {
  const LabelledList* list;
  bool operator()(int a, int b) const { return list->Label(a) < list->Label(b); }
};
using RowMembers = std::set<int, ByLabel>;

class RowCloser {
 public:
  explicit RowCloser(const OneBasedList<GroupedBore>& bores) : bores_(bores), list_(bores.size()) {
    for (int k = 0; k < bores.size(); ++k) {
      if (Key(k) != 0) Row(Key(k)).insert(k);
    }
  }

  // The first pass over the whole list; the bores' new order.
  std::vector<int> Close() {
    for (int p = list_.First(); p != LabelledList::kEnd;) p = Key(p) == 0 ? list_.Next(p) : CloseRow(p);
    std::vector<int> order;
    for (int k = list_.First(); k != LabelledList::kEnd; k = list_.Next(k)) order.push_back(k);
    return order;
  }

 private:
  int Key(int node) const { return RowKey(bores_[node + 1]); }
  int Size(int node) const { return bores_[node + 1].GroupSize; }
  RowMembers& Row(int key) { return rows_.try_emplace(key, RowMembers(ByLabel{&list_})).first->second; }

  // Moves `node` (of another row, or alone) before or after `place`, keeping its row's
  // members in order.
  void Move(int node, int place, bool after) {
    RowMembers* row = Key(node) != 0 ? &Row(Key(node)) : nullptr;
    if (row) row->erase(node);
    after ? list_.MoveAfter(node, place) : list_.MoveBefore(node, place);
    if (row) row->insert(node);
  }

  // The row whose first member met is `p`; returns where the walk goes on.
  int CloseRow(int p) {
    const int key = Key(p), size = Size(p);
    RowMembers& row = Row(key);
    int start = p, passed = 1, q = list_.Next(p);
    while (passed < size && q != LabelledList::kEnd && list_.Label(*row.rbegin()) >= list_.Label(q)) {
      if (Key(q) == key) {
        ++passed;
        q = list_.Next(q);
        continue;
      }
      const int other_size = Key(q) == 0 ? 1 : Size(q);
      const int next = list_.Next(q);
      if (size <= other_size) {
        // The smaller row is completed here: its later members move up, in their order.
        const std::vector<int> later(row.lower_bound(q), row.end());
        for (int member : later) Move(member, q, false);
        break;
      }
      if (2 * passed < size) {
        Move(q, start, false);  // in front of the row
      } else {
        Move(q, *row.rbegin(), true);  // behind the row's last member
      }
      q = next;
    }
    return q;
  }

  const OneBasedList<GroupedBore>& bores_;
  LabelledList list_;
  std::unordered_map<int, RowMembers> rows_;
};

// Second pass: every row gathered at the place of its first member, members in list
// order; bores drilled alone keep their relative order.
std::vector<int> GatheredAtFirstMember(const OneBasedList<GroupedBore>& bores,
                                       const std::vector<int>& order) {
  std::unordered_map<int, std::vector<int>> rows;
  for (int k : order) {
    if (RowKey(bores[k + 1]) != 0) rows[RowKey(bores[k + 1])].push_back(k);
  }
  std::vector<int> gathered;
  gathered.reserve(order.size());
  for (int k : order) {
    const int key = RowKey(bores[k + 1]);
    if (key == 0) {
      gathered.push_back(k);
      continue;
    }
    std::vector<int>& members = rows[key];
    gathered.insert(gathered.end(), members.begin(), members.end());
    members.clear();
  }
  return gathered;
}

}  // namespace

void GatherBoreRows(OneBasedList<GroupedBore>& bores) {
  const std::vector<int> order = GatheredAtFirstMember(bores, RowCloser(bores).Close());
  OneBasedList<GroupedBore> gathered;
  gathered.reserve(bores.size());
  for (int k : order) gathered.push_back(bores[k + 1]);
  bores = std::move(gathered);
}

}  // namespace mq
