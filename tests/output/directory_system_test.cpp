// The PTP400 directory system: INDEX.IND, letter directories, PNAME.DAT, program names
// and the MQ.PNX part list.

#include "output/directory_system.h"

#include <gtest/gtest.h>

#include "output/program_writer.h"
#include "writer_fixture.h"

namespace mq {
namespace {

using test::ReadFileText;

const CalendarDate kFifthOfMarch2001{2001, 3, 5};

std::string Entry(const std::string& name, const std::string& description = "SIDE") {
  return IndexRecordText(name, description, kFifthOfMarch2001);
}

std::string Index(const std::vector<std::string>& names) {
  std::string bytes = IndexHeaderText(static_cast<long>(names.size()));
  for (const std::string& n : names) bytes += Entry(n, "OLD");
  return bytes;
}

TEST(IndexRecord, FiftyBytesWithNameDescriptionDateAndLineEnd) {
  const std::string record =
      IndexRecordText("panel1", "A DESCRIPTION LONGER THAN THIRTY CHARACTERS", {1999, 3, 5});
  ASSERT_EQ(record.size(), kIndexRecordSize);
  EXPECT_EQ(record, "PANEL1  A DESCRIPTION LONGER THAN THIR03-05-1999\r\n");
  EXPECT_EQ(IndexDateText({2001, 3, 5}), "03-05-2001");
  EXPECT_EQ(IndexDateText({1999, 12, 31}), "12-31-1999");
  const std::string header = IndexHeaderText(12);
  ASSERT_EQ(header.size(), kIndexRecordSize);
  EXPECT_EQ(header, " 12" + std::string(45, ' ') + "\r\n");
}

TEST(UpdatedIndex, SameNameIsReplacedInPlaceAndTheCountStays) {
  const auto image = UpdatedIndex(Index({"A", "B", "C"}), Entry("B", "NEW"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Outcome, IndexOutcome::Replaced);
  EXPECT_EQ(image->Bytes, IndexHeaderText(3) + Entry("A", "OLD") + Entry("B", "NEW") + Entry("C", "OLD"));
}

TEST(UpdatedIndex, NewNameGoesInOrderAndTheCountRises) {
  const auto between = UpdatedIndex(Index({"A", "C"}), Entry("B"));
  ASSERT_TRUE(between);
  EXPECT_EQ(between->Outcome, IndexOutcome::Inserted);
  EXPECT_EQ(between->Bytes, IndexHeaderText(3) + Entry("A", "OLD") + Entry("B") + Entry("C", "OLD"));

  const auto last = UpdatedIndex(Index({"A", "C"}), Entry("D"));
  ASSERT_TRUE(last);
  EXPECT_EQ(last->Outcome, IndexOutcome::Appended);
  EXPECT_EQ(last->Bytes, IndexHeaderText(3) + Entry("A", "OLD") + Entry("C", "OLD") + Entry("D"));

  const auto first = UpdatedIndex(Index({"B"}), Entry("A"));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Bytes, IndexHeaderText(2) + Entry("A") + Entry("B", "OLD"));
}

TEST(UpdatedIndex, ComparisonIgnoresTheCaseOfStoredNames) {
  std::string index = IndexHeaderText(1) + Entry("X", "OLD");
  index.replace(kIndexRecordSize, 5, "side1");  // a name stored in lower case by some other tool
  const auto image = UpdatedIndex(index, Entry("SIDE1", "NEW"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Outcome, IndexOutcome::Replaced);
  EXPECT_EQ(image->Bytes, IndexHeaderText(1) + Entry("SIDE1", "NEW"));
}

TEST(UpdatedIndex, MoreThanHundredEntriesAcrossBlocks) {
  std::vector<std::string> names;
  for (int k = 0; k < 150; ++k) {
    char name[8];
    std::snprintf(name, sizeof name, "P%04d", 2 * k);  // P0000, P0002, ... P0298
    names.push_back(name);
  }
  const std::string old_index = Index(names);
  for (const char* added : {"P0001", "P0197", "P0199", "P0299", "P0150"}) {
    const auto image = UpdatedIndex(old_index, Entry(added));
    ASSERT_TRUE(image) << added;
    std::vector<std::string> expected_names = names;
    const bool replaced = std::find(names.begin(), names.end(), added) != names.end();
    if (!replaced) {
      expected_names.insert(
          std::upper_bound(expected_names.begin(), expected_names.end(), std::string(added)), added);
    }
    std::string expected = IndexHeaderText(static_cast<long>(expected_names.size()));
    for (const std::string& n : expected_names) expected += Entry(n, n == added ? "SIDE" : "OLD");
    EXPECT_EQ(image->Bytes, expected) << added;
  }
}

TEST(UpdatedIndex, EmptyIndexGetsItsCountRecordAndDamagedOneIsRefused) {
  const auto image = UpdatedIndex("", Entry("A"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Bytes, IndexHeaderText(1) + Entry("A"));
  EXPECT_FALSE(UpdatedIndex(Index({"A"}) + "x", Entry("B")));
}

TEST(CheckProgramName, LegalNamesPass) {
  test::RecordingOperator person;
  RunContext run(person);
  for (const char* name : {"A", "PANEL1  ", "ZZZZZZZZ", "side"}) {
    EXPECT_EQ(CheckProgramName(run, name), std::optional<std::string>(name));
  }
  EXPECT_TRUE(person.questions.empty());
}

TEST(CheckProgramName, IllegalNameIsAskedAgainUntilLegal) {
  test::RecordingOperator person;
  RunContext run(person);
  person.answers = {"TOOLONGNAME", "p2"};
  EXPECT_EQ(CheckProgramName(run, "1PANEL  "), std::optional<std::string>("p2"));  // used as typed
  ASSERT_EQ(person.questions.size(), 2u);
  EXPECT_EQ(person.questions[0], "1PANEL   Name Not Legal for PTP400\r\n\r\n           Enter New Name:");
  EXPECT_EQ(person.questions[1], "TOOLONGNAME Name Not Legal for PTP400\r\n\r\n           Enter New Name:");
  EXPECT_EQ(run.PendingMessage, "Name changed to TOOLONGNAME\rName changed to p2\r");
}

TEST(CheckProgramName, NoAnswerAbortsTheConversion) {
  test::RecordingOperator person;
  RunContext run(person);
  EXPECT_FALSE(CheckProgramName(run, "_PANEL  "));
  EXPECT_EQ(run.PendingMessage, "NO PROGRAM NAME ENTERED.\rConversion Aborted.\r");
}

TEST(DirectoryProgramName, FileNamePartPaddedCutAndUpperCased) {
  EXPECT_EQ(DirectoryProgramName("C:\\PROGS\\side12", "X"), "SIDE12  ");
  EXPECT_EQ(DirectoryProgramName("averylongname", "X"), "AVERYLON");
  EXPECT_EQ(DirectoryProgramName("C:\\PROGS\\", "door"), "door    ");
}

struct DirectoryFixture : test::WriterFixture {
  explicit DirectoryFixture(const std::string& name) : WriterFixture(name) {
    settings.DirectorySystem = 1;
    test::WriteFileText(Destination() / "INDEX.IND", IndexHeaderText(0));
    AddRectangleContour();
    state.PartDescription = "SIDE";
  }
  std::string IndexText() const { return ReadFileText(Destination() / "INDEX.IND"); }
};

TEST(StoreInDirectorySystem, ProgramGoesIntoItsLetterDirectoryWithIndexEntryAndPnameDat) {
  DirectoryFixture f("dirsys-store");
  f.WriteProgram();
  EXPECT_EQ(ReadFileText(f.Destination() / "P" / "PANEL1.SRG").substr(0, 4), "6000");
  EXPECT_EQ(f.IndexText(), IndexHeaderText(1) + "PANEL1  SIDE" + std::string(26, ' ') + "03-05-2001\r\n");
  EXPECT_EQ(ReadFileText(f.Program() / "PNAME.DAT"), "PANEL1\r\n");
  ASSERT_EQ(f.run.ConvertedNames.size(), 1);
  EXPECT_EQ(f.run.ConvertedNames[1], "PANEL1");
  EXPECT_EQ(f.run.ProgramName, f.settings.DestinationPath + "P/PANEL1.SRG");
  EXPECT_EQ(f.Messages(), (std::vector<std::string>{"CONVERSION COMPLETED.  7 Lines"}));
  EXPECT_EQ(ReadFileText(f.Drawings() / "MQ.PNX"), "PANEL1,1,MAT,600,400\r\n");
}

TEST(StoreInDirectorySystem, DateOfTheLastCentury) {
  DirectoryFixture f("dirsys-1999");
  f.run.Today = CalendarDate{1999, 3, 5};
  f.WriteProgram();
  EXPECT_EQ(f.IndexText().substr(kIndexRecordSize + 38, 10), "03-05-1999");
}

TEST(StoreInDirectorySystem, RootIsTheDirectoryOfTheProgramName) {
  DirectoryFixture f("dirsys-root");
  std::filesystem::create_directories(f.scratch / "ptp");
  test::WriteFileText(f.scratch / "ptp" / "index.ind", "");
  f.run.ProgramName = (f.scratch / "ptp" / "door").string();
  f.WriteProgram();
  EXPECT_TRUE(std::filesystem::exists(f.scratch / "ptp" / "D" / "DOOR.SRG"));
  EXPECT_EQ(ReadFileText(f.scratch / "ptp" / "index.ind"), IndexHeaderText(1) + Entry("DOOR"));
  EXPECT_EQ(f.IndexText(), IndexHeaderText(0));  // the destination's index is untouched
}

TEST(StoreInDirectorySystem, NameBeginningWithADigitIsAskedFor) {
  DirectoryFixture f("dirsys-digit");
  f.run.ProgramName = "7PANEL";
  f.person.answers = {"SIDE7"};
  f.WriteProgram();
  ASSERT_EQ(f.person.questions.size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(f.Destination() / "S" / "SIDE7.SRG"));
  EXPECT_EQ(f.IndexText(), IndexHeaderText(1) + Entry("SIDE7"));
  EXPECT_TRUE(f.Reported("Name changed to SIDE7"));
}

TEST(StoreInDirectorySystem, NoNameGivenStoresNothing) {
  DirectoryFixture f("dirsys-noname");
  f.run.ProgramName = "7PANEL";
  f.WriteProgram();
  EXPECT_EQ(f.IndexText(), IndexHeaderText(0));
  EXPECT_FALSE(std::filesystem::exists(f.Destination() / "7"));
  EXPECT_FALSE(f.state.ProgramWritten);
  EXPECT_EQ(f.run.FileFailed, kTrue);
  EXPECT_EQ(f.Messages(), (std::vector<std::string>{"NO PROGRAM NAME ENTERED.", "Conversion Aborted."}));
  EXPECT_FALSE(std::filesystem::exists(f.Drawings() / "MQ.PNX"));
}

TEST(StoreInDirectorySystem, MissingIndexEndsTheDrawing) {
  DirectoryFixture f("dirsys-noindex");
  std::filesystem::remove(f.Destination() / "INDEX.IND");
  f.WriteProgram();
  ASSERT_EQ(f.person.messages.size(), 1u);
  EXPECT_EQ(f.person.messages[0], "PTP400 Index File " + f.settings.DestinationPath + "INDEX.IND Not Found");
  EXPECT_EQ(f.Messages(), (std::vector<std::string>{"Import Failed"}));
  EXPECT_EQ(f.run.FileFailed, kTrue);
  ASSERT_EQ(f.run.FailedFiles.size(), 1);
  EXPECT_EQ(f.run.FailedFiles[1], "PANEL1");
  EXPECT_FALSE(std::filesystem::exists(f.Destination() / "P"));
}

TEST(StoreInDirectorySystem, DamagedIndexIsReportedLeftAloneAndTheProgramStillStored) {
  DirectoryFixture f("dirsys-damaged");
  test::WriteFileText(f.Destination() / "INDEX.IND", "not an index");
  f.WriteProgram();
  EXPECT_EQ(f.person.rows, (std::vector<std::string>{"!!! PROBLEM DETECTED WITH INDEX.IND FILE !!!"}));
  EXPECT_EQ(f.person.pauses, (std::vector<double>{5}));
  EXPECT_EQ(f.IndexText(), "not an index");
  EXPECT_TRUE(std::filesystem::exists(f.Destination() / "P" / "PANEL1.SRG"));
}

TEST(StoreInDirectorySystem, SplitProgramStoresEachPortionWithItsPartListLine) {
  DirectoryFixture f("dirsys-split");
  f.settings.LineLimit = "3";
  f.WriteProgram();
  // 5 machining lines and the end line; the windows end at the G00 of line 5 only, so
  // the first three lines are cut at the limit.
  EXPECT_TRUE(std::filesystem::exists(f.Destination() / "P" / "PANEL11.SRG"));
  EXPECT_TRUE(std::filesystem::exists(f.Destination() / "P" / "PANEL12.SRG"));
  EXPECT_EQ(f.IndexText(), IndexHeaderText(2) + Entry("PANEL11") + Entry("PANEL12"));
  EXPECT_EQ(ReadFileText(f.Drawings() / "MQ.PNX"), "PANEL1,1,MAT,600,400\r\nPANEL1,1,MAT,600,400\r\n");
  EXPECT_EQ(ReadFileText(f.Program() / "PNAME.DAT"), "PANEL12\r\n");
  EXPECT_EQ(f.Messages(),
            (std::vector<std::string>{"Breaking up into multiples...", "PORTION 1 - PANEL11 COMPLETED. ",
                                      "PORTION 2 - PANEL12 COMPLETED. ", "CONVERSION COMPLETED.  7 Lines"}));
  ASSERT_EQ(f.run.ConvertedNames.size(), 2);
  EXPECT_EQ(f.run.ConvertedNames[2], "PANEL12");
}

TEST(AppendPartList, RestartOptionStartsTheListOnceARun) {
  for (const char* command_line : {"", "/a"}) {
    test::WriterFixture f("pnx-restart");
    test::WriteFileText(f.Drawings() / "mq.pnx", "OLD,1,MAT,1,2\r\n");
    f.run.CommandLine = command_line;
    EngineContext& c = f.Context();
    AppendPartList(c);
    f.SetPanel(300.5f, 200, 19);
    AppendPartList(c);
    EXPECT_FALSE(f.run.FirstDrawingOfRun);
    const std::string expected_start = command_line[0] == '\0' ? "OLD,1,MAT,1,2\r\n" : "";
    EXPECT_EQ(ReadFileText(f.Drawings() / "mq.pnx"),
              expected_start + "PANEL1,1,MAT,600,400\r\nPANEL1,1,MAT,300.5,200\r\n")
        << command_line;
  }
}

}  // namespace
}  // namespace mq
