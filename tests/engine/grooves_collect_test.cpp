// Grooves and horizontal-bore lines of the second pass: LINE entities from the registers,
// POLYLINE entities with their VERTEX records loaded from the store.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bores_test_context.h"
#include "engine/passes.h"
#include "input/layer_codes.h"

namespace mq {
namespace {

// A layer name as the two-letter code substitution leaves it ("FD" becomes blank + code).
std::string Coded(std::string layer) {
  auto replace = [&](const char* code, char by) {
    const std::size_t at = layer.find(code, 5);
    if (at != std::string::npos) {
      layer[at] = ' ';
      layer[at + 1] = by;
    }
  };
  replace("FD", code_char::FD);
  replace("ES", code_char::ES);
  return layer;
}

class CollectGroovesTest : public ::testing::Test {
 protected:
  test::BoresContext t;
  CollectGroovesTest() { t.SetPanel(100, 50, 900, 650); }  // origin (100, 50)

  EntityRegisters& Line(const std::string& layer, float x1, float y1, float x2, float y2) {
    EntityRegisters& r = t.Current("LINE", Coded(layer), x1, y1);
    r.EntX2 = x2;
    r.EntY2 = y2;
    return r;
  }
  void Collect() {
    int index = 3;
    CollectBoresAndGrooves(t.c, index);
  }

