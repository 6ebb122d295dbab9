#include "gui/gui_operator.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include "gui/progress_meters.h"
#include "gui/prompter.h"
#include "gui/qt_text.h"
#include "gui/report_view.h"
#include "shell/process_launch.h"

namespace mq::gui {

namespace {

// The least time between two rounds of event handling on the window's thread.
constexpr int kYieldIntervalMs = 30;

}  // namespace

GuiOperator::GuiOperator(QWidget& window, ReportView& report, ProgressMeters& meters, Prompter& prompter)
    : window_(window), report_(report), meters_(meters), prompter_(prompter) {
  since_yield_.start();
}

bool GuiOperator::OnWindowThread() const { return QThread::currentThread() == window_.thread(); }

template <class Call>
void GuiOperator::OnWindow(Call call) {
  if (OnWindowThread()) {
    call();
  } else {
    QMetaObject::invokeMethod(&window_, call, Qt::BlockingQueuedConnection);
  }
}

void GuiOperator::AddReportRow(const std::string& text) {
  const QString row = ToShownLines(text);
  OnWindow([this, &row] { report_.AddRow(row); });
}

void GuiOperator::ClearReport() {
  OnWindow([this] { report_.Clear(); });
}

void GuiOperator::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
  OnWindow([&] { prompter_.Tell(&window_, ToShownLines(text), ToQt(title), icon); });
}

std::string GuiOperator::AskForText(const std::string& title, const std::string& message) {
  QString answer;
  OnWindow([&] { answer = prompter_.AskForText(&window_, ToQt(title), ToShownLines(message)); });
  return FromQt(answer);
}

void GuiOperator::SetProgress(int meter, int percent) { meters_.Set(meter, percent); }

int GuiOperator::Progress(int meter) const { return meters_.Value(meter); }

void GuiOperator::YieldToWindow() {
  if (!OnWindowThread()) {
    if (stop_requested_ && run_ != nullptr) run_->RunState = kRunStateStopRequested;
    return;
  }
  if (since_yield_.elapsed() < kYieldIntervalMs) return;
  QCoreApplication::processEvents();
  since_yield_.restart();
}

// The window keeps handling its events while the conversion waits.
void GuiOperator::Pause(double seconds) {
  if (!OnWindowThread()) {
    SleepSeconds(seconds);
    return;
  }
  QEventLoop wait;
  QTimer::singleShot(static_cast<int>(seconds * 1000), &wait, &QEventLoop::quit);
  wait.exec();
  since_yield_.restart();
}

}  // namespace mq::gui
