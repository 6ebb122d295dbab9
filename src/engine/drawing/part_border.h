#pragma once
// Shared rules of the part border: the extent boxes and the border layer marks.

#include <string_view>

#include "engine/driver/machining_records.h"

namespace mq {

// Entities on a layer whose name contains this are the part border (entry 0 of the
// layer-kind list); a SOLID on a layer containing kPanelLayerMark is the panel itself.
constexpr std::string_view kBorderLayerMark = "BORDER";
constexpr std::string_view kPanelLayerMark = "PANEL";

// The box grows to hold the point.
inline void WidenBox(ExtentBox& box, float x, float y) {
  if (x < box.MinX) box.MinX = x;
  if (x > box.MaxX) box.MaxX = x;
  if (y < box.MinY) box.MinY = y;
  if (y > box.MaxY) box.MaxY = y;
}

// Width and height as absolute differences of the box's bounds.
void MeasureBox(ExtentBox& box);

// True when the point lies in the box widened by the margins on every side, bounds
// included. A box that was never widened holds nothing.
bool BoxHolds(const ExtentBox& box, float x, float y, float margin_x, float margin_y);

}  // namespace mq