  // A store holding one POLYLINE (index 2) with `vertices`, its SEQEND and the closing
  // blank record; the polyline is loaded as the second pass loads it.
  int LoadPolyline(const std::string& layer, const std::vector<std::pair<float, float>>& vertices,
                   int16_t flags = 0, float width = 0) {
    t.store.Reset();
    auto record = [&](const char* type, float x, float y) {
      DrawingEntity e;
      e.EntityType = type;
      e.Layer = Coded(layer);
      e.X1 = x;
      e.Y1 = y;
      e.Flags = flags;
      e.Radius = width;
      t.store.Entities.push_back(e);
    };
    record("POLYLINE", 0, 0);
    for (const auto& [x, y] : vertices) record("VERTEX", x, y);
    record("SEQEND", 0, 0);
    t.store.Entities.emplace_back();
    int index = 2;
    t.c.Load(index);
    return index;
  }
};

TEST_F(CollectGroovesTest, LineOnGrooveLayer) {
  Line("GROOVE D10 K4 Z8 FD1500 F4000 T7 ES2", 110, 100, 710, 100).EntRadius = 6;
  Collect();
  ASSERT_EQ(t.state.GrooveList.size(), 1);
  const GrooveLine& g = t.state.GrooveList[1];
  EXPECT_EQ(g.X1, 10);
  EXPECT_EQ(g.Y1, 50);
  EXPECT_EQ(g.X2, 610);
  EXPECT_EQ(g.Y2, 50);
  EXPECT_EQ(g.Width, 10) << "D replaces the line's width";
  EXPECT_EQ(g.Kerf, 4);
  EXPECT_EQ(g.Z, 8);
  EXPECT_EQ(g.VZ, 0) << "feeds are taken for polyline grooves only";
  EXPECT_EQ(g.VX, 0);
  EXPECT_EQ(g.Tool, 7);
  EXPECT_EQ(g.Side, 2);
  EXPECT_EQ(t.state.HBoreLineList.size(), 0);
}

TEST_F(CollectGroovesTest, WidthDepthAndKerfFallBacks) {
  struct Case {
    const char* name;
    const char* layer;
    float radius, elevation;
    bool inch;
    const char* saw_kerf;
    float width, depth, kerf;
  };
  const Case cases[] = {
      {"width from the entity", "GROOVE Z8 K4", 6, 0, false, "3", 6, 8, 4},
      {"depth from the elevation", "GROOVE D10 K4", 0, -7, false, "3", 10, 7, 4},
      {"kerf from the settings", "GROOVE D10 Z8", 0, 0, false, "3.2", 10, 8, 3.2f},
      {"kerf in an inch drawing", "GROOVE D10 Z8", 0, 0, true, "3", 10, 8, static_cast<float>(3 / 25.4)},
      {"K0 takes the settings", "GROOVE D10 Z8 K0", 0, 0, false, "3", 10, 8, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    t.state.GrooveList.clear();
    t.state.UnitFactor = c.inch ? 25.4f : 1.0f;
    t.settings.SawKerf = c.saw_kerf;
    EntityRegisters& r = Line(c.layer, 110, 100, 710, 100);
    r.EntRadius = c.radius;
    r.EntElevation = c.elevation;
    Collect();
    ASSERT_EQ(t.state.GrooveList.size(), 1);
    EXPECT_EQ(t.state.GrooveList[1].Width, c.width);
    EXPECT_EQ(t.state.GrooveList[1].Z, c.depth);
    EXPECT_FLOAT_EQ(t.state.GrooveList[1].Kerf, c.kerf);
  }
}

TEST_F(CollectGroovesTest, LineOnHBoreLayer) {
  Line("HBORE F900 Z9P5 G2 S18 T3", 900, 350, 870, 350).EntElevation = 4;
  Collect();
  ASSERT_EQ(t.state.HBoreLineList.size(), 1);
  const HBoreLine& h = t.state.HBoreLineList[1];
  EXPECT_EQ(h.X1, 800);
  EXPECT_EQ(h.Y1, 300);
  EXPECT_EQ(h.X2, 770);
  EXPECT_EQ(h.Y2, 300);
  EXPECT_EQ(h.Feed, 900);
  EXPECT_EQ(h.Depth, 9.5f);
  EXPECT_EQ(h.G, 2);
  EXPECT_EQ(h.Speed, 18000);
  EXPECT_EQ(h.ToolText.trimmed(), "03");
  EXPECT_EQ(t.state.GrooveList.size(), 0);
}

TEST_F(CollectGroovesTest, HBoreLineDefaults) {
  Line("HBORE12", 900, 350, 870, 350).EntElevation = -11;
  Collect();
  ASSERT_EQ(t.state.HBoreLineList.size(), 1);
  EXPECT_EQ(t.state.HBoreLineList[1].Depth, 11) << "no Z: the elevation";
  EXPECT_EQ(t.state.HBoreLineList[1].G, 1) << "no G reads as 1";
}

TEST_F(CollectGroovesTest, LinesOnOtherLayersAreLeft) {
  for (const char* layer : {"ROUTE20 D8", "VBORE D8", "BORDER", "GROOV D8"}) {
    Line(layer, 110, 100, 710, 100);
    Collect();
  }
  EXPECT_EQ(t.state.GrooveList.size(), 0);
  EXPECT_EQ(t.state.HBoreLineList.size(), 0);
}

TEST_F(CollectGroovesTest, PolylineGivesOneGroovePerVertexPair) {
  int index = LoadPolyline("GROOVE Z6 K3 FD1200 F5000 T4", {{110, 100}, {710, 100}, {710, 400}}, 0, 2.5f);
  ASSERT_EQ(index, 3);
  CollectBoresAndGrooves(t.c, index);
  EXPECT_EQ(index, 6) << "left at the SEQEND record";
  ASSERT_EQ(t.state.GrooveList.size(), 2);
  const GrooveLine& a = t.state.GrooveList[1];
  const GrooveLine& b = t.state.GrooveList[2];
  EXPECT_EQ(a.X1, 10);
  EXPECT_EQ(a.Y1, 50);
  EXPECT_EQ(a.X2, 610);
  EXPECT_EQ(a.Y2, 50);
  EXPECT_EQ(b.X1, 610);
  EXPECT_EQ(b.Y1, 50);
  EXPECT_EQ(b.X2, 610);
  EXPECT_EQ(b.Y2, 350);
  for (const GrooveLine& g : t.state.GrooveList) {
    EXPECT_EQ(g.Width, 2.5f) << "the vertex width";
    EXPECT_EQ(g.Z, 6);
    EXPECT_EQ(g.Kerf, 3);
    EXPECT_EQ(g.VZ, 1200);
    EXPECT_EQ(g.VX, 5000);
    EXPECT_EQ(g.Tool, 4);
  }
}

TEST_F(CollectGroovesTest, PolylineOnHBoreLayer) {
  int index = LoadPolyline("HBORE Z9 F800", {{900, 350}, {870, 350}, {870, 360}});
  CollectBoresAndGrooves(t.c, index);
  EXPECT_EQ(index, 6);
  ASSERT_EQ(t.state.HBoreLineList.size(), 2);
  EXPECT_EQ(t.state.HBoreLineList[2].X1, 770);
  EXPECT_EQ(t.state.HBoreLineList[2].Y2, 310);
  EXPECT_EQ(t.state.HBoreLineList[2].Feed, 800);
}

TEST_F(CollectGroovesTest, PolylineWithFlags4IsSkipped) {
  int index = LoadPolyline("GROOVE Z6", {{110, 100}, {710, 100}}, 4);
  CollectBoresAndGrooves(t.c, index);
  EXPECT_EQ(index, 3) << "its vertices are left to the caller's walk";
  EXPECT_EQ(t.state.GrooveList.size(), 0);
}

TEST_F(CollectGroovesTest, PolylineOnOtherLayerLeavesItsVertices) {
  int index = LoadPolyline("ROUTE20 D8", {{110, 100}, {710, 100}});
  CollectBoresAndGrooves(t.c, index);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(t.state.GrooveList.size(), 0);
}

}  // namespace
}  // namespace mq
