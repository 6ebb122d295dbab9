#include "cli/collected_report.h"

#include <algorithm>

namespace mq::cli {

namespace {

// Report rows hold several lines joined by CR.
void AddLinesOf(const std::string& text, std::vector<std::string>& lines) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\r', start), text.size());
    std::string line = text.substr(start, end - start);
    line.erase(line.find_last_not_of(' ') + 1);
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
}

}  // namespace

std::vector<std::string> ReportLines(const CollectingOperator& person, const RunContext& run) {
  std::vector<std::string> lines;
  for (const std::string& text : person.lines) AddLinesOf(text, lines);
  AddLinesOf(run.PendingMessage, lines);
  return lines;
}

}  // namespace mq::cli
