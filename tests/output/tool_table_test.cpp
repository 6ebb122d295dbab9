// Par.DAT: where it is looked for, how it is read, and the spindle axes.

#include "output/tool_table.h"

#include <gtest/gtest.h>

#include "tool_table_fixture.h"
#include "writer_fixture.h"

namespace mq {
namespace {

TEST(ToolTable, ValuesComeInFiveColumnsOfNinetyNine) {
  const ToolTable table = ParseToolTable(test::ParDatText(test::StandardHead()));
  ASSERT_TRUE(table.Loaded);
  EXPECT_EQ(table[3].Code, 3);
  EXPECT_FLOAT_EQ(table[3].ToolDiameter, 5);
  EXPECT_FLOAT_EQ(table[3].ToolX, 96);
  EXPECT_FLOAT_EQ(table[12].ToolDiameter, 8);
  EXPECT_FLOAT_EQ(table[40].ToolDiameter, 12);
  EXPECT_FLOAT_EQ(table[0].ToolDiameter, 0);    // no tool 0
  EXPECT_FLOAT_EQ(table[100].ToolDiameter, 0);  // nor 100
}

TEST(ToolTable, CommaSeparatedValuesReadTheSame) {
  std::string text = test::ParDatText(test::StandardHead());
  std::string commas;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    commas += text[i] == '\n' ? ',' : text[i];
  }
  const ToolTable a = ParseToolTable(text);
  const ToolTable b = ParseToolTable(commas);
  for (int n = 1; n <= kToolTableEntries; ++n) {
    EXPECT_EQ(a[n].Code, b[n].Code) << n;
    EXPECT_EQ(a[n].ToolDiameter, b[n].ToolDiameter) << n;
    EXPECT_EQ(a[n].ToolX, b[n].ToolX) << n;
    EXPECT_EQ(a[n].SpindleAxis, b[n].SpindleAxis) << n;
  }
}

TEST(ToolTable, SpindlesSharingAnXPositionFormTheYColumn) {
  const ToolTable table = ParseToolTable(test::ParDatText(test::StandardHead()));
  for (int n = 1; n <= 10; ++n) EXPECT_EQ(table[n].SpindleAxis, kAxisAlongX) << n;
  for (int n = 11; n <= 16; ++n) EXPECT_EQ(table[n].SpindleAxis, kAxisAlongY) << n;
  EXPECT_EQ(table[28].SpindleAxis, 0);  // not a spindle of the head
  EXPECT_EQ(table[40].SpindleAxis, 0);
}

TEST(ToolTable, ShortFileLeavesTheRestEmpty) {
  const ToolTable table = ParseToolTable("0,1,2");
  EXPECT_TRUE(table.Loaded);
  EXPECT_EQ(table[1].Code, 1);
  EXPECT_EQ(table[2].Code, 2);
  EXPECT_EQ(table[3].Code, 0);
  EXPECT_FLOAT_EQ(table[1].ToolDiameter, 0);
}

TEST(ParameterFilePath, RootDefaultAndFallback) {
  SilentOperator nobody;
  RunContext run(nobody);
  EXPECT_EQ(ParameterFilePath(run), "C:\\400V80\\Par.DAT");
  run.RootDirectory = "D:\\MACHINE";
  EXPECT_EQ(ParameterFilePath(run), "D:\\MACHINE\\Par.DAT");
  run.RootDirectory = "/opt/ptp/";
  EXPECT_EQ(ParameterFilePath(run), "/opt/ptp/Par.DAT");
  run.RootDirectory = "";
  EXPECT_EQ(ParameterFilePath(run), "c:\\400v80\\Par.DAT");
}

TEST(ReadToolTable, FileNameMatchesWithoutRegardToCase) {
  test::WriterFixture f("tooltable-case");
  test::WriteFileText(f.Program() / "PAR.DAT", test::ParDatText(test::StandardHead()));
  const ToolTable table = ReadToolTable(f.run);
  EXPECT_TRUE(table.Loaded);
  EXPECT_FLOAT_EQ(table[1].ToolDiameter, 5);
  EXPECT_TRUE(f.run.PendingMessage.empty());
}

TEST(ReadToolTable, MissingFileIsReportedOncePerRun) {
  test::WriterFixture f("tooltable-missing");
  EXPECT_FALSE(ReadToolTable(f.run).Loaded);
  EXPECT_FALSE(ReadToolTable(f.run).Loaded);
  EXPECT_EQ(f.Messages(), (std::vector<std::string>{"Parameter file PAR.DAT not found."}));
}

}  // namespace
}  // namespace mq
