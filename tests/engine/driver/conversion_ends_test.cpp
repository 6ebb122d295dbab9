// How a conversion ends: the operator's stop, the passes it runs through, and what every
// conversion starts from. The reasons a drawing cannot be machined and the drawings that
// ask for no code are the golden case aborted_drawings.

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

}  // namespace
}  // namespace mq
