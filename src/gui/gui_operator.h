#pragma once
// The main window as the core's operator: report rows go into `List2`, messages and
// the prompt box through the prompter, the meters into `StatusFrame`.
//
// A drawing is converted on a worker thread while the window goes on handling its
// events, so that it repaints and its meters move however long a stage of the
// conversion takes. Calls from the worker are carried over to the window's thread
// (messages and questions wait for the operator's answer); a stop request reaches the
// conversion at its next yield, where it becomes the run state the core tests.
// Called on the window's own thread (the report rows between drawings), a yield
// lets the window handle its events, at most every few milliseconds.

#include <QElapsedTimer>
#include <atomic>

#include "input/operator.h"
#include "input/run_context.h"

class QWidget;

namespace mq::gui {

class ProgressMeters;
class Prompter;
class ReportView;

class GuiOperator : public Operator {
 public:
  GuiOperator(QWidget& window, ReportView& report, ProgressMeters& meters, Prompter& prompter);

  // The run whose state a stop request sets.
  void Attach(RunContext& run) { run_ = &run; }
  // The Stop button: the conversion under way is abandoned at its next yield.
  void RequestStop() { stop_requested_ = true; }
  void ClearStop() { stop_requested_ = false; }
  bool StopRequested() const { return stop_requested_; }

  void AddReportRow(const std::string& text) override;
  void ClearReport() override;
  void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
  std::string AskForText(const std::string& title, const std::string& message) override;
  void SetProgress(int meter, int percent) override;
  int Progress(int meter) const override;
  void YieldToWindow() override;
  void Pause(double seconds) override;

 private:
  bool OnWindowThread() const;
  // Runs `call` on the window's thread and waits for it.
  template <class Call>
  void OnWindow(Call call);

  QWidget& window_;
  ReportView& report_;
  ProgressMeters& meters_;
  Prompter& prompter_;
  RunContext* run_ = nullptr;
  std::atomic<bool> stop_requested_ = false;
  QElapsedTimer since_yield_;
};

}  // namespace mq::gui
