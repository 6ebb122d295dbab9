#include "shell/automatic_run.h"

#include <filesystem>
#include <system_error>

#include "input/file_paths.h"
#include "input/plain_text.h"
#include "output/atomic_file.h"
#include "shell/batch_list.h"
#include "shell/batch_run.h"
#include "shell/case_blind_path.h"
#include "shell/dxf_directory.h"

namespace mq {

namespace {

constexpr int kMeterCount = 6;

void DeleteFile(const std::string& path) {
  std::error_code gone_already;
  std::filesystem::remove(std::filesystem::path(NativePath(path)), gone_already);
}

}  // namespace

void AutomaticRun::Prepare() {
  host_.EnableDefaultSettings(false);
  ClearReport(run_);
  run_.RunState = kRunStateRunning;
  run_.FailedFiles.clear();
  ledger_ = OutputLedger{};
  host_.EnableDirectoryPoll(false);
}

void AutomaticRun::ConvertDroppedDrawing(const std::string& path) {
  Prepare();
  host_.PutOnTop();
  run_.ui->YieldToWindow();
  const int programs_before = ledger_.WrittenPrograms.size();
  std::string request = RequestPath(path);
  host_.Convert(request, run_, settings_, ledger_);
  failed_ = failed_ || run_.FileFailed;
  DeleteFile(path);
  host_.GiveBackTop();
  FinishDrawing(settings_.DestinationPath, programs_before);
}

void AutomaticRun::RunList(std::string_view text, const std::string& processed_list_path) {
  Prepare();
  host_.PutOnTop();
  run_.ui->YieldToWindow();
  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  std::string processed;
  for (BatchListEntry entry : ParseBatchList(text, WithClosingSeparator(settings_.DXFPath, separator),
                                             WithClosingSeparator(settings_.DestinationPath, separator))) {
    entry.DrawingDirectory = ExistingDirectoryIgnoringCase(entry.DrawingDirectory);
    entry.ProgramDirectory = ExistingDirectoryIgnoringCase(entry.ProgramDirectory);
    if (host_.StopRequested()) {  // the drawings left are named as not converted
      FailDrawing(run_, entry.DrawingDirectory + entry.DrawingName);
      continue;
    }
    const int programs_before = ledger_.WrittenPrograms.size();
    std::string request = entry.Request();
    host_.Convert(request, run_, settings_, ledger_);
    failed_ = failed_ || run_.FileFailed;
    FinishDrawing(entry.ProgramDirectory, programs_before);
    processed += run_.ProgramName + "\r\n";
  }
  host_.GiveBackTop();
  WriteResultFile(run_, processed_list_path, processed);
  FlushReportRow(run_);
  failed_ = failed_ || !run_.FailedFiles.empty();
  ReportFailedFiles(run_);
  MakeBinaries(run_, settings_, ledger_, host_);
}

void AutomaticRun::FinishDrawing(const std::string& program_directory, int programs_before) {
  host_.EnableDirectoryPoll(true);
  FlushReportRow(run_);
  run_.ui->Pause(kSettleSeconds);
  if (settings_.PauseForMessages != 0 || run_.FileFailed) host_.WaitForContinue(run_);
  for (int meter = 0; meter < kMeterCount; ++meter) run_.ui->SetProgress(meter, 0);
  host_.RefreshFileList();
  run_.ui->YieldToWindow();
  host_.PutAtBottom();
  // A drawing whose code generation is turned off gives no program: nothing to show.
  const bool program_written = ledger_.WrittenPrograms.size() > programs_before;
  if ((settings_.GraphicAfterAuto != 0 || command_line_.GraphicAfterAuto) && program_written &&
      run_.RunState != kRunStateStopRequested && !run_.FileFailed) {
    host_.ShowGraphicEditor(program_directory, run_, settings_);
  }
  run_.RunState = kRunStateRunning;
}

bool ConvertCommandLineRequest(const CommandLine& command_line, const Settings& settings, RunContext& run,
                               WatcherHost& host) {
  if (TrimBlanks(command_line.Request).empty()) return true;
  host.PutOnTop();
  run.ui->YieldToWindow();
  OutputLedger ledger;
  std::string request = command_line.Request;
  host.Convert(request, run, settings, ledger);
  FlushReportRow(run);
  return !run.FileFailed;
}

}  // namespace mq
