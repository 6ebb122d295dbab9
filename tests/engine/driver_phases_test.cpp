// The conversion of whole drawings: how it ends (program, part list only, nothing
// stored), what it hands the writer, and what the phases leave for the next ones.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/driver_harness.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

const PathSegment* PointAt(const ConversionState& s, float x, float y) {
  for (const PathSegment& p : s.PathList) {
    if (p.X == x && p.Y == y) return &p;
  }
  return nullptr;
}

struct NoCodeCase {
  const char* name;
  std::vector<std::string> statements;
  const char* border_layer;
};

class NoCodeDrawings : public ::testing::TestWithParam<NoCodeCase> {};

TEST_P(NoCodeDrawings, WriteOnlyThePartList) {
  DxfBuilder dxf =
      test::WithInstructions(test::PanelOfLines(0, 0, GetParam().border_layer), GetParam().statements);
  dxf.Point("VBORE D5 Z12", 100, 100);
  Drawing d(dxf);
  d.Convert();
  EXPECT_EQ(d.output.part_lists, 1);
  EXPECT_EQ(d.output.programs, 0);
  EXPECT_EQ(d.run.FileFailed, kFalse) << "turning code off is no failure";
  EXPECT_TRUE(d.run.FailedFiles.empty());
  ASSERT_FALSE(d.Messages().empty());
  EXPECT_EQ(d.Messages().back(), "Code Generation Turned Off in Drawing");
  EXPECT_FALSE(Has(d.Messages(), "No program written for this drawing."));
  EXPECT_TRUE(d.state.BoreList.empty()) << "the lists are released";
}

INSTANTIATE_TEST_SUITE_P(Instructions, NoCodeDrawings,
                         ::testing::Values(NoCodeCase{"NoCode", {"NOCODE"}, "BORDER"},
                                           NoCodeCase{"NoBlankCode", {"NO CODE"}, "BORDER"},
                                           NoCodeCase{"LowerCase", {"no code"}, "BORDER"},
                                           NoCodeCase{"BorderNo", {}, "BORDERNO"}),
                         test::CaseName());

TEST(ConversionEnd, ADrawingWithoutRoutesStillWritesItsBores) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Point("VBORE D5 Z12", 100, 100);
  Drawing d(dxf);
  d.Convert();
  EXPECT_EQ(d.output.programs, 1);
  EXPECT_EQ(d.output.part_lists, 1);
  ASSERT_EQ(d.output.at_program.BoreList.size(), 1);
  EXPECT_TRUE(d.output.at_program.PathList.empty());
  EXPECT_EQ(d.run.FileFailed, kFalse);
  EXPECT_FALSE(Has(d.Messages(), "No program written for this drawing."));
  EXPECT_TRUE(d.state.BoreList.empty()) << "released after writing";
}

TEST(ConversionEnd, SaysSoWhenTheWriterStoredNoProgram) {
  Drawing d(test::PanelOfLines());
  d.output.store_program = false;
  d.Convert();
  EXPECT_EQ(d.output.programs, 1);
  EXPECT_TRUE(Has(d.Messages(), "No program written for this drawing."));
  EXPECT_FALSE(Has(d.Messages(), "CONVERSION COMPLETED."));
}

TEST(ConversionEnd, SaysSoWhenNoWriterIsAttached) {
  Drawing d(test::PanelOfLines());
  d.c.output = nullptr;
  d.Convert();
  EXPECT_EQ(d.run.FileFailed, kFalse);
  EXPECT_TRUE(Has(d.Messages(), "No program written for this drawing."));
}

// A writer that fails the program: no part-list line for a drawing that will be
// converted again.
class FailingOutput : public test::RecordingOutput {
 public:
  void WriteProgram(EngineContext& c) override {
    ++programs;
    FailDrawing(c.run, c.run.ProgramName);
  }
};

TEST(ConversionEnd, AFailedProgramWritesNoPartListLine) {
  Drawing d(test::PanelOfLines());
  FailingOutput failing;
  d.c.output = &failing;
  d.Convert();
  EXPECT_EQ(failing.programs, 1);
  EXPECT_EQ(failing.part_lists, 0);
  EXPECT_FALSE(Has(d.Messages(), "No program written for this drawing.")) << "the failure speaks for itself";
}

TEST(ConversionEnd, TheWriterStoresUnderTheNameTheDrawingAssigned) {
  Drawing d(test::WithInstructions(test::PanelOfLines(), {"NAME = P 12"}));
  d.Convert();
  EXPECT_EQ(d.output.program_name, "P12");
  EXPECT_EQ(d.run.ProgramName, "P12");
  EXPECT_TRUE(Has(d.Messages(), "P12  Assigned in drawing"));
}

TEST(ConversionEnd, WithoutANameTheCallersProgramNameStands) {
  Drawing d(test::PanelOfLines());
  d.run.ProgramName = "C:\\OUT\\P0017";
  d.Convert();
  EXPECT_EQ(d.output.program_name, "C:\\OUT\\P0017");
}

