// The main window's runs: Start and Stop, the pause for the operator, the graphic
// editor after each drawing, erasing files, drawings dropped on the window, and the end
// of the program.

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <system_error>

#include "gui/default_settings_panel.h"
#include "gui/file_list.h"
#include "gui/gui_operator.h"
#include "gui/main_window.h"
#include "gui/prompter.h"
#include "gui/qt_text.h"
#include "gui/report_view.h"
#include "gui/setup_dialog.h"
#include "input/file_paths.h"
#include "input/plain_text.h"
#include "shell/batch_run.h"
#include "shell/dxf_directory.h"
#include "shell/external_programs.h"
#include "shell/process_file.h"
#include "shell/settings_file.h"
#include "shell/settings_store.h"
#include "shell/tpa_registration.h"
#include "shell/window_placement.h"

namespace mq::gui {

namespace {

const QString kProductName = QStringLiteral("Marquill400");
constexpr int16_t kRunStartedByOperator = -1;  // RunState as the Start button's press sets it

// The dropped local files that are drawings.
QStringList DroppedDrawings(const QMimeData* data) {
  QStringList drawings;
  if (data == nullptr || !data->hasUrls()) return drawings;
  for (const QUrl& url : data->urls()) {
    const QString path = url.toLocalFile();
    if (!path.isEmpty() && IsDxfFileName(FromQt(QFileInfo(path).fileName()))) drawings << path;
  }
  return drawings;
}

}  // namespace

// The release of Start: a run of the selected files. While paused, the press was the Continue.
void MainWindow::StartClicked() {
  if (running_ || watcher_->Converting()) return;
  RunRequests(SelectedRequests());
}

void MainWindow::ExitClicked() {
  if (running_) {
    RequestStop();
    return;
  }
  if (paused_automatic_) {
    run_->RunState = kRunStateStopRequested;
    return;
  }
  exit_clicked_ = true;
  close();
}

// The run ends after the drawing being converted, which is abandoned at its next
// yield. While a worker converts, only it touches the run's state.
void MainWindow::RequestStop() {
  operator_->RequestStop();
  if (!converting_) run_->RunState = kRunStateStopRequested;
}

void MainWindow::ConvertOnWorker(std::string& request, RunContext& run, const Settings& settings,
                                 OutputLedger& ledger) {
  if (operator_->StopRequested()) run.RunState = kRunStateStopRequested;
  converting_ = true;
  QEventLoop until_converted;
  std::unique_ptr<QThread> worker(
      QThread::create([&request, &run, &settings, &ledger] { ProcessFile(request, run, settings, ledger); }));
  connect(worker.get(), &QThread::finished, &until_converted, &QEventLoop::quit);
  worker->start();
  until_converted.exec();
  worker->wait();
  converting_ = false;
  if (operator_->StopRequested()) run.RunState = kRunStateStopRequested;
}

std::vector<std::string> MainWindow::SelectedRequests() const {
  const std::string directory = WithClosingSeparator(
      setup_->DxfSourcePath(), static_cast<char>(std::filesystem::path::preferred_separator));
  std::vector<std::string> requests;
  for (const std::string& name : files_->SelectedNames()) requests.push_back(directory + name);
  return requests;
}

void MainWindow::RunRequests(const std::vector<std::string>& requests) {
  if (running_) return;
  run_->RunState = kRunStartedByOperator;
  run_->FileFailed = false;
  operator_->ClearStop();
  auto_start_enabled_ = false;
  defaults_->setEnabled(false);
  const Settings settings = CurrentSettings();
  OutputLedger ledger;
  if (!requests.empty()) EnterRun(true);

  int programs_seen = 0;
  BatchSteps steps;
  steps.convert = [this](std::string& request, RunContext& run, const Settings& used, OutputLedger& written) {
    ConvertOnWorker(request, run, used, written);
  };
  steps.after_drawing = [&](RunContext&) {
    MarkDrawingRow(ledger, programs_seen);
    AfterDrawing(settings);
  };
  steps.after_run = [&](RunContext& run, const OutputLedger& written) {
    files_->clearSelection();
    if (!run.FailedFiles.empty()) report_->MarkLastRowAsFailedList();
    MakeBinaries(run, settings, written, *this);
  };
  RunBatch(requests, *run_, settings, ledger, steps);

  if (!requests.empty()) EnterRun(false);
  auto_start_enabled_ = true;
  defaults_->setEnabled(true);
  if (close_requested_) close();
}

// The window's states: idle, or a run with Stop instead of Exit and nothing else that
// could start a second run or change the files under it.
void MainWindow::EnterRun(bool running) {
  running_ = running;
  exit_->setText(running ? QStringLiteral("Stop") : QStringLiteral("Exit"));
  exit_->setIcon(running ? style()->standardIcon(QStyle::SP_MediaStop) : QIcon());
  start_->setEnabled(!running);
  for (QPushButton* button : {erase_, setup_button_, tool_sub_button_}) button->setEnabled(!running);
  if (running) {
    poll_.stop();
  } else {
    poll_.start();
    PollDirectory();
  }
}

void MainWindow::MarkDrawingRow(const OutputLedger& ledger, int& programs_seen) {
  QStringList programs;
  for (int k = programs_seen + 1; k <= ledger.WrittenPrograms.size(); ++k) {
    programs << QFileInfo(ToQt(NativePath(ledger.WrittenPrograms[k]))).absoluteFilePath();
  }
  programs_seen = ledger.WrittenPrograms.size();
  report_->MarkLastRow(programs, run_->FileFailed);
  if (!programs.isEmpty()) ShowPreviewOf(programs);
}

// "Graphic After Man Process": the operator may read the messages first ("Pause for
// Messages"), then the part is shown in the graphic editor unless it failed or a stop
// was asked for.
void MainWindow::AfterDrawing(const Settings& settings) {
  if (settings.GraphicAfterMan == 0) return;
  if (settings.PauseForMessages != 0) WaitForContinue();
  QCoreApplication::processEvents();
  if (run_->RunState < kRunStateStopRequested && !run_->FileFailed)
    ShowInGraphicEditor(*run_, settings, *this);
}

void MainWindow::WaitForContinue() {
  start_->setEnabled(true);
  start_->setFocus();
  start_->setText(QStringLiteral("Continue"));
  run_->RunState = kRunStatePaused;
  while (run_->RunState >= kRunStatePaused) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  start_->setText(QStringLiteral("Start"));
  start_->setEnabled(false);
}

void MainWindow::EraseClicked() {
  const std::vector<std::string> names = files_->SelectedNames();
  if (names.empty()) {
    prompter_.Tell(this, QStringLiteral("No files selected to Erase."), kProductName,
                   MessageIcon::Exclamation);
  } else if (prompter_.AskYesNo(this, QStringLiteral("Do you wish to Erase these files?"),
                                QStringLiteral("Erase Selected Files"), MessageIcon::Question)) {
    const std::string directory = WithClosingSeparator(
        setup_->DxfSourcePath(), static_cast<char>(std::filesystem::path::preferred_separator));
    for (const std::string& name : names) {
      std::error_code gone_already;  // a file deleted meanwhile is not reported
      std::filesystem::remove(std::filesystem::path(NativePath(directory + TrimBlanks(name))), gone_already);
    }
  }
  files_->clearSelection();
  PollDirectory();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (running_) {  // the run stops after its drawing, then the window closes
    RequestStop();
    close_requested_ = true;
    event->ignore();
    return;
  }
  if (watcher_->Converting()) {  // the window closes once the automatic drawing is done
    close_requested_ = true;
    if (paused_automatic_) run_->RunState = kRunStateStopRequested;
    event->ignore();
    return;
  }
  Settings settings = CurrentSettings();
  WindowPlacement placement;
  const QRect normal = normalGeometry();
  placement = {normal.x(), normal.y(), normal.width(), normal.height(), isMaximized()};
  const std::string problem = UpdateSettingsFile(options_.settings_file, [&](IniFile& file) {
    LoadOrSaveSettings(kSaveSettings, file, settings);
    WriteWindowPlacement(file, placement);
  });
  if (!problem.empty()) ReportSettingsProblem(problem);
  // Closed by the system menu: the TPA editor is told the converter no longer runs.
  if (const auto root = Winner90Root(settings.DestinationPath); root && !exit_clicked_)
    ClearTpaExecFlag(*root);
  exit_clicked_ = false;
  event->accept();
}

// Enter starts a run unless a field is being typed in.
void MainWindow::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && start_->isEnabled() && qobject_cast<QLineEdit*>(focusWidget()) == nullptr) {
    start_->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!running_ && !DroppedDrawings(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// Dropped drawings are converted as one run. A request ends its drawing path at the
// first blank, so a path that keeps a blank even in its short form cannot be named.
void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> requests;
  QStringList refused;
  for (const QString& path : DroppedDrawings(event->mimeData())) {
    const std::string request = RequestPath(FromQt(QDir::toNativeSeparators(path)));
    if (request.find(' ') == std::string::npos) {
      requests.push_back(request);
    } else {
      refused << path;
    }
  }
  event->acceptProposedAction();
  if (!refused.isEmpty()) {
    prompter_.Tell(this,
                   tr("A drawing whose path holds a blank cannot be converted:\n%1").arg(refused.join('\n')),
                   kProductName, MessageIcon::Exclamation);
  }
  // The run starts once the drop has ended, so that the program the files came from
  // is not kept waiting.
  if (!requests.empty()) QTimer::singleShot(0, this, [this, requests] { RunRequests(requests); });
}

}  // namespace mq::gui
