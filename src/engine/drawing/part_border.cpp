#include "engine/drawing/part_border.h"

#include <cmath>

namespace mq {

void MeasureBox(ExtentBox& box) {
  box.Width = std::fabs(box.MaxX - box.MinX);
  box.Height = std::fabs(box.MaxY - box.MinY);
}

bool BoxHolds(const ExtentBox& box, float x, float y, float margin_x, float margin_y) {
  if (!box.Present) return false;
  return box.MinX - margin_x <= x && x <= box.MaxX + margin_x && box.MinY - margin_y <= y &&
         y <= box.MaxY + margin_y;
}

}  // namespace mq
