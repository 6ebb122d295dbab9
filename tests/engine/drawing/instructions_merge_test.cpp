// The drawing's instructions merged with the main window's settings (phase 9).

#include <gtest/gtest.h>

#include <vector>

#include "engine/bores_test_context.h"
#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"

namespace mq {
namespace {

// Settings of a 25 lead and a 10 ramp.
void LeadAndRamp(Settings& settings) {
  settings.LeadLength = "25.00";
  settings.LeadRampHeight = "10.00";
}

// The settings are millimetres unless their unit button says "Inch"; a stated length is the
// drawing's own and replaces them unconverted.
TEST(MergeSettings, LeadAndRampFollowTheDrawingsUnits) {
  const struct {
    const char* caption;
    bool inches;
    float stated_lead, stated_ramp, lead, ramp;
  } cases[] = {{"Metric", false, 0, 0, 25, 10},
               {"Metric", true, 0, 0, 25 / 25.4f, 10 / 25.4f},
               {"", true, 0, 0, 25 / 25.4f, 10 / 25.4f},
               {"Inch", false, 0, 0, 25 * 25.4f, 10 * 25.4f},
               {"Inch", true, 0, 0, 25, 10},
               {"Metric", true, 1.5f, 0.25f, 1.5f, 0.25f}};
  for (const auto& k : cases) {
    test::BoresContext m;
    LeadAndRamp(m.settings);
    m.settings.Metric = k.caption;
    m.state.DrawingInInches = k.inches;
    m.state.LeadLengthStated = k.stated_lead;
    m.state.RampHeightStated = k.stated_ramp;
    MergeSettings(m.c);
    EXPECT_EQ(m.state.EffectiveLeadLength, k.lead) << k.caption << " " << k.inches << " " << k.stated_lead;
    EXPECT_EQ(m.state.EffectiveRampHeight, k.ramp) << k.caption << " " << k.inches << " " << k.stated_lead;
  }
}

// LEAD ON keeps the settings' length.
TEST(MergeSettings, StatedSwitchesOverrideTheCheckBoxes) {
  const struct {
    TriState stated;
    int check_box;
    bool expected;
  } cases[] = {{kNotStated, 0, false}, {kNotStated, 1, true}, {kStatedOn, 0, true}, {kStatedOff, 1, false}};
  for (const auto& k : cases) {
    test::BoresContext m;
    LeadAndRamp(m.settings);
    m.settings.LeadS = m.settings.LeadRampIn = m.settings.LeadRampOut = m.settings.RemoveBorderRoute =
        k.check_box;
    m.state.LeadStatement = m.state.RampInStatement = m.state.RampOutStatement =
        m.state.RemoveBorderStatement = k.stated;
    MergeSettings(m.c);
    const ConversionState& s = m.state;
    EXPECT_EQ(std::vector<bool>({s.LeadsOn, s.RampIn, s.RampOut, s.RemoveBorderRoute}),
              std::vector<bool>(4, k.expected))
        << k.stated << " " << k.check_box;
    EXPECT_EQ(s.EffectiveLeadLength, 25.0f);
  }
}

// Any offset in the settings gives all three of them; an OFFSET instruction replaces all three.
TEST(MergeSettings, OffsetFromTheSettingsOrTheDrawing) {
  const struct {
    const char *x, *y;
    ProgramOffset stated, expected;
  } cases[] = {{"0.00", "0.00", {}, {}},
               {"0", "2.5", {}, {true, 0, 2.5f, 0}},
               {"7", "0", {true, 1, 0, 0}, {true, 1, 0, 0}}};
  for (const auto& k : cases) {
    test::BoresContext m;
    m.settings.OffsetX = k.x;
    m.settings.OffsetY = k.y;
    m.state.OffsetStatement = k.stated;
    MergeSettings(m.c);
    const ProgramOffset& o = m.state.Offset;
    EXPECT_EQ(std::vector<float>({float(o.Given), o.X, o.Y, o.Z}),
              std::vector<float>({float(k.expected.Given), k.expected.X, k.expected.Y, k.expected.Z}))
        << k.x << " " << k.y;
  }
}

}  // namespace
}  // namespace mq
