// Lead-ins and lead-outs of routed circles with cutter compensation.

#include "engine/contours/circle_leads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "engine/geometry/angles.h"
#include "support/path_builder.h"

namespace mq {
namespace {

using Records = std::vector<std::string>;

struct CircleLeads : test::PanelHarness {
  // One circle about (200, 100) of radius 50, depth 10; returns the rows the leads made.
  std::vector<int> Lead(const char* comp, float ld, float ri = 0, float ro = 0, bool code_seen = true,
                        int16_t expanded = 0) {
    CircleRecord circle = test::RouteCircle(200, 100, 50, test::RouteRecord(10, comp, ld));
    circle.RI = ri;
    circle.RO = ro;
    circle.Expanded = expanded;
    state.CircleList.push_back(circle);
    store.Current.LeadCodeSeen = code_seen && ld != 0;
    return MakeCircleLeads(context);
  }
  std::vector<float> Depths() const {
    std::vector<float> z;
    for (const PathSegment& p : state.PathList) z.push_back(p.Z);
    return z;
  }
};

// G41 keeps the tool left of its path: outside a clockwise circle, so the lead arc of
// radius L = 10 comes in from outside (its centre M 60 above the circle's centre),
// turning counter-clockwise; G42 from inside (M 40 above), clockwise. Lead-in from
// M + L (cos 180, sin 180) to the top P = (200, 150), once round the circle clockwise,
// lead-out the mirror of the lead-in to M + L (cos 0, sin 0).
TEST(CircleLeads, AreQuarterArcsOfTheLeadLengthTangentAtTheTop) {
  const std::tuple<const char*, Records> cases[] = {
      {"G41 ",
       {"-3 190,160 c200,160 f-8", "3 200,150 c180,270 f-1", "-3 200,150 c200,100", "3 200,150 c90,90",
        "-3 200,150 c200,160", "3 210,160 c90,0 f-1"}},
      {"G42 R4",
       {"-3 190,140 c200,140 f-8", "3 200,150 c180,90", "-3 200,150 c200,100", "3 200,150 c90,90",
        "-3 200,150 c200,140", "3 210,140 c90,0"}},
  };
  for (const auto& [comp, records] : cases) {
    CircleLeads t;
    ASSERT_EQ(t.Lead(comp, 10).size(), 1u);
    EXPECT_EQ(test::Describe(t.state.PathList), records) << comp;
    EXPECT_EQ(t.Depths(), std::vector<float>(6, 10)) << comp;
    for (const PathSegment& p : t.state.PathList) EXPECT_EQ(p.CompCode, FixedText<10>(comp));
    EXPECT_EQ(std::make_pair(t.state.CircleList[1].Expanded, t.state.CircleList[1].LayerNumber),
              std::make_pair(int16_t{-1}, int16_t{0}));
    ASSERT_EQ(t.state.Contours.size(), 1);
    const ContourRow& row = t.state.Contours[1];
    EXPECT_EQ(std::make_tuple(row.Used, row.Kind, row.EntryDirection),
              std::make_tuple(true, int16_t{3}, 180.f));
  }
}

TEST(CircleLeads, LengthComesFromTheLayerOrTheDrawing) {
  struct Case {
    const char* name;
    const char* comp;
    float ld;
    bool leads_on;
    float effective;
    float length;  // 0: no leads, the circle is left for its top point
    bool code_seen = true;
    int16_t expanded = 0;
  };
  const Case cases[] = {
      {"LayerValue", "G41 ", 10, false, 25, 10},
      {"LD999IsTheDrawingsLength", "G41 ", kUseEffectiveValue, false, 25, 25},
      {"NoLDWithLeadsOnIsTheDrawingsLength", "G41 ", 0, true, 25, 25},
      {"NoLDWithLeadsOff", "G41 ", 0, false, 25, 0},
      {"NegativeLD", "G41 ", -5, true, 25, 0},
      {"NoCompensationEvenWithLeadsOn", "", 10, true, 10, 0},
      {"NoLeadsAnywhereInTheDrawing", "G41 ", 10, false, 0, 0, false},
      {"CircleAlreadyOpened", "G41 ", 10, true, 10, 0, true, -1},
  };
  for (const Case& c : cases) {
    CircleLeads t;
    t.state.LeadsOn = c.leads_on;
    t.state.EffectiveLeadLength = c.effective;
    const std::vector<int> rows = t.Lead(c.comp, c.ld, 0, 0, c.code_seen, c.expanded);
    EXPECT_EQ(t.state.CircleList[1].Expanded, c.length == 0 ? c.expanded : -1) << c.name;
    if (c.length == 0) {
      EXPECT_TRUE(rows.empty() && t.state.PathList.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(t.state.PathCount(), 6) << c.name;
    EXPECT_NEAR(t.state.PathList[1].CentreY, 150 + c.length, 1e-4) << c.name;
    EXPECT_NEAR(t.state.PathList[1].X, 200 - c.length, 1e-4) << c.name;
  }
}

TEST(CircleLeads, RampInStartsTheLeadAboveThePanel) {
  for (const auto& [ri, ramp_in, expected] :
       {std::tuple{5.0f, false, -5.0f}, std::tuple{0.0f, true, -3.0f},
        std::tuple{kUseEffectiveValue, false, -3.0f}, std::tuple{0.0f, false, 10.0f}}) {
    CircleLeads t;
    t.state.RampIn = ramp_in;
    t.state.EffectiveRampHeight = 3;
    t.Lead("G41 ", 10, ri);
    EXPECT_EQ(t.Depths(), (std::vector<float>{expected, 10, 10, 10, 10, 10})) << "RI " << ri;
  }
}

// The ramp-out runs on round the circle itself (the reading of the open variant): from P
// clockwise through the sweep L / (2 pi r) x 360, at most half the circle.
TEST(CircleLeads, RampOutRunsOnAlongTheCircleAtMostHalfRound) {
  const float sweep = 10 / (2 * kPi * 50) * 360;
  for (const auto& [comp, ld, lead_out] :
       {std::tuple{
            "G41 ", 10.f,
            test::Describe(test::PathBuilder().Arc({200, 100}, 50, 90, 90 - sweep, false, false).Build())},
        std::tuple{"G42 ", 200.f, Records{"-3 200,150 c200,100", "3 200,50 c90,270"}}}) {
    CircleLeads t;
    t.Lead(comp, ld, 0, 2);
    const Records records = test::Describe(t.state.PathList);
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(Records(records.begin() + 4, records.end()), lead_out) << comp;
    EXPECT_EQ(t.Depths(), (std::vector<float>{10, 10, 10, 10, -2, -2})) << comp;
    EXPECT_NEAR(t.state.Contours[1].ExitDirection, t.state.PathList[6].CentreY, 1e-4);
  }
}

}  // namespace
}  // namespace mq
