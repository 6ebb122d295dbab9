#pragma once
// The machine's tool table "Par.DAT": 99 tools by number. Entries 1 to 27 are the
// spindles of the multi-spindle drilling head; the writer groups bores into rows the
// head drills in one stroke, and falls back on a tool's diameter for the R word.

#include <array>
#include <optional>
#include <string>

#include "input/run_context.h"

namespace mq {

constexpr int kToolTableEntries = 99;
constexpr int kDrillingHeadSpindles = 27;

// Axis of a spindle: 1 = on the head's row along X, -1 = on its row along Y.
constexpr int kAxisAlongX = 1;
constexpr int kAxisAlongY = -1;

struct ToolEntry {
  int Code = 0;
  float ToolDiameter = 0;
  float ToolX = 0;
  float ToolY = 0;
  float Fourth = 0;
  int SpindleAxis = 0;  // 1 or -1 for spindles 1..27, 0 for other tools
};

struct ToolTable {
  bool Loaded = false;  // false: no Par.DAT, so no spindle and no tool diameter is known
  std::array<ToolEntry, kToolTableEntries + 1> Entries{};  // 1..99; index 0 unused

  // Entry `tool`, or an empty entry for a number outside 1..99.
  const ToolEntry& operator[](int tool) const;
};

// Where Par.DAT is looked for: the directory ROOT names (with a separator added when
// missing), else "C:\400V80\"; a path of only 8 characters (ROOT empty) falls back to
// "c:\400v80\Par.DAT".
std::string ParameterFilePath(const RunContext& run);

// The table from the text of Par.DAT: comma- or line-separated values, first one
// unused number, then 99 codes, 99 diameters, 99 X, 99 Y and 99 further values.
// Missing values read as 0. Spindle axes are derived.
ToolTable ParseToolTable(const std::string& text);

// Reads Par.DAT (name matched without regard to case). A missing file gives a table
// that is not loaded, with the warning "Parameter file PAR.DAT not found." for every
// drawing that needs it: each such program drills its bores one by one with T0.
ToolTable ReadToolTable(RunContext& run);

}  // namespace mq
