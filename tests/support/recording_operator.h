#pragma once
// A test operator: records every report row, message box and question, answers the
// prompt box from a script, and can ask to stop after a number of yields.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "input/operator.h"
#include "input/run_context.h"

namespace mq::test {

class RecordingOperator : public Operator {
 public:
  std::vector<std::string> rows;
  std::vector<std::string> messages;   // message-box texts
  std::vector<std::string> questions;  // prompt-box messages
  std::deque<std::string> answers;     // prompt-box answers, in order
  std::vector<double> pauses;
  int yields = 0;
  int meters[6] = {0, 0, 0, 0, 0, 0};

  // When set, the yield numbered `stop_after_yields` sets run->RunState to 1.
  RunContext* run = nullptr;
  int stop_after_yields = -1;
  // When set, the yield of that number throws, as a window that went away would.
  int throw_at_yield = -1;

  void AddReportRow(const std::string& text) override { rows.push_back(text); }
  void ClearReport() override { rows.clear(); }
  void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
    messages.push_back(text);
  }
  std::string AskForText(const std::string&, const std::string& message) override {
    questions.push_back(message);
    if (answers.empty()) return {};
    std::string a = answers.front();
    answers.pop_front();
    return a;
  }
  void SetProgress(int meter, int percent) override {
    if (meter >= 0 && meter < 6) meters[meter] = percent;
  }
  int Progress(int meter) const override { return meter >= 0 && meter < 6 ? meters[meter] : 0; }
  void YieldToWindow() override {
    ++yields;
    if (yields == throw_at_yield) throw std::runtime_error("the operator's window went away");
    if (run && stop_after_yields >= 0 && yields >= stop_after_yields) run->RunState = kRunStateStopRequested;
  }
  void Pause(double seconds) override { pauses.push_back(seconds); }
};

}  // namespace mq::test
