// Saw grooves and horizontal bores drawn as lines, collected by the second pass of whole
// drawings: LINE entities, and POLYLINE entities as one piece per pair of vertices.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/driver_harness.h"

namespace mq {
namespace {

using test::DxfBuilder;

// The grooves and bore lines handed to the writer, field by field.
std::string Collected(const DxfBuilder& dxf, const char* saw_kerf = "3") {
  test::Drawing d(dxf);
  d.settings.SawKerf = saw_kerf;
  d.Convert();
  std::ostringstream out;
  for (const GrooveLine& g : d.output.at_program.GrooveList) {
    out << g.X1 << ',' << g.Y1 << '-' << g.X2 << ',' << g.Y2 << " w" << g.Width << " z" << g.Z << " k"
        << g.Kerf << " vz" << g.VZ << " vx" << g.VX << " t" << g.Tool << " side" << g.Side << ';';
  }
  for (const HBoreLine& h : d.output.at_program.HBoreLineList) {
    out << "hbore " << h.X1 << ',' << h.Y1 << '-' << h.X2 << ',' << h.Y2 << " f" << h.Feed << " z" << h.Depth
        << " g" << h.G << " s" << h.Speed << " t" << h.ToolText.trimmed() << ';';
  }
  return out.str();
}

// One line from the right edge of the panel (100, 50)-(700, 450) inwards.
TEST(CollectGrooves, FromLines) {
  const struct {
    const char* layer;
    DxfBuilder::Extras extra;  // 40 width, 38 elevation
    const char* saw_kerf;
    const char* expected;
  } cases[] = {
      // D replaces the line's width; feeds are taken for polyline grooves only.
      {"GROOVE D10 K4 Z8 FD1500 F4000 T7 ES2",
       {{40, "6"}},
       "3",
       "600,300-570,300 w10 z8 k4 vz0 vx0 t7 side2;"},
      {"GROOVE Z8 K4", {{40, "6"}}, "3", "600,300-570,300 w6 z8 k4 vz0 vx0 t0 side0;"},
      {"GROOVE D10 K4", {{38, "-7"}}, "3", "600,300-570,300 w10 z7 k4 vz0 vx0 t0 side0;"},
      // Without K, or with K0, the saw-kerf setting.
      {"GROOVE D10 Z8", {}, "3.2", "600,300-570,300 w10 z8 k3.2 vz0 vx0 t0 side0;"},
      {"GROOVE D10 Z8 K0", {}, "3", "600,300-570,300 w10 z8 k3 vz0 vx0 t0 side0;"},
      {"HBORE F900 Z9P5 G2 S18 T3", {{38, "4"}}, "3", "hbore 600,300-570,300 f900 z9.5 g2 s18000 t03;"},
      {"HBORE12", {{38, "-11"}}, "3", "hbore 600,300-570,300 f0 z11 g1 s0 t;"},
      {"GROOV D8", {}, "3", ""},
      {"VBORE D8", {}, "3", ""},
      {"ROUTE20 D8", {}, "3", ""}};
  for (const auto& k : cases)
    EXPECT_EQ(Collected(test::PanelOfLines(100, 50).Line(k.layer, 700, 350, 670, 350, k.extra), k.saw_kerf),
              k.expected)
        << k.layer;
}

TEST(CollectGrooves, FromPolylines) {
  const struct {
    const char* layer;
    int flags;
    const char* expected;
  } cases[] = {
      {"GROOVE Z6 K3 FD1200 F5000 T4", 0,
       "600,300-570,300 w0 z6 k3 vz1200 vx5000 t4 side0;570,300-570,310 w0 z6 k3 vz1200 vx5000 t4 "
       "side0;"},
      {"HBORE Z9 F800", 0, "hbore 600,300-570,300 f800 z9 g1 s0 t;hbore 570,300-570,310 f800 z9 g1 s0 t;"},
      {"GROOVE Z6", 4, ""}};  // flags 4: skipped
  for (const auto& k : cases) {
    const DxfBuilder dxf =
        test::PanelOfLines(100, 50).Polyline(k.layer, {{700, 350}, {670, 350}, {670, 360}}, k.flags);
    EXPECT_EQ(Collected(dxf), k.expected) << k.layer;
  }
}

// A 24 x 18 inch panel: the saw-kerf setting (millimetres) is divided by 25.4, so a
// half-inch groove takes five passes of a 3 mm saw.
TEST(CollectGrooves, SawKerfInAnInchDrawing) {
  test::Drawing d(DxfBuilder().Rectangle("BORDER", 0, 0, 24, 18).Line("GROOVE D0P5 Z0P25", 0, 9, 24, 9));
  d.settings.SawKerf = "3";
  d.Convert();
  const float kerf = static_cast<float>(3 / 25.4);
  EXPECT_FLOAT_EQ(d.output.at_program.GrooveList[1].Kerf, kerf);
  const OneBasedList<LineBoreRecord>& passes = d.output.at_program.LineBoreList;
  ASSERT_EQ(passes.size(), 5);
  EXPECT_FLOAT_EQ(passes[1].Y1, 9 - 0.25f + kerf / 2);
  EXPECT_FLOAT_EQ(passes[5].Y1, 9 + 0.25f - kerf / 2);
}

}  // namespace
}  // namespace mq
