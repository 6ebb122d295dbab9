#include "output/tool_substitution.h"

#include <string_view>

#include "input/numeric_text.h"

namespace mq {

namespace {

// The "Enable" column is a yes/no column: an entry is off when its cell holds no text.
bool IsEnabled(const ToolSubstitutionRow& row) {
  return row.Enabled.find_first_not_of(' ') != std::string::npos;
}

}  // namespace

std::string SubstituteTool(const Settings& settings, int16_t tool) {
  // Rows are consulted from the top and the first enabled match wins, so an operator can
  // shadow a lower entry without deleting it.
  for (const ToolSubstitutionRow& row : settings.ToolSubstitution) {
    if (!IsEnabled(row) || ReadNumber(row.Tool) != tool) continue;
    return std::to_string(RoundToInt16(ReadNumber(row.Substitute)));
  }
  return std::to_string(tool);
}

}  // namespace mq
