// The converter's speed on four generated drawings, as one table: the reader alone, each
// stage of a conversion, whole conversions by the command line (process start included)
// with their peak memory, and the same files read by dxflib and ezdxf where they are
// installed, as ratios. Then a batch of 200 cabinet sides with one job and with two.
//
// Usage: bench_table CLI [DXFLIB_READER]
//        bench_table --drawings DIR   (only writes the four drawings into DIR, for profiling)
// Times are the best of several runs; the machine's load (uptime) is printed with them.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dxf_generator.h"
#include "engine/driver/convert_drawing.h"
#include "input/dxf_reader.h"
#include "output/program_writer.h"
#include "output/pts_part_list.h"
#include "shell/ini_file.h"
#include "shell/settings_store.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// The stages of the table and the pass each begins with; a pass belongs to the stage
// begun last before it.
const std::vector<std::pair<std::string, std::string>> kStages = {
    {"ReadInstructions", "drawing, border"},  {"CollectBoresGroovesAndTexts", "collecting"},
    {"OrderGrooves", "joining, ordering"},    {"ExcavatePockets", "pockets, bores"},
    {"CompensateCorners", "corners, passes"}, {"SynthesizeLeads", "leads, corner"},
};
constexpr const char* kWriterStage = "program writer";

std::string StageOf(std::string_view pass) {
  std::string stage = kStages.front().second;
  for (std::string_view name : mq::PassNames()) {
    for (const auto& [first, label] : kStages) {
      if (first == name) stage = label;
    }
    if (name == pass) break;
  }
  return stage;
}

struct Drawing {
  std::string label;
  fs::path path;
  bool converts = true;
  int runs = 5;
  // Measured:
  double megabytes = 0;
  int entities = 0;
  double read_ms = 1e300;
  std::map<std::string, double> stage_ms;
  double process_ms = 1e300;
  double peak_mb = 0;
  std::optional<double> dxflib_ms, ezdxf_ms;
};

struct Environment {
  fs::path work, examples, cli, dxflib;
  mq::Settings settings;
};

mq::Settings BenchSettings(const Environment& env) {
  std::ifstream in(env.examples / "MQ400.INI", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  mq::Settings settings;
  mq::LoadStartupSettings(mq::IniFile::Parse(text), settings);
  settings.DestinationPath = (env.work / "out").string() + "/";
  settings.PTSPath = (env.work / "out").string() + "/";
  return settings;
}

void TimeReader(Drawing& d) {
  for (int run = 0; run < d.runs; ++run) {
    mq::SilentOperator nobody;
    mq::RunContext context(nobody);
    mq::EntityStore store;
    std::string name = d.path.string();
    const auto start = Clock::now();
    mq::ReadDxf(name, store, context);
    d.read_ms = std::min(d.read_ms, Milliseconds(start));
    d.entities = store.LastIndex() - 2;
  }
}

// One conversion in this process, its time split by stage.
void TimeStages(Drawing& d, const Environment& env) {
  for (int run = 0; run < d.runs; ++run) {
    mq::SilentOperator nobody;
    mq::RunContext context(nobody);
    context.RootDirectory = env.examples.string() + "/";
    context.DxfFileName = d.path.string();
    context.DxfShortName = d.path.stem().string();
    context.ProgramName = context.DxfShortName;
    context.DxfDirectory = d.path.parent_path().string() + "/";
    mq::EntityStore store;
    mq::ReadDxf(context.DxfFileName, store, context);
    mq::ConversionState state;
    mq::EngineContext engine{context, store, env.settings, state};
    std::map<std::string, double> stages;
    auto mark = Clock::now();
    mq::ConvertDrawingObserved(engine, [&](std::string_view pass) {
      stages[StageOf(pass)] += Milliseconds(mark);
      mark = Clock::now();
    });
    mq::OutputLedger ledger;
    mq::WriterContext writer{context, env.settings, state, ledger};
    mark = Clock::now();
    mq::WritePtp400Program(writer);
    mq::WritePtsEntry(writer, mq::ProgramDescription(state));
    stages[kWriterStage] += Milliseconds(mark);
    if (context.FileFailed) std::fprintf(stderr, "%s: %s\n", d.label.c_str(), context.PendingMessage.c_str());
    for (const auto& [name, ms] : stages) {
      auto [it, fresh] = d.stage_ms.emplace(name, ms);
      if (!fresh) it->second = std::min(it->second, ms);
    }
  }
}

// Runs a program; its wall time in milliseconds and its peak resident memory in MB.
struct ProcessRun {
  double ms = 0, peak_mb = 0;
  int status = -1;
};

ProcessRun RunProcess(const std::vector<std::string>& args, const fs::path& directory, bool quiet = true) {
  std::fflush(stdout);
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(directory.c_str()) != 0) _exit(127);
    if (quiet) {  // the report and the warnings are not what is measured
      const int nothing = open("/dev/null", O_WRONLY);
      if (nothing < 0 || dup2(nothing, STDOUT_FILENO) < 0 || dup2(nothing, STDERR_FILENO) < 0) _exit(127);
    }
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  ProcessRun result;
  result.ms = Milliseconds(start);
  result.peak_mb = static_cast<double>(usage.ru_maxrss) / 1024.0;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::vector<std::string> ConvertCommand(const Environment& env, const std::vector<std::string>& drawings,
                                        int jobs) {
  std::vector<std::string> args = {env.cli.string(), "--settings", (env.examples / "MQ400.INI").string(),
                                   "convert"};
  args.insert(args.end(), drawings.begin(), drawings.end());
  // Every run starts MQ.PNX anew, as the first run in a directory would: repeated runs
  // would otherwise time a part list grown by the runs before.
  args.insert(args.end(),
              {"--dest", (env.work / "out").string(), "--jobs", std::to_string(jobs), "--restart-part-list"});
  return args;
}

void TimeProcess(Drawing& d, const Environment& env) {
  for (int run = 0; run < d.runs; ++run) {
    const ProcessRun r = RunProcess(ConvertCommand(env, {d.path.string()}, 1), env.work);
    if (r.status != 0)
      std::fprintf(stderr, "%s: the command line ended with %d\n", d.label.c_str(), r.status);
    d.process_ms = std::min(d.process_ms, r.ms);
    d.peak_mb = std::max(d.peak_mb, r.peak_mb);
  }
}

// A reader of another library prints its reading time in milliseconds on its first line.
std::optional<double> ForeignReadMs(const std::vector<std::string>& args, const fs::path& directory,
                                    int runs) {
  std::optional<double> best;
  for (int run = 0; run < runs; ++run) {
    const fs::path output = directory / "foreign.txt";
    std::string command;
    for (const std::string& a : args) command += "'" + a + "' ";
    command += "> '" + output.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    std::ifstream in(output);
    double ms = 0;
    if (!(in >> ms)) return std::nullopt;
    best = best ? std::min(*best, ms) : ms;
  }
  return best;
}

constexpr const char* kEzdxfReader =
    "import sys, time, ezdxf\n"
    "start = time.perf_counter()\n"
    "doc = ezdxf.readfile(sys.argv[1])\n"
    "n = len(doc.modelspace())\n"
    "print((time.perf_counter() - start) * 1000)\n";

bool EzdxfInstalled() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }

