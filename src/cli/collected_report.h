#pragma once
// What a drawing said while the inspect commands read or converted it: nobody answers on
// a command line, so message boxes and report rows are kept and given back as lines.

#include <string>
#include <vector>

#include "input/operator.h"
#include "input/run_context.h"

namespace mq::cli {

class CollectingOperator : public SilentOperator {
 public:
  void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
    lines.push_back(text);
  }
  void AddReportRow(const std::string& text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

// The message boxes, the rows shown and the lines still pending, one line each,
// without trailing blanks and without empty lines.
std::vector<std::string> ReportLines(const CollectingOperator& person, const RunContext& run);

}  // namespace mq::cli
