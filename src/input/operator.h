#pragma once
// What a conversion needs from a person or a window. The desktop application, the
// command line and the tests each implement it; the core never talks to a screen
// directly. Every operation may be called from inside a long conversion.

#include <string>

namespace mq {

// The six progress meters of the main window, as SetProgress numbers them.
namespace meter {
constexpr int kParsing = 0;
constexpr int kReadingInfo = 1;
constexpr int kProcessing = 2;
constexpr int kSequencing = 3;
constexpr int kSynLeads = 4;
constexpr int kGCode = 5;
}  // namespace meter

enum class MessageIcon { None, Exclamation, Question, Information, Error };

class Operator {
 public:
  virtual ~Operator() = default;

  // The process report: a list of rows, each row one or more lines joined by CR.
  virtual void AddReportRow(const std::string& text) = 0;
  virtual void ClearReport() = 0;

  // A modal message box with one OK button.
  virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;

  // The prompt box: a one-line answer to a question; empty when the person gives none.
  virtual std::string AskForText(const std::string& title, const std::string& message) = 0;

  // The six progress meters (0 Parsing, 1 Reading Info, 2 Processing, 3 Sequencing,
  // 4 Syn Leads, 5 G Code), each 0..100.
  virtual void SetProgress(int meter, int percent) = 0;
  virtual int Progress(int meter) const = 0;

  // Lets the window process pending events; the Stop button is read here, so the
  // run state may change during this call.
  virtual void YieldToWindow() = 0;

  // A plain pause of the conversion, in seconds (the damaged-index pause, for one).
  virtual void Pause(double seconds) = 0;
};

// An operator with nobody behind it: records nothing, answers nothing, never waits.
class SilentOperator : public Operator {
 public:
  void AddReportRow(const std::string&) override {}
  void ClearReport() override {}
  void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
  std::string AskForText(const std::string&, const std::string&) override { return {}; }
  void SetProgress(int meter, int percent) override {
    if (meter >= 0 && meter < 6) meters_[meter] = percent;
  }
  int Progress(int meter) const override { return meter >= 0 && meter < 6 ? meters_[meter] : 0; }
  void YieldToWindow() override {}
  void Pause(double) override {}

 private:
  int meters_[6] = {0, 0, 0, 0, 0, 0};
};

}  // namespace mq
