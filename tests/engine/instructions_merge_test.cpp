// The drawing's instructions merged with the main window's settings (phase 9).

#include <gtest/gtest.h>

#include "engine/passes.h"
#include "support/recording_operator.h"

namespace mq {
namespace {

struct Merge {
  test::RecordingOperator person;
  RunContext run{person};
  EntityStore store;
  Settings settings;
  ConversionState s;
  EngineContext c{run, store, settings, s, nullptr};

  Merge() {
    settings.LeadLength = "25.00";
    settings.LeadRampHeight = "10.00";
  }
  void Run() { MergeSettings(c); }
};

TEST(MergeSettings, LeadAndRampFollowTheDrawingsUnits) {
  struct Case {
    const char* caption;
    bool drawing_in_inches;
    float lead, ramp;
  };
  // The settings are millimetres unless their unit button says "Inch".
  const Case cases[] = {
      {"Metric", false, 25.0f, 10.0f},
      {"Metric", true, 25.0f / 25.4f, 10.0f / 25.4f},
      {"", false, 25.0f, 10.0f},
      {"", true, 25.0f / 25.4f, 10.0f / 25.4f},
      {"Inch", false, 25.0f * 25.4f, 10.0f * 25.4f},
      {"Inch", true, 25.0f, 10.0f},
  };
  for (const Case& k : cases) {
    Merge m;
    m.settings.Metric = k.caption;
    m.s.DrawingInInches = k.drawing_in_inches;
    m.Run();
    EXPECT_EQ(m.s.EffectiveLeadLength, k.lead) << k.caption << " " << k.drawing_in_inches;
    EXPECT_EQ(m.s.EffectiveRampHeight, k.ramp) << k.caption << " " << k.drawing_in_inches;
  }
}

TEST(MergeSettings, StatedLengthsReplaceTheSettingsUnconverted) {
  Merge m;
  m.settings.Metric = "Metric";
  m.s.DrawingInInches = true;
  m.s.LeadLengthStated = 1.5f;
  m.s.RampHeightStated = 0.25f;
  m.Run();
  EXPECT_EQ(m.s.EffectiveLeadLength, 1.5f);
  EXPECT_EQ(m.s.EffectiveRampHeight, 0.25f);
}

TEST(MergeSettings, StatedSwitchesOverrideTheCheckBoxes) {
  struct Case {
    TriState stated;
    int check_box;
    bool expected;
  };
  const Case cases[] = {
      {kNotStated, 0, false}, {kNotStated, 1, true}, {kStatedOn, 0, true}, {kStatedOff, 1, false}};
  for (const Case& k : cases) {
    Merge m;
    m.settings.LeadS = m.settings.LeadRampIn = m.settings.LeadRampOut = m.settings.RemoveBorderRoute =
        k.check_box;
    m.s.LeadStatement = m.s.RampInStatement = m.s.RampOutStatement = m.s.RemoveBorderStatement = k.stated;
    m.Run();
    EXPECT_EQ(m.s.LeadsOn, k.expected) << k.stated << " " << k.check_box;
    EXPECT_EQ(m.s.RampIn, k.expected);
    EXPECT_EQ(m.s.RampOut, k.expected);
    EXPECT_EQ(m.s.RemoveBorderRoute, k.expected);
  }
}

TEST(MergeSettings, LeadOnKeepsTheSettingsLength) {
  Merge m;
  m.s.LeadStatement = kStatedOn;
  m.Run();
  EXPECT_TRUE(m.s.LeadsOn);
  EXPECT_EQ(m.s.EffectiveLeadLength, 25.0f);
}

TEST(MergeSettings, OffsetFromTheSettingsOrTheDrawing) {
  Merge none;
  none.settings.OffsetX = none.settings.OffsetY = none.settings.OffsetZ = "0.00";
  none.Run();
  EXPECT_FALSE(none.s.Offset.Given);

  Merge settings_offset;
  settings_offset.settings.OffsetY = "2.5";
  settings_offset.Run();
  EXPECT_TRUE(settings_offset.s.Offset.Given);
  EXPECT_EQ(settings_offset.s.Offset.X, 0.0f);
  EXPECT_EQ(settings_offset.s.Offset.Y, 2.5f);

  Merge drawing_offset;
  drawing_offset.settings.OffsetX = "7";
  drawing_offset.s.OffsetStatement = ProgramOffset{true, 1, 0, 0};
  drawing_offset.Run();
  EXPECT_TRUE(drawing_offset.s.Offset.Given);
  EXPECT_EQ(drawing_offset.s.Offset.X, 1.0f);
  EXPECT_EQ(drawing_offset.s.Offset.Y, 0.0f);
}

}  // namespace
}  // namespace mq
