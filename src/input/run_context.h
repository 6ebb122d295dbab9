#pragma once
// The run variables of one converter run and the process report. Every stage of a
// conversion reads and reports through this struct; it is passed by reference and
// lives as long as the run (one batch, one watcher cycle, one command-line call).

#include <cstdint>
#include <optional>
#include <string>

#include "input/one_based_list.h"
#include "input/operator.h"

namespace mq {

// Values of RunState.
constexpr int16_t kRunStateRunning = 0;       // also -1 (set by the Start button)
constexpr int16_t kRunStateStopRequested = 1;
constexpr int16_t kRunStatePaused = 2;

constexpr int16_t kTrue = -1;  // the design's 16-bit booleans
constexpr int16_t kFalse = 0;

struct CalendarDate {
  int Year = 2000;
  int Month = 1;
  int Day = 1;
};

struct RunContext {
  explicit RunContext(Operator& person) : ui(&person) {}

  // Run variables of the drawing being converted.
  std::string DxfFileName;   // full path; always holds ".DXF" (any case) during a conversion
  std::string ProgramName;   // name the program is stored under; may carry a directory
  std::string DxfShortName;  // file-name part of the request's first word
  std::string DxfDirectory;  // directory part of DxfFileName with its separator, or empty

  int16_t FileFailed = kFalse;             // kTrue when the current drawing cannot be converted
  OneBasedList<std::string> FailedFiles;   // names that failed in this run, in order of failure
  int16_t RunState = kRunStateRunning;     // read after every YieldToWindow

  // The process report: lines collected for the next row, each followed by CR.
  std::string PendingMessage;
  int32_t ReportRowCount = 0;

  // Run-wide output bookkeeping.
  OneBasedList<std::string> WrittenPrograms;  // programs stored in this run, for the binaries step
  OneBasedList<std::string> ConvertedNames;   // names stored in the directory system this run
  bool FirstDrawingOfRun = true;              // cleared by the first part-list append
  bool ParameterFileMissingReported = false;  // "Parameter file PAR.DAT not found." once per run
  bool ToolSubstituted = false;               // a tool lookup found a substitute; the writer resets it

  // The environment of the run, fixed by the front end.
  std::string CommandLine;        // as given at start ("/A", "/S", ... are read from it)
  std::string ProgramDirectory;   // directory of the converter, with trailing separator
  std::optional<std::string> RootDirectory;  // the environment variable ROOT, when set
  std::optional<CalendarDate> Today;         // the date stamped into the index; unset = system clock

  Operator* ui;  // never null
};

// The process report. Mode 0 clears the report; 1 collects a line; 2 shows the
// collected lines as one row; 3 shows the text as a row at once. Other modes do nothing.
void ReportMessage(RunContext& run, int mode, const std::string& text);

// The drawing has failed: the report line is collected and the name is listed.
void FailDrawing(RunContext& run, const std::string& failed_name);

// Path helpers. Both '\' and '/' separate directories.
std::string FileNamePart(const std::string& path);
std::string DirectoryPart(const std::string& path);

// The date the system clock gives, unless the run fixes it.
CalendarDate TodayOf(const RunContext& run);

}  // namespace mq
