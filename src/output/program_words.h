#pragma once
// Words shared by the sections of a program.

#include <string>

#include "engine/driver/units.h"
#include "output/number_format.h"

namespace mq {

inline float DepthOrZero(float z) { return z >= kNoDepthFrom ? 0.0f : z; }

// " VX5000", " VZ2000": written only when the feed is not 0.
inline std::string FeedWord(const char* word, float value, int precision) {
  return value != 0 ? word + FormatFeedValue(value, precision) : std::string();
}

}  // namespace mq
