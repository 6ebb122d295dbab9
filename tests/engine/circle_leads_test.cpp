#include "engine/circle_leads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "bores_test_context.h"
#include "contour_test_support.h"

namespace mq {
namespace {

using test::AddCircle;
using test::DistanceBetween;
using test::PieceData;

// Single-precision cosines of quarter turns are not exactly 0: a few millionths.
constexpr float kNear = 1e-4f;

struct LeadContext : test::BoresContext {
  LeadContext() { SetPanel(0, 0, 600, 400); }
  // One circle about (200, 100) of radius 50; returns the rows MakeCircleLeads made.
  std::vector<int> Lead(const std::string& comp, float ld, float ri = 0, float ro = 0) {
    PieceData d;
    d.comp = comp;
    AddCircle(state, 200, 100, 50, d);
    state.CircleList[1].LD = ld;
    state.CircleList[1].RI = ri;
    state.CircleList[1].RO = ro;
    store.Current.LeadCodeSeen = ld != 0;
    return MakeCircleLeads(c);
  }
  const PathSegment& At(int i) const { return state.PathList[i]; }
};

struct SideCase {
  const char* comp;
  float lead_centre_distance;  // from the circle's centre, straight above it
  int16_t lead_sense;          // ChainFlag of the lead arcs' ends
  float lead_end_angle;        // CentreY of the lead-in's end (its point as seen from M)
};

class CircleLeadSide : public testing::TestWithParam<SideCase> {};

TEST_P(CircleLeadSide, QuarterArcsOfTheLeadLengthTangentAtTheTop) {
  const SideCase& side = GetParam();
  LeadContext t;
  ASSERT_EQ(t.Lead(side.comp, 10).size(), 1u);
  ASSERT_EQ(t.state.PathCount(), 6);
  const float mx = t.At(1).CentreX;
  const float my = t.At(1).CentreY;
  EXPECT_NEAR(mx, 200, kNear);
  EXPECT_NEAR(my, 100 + side.lead_centre_distance, kNear);

  // Lead-in: from M + L (cos 180, sin 180) to the top point P = (200, 150).
  EXPECT_EQ(t.At(1).SegmentType, -3);
  EXPECT_EQ(t.At(1).ChainFlag, kContourStart);
  EXPECT_NEAR(t.At(1).X, mx - 10, kNear);
  EXPECT_NEAR(t.At(1).Y, my, kNear);
  EXPECT_EQ(t.At(2).SegmentType, 3);
  EXPECT_NEAR(t.At(2).X, 200, kNear);
  EXPECT_NEAR(t.At(2).Y, 150, kNear);
  EXPECT_EQ(t.At(2).CentreX, 180);
  EXPECT_EQ(t.At(2).CentreY, side.lead_end_angle);
  EXPECT_EQ(t.At(2).ChainFlag, side.lead_sense);
  EXPECT_NEAR(DistanceBetween(mx, my, t.At(2).X, t.At(2).Y), 10, kNear) << "lead radius";

  // Once round the circle, clockwise.
  EXPECT_EQ(t.At(3).SegmentType, -3);
  EXPECT_EQ(t.At(3).CentreX, 200);
  EXPECT_EQ(t.At(3).CentreY, 100);
  EXPECT_EQ(t.At(4).SegmentType, 3);
  EXPECT_EQ(t.At(4).CentreX, 90);
  EXPECT_EQ(t.At(4).CentreY, 90);
  EXPECT_EQ(t.At(4).ChainFlag, 0);
  EXPECT_NEAR(t.At(4).X, 200, kNear);
  EXPECT_NEAR(t.At(4).Y, 150, kNear);

  // Lead-out: the mirror of the lead-in, to M + L (cos 0, sin 0).
  EXPECT_EQ(t.At(5).SegmentType, -3);
  EXPECT_EQ(t.At(5).CentreX, mx);
  EXPECT_EQ(t.At(5).CentreY, my);
  EXPECT_EQ(t.At(6).SegmentType, 3);
  EXPECT_NEAR(t.At(6).X, mx + 10, kNear);
  EXPECT_NEAR(t.At(6).Y, my, kNear);
  EXPECT_EQ(t.At(6).CentreX, 90);
  EXPECT_EQ(t.At(6).CentreY, 0);
  EXPECT_EQ(t.At(6).ChainFlag, side.lead_sense);

  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(t.At(i).Z, 10) << "record " << i;
    EXPECT_EQ(t.At(i).CompCode, FixedText<10>(side.comp)) << "record " << i;
    if (i > 1) {
      EXPECT_NE(t.At(i).ChainFlag, kContourStart) << "record " << i;
    }
  }
  EXPECT_EQ(t.state.CircleList[1].Expanded, -1);
  EXPECT_EQ(t.state.CircleList[1].LayerNumber, 0);
  ASSERT_EQ(t.state.Contours.size(), 1);
  EXPECT_TRUE(t.state.Contours[1].Used);
  EXPECT_EQ(t.state.Contours[1].Kind, 3);
  EXPECT_EQ(t.state.Contours[1].EntryDirection, 180);
}

// G41 keeps the tool left of its path: outside a clockwise circle, so the lead comes in
// from outside, turning counter-clockwise; G42 from inside, clockwise.
INSTANTIATE_TEST_SUITE_P(G41AndG42, CircleLeadSide,
                         testing::Values(SideCase{"G41 ", 60, -1, 270}, SideCase{"G42 ", 40, 0, 90},
                                         SideCase{"G42 R4", 40, 0, 90}));

struct LengthCase {
  const char* name;
  float ld;
  bool leads_on;
  float effective;
  float expected_length;  // 0: no leads
};

class CircleLeadLength : public testing::TestWithParam<LengthCase> {};

TEST_P(CircleLeadLength, ComesFromTheLayerOrTheDrawing) {
  const LengthCase& lc = GetParam();
  LeadContext t;
  t.state.LeadsOn = lc.leads_on;
  t.state.EffectiveLeadLength = lc.effective;
  const std::vector<int> rows = t.Lead("G41 ", lc.ld);
  if (lc.expected_length == 0) {
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(t.state.PathList.empty());
    EXPECT_EQ(t.state.CircleList[1].Expanded, 0) << "left for opening at its top point";
    return;
  }
  ASSERT_EQ(t.state.PathCount(), 6);
  EXPECT_NEAR(t.At(1).CentreY, 150 + lc.expected_length, kNear);
  EXPECT_NEAR(t.At(1).X, 200 - lc.expected_length, kNear);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CircleLeadLength,
    testing::Values(LengthCase{"LayerValue", 10, false, 25, 10},
                    LengthCase{"LD999IsTheDrawingsLength", kUseEffectiveValue, false, 25, 25},
                    LengthCase{"NoLDWithLeadsOnIsTheDrawingsLength", 0, true, 25, 25},
                    LengthCase{"NoLDWithLeadsOff", 0, false, 25, 0},
                    LengthCase{"NegativeLD", -5, true, 25, 0}),
    [](const testing::TestParamInfo<LengthCase>& param_info) { return std::string(param_info.param.name); });

TEST(CircleLeads, NoneWithoutCompensationEvenWithLeadsOn) {
  LeadContext t;
  t.state.LeadsOn = true;
  t.state.EffectiveLeadLength = 10;
  EXPECT_TRUE(t.Lead("", 10).empty());
  EXPECT_TRUE(t.state.PathList.empty());
  EXPECT_EQ(t.state.CircleList[1].Expanded, 0);
}

TEST(CircleLeads, NothingWhenTheDrawingHasNoLeadsAtAll) {
  LeadContext t;
  AddCircle(t.state, 200, 100, 50, PieceData().WithComp("G41 "));
  t.state.CircleList[1].LD = 10;  // as if set, while no layer carried LD
  EXPECT_TRUE(MakeCircleLeads(t.c).empty());
  EXPECT_TRUE(t.state.PathList.empty());
}

TEST(CircleLeads, SkipsCirclesAlreadyOpened) {
  LeadContext t;
  AddCircle(t.state, 200, 100, 50, PieceData().WithComp("G41 "));
  t.state.CircleList[1].Expanded = -1;
  t.state.LeadsOn = true;
  t.state.EffectiveLeadLength = 10;
  EXPECT_TRUE(MakeCircleLeads(t.c).empty());
}

TEST(CircleLeads, RampInStartsTheLeadAboveThePanel) {
  for (const auto& [ri, ramp_in, expected] :
       {std::tuple{5.0f, false, -5.0f}, std::tuple{0.0f, true, -3.0f},
        std::tuple{kUseEffectiveValue, false, -3.0f}, std::tuple{0.0f, false, 10.0f}}) {
    LeadContext t;
    t.state.RampIn = ramp_in;
    t.state.EffectiveRampHeight = 3;
    t.Lead("G41 ", 10, ri);
    ASSERT_EQ(t.state.PathCount(), 6);
    EXPECT_EQ(t.At(1).Z, expected) << "RI " << ri;
    for (int i = 2; i <= 6; ++i) EXPECT_EQ(t.At(i).Z, 10) << "RI " << ri << ", record " << i;
  }
}

TEST(CircleLeads, RampOutRunsOnAlongTheCircle) {
  LeadContext t;
  t.Lead("G41 ", 10, 0, 2);
  ASSERT_EQ(t.state.PathCount(), 6);
  const float sweep = 10 / (2 * kDesignPi * 50) * 360;  // 11.459 degrees
  EXPECT_EQ(t.At(5).SegmentType, -3);
  EXPECT_EQ(t.At(5).CentreX, 200);
  EXPECT_EQ(t.At(5).CentreY, 100);
  EXPECT_NEAR(t.At(5).X, 200, kNear);
  EXPECT_NEAR(t.At(5).Y, 150, kNear);
  EXPECT_EQ(t.At(6).SegmentType, 3);
  EXPECT_NEAR(t.At(6).CentreY, 90 - sweep, 1e-4);
  EXPECT_EQ(t.At(6).CentreX, 90);
  EXPECT_EQ(t.At(6).ChainFlag, 0) << "on round the circle, clockwise";
  EXPECT_NEAR(DistanceBetween(200, 100, t.At(6).X, t.At(6).Y), 50, kNear) << "on the circle itself";
  EXPECT_GT(t.At(6).X, 200);
  EXPECT_EQ(t.At(5).Z, -2);
  EXPECT_EQ(t.At(6).Z, -2);
  EXPECT_NEAR(t.state.Contours[1].ExitDirection, 90 - sweep, 1e-4);
}

TEST(CircleLeads, RampOutSweepIsAtMostHalfTheCircle) {
  LeadContext t;
  t.Lead("G42 ", 200, 0, 2);  // longer than half the circumference (157)
  ASSERT_EQ(t.state.PathCount(), 6);
  EXPECT_EQ(t.At(6).CentreY, 270);
  EXPECT_NEAR(t.At(6).X, 200, kNear);
  EXPECT_NEAR(t.At(6).Y, 50, kNear) << "the bottom of the circle";
}

}  // namespace
}  // namespace mq
