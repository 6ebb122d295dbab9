#include "shell/auto_start_watcher.h"

#include <chrono>
#include <system_error>

#include "input/file_paths.h"
#include "output/atomic_file.h"
#include "shell/automatic_run.h"

namespace mq {

namespace fs = std::filesystem;

namespace {

constexpr int16_t kStaleFilesTick = 1;
constexpr int16_t kFirstWorkingTick = 3;
constexpr auto kSteadyFor = std::chrono::milliseconds(500);

std::string DxfSourcePath(const Settings& settings) {
  return WithClosingSeparator(settings.DXFPath, static_cast<char>(fs::path::preferred_separator));
}

void DeleteIfThere(const std::string& path) {
  if (const auto found = FindExistingFile(path)) {
    std::error_code gone_already;
    fs::remove(fs::path(*found), gone_already);
  }
}

// The stamp when it is the same as at the previous look.
std::optional<FileStamp> Unchanged(const std::optional<FileStamp>& now, std::optional<FileStamp>& seen) {
  const bool same = now && seen && *now == *seen;
  seen = now;
  return same ? now : std::nullopt;
}

// Keeps `flag` set while a tick works.
class Busy {
 public:
  explicit Busy(bool& flag) : flag_(flag) { flag_ = true; }
  ~Busy() { flag_ = false; }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  bool& flag_;
};

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
  auto found = FindExistingFile(path);
  if (!found) return std::nullopt;
  found = SpelledAsStored(*found);
  std::error_code ec;
  FileStamp stamp{*found, fs::file_size(fs::path(*found), ec), {}};
  if (!ec) stamp.Modified = fs::last_write_time(fs::path(*found), ec);
  return ec ? std::nullopt : std::optional<FileStamp>(stamp);
}

AutoStartWatcher::Readiness AutoStartWatcher::Look(const std::string& dxf_path) {
  const std::string temp = dxf_path + std::string(kTempDrawingName),
                    list = dxf_path + std::string(kBatchListName);
  return {Unchanged(StampOf(temp), temp_seen_), Unchanged(StampOf(list), batch_seen_)};
}

bool AutoStartWatcher::Young(const std::optional<FileStamp>& stamp) {
  return stamp && host_.Now() - stamp->Modified < kSteadyFor;
}

WatcherVerdict AutoStartWatcher::Tick(const Settings& settings, RunContext& run) {
  if (converting_) return WatcherVerdict::kKeepWatching;
  const Busy busy(converting_);
  const std::string dxf_path = DxfSourcePath(settings);
  if (pace_ == WatcherPace::kOnce) {
    // The first look, and a second one a little later at a file just written.
    Look(dxf_path);
    if (Young(temp_seen_) || Young(batch_seen_)) host_.Sleep(kWatchIntervalSeconds);
  } else if (tick_counter_ == kStaleFilesTick && !command_line_.ProcessBatchList) {
    DeleteIfThere(dxf_path + std::string(kTempDrawingName));
    DeleteIfThere(dxf_path + std::string(kBatchListName));
  }
  const Readiness ready = Look(dxf_path);
  if (pace_ == WatcherPace::kTimer && tick_counter_ != kFirstWorkingTick) {
    ++tick_counter_;
    return WatcherVerdict::kKeepWatching;
  }
  return Work(ready, settings, run);
}

WatcherVerdict AutoStartWatcher::Work(const Readiness& ready, const Settings& settings, RunContext& run) {
  if (settings.AutoStartTemp) {
    // A drawing of no bytes is still being written.
    if (ready.temp_drawing && ready.temp_drawing->Size > 0) {
      AutomaticRun automatic(settings, run, host_, command_line_);
      automatic.ConvertDroppedDrawing(ready.temp_drawing->Path);
      failed_ = failed_ || automatic.Failed();
      temp_seen_.reset();
    }
  } else if ((settings.AutoStartBatch || command_line_.ProcessBatchList) && ready.batch_list) {
    if (!RunBatchListFile(ready.batch_list->Path, settings, run)) return WatcherVerdict::kKeepWatching;
    if (command_line_.EndAfterBatchList) return WatcherVerdict::kEndProgram;
  }
  host_.EnableDefaultSettings(true);
  if (command_line_.Empty()) return WatcherVerdict::kKeepWatching;
  failed_ = !ConvertCommandLineRequest(command_line_, settings, run, host_) || failed_;
  return WatcherVerdict::kEndProgram;
}

bool AutoStartWatcher::RunBatchListFile(const std::string& path, const Settings& settings, RunContext& run) {
  run.FileFailed = false;
  const std::string text = ReadWholeFile(path);
  host_.Sleep(kBatchListDeleteDelaySeconds);
  std::error_code gone_already;
  fs::remove(fs::path(path), gone_already);
  batch_seen_.reset();
  if (text.empty()) return false;

  const std::string processed = DxfSourcePath(settings) + std::string(kProcessedListName);
  AutomaticRun automatic(settings, run, host_, command_line_);
  automatic.RunList(text, FindExistingFile(processed).value_or(processed));
  failed_ = failed_ || automatic.Failed();
  return true;
}

}  // namespace mq
