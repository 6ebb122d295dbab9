// Horizontal bores drawn as lines turned into edge bores, and every edge bore put in travel
// order. The panel spans 0..800 by 0..600 measured from PartOrigin (100, 50).

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/bores_test_context.h"
#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"

namespace mq {
namespace {

HBoreLine Line(float x1, float y1, float x2, float y2, const std::string& tool = "05") {
  HBoreLine l;
  l.X1 = x1, l.Y1 = y1, l.X2 = x2, l.Y2 = y2, l.Feed = 900, l.Depth = 9.5f, l.G = 3, l.Speed = 18000;
  l.ToolText = tool;
  return l;
}

EdgeBoreRecord CircleBore(int16_t side, float x, float y, const std::string& tool) {
  EdgeBoreRecord b;
  b.Side = side, b.X = x, b.Y = y, b.ToolText = tool;
  return b;
}

// The edge bores after the pass: "edge x y diameter" each, or their tools only.
std::string Ordered(std::vector<EdgeBoreRecord> circles, std::vector<HBoreLine> lines, bool tools_only) {
  test::BoresContext t;
  t.SetPanel(100, 50, 900, 650);
  t.state.EdgeBoreList.raw() = std::move(circles);
  t.state.HBoreLineList.raw() = std::move(lines);
  OrderEdgeBores(t.c);
  std::ostringstream out;
  for (const EdgeBoreRecord& b : t.state.EdgeBoreList) {
    if (tools_only)
      out << b.ToolText.trimmed() << ' ';
    else
      out << b.Side << ' ' << b.X << ' ' << b.Y << ' ' << b.Diameter << " z" << b.Z << " f" << b.VX << " g"
          << b.G << " s" << b.Speed << " t" << b.ToolText.trimmed() << ';';
  }
  return out.str();
}

// The first end point on an edge (within 0.01) decides, in the order right, left, top,
// bottom; the depth is read from the second end point (from the far edge past half the panel).
TEST(OrderEdgeBores, EdgeOfEachLine) {
  const std::pair<HBoreLine, const char*> cases[] = {
      {Line(800, 300, 770, 300), "4 30 300 0"},
      {Line(770, 300, 800, 300), "4 30 300 0"},  // turned round
      {Line(799.992f, 300, 770, 300), "4 30 300 0"},
      {Line(0, 200, 30, 200), "3 30 200 0"},
      {Line(35, 200, 0, 200), "3 35 200 0"},
      {Line(100, 600, 100, 570), "1 100 30 0"},
      {Line(100, 560, 100, 600), "1 100 40 0"},
      {Line(500, 0, 500, 25), "2 500 25 0"},
      {Line(500, 0, 500, 300), "2 500 300 0"},   // exactly half the height
      {Line(800, 600, 780, 600), "4 20 600 0"},  // a corner: right before top
      // Put in ascending Y first; the depth is then that of the end on the edge.
      {Line(0, 210, 30, 190), "3 0 200 20"},
      {Line(799.98f, 300, 700, 300), ""},
      {Line(300, 300, 400, 300), ""}};
  for (const auto& [line, expected] : cases) {
    EXPECT_EQ(Ordered({}, {line}, false),
              *expected ? std::string(expected) + " z9.5 f900 g3 s18000 t05;" : "")
        << line.X1 << "," << line.Y1 << " - " << line.X2 << "," << line.Y2;
  }
}

// A line that continues an edge line from its inner end (within 0.01) belongs to its edge.
TEST(OrderEdgeBores, FollowerLineTakesTheEdgeOfTheLineItContinues) {
  EXPECT_EQ(Ordered({},
                    {Line(0, 200, 30, 200, "01"), Line(30.005f, 200.004f, 30, 210, "02"),
                     Line(500, 500, 30, 200.5f, "03")},
                    false),
            "3 30 205.002 9.996 z9.5 f900 g3 s18000 t02;3 30 200 0 z9.5 f900 g3 s18000 t01;");
}

// Lines become records edge by edge (1, 4, 2, 3) after the circle bores; the whole list is
// then travelled right, bottom, left, top from the top right corner, nearest first, and
// records at one place keep their list order.
TEST(OrderEdgeBores, EdgesAreTravelledRightBottomLeftTop) {
  const std::vector<HBoreLine> lines = {Line(100, 600, 100, 570, "t1"), Line(0, 50, 30, 50, "l1"),
                                        Line(800, 100, 770, 100, "r1"), Line(700, 0, 700, 20, "b1"),
                                        Line(800, 500, 780, 500, "r2"), Line(0, 550, 30, 550, "l2"),
                                        Line(600, 600, 600, 580, "t2"), Line(100, 0, 100, 20, "b2")};
  EXPECT_EQ(Ordered({CircleBore(2, 650, 19, "c2"), CircleBore(4, 19, 590, "c4")}, lines, true),
            "c4 r2 r1 b1 c2 b2 l1 l2 t1 t2 ");
  EXPECT_EQ(
      Ordered({},
              {Line(800, 300, 770, 300, "a"), Line(800, 300, 760, 300, "b"), Line(770, 300, 750, 300, "f")},
              true),
      "a b f ");
  EXPECT_EQ(Ordered({CircleBore(1, 700, 19, "t"), CircleBore(3, 19, 100, "l"), CircleBore(4, 19, 100, "r1"),
                     CircleBore(4, 19, 400, "r2")},
                    {}, true),
            "r2 r1 l t ");
}

// A line on no edge and continuing no edge line has nowhere to be drilled: it is
// reported with its end points rather than lost without a word.
TEST(OrderEdgeBores, LineOnNoEdgeIsReported) {
  test::BoresContext t;
  t.SetPanel(100, 50, 900, 650);
  t.state.HBoreLineList.raw() = {Line(300, 300, 400, 300.5f), Line(0, 200, 30, 200)};
  OrderEdgeBores(t.c);
  EXPECT_EQ(t.state.EdgeBoreList.size(), 1);
  EXPECT_EQ(t.run.PendingMessage,
            "Horizontal bore line touches no panel edge, skipped: (300, 300) - (400, 300.5)\r");
}

}  // namespace
}  // namespace mq
