#pragma once
// The person behind a command-line run: the process report goes to standard output,
// message boxes to standard error, and the prompt box asks on the terminal when there
// is one.

#include <iosfwd>
#include <string>

#include "cli/progress_line.h"
#include "input/operator.h"

namespace mq::cli {

class CliOperator : public Operator {
 public:
  // `interactive`: a person can answer on `in` (standard input is a terminal).
  CliOperator(std::ostream& out, std::ostream& err, std::istream& in, bool interactive)
      : out_(out), err_(err), in_(in), interactive_(interactive) {}

  // The meters drive `progress`, which is erased before anything is printed.
  void ShowProgressOn(ProgressLine& progress) { progress_ = &progress; }
  // The report rows are kept (LastRow) but not printed: --quiet and --json.
  void HideReport() { report_shown_ = false; }

  // Each report row is printed as its lines (a row's lines are joined by CR).
  void AddReportRow(const std::string& text) override;
  // The row printed last, as its lines.
  const std::string& LastRow() const { return last_row_; }
  // A terminal keeps what was printed; there is nothing to clear.
  void ClearReport() override {}
  // "title: text" on standard error.
  void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
  // Asks on standard error and reads one line; without a person, the empty answer.
  std::string AskForText(const std::string& title, const std::string& message) override;
  // The meters are kept (the engine advances them from their value) and move the
  // progress line when there is one.
  void SetProgress(int meter, int percent) override;
  int Progress(int meter) const override;
  // Nothing to process: a command-line run is stopped by ending the process.
  void YieldToWindow() override {}
  // A command-line run does not wait: the pauses exist to let a person read a window,
  // and here every message stays on the terminal.
  void Pause(double) override {}

 private:
  std::ostream& out_;
  std::ostream& err_;
  std::istream& in_;
  bool interactive_;
  ProgressLine* progress_ = nullptr;
  bool report_shown_ = true;
  std::string last_row_;
  int meters_[6] = {0, 0, 0, 0, 0, 0};
};

// True when standard input is a terminal, so that a person can answer the prompt box.
bool StandardInputIsTerminal();

}  // namespace mq::cli
