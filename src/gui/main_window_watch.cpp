// The main window as the home of the auto-start watcher: its timer, the window order
// while a drawing is converted automatically, the pause after such a drawing, and the
// registration with the TPA editor of a Winner90 installation.

#include <QCoreApplication>
#include <QEventLoop>
#include <QPushButton>

#include "gui/default_settings_panel.h"
#include "gui/gui_operator.h"
#include "gui/main_window.h"
#include "shell/tpa_registration.h"

namespace mq::gui {

namespace {

constexpr int kWatchIntervalMs = static_cast<int>(kWatchIntervalSeconds * 1000);

}  // namespace

// The last step of the start-up: the converter offered in the TPA editor's menu (unless
// the program was started for its command line), then the watcher's timer.
void MainWindow::StartWatcher() {
  const CommandLine line = ReadCommandLine(options_.command_line);
  run_->RestartPartList = line.RestartPartList;
  const Settings settings = CurrentSettings();
  if (const auto root = Winner90Root(settings.DestinationPath); root && line.Empty()) {
    RegisterWithTpaEditor(*root, settings.DXFPath);
  }
  watcher_ = std::make_unique<AutoStartWatcher>(line, static_cast<WatcherHost&>(*this));
  watch_.setObjectName(QStringLiteral("Timer1"));
  connect(&watch_, &QTimer::timeout, this, &MainWindow::WatchTick);
  watch_.start(kWatchIntervalMs);
}

void MainWindow::WatchTick() {
  if (!auto_start_enabled_ || running_) return;
  const WatcherVerdict verdict = watcher_->Tick(CurrentSettings(), *run_);
  if (verdict == WatcherVerdict::kEndProgram) {
    watch_.stop();
    emit ProgramEnded(watcher_->SomethingFailed() ? 1 : 0);
  } else if (close_requested_) {
    close();
  }
}

void MainWindow::Convert(std::string& request, RunContext& run, const Settings& settings,
                         OutputLedger& ledger) {
  operator_->ClearStop();  // a stop asked for in an earlier manual run is not this drawing's
  ConvertOnWorker(request, run, settings, ledger);
}

void MainWindow::EnableDirectoryPoll(bool on) {
  if (!on) {
    poll_.stop();
    return;
  }
  if (!poll_.isActive()) poll_.start();
}

// The default settings, and with them everything that could start a second run or
// change the files under the automatic one.
void MainWindow::EnableDefaultSettings(bool on) {
  defaults_->setEnabled(on);
  for (QPushButton* button : {start_, exit_, erase_, setup_button_, tool_sub_button_}) button->setEnabled(on);
}

// The window manager decides what may stay on top; the window that was active before
// cannot be named through it, so giving back the top means leaving it.
void MainWindow::SetStaysOnTop(bool on) {
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (shown) show();  // a change of flags hides the window
}

void MainWindow::PutOnTop() {
  SetStaysOnTop(true);
  raise();
}

void MainWindow::GiveBackTop() { SetStaysOnTop(false); }

void MainWindow::PutAtBottom() { lower(); }

void MainWindow::RefreshFileList() { PollDirectory(); }

// Start becomes Continue and Exit becomes Stop until the operator presses one of them
// (or closes the window, which stops).
void MainWindow::WaitForContinue(RunContext& run) {
  paused_automatic_ = true;
  start_->setEnabled(true);
  exit_->setEnabled(true);
  start_->setFocus();
  start_->setText(QStringLiteral("Continue"));
  exit_->setText(QStringLiteral("Stop"));
  run.RunState = kRunStatePaused;
  while (run.RunState == kRunStatePaused) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  start_->setText(QStringLiteral("Start"));
  exit_->setText(QStringLiteral("Exit"));
  start_->setEnabled(false);
  exit_->setEnabled(false);
  paused_automatic_ = false;
}

// The window keeps handling its events meanwhile.
void MainWindow::Sleep(double seconds) { operator_->Pause(seconds); }

}  // namespace mq::gui
