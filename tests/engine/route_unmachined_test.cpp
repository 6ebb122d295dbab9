// The report of entities on operation layers that nothing machines.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "route_test_drawing.h"

namespace mq {
namespace {

using test::DxfBuilder;
using test::RoutedDrawing;

std::vector<std::string> NotMachinedLines(const DxfBuilder& dxf) {
  RoutedDrawing d(dxf);
  ReportUnmachinedEntities(d.c);
  std::vector<std::string> lines = d.Messages();
  lines.erase(std::remove_if(lines.begin(), lines.end(),
                             [](const std::string& l) { return l.rfind("Not machined: ", 0) != 0; }),
              lines.end());
  return lines;
}

TEST(UnmachinedEntities, OneLinePerTypeAndLayer) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Entity("SPLINE", "ROUTE T3", {{10, "10"}, {20, "10"}});
  dxf.Entity("SPLINE", "ROUTE T3", {{10, "20"}, {20, "10"}});
  dxf.Entity("ELLIPSE", "ROUTE T3", {{10, "20"}, {20, "10"}});
  dxf.Entity("SPLINE", "EXCAV T3 K5", {{10, "20"}, {20, "10"}});
  dxf.Entity("INSERT", "VBORE D5", {{10, "20"}, {20, "10"}});
  dxf.Entity("HATCH", "GROOVE D5", {{10, "20"}, {20, "10"}});
  dxf.Entity("3DFACE", "BORDER", {{10, "20"}, {20, "10"}});
  EXPECT_EQ(NotMachinedLines(dxf),
            (std::vector<std::string>{
                "Not machined: SPLINE on layer ROUTE T3 (explode it in the drawing)",
                "Not machined: ELLIPSE on layer ROUTE T3 (explode it in the drawing)",
                "Not machined: SPLINE on layer EXCAV T3 K5 (explode it in the drawing)",
                "Not machined: INSERT on layer VBORE D5 (explode it in the drawing)",
                "Not machined: HATCH on layer GROOVE D5 (explode it in the drawing)",
                "Not machined: 3DFACE on layer BORDER (explode it in the drawing)",
            }));
}

TEST(UnmachinedEntities, WhatALayerKindMachinesIsNotReported) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Line("ROUTE T3", 10, 10, 20, 10);
  dxf.Arc("ROUTE T3", 10, 10, 5, 0, 90);
  dxf.Circle("ROUTE T3", 10, 10, 5);
  dxf.Polyline("ROUTE T3", {{10, 10}, {20, 20}}, 0);
  dxf.LwPolyline("ROTAR T3", {{10, 10}, {20, 20}}, 0);
  dxf.Text("ROUTE T3", 10, 10, "a note");
  dxf.Point("VBORE D5", 10, 10);
  dxf.Circle("DRILLING D5", 10, 10, 3);
  dxf.Line("GROOVE", 10, 10, 20, 10);
  dxf.Line("HBORE D5", 10, 10, 20, 10);
  dxf.Circle("HBORE D5", 10, 10, 3);
  dxf.Solid("PANEL", 0, 0, 600, 0, 600, 400);
  dxf.Entity("SPLINE", "WALLS", {{10, "20"}, {20, "10"}});  // not an operation layer
  EXPECT_TRUE(NotMachinedLines(dxf).empty());
}

TEST(UnmachinedEntities, MachinedTypesOnTheWrongKindOfLayerAreReported) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Point("ROUTE T3", 10, 10);
  dxf.Arc("GROOVE", 10, 10, 5, 0, 90);
  dxf.Circle("BORDER", 10, 10, 5);
  dxf.Polyline("PANEL", {{10, 10}, {20, 20}}, 0);
  EXPECT_EQ(NotMachinedLines(dxf),
            (std::vector<std::string>{"Not machined: POINT on layer ROUTE T3 (explode it in the drawing)",
                                      "Not machined: ARC on layer GROOVE (explode it in the drawing)",
                                      "Not machined: CIRCLE on layer BORDER (explode it in the drawing)",
                                      "Not machined: POLYLINE on layer PANEL (explode it in the drawing)"}));
}

TEST(UnmachinedEntities, TheLayerIsNamedAsDrawn) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Entity("SPLINE", "ROUTE T3 FA2000 FD500 LD10", {{10, "20"}, {20, "10"}});
  EXPECT_EQ(NotMachinedLines(dxf),
            (std::vector<std::string>{
                "Not machined: SPLINE on layer ROUTE T3 FA2000 FD500 LD10 (explode it in the drawing)"}));
}

}  // namespace
}  // namespace mq
