#pragma once
// The numeric-prefix rule by which every text of a drawing is read as a number, and
// the integer conversions (nearest, halves to even) that every stored number went through.

#include <cstdint>
#include <string>
#include <string_view>

namespace mq {

// Skips blanks, tabs and line feeds anywhere; reads an optional sign, digits, an
// optional "." with digits, and an optional exponent introduced by E, e, D or d;
// stops at the first other character. Nothing readable, NaN and infinities give 0.
double ReadNumber(std::string_view text);

// The same rule without the exponent, for numbers written in layer names and notes:
// there D and E are codes of their own ("ROUTE40 D5" is sequence 40 with depth 5,
// never 40 times ten to the fifth).
double ReadCodeNumber(std::string_view text);

// ReadNumber stored as a 32-bit float; a value beyond the float range reads as 0, as
// an infinity does.
float ReadSingle(std::string_view text);

// Nearest integer, halves to even, clamped to the 16-bit range (never wrapped).
int16_t RoundToInt16(double value);
// Nearest integer, halves to even, clamped to the 32-bit range.
int32_t RoundToInt32(double value);

// A single-precision value written without blanks the way numbers are written
// into names: up to 7 significant digits, no trailing zeros ("12.5", "3", "-2").
std::string FormatSingle(float value);

}  // namespace mq
