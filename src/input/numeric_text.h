#pragma once
// The numeric-prefix rule by which every text of a drawing is read as a number, and
// the design's integer conversions.

#include <cstdint>
#include <string_view>

namespace mq {

// Skips blanks, tabs and line feeds anywhere; reads an optional sign, digits, an
// optional "." with digits, and an optional exponent introduced by E, e, D or d;
// stops at the first other character. Nothing readable, NaN and infinities give 0.
double ReadNumber(std::string_view text);

// Nearest integer, halves to even, clamped to the 16-bit range (never wrapped).
int16_t RoundToInt16(double value);
// Nearest integer, halves to even, clamped to the 32-bit range.
int32_t RoundToInt32(double value);

}  // namespace mq
