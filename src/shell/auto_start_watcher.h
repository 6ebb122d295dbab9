#pragma once
// The auto-start watcher: every half second it looks into the DXF source directory for
// a drawing dropped as "Temp.DXF" or a list "BATCH.LST" and converts what it finds, so
// that a design program beside the converter gets its programs without anyone touching
// the converter. It also converts the request of the command line and then ends the
// program.
//
// The first ticks only warm up: on the second, TEMP.DXF and BATCH.LST left over from an
// earlier session are deleted (unless "/S"); work begins on the fourth. A file is taken
// only once its size and modification time have stayed the same since the previous
// look, so that nothing is converted while the CAD program is still writing it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/driver/settings.h"
#include "input/run_context.h"
#include "shell/command_line_switches.h"
#include "shell/watcher_host.h"

namespace mq {

inline constexpr std::string_view kTempDrawingName = "Temp.DXF";
inline constexpr std::string_view kBatchListName = "BATCH.LST";
// The watcher's tick; also how long a file must stay unchanged before it is taken.
inline constexpr double kWatchIntervalSeconds = 0.5;
// The wait between reading BATCH.LST and deleting it.
inline constexpr double kBatchListDeleteDelaySeconds = 0.5;

enum class WatcherVerdict { kKeepWatching, kEndProgram };

enum class WatcherPace {
  kTimer,  // ticks every half second: warm-up, stale files deleted, files compared across ticks
  kOnce,   // one tick's work at once: a file younger than half a second is looked at again after a wait
};

struct FileStamp {
  std::string Path;
  std::uintmax_t Size = 0;
  std::filesystem::file_time_type Modified;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class AutoStartWatcher {
 public:
  AutoStartWatcher(CommandLine command_line, WatcherHost& host, WatcherPace pace = WatcherPace::kTimer)
      : command_line_(std::move(command_line)), host_(host), pace_(pace) {}

  // One tick with the settings as they are now. A tick that comes while an earlier one
  // is still converting (its conversion lets the window handle events, timer ticks
  // among them) does nothing. kEndProgram after a BATCH.LST run with "/K" and after the
  // command line's request.
  WatcherVerdict Tick(const Settings& settings, RunContext& run);

  bool Converting() const { return converting_; }
  // True when a drawing failed in any run of this watcher.
  bool SomethingFailed() const { return failed_; }
  const CommandLine& Line() const { return command_line_; }

 private:
  struct Readiness {
    std::optional<FileStamp> temp_drawing, batch_list;  // set when unchanged since the last look
  };
  Readiness Look(const std::string& dxf_path);
  bool Young(const std::optional<FileStamp>& stamp);
  WatcherVerdict Work(const Readiness& ready, const Settings& settings, RunContext& run);
  // false when the list was empty: the tick ends there.
  bool RunBatchListFile(const std::string& path, const Settings& settings, RunContext& run);

  CommandLine command_line_;
  WatcherHost& host_;
  WatcherPace pace_;
  int16_t tick_counter_ = 0;
  bool converting_ = false;
  bool failed_ = false;
  std::optional<FileStamp> temp_seen_, batch_seen_;
};

// The file's size and modification time, under the name the file system holds it
// (found without regard to case); nullopt when there is no such file.
std::optional<FileStamp> StampOf(const std::string& path);

}  // namespace mq
