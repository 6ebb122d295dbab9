#pragma once
// The cursor help of the main window and the Setup dialog: a tool tip on each control,
// shown while "Enable Cursor Help" is set.

class QWidget;

namespace mq::gui {

// Sets the tool tips of the main window's controls (found by name under `window`), or
// clears them when `enabled` is false.
void ApplyMainCursorHelp(QWidget* window, bool enabled);
// The same for the Setup dialog.
void ApplySetupCursorHelp(QWidget* dialog, bool enabled);

}  // namespace mq::gui
