// The speed of the DXF reader on a large synthetic drawing, against the floor of
// merely reading the file and splitting its lines; and the memory the reading takes.
// Usage: bench_read_dxf [megabytes=50] [runs=3]
// Speeds are given in processor time of this process (what the reading costs, even
// on a machine busy with other work) and in elapsed time.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "dxf_generator.h"
#include "input/dxf_lines.h"
#include "input/dxf_reader.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Processor time and elapsed time of one measured step.
struct Timing {
  double cpu = 1e9;
  double wall = 1e9;
};

class Stopwatch {
 public:
  Stopwatch() : cpu_(std::clock()), wall_(Clock::now()) {}
  void KeepBest(Timing& best) const {
    best.cpu = std::min(best.cpu, static_cast<double>(std::clock() - cpu_) / CLOCKS_PER_SEC);
    best.wall = std::min(best.wall, std::chrono::duration<double>(Clock::now() - wall_).count());
  }

 private:
  std::clock_t cpu_;
  Clock::time_point wall_;
};

// Resident memory in bytes from /proc (Linux); 0 where there is none. `peak` gives
// the high-water mark since the last ResetPeak.
uint64_t ResidentBytes(bool peak) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string key = peak ? "VmHWM:" : "VmRSS:";
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::strtoull(line.c_str() + key.size(), nullptr, 10) * 1024;
  }
  return 0;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The floor: read the whole file and split it into lines, nothing else.
void SplitOnly(const std::string& path, uint64_t& lines, Timing& best) {
  const Stopwatch watch;
  mq::DxfLineReader reader;
  std::string error;
  if (!reader.Open(path, error)) {
    std::fprintf(stderr, "cannot open %s: %s\n", path.c_str(), error.c_str());
    std::exit(1);
  }
  std::string_view line;
  uint64_t bytes = 0;
  lines = 0;
  while (reader.Next(line)) {
    ++lines;
    bytes += line.size();
  }
  watch.KeepBest(best);
  if (bytes == 0) std::fprintf(stderr, "empty file\n");
}

// The floor as a reader that reads the whole file at once would have it: the file in
// one fresh buffer, then its lines split in place.
void WholeFileSplit(const std::string& path, Timing& best) {
  const Stopwatch watch;
  std::ifstream file(path, std::ios::binary);
  std::string buffer(static_cast<std::size_t>(fs::file_size(path)), '\0');
  file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  uint64_t lines = 0;
  std::size_t begin = 0;
  const std::size_t end = buffer.size();
  while (begin < end) {
    std::size_t p = begin;
    while (p < end && buffer[p] != '\n' && buffer[p] != '\r') ++p;
    ++lines;
    begin = p + (p + 1 < end && buffer[p] == '\r' && buffer[p + 1] == '\n' ? 2 : 1);
  }
  watch.KeepBest(best);
  if (lines == 0) std::fprintf(stderr, "empty file\n");
}

}  // namespace

int main(int argc, char** argv) {
  const uint64_t megabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 50;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const fs::path directory = fs::temp_directory_path() / "marquill-bench-read-dxf";
  fs::create_directories(directory);
  const std::string path = (directory / "LARGE.DXF").string();
  const uint64_t size = mq::bench::DxfGenerator::Write(path, megabytes << 20);
  const double mb = static_cast<double>(size) / (1 << 20);

  Timing floor_best, whole_best, read_best;
  uint64_t lines = 0, peak_extra = 0;
  int entities = 0;
  for (int run = 0; run < runs; ++run) {
    SplitOnly(path, lines, floor_best);
    WholeFileSplit(path, whole_best);

    mq::SilentOperator nobody;
    mq::RunContext context(nobody);
    const uint64_t before = ResidentBytes(false);
    ResetPeak();
    const Stopwatch watch;
    {
      mq::EntityStore store;
      std::string file_name = path;
      mq::ReadDxf(file_name, store, context);
      watch.KeepBest(read_best);
      entities = store.LastIndex() - 2;
      if (context.FileFailed) std::fprintf(stderr, "reading failed: %s\n", context.PendingMessage.c_str());
    }
    const uint64_t peak = ResidentBytes(true);
    peak_extra = std::max(peak_extra, peak > before ? peak - before : 0);
  }
  fs::remove_all(directory);

  std::printf("drawing:      %.1f MB, %llu lines, %d records\n", mb, static_cast<unsigned long long>(lines), entities);
  std::printf("split floor:  %.0f MB/s (%.3f s processor), %.0f MB/s elapsed (read in blocks, split)\n", mb / floor_best.cpu, floor_best.cpu,
              mb / floor_best.wall);
  std::printf("whole file:   %.0f MB/s (%.3f s processor), %.0f MB/s elapsed (read at once, then split)\n",
              mb / whole_best.cpu, whole_best.cpu, mb / whole_best.wall);
  std::printf("ReadDxf:      %.0f MB/s (%.3f s processor), %.0f MB/s elapsed; %.2f x the split floor, %.2f x the "
              "whole-file floor\n",
              mb / read_best.cpu, read_best.cpu, mb / read_best.wall, read_best.cpu / floor_best.cpu,
              read_best.cpu / whole_best.cpu);
  if (peak_extra > 0) {
    std::printf("peak memory:  %.1f MB for the reading, %.2f x the file size\n",
                static_cast<double>(peak_extra) / (1 << 20), static_cast<double>(peak_extra) / static_cast<double>(size));
  } else {
    std::printf("peak memory:  not measured on this system\n");
  }
  return 0;
}
