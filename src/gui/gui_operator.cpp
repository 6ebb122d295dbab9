#include "gui/gui_operator.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "gui/progress_meters.h"
#include "gui/prompter.h"
#include "gui/qt_text.h"
#include "gui/report_view.h"

namespace mq::gui {

GuiOperator::GuiOperator(QWidget& window, ReportView& report, ProgressMeters& meters, Prompter& prompter,
                         int yield_interval_ms)
    : window_(window),
      report_(report),
      meters_(meters),
      prompter_(prompter),
      yield_interval_ms_(yield_interval_ms) {
  since_yield_.start();
}

void GuiOperator::AddReportRow(const std::string& text) { report_.AddRow(ToShownLines(text)); }

void GuiOperator::ClearReport() { report_.Clear(); }

void GuiOperator::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
  prompter_.Tell(&window_, ToShownLines(text), ToQt(title), icon);
}

std::string GuiOperator::AskForText(const std::string& title, const std::string& message) {
  return FromQt(prompter_.AskForText(&window_, ToQt(title), ToShownLines(message)));
}

void GuiOperator::SetProgress(int meter, int percent) { meters_.Set(meter, percent); }

int GuiOperator::Progress(int meter) const { return meters_.Value(meter); }

void GuiOperator::YieldToWindow() {
  if (since_yield_.elapsed() < yield_interval_ms_) return;
  QCoreApplication::processEvents();
  since_yield_.restart();
}

void GuiOperator::Pause(double seconds) {
  QEventLoop wait;
  QTimer::singleShot(static_cast<int>(seconds * 1000), &wait, &QEventLoop::quit);
  wait.exec();
  since_yield_.restart();
}

}  // namespace mq::gui
