#include "shell/unit_toggle.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "input/numeric_text.h"

namespace mq {

namespace {

constexpr float kMillimetresPerInch = 25.4f;
constexpr int kSignificantDigits = 15;  // what a double's decimal text carries
constexpr int kPlaces = 2;              // "##.##"

// The number as a text box shows it: up to 15 significant digits, no trailing zeros.
std::string NumberText(double value) {
  if (value == 0) return "0";  // also -0
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", kSignificantDigits, value);
  return text;
}

}  // namespace

UnitToggle ToggleUnit(std::string_view caption) {
  if (caption == kMetricCaption) return {std::string(kInchCaption), 1.0f / kMillimetresPerInch};
  return {std::string(kMetricCaption), kMillimetresPerInch};
}

double RoundToHundredths(double value) {
  if (!std::isfinite(value) || value == 0) return 0;
  // d.dddddddddddddde±x: the 15 significant digits and the decimal exponent.
  char text[40];
  std::snprintf(text, sizeof text, "%.*e", kSignificantDigits - 1, std::fabs(value));
  std::string digits;
  for (const char* c = text; *c != 'e'; ++c) {
    if (*c != '.') digits += *c;
  }
  const int exponent = std::atoi(std::strchr(text, 'e') + 1);
  // Digits kept: those before the point (exponent + 1) and two after it.
  const int kept = exponent + 1 + kPlaces;
  if (kept >= kSignificantDigits) return value;
  if (kept < 0) return 0;
  long long hundredths = kept == 0 ? 0 : std::stoll(digits.substr(0, static_cast<std::size_t>(kept)));
  if (digits[static_cast<std::size_t>(kept)] >= '5') ++hundredths;
  return std::copysign(static_cast<double>(hundredths) / 100.0, value);
}

std::string ConvertDefaultLength(std::string_view text, float factor) {
  return NumberText(RoundToHundredths(ReadNumber(text) * static_cast<double>(factor)));
}

}  // namespace mq
