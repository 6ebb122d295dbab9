// The PTP400 directory system: INDEX.IND, letter directories, PNAME.DAT, program names
// and the MQ.PNX part list.

#include "output/directory_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "writer_fixture.h"

namespace mq {
namespace {

using test::ReadFileText;

std::string Entry(const std::string& name, const std::string& description = "SIDE") {
  return IndexRecordText(name, description, CalendarDate{2001, 3, 5});
}

// An index of `names` in their order; the entry of `added` is the new one.
std::string Index(const std::vector<std::string>& names, const std::string& added = "") {
  std::string bytes = IndexHeaderText(static_cast<long>(names.size()));
  for (const std::string& n : names) bytes += Entry(n, n == added ? "SIDE" : "OLD");
  return bytes;
}

TEST(IndexRecord, FiftyBytesWithNameDescriptionDateAndLineEnd) {
  EXPECT_EQ(IndexRecordText("panel1", "A DESCRIPTION LONGER THAN THIRTY CHARACTERS", {1999, 3, 5}),
            "PANEL1  A DESCRIPTION LONGER THAN THIR03-05-1999\r\n");
  EXPECT_EQ(Entry("B", ""), "B" + std::string(37, ' ') + "03-05-2001\r\n");
  EXPECT_EQ(IndexHeaderText(12), " 12" + std::string(45, ' ') + "\r\n");
}

// A name already entered is replaced in place and the count stays; a new one goes in
// name order and raises the count. The 150 entries span two blocks of 100.
TEST(UpdatedIndex, SameNameReplacedInPlaceNewNameInOrder) {
  const auto name = [](int k) {
    char text[8];
    std::snprintf(text, sizeof text, "P%04d", k);
    return std::string(text);
  };
  std::vector<std::string> many;  // P0000, P0002, ... P0298
  for (int k = 0; k < 150; ++k) many.push_back(name(2 * k));
  using enum IndexOutcome;
  // clang-format off
  const std::tuple<std::vector<std::string>, std::string, IndexOutcome> cases[] = {
      {{"A", "B", "C"}, "B", Replaced}, {{"A", "C"}, "B", Inserted}, {{"A", "C"}, "D", Appended},
      {{"B"}, "A", Inserted}, {many, name(1), Inserted}, {many, name(197), Inserted},
      {many, name(199), Inserted}, {many, name(299), Appended}, {many, name(150), Replaced}};
  // clang-format on
  for (const auto& [names, added, outcome] : cases) {
    std::vector<std::string> expected = names;
    if (outcome != Replaced)
      expected.insert(std::upper_bound(expected.begin(), expected.end(), added), added);
    const auto image = UpdatedIndex(Index(names), Entry(added));
    ASSERT_TRUE(image) << added;
    EXPECT_EQ(image->Outcome, outcome) << added;
    EXPECT_EQ(image->Bytes, Index(expected, added)) << added;
  }
  EXPECT_EQ(UpdatedIndex("", Entry("A"))->Bytes, Index({"A"}, "A"));  // an empty file gets its count record
  EXPECT_FALSE(UpdatedIndex(Index({"A"}) + "x", Entry("B")));         // damaged: not a multiple of 50
  std::string lower_case = Index({"SIDE1"});
  lower_case.replace(kIndexRecordSize, 5, "side1");  // stored in lower case by some other tool
  EXPECT_EQ(UpdatedIndex(lower_case, Entry("SIDE1"))->Bytes, Index({"SIDE1"}, "SIDE1"));
}

TEST(ProgramName, FileNamePartPaddedAndUpperCasedThenCheckedAndAskedForUntilLegal) {
  EXPECT_EQ(DirectoryProgramName("C:\\PROGS\\side12", "X"), "SIDE12  ");
  EXPECT_EQ(DirectoryProgramName("averylongname", "X"), "AVERYLON");
  EXPECT_EQ(DirectoryProgramName("C:\\PROGS\\", "door"), "door    ");
  test::RecordingOperator person;
  RunContext run(person);
  for (const char* name : {"A", "PANEL1  ", "ZZZZZZZZ", "side"}) EXPECT_EQ(CheckProgramName(run, name), name);
  EXPECT_TRUE(person.questions.empty());
  person.answers = {"TOOLONGNAME", "p2"};
  EXPECT_EQ(CheckProgramName(run, "_PANEL  "), std::optional<std::string>("p2"));  // used as typed
  EXPECT_EQ(person.questions[1], "TOOLONGNAME Name Not Legal for PTP400\r\n\r\n           Enter New Name:");
  EXPECT_EQ(run.PendingMessage, "Name changed to TOOLONGNAME\rName changed to p2\r");
}

struct DirectoryFixture : test::WriterFixture {
  explicit DirectoryFixture(const std::string& name, const std::string& program_name = "PANEL1")
      : WriterFixture(name) {
    settings.DirectorySystem = 1;
    test::WriteFileText(Destination() / "INDEX.IND", IndexHeaderText(0));
    AddRectangleContour();
    state.PartDescription = "SIDE";
    run.ProgramName = program_name;
  }
  std::string IndexText() const { return ReadFileText(Destination() / "INDEX.IND"); }
};

TEST(StoreInDirectorySystem, ProgramGoesIntoItsLetterDirectoryWithIndexEntryAndPnameDat) {
  DirectoryFixture f("dirsys-store");
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "P" / "PANEL1.SRG").substr(0, 4), "6000");
  EXPECT_EQ(f.IndexText(), IndexHeaderText(1) + "PANEL1  SIDE" + std::string(26, ' ') + "03-05-2001\r\n");
  EXPECT_EQ(ReadFileText(f.Program() / "PNAME.DAT"), "PANEL1\r\n");
  EXPECT_EQ(f.run.ProgramName, f.settings.DestinationPath + "P/PANEL1.SRG");
}

