#include "input/run_context.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_operator.h"

namespace mq {
namespace {

TEST(ReportMessage, CollectsFlushesAndClearsRows) {
  test::RecordingOperator person;
  RunContext run(person);
  FlushReportRow(run);
  EXPECT_EQ(run.ReportRowCount, 0) << "a flush with nothing pending adds no row";
  for (const char* line : {"first", "second", "third"}) AddReportLine(run, line);
  EXPECT_TRUE(person.rows.empty()) << "mode 1 only collects";
  ReportMessage(run, 2, "ignored");
  EXPECT_EQ(person.rows, std::vector<std::string>{"first\rsecond\rthird"}) << "three lines, one row";
  EXPECT_TRUE(run.PendingMessage.empty());

  AddReportLine(run, "pending");
  ShowReportRow(run, "now");
  EXPECT_EQ(person.rows.back(), "now");
  EXPECT_EQ(run.ReportRowCount, 2);
  ClearReport(run);
  ReportMessage(run, 7, "out of range");
  ReportMessage(run, -1, "out of range");
  EXPECT_EQ(run.ReportRowCount, 0);
  EXPECT_TRUE(person.rows.empty());
  EXPECT_EQ(run.PendingMessage, "pending\r") << "neither a clear nor a row added at once touches it";
}

TEST(PathParts, SplitAtTheLastSeparatorOfEitherKind) {
  struct Case {
    const char *path, *directory, *file;
  };
  // clang-format off
  const Case cases[] = {
      {"C:\\DXF\\PART1.DXF", "C:\\DXF\\", "PART1.DXF"}, {"/home/shop/door.dxf", "/home/shop/", "door.dxf"},
      {"C:\\mixed/dir\\A.DXF", "C:\\mixed/dir\\", "A.DXF"}, {"A.DXF", "", "A.DXF"}, {"C:\\OUT\\", "C:\\OUT\\", ""}};
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(DirectoryPart(c.path), c.directory) << c.path;
    EXPECT_EQ(FileNamePart(c.path), c.file) << c.path;
  }
}

}  // namespace
}  // namespace mq
