#include "engine/order_bores.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bores_test_context.h"
#include "engine/passes.h"
#include "order_bores_reference.h"

namespace mq {
namespace {

BoreRecord Bore(float x, float y, const std::string& tool = "") {
  BoreRecord b;
  b.X = x;
  b.Y = y;
  b.ToolText = tool;
  return b;
}

OneBasedList<BoreRecord> Labelled(const std::vector<float>& ys) {
  OneBasedList<BoreRecord> list;
  for (std::size_t i = 0; i < ys.size(); ++i) list.push_back(Bore(0, ys[i], std::string(1, char('A' + i))));
  return list;
}

std::string Labels(const OneBasedList<BoreRecord>& list) {
  std::string s;
  for (const BoreRecord& b : list) s += b.ToolText.trimmed();
  return s;
}

TEST(SortBoresByY, SortsAscending) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> y(0, 40);
  OneBasedList<BoreRecord> list;
  for (int i = 0; i < 500; ++i) list.push_back(Bore(static_cast<float>(i), static_cast<float>(y(random))));
  SortBoresByY(list, 1, list.size());
  for (int i = 2; i <= list.size(); ++i) ASSERT_LE(list[i - 1].Y, list[i].Y) << "at " << i;
}

// Equal Y values end up in the order this quicksort leaves them: the bore walks break
// ties by that order, so a stable or any other sort would change the drilling order.
TEST(SortBoresByY, EqualYOrderIsTheQuicksortsOwn) {
  struct Case {
    std::vector<float> ys;
    const char* expected;
  };
  const Case cases[] = {
      {{2, 1, 2, 1}, "DBAC"},
      {{1, 1, 0}, "CBA"},
      // The pivot index 3.5 rounds to 4 and 2.5 to 2 (halves to even); rounding down or
      // up would give "FDABEC" or "DFBAEC".
      {{1, 1, 2, 1, 2, 1}, "DFABCE"},
  };
  for (const Case& t : cases) {
    OneBasedList<BoreRecord> list = Labelled(t.ys);
    SortBoresByY(list, 1, list.size());
    EXPECT_EQ(Labels(list), t.expected);
  }
}

TEST(SortBoresByY, SortsOnlyTheGivenRange) {
  OneBasedList<BoreRecord> list = Labelled({9, 3, 2, 1, 0});
  SortBoresByY(list, 2, 4);
  EXPECT_EQ(Labels(list), "ADCBE");
}

class OrderBoresTest : public ::testing::Test {
 protected:
  test::BoresContext t;

