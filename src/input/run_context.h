#pragma once
// The run variables of one converter run and the process report. Every stage of a
// conversion reads and reports through this struct; it is passed by reference and
// lives as long as the run (one batch, one watcher cycle, one command-line call).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/one_based_list.h"
#include "input/operator.h"

namespace mq {

// Values of RunState.
constexpr int16_t kRunStateRunning = 0;       // also -1 (set by the Start button)
constexpr int16_t kRunStateStopRequested = 1;
constexpr int16_t kRunStatePaused = 2;

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

  bool FileFailed = false;                 // the current drawing cannot be converted
  std::vector<std::string> Warnings;       // the current drawing's warning lines, also in the report
  OneBasedList<std::string> FailedFiles;   // names that failed in this run, in order of failure
  int16_t RunState = kRunStateRunning;     // read after every YieldToWindow

  // The process report: lines collected for the next row, each followed by CR.
  std::string PendingMessage;
  int32_t ReportRowCount = 0;

  // The environment of the run, fixed by the front end.
  bool RestartPartList = false;   // "/A": MQ.PNX starts anew with the run's first drawing
  std::string ProgramDirectory;   // directory of the converter, with trailing separator
  std::optional<std::string> RootDirectory;  // the directory of Par.DAT (ROOT or ParDatPath); unset: default
  std::optional<CalendarDate> Today;         // the date stamped into the index; unset = system clock
  std::string SettingsFile;  // the settings file the run was loaded from: read, never written
  bool Strict = false;       // every warning fails its drawing: nothing unusual reaches the machine
  // Writes the bytes of a new file at a native path and gives the reason when it could
  // not; empty means the file system's own writer. A drill of a full disk stands in here.
  std::function<std::optional<std::string>(const std::string&, std::string_view)> NewFileWriter;

  Operator* ui;  // never null
};

// The process report: rows of one or more lines. A drawing's lines are collected while
// it is converted and shown together as one row.
void ClearReport(RunContext& run);
void AddReportLine(RunContext& run, const std::string& text);  // collected for the next row
void FlushReportRow(RunContext& run);                          // the collected lines as one row
void ShowReportRow(RunContext& run, const std::string& text);  // a row of its own, at once

// The drawing has failed: the report line is collected and the name is listed.
void FailDrawing(RunContext& run, const std::string& failed_name);

// Something in the drawing is not machined as drawn, or looks wrong: the line is
// collected for the report and kept among the drawing's warnings.
void AddWarningLine(RunContext& run, const std::string& text);

// Path helpers. Both '\' and '/' separate directories.
std::string FileNamePart(const std::string& path);
std::string DirectoryPart(const std::string& path);

// The date the system clock gives, unless the run fixes it.
CalendarDate TodayOf(const RunContext& run);

}  // namespace mq
