// Route ordering pinned against the rule written plainly: every piece compared with
// every other, moved by rotating the list.

#include "engine/ordering/order_routes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/random_paths.h"

namespace mq {
namespace {

bool Touch(const PathSegment& a, const PathSegment& b) {
  return std::fabs(a.X - b.X) < kPieceTouchTolerance && std::fabs(a.Y - b.Y) < kPieceTouchTolerance;
}

void PlainOrderRoutes(OneBasedList<PathSegment>& path) {
  std::vector<PathSegment>& raw = path.raw();
  for (int16_t kind : {2, 3, 1}) {
    for (int i = 1; i <= path.size(); ++i) {
      if (path[i].SegmentType != -kind) continue;
      const int last = PieceLast(path, i);
      bool start = false, end = false;
      for (int j = 1; j <= path.size(); j = PieceLast(path, j) + 1) {
        if (path[j].SegmentType >= 0 || j == i || path[j].LayerNumber != path[i].LayerNumber) continue;
        const PathSegment &s = path[j], &e = path[PieceLast(path, j)];
        end = end || Touch(s, path[last]) || Touch(e, path[last]);
        start = start || Touch(s, path[i]) || Touch(e, path[i]);
      }
      if (start != end) std::rotate(raw.begin(), raw.begin() + (i - 1), raw.begin() + last);
    }
  }
  std::vector<PathSegment> front, rest;
  for (int i = 1, last = 0; i <= path.size(); i = last + 1) {
    last = PieceLast(path, i);
    const bool moved = path[i].SegmentType == -4 && i < path.size();
    moved ? front.insert(front.begin(), raw.begin() + (i - 1), raw.begin() + last)
          : rest.insert(rest.end(), raw.begin() + (i - 1), raw.begin() + last);
  }
  front.insert(front.end(), rest.begin(), rest.end());
  raw = front;
}

// Few places and layers: ends coincide everywhere, chains close and branch; short
// pieces before moved long ones are met twice by the scan.
TEST(OrderRoutes, MatchesThePlainScan) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    test::RandomPaths random(seed, seed % 3 + 2);
    OneBasedList<PathSegment> path;
    const int pieces = 1 + random.Pick(40);
    for (int k = 0; k < pieces; ++k) {
      random.AddPiece(path, 1 + random.Pick(3));
      if (random.Pick(6) == 0) path.push_back(random.Point(-1, 1));  // a piece of one record
    }
    for (PathSegment& s : path) s.Sequence = static_cast<int16_t>(&s - &path[1]);  // a name for each record
    OneBasedList<PathSegment> expected = path;
    PlainOrderRoutes(expected);
    OrderRoutes(path);
    ASSERT_TRUE(path == expected) << "seed " << seed;
  }
}

}  // namespace
}  // namespace mq
