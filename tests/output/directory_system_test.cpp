// The PTP400 directory system's index file and program names.

#include "output/directory_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "support/recording_operator.h"

namespace mq {
namespace {

using Strings = std::vector<std::string>;

std::string Entry(const std::string& name, const std::string& description = "SIDE") {
  return IndexRecordText(name, description, CalendarDate{2001, 3, 5});
}

// An index of `names` in their order; the entry of `added` is the new one.
std::string Index(const Strings& names, const std::string& added = "") {
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
// name order (by character code) and raises the count.
TEST(UpdatedIndex, SameNameReplacedInPlaceNewNameInOrder) {
  using enum IndexOutcome;
  // clang-format off
  const std::tuple<Strings, std::string, IndexOutcome> cases[] = {
      {{"A", "B", "C"}, "B", Replaced}, {{"A", "C"}, "B", Inserted}, {{"A", "C"}, "D", Appended}, {{"B"}, "A", Inserted},
      {{"P10", "P2", "Q"}, "P3", Inserted}, {{"A", "B", "C", "D", "E"}, "E", Replaced}, {{"B", "Z"}, "_X", Appended}};
  // clang-format on
  for (const auto& [names, added, outcome] : cases) {
    Strings expected = names;
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
  for (const char* name : {"A", "PANEL1  ", "ZZZZZZZZ", "side", "abcdefgh "}) {
    EXPECT_EQ(CheckProgramName(run, name), name);
  }
  EXPECT_TRUE(person.questions.empty());
  person.answers = {"TOOLONGNAME", "p2"};
  EXPECT_EQ(CheckProgramName(run, "_PANEL  "), std::optional<std::string>("p2"));  // used as typed
  EXPECT_EQ(person.questions[1], "TOOLONGNAME Name Not Legal for PTP400\r\n\r\n           Enter New Name:");
  EXPECT_EQ(run.PendingMessage, "Name changed to TOOLONGNAME\rName changed to p2\r");
}

}  // namespace
}  // namespace mq
