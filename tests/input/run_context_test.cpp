#include "input/run_context.h"

#include <gtest/gtest.h>

#include "support/recording_operator.h"

namespace mq {
namespace {

TEST(ReportMessage, PendingLinesBecomeOneRow) {
  test::RecordingOperator person;
  RunContext run(person);
  ReportMessage(run, 1, "first");
  ReportMessage(run, 1, "second");
  ReportMessage(run, 1, "third");
  EXPECT_TRUE(person.rows.empty()) << "mode 1 only collects";
  ReportMessage(run, 2, "ignored");
  ASSERT_EQ(person.rows.size(), 1u);
  EXPECT_EQ(person.rows[0], "first\rsecond\rthird");
  EXPECT_EQ(run.ReportRowCount, 1);
  EXPECT_TRUE(run.PendingMessage.empty());
}

TEST(ReportMessage, FlushWithNothingPendingAddsNoRow) {
  test::RecordingOperator person;
  RunContext run(person);
  ReportMessage(run, 2, "");
  EXPECT_TRUE(person.rows.empty());
  EXPECT_EQ(run.ReportRowCount, 0);
}

TEST(ReportMessage, ImmediateRowLeavesPendingAloneAndClearResetsCount) {
  test::RecordingOperator person;
  RunContext run(person);
  ReportMessage(run, 1, "pending");
  ReportMessage(run, 3, "now");
  ASSERT_EQ(person.rows.size(), 1u);
  EXPECT_EQ(person.rows[0], "now");
  EXPECT_EQ(run.PendingMessage, "pending\r");
  ReportMessage(run, 0, "");
  EXPECT_EQ(run.ReportRowCount, 0);
  EXPECT_TRUE(person.rows.empty());
  EXPECT_EQ(run.PendingMessage, "pending\r") << "a clear does not touch the pending message";
  ReportMessage(run, 7, "out of range");
  ReportMessage(run, -1, "out of range");
  EXPECT_EQ(run.PendingMessage, "pending\r");
}

TEST(PathParts, SplitAtTheLastSeparatorOfEitherKind) {
  struct Case {
    const char* path;
    const char* directory;
    const char* file;
  };
  const Case cases[] = {
      {"C:\\DXF\\PART1.DXF", "C:\\DXF\\", "PART1.DXF"},
      {"/home/shop/dxf/door.dxf", "/home/shop/dxf/", "door.dxf"},
      {"C:\\mixed/dir\\A.DXF", "C:\\mixed/dir\\", "A.DXF"},
      {"A.DXF", "", "A.DXF"},
      {"C:\\OUT\\", "C:\\OUT\\", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DirectoryPart(c.path), c.directory) << c.path;
    EXPECT_EQ(FileNamePart(c.path), c.file) << c.path;
  }
}

}  // namespace
}  // namespace mq