std::string Cell(std::optional<double> value, const char* format) {
  if (!value) return "-";
  char text[32];
  std::snprintf(text, sizeof text, format, *value);
  return text;
}

void PrintRow(const std::string& name, const std::vector<std::string>& cells) {
  std::printf("| %-30s |", name.c_str());
  for (const std::string& c : cells) std::printf(" %12s |", c.c_str());
  std::printf("\n");
}

void PrintTable(const std::vector<Drawing>& drawings) {
  std::vector<std::string> head;
  for (const Drawing& d : drawings) head.push_back(d.label);
  PrintRow("", head);
  std::printf("|%s|", std::string(32, '-').c_str());
  for (std::size_t k = 0; k < drawings.size(); ++k) std::printf("%s|", std::string(14, '-').c_str());
  std::printf("\n");
  auto row = [&](const std::string& name, const std::function<std::optional<double>(const Drawing&)>& value,
                 const char* format) {
    std::vector<std::string> cells;
    for (const Drawing& d : drawings) cells.push_back(Cell(value(d), format));
    PrintRow(name, cells);
  };
  auto converted = [](const Drawing& d, double v) {
    return d.converts ? std::optional<double>(v) : std::nullopt;
  };
  row(
      "entities", [](const Drawing& d) { return d.entities; }, "%.0f");
  row(
      "file size, MB", [](const Drawing& d) { return d.megabytes; }, "%.2f");
  row(
      "reader, ms", [](const Drawing& d) { return d.read_ms; }, "%.1f");
  row(
      "reader, MB/s", [](const Drawing& d) { return d.megabytes / d.read_ms * 1000; }, "%.0f");
  for (const auto& [pass, stage] : kStages) {
    row(
        stage + ", ms",
        [&, s = stage](const Drawing& d) { return converted(d, d.stage_ms.count(s) ? d.stage_ms.at(s) : 0); },
        "%.1f");
  }
  row(
      std::string(kWriterStage) + ", ms",
      [&](const Drawing& d) {
        return converted(d, d.stage_ms.count(kWriterStage) ? d.stage_ms.at(kWriterStage) : 0);
      },
      "%.1f");
  row(
      "whole conversion (process), ms", [&](const Drawing& d) { return converted(d, d.process_ms); }, "%.0f");
  row(
      "peak memory (process), MB", [&](const Drawing& d) { return converted(d, d.peak_mb); }, "%.0f");
  row(
      "dxflib read, ms", [](const Drawing& d) { return d.dxflib_ms; }, "%.1f");
  row(
      "reader / dxflib",
      [](const Drawing& d) { return d.dxflib_ms ? std::optional(d.read_ms / *d.dxflib_ms) : std::nullopt; },
      "%.3f");
  row(
      "conversion / dxflib read",
      [&](const Drawing& d) {
        return d.dxflib_ms && d.converts ? std::optional(d.process_ms / *d.dxflib_ms) : std::nullopt;
      },
      "%.2f");
  row(
      "ezdxf read, ms", [](const Drawing& d) { return d.ezdxf_ms; }, "%.0f");
  row(
      "reader / ezdxf",
      [](const Drawing& d) { return d.ezdxf_ms ? std::optional(d.read_ms / *d.ezdxf_ms) : std::nullopt; },
      "%.4f");
}

