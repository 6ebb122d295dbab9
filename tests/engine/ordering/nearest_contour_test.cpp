// The nearest-neighbour contour order pinned against the plain scan: every untaken
// contour tried in list order, a strictly nearer one replacing the best.

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/contours/contour_order.h"
#include "engine/geometry/contour_geometry.h"
#include "support/random_paths.h"

namespace mq {
namespace {

std::vector<int> PlainOrder(const ConversionState& s) {
  const int n = s.Contours.size();
  std::vector<bool> taken(static_cast<std::size_t>(n) + 1, false);
  std::vector<int> order;
  const float area = s.PanelWidth() * s.PanelHeight();
  PlanePoint at{s.PanelWidth(), s.PanelHeight()};
  for (int step = 0; step < n; ++step) {
    int best = 0;
    float best_distance = area * area;
    for (int k = 1; k <= n; ++k) {
      const float d = Distance(at, PointOf(s.PathList[s.Contours[k].First]));
      if (!taken[k] && d < best_distance) best = k, best_distance = d;
    }
    if (best == 0) best = int(std::find(taken.begin() + 1, taken.end(), false) - taken.begin());
    taken[best] = true;
    order.push_back(best);
    at = PointOf(s.PathList[s.Contours[best].Last]);
  }
  return order;
}

// Contours starting and ending on a few places (equal distances everywhere), on panels
// of ordinary size, of no area, and small enough that most starts lie beyond reach.
TEST(NearestNeighbourOrder, MatchesThePlainScan) {
  for (unsigned seed = 1; seed <= 200; ++seed) {
    test::RandomPaths random(seed, 2 + seed % 6);
    ConversionState s;
    const float sizes[] = {60, 0, 3};
    s.PartExtents[kPanelBox].Width = sizes[seed % 3];
    s.PartExtents[kPanelBox].Height = sizes[seed % 3] / 2;
    const int n = random.Pick(60);
    for (int k = 1; k <= n; ++k) {
      s.PathList.push_back(random.Point(-1, 1));
      s.PathList.push_back(random.Point(1, 1));
      ContourRow row;
      row.First = 2 * k - 1, row.Last = 2 * k;
      s.Contours.push_back(row);
    }
    EXPECT_EQ(NearestNeighbourOrder(s), PlainOrder(s)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace mq
