#include "engine/drawing/settings_merge.h"

#include "engine/driver/units.h"
#include "input/numeric_text.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// The unit button's caption; the default settings are millimetres unless it says "Inch".
constexpr std::string_view kInchCaption = "INCH";

// A drawing switch when stated, else the check box of the main window.
bool Switch(TriState stated, int check_box) {
  if (stated == kStatedOn) return true;
  if (stated == kStatedOff) return false;
  return check_box != 0;
}

}  // namespace

void MergeSettings(EngineContext& c) {
  const Settings& settings = c.settings;
  ConversionState& s = c.state;

  // The lead length and ramp height of the main window are in the window's units; the
  // drawing's own units decide how they are read here.
  float lead_length = ReadSingle(settings.LeadLength);
  float ramp_height = ReadSingle(settings.LeadRampHeight);
  const bool settings_in_inches = UpperCase(TrimBlanks(settings.Metric)) == kInchCaption;
  if (s.DrawingInInches && !settings_in_inches) {
    lead_length /= kMillimetresPerInch;
    ramp_height /= kMillimetresPerInch;
  } else if (!s.DrawingInInches && settings_in_inches) {
    lead_length *= kMillimetresPerInch;
    ramp_height *= kMillimetresPerInch;
  }
  s.EffectiveLeadLength = s.LeadLengthStated != 0 ? s.LeadLengthStated : lead_length;
  s.EffectiveRampHeight = s.RampHeightStated != 0 ? s.RampHeightStated : ramp_height;

  s.LeadsOn = Switch(s.LeadStatement, settings.LeadS);
  s.RampIn = Switch(s.RampInStatement, settings.LeadRampIn);
  s.RampOut = Switch(s.RampOutStatement, settings.LeadRampOut);
  s.RemoveBorderRoute = Switch(s.RemoveBorderStatement, settings.RemoveBorderRoute);

  const float x = ReadSingle(settings.OffsetX), y = ReadSingle(settings.OffsetY),
              z = ReadSingle(settings.OffsetZ);
  if (x != 0 || y != 0 || z != 0) s.Offset = ProgramOffset{true, x, y, z};
  if (s.OffsetStatement.Given) s.Offset = s.OffsetStatement;
}

}  // namespace mq
