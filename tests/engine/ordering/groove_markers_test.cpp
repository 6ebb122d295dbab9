// Direction markers pinned against the plain rule: each marker in turn, every groove
// tried against it, so a groove may be turned round again and again.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/ordering/order_grooves.h"
#include "support/conversion.h"

namespace mq {
namespace {

TEST(OrderGrooves, MarkersMatchThePlainRule) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    std::mt19937 random(seed);
    auto at = [&] { return 0.006f * std::uniform_int_distribution<int>(0, 3)(random); };  // ends within reach
    test::Conversion c(test::PanelOfLines());
    for (int k = std::uniform_int_distribution<int>(0, 40)(random); k > 0; --k) {
      GrooveLine g;
      g.X1 = at(), g.Y1 = at(), g.X2 = at(), g.Y2 = at();
      g.Width = std::uniform_int_distribution<int>(0, 2)(random) == 0 ? -1.0f : 0.0f;
      c.state.GrooveList.push_back(g);
    }
    OneBasedList<GrooveLine> plain = c.state.GrooveList;
    for (const GrooveLine& m : plain) {
      for (GrooveLine& g : plain) {
        if (m.Width < 0 && !(g.Width < 0) && std::fabs(g.X2 - m.X2) < 0.01f && std::fabs(g.Y2 - m.Y2) < 0.01f)
          std::swap(g.X1, g.X2), std::swap(g.Y1, g.Y2);
      }
    }
    OrderGrooves(c.engine);
    int pass = 0;
    for (const GrooveLine& g : plain) {
      if (g.Width < 0) continue;
      const LineBoreRecord& p = c.state.LineBoreList[++pass];
      EXPECT_EQ(std::tie(p.X1, p.Y1, p.X2, p.Y2), std::tie(g.X1, g.Y1, g.X2, g.Y2)) << "seed " << seed;
    }
    EXPECT_EQ(c.state.LineBoreList.size(), pass);
  }
}

}  // namespace
}  // namespace mq
