#include "cli/cli_operator.h"

#include <algorithm>
#include <cstdio>
#include <istream>
#include <ostream>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace mq::cli {

namespace {

constexpr int kMeters = 6;

// Report rows and message texts join their lines with CR, as the report grid shows them.
std::string AsLines(std::string text) {
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
}

}  // namespace

void CliOperator::AddReportRow(const std::string& text) {
  last_row_ = AsLines(text);
  if (!report_shown_) return;
  if (progress_) progress_->Clear();
  out_ << last_row_ << '\n' << std::flush;
}

void CliOperator::ShowMessage(const std::string& text, const std::string& title, MessageIcon) {
  if (progress_) progress_->Clear();
  if (!title.empty()) err_ << title << ": ";
  err_ << AsLines(text) << '\n' << std::flush;
}

std::string CliOperator::AskForText(const std::string& title, const std::string& message) {
  if (!interactive_) return {};
  if (progress_) progress_->Clear();
  if (!title.empty()) err_ << title << ": ";
  err_ << AsLines(message) << ' ' << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) return {};
  if (!answer.empty() && answer.back() == '\r') answer.pop_back();
  return answer;
}

void CliOperator::SetProgress(int meter, int percent) {
  if (meter >= 0 && meter < kMeters) meters_[meter] = percent;
  if (progress_) progress_->MeterMoved(meter, percent);
}

int CliOperator::Progress(int meter) const { return meter >= 0 && meter < kMeters ? meters_[meter] : 0; }

bool StandardInputIsTerminal() {
#if defined(_WIN32)
  return _isatty(_fileno(stdin)) != 0;
#else
  return isatty(fileno(stdin)) != 0;
#endif
}

}  // namespace mq::cli
