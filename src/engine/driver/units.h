#pragma once
// Units and the depth convention that the engine and the writers share.

namespace mq {

constexpr float kMillimetresPerInch = 25.4f;

// A depth of 90 or more means that the drawing gave no depth; the program gets Z0.
constexpr float kNoDepthFrom = 90.0f;

}  // namespace mq
