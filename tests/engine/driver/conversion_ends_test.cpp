// How a conversion ends: the reasons a drawing cannot be machined, a drawing that asks
// for no code, the operator's stop, and what every conversion starts from.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/conversion.h"

namespace mq {
namespace {

using test::Conversion;
using test::DxfBuilder;
using Lines = std::vector<std::string>;

TEST(ConversionAborts, ReportTheReasonAndListTheDrawing) {
  const std::string not_defined = "PART BORDER NOT PROPERLY DEFINED IN DRAWING!!!";
  const std::string no_border = "Part BORDER or BORDER Layer NOT Found!!!";
  const struct {
    DxfBuilder dxf;
    Lines messages;  // before the abort line
  } cases[] = {
      {DxfBuilder().Solid("PANEL", 0, 0, 600, 0, 600, 0), {"Part BORDER or PANEL Layer NOT Found!!!"}},
      {DxfBuilder().Line("ROUTE T5 D20", 0, 0, 100, 0), {no_border}},
      // A border polyline of flags 4 is not read.
      {DxfBuilder().Polyline("BORDER", {{0, 0}, {600, 0}, {600, 400}, {0, 400}}, 4), {no_border}},
      // The count follows the text's two blanks and the blank that stands for its sign.
      {test::PanelOfLines().Line("BORDER", 0, 0, 300, 200),
       {not_defined, "Check for stray entities on Border Layer.   5"}},
      {test::PanelOfLines()
           .Rectangle("BORDER", 1000, 0, 1100, 100)
           .Rectangle("BORDER", 2000, 0, 2100, 100)
           .Line("BORDER", 0, 0, 300, 200),
       {not_defined, "Check for stray entities on Border Layer.   13"}},
      // Twelve points, but the view above has five and the view below three.
      {DxfBuilder()
           .Rectangle("BORDER", 100, 100, 700, 500)
           .Rectangle("BORDER", 100, 520, 700, 538)
           .Line("BORDER", 100, 538, 400, 538)
           .Line("BORDER", 100, 62, 700, 62)
           .Line("BORDER", 700, 62, 400, 80),
       {"ERROR in Border Sides for Horizontal operations"}},
      // Four points, none in the upper-left quarter.
      {DxfBuilder().Line("BORDER", 0, 0, 100, 0).Line("BORDER", 50, 100, 60, 100), {not_defined}}};
  for (const auto& k : cases) {
    Conversion c(k.dxf);
    c.run.FailedFiles.push_back("C:\\DXF\\EARLIER.DXF");
    EXPECT_EQ(c.Convert(), ConversionOutcome::Failed) << k.messages[0];
    Lines expected = k.messages;
    expected.push_back("CONVERSION PROCESS ABORTED.");
    EXPECT_EQ(c.Messages(), expected);
    EXPECT_EQ(c.run.FailedFiles.raw(), (Lines{"C:\\DXF\\EARLIER.DXF", c.run.DxfFileName}));
  }
}

// NOCODE in either spelling and any case, or NO in the border layer: no failure, and
// only the part list is made.
TEST(NoCode, EndsWithThePartListOnly) {
  const std::pair<Lines, const char*> cases[] = {
      {{"NOCODE"}, "BORDER"}, {{"NO CODE"}, "BORDER"}, {{"no code"}, "BORDER"}, {{}, "BORDERNO"}};
  for (const auto& [statements, border] : cases) {
    Conversion c(
        test::WithInstructions(test::PanelOfLines(0, 0, border), statements).Point("VBORE D5", 9, 9));
    EXPECT_EQ(c.Convert(), ConversionOutcome::PartListOnly) << border;
    EXPECT_FALSE(c.run.FileFailed);
    EXPECT_TRUE(c.run.FailedFiles.empty());
  }
  Conversion coded(test::WithInstructions(test::PanelOfLines(), {"NO ARCS"}).Point("VBORE D5", 9, 9));
  EXPECT_EQ(coded.Convert(), ConversionOutcome::Finished);
}

// The engine's first check after reading sees the request: the drawing fails, unlisted.
TEST(UserStop, FailsTheDrawingWithoutListingIt) {
  Conversion c(test::PanelOfLines().Line("ROUTE T5 D20", 100, 100, 200, 100));
  std::string name = c.run.DxfFileName;
  ReadDxf(name, c.store, c.run);
  c.person.run = &c.run;
  c.person.stop_after_yields = c.person.yields + 1;
  EXPECT_EQ(ConvertDrawing(c.engine), ConversionOutcome::Failed);
  EXPECT_EQ(c.Messages().back(), " USER ABORTED ");
  EXPECT_TRUE(c.run.FailedFiles.empty());
}

TEST(UserStop, EachCheckAdvancesTheMeterInUseByFiveAndAnswersTheRequest) {
  Conversion c(test::PanelOfLines());
  c.state.ProgressMeter = meter::kProcessing;
  for (const auto& [before, after] : {std::pair{10, 15}, {98, 100}}) {
    c.person.meters[meter::kProcessing] = before;
    EXPECT_FALSE(UserStopRequested(c.engine));
    EXPECT_EQ(c.person.meters[meter::kProcessing], after);
  }
  EXPECT_EQ(c.person.meters[meter::kReadingInfo], 0) << "only the meter in use moves";
  c.run.RunState = kRunStateStopRequested;
  EXPECT_TRUE(UserStopRequested(c.engine));
  EXPECT_TRUE(c.run.FileFailed);
}

TEST(ConvertDrawingThrough, StopsAfterTheNamedPassAndKnowsNoOther) {
  Conversion c(test::PanelOfLines().Line("ROUTE T1 D5", 100, 100, 200, 100));
  EXPECT_THROW(ConvertDrawingThrough(c.engine, "NoSuchPass"), std::invalid_argument);
  EXPECT_THROW(ConvertDrawingThrough(c.engine, ""), std::invalid_argument);
  EXPECT_EQ(c.Convert("RoutePass"), ConversionOutcome::Finished);
  EXPECT_EQ(c.state.PathList[1].ChainFlag, 0) << "not yet joined into a contour";
  EXPECT_EQ(PassNames().front(), "ReadInstructions");
  EXPECT_EQ(PassNames().back(), "WarnAboutMovesOffThePanel");
}

// Entries 0..3 are fixed; route layers follow, each once, in the order they first appear.
TEST(LayerKinds, ListTheRouteLayersAtTheirFirstAppearance) {
  DxfBuilder dxf;
  dxf.Line("ROUTE T1 D5", 100, 100, 200, 100).Rectangle("BORDER", 0, 0, 600, 400);
  dxf.Line("EXCAV T2 D5", 100, 200, 200, 200).Line("ROUTE T1 D5", 100, 300, 200, 300);
  Conversion c(dxf.Line("ROTARY T3", 100, 350, 200, 350));
  c.Convert("CollectRouteLayersAndBorder");
  EXPECT_EQ(c.state.LayerKinds, (Lines{"BORDER", "VBORE DRILLING", "GROOVE", "HBORE", "ROUTE T1 D5",
                                       "EXCAV T2 D5", "ROTARY T3"}));
}

// Left-overs of an earlier drawing are cleared; the instructions reach the later passes.
TEST(Conversion, StartsFromNothingAndMergesTheInstructions) {
  Conversion c(test::WithInstructions(test::PanelOfLines(), {"NOARCSUB", "LEAD ON 30"}));
  c.state.NoCodeFlag = true;
  c.state.PartDescription = "left over";
  c.state.BoreList.push_back(BoreRecord{});
  EXPECT_EQ(c.Convert(), ConversionOutcome::Finished);
  EXPECT_FALSE(c.state.ArcSubstitution);
  EXPECT_TRUE(c.state.PartDescription.empty() && c.state.BoreList.empty());
  EXPECT_EQ(c.state.CoincidenceTolerance, 0.1f) << "the border's, after the reset's 0.008";
  EXPECT_TRUE(c.state.LeadsOn);
  EXPECT_EQ(c.state.EffectiveLeadLength, 30.0f);
}

// The instruction scan substitutes the two-letter codes before the driver does; the LD
// of a layer must still switch leads on.
TEST(Conversion, ALayerLeadCodeEnablesLeadsInADrawingWithInstructions) {
  DxfBuilder dxf = test::WithInstructions(test::PanelOfLines(), {"NOARCSUB"});
  Conversion c(dxf.Polyline("ROUTE Z10 T3 D8 L LD15", {{200, 100}, {400, 100}, {400, 300}, {200, 300}}, 1));
  c.Convert();
  EXPECT_EQ(c.state.PathList[1].SegmentType, -segment::kCentreArc) << "a quarter-arc lead-in";
}

}  // namespace
}  // namespace mq
