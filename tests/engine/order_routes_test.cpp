#include "engine/order_routes.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "contour_test_support.h"

namespace mq {
namespace {

using test::AddArc;
using test::AddLine;
using test::AddPolyline;
using test::PieceData;
using Starts = std::vector<std::pair<float, float>>;

// Each record's kind and point, in list order.
std::vector<std::tuple<int, float, float>> Records(const OneBasedList<PathSegment>& path) {
  std::vector<std::tuple<int, float, float>> records;
  for (const PathSegment& p : path) records.emplace_back(p.SegmentType, p.X, p.Y);
  return records;
}

// The start points of the pieces, in list order.
Starts PieceStarts(const OneBasedList<PathSegment>& path) {
  Starts starts;
  for (const PathSegment& p : path) {
    if (p.SegmentType < 0) starts.emplace_back(p.X, p.Y);
  }
  return starts;
}

TEST(OrderRoutes, LooseEndsOfAnOpenChainComeFirst) {
  ConversionState s;
  AddLine(s, 1000, 1000, 1010, 1000);  // touches nothing
  AddLine(s, 0, 0, 10, 0);             // loose start
  AddLine(s, 10, 0, 20, 0);            // middle of the chain
  AddLine(s, 20, 0, 30, 0);            // loose end
  OrderRoutes(s.PathList);
  EXPECT_EQ(PieceStarts(s.PathList), (Starts{{20, 0}, {0, 0}, {1000, 1000}, {10, 0}}));
  EXPECT_EQ(s.PathCount(), 8);
}

TEST(OrderRoutes, ClosedChainsAndLonePiecesKeepTheirOrder) {
  ConversionState s;
  AddLine(s, 0, 0, 100, 0);
  AddLine(s, 500, 500, 600, 500);
  AddLine(s, 100, 0, 100, 50);
  AddLine(s, 100, 50, 0, 50);
  AddLine(s, 0, 0, 0, 50);  // drawn the other way: its end touches the side before
  const auto before = Records(s.PathList);
  OrderRoutes(s.PathList);
  EXPECT_EQ(Records(s.PathList), before);
}

struct TouchCase {
  float dx, dy;
  bool touches;
};

class TouchTolerance : public testing::TestWithParam<TouchCase> {};

TEST_P(TouchTolerance, IsFiveThousandthsInXAndInY) {
  const TouchCase& c = GetParam();
  ConversionState s;
  AddLine(s, 0, 0, 10, 0);
  AddLine(s, 10 + c.dx, c.dy, 20, 0);
  OrderRoutes(s.PathList);
  const Starts moved{{10 + c.dx, c.dy}, {0, 0}};
  const Starts unmoved{{0, 0}, {10 + c.dx, c.dy}};
  EXPECT_EQ(PieceStarts(s.PathList), c.touches ? moved : unmoved) << c.dx << ", " << c.dy;
}

INSTANTIATE_TEST_SUITE_P(Gaps, TouchTolerance,
                         testing::Values(TouchCase{0.004f, 0, true}, TouchCase{0.006f, 0, false},
                                         TouchCase{0, -0.006f, false},
                                         TouchCase{0.0045f, 0.0045f, true}));  // 0.0064 apart

TEST(OrderRoutes, OnlyPiecesOfOneRouteLayerTouch) {
  ConversionState s;
  AddLine(s, 0, 0, 10, 0, PieceData().OnLayer(1));
  AddLine(s, 10, 0, 20, 0, PieceData().OnLayer(2));
  const auto before = Records(s.PathList);
  OrderRoutes(s.PathList);
  EXPECT_EQ(Records(s.PathList), before);
}

TEST(OrderRoutes, ArcsAreMovedBeforeLines) {
  // Both pieces are loose at one end. Arcs are moved first and lines after them, so the
  // line ends up in front.
  ConversionState s;
  AddLine(s, 10, 0, 20, 0);
  AddArc(s, 0, 0, 10, 0, 90);  // cut from (0, 10) to (10, 0), onto the line's start
  OrderRoutes(s.PathList);
  const Starts starts = PieceStarts(s.PathList);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0], std::make_pair(10.0f, 0.0f));
  EXPECT_EQ(s.PathList[3].SegmentType, -3);
  EXPECT_EQ(s.PathList[4].SegmentType, 3);
}

TEST(OrderRoutes, ConstantWidthPolylinesGoToTheFrontWhole) {
  ConversionState s;
  AddLine(s, 500, 500, 600, 500);
  AddPolyline(s, {{0, 0}, {10, 0}, {10, 10}}, false);
  s.PathList[3].SegmentType = -4;
  AddLine(s, 700, 500, 800, 500);
  AddPolyline(s, {{50, 50}, {60, 50}}, false);
  s.PathList[8].SegmentType = -4;
  OrderRoutes(s.PathList);
  ASSERT_EQ(s.PathCount(), 9);
  EXPECT_EQ(PieceStarts(s.PathList), (Starts{{50, 50}, {0, 0}, {500, 500}, {700, 500}}));
  // The first polyline's vertices stay behind its first one.
  EXPECT_EQ(s.PathList[3].SegmentType, -4);
  EXPECT_EQ(s.PathList[4].X, 10);
  EXPECT_EQ(s.PathList[5].Y, 10);
  EXPECT_EQ(s.PathList[6].SegmentType, -1);
}

TEST(OrderRoutes, ALastLoneWideVertexStaysWhereItIs) {
  ConversionState s;
  AddLine(s, 500, 500, 600, 500);
  AddPolyline(s, {{0, 0}}, false);
  s.PathList[3].SegmentType = -4;
  const auto before = Records(s.PathList);
  OrderRoutes(s.PathList);
  EXPECT_EQ(Records(s.PathList), before);
}

}  // namespace
}  // namespace mq
