#pragma once
// The tool rules that finding the bore rows and writing their tool words share.

#include <algorithm>
#include <cmath>
#include <string>

#include "output/bore_grouping.h"

namespace mq {

// The distance between neighbouring spindles of the drilling head (millimetres).
constexpr int kSpindlePitch = 32;
// A spindle drills a bore of its diameter within this much (millimetres).
constexpr float kSpindleDiameterTolerance = 0.2f;

// The bore's tool text with NULs read as blanks.
inline std::string ToolTextOf(const GroupedBore& bore) {
  std::string text(bore.ToolText.view());
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

inline bool SpindleFits(const ToolEntry& spindle, float diameter_mm) {
  return std::fabs(spindle.ToolDiameter - diameter_mm) <= kSpindleDiameterTolerance;
}

inline int SpindleStep(int pitch) { return std::max(1, pitch / kSpindlePitch); }

}  // namespace mq
