// Vertical and horizontal bores of the second pass, from the entity as LoadEntity leaves it
// in the current-entity registers, and from whole drawings.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/bores_test_context.h"
#include "engine/driver_harness.h"

namespace mq {
namespace {

// Every bore the pass made, field by field.
std::string Listed(const ConversionState& s) {
  std::ostringstream out;
  for (const BoreRecord& b : s.BoreList)
    out << "bore " << b.X << ' ' << b.Y << " d" << b.Diameter << " z" << b.Z << " t" << b.ToolText.trimmed()
        << ';';
  for (const EdgeBoreRecord& b : s.EdgeBoreList) {
    out << "edge" << b.Side << ' ' << b.X << ' ' << b.Y << " z" << b.Z << " d" << b.Diameter << " f" << b.VX
        << " g" << b.G << " s" << b.Speed << " t" << b.ToolText.trimmed() << ';';
  }
  return out.str();
}

struct Entity {
  const char* type;
  const char* layer;
  float x, y;
  int16_t face;
  float radius, thickness, elevation;
};

std::string Collected(test::BoresContext& t, const Entity& e) {
  t.state.BoreList.clear();
  t.state.EdgeBoreList.clear();
  EntityRegisters& r = t.Current(e.type, e.layer, e.x, e.y);
  r.EntFace = e.face, r.EntRadius = e.radius, r.EntThicknessAsRead = e.thickness,
  r.EntElevation = e.elevation;
  int index = 3;
  CollectBoresAndGrooves(t.c, index);
  EXPECT_EQ(index, 3) << "a point or circle consumes no further record";
  return Listed(t.state);
}

// The panel from (100, 50) to (900, 650) with edge views 18 deep, 20 away from it, margins 5.
TEST(CollectBores, FromPointsAndCircles) {
  test::BoresContext t;
  t.SetPanel(100, 50, 900, 650);
  t.SetBox(1, 100, 670, 900, 688);
  t.SetBox(2, 100, 12, 900, 30);
  t.SetBox(3, 62, 50, 80, 650);
  t.SetBox(4, 920, 50, 938, 650);
  t.state.EdgeMarginX = t.state.EdgeMarginY = 5;
  const char* edge = "VBORE F900 S18 T7 D20";
  const char* hbore = "HBORE Z30 F700 S4 G2 T3";
  const std::pair<Entity, const char*> cases[] = {
      {{"POINT", "VBORE D5 Z12 T5T12", 110, 62, 5, 0, 0, 0}, "bore 10 12 d5 z12 t0512;"},
      {{"POINT", "DRILLING D8", 300, 300, 5, 0, 0, 0}, "bore 200 250 d8 z0 t;"},
      // D replaces the circle's size; without Z the thickness as read is the depth.
      {{"CIRCLE", "DRILL D10 Z14", 400, 250, 5, 4, 15, 0}, "bore 300 200 d10 z14 t;"},
      {{"CIRCLE", "VBORE12 Z14", 400, 250, 0, 4, 15, 0}, "bore 300 200 d8 z14 t;"},
      {{"CIRCLE", "VBORE D8", 400, 250, 5, 4, 15, 0}, "bore 300 200 d8 z15 t;"},
      {{"POINT", "VB", 300, 300, 5, 0, 0, 0}, ""},
      {{"POINT", "ROUTE20 D8", 300, 300, 5, 0, 0, 0}, ""},
      {{"POINT", "GROOVE D8", 300, 300, 5, 0, 0, 0}, ""},
      {{"LINE", "VBORE D8", 300, 300, 5, 0, 0, 0}, ""},
      // A circle whose extrusion points at an edge drills into it, or into the opposite edge
      // when it lies within 0.5 of that one; its own size, not D, and G 1 when none is given.
      {{"CIRCLE", edge, 300, 640, 1, 4, 35, 9.5f}, "edge1 200 35 z9.5 d8 f900 g1 s18000 t07;"},
      {{"CIRCLE", edge, 300, 50.4f, 1, 4, 35, 9.5f}, "edge2 200 35 z9.5 d8 f900 g1 s18000 t07;"},
      {{"CIRCLE", edge, 300, 50.5f, 1, 4, 35, 9.5f}, "edge1 200 35 z9.5 d8 f900 g1 s18000 t07;"},
      {{"CIRCLE", edge, 300, 649.6f, 2, 4, 35, 9.5f}, "edge1 200 35 z9.5 d8 f900 g1 s18000 t07;"},
      {{"CIRCLE", edge, 110, 300, 3, 4, 35, 9.5f}, "edge3 35 250 z9.5 d8 f900 g1 s18000 t07;"},
      {{"CIRCLE", edge, 899.7f, 300, 3, 4, 35, 9.5f}, "edge4 35 250 z9.5 d8 f900 g1 s18000 t07;"},
      {{"CIRCLE", edge, 100.2f, 300, 4, 4, 35, 9.5f}, "edge3 35 250 z9.5 d8 f900 g1 s18000 t07;"},
      // HBORE circles drill into the edge of the view that holds them (widened by the margins).
      {{"CIRCLE", hbore, 200, 680, 5, 4, 0, 0}, "edge1 100 30 z10 d8 f700 g2 s4000 t03;"},
      {{"CIRCLE", hbore, 300, 19, 5, 4, 0, 0}, "edge2 200 30 z11 d8 f700 g2 s4000 t03;"},
      {{"CIRCLE", hbore, 69, 350, 5, 4, 0, 0}, "edge3 30 300 z11 d8 f700 g2 s4000 t03;"},
      {{"CIRCLE", hbore, 929, 200, 5, 4, 0, 0}, "edge4 30 150 z9 d8 f700 g2 s4000 t03;"},
      {{"CIRCLE", hbore, 200, 666, 5, 4, 0, 0}, "edge1 100 30 z-4 d8 f700 g2 s4000 t03;"},
      {{"CIRCLE", hbore, 400, 300, 5, 4, 0, 0}, ""},
      {{"CIRCLE", hbore, 2000, 2000, 5, 4, 0, 0}, ""}};
  for (const auto& [entity, expected] : cases)
    EXPECT_EQ(Collected(t, entity), expected)
        << entity.type << " " << entity.x << ", " << entity.y << " on " << entity.layer;
}

// With a PANEL SOLID left of or below the origin, positive centres take the panel's sign.
TEST(CollectBores, SolidPanelSignRule) {
  const struct {
    bool solid;
    float origin_x, origin_y, cx, cy;
    const char* expected;
  } cases[] = {{true, -500, -300, 200, 100, "bore 300 200 d5 z0 t;"},
               {true, -500, 10, 200, 100, "bore 300 90 d5 z0 t;"},
               {true, -500, -300, -200, -100, "bore 300 200 d5 z0 t;"},
               {false, -500, -300, 200, 100, "bore 700 400 d5 z0 t;"}};
  for (const auto& k : cases) {
    test::BoresContext t;
    t.state.PanelFound = k.solid;
    t.state.PartOriginX = k.origin_x;
    t.state.PartOriginY = k.origin_y;
    EXPECT_EQ(Collected(t, {"CIRCLE", "VBORE D5", k.cx, k.cy, 5, 0, 0, 0}), k.expected)
        << k.solid << k.origin_y;
  }
}

// Read from the drawing and ordered: on face 1 the centre's Y is group 30 and the height in
// the panel group 20, and lying on the bottom edge it drills into that edge.
TEST(CollectBores, FromAWholeDrawing) {
  test::DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, 800, 600)
      .Point("VBORE D5 Z12", 100, 500)
      .Circle("DRILL D10 Z14", 700, 500, 4);
  dxf.Circle("DRILLING", 400, 100, 4, {{39, "13"}});
  dxf.Entity(
      "CIRCLE", "VBORE F900",
      {{10, "300"}, {20, "9"}, {30, "0.3"}, {40, "4"}, {39, "35"}, {210, "0"}, {220, "1"}, {230, "0"}});
  test::Drawing d(dxf);
  d.Convert();
  // From the far corner (800, 600) to (700, 500); then the walks that prefer moves along Y
  // travel 500 + 500 via (400, 100), shorter than 600 + 500 along the top first.
  EXPECT_EQ(Listed(d.output.at_program),
            "bore 700 500 d10 z14 t;bore 400 100 d8 z13 t;bore 100 500 d5 z12 t;"
            "edge2 300 35 z9 d8 f900 g1 s0 t;");
}

}  // namespace
}  // namespace mq
