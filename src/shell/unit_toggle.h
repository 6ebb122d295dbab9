#pragma once
// The unit button of the default settings: switches the caption between "Metric" and
// "Inch" and takes the lead, ramp and offset lengths into the other unit.

#include <string>
#include <string_view>

namespace mq {

inline constexpr std::string_view kMetricCaption = "Metric";
inline constexpr std::string_view kInchCaption = "Inch";

struct UnitToggle {
  std::string caption;  // the button's new caption
  float factor;         // what every length is multiplied by
};

// "Metric" becomes "Inch" (lengths times 1/25.4); any other caption, the empty one of a
// first start too, becomes "Metric" (lengths times 25.4).
UnitToggle ToggleUnit(std::string_view caption);

// The length typed in `text` (read by the numeric-prefix rule) times `factor`, rounded
// to two places as the format "##.##" rounds it, written back as a plain number:
// "25.00" times 1/25.4 gives "0.98", and "0.98" times 25.4 gives "24.89".
std::string ConvertDefaultLength(std::string_view text, float factor);

// `value` rounded to two decimal places the way a format picture rounds a double: its
// 15 significant digits are rounded, halves away from zero (2.675 gives 2.68).
double RoundToHundredths(double value);

}  // namespace mq
