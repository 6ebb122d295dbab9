#pragma once
// The setting of the lead synthesis tests: a 600 x 400 panel at the origin, lead length
// 20 with leads on, ramp height 5 with both ramps off.

#include "support/path_builder.h"

namespace mq::test {

constexpr float kLead = 20;
constexpr float kDepth = 19.5f;
constexpr float kRamp = 5;

struct LeadHarness : PanelHarness {
  LeadHarness() {
    state.EffectiveLeadLength = kLead;
    state.EffectiveRampHeight = kRamp;
    state.LeadsOn = true;
  }
};

}  // namespace mq::test
