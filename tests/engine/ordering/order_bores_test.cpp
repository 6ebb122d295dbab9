// The drilling order: bores sorted by Y with the ties a quicksort leaves, then the best
// of ten weighted nearest-neighbour walks from the far corner.

#include "engine/ordering/order_bores.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/conversion.h"

namespace mq {
namespace {

using test::Conversion;
using Walk = std::vector<BoreRecord>;

// The ten walks written the plain way, as the drilling order is defined: every step scans
// all unvisited bores in index order and keeps a candidate only when it is strictly
// nearer. `bores` are sorted by SortBoresByY; the fast pass must give exactly this order.
Walk ReferenceBoreOrder(const Walk& bores, float width, float height) {
  const std::size_t n = bores.size();
  const float half = height / 2;
  Walk best_walk;
  float best_total = 0;
  for (int k = 1; k <= 10; ++k) {
    const auto factor = static_cast<float>(k * 0.2);
    float w = factor, cx = width, cy = height, total = 0, last_examined_y = 0;
    std::vector<bool> visited(n, false);
    Walk walk;
    for (std::size_t step = 0; step < n; ++step) {
      if (cy < half && last_examined_y < half) w = factor * 1.5f;
      // The cap first; a bore beyond it is still taken when nothing is under it.
      for (float cap : {width * w + height, std::numeric_limits<float>::infinity()}) {
        float best = cap, candidate_d = 0;
        std::size_t candidate = n;
        for (std::size_t j = 0; j < n; ++j) {
          if (visited[j]) continue;
          const float dx = cx - bores[j].X, dy = cy - bores[j].Y, wx = dx * w;
          const float d = std::sqrt(dx * dx + dy * dy);
          float e = std::sqrt(wx * wx + dy * dy);
          if (cy < half && bores[j].Y < half) e *= 0.6f;
          if (e < best) best = e, candidate = j, candidate_d = d;
          last_examined_y = bores[j].Y;
        }
        if (candidate == n) continue;
        total += candidate_d;
        visited[candidate] = true;
        walk.push_back(bores[candidate]);
        cx = bores[candidate].X, cy = bores[candidate].Y;
        break;
      }
    }
    if (k == 1 || total < best_total) best_total = total, best_walk = walk;
  }
  return best_walk;
}

BoreRecord Bore(float x, float y, const std::string& tool) {
  BoreRecord b;
  b.X = x, b.Y = y, b.ToolText = tool;
  return b;
}

std::string Tools(const Walk& bores) {
  std::string s;
  for (const BoreRecord& b : bores) s += b.ToolText.trimmed() + ' ';
  return s;
}

// Equal Y values end up in the order this quicksort leaves them: the walks break ties by
// that order, so a stable or any other sort would change the drilling order.
TEST(SortBoresByY, LeavesEqualYInTheQuicksortsOrder) {
  const std::pair<std::vector<float>, const char*> cases[] = {
      {{2, 1, 2, 1}, "D B A C "},
      {{1, 1, 0}, "C B A "},
      {{1, 1, 2, 1, 2, 1}, "D F A B C E "}};  // the pivot index 3.5 rounds to 4, 2.5 to 2
  for (const auto& [ys, expected] : cases) {
    OneBasedList<BoreRecord> list;
    for (std::size_t i = 0; i < ys.size(); ++i) list.push_back(Bore(0, ys[i], std::string(1, char('A' + i))));
    SortBoresByY(list, 1, list.size());
    EXPECT_EQ(Tools(list.raw()), expected);
  }
  OneBasedList<BoreRecord> range;
  for (const char* label : {"A9", "B3", "C2", "D1", "E0"})
    range.push_back(Bore(0, float(label[1] - '0'), label));
  SortBoresByY(range, 2, 4);
  EXPECT_EQ(Tools(range.raw()), "A9 D1 C2 B3 E0 ");
}

// Random panels, and layouts where ties decide: bores on a 32 mm grid or a coarse one
// (equal rows and distances, duplicates), everything below half the height, bores off
// the panel. Of two bores at one place the first after the sort is drilled first.
TEST(OrderBores, MatchesThePlainWalks) {
  const struct {
    float width, height, min_x, max_x, min_y, max_y, grid;
    int count;
  } layouts[] = {{2440, 1220, 0, 2440, 0, 1220, 0, 300}, {800, 600, 0, 800, 0, 600, 0, 300},
                 {1000, 600, 37, 837, 40, 420, 32, 300}, {800, 600, 100, 550, 0, 450, 50, 300},
                 {2000, 1000, 0, 2000, 0, 499, 0, 300},  {600, 400, -900, 1500, -700, 1100, 0, 120},
                 {800, 600, 10, 700, 500, 500, 690, 3},  {800, 600, 0, 0, 0, 0, 0, 0}};
  for (const auto& k : layouts) {
    Conversion c(test::PanelOfLines());
    c.state.PartExtents[kPanelBox] = {0, k.width, 0, k.height, k.width, k.height, true};
    std::mt19937 random(7);
    auto place = [&](float low, float high) {
      const float v = std::uniform_real_distribution<float>(low, high)(random);
      return k.grid > 0 ? low + k.grid * std::round((v - low) / k.grid) : v;
    };
    for (int i = 0; i < k.count; ++i) {
      const float x = place(k.min_x, k.max_x);
      c.state.BoreList.push_back(Bore(x, place(k.min_y, k.max_y), std::to_string(i)));
    }
    OneBasedList<BoreRecord> sorted = c.state.BoreList;
    SortBoresByY(sorted, 1, sorted.size());
    OrderBores(c.engine);
    EXPECT_EQ(Tools(c.state.BoreList.raw()), Tools(ReferenceBoreOrder(sorted.raw(), k.width, k.height)))
        << k.width << " x " << k.height << ", grid " << k.grid;
    EXPECT_EQ(c.person.meters[3], k.count == 0 ? 0 : 100) << "the Sequencing meter is full after the walks";
  }
}

}  // namespace
}  // namespace mq
