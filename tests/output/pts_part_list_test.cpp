// The .PTS part list: columns, special values, units, header and the control values.

#include "output/pts_part_list.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/conversion.h"

namespace mq {
namespace {

// A first line shorter than 19 characters before its CR is the old header and is
// dropped; blank lines at either end go; the header counts the entries.
TEST(PtsListText, OldEntriesUnderARecountedHeader) {
  // clang-format off
  const std::tuple<const char*, bool, const char*> cases[] = {
      {"", true, "2.00, 1,M\r\n"}, {"", false, "2.00, 1,D\r\n"}, {"\r\n\r\n", true, "2.00, 1,M\r\n"},
      {"2.00, 1,M\r\n600,400,\"SIDE\"\r\n", true, "2.00, 2,M\r\n600,400,\"SIDE\"\r\n"},
      {"2.00, 1,D\r\n5,6,\"X\"\r\n\r\n", true, "2.00, 2,M\r\n5,6,\"X\"\r\n"},
      {"1234567890,123456789\r\n5,6,\"X\"\r\n", true, "2.00, 3,M\r\n1234567890,123456789\r\n5,6,\"X\"\r\n"},
      {"1234567890123456789\r\n", false, "2.00, 2,D\r\n1234567890123456789\r\n"},
      {"123456789012345678\r\n5,6\r\n", false, "2.00, 2,D\r\n5,6\r\n"}};
  // clang-format on
  for (const auto& [old_text, millimetres, start] : cases)
    EXPECT_EQ(PtsListText(old_text, "7,8", millimetres), std::string(start) + "7,8\r\n") << old_text;
}

// Columns by name, "~" for a quoted one, "=" before the value the drawing gave. Empty
// columns are " " when quoted, else 0; sizes are converted to the list's units and
// rounded to the program's precision.
TEST(PtsEntryLine, ColumnsSpecialValuesAndUnits) {
  const PtsPart side{600, 400, "SIDE", 1, 2};
  // clang-format off
  const std::tuple<std::vector<std::string>, PtsPart, const char*> cases[] = {
      {{"LENGTH=590.456", "HEIGHT=12", "~DESCRIPTION=TOP"}, side, "590.46,12,\"TOP\""},
      {{"LENGTH", "WIDTH", "~DESCRIPTION", "~GRAIN", "COLOR", "POSTLAMINATIONFLAG", "", "~DESCRIPTION1", "QTY=2"},
       side, "600,400,\"SIDE\",\" \",0,12,0,\"SIDE\",2"},
      {{"POSTLAMINATIONFLAG=3", "", "=X", "", ""}, side, "3,0,X"},
      {{"LENGTH", "WIDTH"}, {600, 400, "", PtsUnitFactor(false, false), 2}, "23.62,15.75"},
      {{"LENGTH", "WIDTH"}, {24, 18, "", PtsUnitFactor(true, true), 2}, "609.6,457.2"},
      {{"LENGTH", "WIDTH"}, {24, 18.125f, "", PtsUnitFactor(true, false), 3}, "24,18.125"}};
  // clang-format on
  for (const auto& [columns, part, line] : cases) {
    std::array<std::string, kPtsColumns> names{}, values{};
    std::array<bool, kPtsColumns> quoted{};
    for (std::size_t i = 1; i <= columns.size(); ++i) {
      const std::string& column = columns[i - 1];
      quoted[i] = column.starts_with('~');
      const std::size_t equals = column.find('=');
      names[i] = column.substr(quoted[i], equals - quoted[i]);
      if (equals != std::string::npos) values[i] = column.substr(equals + 1);
    }
    EXPECT_EQ(PtsEntryLine({names, quoted, values}, part), line) << columns[0];
  }
}

// The drawing's PTS instruction names the list: blanks removed, the default path and
// name where it gives none, ".PTS" where it gives no extension.
TEST(PtsListPath, DefaultNameOrTheDrawingsList) {
  Settings s;
  s.PTSPath = "C:\\JOBS\\", s.PTSName = "PARTS";
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"", "C:\\JOBS\\PARTS.PTS"}, {" JOB 7 ", "C:\\JOBS\\JOB7.PTS"}, {"C:\\LISTS\\JOB7.TXT", "C:\\LISTS\\JOB7.TXT"},
      {"C:\\LISTS\\", "C:\\LISTS\\PARTS.PTS"}};
  // clang-format on
  for (const auto& [control, path] : cases) EXPECT_EQ(PtsListPath(control, s), path) << control;
}

// OFF and ERROR make no entry and say why; a drawing without values makes none either.
// The list is found whatever the case of its name.
TEST(WritePtsEntry, ControlValueOfTheDrawing) {
  const std::string old = "600,400,\"OLD PART\",1\r\n";
  // Control value, whether the drawing gives a value, a list and its text, the report line.
  // clang-format off
  const std::tuple<const char*, bool, const char*, std::string, std::string> cases[] = {
      {"OFF", true, "cutlist.pts", old, "PTS File Generation Turned OFF in Drawing"},
      {"ERROR", true, "cutlist.pts", old, "Entry not made to PTS file due to Error"}, {"", false, "cutlist.pts", old, ""},
      {"", true, "cutlist.pts", "2.00, 2,M\r\n" + old + "2\r\n", "Entry to PTS: "},
      {"JOB7", true, "JOB7.PTS", "2.00, 1,M\r\n2\r\n", "Entry to PTS: "}};
  // clang-format on
  for (const auto& [control, value, list, text, message] : cases) {
    test::Conversion c(test::PanelOfLines());
    c.settings.PTSPath = c.settings.DestinationPath, c.settings.PTSName = "CUTLIST",
    c.settings.PTSMetric = true;
    c.state.PtsFieldNames[1] = "QTY";
    c.state.PtsValues = {control, value ? "2" : ""};
    std::ofstream(c.dir / "out/cutlist.pts", std::ios::binary) << old;
    WritePtsEntry(c.writer, "SIDE");
    const std::string entered = message.ends_with(": ") ? message + c.settings.PTSPath + list : message;
    EXPECT_EQ(c.Messages(), entered.empty() ? std::vector<std::string>{} : std::vector{entered}) << control;
    EXPECT_EQ(c.Written(std::string("out/") + list), text) << control;
  }
}

}  // namespace
}  // namespace mq
