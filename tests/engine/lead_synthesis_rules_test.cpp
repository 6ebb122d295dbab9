// Which contours get leads, with which values, and the leads of corner starts.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "engine/passes.h"
#include "lead_harness.h"
#include "support/tool_path_trace.h"

namespace mq {
namespace {

using test::kDepth;
using test::kLead;
using test::kRamp;
using test::LeadHarness;
using test::PathBuilder;
using test::RouteRecord;

constexpr double kTolerance = 2e-3;

// A closed cut-out of straight lines with corners (100, 100) and (300, 250), from the
// corner `start` (0 lower left, round counter-clockwise) in the given sense.
OneBasedList<PathSegment> CornerStartCutOut(const PathSegment& defaults, bool counterClockwise, int start) {
  std::vector<test::BuildPoint> corners{{100, 100}, {300, 100}, {300, 250}, {100, 250}};
  if (!counterClockwise) std::swap(corners[1], corners[3]);
  PathBuilder b;
  b.Defaults(defaults);
  for (int i = 0; i < 4; ++i) b.Line(corners[(start + i) % 4], corners[(start + i + 1) % 4], i == 0);
  return b.Build();
}

// A closed cut-out well inside the panel, started in the middle of its lower side.
OneBasedList<PathSegment> InsideCutOut(const PathSegment& layer) {
  return PathBuilder()
      .Defaults(layer)
      .Polyline({{200, 100}, {300, 100}, {300, 250}, {100, 250}, {100, 100}}, true)
      .Build();
}

// Radius of the lead-in arc that the synthesis put in front of the contour.
double LeadInRadius(const OneBasedList<PathSegment>& path) {
  return std::hypot(path[1].X - path[1].CentreX, path[1].Y - path[1].CentreY);
}

TEST(LeadValues, LayerLengthNineHundredNinetyNineMeansTheDefaultLength) {
  LeadHarness h;
  h.state.LeadsOn = false;
  h.state.EffectiveLeadLength = 12;
  h.store.Current.LeadCodeSeen = true;
  h.path() = InsideCutOut(RouteRecord(kDepth, "G41 ", 999));
  SynthesizeLeads(h.context);
  ASSERT_EQ(h.path()[1].SegmentType, -3);
  EXPECT_NEAR(LeadInRadius(h.path()), 12, kTolerance);
}

TEST(LeadValues, LayerLengthWinsOverTheDefaultAndNeedsNoLeadsSwitch) {
  LeadHarness h;
  h.state.LeadsOn = false;
  h.state.EffectiveLeadLength = 0;
  h.store.Current.LeadCodeSeen = true;
  h.path() = InsideCutOut(RouteRecord(kDepth, "G42 ", 15));
  SynthesizeLeads(h.context);
  ASSERT_EQ(h.path()[1].SegmentType, -3);
  EXPECT_NEAR(LeadInRadius(h.path()), 15, kTolerance);
}

TEST(LeadValues, RampCodesWithoutValueUseTheRampHeightEvenWithTheSwitchesOff) {
  LeadHarness h;
  PathSegment layer = RouteRecord(kDepth, "G41 ");
  layer.RI = 999;
  layer.RO = 999;
  h.path() = InsideCutOut(layer);
  SynthesizeLeads(h.context);
  EXPECT_EQ(h.path()[1].Z, -kRamp);
  EXPECT_EQ(h.path()[h.path().size()].Z, -kRamp);  // the overrun's end
  EXPECT_EQ(h.path()[h.path().size()].SegmentType, 1);
}

TEST(LeadValues, LayerRampHeightsAreHeightsAboveTheSurface) {
  LeadHarness h;
  h.state.RampIn = true;  // the layer's own value wins
  PathSegment layer = RouteRecord(kDepth, "G41 ");
  layer.RI = 3;
  h.path() = InsideCutOut(layer);
  SynthesizeLeads(h.context);
  EXPECT_EQ(h.path()[1].Z, -3);
}

struct UntouchedCase {
  const char* name;
  OneBasedList<PathSegment> path;
  int16_t box = kPanelBox;
};
void PrintTo(const UntouchedCase& c, std::ostream* os) { *os << c.name; }

class LeadsLeaveAlone : public ::testing::TestWithParam<UntouchedCase> {};

TEST_P(LeadsLeaveAlone, TheContour) {
  LeadHarness h;
  h.state.PartExtents[1] = {0, 600, 420, 439, 600, 19, true};  // the edge view above the panel
  h.path() = GetParam().path;
  for (PathSegment& r : h.path()) r.Box = GetParam().box;
  const OneBasedList<PathSegment> before = h.path();
  SynthesizeLeads(h.context);
  EXPECT_EQ(h.path(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeadsLeaveAlone,
    ::testing::Values(UntouchedCase{"OpenContour", PathBuilder()
                                                       .Defaults(RouteRecord(kDepth, "G41 "))
                                                       .Polyline({{200, 100}, {300, 100}, {300, 250}}, false)
                                                       .Build()},
                      UntouchedCase{"StartOnThePanelEdge",
                                    PathBuilder()
                                        .Defaults(RouteRecord(kDepth, "G41 "))
                                        .Polyline({{300, 0}, {600, 0}, {600, 400}, {0, 400}, {0, 0}}, true)
                                        .Build()},
                      UntouchedCase{"CutAlongAnEdgeOfTheEdgeView",
                                    PathBuilder()
                                        .Defaults(RouteRecord(5, "G41 "))
                                        .Polyline({{50, 420}, {100, 420}, {100, 430}, {50, 430}}, true)
                                        .Build(),
                                    1},
                      UntouchedCase{"WithoutCompensation", InsideCutOut(RouteRecord(kDepth, ""))}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(LeadsLeaveAlone, PanelEdgeIsMeasuredFromThePanelOrigin) {
  // The panel drawn at (1000, 500): its points have been moved to the panel origin.
  LeadHarness h;
  h.state.PartExtents[kPanelBox] = {1000, 1600, 500, 900, 600, 400, true};
  h.state.PartOriginX = 1000;
  h.state.PartOriginY = 500;
  h.path() = PathBuilder()
                 .Defaults(RouteRecord(kDepth, "G41 "))
                 .Polyline({{300, 0}, {600, 0}, {600, 400}, {0, 400}, {0, 0}}, true)
                 .Build();
  const OneBasedList<PathSegment> outline = h.path();
  SynthesizeLeads(h.context);
  EXPECT_EQ(h.path(), outline);
}

TEST(LeadCleanUp, NothingEnabledLeavesTheListButForTheCleanUp) {
  LeadHarness h;
  h.state.LeadsOn = false;
  h.state.EffectiveLeadLength = 0;
  OneBasedList<PathSegment> path = PathBuilder()
                                       .Defaults(RouteRecord(kDepth, "G41 "))
                                       .Polyline({{200, 100}, {300, 100}, {300, 250}, {100, 250}}, true)
                                       .Polyline({{400, 100}, {450, 100}, {450, 150}}, false)
                                       .Build();
  path[6].SegmentType = -segment::kConstantWidth;  // a constant-width polyline's first vertex
  PathSegment removed = path[3];
  removed.SegmentType = segment::kRemoved;
  path.insert(3, removed);
  h.path() = path;
  SynthesizeLeads(h.context);

  OneBasedList<PathSegment> expected = path;
  expected.erase(7);  // the -4 vertex; the vertex after it starts the contour
  expected[7].ChainFlag = kContourStart;
  expected.erase(3);  // the removed record; the record after it starts a contour
  expected[3].ChainFlag = kContourStart;
  EXPECT_EQ(h.path(), expected);
}

TEST(LeadCleanUp, RemovedRecordsAtTheEndAreDropped) {
  LeadHarness h;
  h.state.LeadsOn = false;
  h.path() = PathBuilder().Defaults(RouteRecord(kDepth)).Line({0, 0}, {10, 0}, true).Build();
  PathSegment removed;
  removed.SegmentType = segment::kRemoved;
  h.path().push_back(removed);
  h.path().push_back(removed);
  SynthesizeLeads(h.context);
  EXPECT_EQ(h.path().size(), 2);
}

// G41 leads lie on the right of travel. Started on a corner that turns right, the
// right-hand side is inside the corner: the leads come along the corner's bisector.
TEST(CornerStartLeads, G41RightTurnStartLeadsAlongTheBisector) {
  LeadHarness h;
  // Clockwise from the upper-right corner: arrive heading east (0), leave heading south (270).
  h.path() = CornerStartCutOut(RouteRecord(kDepth, "G41 "), false, 2);
  const int contourSize = h.path().size();
  SynthesizeLeads(h.context);
  const OneBasedList<PathSegment>& path = h.path();
  ASSERT_EQ(path.size(), contourSize + 2);
  const double d = kLead / std::sqrt(2.0);
  EXPECT_EQ(path[1].SegmentType, -1);
  EXPECT_EQ(path[1].ChainFlag, kContourStart);
  EXPECT_NEAR(path[1].X, 300 - d, kTolerance);
  EXPECT_NEAR(path[1].Y, 250 - d, kTolerance);
  EXPECT_EQ(path[2].SegmentType, 1);  // the former start, now the end of the straight lead
  EXPECT_EQ(path[2].ChainFlag, 0);
  EXPECT_EQ(path[path.size()].SegmentType, 1);
  EXPECT_NEAR(path[path.size()].X, 300 - d, kTolerance);
  EXPECT_NEAR(path[path.size()].Y, 250 - d, kTolerance);
}

TEST(CornerStartLeads, G42LeftTurnStartLeadsAlongTheBisectorInsideTheCorner) {
  LeadHarness h;
  h.state.RampIn = true;
  // Counter-clockwise from the lower-left corner: arrive heading south (270), leave east (0).
  h.path() = CornerStartCutOut(RouteRecord(kDepth, "G42 "), true, 0);
  SynthesizeLeads(h.context);
  const OneBasedList<PathSegment>& path = h.path();
  const double d = kLead / std::sqrt(2.0);
  ASSERT_EQ(path[1].SegmentType, -1);
  EXPECT_NEAR(path[1].X, 100 + d, kTolerance);
  EXPECT_NEAR(path[1].Y, 100 + d, kTolerance);
  EXPECT_EQ(path[1].Z, -kRamp);
  EXPECT_NEAR(path[path.size()].X, 100 + d, kTolerance);
  EXPECT_NEAR(path[path.size()].Y, 100 + d, kTolerance);
}

TEST(CornerStartLeads, G41LeftTurnStartKeepsTheQuarterArcLeads) {
  LeadHarness h;
  h.path() = CornerStartCutOut(RouteRecord(kDepth, "G41 "), true, 0);
  const int contourSize = h.path().size();
  SynthesizeLeads(h.context);
  ASSERT_EQ(h.path().size(), contourSize + 4);
  EXPECT_EQ(h.path()[1].SegmentType, -3);
  EXPECT_NEAR(h.path()[1].CentreX, 100, kTolerance);  // 20 to the right of the first side
  EXPECT_NEAR(h.path()[1].CentreY, 80, kTolerance);
}

TEST(StraightLeadIn, WhenTheLastArcTurnsTowardsTheLeadSideWithinTheLeadLength) {
  LeadHarness h;
  // Clockwise, ending with a clockwise arc of radius 10 round (200, 110) into S = (200, 100).
  h.path() = PathBuilder()
                 .Defaults(RouteRecord(kDepth, "G41 "))
                 .Line({200, 100}, {100, 100}, true)
                 .Line({100, 100}, {100, 200}, false)
                 .Line({100, 200}, {210, 200}, false)
                 .Line({210, 200}, {210, 110}, false)
                 .Arc({200, 110}, 10, 0, 270, false, false)
                 .Build();
  SynthesizeLeads(h.context);
  const OneBasedList<PathSegment>& path = h.path();
  ASSERT_EQ(path[1].SegmentType, -1);
  EXPECT_EQ(path[1].ChainFlag, kContourStart);
  // Arriving heading west (180): d_end - 90 points north.
  EXPECT_NEAR(path[1].X, 200, kTolerance);
  EXPECT_NEAR(path[1].Y, 100 + kLead, kTolerance);
  EXPECT_EQ(path[2].SegmentType, 1);
  EXPECT_EQ(path[2].ChainFlag, 0);
}

TEST(LeadsOfSeveralContours, EachEligibleContourGetsItsOwnLeadsInPlace) {
  LeadHarness h;
  h.path() = PathBuilder()
                 .Defaults(RouteRecord(kDepth, "G41 "))
                 .Polyline({{200, 100}, {300, 100}, {300, 250}, {100, 250}, {100, 100}}, true)
                 .Defaults(RouteRecord(kDepth, ""))
                 .Line({10, 10}, {20, 10}, true)
                 .Defaults(RouteRecord(kDepth, "G42 "))
                 .Polyline({{450, 100}, {500, 100}, {500, 200}, {400, 200}, {400, 100}}, true)
                 .Build();
  SynthesizeLeads(h.context);
  const OneBasedList<PathSegment>& path = h.path();
  ASSERT_EQ(path.size(), (2 + 6 + 2) + 2 + (2 + 6 + 2));
  EXPECT_EQ(path[1].ChainFlag, kContourStart);
  EXPECT_EQ(path[11].ChainFlag, kContourStart);
  EXPECT_EQ(path[11].X, 10);
  EXPECT_EQ(path[13].ChainFlag, kContourStart);
  EXPECT_EQ(path[13].SegmentType, -3);
  // G42: the lead centre lies to the left of travel, inside the second cut-out.
  EXPECT_NEAR(path[13].CentreX, 450, kTolerance);
  EXPECT_NEAR(path[13].CentreY, 100 + kLead, kTolerance);
  int starts = 0;
  for (const PathSegment& r : path) starts += r.ChainFlag == kContourStart ? 1 : 0;
  EXPECT_EQ(starts, 3);
}

}  // namespace
}  // namespace mq
