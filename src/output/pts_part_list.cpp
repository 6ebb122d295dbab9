#include "output/pts_part_list.h"

#include <algorithm>

#include "engine/driver/units.h"
#include "input/file_paths.h"
#include "input/numeric_text.h"
#include "input/plain_text.h"
#include "output/atomic_file.h"
#include "output/number_format.h"

namespace mq {

namespace {

constexpr const char* kPtsExtension = ".PTS";
constexpr const char* kPtsOff = "OFF";
constexpr const char* kPtsError = "ERROR";
constexpr const char* kPostLaminationDefault = "12";

constexpr float kInchesPerMillimetre = 0.03937f;

// A first line that ends before this position is the old header.
constexpr std::size_t kHeaderLineEndsBefore = 19;  // 0-based index of position 20

bool IsLineEnd(char ch) { return ch == '\r' || ch == '\n'; }

// Sizes go to the list in its own units, at the program's precision.
std::string SizeText(float drawing_value, const PtsPart& part) {
  return DecimalText(RoundToPrecision(drawing_value * part.UnitFactor, part.Precision));
}

std::string ColumnValue(const std::string& name, const std::string& given, const PtsPart& part) {
  const bool empty = given.empty();
  if (name == "POSTLAMINATIONFLAG") return empty ? kPostLaminationDefault : given;
  if (name == "DESCRIPTION" || name == "DESCRIPTION1") return empty ? part.Description : given;
  if (name == "LENGTH") return SizeText(empty ? part.Length : static_cast<float>(ReadNumber(given)), part);
  if (name == "WIDTH" || name == "HEIGHT") {
    return SizeText(empty ? part.Width : static_cast<float>(ReadNumber(given)), part);
  }
  return given;
}

int LastColumn(const PtsColumns& columns) {
  int last = 0;
  for (std::size_t i = 1; i < kPtsColumns; ++i) {
    if (!columns.Names[i].empty() || !columns.Values[i].empty()) last = static_cast<int>(i);
  }
  return last;
}

}  // namespace

std::string PtsListPath(const std::string& control_value, const Settings& settings) {
  if (control_value.empty()) return settings.PTSPath + settings.PTSName + kPtsExtension;
  const std::string name = WithoutBlanks(control_value);
  std::string directory = DirectoryPart(name);
  std::string file = FileNamePart(name);
  if (directory.empty()) directory = settings.PTSPath;
  if (file.empty()) file = settings.PTSName;
  if (file.find('.') == std::string::npos) file += kPtsExtension;
  return directory + file;
}

float PtsUnitFactor(bool drawing_in_inches, bool list_in_millimetres) {
  if (drawing_in_inches) return list_in_millimetres ? kMillimetresPerInch : 1.0f;
  return list_in_millimetres ? 1.0f : kInchesPerMillimetre;
}

std::string PtsEntryLine(const PtsColumns& columns, const PtsPart& part) {
  std::string line;
  const int last = LastColumn(columns);
  for (int i = 1; i <= last; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const bool quoted = columns.Quoted[k];
    std::string value = ColumnValue(columns.Names[k], columns.Values[k], part);
    if (value.empty()) value = quoted ? " " : "0";
    const std::string quote = quoted ? "\"" : "";
    line += quote + value + quote + ",";
  }
  if (!line.empty()) line.pop_back();
  return line;
}

std::string PtsListText(const std::string& old_text, const std::string& entry_line,
                        bool list_in_millimetres) {
  std::string text = old_text;
  while (!text.empty() && IsLineEnd(text.back())) text.pop_back();
  text += "\r\n" + entry_line;
  text.erase(0, std::min(text.size(), text.find_first_not_of("\r\n")));
  const std::size_t first_cr = text.find('\r');
  if (first_cr != std::string::npos && first_cr < kHeaderLineEndsBefore) {
    const std::size_t first_lf = text.find('\n');
    text.erase(0, first_lf == std::string::npos ? text.size() : first_lf + 1);
  }
  const long entries = static_cast<long>(std::count(text.begin(), text.end(), '\r')) + 1;
  const std::string header = "2.00, " + std::to_string(entries) + (list_in_millimetres ? ",M" : ",D");
  return header + "\r\n" + text + "\r\n";
}

void WritePtsEntry(WriterContext& w, const std::string& description) {
  const std::array<std::string, kPtsColumns>& values = w.state.PtsValues;
  const std::string& control = values[0];
  const bool any_value =
      std::any_of(values.begin() + 1, values.end(), [](const std::string& v) { return !v.empty(); });
  if (control == kPtsOff || control == kPtsError || !any_value) {
    if (control == kPtsError) AddReportLine(w.run, "Entry not made to PTS file due to Error");
    if (control == kPtsOff) AddReportLine(w.run, "PTS File Generation Turned OFF in Drawing");
    return;
  }
  const std::string wanted = PtsListPath(control, w.settings);
  const auto existing = FindExistingFile(wanted);
  const std::string path = existing.value_or(wanted);

  PtsPart part;
  part.Length = w.state.PanelWidth();
  part.Width = w.state.PanelHeight();
  part.Description = description;
  part.UnitFactor = PtsUnitFactor(w.state.DrawingInInches, w.settings.PTSMetric);
  part.Precision = ProgramPrecision(w.settings, w.state.DrawingInInches);

  const PtsColumns columns{w.state.PtsFieldNames, w.settings.PtsFieldQuoted, values};
  const std::string entry = PtsEntryLine(columns, part);
  // The header counts the entries: it is recounted under the list's lock.
  const bool written = UpdateResultFile(w.run, path, [&](std::string& text) {
    text = PtsListText(text, entry, w.settings.PTSMetric);
    return true;
  });
  if (written) AddReportLine(w.run, "Entry to PTS: " + path);
}

}  // namespace mq
