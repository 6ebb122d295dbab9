#include "engine/ordering/order_bores.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/bores_test_context.h"
#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"

namespace mq {
namespace {

using Walk = std::vector<BoreRecord>;

// The ten bore walks written the plain way, as the drilling order is defined: every step
// scans all unvisited bores in index order and keeps a candidate only when it is strictly
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
      // The design's cap first; a bore beyond it is still taken when nothing is under it.
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

BoreRecord Bore(float x, float y, const std::string& tool = "") {
  BoreRecord b;
  b.X = x, b.Y = y, b.ToolText = tool;
  return b;
}

// The bores by their tool text, or by place when they have none.
std::string Listed(const Walk& bores) {
  std::string s;
  for (const BoreRecord& b : bores) {
    s += b.ToolText.trimmed().empty() ? std::to_string(int(b.X)) + "," + std::to_string(int(b.Y))
                                      : b.ToolText.trimmed();
    s += ' ';
  }
  return s;
}

// Equal Y values end up in the order this quicksort leaves them: the bore walks break ties by
// that order, so a stable or any other sort would change the drilling order.
TEST(SortBoresByY, SortsTheRangeLeavingEqualYInTheQuicksortsOrder) {
  const std::pair<std::vector<float>, const char*> cases[] = {
      {{2, 1, 2, 1}, "D B A C "},
      {{1, 1, 0}, "C B A "},
      // The pivot index 3.5 rounds to 4 and 2.5 to 2 (halves to even).
      {{1, 1, 2, 1, 2, 1}, "D F A B C E "}};
  for (const auto& [ys, expected] : cases) {
    OneBasedList<BoreRecord> list;
    for (std::size_t i = 0; i < ys.size(); ++i) list.push_back(Bore(0, ys[i], std::string(1, char('A' + i))));
    SortBoresByY(list, 1, list.size());
    EXPECT_EQ(Listed(list.raw()), expected);
  }
  OneBasedList<BoreRecord> range;
  for (const char* label : {"A9", "B3", "C2", "D1", "E0"})
    range.push_back(Bore(0, float(label[1] - '0'), label));
  SortBoresByY(range, 2, 4);
  EXPECT_EQ(Listed(range.raw()), "A9 D1 C2 B3 E0 ");
  std::mt19937 random(7);
  OneBasedList<BoreRecord> many;
  for (int i = 0; i < 500; ++i) many.push_back(Bore(float(i), float(random() % 41)));
  SortBoresByY(many, 1, many.size());
  for (int i = 2; i <= many.size(); ++i) ASSERT_LE(many[i - 1].Y, many[i].Y) << "at " << i;
}

// A walk from the far corner: one bore stays; of two at (10, 500) and (700, 500) the nearer
// comes first; two rows below half the height are drilled row by row, coming back along the
// other; of two bores at one place the first after the sort (here B) is taken first.
TEST(OrderBores, SmallLayouts) {
  std::string rows_expected;
  Walk two_rows;
  for (int x = 100; x <= 900; x += 100)
    two_rows.push_back(Bore(float(x), 100)), two_rows.push_back(Bore(float(x), 300));
  for (int x = 900; x >= 100; x -= 100) rows_expected += std::to_string(x) + ",300 ";
  for (int x = 100; x <= 900; x += 100) rows_expected += std::to_string(x) + ",100 ";
  const struct {
    float width, height;
    Walk bores;
    std::string expected;
  } cases[] = {{800, 600, {}, ""},
               {800, 600, {Bore(120, 45)}, "120,45 "},
               {800, 600, {Bore(10, 500), Bore(700, 500)}, "700,500 10,500 "},
               {1000, 800, two_rows, rows_expected},
               {800, 600, {Bore(100, 100, "C"), Bore(700, 500, "A"), Bore(700, 500, "B")}, "B A C "}};
  for (const auto& k : cases) {
    test::BoresContext t;
    t.SetPanel(0, 0, k.width, k.height);
    t.state.BoreList.raw() = k.bores;
    OrderBores(t.c);
    EXPECT_EQ(Listed(t.state.BoreList.raw()), k.expected);
    EXPECT_EQ(t.person.meters[3], k.bores.empty() ? 0 : 100)
        << "the Sequencing meter is full after the trials";
  }
}

// Random panels, and inputs where ties decide: bores snapped to a 32 mm grid or a coarse one
// (equal rows, equal distances, exact duplicates), rows of equal Y, everything below half
// the height, bores off the panel.
TEST(OrderBores, MatchesThePlainWalks) {
  const struct {
    const char* name;
    float width, height, min_x, max_x, min_y, max_y, grid_x, grid_y;
    int count;
  } layouts[] = {{"random large panel", 2440, 1220, 0, 2440, 0, 1220, 0, 0, 300},
                 {"random small panel", 800, 600, 0, 800, 0, 600, 0, 0, 300},
                 {"32 mm grid", 1000, 600, 37, 837, 40, 420, 32, 32, 300},
                 {"duplicates", 800, 600, 100, 550, 0, 450, 50, 50, 300},
                 {"rows of equal Y", 1200, 800, 0, 1200, 0, 800, 0, 150, 300},
                 {"lower half only", 2000, 1000, 0, 2000, 0, 499, 0, 0, 300},
                 {"off the panel", 600, 400, -900, 1500, -700, 1100, 0, 0, 120}};
  for (const auto& k : layouts) {
    for (unsigned seed : {1u, 2u}) {
      test::BoresContext t;
      t.SetPanel(0, 0, k.width, k.height);
      std::mt19937 random(seed);
      auto place = [&](float low, float high, float grid) {
        const float v = std::uniform_real_distribution<float>(low, high)(random);
        return grid > 0 ? low + grid * std::round((v - low) / grid) : v;
      };
      for (int i = 0; i < k.count; ++i) {
        const float x = place(k.min_x, k.max_x, k.grid_x);
        t.state.BoreList.push_back(Bore(x, place(k.min_y, k.max_y, k.grid_y), std::to_string(i)));
      }
      OneBasedList<BoreRecord> sorted = t.state.BoreList;
      SortBoresByY(sorted, 1, sorted.size());
      OrderBores(t.c);
      EXPECT_EQ(Listed(t.state.BoreList.raw()), Listed(ReferenceBoreOrder(sorted.raw(), k.width, k.height)))
          << k.name << ", seed " << seed;
    }
  }
}

}  // namespace
}  // namespace mq