// 200 copies of the cabinet side converted by one command, with one job and with two.
void TimeBatch(const Environment& env, const fs::path& side) {
  const fs::path directory = env.work / "batch";
  fs::create_directories(directory);
  std::vector<std::string> drawings;
  for (int k = 1; k <= 200; ++k) {
    const fs::path copy = directory / ("SIDE" + std::to_string(k) + ".DXF");
    fs::copy_file(side, copy, fs::copy_options::overwrite_existing);
    drawings.push_back(copy.string());
  }
  double best[3] = {0, 1e300, 1e300};
  for (int run = 0; run < 3; ++run) {
    for (int jobs : {1, 2})
      best[jobs] = std::min(best[jobs], RunProcess(ConvertCommand(env, drawings, jobs), env.work).ms);
  }
  std::printf("\n200 cabinet sides in one command: --jobs 1 %.0f ms, --jobs 2 %.0f ms: %.2f times faster\n",
              best[1], best[2], best[1] / best[2]);
}

std::string Uptime() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

std::string ProcessorName() {
  std::ifstream in("/proc/cpuinfo");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_table CLI [DXFLIB_READER]\n");
    return 2;
  }
  using G = mq::bench::DxfGenerator;
  if (argc == 3 && std::string(argv[1]) == "--drawings") {
    const fs::path dir = argv[2];
    G::CabinetSide((dir / "SIDE.DXF").string()), G::NestedSheet((dir / "SHEET.DXF").string());
    G::SheetStack((dir / "SHEETS20.DXF").string()), G::StressPart((dir / "STRESS.DXF").string());
    return 0;
  }
  Environment env;
  env.work = fs::temp_directory_path() / ("marquill-bench-" + std::to_string(getpid()));
  fs::create_directories(env.work / "out");
  env.examples = fs::path(MARQUILL_SOURCE_DIR) / "examples";
  env.cli = fs::absolute(argv[1]);
  if (argc > 2) env.dxflib = fs::absolute(argv[2]);
  env.settings = BenchSettings(env);
  setenv("ROOT", env.examples.c_str(), 1);

  auto drawing = [&](const char* label, const char* file, bool converts, int runs) {
    Drawing d;
    d.label = label, d.path = env.work / file, d.converts = converts, d.runs = runs;
    return d;
  };
  std::vector<Drawing> drawings = {
      drawing("side", "SIDE.DXF", true, 20), drawing("sheet", "SHEET.DXF", true, 10),
      drawing("20 sheets", "SHEETS20.DXF", false, 3), drawing("stress part", "STRESS.DXF", true, 3)};
  const uint64_t sizes[] = {
      G::CabinetSide(drawings[0].path.string()), G::NestedSheet(drawings[1].path.string()),
      G::SheetStack(drawings[2].path.string()), G::StressPart(drawings[3].path.string())};
  const bool ezdxf = EzdxfInstalled();
  const fs::path ezdxf_script = env.work / "read_ezdxf.py";
  std::ofstream(ezdxf_script) << kEzdxfReader;

  const std::string load_before = Uptime();
  for (std::size_t k = 0; k < drawings.size(); ++k) {
    Drawing& d = drawings[k];
    d.megabytes = static_cast<double>(sizes[k]) / (1 << 20);
    TimeReader(d);
    if (d.converts) {
      TimeStages(d, env);
      TimeProcess(d, env);
    }
    if (!env.dxflib.empty())
      d.dxflib_ms = ForeignReadMs({env.dxflib.string(), d.path.string()}, env.work, d.runs);
    if (ezdxf)
      d.ezdxf_ms = ForeignReadMs({"/usr/bin/python3", ezdxf_script.string(), d.path.string()}, env.work, 1);
  }
  std::printf("Machine: %s, %ld cores; load average before %s, after %s\n\n", ProcessorName().c_str(),
              sysconf(_SC_NPROCESSORS_ONLN), load_before.c_str(), Uptime().c_str());
  PrintTable(drawings);
  if (env.dxflib.empty()) std::printf("(dxflib: no reader built; install libdxflib-dev)\n");
  if (!ezdxf) std::printf("(ezdxf: not installed; install python3-ezdxf)\n");
  TimeBatch(env, drawings[0].path);
  fs::remove_all(env.work);
  return 0;
}
