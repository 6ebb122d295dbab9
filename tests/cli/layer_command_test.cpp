#include <gtest/gtest.h>

#include <string>

#include "inspect_cli_harness.h"

namespace mq::cli {
namespace {

using test::Has;
using test::RunCli;

TEST(LayerCommand, ShowsPreparedNamesAndTheirParameters) {
  const test::CliRun run = RunCli({"layer", "route3 d5 f3000 t3$d10"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "\"name\": \"route3 d5 f3000 t3$d10\"")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"prepared\": [\n      \"ROUTE40 D5 F3000 T3\",\n      \"ROUTE41D10T3\"\n    ]"))
      << run.out;
  EXPECT_TRUE(Has(run.out,
                  "{\"CodeD\": 5, \"CodeT\": 3, \"ToolList\": \"03\", \"CodeF\": 3000, \"CodeFA\": 3000, "
                  "\"CodeFD\": 0, \"CodeFR\": 0, \"CodeS\": 0, \"CodeZ\": 0, \"CodeG\": 0, \"CodeK\": 0, "
                  "\"CodeM\": 0, \"CodeOZ\": 0, \"CodePD\": 0, \"CodeES\": 0, \"CodeLD\": 0, \"CodeRI\": 0, "
                  "\"CodeRO\": 0, \"CompensationWord\": \"\", \"HasCompensation\": false, \"EntSequence\": 40}"))
      << run.out;
  EXPECT_TRUE(Has(run.out, "{\"CodeD\": 10, \"CodeT\": 3,")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"EntSequence\": 41}")) << run.out;
}

TEST(LayerCommand, ShowsTwoLetterCodesAsTheDesignsCharacters) {
  const test::CliRun run = RunCli({"layer", "ROUTE FA1 FD2 FR3 LD4 RO5 RI6 PD7 ES8 EX9 OZ1"});
  ASSERT_EQ(run.status, 0);
  EXPECT_TRUE(Has(run.out, "\"ROUTE  \xC3\xBC" "1  \xC3\xA6" "2  \xC3\xA7" "3  \xC3\xA4" "4  \xC3\xA5"
                           "5  \xC3\xA8" "6  \xC3\xA9" "7  \xC3\xAB" "8  \xC3\xAB" "9  \xC3\xAA" "1\""))
      << run.out;
  EXPECT_TRUE(Has(run.out, "\"CodeFA\": 1, \"CodeFD\": 2, \"CodeFR\": 3,")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"CodeOZ\": 1, \"CodePD\": 7, \"CodeES\": 8, \"CodeLD\": 4, \"CodeRI\": 6, \"CodeRO\": 5,"))
      << run.out;
}

TEST(LayerCommand, ReadsEachNameOnItsOwn) {
  const test::CliRun run = RunCli({"layer", "ROUTE R5 ", "VBORE12 D8 T2", "BORDER D18$T3 D5"});
  ASSERT_EQ(run.status, 0);
  EXPECT_TRUE(Has(run.out, "\"CompensationWord\": \"G42 R5\", \"HasCompensation\": true")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"CodeD\": 8, \"CodeT\": 2,")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"EntSequence\": 12}")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"BORDER D18\",\n      \"ROUTET3 D5\"")) << run.out;
}

TEST(LayerCommand, NeedsAtLeastOneName) {
  const test::CliRun run = RunCli({"layer"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace mq::cli
