// Vertical bores and horizontal bores of the second pass, from entities loaded into the
// current-entity registers.

#include <gtest/gtest.h>

#include <string>

#include "bores_test_context.h"
#include "engine/passes.h"

namespace mq {
namespace {

// Edge, position and height of a horizontal bore.
void ExpectPlace(const EdgeBoreRecord& b, int16_t side, float x, float y, float z) {
  EXPECT_EQ(b.Side, side);
  EXPECT_NEAR(b.X, x, 1e-3);
  EXPECT_NEAR(b.Y, y, 1e-3);
  EXPECT_NEAR(b.Z, z, 1e-3);
}

class CollectBoresTest : public ::testing::Test {
 protected:
  test::BoresContext t;
  CollectBoresTest() { t.SetPanel(100, 50, 900, 650); }  // 800 x 600, origin (100, 50)

  EntityRegisters& Entity(const std::string& type, const std::string& layer, float x, float y) {
    return t.Current(type, layer, x, y);
  }
  void Collect() {
    int index = 3;
    CollectBoresAndGrooves(t.c, index);
    EXPECT_EQ(index, 3) << "a point or circle consumes no further record";
  }
};

TEST_F(CollectBoresTest, PointOnVerticalBoreLayer) {
  Entity("POINT", "VBORE D5 Z12 T5T12", 110, 62);
  Collect();
  ASSERT_EQ(t.state.BoreList.size(), 1);
  const BoreRecord& b = t.state.BoreList[1];
  EXPECT_EQ(b.X, 10);
  EXPECT_EQ(b.Y, 12);
  EXPECT_EQ(b.Diameter, 5);
  EXPECT_EQ(b.Z, 12);
  EXPECT_EQ(b.ToolText.trimmed(), "0512");
}

TEST_F(CollectBoresTest, WhichLayersHoldVerticalBores) {
  struct Case {
    const char* type;
    const char* layer;
    int bores;
  };
  const Case cases[] = {
      {"POINT", "VBORE", 1},     {"POINT", "VBORE12 D8", 1}, {"POINT", "DRILLING D8", 1},
      {"CIRCLE", "DRILL D8", 1}, {"POINT", "HBORE D8", 0},   {"POINT", "ROUTE20 D8", 0},
      {"POINT", "GROOVE D8", 0}, {"LINE", "VBORE D8", 0},    {"POINT", "VB", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " on " + c.layer);
    t.state.BoreList.clear();
    Entity(c.type, c.layer, 300, 300).EntRadius = 4;
    Collect();
    EXPECT_EQ(t.state.BoreList.size(), c.bores);
    EXPECT_EQ(t.state.EdgeBoreList.size(), 0);
  }
}

TEST_F(CollectBoresTest, CircleDiameterAndDepth) {
  struct Case {
    const char* layer;
    float radius, thickness;
    float diameter, depth;
  };
  const Case cases[] = {
      {"DRILL D10 Z14", 4, 0, 10, 14},  // D replaces the radius
      {"DRILL Z14", 4, 0, 8, 14},       // without D the circle's size
      {"VBORE D8", 4, 15, 8, 15},       // without Z the thickness as read
      {"VBORE D8 Z9", 4, 15, 8, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layer);
    t.state.BoreList.clear();
    EntityRegisters& r = Entity("CIRCLE", c.layer, 400, 250);
    r.EntRadius = c.radius;
    r.EntThicknessAsRead = c.thickness;
    Collect();
    ASSERT_EQ(t.state.BoreList.size(), 1);
    EXPECT_EQ(t.state.BoreList[1].Diameter, c.diameter);
    EXPECT_EQ(t.state.BoreList[1].Z, c.depth);
    EXPECT_EQ(t.state.BoreList[1].X, 300);
    EXPECT_EQ(t.state.BoreList[1].Y, 200);
  }
}

// A circle whose extrusion points at an edge is a horizontal bore; lying on the opposite
// edge of the panel (within 0.5) it is taken as a bore into that edge.
TEST_F(CollectBoresTest, CircleOnEdgeFace) {
  struct Case {
    const char* name;
    int16_t face;
    float x, y;
    int16_t side;
    float bore_x, bore_y;
  };
  const Case cases[] = {
      {"top edge", 1, 300, 640, 1, 200, 35},
      {"face 1 on the bottom edge", 1, 300, 50.4f, 2, 200, 35},
      {"face 1 just beyond 0.5 of the bottom", 1, 300, 50.5f, 1, 200, 35},
      {"bottom edge", 2, 300, 60, 2, 200, 35},
      {"face 2 on the top edge", 2, 300, 649.6f, 1, 200, 35},
      {"left edge", 3, 110, 300, 3, 35, 250},
      {"face 3 on the right edge", 3, 899.7f, 300, 4, 35, 250},
      {"right edge", 4, 890, 300, 4, 35, 250},
      {"face 4 on the left edge", 4, 100.2f, 300, 3, 35, 250},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    t.state.EdgeBoreList.clear();
    EntityRegisters& r = Entity("CIRCLE", "VBORE F900 S18 T7 D20", c.x, c.y);
    r.EntFace = c.face;
    r.EntRadius = 4;
    r.EntThicknessAsRead = 35;
    r.EntElevation = 9.5f;
    Collect();
    EXPECT_EQ(t.state.BoreList.size(), 0);
    ASSERT_EQ(t.state.EdgeBoreList.size(), 1);
    const EdgeBoreRecord& b = t.state.EdgeBoreList[1];
    ExpectPlace(b, c.side, c.bore_x, c.bore_y, 9.5f);
    EXPECT_EQ(b.Diameter, 8) << "edge bores take the circle's size, not D";
    EXPECT_EQ(b.VX, 900);
    EXPECT_EQ(b.Speed, 18000);
    EXPECT_EQ(b.G, 1) << "no G reads as 1";
    EXPECT_EQ(b.ToolText.trimmed(), "07");
  }
}

TEST_F(CollectBoresTest, GivenGIsKept) {
  EntityRegisters& r = Entity("CIRCLE", "VBORE G2", 300, 640);
  r.EntFace = 1;
  Collect();
  ASSERT_EQ(t.state.EdgeBoreList.size(), 1);
  EXPECT_EQ(t.state.EdgeBoreList[1].G, 2);
}

// With a PANEL SOLID left of or below the origin, positive centres take the panel's sign.
TEST_F(CollectBoresTest, SolidPanelSignRule) {
  struct Case {
    const char* name;
    bool solid;
    float origin_x, origin_y;
    float cx, cy;
    float x, y;
  };
  const Case cases[] = {
      {"both negative", true, -500, -300, 200, 100, 300, 200},
      {"only X negative", true, -500, 10, 200, 100, 300, 90},
      {"centre already negative", true, -500, -300, -200, -100, 300, 200},
      {"border lines: no sign change", false, -500, -300, 200, 100, 700, 400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    t.state.BoreList.clear();
    t.state.PanelFound = c.solid;
    t.state.PartOriginX = c.origin_x;
    t.state.PartOriginY = c.origin_y;
    Entity("CIRCLE", "VBORE D5", c.cx, c.cy);
    Collect();
    ASSERT_EQ(t.state.BoreList.size(), 1);
    EXPECT_EQ(t.state.BoreList[1].X, c.x);
    EXPECT_EQ(t.state.BoreList[1].Y, c.y);
  }
}

// Circles on HBORE layers drawn in the edge views: panel (0, 0)-(800, 600), views 18
// thick 20 away from it, margins 5.
TEST_F(CollectBoresTest, CircleInEdgeView) {
  t.SetPanel(0, 0, 800, 600);
  t.SetBox(1, 0, 620, 800, 638);
  t.SetBox(2, 0, -38, 800, -20);
  t.SetBox(3, -38, 0, -20, 600);
  t.SetBox(4, 820, 0, 838, 600);
  t.state.EdgeMarginX = 5;
  t.state.EdgeMarginY = 5;
  struct Case {
    const char* name;
    float cx, cy;
    int16_t side;  // 0: no bore
    float x, y, z;
  };
  const Case cases[] = {
      {"view above", 100, 630, 1, 100, 30, 10},
      {"view below", 200, -31, 2, 200, 30, 11},
      {"view left", -31, 300, 3, 30, 300, 11},
      {"view right", 829, 150, 4, 30, 150, 9},
      {"within the margin of the view above", 100, 616, 1, 100, 30, -4},
      {"inside the panel", 400, 300, 0, 0, 0, 0},
      {"far outside", 2000, 2000, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    t.state.EdgeBoreList.clear();
    Entity("CIRCLE", "HBORE Z30 F700 S4 G2 T3", c.cx, c.cy).EntRadius = 4;
    Collect();
    EXPECT_EQ(t.state.BoreList.size(), 0);
    if (c.side == 0) {
      EXPECT_EQ(t.state.EdgeBoreList.size(), 0);
      continue;
    }
    ASSERT_EQ(t.state.EdgeBoreList.size(), 1);
    const EdgeBoreRecord& b = t.state.EdgeBoreList[1];
    ExpectPlace(b, c.side, c.x, c.y, c.z);
    EXPECT_EQ(b.Diameter, 8);
    EXPECT_EQ(b.VX, 700);
    EXPECT_EQ(b.Speed, 4000);
    EXPECT_EQ(b.G, 2);
    EXPECT_EQ(b.ToolText.trimmed(), "03");
  }
}

}  // namespace
}  // namespace mq
