#pragma once
// The ".PTS" part list of the panel-saw optimiser: one line per converted part with
// the columns configured in the settings, under a header that counts the lines.

#include <array>
#include <string>

#include "output/writer_context.h"

namespace mq {

// The list a drawing's entry goes to: the default PTSPath + PTSName + ".PTS", or the
// name the drawing's PTS instruction gave (blanks removed; an empty directory part is
// PTSPath, an empty file part PTSName, a file part without "." gets ".PTS").
std::string PtsListPath(const std::string& control_value, const Settings& settings);

// Factor from drawing units to list units.
float PtsUnitFactor(bool drawing_in_inches, bool list_in_millimetres);

// What the entry needs from the converted part.
struct PtsPart {
  float Length = 0;  // size in X
  float Width = 0;   // size in Y
  std::string Description;
  float UnitFactor = 1;
  int Precision = 2;
};

// The columns of the drawing's entry: the configured names (with the names the
// drawing's instructions gave unnamed columns), which are quoted, and the values.
struct PtsColumns {
  const std::array<std::string, kPtsColumns>& Names;
  const std::array<bool, kPtsColumns>& Quoted;
  const std::array<std::string, kPtsColumns>& Values;
};

// The entry line of columns 1 to the last named one (or the last one holding a value).
std::string PtsEntryLine(const PtsColumns& columns, const PtsPart& part);

// The list's new text: the old entries (an old header dropped), the entry appended,
// under the recounted header "2.00, n,M" or ",D"; every line ends in CR LF.
std::string PtsListText(const std::string& old_text, const std::string& entry_line, bool list_in_millimetres);

// The drawing's entry, or the message why none is made.
void WritePtsEntry(WriterContext& w, const std::string& description);

}  // namespace mq
