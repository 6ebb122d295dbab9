#pragma once
// Every number that reaches a PTP400 program or a part list passes through here.
// Single precision throughout, as the control's programs always were.

#include <string>

#include "engine/settings.h"

namespace mq {

// Decimal places for programs: PrecisionInch for an inch drawing, else PrecisionMetric.
// A text that is not a number gives the default (2 metric, 3 inch); negative gives 0.
int ProgramPrecision(const Settings& settings, bool inch);

// 25.4 for an inch drawing, else 1.
float MillimetresPerUnit(bool inch);

// The float's decimal text: shortest representation with at most 7 significant digits,
// plain positional notation, no leading zero before the point (.5), no point for whole
// values, "-" for negatives.
std::string DecimalText(float value);

// The value formatted with "######." and `precision` optional digits, read back.
float RoundToPrecision(float value, int precision);

// " X12.26", " Y-0.25", " Z0", " X0.5" ...; `value` is replaced by its rounded value.
std::string FormatCoordinateWord(char letter, float& value, int precision);

// Feed and size text: "5000", "12.5", ".5" (no leading blank, no leading zero).
std::string FormatFeedValue(float value, int precision);

// The R word's value text: decimal text of the magnitude, "0" put in front of ".".
std::string FormatCompensationValue(float value);

}  // namespace mq
