// Route ordering before contour joining: which pieces of PathList go to the front.

#include "engine/ordering/order_routes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/driver_harness.h"
#include "support/path_builder.h"

namespace mq {
namespace {

using test::PathBuilder;

// DXF LINEs from (x1, y1) to (x2, y2) as the route pass lays them down.
struct DrawnLine {
  float x1, y1, x2, y2;
  int16_t layer = 1;
};
PathBuilder Lines(const std::vector<DrawnLine>& lines) {
  PathBuilder b;
  for (const DrawnLine& l : lines) {
    PathSegment r = test::RouteRecord(10);
    r.LayerNumber = l.layer;
    b.Defaults(r).Line({l.x1, l.y1}, {l.x2, l.y2}, false);
  }
  return b;
}

// The pieces of the list: each from a record with a negative SegmentType to the next.
std::vector<std::vector<PathSegment>> Pieces(const OneBasedList<PathSegment>& path) {
  std::vector<std::vector<PathSegment>> pieces;
  for (const PathSegment& r : path) {
    if (r.SegmentType < 0 || pieces.empty()) pieces.emplace_back();
    pieces.back().push_back(r);
  }
  return pieces;
}

struct OrderCase {
  std::string name;
  OneBasedList<PathSegment> path;
  std::vector<int> order;  // the pieces of `path`, 0-based, in their new order
};

class RouteOrdering : public testing::TestWithParam<OrderCase> {};

TEST_P(RouteOrdering, MovesWholePiecesToTheFront) {
  const OrderCase& oc = GetParam();
  const auto pieces = Pieces(oc.path);
  OneBasedList<PathSegment> expected;
  for (int k : oc.order)
    for (const PathSegment& r : pieces[static_cast<std::size_t>(k)]) expected.push_back(r);
  OneBasedList<PathSegment> path = oc.path;
  OrderRoutes(path);
  EXPECT_EQ(path, expected);
}

OrderCase TouchCase(const char* name, float dx, float dy, bool touches) {
  return {name, Lines({{0, 0, 10, 0}, {10 + dx, dy, 20, 0}}).Build(),
          touches ? std::vector<int>{1, 0} : std::vector<int>{0, 1}};
}

// Two lines and two constant-width polylines (first vertex -4).
OneBasedList<PathSegment> WidePolylines(bool lone_vertex) {
  PathBuilder b = Lines({{500, 500, 600, 500}});
  b.Polyline(lone_vertex ? std::vector<test::BuildVertex>{{0, 0}}
                         : std::vector<test::BuildVertex>{{0, 0}, {10, 0}, {10, 10}},
             false, false);
  if (!lone_vertex)
    b.Defaults(test::RouteRecord(10))
        .Line({700, 500}, {800, 500}, false)
        .Polyline({{50, 50}, {60, 50}}, false, false);
  OneBasedList<PathSegment> path = b.Build();
  path[3].SegmentType = -segment::kConstantWidth;
  if (!lone_vertex) path[8].SegmentType = -segment::kConstantWidth;
  return path;
}

std::vector<OrderCase> OrderCases() {
  return {
      // A lone piece, then an open chain of three drawn in order.
      {"LooseEndsOfAnOpenChainComeFirst",
       Lines({{1000, 1000, 1010, 1000}, {0, 0, 10, 0}, {10, 0, 20, 0}, {20, 0, 30, 0}}).Build(),
       {3, 1, 0, 2}},
      // A closed chain (its last side drawn the other way) and a lone piece.
      {"ClosedChainsAndLonePiecesKeepTheirOrder",
       Lines({{0, 0, 100, 0}, {500, 500, 600, 500}, {100, 0, 100, 50}, {100, 50, 0, 50}, {0, 0, 0, 50}})
           .Build(),
       {0, 1, 2, 3, 4}},
      TouchCase("TouchWithinFiveThousandthsInX", 0.004f, 0, true),
      TouchCase("NoTouchBeyondFiveThousandthsInX", 0.006f, 0, false),
      TouchCase("NoTouchBeyondFiveThousandthsInY", 0, -0.006f, false),
      TouchCase("TouchIsTestedOnXAndYApart", 0.0045f, 0.0045f, true),  // 0.0064 apart
      {"OnlyPiecesOfOneRouteLayerTouch", Lines({{0, 0, 10, 0, 1}, {10, 0, 20, 0, 2}}).Build(), {0, 1}},
      // Both loose at one end: arcs are moved first, lines after them, so the line leads.
      {"ArcsAreMovedBeforeLines",
       Lines({{10, 0, 20, 0}}).Arc({0, 0}, 10, 90, 0, false, false).Build(),
       {0, 1}},
      // Moved whole (the mended rule): moving only the first two records would leave the
      // third vertex behind, appended to the contour before it.
      {"ConstantWidthPolylinesGoToTheFrontWhole", WidePolylines(false), {3, 1, 0, 2}},
      {"ALastLoneWideVertexStaysWhereItIs", WidePolylines(true), {0, 1}},
  };
}

INSTANTIATE_TEST_SUITE_P(Cases, RouteOrdering, testing::ValuesIn(OrderCases()), test::CaseName{});

}  // namespace
}  // namespace mq
