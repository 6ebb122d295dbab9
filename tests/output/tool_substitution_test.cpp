#include "output/tool_substitution.h"

#include <gtest/gtest.h>

#include <string>

namespace mq {
namespace {

// Fills table rows from the top: each entry is Enabled, Tool, Substitute.
Settings TableOf(std::initializer_list<ToolSubstitutionRow> rows) {
  Settings settings;
  int n = 0;
  for (const ToolSubstitutionRow& row : rows) settings.ToolSubstitution[n++] = row;
  return settings;
}

struct LookupCase {
  const char* name;
  Settings settings;
  int16_t tool;
  const char* expected;
  bool substituted;
};

TEST(SubstituteTool, FirstEnabledMatchingRowWins) {
  const LookupCase cases[] = {
      {"two enabled rows for the tool: the upper one applies", TableOf({{"1", "5", "12"}, {"1", "5", "13"}}),
       5, "12", true},
      {"a row without an enable mark is ignored although its tool matches",
       TableOf({{"", "5", "12"}, {"1", "5", "13"}}), 5, "13", true},
      {"an enable cell of blanks is no mark", TableOf({{"  ", "5", "12"}}), 5, "5", false},
      {"an empty substitute cell gives 0", TableOf({{"1", "5", ""}}), 5, "0", true},
      {"other tools pass unchanged", TableOf({{"1", "5", "12"}}), 7, "7", false},
      {"no rows at all", Settings{}, 9, "9", false},
      {"the tool cell is read as a number", TableOf({{"1", " 05.0 ", "12"}}), 5, "12", true},
      {"the substitute is written without blanks", TableOf({{"1", "5", "  21 "}}), 5, "21", true},
      {"a fractional substitute becomes a whole tool number", TableOf({{"1", "5", "7.6"}}), 5, "8", true},
      {"a tool cell that is not that number does not match", TableOf({{"1", "5.5", "12"}}), 5, "5", false},
      {"a negative tool number passes unchanged", TableOf({{"1", "5", "12"}}), -3, "-3", false},
  };
  for (const auto& c : cases) {
    bool substituted = false;
    EXPECT_EQ(SubstituteTool(c.settings, c.tool, substituted), c.expected) << c.name;
    EXPECT_EQ(substituted, c.substituted) << c.name;
  }
}

TEST(SubstituteTool, TheLastRowIsConsulted) {
  Settings settings;
  settings.ToolSubstitution[kToolSubstitutionRows - 1] = {"1", "4", "40"};
  bool substituted = false;
  EXPECT_EQ(SubstituteTool(settings, 4, substituted), "40");
  EXPECT_TRUE(substituted);
}

TEST(SubstituteTool, WithoutAMatchTheFlagStaysAsItWas) {
  // The writer resets the flag itself; a lookup never clears it.
  const Settings settings = TableOf({{"", "5", "12"}});
  bool substituted = true;
  EXPECT_EQ(SubstituteTool(settings, 5, substituted), "5");
  EXPECT_TRUE(substituted);
  substituted = false;
  EXPECT_EQ(SubstituteTool(settings, 5, substituted), "5");
  EXPECT_FALSE(substituted);
}

}  // namespace
}  // namespace mq
