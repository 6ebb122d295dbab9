#pragma once
// What the automatic conversions need from the front end that runs them: the window
// with its directory poll, default settings, window order and pause, or a command line
// with nobody in front of it. Everything has a sensible default for a front end
// without a window; the desktop application overrides what its window does.

#include <filesystem>
#include <string>

#include "engine/driver/settings.h"
#include "input/run_context.h"
#include "output/writer_context.h"
#include "shell/external_programs.h"

namespace mq {

class WatcherHost : public ProgramHost {
 public:
  // Converts one drawing: ProcessFile, or ProcessFile where the front end wants it run.
  virtual void Convert(std::string& request, RunContext& run, const Settings& settings, OutputLedger& ledger);

  // The main window's directory poll and default-settings section.
  virtual void EnableDirectoryPoll(bool) {}
  virtual void EnableDefaultSettings(bool) {}
  // Window order: remember the active window and put the main window on top of all;
  // give the remembered window the top again; put the main window at the bottom.
  virtual void PutOnTop() {}
  virtual void GiveBackTop() {}
  virtual void PutAtBottom() {}
  // After a drawing: the progress timer stopped and the file list refreshed.
  virtual void RefreshFileList() {}

  // The pause after a drawing that failed or when messages are to be read: RunState 2
  // until the operator presses Continue (RunState -1) or Stop (1). Without a person
  // nobody could press either: the drawing's report row says what happened and the
  // run goes on.
  virtual void WaitForContinue(RunContext&) {}
  // The graphic editor on `directory`, waited for; see StartGraphicEditor.
  virtual void ShowGraphicEditor(const std::string& directory, RunContext& run, const Settings& settings);

  // True when the front end is to end after the drawing being converted (the window is
  // being closed, the process was told to terminate); the rest of a list is not run.
  virtual bool StopRequested() { return false; }

  // The clock file times are compared with, and a plain wait.
  virtual std::filesystem::file_time_type Now();
  virtual void Sleep(double seconds);

  // ProgramHost: nobody to ask, no window to hide.
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  void HideMainWindow() override {}
  void ShowMainWindow() override {}
};

}  // namespace mq