TEST(StoreInDirectorySystem, RootIsTheDirectoryOfTheProgramName) {
  DirectoryFixture f("dirsys-root");
  std::filesystem::create_directories(f.scratch / "ptp");
  test::WriteFileText(f.scratch / "ptp" / "index.ind", "");
  f.run.ProgramName = (f.scratch / "ptp" / "door").string();
  f.WriteProgram();
  EXPECT_TRUE(std::filesystem::exists(f.scratch / "ptp" / "D" / "DOOR.SRG"));
  EXPECT_EQ(ReadFileText(f.scratch / "ptp" / "index.ind"), Index({"DOOR"}, "DOOR"));
  EXPECT_EQ(f.IndexText(), IndexHeaderText(0));  // the destination's index is untouched
}

TEST(StoreInDirectorySystem, NameBeginningWithADigitIsRefusedAndAskedFor) {
  DirectoryFixture f("dirsys-digit", "7PANEL");
  f.person.answers = {"SIDE7"};
  f.WriteProgram();
  EXPECT_EQ(f.person.questions,
            std::vector<std::string>{"7PANEL   Name Not Legal for PTP400\r\n\r\n           Enter New Name:"});
  EXPECT_TRUE(std::filesystem::exists(f.Destination() / "S" / "SIDE7.SRG"));
  EXPECT_EQ(f.IndexText(), Index({"SIDE7"}, "SIDE7"));
}

