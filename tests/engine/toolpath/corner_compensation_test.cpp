// Corner compensation: closed polyline contours started in the middle of their first side.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"
#include "support/path_builder.h"

namespace mq {
namespace {

using test::PathBuilder;
using test::RouteRecord;

TEST(CornerCompensation, MovesTheStartOfClosedPolylinesToTheMiddleOfAStraightFirstSide) {
  const auto rectangle = PathBuilder()
                             .Defaults(RouteRecord(20))
                             .Polyline({{0, 0}, {600, 0}, {600, 400}, {0, 400}}, true)
                             .Build();
  // The old corner (0, 0) stays on the path, just before the new end.
  const std::vector<std::string> mid_side{"-5 300,0 f-8", "5 600,0", "5 600,400",
                                          "5 0,400",      "5 0,0",   "5 300,0"};
  struct Case {
    const char* name;
    OneBasedList<PathSegment> path;
    TriState mode;
    int check_box;
    std::vector<std::string> records;  // empty: unchanged
  };
  const Case cases[] = {
      {"ModeOn", rectangle, kStatedOn, 0, mid_side},
      {"CheckBoxWhenTheDrawingSaysNothing", rectangle, kNotStated, 1, mid_side},
      {"EachContourGrowsByOne",
       PathBuilder()
           .Defaults(RouteRecord(10))
           .Polyline({{0, 0}, {0, 100}, {50, 100}, {50, 0}}, true)
           .Line({200, 0}, {300, 0}, true)
           .Polyline({{400, 0}, {500, 0}, {500, 80}}, true)
           .Build(),
       kStatedOn,
       0,
       {"-5 0,50 f-8", "5 0,100", "5 50,100", "5 50,0", "5 0,0", "5 0,50", "-1 200,0 f-8", "1 300,0",
        "-5 450,0 f-8", "5 500,0", "5 500,80", "5 400,0", "5 450,0"}},
      {"ModeOffWinsOverTheCheckBox", rectangle, kStatedOff, 1, {}},
      {"NotStatedAndCheckBoxClear", rectangle, kNotStated, 0, {}},
      {"OpenPolyline",
       PathBuilder().Defaults(RouteRecord(5)).Polyline({{0, 0}, {600, 0}, {600, 400}}, false).Build(),
       kStatedOn,
       0,
       {}},
      {"FirstPieceIsAnArc",
       PathBuilder()
           .Defaults(RouteRecord(5))
           .Polyline({{0, 0, 0.5f}, {600, 0}, {600, 400}, {0, 400}}, true)
           .Build(),
       kStatedOn,
       0,
       {}},
      {"LineContoursAreNotPolylines",
       PathBuilder().Defaults(RouteRecord(5)).Lines({{0, 0}, {10, 0}, {10, 10}, {0, 0}}).Build(),
       kStatedOn,
       1,
       {}},
  };
  for (const Case& c : cases) {
    test::PassHarness h;
    h.state.CornerCompMode = c.mode;
    h.settings.CornerComp = c.check_box;
    h.path() = c.path;
    CompensateCorners(h.context);
    if (c.records.empty()) {
      EXPECT_EQ(h.path(), c.path) << c.name;
    } else {
      EXPECT_EQ(test::Describe(h.path()), c.records) << c.name;
    }
  }
}

}  // namespace
}  // namespace mq
