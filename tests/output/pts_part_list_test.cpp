// The .PTS part list: columns, special values, units, header and the control values.

#include "output/pts_part_list.h"

#include <gtest/gtest.h>

#include <tuple>

#include "writer_fixture.h"

namespace mq {
namespace {

using test::ReadFileText;

// Columns LENGTH, WIDTH and quoted DESCRIPTION; a 600 x 400 part "SIDE"; the drawing
// gives the length; the list is in millimetres.
struct PtsFixture : test::WriterFixture {
  explicit PtsFixture(const std::string& name) : WriterFixture(name) {
    settings.PTSPath = Destination().string() + "/";
    settings.PTSName = "CUTLIST";
    settings.PTSMetric = true;
    Column(1, "LENGTH");
    Column(2, "WIDTH");
    Column(3, "DESCRIPTION", true);
    state.PartDescription = "SIDE";
    state.PtsValues[1] = "600";
  }
  void Column(std::size_t i, const std::string& name, bool quoted = false) {
    settings.PtsFieldNames[i] = state.PtsFieldNames[i] = name;
    settings.PtsFieldQuoted[i] = quoted;
  }
  std::string Write(const std::string& file = "CUTLIST.PTS") {
    WritePtsEntry(context);
    return ReadFileText(Destination() / file);
  }
};

TEST(PtsPartList, SideExampleThenASecondEntryRecountsTheHeader) {
  PtsFixture f("pts-side");
  EXPECT_EQ(f.Write(), "2.00, 1,M\r\n600,400,\"SIDE\"\r\n");
  EXPECT_EQ(f.PendingLines(),
            std::vector<std::string>{"Entry to PTS: " + f.settings.PTSPath + "CUTLIST.PTS"});
  f.SetPanel(500, 300, 19);
  f.state.PtsValues[1] = "";
  f.state.PtsValues[3] = "TOP";
  EXPECT_EQ(f.Write(), "2.00, 2,M\r\n600,400,\"SIDE\"\r\n500,300,\"TOP\"\r\n");
}

// A first line that is 19 characters or longer before its CR is an entry, not a header;
// the old list is found whatever the case of its name.
TEST(PtsPartList, OldListJoinedUnderANewHeader) {
  // clang-format off
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"CUTLIST.PTS", "1234567890,123456789\r\n5,6,\"X\"\r\n",
       "2.00, 3,M\r\n1234567890,123456789\r\n5,6,\"X\"\r\n"},
      {"CUTLIST.PTS", "1234567890123456789\r\n", "2.00, 2,M\r\n1234567890123456789\r\n"},
      {"cutlist.pts", "2.00, 1,D\r\n5,6,\"X\"\r\n\r\n", "2.00, 2,M\r\n5,6,\"X\"\r\n"},
      {"CUTLIST.PTS", "\r\n\r\n", "2.00, 1,M\r\n"}};
  // clang-format on
  for (const auto& [file, old_text, new_start] : cases) {
    PtsFixture f("pts-old");
    test::WriteFileText(f.Destination() / file, old_text);
    EXPECT_EQ(f.Write(file), std::string(new_start) + "600,400,\"SIDE\"\r\n") << old_text;
  }
}

// OFF and ERROR make no entry and say why; a drawing without values makes none either.
TEST(PtsPartList, ControlValueOfTheDrawing) {
  const std::tuple<const char*, const char*> cases[] = {{"OFF", "PTS File Generation Turned OFF in Drawing"},
                                                        {"ERROR", "Entry not made to PTS file due to Error"},
                                                        {"", ""}};
  for (const auto& [control, message] : cases) {
    PtsFixture f("pts-control");
    f.state.PtsValues[0] = control;
    if (!*control) f.state.PtsValues[1] = "";
    EXPECT_EQ(f.Write(), "") << control;
    EXPECT_EQ(f.PendingLines(), *message ? std::vector<std::string>{message} : std::vector<std::string>{});
  }
  PtsFixture f("pts-job7");
  f.state.PtsValues[0] = "JOB7";
  EXPECT_EQ(f.Write("JOB7.PTS"), "2.00, 1,M\r\n600,400,\"SIDE\"\r\n");
}

TEST(PtsListPath, DefaultNameOrTheDrawingsList) {
  Settings s;
  s.PTSPath = "C:\\JOBS\\";
  s.PTSName = "PARTS";
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"", "C:\\JOBS\\PARTS.PTS"}, {"JOB7", "C:\\JOBS\\JOB7.PTS"}, {" JOB 7 ", "C:\\JOBS\\JOB7.PTS"},
      {"C:\\LISTS\\JOB7.TXT", "C:\\LISTS\\JOB7.TXT"}, {"C:\\LISTS\\", "C:\\LISTS\\PARTS.PTS"}};
  // clang-format on
  for (const auto& [control, path] : cases) EXPECT_EQ(PtsListPath(control, s), path) << control;
}

// Column 7 has no name and no value: an unquoted empty column, like COLOR.
TEST(PtsPartList, EmptyColumnsAndSpecialColumns) {
  PtsFixture f("pts-columns");
  f.Column(4, "GRAIN", true);
  f.Column(5, "COLOR");
  f.Column(6, "POSTLAMINATIONFLAG");
  f.Column(8, "DESCRIPTION1", true);
  f.Column(9, "QTY");
  f.state.PtsValues[9] = "2";
  EXPECT_EQ(f.Write(), "2.00, 1,M\r\n600,400,\"SIDE\",\" \",0,12,0,\"SIDE\",2\r\n");
}

TEST(PtsPartList, SizesAreConvertedToTheListsUnits) {
  // Drawing in inches, list in millimetres, length, width, the drawing's length, the list.
  // clang-format off
  const std::tuple<bool, bool, float, float, const char*, const char*> cases[] = {
      {false, false, 600, 400, "", "2.00, 1,D\r\n23.62,15.75,\"SIDE\"\r\n"},
      {true, true, 24, 18, "", "2.00, 1,M\r\n609.6,457.2,\"SIDE\"\r\n"},
      {true, false, 24, 18.125f, "", "2.00, 1,D\r\n24,18.125,\"SIDE\"\r\n"},
      {false, true, 600, 400, "590.456", "2.00, 1,M\r\n590.46,400,\"SIDE\"\r\n"}};
  // clang-format on
  for (const auto& [inches, millimetres, length, width, given_length, text] : cases) {
    PtsFixture f("pts-units");
    f.state.DrawingInInches = inches;
    f.settings.PTSMetric = millimetres;
    f.SetPanel(length, width, 1);
    f.state.PtsValues[1] = given_length;
    f.state.PtsValues[3] = "SIDE";
    EXPECT_EQ(f.Write(), text) << given_length;
  }
}

}  // namespace
}  // namespace mq