TEST(StoreInDirectorySystem, NoNameOrNoIndexStoresNothingAndFailsTheDrawing) {
  DirectoryFixture no_name("dirsys-noname", "7PANEL");
  no_name.WriteProgram();
  EXPECT_EQ(no_name.IndexText(), IndexHeaderText(0));
  EXPECT_EQ(no_name.PendingLines(),
            (std::vector<std::string>{"NO PROGRAM NAME ENTERED.", "Conversion Aborted."}));
  DirectoryFixture no_index("dirsys-noindex");
  std::filesystem::remove(no_index.Destination() / "INDEX.IND");
  no_index.WriteProgram();
  EXPECT_EQ(no_index.person.messages,
            std::vector<std::string>{"PTP400 Index File " + no_index.settings.DestinationPath +
                                     "INDEX.IND Not Found"});
  EXPECT_EQ(no_index.PendingLines(), std::vector<std::string>{"Import Failed"});
  EXPECT_EQ(no_index.run.FailedFiles, OneBasedList<std::string>{"PANEL1"});
  for (const DirectoryFixture* f : {&no_name, &no_index}) {
    EXPECT_TRUE(f->run.FileFailed);
    EXPECT_FALSE(f->state.ProgramWritten);
    // Nothing beside the index that was there: no letter directory, no program.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f->Destination()), {}),
              std::filesystem::exists(f->Destination() / "INDEX.IND") ? 1 : 0);
    EXPECT_FALSE(std::filesystem::exists(f->Drawings() / "MQ.PNX"));
  }
}

TEST(StoreInDirectorySystem, DamagedIndexIsReportedLeftAloneAndTheProgramStillStored) {
  DirectoryFixture f("dirsys-damaged");
  test::WriteFileText(f.Destination() / "INDEX.IND", "not an index");
  f.WriteProgram();
  EXPECT_EQ(f.person.rows, std::vector<std::string>{"!!! PROBLEM DETECTED WITH INDEX.IND FILE !!!"});
  EXPECT_EQ(f.person.pauses, std::vector<double>{5});
  EXPECT_EQ(f.IndexText(), "not an index");
  EXPECT_TRUE(std::filesystem::exists(f.Destination() / "P" / "PANEL1.SRG"));
}

TEST(StoreInDirectorySystem, SplitProgramStoresEachPortionWithItsPartListLine) {
  DirectoryFixture f("dirsys-split");
  f.settings.LineLimit = "3";
  f.WriteProgram();
  EXPECT_TRUE(std::filesystem::exists(f.Destination() / "P" / "PANEL11.SRG"));
  EXPECT_TRUE(std::filesystem::exists(f.Destination() / "P" / "PANEL12.SRG"));
  EXPECT_EQ(f.IndexText(), IndexHeaderText(2) + Entry("PANEL11") + Entry("PANEL12"));
  EXPECT_EQ(ReadFileText(f.Drawings() / "MQ.PNX"), "PANEL1,1,MAT,600,400\r\nPANEL1,1,MAT,600,400\r\n");
  EXPECT_EQ(ReadFileText(f.Program() / "PNAME.DAT"), "PANEL12\r\n");
  EXPECT_EQ(f.PendingLines(),
            (std::vector<std::string>{"Breaking up into multiples...", "PORTION 1 - PANEL11 COMPLETED. ",
                                      "PORTION 2 - PANEL12 COMPLETED. ", "CONVERSION COMPLETED.  7 Lines"}));
  EXPECT_EQ(f.run.ConvertedNames, (OneBasedList<std::string>{"PANEL11", "PANEL12"}));
}

TEST(AppendPartList, RestartOptionStartsTheListOnceARun) {
  for (const std::string command_line : {"", "/a"}) {
    test::WriterFixture f("pnx-restart");
    test::WriteFileText(f.Drawings() / "mq.pnx", "OLD,1,MAT,1,2\r\n");
    f.run.CommandLine = command_line;
    AppendPartList(f.context);
    f.SetPanel(300.5f, 200, 19);
    AppendPartList(f.context);
    EXPECT_FALSE(f.run.FirstDrawingOfRun);
    EXPECT_EQ(ReadFileText(f.Drawings() / "mq.pnx"),
              (command_line.empty() ? "OLD,1,MAT,1,2\r\n" : "") +
                  std::string("PANEL1,1,MAT,600,400\r\nPANEL1,1,MAT,300.5,200\r\n"));
  }
}

}  // namespace
}  // namespace mq