TEST(Phases, ARouteLayerIsListedOnceAtItsFirstAppearance) {
  DxfBuilder dxf;
  dxf.Line("ROUTE T1 D5", 100, 100, 200, 100);
  dxf.Rectangle("BORDER", 0, 0, 600, 400);
  dxf.Line("EXCAV T2 D5", 100, 200, 200, 200);
  dxf.Line("ROUTE T1 D5", 100, 300, 200, 300);
  dxf.Line("ROTARY T3", 100, 350, 200, 350);
  Drawing d(dxf);
  d.Convert();
  EXPECT_EQ(d.state.LayerKinds, (std::vector<std::string>{"BORDER", "VBORE DRILLING", "GROOVE", "HBORE",
                                                          "ROUTE T1 D5", "EXCAV T2 D5", "ROTARY T3"}));
}

TEST(Phases, TheStoreIsReleasedAfterTheRoutePass) {
  Drawing d(test::PanelOfLines());
  d.Convert();
  EXPECT_TRUE(d.store.Entities.empty());
}

TEST(Phases, PanelPointsAreMeasuredFromTheOriginBeforeWriting) {
  DxfBuilder dxf = test::PanelOfLines(100, 100);
  dxf.Line("ROUTE T5 D20", 150, 120, 250, 120);
  Drawing d(dxf);
  d.Convert();
  const ConversionState& s = d.output.at_program;
  ASSERT_EQ(s.PathList.size(), 2);
  const PathSegment* start = PointAt(s, 50, 20);
  const PathSegment* end = PointAt(s, 150, 20);
  ASSERT_NE(start, nullptr);
  ASSERT_NE(end, nullptr);
  EXPECT_EQ(start->Box, kPanelBox);
  EXPECT_EQ(end->Box, kPanelBox);
}

TEST(Phases, AnUpperRightBorderMeasuresFromTheFarEdges) {
  DxfBuilder dxf = test::PanelOfLines(0, 0, "BORDERUR");
  dxf.Line("ROUTE T5 D20", 100, 50, 200, 50);
  dxf.Point("VBORE D5 Z12", 30, 40);
  Drawing d(dxf);
  d.Convert();
  const ConversionState& s = d.output.at_program;
  EXPECT_TRUE(s.XFromRight);
  EXPECT_TRUE(s.YFromTop);
  EXPECT_NE(PointAt(s, 500, 350), nullptr);
  EXPECT_NE(PointAt(s, 400, 350), nullptr);
  ASSERT_EQ(s.BoreList.size(), 1);
  EXPECT_EQ(s.BoreList[1].X, 570);
  EXPECT_EQ(s.BoreList[1].Y, 360);
}

TEST(Phases, TheMergedLeadSettingsReachTheLaterPasses) {
  Drawing d(test::WithInstructions(test::PanelOfLines(), {"LEAD ON 30", "ZRAMP 4"}));
  d.settings.LeadLength = "25.00";
  d.settings.LeadRampHeight = "10.00";
  d.Convert();
  EXPECT_TRUE(d.output.at_program.LeadsOn);
  EXPECT_EQ(d.output.at_program.EffectiveLeadLength, 30.0f);
  EXPECT_EQ(d.output.at_program.EffectiveRampHeight, 4.0f);
}

TEST(Phases, ANewConversionStartsFromNothing) {
  Drawing d(test::WithInstructions(test::PanelOfLines(), {"NOARCSUB", "SCALE 1"}));
  d.state.NoCodeFlag = true;
  d.state.PartDescription = "left over";
  d.state.BoreList.push_back(BoreRecord{});
  d.run.FileFailed = kTrue;
  d.store.Current.MaxSequence = 40;
  d.Convert();
  EXPECT_EQ(d.output.programs, 1);
  EXPECT_FALSE(d.output.at_program.ArcSubstitution);
  EXPECT_TRUE(d.output.at_program.PartDescription.empty());
  EXPECT_TRUE(d.output.at_program.BoreList.empty());
  EXPECT_EQ(d.output.at_program.CoincidenceTolerance, 0.1f)
      << "the border's tolerance after the reset's 0.008";
  EXPECT_EQ(d.store.Current.MaxSequence, 0);
}

// The instruction scan replaces the two-letter codes once before the driver's own
// substitution; the second finds no LD left and must not forget that the drawing
// asked for leads by layer code.
TEST(Phases, ALayerLeadCodeStillEnablesLeadsInADrawingWithInstructions) {
  DxfBuilder dxf = test::WithInstructions(test::PanelOfLines(), {"NOARCSUB"});
  dxf.Polyline("ROUTE Z10 T3 D8 L LD15", {{200, 100}, {400, 100}, {400, 300}, {200, 300}}, 1);
  Drawing d(dxf);
  d.Convert();
  EXPECT_TRUE(d.store.Current.LeadCodeSeen);
  const auto& path = d.output.at_program.PathList;
  ASSERT_GT(path.size(), 0);
  EXPECT_EQ(path[1].SegmentType, -3) << "the contour opens with a quarter-arc lead-in";
  EXPECT_EQ(path[1].ChainFlag, kContourStart);
}

}  // namespace
}  // namespace mq
