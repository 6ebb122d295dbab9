#pragma once
// Pictures of the window in its states, for the documentation and for a look at the
// layout: the main window with the default settings shown and hidden, during and
// after a run of every listed drawing, the Setup dialog's four tabs and the Tool Sub
// dialog.

#include <QString>

namespace mq::gui {

class MainWindow;

// Saves the PNG files into `directory`; returns the program's exit status.
int TakeScreenshots(MainWindow& window, const QString& directory);

}  // namespace mq::gui
