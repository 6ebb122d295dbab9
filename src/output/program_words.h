#pragma once
// Words shared by the sections of a program.

#include <string>

#include "output/number_format.h"

namespace mq {

// A depth of 90 or more means the drawing gave none; the program gets Z0.
constexpr float kNoDepth = 90.0f;

inline float DepthOrZero(float z) { return z >= kNoDepth ? 0.0f : z; }

// " VX5000", " VZ2000": written only when the feed is not 0.
inline std::string FeedWord(const char* word, float value, int precision) {
  return value != 0 ? word + FormatFeedValue(value, precision) : std::string();
}

}  // namespace mq
