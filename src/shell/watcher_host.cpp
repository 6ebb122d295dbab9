#include "shell/watcher_host.h"

#include "shell/process_file.h"
#include "shell/process_launch.h"

namespace mq {

void WatcherHost::Convert(std::string& request, RunContext& run, const Settings& settings,
                          OutputLedger& ledger) {
  ProcessFile(request, run, settings, ledger);
}

void WatcherHost::ShowGraphicEditor(const std::string& directory, RunContext& run, const Settings& settings) {
  WaitForProcess(StartGraphicEditor(directory, run, settings).process, *this);
}

std::filesystem::file_time_type WatcherHost::Now() { return std::filesystem::file_time_type::clock::now(); }

void WatcherHost::Sleep(double seconds) { SleepSeconds(seconds); }

}  // namespace mq
