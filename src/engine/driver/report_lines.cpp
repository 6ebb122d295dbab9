#include "engine/driver/report_lines.h"

#include <cstdio>

namespace mq {

namespace {

// Up to three decimals, without trailing zeros.
std::string PointCoordinate(float v) {
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(v));
  std::string s(text);
  s.erase(s.find_last_not_of('0') + 1);
  if (s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

}  // namespace

std::string SkippedLineMessage(std::string_view reason, float x1, float y1, float x2, float y2,
                               int32_t drawing_line) {
  std::string line(reason);
  line += '(' + PointCoordinate(x1) + ", " + PointCoordinate(y1) + ") - (";
  line += PointCoordinate(x2) + ", " + PointCoordinate(y2) + ')';
  return line + DrawingLineText(drawing_line);
}

std::string DrawingLineText(int32_t drawing_line) {
  return drawing_line > 0 ? " (drawing line " + std::to_string(drawing_line) + ")" : std::string();
}

}  // namespace mq
