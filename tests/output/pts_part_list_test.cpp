// The .PTS part list: columns, special values, units, header and the control values.

#include "output/pts_part_list.h"

#include <gtest/gtest.h>

#include "writer_fixture.h"

namespace mq {
namespace {

using test::ReadFileText;

struct PtsFixture : test::WriterFixture {
  explicit PtsFixture(const std::string& name) : WriterFixture(name) {
    settings.PTSPath = Destination().string() + "/";
    settings.PTSName = "CUTLIST";
    settings.PTSMetric = true;
    Column(1, "LENGTH");
    Column(2, "WIDTH");
    Column(3, "DESCRIPTION", true);
    state.PartDescription = "SIDE";
  }
  void Column(int i, const std::string& name, bool quoted = false) {
    settings.PtsFieldNames[static_cast<std::size_t>(i)] = name;
    settings.PtsFieldQuoted[static_cast<std::size_t>(i)] = quoted;
    state.PtsFieldNames[static_cast<std::size_t>(i)] = name;
  }
  void Write() {
    EngineContext& c = Context();
    WritePtsEntry(c);
  }
  std::string List() const { return ReadFileText(Destination() / "CUTLIST.PTS"); }
};

TEST(PtsPartList, SideExampleByteForByte) {
  PtsFixture f("pts-side");
  f.state.PtsValues[1] = "600";  // the drawing names one column; the others are filled in
  f.Write();
  EXPECT_EQ(f.List(), "2.00, 1,M\r\n600,400,\"SIDE\"\r\n");
  EXPECT_TRUE(f.Reported("Entry to PTS: " + f.settings.PTSPath + "CUTLIST.PTS"));
}

TEST(PtsPartList, SecondEntryIsAppendedAndTheHeaderRecounted) {
  PtsFixture f("pts-second");
  f.state.PtsValues[3] = "SIDE";
  f.Write();
  f.SetPanel(500, 300, 19);
  f.state.PtsValues[3] = "TOP";
  f.Write();
  EXPECT_EQ(f.List(), "2.00, 2,M\r\n600,400,\"SIDE\"\r\n500,300,\"TOP\"\r\n");
}

TEST(PtsPartList, LongFirstLineIsNoHeader) {
  PtsFixture f("pts-long-first");
  test::WriteFileText(f.Destination() / "CUTLIST.PTS", "1234567890,123456789\r\n5,6,\"X\"\r\n");
  f.state.PtsValues[1] = "600";
  f.Write();
  EXPECT_EQ(f.List(), "2.00, 3,M\r\n1234567890,123456789\r\n5,6,\"X\"\r\n600,400,\"SIDE\"\r\n");
}

TEST(PtsPartList, OldHeaderIsReplaced) {
  PtsFixture f("pts-old-header");
  test::WriteFileText(f.Destination() / "cutlist.pts", "2.00, 1,D\r\n5,6,\"X\"\r\n\r\n");
  f.state.PtsValues[1] = "600";
  f.Write();
  // The existing list is found whatever the case of its name.
  EXPECT_EQ(ReadFileText(f.Destination() / "cutlist.pts"), "2.00, 2,M\r\n5,6,\"X\"\r\n600,400,\"SIDE\"\r\n");
}

TEST(PtsPartList, ControlValuesOffAndErrorWriteNothing) {
  struct Case {
    const char* control;
    const char* message;
  };
  const Case cases[] = {{"OFF", "PTS File Generation Turned OFF in Drawing"},
                        {"ERROR", "Entry not made to PTS file due to Error"}};
  for (const Case& k : cases) {
    PtsFixture f(std::string("pts-") + k.control);
    f.state.PtsValues[0] = k.control;
    f.state.PtsValues[1] = "600";
    f.Write();
    EXPECT_FALSE(std::filesystem::exists(f.Destination() / "CUTLIST.PTS"));
    EXPECT_EQ(f.Messages(), (std::vector<std::string>{k.message}));
  }
}

TEST(PtsPartList, DrawingWithoutValuesMakesNoEntry) {
  PtsFixture f("pts-no-values");
  f.Write();
  EXPECT_FALSE(std::filesystem::exists(f.Destination() / "CUTLIST.PTS"));
  EXPECT_TRUE(f.Messages().empty());
}

TEST(PtsListPath, DefaultNameOrTheDrawingsList) {
  Settings s;
  s.PTSPath = "C:\\JOBS\\";
  s.PTSName = "PARTS";
  EXPECT_EQ(PtsListPath("", s), "C:\\JOBS\\PARTS.PTS");
  EXPECT_EQ(PtsListPath("JOB7", s), "C:\\JOBS\\JOB7.PTS");
  EXPECT_EQ(PtsListPath(" JOB 7 ", s), "C:\\JOBS\\JOB7.PTS");
  EXPECT_EQ(PtsListPath("C:\\LISTS\\JOB7.TXT", s), "C:\\LISTS\\JOB7.TXT");
  EXPECT_EQ(PtsListPath("C:\\LISTS\\", s), "C:\\LISTS\\PARTS.PTS");
}

TEST(PtsPartList, ListNamedInTheDrawing) {
  PtsFixture f("pts-job7");
  f.state.PtsValues[0] = "JOB7";
  f.state.PtsValues[1] = "600";
  f.Write();
  EXPECT_EQ(ReadFileText(f.Destination() / "JOB7.PTS"), "2.00, 1,M\r\n600,400,\"SIDE\"\r\n");
  const std::string full = (f.scratch / "other.txt").string();
  f.state.PtsValues[0] = full;
  f.Write();
  EXPECT_EQ(ReadFileText(full), "2.00, 1,M\r\n600,400,\"SIDE\"\r\n");
}

TEST(PtsPartList, EmptyColumnsAndSpecialColumns) {
  PtsFixture f("pts-columns");
  f.Column(4, "GRAIN", true);
  f.Column(5, "COLOR");
  f.Column(6, "POSTLAMINATIONFLAG");
  f.Column(8, "DESCRIPTION1", true);
  f.Column(9, "QTY");
  f.state.PtsValues[9] = "2";
  f.Write();
  // Column 7 has no name and no value: an unquoted empty column, like COLOR.
  EXPECT_EQ(f.List(), "2.00, 1,M\r\n600,400,\"SIDE\",\" \",0,12,0,\"SIDE\",2\r\n");
}

TEST(PtsPartList, SizesAreConvertedToTheListsUnits) {
  struct Case {
    bool drawing_in_inches;
    bool list_metric;
    float length, width;
    const char* given_length;
    const char* line;
    const char* header;
  };
  const Case cases[] = {
      {false, false, 600, 400, "", "23.62,15.75,\"SIDE\"", "2.00, 1,D"},
      {true, true, 24, 18, "", "609.6,457.2,\"SIDE\"", "2.00, 1,M"},
      {true, false, 24, 18.125f, "", "24,18.125,\"SIDE\"", "2.00, 1,D"},
      {false, true, 600, 400, "590.456", "590.46,400,\"SIDE\"", "2.00, 1,M"},
  };
  for (const Case& k : cases) {
    PtsFixture f("pts-units");
    f.state.DrawingInInches = k.drawing_in_inches;
    f.settings.PTSMetric = k.list_metric;
    f.SetPanel(k.length, k.width, 1);
    f.state.PtsValues[1] = k.given_length;
    f.state.PtsValues[3] = "SIDE";
    f.Write();
    EXPECT_EQ(f.List(), std::string(k.header) + "\r\n" + k.line + "\r\n");
  }
}

TEST(PtsListText, JoiningRules) {
  EXPECT_EQ(PtsListText("", "A", true), "2.00, 1,M\r\nA\r\n");
  EXPECT_EQ(PtsListText("\r\n\r\n", "A", false), "2.00, 1,D\r\nA\r\n");
  EXPECT_EQ(PtsListText("2.00, 1,M\r\nA\r\n", "B", true), "2.00, 2,M\r\nA\r\nB\r\n");
  // A first line of 19 characters ends at position 20: an entry, not a header.
  EXPECT_EQ(PtsListText("1234567890123456789\r\n", "B", true), "2.00, 2,M\r\n1234567890123456789\r\nB\r\n");
}

}  // namespace
}  // namespace mq
