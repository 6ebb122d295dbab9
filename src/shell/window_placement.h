#pragma once
// Where the main window was when the program last ended, kept in the settings file
// beside the list's column widths, so that the window comes back where the operator
// put it.

#include <optional>

#include "shell/ini_file.h"

namespace mq {

struct WindowPlacement {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Maximized = false;
};

// Keys "WindowLeft", "WindowTop", "WindowWidth", "WindowHeight", "WindowMaximized" of
// [Configuration]; nullopt unless a width and a height are stored.
std::optional<WindowPlacement> ReadWindowPlacement(const IniFile& file);
void WriteWindowPlacement(IniFile& file, const WindowPlacement& placement);

}  // namespace mq
