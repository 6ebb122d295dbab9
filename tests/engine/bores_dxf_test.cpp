// Bores, horizontal bores and grooves of whole drawings: DXF text read by the reader and
// converted by the engine, the lists taken as the program writer receives them.

#include <gtest/gtest.h>

#include "driver_harness.h"

namespace mq {
namespace {

using test::DxfBuilder;

const ConversionState& Converted(test::Drawing& d) {
  d.Convert();
  EXPECT_EQ(d.run.FileFailed, kFalse);
  EXPECT_EQ(d.output.programs, 1);
  return d.output.at_program;
}

TEST(BoresFromDxf, PointAndCirclesOnVerticalBoreLayers) {
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, 800, 600);
  dxf.Point("VBORE D5 Z12", 100, 500);
  dxf.Circle("DRILL D10 Z14", 700, 500, 4);
  dxf.Circle("DRILLING", 400, 100, 4, {{39, "13"}});
  test::Drawing d(dxf);
  const OneBasedList<BoreRecord>& bores = Converted(d).BoreList;
  ASSERT_EQ(bores.size(), 3);
  // From the far corner (800, 600) to (700, 500); then the walks that prefer moves along
  // Y (weights 0.8 and up) travel 500 + 500 via (400, 100), shorter than 600 + 500 along
  // the top first.
  EXPECT_EQ(bores[1].X, 700);
  EXPECT_EQ(bores[1].Diameter, 10) << "D replaces the radius";
  EXPECT_EQ(bores[1].Z, 14);
  EXPECT_EQ(bores[2].X, 400);
  EXPECT_EQ(bores[2].Y, 100);
  EXPECT_EQ(bores[2].Diameter, 8);
  EXPECT_EQ(bores[2].Z, 13) << "no Z: the circle's thickness";
  EXPECT_EQ(bores[3].X, 100);
  EXPECT_EQ(bores[3].Diameter, 5);
  EXPECT_EQ(bores[3].Z, 12);
}

// A circle whose extrusion points at the top edge but which lies on the bottom edge of the
// panel is a bore into the bottom edge.
TEST(BoresFromDxf, EdgeFaceCircleOnTheBottomEdge) {
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, 800, 600);
  // On face 1 the centre's Y is group 30 and the height in the panel group 20.
  dxf.Entity(
      "CIRCLE", "VBORE F900",
      {{10, "300"}, {20, "9"}, {30, "0.3"}, {40, "4"}, {39, "35"}, {210, "0"}, {220, "1"}, {230, "0"}});
  test::Drawing d(dxf);
  const OneBasedList<EdgeBoreRecord>& bores = Converted(d).EdgeBoreList;
  ASSERT_EQ(bores.size(), 1);
  EXPECT_EQ(bores[1].Side, 2);
  EXPECT_EQ(bores[1].X, 300);
  EXPECT_EQ(bores[1].Y, 35) << "the thickness is the bore depth";
  EXPECT_EQ(bores[1].Z, 9);
  EXPECT_EQ(bores[1].Diameter, 8);
  EXPECT_EQ(bores[1].VX, 900);
}

// A panel with its four edge views: HBORE circles in a view are edge bores, one on the
// panel itself is none.
TEST(BoresFromDxf, HBoreCirclesOnlyInTheEdgeViews) {
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 100, 100, 900, 700);
  dxf.Rectangle("BORDER", 100, 750, 900, 768);  // above
  dxf.Rectangle("BORDER", 100, 32, 900, 50);    // below
  dxf.Rectangle("BORDER", 32, 100, 50, 700);    // left
  dxf.Rectangle("BORDER", 950, 100, 968, 700);  // right
  dxf.Circle("HBORE Z30 T3", 200, 759, 4);
  dxf.Circle("HBORE Z30 T3", 500, 400, 4);
  test::Drawing d(dxf);
  const OneBasedList<EdgeBoreRecord>& bores = Converted(d).EdgeBoreList;
  ASSERT_EQ(bores.size(), 1);
  EXPECT_EQ(bores[1].Side, 1);
  EXPECT_EQ(bores[1].X, 100);
  EXPECT_EQ(bores[1].Y, 30);
  EXPECT_EQ(bores[1].Z, 9);
  EXPECT_EQ(bores[1].ToolText.trimmed(), "03");
}

// An 24 x 18 inch panel: the saw-kerf setting (millimetres) is divided by 25.4, so a
// half-inch groove takes five passes of a 3 mm saw.
TEST(BoresFromDxf, SawKerfInAnInchDrawing) {
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, 24, 18);
  dxf.Line("GROOVE D0P5 Z0P25", 0, 9, 24, 9);
  test::Drawing d(dxf);
  d.settings.SawKerf = "3";
  const OneBasedList<LineBoreRecord>& passes = Converted(d).LineBoreList;
  const float kerf = static_cast<float>(3 / 25.4);
  ASSERT_EQ(passes.size(), 5);
  EXPECT_FLOAT_EQ(passes[1].Y1, 9 - 0.25f + kerf / 2);
  EXPECT_FLOAT_EQ(passes[5].Y1, 9 + 0.25f - kerf / 2);
  EXPECT_EQ(passes[1].Z, 0.25f);
}

TEST(BoresFromDxf, GroovePolylineAndHBoreLines) {
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 0, 0, 800, 600);
  dxf.Polyline("GROOVE Z8 FD1500 F4000", {{0, 100}, {800, 100}, {800, 500}});
  dxf.Line("HBORE Z9 F700", 800, 300, 770, 300);
  dxf.Line("HBORE Z9 F700", 0, 200, 30, 200);
  test::Drawing d(dxf);
  const ConversionState& s = Converted(d);
  ASSERT_EQ(s.LineBoreList.size(), 2) << "width 0: each piece one pass as drawn";
  EXPECT_EQ(s.LineBoreList[1].X2, 800);
  EXPECT_EQ(s.LineBoreList[1].VZ, 1500);
  EXPECT_EQ(s.LineBoreList[1].VX, 4000);
  ASSERT_EQ(s.EdgeBoreList.size(), 2);
  EXPECT_EQ(s.EdgeBoreList[1].Side, 4) << "the right edge is drilled first";
  EXPECT_EQ(s.EdgeBoreList[1].X, 30);
  EXPECT_EQ(s.EdgeBoreList[1].Y, 300);
  EXPECT_EQ(s.EdgeBoreList[1].Z, 9);
  EXPECT_EQ(s.EdgeBoreList[2].Side, 3);
  EXPECT_EQ(s.EdgeBoreList[2].VX, 700);
}

}  // namespace
}  // namespace mq
