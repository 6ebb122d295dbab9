// The points and circles of the panel are measured from its corner; those in an edge view
// (widened by the margins, bounds included) keep the drawing's coordinates.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/conversion.h"

namespace mq {
namespace {

std::string At(int box, float x, float y) {
  return std::to_string(box) + ":" + std::to_string(int(x * 10)) + "," + std::to_string(int(y * 10));
}

TEST(BoxTranslation, MovesThePanelsPointsAndCirclesToItsCorner) {
  test::DxfBuilder dxf;
  dxf.Rectangle("BORDER", 100, 100, 700, 500).Rectangle("BORDER", 100, 520, 700, 538);
  dxf.Rectangle("BORDER", 100, 62, 700, 80).Rectangle("BORDER", 62, 100, 80, 500);
  dxf.Rectangle("BORDER", 720, 100, 738, 500).Line("ROUTE T1", 150, 120, 400, 510.5);
  dxf.Line("ROUTE T2", 400, 530, 400, 510).Circle("ROUTE T3", 300, 300, 10).Circle("ROUTE T4", 70, 200, 5);
  test::Conversion c(dxf);
  c.Convert("TranslateToBoxes");
  std::map<int, std::vector<std::string>> points;  // by tool
  for (const PathSegment& p : c.state.PathList) points[p.Tool].push_back(At(p.Box, p.X, p.Y));
  EXPECT_EQ(points[1], (std::vector<std::string>{At(5, 50, 20), At(1, 400, 510.5f)}));
  EXPECT_EQ(points[2], (std::vector<std::string>{At(1, 400, 530), At(5, 300, 410)}));
  EXPECT_EQ(points[3], (std::vector<std::string>(2, At(5, 200, 210))));
  EXPECT_EQ(points[4], (std::vector<std::string>(2, At(3, 70, 205))));
  const CircleRecord &panel = c.state.CircleList[1], &view = c.state.CircleList[2];
  EXPECT_EQ(At(panel.Box, panel.CentreX, panel.CentreY), At(5, 200, 200));
  EXPECT_EQ(At(view.Box, view.CentreX, view.CentreY), At(3, 70, 200));
}

}  // namespace
}  // namespace mq
