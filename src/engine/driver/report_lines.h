#pragma once
// Report lines that name a piece of the drawing by its end points, so the operator can
// find in the drawing what was not machined.

#include <cstdint>
#include <string>
#include <string_view>

namespace mq {

// `reason` followed by "(x1, y1) - (x2, y2)", coordinates with up to three decimals, and
// "(drawing line N)" when the line is known.
std::string SkippedLineMessage(std::string_view reason, float x1, float y1, float x2, float y2,
                               int32_t drawing_line);

// " (drawing line N)", or nothing for a record the drawing does not hold.
std::string DrawingLineText(int32_t drawing_line);

}  // namespace mq
