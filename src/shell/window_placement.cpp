#include "shell/window_placement.h"

#include <string>

#include "input/numeric_text.h"
#include "shell/settings_store.h"

namespace mq {

namespace {

int ReadInteger(const IniFile& file, const char* key) {
  return RoundToInt32(ReadNumber(ReadConfigValue(file, key)));
}

}  // namespace

std::optional<WindowPlacement> ReadWindowPlacement(const IniFile& file) {
  WindowPlacement placement;
  placement.Left = ReadInteger(file, "WindowLeft");
  placement.Top = ReadInteger(file, "WindowTop");
  placement.Width = ReadInteger(file, "WindowWidth");
  placement.Height = ReadInteger(file, "WindowHeight");
  placement.Maximized = ReadInteger(file, "WindowMaximized") != 0;
  if (placement.Width <= 0 || placement.Height <= 0) return std::nullopt;
  return placement;
}

void WriteWindowPlacement(IniFile& file, const WindowPlacement& placement) {
  WriteConfigValue(file, "WindowLeft", std::to_string(placement.Left));
  WriteConfigValue(file, "WindowTop", std::to_string(placement.Top));
  WriteConfigValue(file, "WindowWidth", std::to_string(placement.Width));
  WriteConfigValue(file, "WindowHeight", std::to_string(placement.Height));
  WriteConfigValue(file, "WindowMaximized", placement.Maximized ? "1" : "0");
}

}  // namespace mq
