#include "output/tool_substitution.h"

#include <gtest/gtest.h>

#include <string>

namespace mq {
namespace {

// Rows of Enabled, Tool, Substitute, filled from row `first` on.
Settings TableOf(std::initializer_list<ToolSubstitutionRow> rows, int first = 0) {
  Settings settings;
  for (const ToolSubstitutionRow& row : rows)
    settings.ToolSubstitution[static_cast<std::size_t>(first++)] = row;
  return settings;
}

// The upper of two rows for a tool applies; a row whose enable cell is empty or blank is
// ignored; an empty substitute gives 0; the tool cell is read as a number; the
// substitute is written as a whole number without blanks; a lookup that finds nothing
// leaves the substitution flag as it was.
TEST(SubstituteTool, FirstEnabledMatchingRowWins) {
  // Table, tool, flag before, expected text, flag after.
  // clang-format off
  const std::tuple<Settings, int16_t, bool, const char*, bool> cases[] = {
      {TableOf({{"1", "5", "12"}, {"1", "5", "13"}}), 5, false, "12", true},
      {TableOf({{"", "5", "12"}, {"1", "5", "13"}}), 5, false, "13", true},
      {TableOf({{"  ", "5", "12"}}), 5, false, "5", false},
      {TableOf({{"1", "5", ""}}), 5, false, "0", true},
      {TableOf({{"", "5", "12"}}), 5, true, "5", true},
      {TableOf({{"1", "5", "12"}}), 7, false, "7", false},
      {TableOf({{"1", " 05.0 ", "12"}}), 5, false, "12", true},
      {TableOf({{"1", "5.5", "12"}}), 5, false, "5", false},
      {TableOf({{"1", "5", "  21 "}}), 5, false, "21", true},
      {TableOf({{"1", "5", "7.6"}}), 5, false, "8", true},
      {TableOf({{"1", "4", "40"}}, kToolSubstitutionRows - 1), 4, false, "40", true}};
  // clang-format on
  for (const auto& [settings, tool, before, expected, after] : cases) {
    bool substituted = before;
    EXPECT_EQ(SubstituteTool(settings, tool, substituted), expected) << tool;
    EXPECT_EQ(substituted, after) << tool;
  }
}

}  // namespace
}  // namespace mq
