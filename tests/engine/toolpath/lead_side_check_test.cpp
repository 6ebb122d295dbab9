// Leads never silently cut the panel: a cut-out whose lead falls outside it is warned
// about, once, naming its layer and drawing line, and its program is still written.
// Leads of a G41 (L) contour lie right of the direction of travel, of G42 (R) left;
// circles are cut clockwise, so L puts their leads outside them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion.h"

namespace mq {
namespace {

using test::DxfVertex;

constexpr double kBulge = 0.41421356;  // a quarter circle

// A 200 x 200 cut-out at (200..400, 100..300), counter-clockwise or clockwise, as a
// closed polyline with square or rounded corners.
std::vector<DxfVertex> CutOut(bool clockwise, bool rounded) {
  const double b = rounded ? kBulge : 0;
  std::vector<DxfVertex> ccw = {{220, 100, 0}, {380, 100, b}, {400, 120, 0}, {400, 280, b},
                                {380, 300, 0}, {220, 300, b}, {200, 280, 0}, {200, 120, b}};
  if (!rounded) ccw = {{200, 100, 0}, {400, 100, 0}, {400, 300, 0}, {200, 300, 0}};
  if (!clockwise) return ccw;
  std::vector<DxfVertex> cw;
  for (auto v = ccw.rbegin(); v != ccw.rend(); ++v) cw.push_back({v->x, v->y, 0});
  // A bulge belongs to the piece that leaves its vertex: reversed, it moves one vertex on.
  for (std::size_t k = 0; k + 1 < cw.size(); ++k) cw[k].bulge = -ccw[ccw.size() - 2 - k].bulge;
  cw.back().bulge = -ccw.back().bulge;
  return cw;
}

TEST(LeadSideCheck, WarnsExactlyWhenALeadLeavesItsCutOut) {
  struct Case {
    const char* name;
    std::string layer;  // the cut-out's layer, after "ROUTE Z19 T3 D10 LD20 "
    int shape;          // 0 square, 1 rounded (bulges), 2 circle
    bool clockwise;
    bool corner_comp;  // a mid-side start; without it a square cut-out starts on a corner
    bool warns;
  };
  const Case cases[] = {
      {"square ccw L", "L", 0, false, true, true},
      {"square ccw R", "R", 0, false, true, false},
      {"square cw L", "L", 0, true, true, false},
      {"square cw R", "R", 0, true, true, true},
      {"square cw L on a corner", "L", 0, true, false, true},  // the lead-in arc bulges out
      {"rounded ccw L", "L", 1, false, false, true},
      {"rounded ccw R", "R", 1, false, false, false},
      {"rounded cw L", "L", 1, true, false, false},
      {"rounded cw R", "R", 1, true, false, true},
      {"circle L", "L", 2, false, false, true},
      {"circle R", "R", 2, false, false, false},
      {"square ccw L ramps", "L RI5 RO5", 0, false, true, true},
      {"square ccw R ramps", "R RI5 RO5", 0, false, true, false},
      {"circle R ramps", "R RI5 RO5", 2, false, false, false},
      {"circle L ramps", "L RI5 RO5", 2, false, false, true},
  };
  for (const Case& k : cases) {
    const std::string layer = "ROUTE Z19 T3 D10 LD20 " + k.layer;
    test::DxfBuilder drawing = test::PanelOfLines(0, 0, "BORDER Z19");
    if (k.shape == 2) {
      drawing.Circle(layer, 300, 200, 60);
    } else {
      drawing.Polyline(layer, CutOut(k.clockwise, k.shape == 1), 1);
    }
    if (k.corner_comp) drawing = test::WithInstructions(drawing, {"CORNERCOMP ON"});
    test::Conversion c(drawing);
    const std::vector<std::string> lines = c.Process();
    const std::string warning = "Lead outside its cut-out on layer " + layer +
                                " (drawing line 69): check the drawing direction or the compensation code.";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), warning), k.warns ? 1 : 0) << k.name << "\n"
                                                                                << c.run.PendingMessage;
    EXPECT_FALSE(c.run.FileFailed) << k.name;
    EXPECT_FALSE(c.Written("out/PART").empty()) << k.name << ": the program is still written";
  }
}

}  // namespace
}  // namespace mq
