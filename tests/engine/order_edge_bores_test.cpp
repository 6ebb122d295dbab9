#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bores_test_context.h"
#include "engine/passes.h"

namespace mq {
namespace {

HBoreLine Line(float x1, float y1, float x2, float y2, const std::string& tool = "05") {
  HBoreLine l;
  l.X1 = x1;
  l.Y1 = y1;
  l.X2 = x2;
  l.Y2 = y2;
  l.Feed = 900;
  l.Depth = 9.5f;
  l.G = 3;
  l.Speed = 18000;
  l.ToolText = tool;
  return l;
}

EdgeBoreRecord CircleBore(int16_t side, float x, float y, const std::string& tool) {
  EdgeBoreRecord b;
  b.Side = side;
  b.X = x;
  b.Y = y;
  b.ToolText = tool;
  return b;
}

class OrderEdgeBoresTest : public ::testing::Test {
 protected:
  test::BoresContext t;
  OrderEdgeBoresTest() { t.SetPanel(100, 50, 900, 650); }  // 800 x 600, origin (100, 50)

  const OneBasedList<EdgeBoreRecord>& Run(std::initializer_list<HBoreLine> lines) {
    for (const HBoreLine& l : lines) t.state.HBoreLineList.push_back(l);
    OrderEdgeBores(t.c);
    return t.state.EdgeBoreList;
  }
  std::string Tools() const {
    std::string s;
    for (const EdgeBoreRecord& b : t.state.EdgeBoreList) s += b.ToolText.trimmed() + " ";
    return s;
  }
};

// Which edge a line starts on, and what the record reads from it (coordinates from
// PartOrigin: the panel spans 0..800 by 0..600).
TEST_F(OrderEdgeBoresTest, EdgeOfEachLine) {
  struct Case {
    const char* name;
    HBoreLine line;
    int16_t side;
    float x, y, diameter;
  };
  const Case cases[] = {
      {"right, first end", Line(800, 300, 770, 300), 4, 30, 300, 0},
      {"right, second end: turned round", Line(770, 300, 800, 300), 4, 30, 300, 0},
      {"right within 0.01", Line(799.992f, 300, 770, 300), 4, 30, 300, 0},
      {"left", Line(0, 200, 30, 200), 3, 30, 200, 0},
      {"left, second end", Line(35, 200, 0, 200), 3, 35, 200, 0},
      {"top: depth from the top edge", Line(100, 600, 100, 570), 1, 100, 30, 0},
      {"top, second end", Line(100, 560, 100, 600), 1, 100, 40, 0},
      {"bottom", Line(500, 0, 500, 25), 2, 500, 25, 0},
      {"bottom, depth at exactly half the height", Line(500, 0, 500, 300), 2, 500, 300, 0},
      {"corner: right is tried before top", Line(800, 600, 780, 600), 4, 20, 600, 0},
      // The end points are put in ascending Y first; the depth is read from the second
      // of them then, here the one on the edge.
      {"slanted into the left edge", Line(0, 210, 30, 190), 3, 0, 200, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::BoresContext fresh;
    t.state = fresh.state;
    t.SetPanel(100, 50, 900, 650);
    const OneBasedList<EdgeBoreRecord>& bores = Run({c.line});
    ASSERT_EQ(bores.size(), 1);
    EXPECT_EQ(bores[1].Side, c.side);
    EXPECT_NEAR(bores[1].X, c.x, 1e-3);
    EXPECT_NEAR(bores[1].Y, c.y, 1e-3);
    EXPECT_NEAR(bores[1].Diameter, c.diameter, 1e-3);
    EXPECT_EQ(bores[1].Z, 9.5f) << "the line's depth is the height of the bore axis";
    EXPECT_EQ(bores[1].VX, 900);
    EXPECT_EQ(bores[1].G, 3);
    EXPECT_EQ(bores[1].Speed, 18000);
    EXPECT_EQ(bores[1].ToolText.trimmed(), "05");
  }
}

TEST_F(OrderEdgeBoresTest, LineOffEveryEdgeGivesNoBore) {
  EXPECT_EQ(Run({Line(799.98f, 300, 700, 300), Line(300, 300, 400, 300)}).size(), 0);
}

// A line that continues an edge line from its inner end belongs to that line's edge.
TEST_F(OrderEdgeBoresTest, FollowerLineTakesTheEdgeOfTheLineItContinues) {
  Run({Line(0, 200, 30, 200, "01"), Line(30.005f, 200.004f, 30, 210, "02"),
       Line(500, 500, 30, 200.5f, "03")});
  EXPECT_EQ(Tools(), "02 01 ") << "the third line misses the edge line's end by 0.5";
  const EdgeBoreRecord& follower = t.state.EdgeBoreList[1];
  EXPECT_EQ(follower.Side, 3);
  EXPECT_NEAR(follower.Y, 205.002, 1e-3);
  EXPECT_NEAR(follower.Diameter, 9.996, 1e-3);
  EXPECT_NEAR(follower.X, 30, 1e-3) << "X of the end point with the larger Y";
}

// Lines become records edge by edge (1, 4, 2, 3) after the circle bores; the whole list is
// then travelled right, bottom, left, top from the top right corner.
TEST_F(OrderEdgeBoresTest, EdgesAreTravelledRightBottomLeftTop) {
  t.state.EdgeBoreList.push_back(CircleBore(2, 650, 19, "c2"));
  t.state.EdgeBoreList.push_back(CircleBore(4, 19, 590, "c4"));
  Run({Line(100, 600, 100, 570, "t1"), Line(0, 50, 30, 50, "l1"), Line(800, 100, 770, 100, "r1"),
       Line(700, 0, 700, 20, "b1"), Line(800, 500, 780, 500, "r2"), Line(0, 550, 30, 550, "l2"),
       Line(600, 600, 600, 580, "t2"), Line(100, 0, 100, 20, "b2")});
  // Right edge from (800, 600) downwards; bottom from the right; left from the bottom;
  // top from the left.
  EXPECT_EQ(Tools(), "c4 r2 r1 b1 c2 b2 l1 l2 t1 t2 ");
}

TEST_F(OrderEdgeBoresTest, RecordsAtOnePlaceKeepTheirListOrder) {
  Run({Line(800, 300, 770, 300, "a"), Line(800, 300, 760, 300, "b"), Line(770, 300, 750, 300, "f")});
  EXPECT_EQ(Tools(), "a b f ");
}

TEST_F(OrderEdgeBoresTest, CircleBoresAloneAreOrderedAndKept) {
  t.state.EdgeBoreList.push_back(CircleBore(1, 700, 19, "t"));
  t.state.EdgeBoreList.push_back(CircleBore(3, 19, 100, "l"));
  t.state.EdgeBoreList.push_back(CircleBore(4, 19, 100, "r1"));
  t.state.EdgeBoreList.push_back(CircleBore(4, 19, 400, "r2"));
  OrderEdgeBores(t.c);
  EXPECT_EQ(Tools(), "r2 r1 l t ");
}

}  // namespace
}  // namespace mq
