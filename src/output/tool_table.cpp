#include "output/tool_table.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "input/file_paths.h"
#include "input/numeric_text.h"
#include "output/atomic_file.h"

namespace mq {

namespace {

constexpr const char* kParameterFileName = "Par.DAT";
constexpr const char* kDefaultRoot = "C:\\400V80\\";
constexpr const char* kFallbackDirectory = "c:\\400v80\\";
// ROOT + "Par.DAT" of this length means ROOT held only a separator or nothing.
constexpr std::size_t kPathOfEmptyRoot = 8;

// Neighbouring spindles whose X positions are this close sit on the head's Y row.
constexpr float kSameSpindleColumn = 3.0f;

std::vector<std::string_view> SplitValues(std::string_view text) {
  std::vector<std::string_view> values;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == ',' || text[i] == '\n' || text[i] == '\r') {
      if (i > start || (i < text.size() && text[i] == ',')) values.push_back(text.substr(start, i - start));
      if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  return values;
}

void DeriveSpindleAxes(ToolTable& table) {
  for (int n = 1; n <= kDrillingHeadSpindles; ++n) table.Entries[n].SpindleAxis = kAxisAlongX;
  for (int n = 1; n < kDrillingHeadSpindles; ++n) {
    if (std::fabs(table.Entries[n].ToolX - table.Entries[n + 1].ToolX) < kSameSpindleColumn) {
      table.Entries[n].SpindleAxis = kAxisAlongY;
      table.Entries[n + 1].SpindleAxis = kAxisAlongY;
    }
  }
}

}  // namespace

const ToolEntry& ToolTable::operator[](int tool) const {
  static const ToolEntry kNoTool{};
  if (tool < 1 || tool > kToolTableEntries) return kNoTool;
  return Entries[static_cast<std::size_t>(tool)];
}

std::string ParameterFilePath(const RunContext& run) {
  std::string directory = run.RootDirectory ? *run.RootDirectory : std::string(kDefaultRoot);
  if (!EndsWithSeparator(directory)) directory += '\\';
  std::string path = directory + kParameterFileName;
  if (path.size() == kPathOfEmptyRoot) path = std::string(kFallbackDirectory) + kParameterFileName;
  return path;
}

ToolTable ParseToolTable(const std::string& text) {
  ToolTable table;
  table.Loaded = true;
  const std::vector<std::string_view> values = SplitValues(text);
  auto value = [&](std::size_t index) { return index < values.size() ? ReadNumber(values[index]) : 0.0; };
  // Value 0 is not used; then five columns of 99 values each, in tool order.
  for (int n = 1; n <= kToolTableEntries; ++n) {
    ToolEntry& entry = table.Entries[static_cast<std::size_t>(n)];
    const auto at = [&](int column) {
      return value(static_cast<std::size_t>(column * kToolTableEntries + n));
    };
    entry.Code = RoundToInt16(at(0));
    entry.ToolDiameter = static_cast<float>(at(1));
    entry.ToolX = static_cast<float>(at(2));
    entry.ToolY = static_cast<float>(at(3));
    entry.Fourth = static_cast<float>(at(4));
  }
  DeriveSpindleAxes(table);
  return table;
}

ToolTable ReadToolTable(RunContext& run) {
  const auto existing = FindExistingFile(ParameterFilePath(run));
  if (!existing) {
    AddWarningLine(run, "Parameter file PAR.DAT not found.");
    return ToolTable{};
  }
  return ParseToolTable(ReadWholeFile(*existing));
}

}  // namespace mq
