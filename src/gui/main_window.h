#pragma once
// The converter's main window: the DXF files of the source directory, the buttons
// that run, stop and erase, the progress meters, the process report and the default
// settings. It holds the settings while the program runs, together with the Setup
// dialog. A run goes on inside the Start button's handler; each drawing is converted
// on a worker thread meanwhile, so that the window stays alive.

#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/driver/settings.h"
#include "input/run_context.h"
#include "output/writer_context.h"
#include "shell/auto_start_watcher.h"
#include "shell/ini_file.h"
#include "shell/watcher_host.h"

class QLabel;
class QPushButton;

namespace mq::gui {

class DefaultSettingsPanel;
class FileList;
class PreviewPane;
class GuiOperator;
class ProgressMeters;
class Prompter;
class ReportView;
class SetupDialog;
class ToolSubDialog;

struct WindowOptions {
  std::filesystem::path settings_file;  // MQ400.INI of this run
  std::string program_directory;        // the converter's directory, with its closing separator
  std::string executable_path;
  std::string command_line;  // a request to convert before the program ends, and switches
};

class MainWindow : public QMainWindow, private WatcherHost {
  Q_OBJECT

 public:
  // Runs the start-up: machine software, settings, column widths, directory poll.
  MainWindow(const WindowOptions& options, Prompter& prompter);
  ~MainWindow() override;

  // The settings as the two windows hold them now.
  Settings CurrentSettings() const;
  // The main configuration from the settings file into the windows (with the part-list
  // keys and the origin, so that nothing edited since the last save remains).
  void LoadSettings();
  // Every key of the main configuration from the windows into the settings file.
  void SaveSettings();

  // The directory poll: the file list follows the DXF source directory.
  void PollDirectory();
  // Converts the requests as one run; does nothing while a run is going on.
  void RunRequests(const std::vector<std::string>& requests);
  bool Running() const { return running_; }

  // A second start of the program asked for this window.
  void BringToFront();

  // One tick of the auto-start watcher (`Timer1`, every 500 ms): nothing during a
  // manual run or while the Setup dialog is open.
  void WatchTick();

 signals:
  // The auto-start watcher ended the program: after the command line's request, or
  // after a BATCH.LST run with "/K". The status is 1 when a drawing failed.
  void ProgramEnded(int status);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // ProgramHost: the control software's programs run while this window is hidden.
  bool AskYesNo(const std::string& text, const std::string& title) override;
  void HideMainWindow() override;
  void ShowMainWindow() override;

  // WatcherHost: automatic conversions in this window.
  void Convert(std::string& request, RunContext& run, const Settings& settings,
               OutputLedger& ledger) override;
  void EnableDirectoryPoll(bool on) override;
  void EnableDefaultSettings(bool on) override;
  void PutOnTop() override;
  void GiveBackTop() override;
  void PutAtBottom() override;
  void RefreshFileList() override;
  void WaitForContinue(RunContext& run) override;
  bool StopRequested() override { return close_requested_; }
  void Sleep(double seconds) override;
  void StartWatcher();
  void SetStaysOnTop(bool on);

  void BuildWindow();
  QWidget* BuildButtons();
  void IdentifyMachine();
  void ApplySettings(const Settings& settings);
  void LayOutDefaults();
  void PlaceWindow(const IniFile& file);
  void ReportSettingsProblem(const std::string& problem);

  void StartClicked();
  void ExitClicked();
  void EraseClicked();
  void ToggleDefaults();
  void OpenSetup();
  void OpenToolSub();
  void SaveColumnWidth(int column, float characters);

  std::vector<std::string> SelectedRequests() const;
  void RequestStop();
  void ConvertOnWorker(std::string& request, RunContext& run, const Settings& settings, OutputLedger& ledger);
  void EnterRun(bool running);
  void AfterDrawing(const Settings& settings);
  void WaitForContinue();
  void MarkDrawingRow(const OutputLedger& ledger, int& programs_seen);
  // The preview pane: the picture of a drawing's programs, read from their files.
  void ShowPreviewOf(const QStringList& programs);
  void TogglePreview();

  WindowOptions options_;
  Prompter& prompter_;
  Settings settings_;    // what the controls do not hold, and the state of the last load or save
  int form_state_ = -1;  // FormState: the default settings are shown
  bool running_ = false;
  bool converting_ = false;  // a worker owns the run context
  bool close_requested_ = false;
  bool exit_clicked_ = false;       // the window is closed by Exit, not by the system menu
  bool paused_automatic_ = false;   // an automatic conversion waits for Continue or Stop
  bool auto_start_enabled_ = true;  // the auto-start watcher may look for work

  FileList* files_ = nullptr;
  ReportView* report_ = nullptr;
  ProgressMeters* meters_ = nullptr;
  DefaultSettingsPanel* defaults_ = nullptr;
  PreviewPane* preview_ = nullptr;
  QPushButton* preview_button_ = nullptr;
  QPushButton *start_ = nullptr, *exit_ = nullptr, *erase_ = nullptr, *defaults_button_ = nullptr,
              *setup_button_ = nullptr, *tool_sub_button_ = nullptr;
  QLabel* directory_status_ = nullptr;
  SetupDialog* setup_ = nullptr;
  ToolSubDialog* tool_sub_ = nullptr;
  QTimer poll_;
  QTimer watch_;

  std::unique_ptr<GuiOperator> operator_;
  std::unique_ptr<RunContext> run_;
  std::unique_ptr<AutoStartWatcher> watcher_;
};

}  // namespace mq::gui
