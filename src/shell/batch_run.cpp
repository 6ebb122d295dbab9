#include "shell/batch_run.h"

#include <algorithm>
#include <memory>

#include "input/operator.h"
#include "shell/drawing_pipeline.h"
#include "shell/process_file.h"

namespace mq {

namespace {

constexpr int kMeterCount = 6;

void ResetMeters(Operator& ui) {
  for (int meter = 0; meter < kMeterCount; ++meter) ui.SetProgress(meter, 0);
}

// The reader and the engine mark an abandoned drawing as failed without listing it;
// the operator must still see at the end that it was not converted.
void ListAbandonedDrawing(RunContext& run) {
  if (run.RunState != kRunStateStopRequested || !run.FileFailed) return;
  if (std::find(run.FailedFiles.begin(), run.FailedFiles.end(), run.DxfFileName) != run.FailedFiles.end())
    return;
  run.FailedFiles.push_back(run.DxfFileName);
}

}  // namespace

void RunBatch(const std::vector<std::string>& requests, RunContext& run, const Settings& settings,
              OutputLedger& ledger, const BatchSteps& steps) {
  ClearReport(run);
  run.FailedFiles.clear();
  ledger = OutputLedger{};
  if (requests.empty()) return;

  std::unique_ptr<DrawingPipeline> ahead;
  if (steps.jobs > 1 && !steps.convert)
    ahead = std::make_unique<DrawingPipeline>(requests, run, settings, steps.jobs);
  for (std::size_t index = 0; index < requests.size(); ++index) {
    std::string request = requests[index];
    if (steps.before_drawing) steps.before_drawing(index, request);
    if (steps.convert) {
      steps.convert(request, run, settings, ledger);
    } else if (ahead) {
      PreparedDrawing drawing = ahead->Take(index, run);
      WritePreparedDrawing(drawing, run, settings, ledger);
    } else {
      ProcessFile(request, run, settings, ledger);
    }
    FlushReportRow(run);
    run.ui->Pause(kSettleSeconds);
    if (steps.after_drawing) steps.after_drawing(run);
    ResetMeters(*run.ui);
    if (run.RunState == kRunStateStopRequested) {
      ListAbandonedDrawing(run);
      break;
    }
  }
  ReportFailedFiles(run);
  if (steps.after_run) steps.after_run(run, ledger);
}

void ReportFailedFiles(RunContext& run) {
  if (run.FailedFiles.empty()) return;
  AddReportLine(run, std::string(kFailedFilesHeading));
  for (const std::string& name : run.FailedFiles) AddReportLine(run, name);
  FlushReportRow(run);
}

}  // namespace mq
