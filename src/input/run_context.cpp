#include "input/run_context.h"

#include <chrono>
#include <ctime>

namespace mq {

namespace {

void AddRow(RunContext& run, const std::string& text) {
  ++run.ReportRowCount;
  run.ui->AddReportRow(text);
  run.ui->YieldToWindow();
}

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("\\/"); }

}  // namespace

void ClearReport(RunContext& run) {
  run.ReportRowCount = 0;
  run.ui->ClearReport();
}

void AddReportLine(RunContext& run, const std::string& text) {
  run.PendingMessage += text;
  run.PendingMessage += '\r';
}

void FlushReportRow(RunContext& run) {
  if (run.PendingMessage.empty()) return;
  std::string row = run.PendingMessage;
  row.pop_back();  // the final CR
  run.PendingMessage.clear();
  AddRow(run, row);
}

void ShowReportRow(RunContext& run, const std::string& text) { AddRow(run, text); }

void FailDrawing(RunContext& run, const std::string& failed_name) {
  run.FailedFiles.push_back(failed_name);
  run.FileFailed = true;
}

void AddWarningLine(RunContext& run, const std::string& text) {
  AddReportLine(run, text);
  run.Warnings.push_back(text);
}

std::string FileNamePart(const std::string& path) {
  const std::size_t sep = LastSeparator(path);
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string DirectoryPart(const std::string& path) {
  const std::size_t sep = LastSeparator(path);
  return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

CalendarDate TodayOf(const RunContext& run) {
  if (run.Today) return *run.Today;
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace mq
