// Lead-ins, lead-outs and ramps of closed compensated contours: which contours get them,
// with which values, the tangent quarter arcs of smooth starts and the bisector leads of
// corner starts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/driver_harness.h"
#include "engine/geometry/angles.h"
#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"
#include "support/path_builder.h"

namespace mq {
namespace {

using test::PathBuilder;
using test::RouteRecord;

constexpr float kLead = 20;
constexpr float kDepth = 19.5f;
constexpr float kRamp = 5;
constexpr double kTolerance = 2e-3;

// A 600 x 400 panel drawn at (1000, 1000), its points moved to the panel origin; lead
// length 20 with leads on, ramp height 5 with both ramps off.
struct LeadHarness : test::PanelHarness {
  LeadHarness() : PanelHarness(600, 400, 1000) {
    state.EffectiveLeadLength = kLead;
    state.EffectiveRampHeight = kRamp;
    state.LeadsOn = true;
  }
  const OneBasedList<PathSegment>& Synthesize(const OneBasedList<PathSegment>& contours) {
    path() = contours;
    SynthesizeLeads(context);
    return path();
  }
};

// A closed cut-out well inside the panel, started in the middle of its lower side.
OneBasedList<PathSegment> InsideCutOut(const PathSegment& layer) {
  return PathBuilder()
      .Defaults(layer)
      .Polyline({{200, 100}, {300, 100}, {300, 250}, {100, 250}, {100, 100}}, true)
      .Build();
}

// The cut-out drawn as a polyline from (100, 100), `width` wide, started in the middle of
// its first side by corner compensation.
OneBasedList<PathSegment> MidSideCutOut(const char* compCode, float width = 200) {
  LeadHarness h;
  h.state.CornerCompMode = kStatedOn;
  h.path() = PathBuilder()
                 .Defaults(RouteRecord(kDepth, compCode))
                 .Polyline({{100, 100}, {100 + width, 100}, {100 + width, 250}, {100, 250}}, true)
                 .Build();
  CompensateCorners(h.context);
  return h.path();
}

// A cut-out whose first piece is a centre arc from (200, 100) round (200, 150) up to
// (250, 150), reached along the line from (150, 100): the start is smooth on the arc.
OneBasedList<PathSegment> ArcFirstCutOut(const char* compCode) {
  return PathBuilder()
      .Defaults(RouteRecord(kDepth, compCode))
      .Arc({200, 150}, 50, 270, 360, true, true)
      .Lines({{250, 150}, {250, 250}, {150, 250}, {150, 100}, {200, 100}}, false)
      .Build();
}

// A quarter circle round (200, 150) from (200, 100) to (250, 150), drawn as a bulge, as
// the first piece of a cut-out reached along the line from (150, 100).
OneBasedList<PathSegment> BulgeFirstCutOut(const char* compCode) {
  const float quarter = static_cast<float>(std::tan(std::acos(-1.0) / 8));
  return PathBuilder()
      .Defaults(RouteRecord(kDepth, compCode))
      .Polyline({{200, 100, quarter}, {250, 150}, {250, 250}, {150, 250}, {150, 100}}, true)
      .Build();
}

// --- Smooth starts -------------------------------------------------------------------------

// Each cut-out leaves S = (200, 100) heading east and arrives there heading east: on a
// straight side, on a centre arc or on a bulge. The leads are quarter arcs of radius L
// tangent at S on the lead side, their centres at d - 90 for G41 (20 below S) and d + 90
// for G42 (20 above); the contour stands between them unchanged but for its mark.
TEST(SmoothStartLeads, AreTangentQuarterArcsOnTheLeadSide) {
  using Records = std::vector<std::string>;
  const Records g41_in{"-3 180,80 c200,80 f-8", "3 200,100 c180,90"},
      g41_out{"-3 200,100 c200,80", "3 220,80 c90,0"};
  const Records g42_in{"-3 180,120 c200,120 f-8", "3 200,100 c180,270 f-1"};
  const Records g42_out{"-3 200,100 c200,120", "3 220,120 c270,0 f-1"};
  const std::tuple<const char*, OneBasedList<PathSegment>, Records, Records> cases[] = {
      {"MidSideG41", MidSideCutOut("G41 "), g41_in, g41_out},
      {"MidSideG42", MidSideCutOut("G42 "), g42_in, g42_out},
      {"CentreArcFirstSideG41", ArcFirstCutOut("G41 "), g41_in, g41_out},
      {"CentreArcFirstSideG42", ArcFirstCutOut("G42 "), g42_in, g42_out},
      {"BulgeFirstSideG41", BulgeFirstCutOut("G41 "), g41_in, g41_out},
  };
  for (const auto& [name, contour, lead_in, lead_out] : cases) {
    LeadHarness h;
    Records expected = lead_in;
    for (const std::string& r : test::Describe(contour))
      expected.push_back(r.ends_with(" f-8") ? r.substr(0, r.size() - 4) : r);
    expected.insert(expected.end(), lead_out.begin(), lead_out.end());
    EXPECT_EQ(test::Describe(h.Synthesize(contour)), expected) << name;
    for (const PathSegment& r : h.path()) EXPECT_EQ(r.Z, kDepth) << name << ": no ramps asked for";
  }
}

// The G41 cut-out started mid-side, travelling east from S = (200, 100): the lead
// centres lie 20 below S (d - 90). A ramp-in lowers only the lead's first point; a
// ramp-out overrun repeats the first L of the contour, clipped to the first side.
TEST(Ramps, OfTheMidSideCutOut) {
  LeadHarness plain;
  EXPECT_EQ(test::Describe(plain.Synthesize(MidSideCutOut("G41 "))),
            (std::vector<std::string>{"-3 180,80 c200,80 f-8", "3 200,100 c180,90", "-5 200,100", "5 300,100",
                                      "5 300,250", "5 100,250", "5 100,100", "5 200,100",
                                      "-3 200,100 c200,80", "3 220,80 c90,0"}));
  const std::tuple<const char*, bool, float, std::string, float, float> cases[] = {
      {"RampIn", false, 200, "3 220,80 c90,0", -kRamp, kDepth},
      {"RampOutAlongTheFirstSide", true, 200, "1 220,100", kDepth, -kRamp},
      {"RampOutClippedToAShortFirstSide", true, 30, "1 130,100", kDepth, -kRamp},
  };
  for (const auto& [name, ramp_out, width, last, first_z, last_z] : cases) {
    LeadHarness h;
    h.state.RampIn = !ramp_out;
    h.state.RampOut = ramp_out;
    const OneBasedList<PathSegment>& path = h.Synthesize(MidSideCutOut("G41 ", width));
    EXPECT_EQ(test::Describe(path).back(), last) << name;
    for (int i = 1; i <= path.size(); ++i) {
      EXPECT_EQ(path[i].Z, i == 1 ? first_z : i == path.size() ? last_z : kDepth) << name << " " << i;
    }
  }
}

TEST(Ramps, RampOutOnACentreArcFirstPieceFollowsTheArcOnItsRadius) {
  LeadHarness h;
  h.state.RampOut = true;
  const OneBasedList<PathSegment>& path = h.Synthesize(ArcFirstCutOut("G41 "));
  ASSERT_EQ(path.size(), 2 + 10 + 2);
  const PathSegment& arcStart = path[13];
  const PathSegment& arcEnd = path[14];
  EXPECT_EQ(std::make_tuple(arcStart.SegmentType, arcStart.CentreX, arcStart.CentreY),
            std::make_tuple(int16_t{-3}, 200.f, 150.f));
  EXPECT_EQ(arcEnd.SegmentType, 3);
  EXPECT_NE(arcEnd.ChainFlag, 0) << "counter-clockwise like the first arc";
  // L / (pi r) x 360 degrees on from S.
  EXPECT_NEAR(arcEnd.CentreY, 270 + kLead / (kPi * 50) * 360, 1e-3);
  EXPECT_NEAR(std::hypot(arcEnd.X - 200, arcEnd.Y - 150), 50, kTolerance);
  EXPECT_EQ(arcEnd.Z, -kRamp);
}

// --- Values and eligibility ----------------------------------------------------------------

TEST(LeadValues, ComeFromTheLayerOrTheDefaults) {
  struct Case {
    const char* name;
    const char* comp;
    float ld, ri, ro;
    bool leads_on;
    float default_length;
    bool ramp_in;
    float radius;           // of the lead-in arc
    float first_z, last_z;  // of the lead's first point and of the last record (a ramp-out overrun)
  };
  const Case cases[] = {
      {"LD999IsTheDefaultLength", "G41 ", 999, 0, 0, false, 12, false, 12, kDepth, kDepth},
      {"LayerLengthNeedsNoLeadsSwitch", "G42 ", 15, 0, 0, false, 0, false, 15, kDepth, kDepth},
      {"RampCodesWithoutValueUseTheRampHeight", "G41 ", 0, 999, 999, true, kLead, false, kLead, -kRamp,
       -kRamp},
      {"LayerRampHeightIsAHeightAboveTheSurface", "G41 ", 0, 3, 0, true, kLead, true, kLead, -3, kDepth},
  };
  for (const Case& c : cases) {
    LeadHarness h;
    h.state.LeadsOn = c.leads_on;
    h.state.EffectiveLeadLength = c.default_length;
    h.state.RampIn = c.ramp_in;
    h.store.Current.LeadCodeSeen = true;
    PathSegment layer = RouteRecord(kDepth, c.comp, c.ld);
    layer.RI = c.ri;
    layer.RO = c.ro;
    const OneBasedList<PathSegment>& path = h.Synthesize(InsideCutOut(layer));
    ASSERT_EQ(path[1].SegmentType, -3) << c.name;
    EXPECT_NEAR(std::hypot(path[1].X - path[1].CentreX, path[1].Y - path[1].CentreY), c.radius, kTolerance)
        << c.name;
    if (c.last_z != kDepth) {
      EXPECT_EQ(path[path.size()].SegmentType, 1) << c.name;
    }
    EXPECT_EQ(std::make_pair(path[1].Z, path[path.size()].Z), std::make_pair(c.first_z, c.last_z)) << c.name;
  }
}

TEST(LeadEligibility, OpenEdgeTouchingAndUncompensatedContoursAreLeftAlone) {
  struct Case {
    const char* name;
    OneBasedList<PathSegment> path;
    int16_t box = kPanelBox;
  };
  const PathSegment g41 = RouteRecord(kDepth, "G41 ");
  const Case cases[] = {
      {"OpenContour",
       PathBuilder().Defaults(g41).Polyline({{200, 100}, {300, 100}, {300, 250}}, false).Build()},
      {"StartOnThePanelEdge", PathBuilder()
                                  .Defaults(g41)
                                  .Polyline({{300, 0}, {600, 0}, {600, 400}, {0, 400}, {0, 0}}, true)
                                  .Build()},
      // Points in an edge view keep their drawing coordinates.
      {"CutAlongAnEdgeOfTheEdgeView",
       PathBuilder()
           .Defaults(g41)
           .Polyline({{1050, 1420}, {1100, 1420}, {1100, 1430}, {1050, 1430}}, true)
           .Build(),
       1},
      {"WithoutCompensation", InsideCutOut(RouteRecord(kDepth, ""))},
  };
  for (const Case& c : cases) {
    LeadHarness h;
    h.state.PartExtents[1] = {1000, 1600, 1420, 1439, 600, 19, true};  // the edge view above the panel
    OneBasedList<PathSegment> before = c.path;
    for (PathSegment& r : before) r.Box = c.box;
    EXPECT_EQ(h.Synthesize(before), before) << c.name;
  }
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
  path.push_back(removed);  // removed records at the end are dropped
  path.push_back(removed);
  OneBasedList<PathSegment> expected = path;
  expected.erase(11);
  expected.erase(10);
  expected.erase(7);  // the -4 vertex; the vertex after it starts the contour
  expected[7].ChainFlag = kContourStart;
  expected.erase(3);  // the removed record; the record after it starts a contour
  expected[3].ChainFlag = kContourStart;
  EXPECT_EQ(h.Synthesize(path), expected);
}

// --- Corner starts and straight leads --------------------------------------------------

// A start on a corner that turns towards the lead side takes straight leads along the
// corner's bisector (G41 leads lie right of travel, G42 left), the lead-out going back
// to where the lead-in began; one that turns away keeps the quarter arcs. A contour that
// ends with an arc turning towards the lead side within L gets a straight lead-in,
// square to the arriving direction (heading west: north for G41).
TEST(CornerStartLeads, TurningTowardsTheLeadSideLeadAlongTheBisector) {
  using Corners = std::vector<test::BuildPoint>;
  const Corners clockwise{{300, 250}, {300, 100}, {100, 100}, {100, 250}, {300, 250}};
  const Corners counter{{100, 100}, {300, 100}, {300, 250}, {100, 250}, {100, 100}};
  const std::tuple<const char*, OneBasedList<PathSegment>, std::vector<std::string>, std::string> cases[] = {
      {"G41RightTurn",
       PathBuilder().Defaults(RouteRecord(kDepth, "G41 ")).Lines(clockwise).Build(),
       {"-1 285.858,235.858 f-8", "1 300,250"},
       "1 285.858,235.858"},
      {"G42LeftTurn",
       PathBuilder().Defaults(RouteRecord(kDepth, "G42 ")).Lines(counter).Build(),
       {"-1 114.142,114.142 f-8", "1 100,100"},
       "1 114.142,114.142"},
      {"G41LeftTurnKeepsTheQuarterArc",
       PathBuilder().Defaults(RouteRecord(kDepth, "G41 ")).Lines(counter).Build(),
       {"-3 80,80 c100,80 f-8", "3 100,100 c180,90"},
       "3 80,80 c0,270"},
      {"StraightLeadInAfterAnArcTurningTowardsTheLeadSide",
       PathBuilder()
           .Defaults(RouteRecord(kDepth, "G41 "))
           .Lines({{200, 100}, {100, 100}, {100, 200}, {210, 200}, {210, 110}})
           .Arc({200, 110}, 10, 0, 270, false, false)
           .Build(),
       {"-1 200,120 f-8", "1 200,100"},
       ""},
  };
  for (const auto& [name, contour, first, last] : cases) {
    LeadHarness h;
    h.state.RampIn = true;
    const std::vector<std::string> records = test::Describe(h.Synthesize(contour));
    EXPECT_EQ(std::vector<std::string>(records.begin(), records.begin() + 2), first) << name;
    if (!last.empty()) {
      EXPECT_EQ(records.back(), last) << name;
    }
    EXPECT_EQ(h.path()[1].Z, -kRamp) << name;
  }
}

TEST(LeadsOfSeveralContours, EachEligibleContourGetsItsOwnLeadsInPlace) {
  LeadHarness h;
  const OneBasedList<PathSegment>& path =
      h.Synthesize(PathBuilder()
                       .Defaults(RouteRecord(kDepth, "G41 "))
                       .Polyline({{200, 100}, {300, 100}, {300, 250}, {100, 250}, {100, 100}}, true)
                       .Defaults(RouteRecord(kDepth, ""))
                       .Line({10, 10}, {20, 10}, true)
                       .Defaults(RouteRecord(kDepth, "G42 "))
                       .Polyline({{450, 100}, {500, 100}, {500, 200}, {400, 200}, {400, 100}}, true)
                       .Build());
  const std::vector<std::string> records = test::Describe(path);
  ASSERT_EQ(records.size(), (2 + 6 + 2) + 2 + (2 + 6 + 2));
  // G42: the lead centre lies to the left of travel, inside the second cut-out.
  EXPECT_EQ(std::vector<std::string>(records.begin() + 10, records.begin() + 14),
            (std::vector<std::string>{"-1 10,10 f-8", "1 20,10", "-3 430,120 c450,120 f-8",
                                      "3 450,100 c180,270 f-1"}));
  EXPECT_EQ(
      std::count_if(records.begin(), records.end(), [](const std::string& r) { return r.ends_with("f-8"); }),
      3);
}

}  // namespace
}  // namespace mq
