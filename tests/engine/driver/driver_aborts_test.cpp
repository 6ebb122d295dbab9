// A drawing whose border cannot be machined ends its conversion with its reason, the
// abort line, the drawing in the failed files, and nothing written.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/driver_harness.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;

TEST(ConversionAborts, ReportTheReasonListTheDrawingAndWriteNothing) {
  const std::string not_defined = "PART BORDER NOT PROPERLY DEFINED IN DRAWING!!!";
  const std::string no_border = "Part BORDER or BORDER Layer NOT Found!!!";
  const struct {
    const char* name;
    DxfBuilder dxf;
    std::vector<std::string> messages;  // the report lines before the abort line
  } cases[] = {{"zero-area panel SOLID",
                DxfBuilder().Solid("PANEL", 0, 0, 600, 0, 600, 0),
                {"Part BORDER or PANEL Layer NOT Found!!!"}},
               {"no border", DxfBuilder().Line("ROUTE T5 D20", 0, 0, 100, 0), {no_border}},
               {"border polyline of flags 4, which is not read",
                DxfBuilder().Polyline("BORDER", {{0, 0}, {600, 0}, {600, 400}, {0, 400}}, 4),
                {no_border}},
               // The count follows the text's two blanks and the blank that stands for its sign.
               {"one stray line end",
                test::PanelOfLines().Line("BORDER", 0, 0, 300, 200),
                {not_defined, "Check for stray entities on Border Layer.   5"}},
               {"thirteen points",
                test::PanelOfLines()
                    .Rectangle("BORDER", 1000, 0, 1100, 100)
                    .Rectangle("BORDER", 2000, 0, 2100, 100)
                    .Line("BORDER", 0, 0, 300, 200),
                {not_defined, "Check for stray entities on Border Layer.   13"}},
               // Twelve points, but the view above has five and the view below three.
               {"edge views that are no rectangles",
                DxfBuilder()
                    .Rectangle("BORDER", 100, 100, 700, 500)
                    .Rectangle("BORDER", 100, 520, 700, 538)
                    .Line("BORDER", 100, 538, 400, 538)
                    .Line("BORDER", 100, 62, 700, 62)
                    .Line("BORDER", 700, 62, 400, 80),
                {"ERROR in Border Sides for Horizontal operations"}},
               {"four points, none in the upper-left quarter",
                DxfBuilder().Line("BORDER", 0, 0, 100, 0).Line("BORDER", 50, 100, 60, 100),
                {not_defined}}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    Drawing d(k.dxf);
    d.run.FailedFiles.push_back("C:\\DXF\\EARLIER.DXF");
    d.Convert();
    std::vector<std::string> expected = k.messages;
    expected.push_back("CONVERSION PROCESS ABORTED.");
    EXPECT_EQ(d.Messages(), expected);
    EXPECT_TRUE(d.run.FileFailed);
    EXPECT_EQ(d.run.FailedFiles.raw(), (std::vector<std::string>{"C:\\DXF\\EARLIER.DXF", d.run.DxfFileName}));
    EXPECT_EQ(d.output.programs + d.output.part_lists, 0);
  }
}

TEST(UserStop, EndsTheConversionWithoutOutputAndWithoutListingTheDrawing) {
  Drawing d(test::PanelOfLines().Line("ROUTE T5 D20", 100, 100, 200, 100));
  d.person.run = &d.run;
  d.person.stop_after_yields = d.person.yields + 1;  // the engine's first check
  d.Convert();
  EXPECT_EQ(d.Messages().back(), " USER ABORTED ");
  EXPECT_TRUE(d.run.FileFailed);
  EXPECT_TRUE(d.run.FailedFiles.empty()) << "a stop request lists nothing";
  EXPECT_EQ(d.output.programs + d.output.part_lists, 0);
}

TEST(UserStop, EachCheckAdvancesTheMeterInUseByFiveUpToFull) {
  Drawing d(test::PanelOfLines());
  d.state.ProgressMeter = meter::kProcessing;
  for (const auto& [before, after] : {std::pair{10, 15}, {98, 100}}) {
    d.person.meters[meter::kProcessing] = before;
    EXPECT_FALSE(UserStopRequested(d.c));
    EXPECT_EQ(d.person.meters[meter::kProcessing], after);
  }
  EXPECT_EQ(d.person.meters[meter::kReadingInfo], 0) << "only the meter in use moves";
}

}  // namespace
}  // namespace mq
