// The machine corner named in the border layer, and the move of every list to it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/bores_test_context.h"
#include "engine/driver_harness.h"

namespace mq {
namespace {

// One border line per layer; R: X measured from the right, T: Y from the top, N: no code.
// Codes are looked for in the order LL, UL, UR, LR, the later code of that order winning;
// a later border entity overrides an earlier one; only names beginning BORDER count.
TEST(BorderLayerCodes, SelectTheMachineCorner) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"BORDER"}, ""},    {{"BORDERLL"}, ""},       {{"BORDERUL"}, "T"},     {{"BORDERUR"}, "RT"},
      {{"BORDERLR"}, "R"}, {{"BORDER UL LR"}, "R"},  {{"BORDER LR UL"}, "R"}, {{"BORDER UR LL"}, "RT"},
      {{"BORDERNO"}, "N"}, {{"BORDERUR NO"}, "RTN"}, {{"MYBORDERUR"}, ""},    {{"BORDERUR", "BORDERLL"}, ""}};
  for (const auto& [layers, expected] : cases) {
    test::DxfBuilder dxf;
    for (const std::string& layer : layers) dxf.Line(layer, 0, 0, 600, 0);
    test::Drawing d(dxf);
    ReadBorderLayerCodes(d.c);
    const ConversionState& s = d.state;
    EXPECT_EQ(std::string(s.XFromRight ? "R" : "") + (s.YFromTop ? "T" : "") + (s.NoCodeFlag ? "N" : ""),
              expected)
        << layers.back();
  }
}

PathSegment Segment(int16_t type, float x, float y, float centre_x, float centre_y) {
  PathSegment p;
  p.SegmentType = type;
  p.X = x, p.Y = y, p.CentreX = centre_x, p.CentreY = centre_y;
  return p;
}

// A 600 x 400 panel whose lists hold one item of each kind, measured from the lower left.
TEST(MachineCorner, MeasuresEveryListFromTheNamedCorner) {
  using V = std::vector<float>;
  for (const bool right : {false, true}) {
    for (const bool top : {false, true}) {
      SCOPED_TRACE(std::string(top ? "upper " : "lower ") + (right ? "right" : "left"));
      test::BoresContext t;
      ConversionState& s = t.state;
      t.SetPanel(0, 0, 600, 400);
      s.XFromRight = right;
      s.YFromTop = top;
      s.PathList = {Segment(-3, 100, 50, 150, 50), Segment(3, 200, 50, 0, 180), Segment(1, 250, 60, 7, 8)};
      BoreRecord& bore = s.BoreList.raw().emplace_back();
      bore.X = 30, bore.Y = 40;
      LineBoreRecord& groove = s.LineBoreList.raw().emplace_back();
      groove.X1 = 10, groove.Y1 = 20, groove.X2 = 110, groove.Y2 = 30;
      CircleRecord& circle = s.CircleList.raw().emplace_back();
      circle.CentreX = 300, circle.CentreY = 100;
      for (int16_t side = 1; side <= 4; ++side) {
        EdgeBoreRecord& edge = s.EdgeBoreList.raw().emplace_back();
        edge.Side = side, edge.X = 50, edge.Y = 60, edge.Z = 9;
      }
      TransformToMachineCorner(t.c);
      auto x = [&](float v) { return right ? 600 - v : v; };
      auto y = [&](float v) { return top ? 400 - v : v; };
      V path;
      for (const PathSegment& p : s.PathList) path.insert(path.end(), {p.X, p.Y, p.CentreX, p.CentreY});
      // An arc start carries its centre; an arc end holds angles and a line end no centre.
      EXPECT_EQ(path, V({x(100), y(50), x(150), y(50), x(200), y(50), 0, 180, x(250), y(60), 7, 8}));
      EXPECT_EQ(V({bore.X, bore.Y}), V({x(30), y(40)}));
      EXPECT_EQ(V({groove.X1, groove.Y1, groove.X2, groove.Y2}), V({x(10), y(20), x(110), y(30)}));
      EXPECT_EQ(V({circle.CentreX, circle.CentreY}), V({x(300), y(100)}));
      // Top and bottom edges hold the place along the edge in X, left and right edges in Y.
      for (const EdgeBoreRecord& e : s.EdgeBoreList)
        EXPECT_EQ(V({e.X, e.Y, e.Z}), V({e.Side <= 2 ? x(50) : 50, e.Side >= 3 ? y(60) : 60, 9})) << e.Side;
    }
  }
}

}  // namespace
}  // namespace mq
