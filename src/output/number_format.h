#pragma once
// Every number that reaches a PTP400 program or a part list passes through here.
// Single precision throughout, as the control's programs always were.

#include <string>

#include "engine/driver/settings.h"

namespace mq {

// Decimal places for programs: PrecisionInch for an inch drawing, else PrecisionMetric.
// A text that is not a number gives the default (2 metric, 3 inch); negative gives 0.
int ProgramPrecision(const Settings& settings, bool inch);

// 25.4 for an inch drawing, else 1.
float MillimetresPerUnit(bool inch);

// The float's decimal text: shortest representation with at most 7 significant digits,
// plain positional notation, no leading zero before the point (.5), no point for whole
// values, "-" for negatives. The single's exact value is rounded to 7 significant digits,
// an exact half away from zero (1.1640625 gives 1.164063), and trailing zeros dropped.
// 0 and -0 give "0"; a value that is not finite also gives "0".
std::string DecimalText(float value);

// The value formatted with "######." and `precision` optional digits, read back: the
// decimal text above rounded to `precision` places, halves away from zero (0.125 gives
// .13, 999.995 gives 1000). A value that rounds to nothing gives +0. Negative precision
// counts as 0.
float RoundToPrecision(float value, int precision);

// " X12.26", " Y-0.25", " Z0", " X0.5" ...; `value` is replaced by its rounded value.
std::string FormatCoordinateWord(char letter, float& value, int precision);

// Feed and size text: "5000", "12.5", ".5" (no leading blank, no leading zero); the
// rounding is that of RoundToPrecision. A value that rounds to nothing gives "0".
std::string FormatFeedValue(float value, int precision);

// The R word's value text: decimal text of the magnitude, "0" put in front of ".".
std::string FormatCompensationValue(float value);

}  // namespace mq
