#pragma once
// The main window as the core's operator: report rows go into `List2`, messages and
// the prompt box through the prompter, the meters into `StatusFrame`. A conversion
// runs on the window's thread and lets the window handle its events at most every
// few milliseconds, so that it repaints and the Stop button works without slowing
// the reader, which yields after every group pair.

#include <QElapsedTimer>

#include "input/operator.h"

class QWidget;

namespace mq::gui {

class ProgressMeters;
class Prompter;
class ReportView;

class GuiOperator : public Operator {
 public:
  // `yield_interval_ms`: the least time between two rounds of event handling.
  GuiOperator(QWidget& window, ReportView& report, ProgressMeters& meters, Prompter& prompter,
              int yield_interval_ms);

  void AddReportRow(const std::string& text) override;
  void ClearReport() override;
  void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
  std::string AskForText(const std::string& title, const std::string& message) override;
  void SetProgress(int meter, int percent) override;
  int Progress(int meter) const override;
  void YieldToWindow() override;
  // The window keeps handling its events while the conversion waits.
  void Pause(double seconds) override;

 private:
  QWidget& window_;
  ReportView& report_;
  ProgressMeters& meters_;
  Prompter& prompter_;
  int yield_interval_ms_;
  QElapsedTimer since_yield_;
};

}  // namespace mq::gui
