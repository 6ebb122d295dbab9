// The travel order of the edge bores pinned against the plain scan: edge by edge, every
// untaken record of the edge tried in list order, a strictly nearer one replacing the
// best, the first candidate taken even at no finite distance.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/ordering/order_edge_bores.h"
#include "support/conversion.h"

namespace mq {
namespace {

OneBasedList<EdgeBoreRecord> PlainTravel(const OneBasedList<EdgeBoreRecord>& bores, float w, float h) {
  auto point = [&](const EdgeBoreRecord& b) {
    return b.Side == edge::kTop      ? std::pair{b.X, h}
           : b.Side == edge::kBottom ? std::pair{b.X, 0.0f}
           : b.Side == edge::kLeft   ? std::pair{0.0f, b.Y}
                                     : std::pair{w, b.Y};
  };
  OneBasedList<EdgeBoreRecord> ordered;
  std::vector<bool> taken(bores.size() + 1);
  std::pair<float, float> at{w, h};
  for (int16_t side : {edge::kRight, edge::kBottom, edge::kLeft, edge::kTop}) {
    for (int best = -1; best != 0;) {
      best = 0;
      float best_d = 0;
      for (int i = 1; i <= bores.size(); ++i) {
        const float dx = at.first - point(bores[i]).first, dy = at.second - point(bores[i]).second;
        const float d = std::sqrt(dx * dx + dy * dy);
        if (!taken[i] && bores[i].Side == side && (best == 0 || d < best_d)) best = i, best_d = d;
      }
      if (best != 0) taken[best] = true, ordered.push_back(bores[best]), at = point(bores[best]);
    }
  }
  for (int i = 1; i <= bores.size(); ++i)
    if (!taken[i]) ordered.push_back(bores[i]);
  return ordered;
}

// Bores on few places of each edge (equal distances, duplicates), some of no edge, some
// so far off that no distance is finite.
TEST(OrderEdgeBores, TravelMatchesThePlainScan) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    test::Conversion c(test::PanelOfLines());
    c.state.PartExtents[kPanelBox] = {0, 600, 0, 400, 600, 400, true};
    for (int k = pick(60); k > 0; --k) {
      EdgeBoreRecord b;
      b.Side = static_cast<int16_t>(pick(6));
      b.X = 100.0f * pick(4) + (pick(9) == 0 ? 3e38f : 0), b.Y = 100.0f * pick(4);
      b.ToolText = std::to_string(k);
      c.state.EdgeBoreList.push_back(b);
    }
    const OneBasedList<EdgeBoreRecord> expected = PlainTravel(c.state.EdgeBoreList, 600, 400);
    OrderEdgeBores(c.engine);
    ASSERT_EQ(c.state.EdgeBoreList.size(), expected.size());
    for (int i = 1; i <= expected.size(); ++i)
      EXPECT_EQ(c.state.EdgeBoreList[i].ToolText, expected[i].ToolText)
          << "seed " << seed << ", record " << i;
  }
}

// The edge of each horizontal-bore line, pinned against the plain rule: the edge it starts
// on (right, left, top, bottom, first end then second, turned round when it is the
// second); else the edge of the first edge line whose second end it touches.
TEST(OrderEdgeBores, LinesTakeTheEdgeOfTheFirstEdgeLineTheyTouch) {
  for (unsigned seed = 1; seed <= 100; ++seed) {
    std::mt19937 random(seed);
    auto at = [&](float size) { return size * std::uniform_int_distribution<int>(0, 4)(random) / 4; };
    test::Conversion c(test::PanelOfLines());
    c.state.PartExtents[kPanelBox] = {0, 600, 0, 400, 600, 400, true};
    std::vector<HBoreLine> plain;
    std::vector<int16_t> sides;
    for (int k = 1; k <= 40; ++k) {
      HBoreLine line;
      line.X1 = at(600), line.Y1 = at(400), line.X2 = at(600), line.Y2 = at(400);
      line.ToolText = std::to_string(k);
      c.state.HBoreLineList.push_back(line);
      int16_t side = 0;
      for (auto [s, on_x, v] : {std::tuple{edge::kRight, true, 600.0f},
                                {edge::kLeft, true, 0.0f},
                                {edge::kTop, false, 400.0f},
                                {edge::kBottom, false, 0.0f}}) {
        if (side == 0 && (on_x ? line.X1 : line.Y1) == v) side = s;
        if (side == 0 && (on_x ? line.X2 : line.Y2) == v)
          side = s, std::swap(line.X1, line.X2), std::swap(line.Y1, line.Y2);
      }
      plain.push_back(line), sides.push_back(side);
    }
    std::vector<int16_t> expected = sides;
    for (std::size_t i = 0; i < plain.size(); ++i) {
      for (std::size_t j = 0; j < plain.size() && sides[i] == 0 && expected[i] == 0; ++j) {
        const auto touches = [&](float x, float y) { return x == plain[j].X2 && y == plain[j].Y2; };
        if (sides[j] != 0 && (touches(plain[i].X1, plain[i].Y1) || touches(plain[i].X2, plain[i].Y2)))
          expected[i] = sides[j];
      }
    }
    OrderEdgeBores(c.engine);
    std::vector<int16_t> found(plain.size(), 0);
    for (const EdgeBoreRecord& b : c.state.EdgeBoreList) found[std::stoul(b.ToolText.trimmed()) - 1] = b.Side;
    EXPECT_EQ(found, expected) << "seed " << seed;
  }
}

}  // namespace
}  // namespace mq