  void Panel(float width, float height) { t.SetPanel(0, 0, width, height); }
  std::vector<std::pair<float, float>> Points() const {
    std::vector<std::pair<float, float>> p;
    for (const BoreRecord& b : t.state.BoreList) p.emplace_back(b.X, b.Y);
    return p;
  }
  // OrderBores against the plain walks on the current list.
  void ExpectSameAsReference() {
    OneBasedList<BoreRecord> sorted = t.state.BoreList;
    SortBoresByY(sorted, 1, sorted.size());
    const std::vector<BoreRecord> expected =
        test::ReferenceBoreOrder(sorted.raw(), t.state.PanelWidth(), t.state.PanelHeight());
    OrderBores(t.c);
    ASSERT_EQ(t.state.BoreList.size(), static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const BoreRecord& got = t.state.BoreList[static_cast<int>(i) + 1];
      ASSERT_TRUE(got.X == expected[i].X && got.Y == expected[i].Y && got.ToolText == expected[i].ToolText)
          << "step " << i + 1 << ": got (" << got.X << ", " << got.Y << "), expected (" << expected[i].X
          << ", " << expected[i].Y << ")";
    }
  }
};

TEST_F(OrderBoresTest, EmptyListStaysEmptyAndMeterUntouched) {
  Panel(800, 600);
  OrderBores(t.c);
  EXPECT_TRUE(t.state.BoreList.empty());
  EXPECT_EQ(t.person.meters[3], 0);
}

TEST_F(OrderBoresTest, OneBoreIsUnchanged) {
  Panel(800, 600);
  BoreRecord b = Bore(120, 45, "0512");
  b.Z = 12;
  b.Diameter = 5;
  t.state.BoreList.push_back(b);
  OrderBores(t.c);
  ASSERT_EQ(t.state.BoreList.size(), 1);
  EXPECT_EQ(t.state.BoreList[1].X, 120);
  EXPECT_EQ(t.state.BoreList[1].Y, 45);
  EXPECT_EQ(t.state.BoreList[1].Z, 12);
  EXPECT_EQ(t.state.BoreList[1].Diameter, 5);
  EXPECT_EQ(t.state.BoreList[1].ToolText.trimmed(), "0512");
  EXPECT_EQ(t.person.meters[3], 100) << "the Sequencing meter is full after the trials";
}

TEST_F(OrderBoresTest, TwoBoresFromTheFarCorner) {
  Panel(800, 600);
  t.state.BoreList.push_back(Bore(10, 500));
  t.state.BoreList.push_back(Bore(700, 500));
  OrderBores(t.c);
  const std::vector<std::pair<float, float>> expected = {{700, 500}, {10, 500}};
  EXPECT_EQ(Points(), expected);
}

// Two rows below half the height: once among them, the walk stays in its row to the end
// and comes back along the other one.
TEST_F(OrderBoresTest, LowerHalfRowsAreDrilledRowByRow) {
  Panel(1000, 800);
  for (int x = 100; x <= 900; x += 100) {
    t.state.BoreList.push_back(Bore(static_cast<float>(x), 100));
    t.state.BoreList.push_back(Bore(static_cast<float>(x), 300));
  }
  OrderBores(t.c);
  std::vector<std::pair<float, float>> expected;
  for (int x = 900; x >= 100; x -= 100) expected.emplace_back(static_cast<float>(x), 300.0f);
  for (int x = 100; x <= 900; x += 100) expected.emplace_back(static_cast<float>(x), 100.0f);
  EXPECT_EQ(Points(), expected);
}

// Of two bores at the same distance the one first after the sort is taken.
TEST_F(OrderBoresTest, EqualDistancesGoToTheLowerIndex) {
  Panel(800, 600);
  BoreRecord a = Bore(700, 500, "A"), b = Bore(700, 500, "B"), c = Bore(100, 100, "C");
  t.state.BoreList = {c, a, b};
  OneBasedList<BoreRecord> sorted = t.state.BoreList;
  SortBoresByY(sorted, 1, 3);
  OrderBores(t.c);
  EXPECT_EQ(Labels(t.state.BoreList),
            std::string(sorted[2].ToolText.trimmed()) + sorted[3].ToolText.trimmed() + "C");
}

TEST_F(OrderBoresTest, RandomPanelsMatchThePlainWalks) {
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    test::BoresContext fresh;
    t.state = fresh.state;
    std::mt19937 random(seed);
    const float width = seed % 2 ? 2440.0f : 800.0f;
    const float height = seed % 2 ? 1220.0f : 600.0f;
    Panel(width, height);
    std::uniform_real_distribution<float> x(0, width), y(0, height);
    for (int i = 0; i < 300; ++i) {
      t.state.BoreList.push_back(Bore(x(random), y(random), std::to_string(i)));
    }
    ExpectSameAsReference();
  }
}

// Inputs where ties decide: bores on a 32 mm grid (equal rows and equal distances), exact
// duplicates, everything below half the height, bores off the panel.
TEST_F(OrderBoresTest, TrickyLayoutsMatchThePlainWalks) {
  struct Layout {
    const char* name;
    float width, height;
    int count;
    std::function<std::pair<float, float>(std::mt19937&, int)> place;
  };
  const Layout layouts[] = {
      {"grid rows", 1000, 600, 300,
       [](std::mt19937&, int i) {
         return std::pair<float, float>(37.0f + 32.0f * static_cast<float>(i % 25),
                                        40.0f + 32.0f * static_cast<float>(i / 25));
       }},
      {"duplicates", 800, 600, 300,
       [](std::mt19937& r, int) {
         std::uniform_int_distribution<int> k(0, 9);
         return std::pair<float, float>(100.0f + 50.0f * static_cast<float>(k(r)),
                                        50.0f * static_cast<float>(k(r)));
       }},
      {"lower half only", 2000, 1000, 300,
       [](std::mt19937& r, int) {
         std::uniform_real_distribution<float> x(0, 2000), y(0, 499);
         return std::pair<float, float>(x(r), y(r));
       }},
      {"equal Y rows", 1200, 800, 300,
       [](std::mt19937& r, int) {
         std::uniform_int_distribution<int> row(0, 5);
         std::uniform_real_distribution<float> x(0, 1200);
         return std::pair<float, float>(x(r), 9.5f + 150.0f * static_cast<float>(row(r)));
       }},
      {"off the panel", 600, 400, 120,
       [](std::mt19937& r, int) {
         std::uniform_real_distribution<float> x(-900, 1500), y(-700, 1100);
         return std::pair<float, float>(x(r), y(r));
       }},
      {"single bore", 600, 400, 1, [](std::mt19937&, int) { return std::pair<float, float>(300, 200); }},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    test::BoresContext fresh;
    t.state = fresh.state;
    Panel(layout.width, layout.height);
    std::mt19937 random(11);
    for (int i = 0; i < layout.count; ++i) {
      const auto [x, y] = layout.place(random, i);
      t.state.BoreList.push_back(Bore(x, y, std::to_string(i)));
    }
    ExpectSameAsReference();
  }
}

}  // namespace
}  // namespace mq
