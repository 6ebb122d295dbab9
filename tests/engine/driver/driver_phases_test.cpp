// The conversion of whole drawings: how it ends (program, part list only, nothing
// stored), what it hands the writer, and what the phases leave for the next ones.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/bores_test_context.h"
#include "engine/driver_harness.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;

constexpr const char* kNoProgram = "No program written for this drawing.";

bool Has(const Drawing& d, const std::string& line) {
  const std::vector<std::string> lines = d.Messages();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// NOCODE in either spelling and any case, or NO in the border layer: the part list only.
TEST(NoCode, WritesOnlyThePartList) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"NOCODE"}, "BORDER"}, {{"NO CODE"}, "BORDER"}, {{"no code"}, "BORDER"}, {{}, "BORDERNO"}};
  for (const auto& [statements, border] : cases) {
    DxfBuilder dxf = test::WithInstructions(test::PanelOfLines(0, 0, border), statements);
    Drawing d(dxf.Point("VBORE D5 Z12", 100, 100));
    d.Convert();
    EXPECT_EQ(d.output.part_lists, 1) << border;
    EXPECT_EQ(d.output.programs, 0);
    EXPECT_FALSE(d.run.FileFailed) << "turning code off is no failure";
    EXPECT_TRUE(d.run.FailedFiles.empty());
    EXPECT_EQ(d.Messages().back(), "Code Generation Turned Off in Drawing");
    EXPECT_FALSE(Has(d, kNoProgram));
    EXPECT_TRUE(d.state.BoreList.empty()) << "the lists are released";
  }
}

// No routes, bores measured from the far edges of a BORDERUR panel, the caller's name.
TEST(ConversionEnd, ADrawingWithoutRoutesStillWritesItsBores) {
  Drawing d(test::PanelOfLines(0, 0, "BORDERUR").Point("VBORE D5 Z12", 30, 40));
  d.run.ProgramName = "C:\\OUT\\P0017";
  d.Convert();
  EXPECT_EQ(d.output.programs, 1);
  EXPECT_EQ(d.output.part_lists, 1);
  EXPECT_EQ(d.output.program_name, "C:\\OUT\\P0017");
  ASSERT_EQ(d.output.at_program.BoreList.size(), 1);
  EXPECT_EQ(d.output.at_program.BoreList[1].X, 570);
  EXPECT_EQ(d.output.at_program.BoreList[1].Y, 360);
  EXPECT_FALSE(Has(d, kNoProgram));
  EXPECT_TRUE(d.state.BoreList.empty()) << "released after writing";
}

// A writer that stored nothing, or none attached, must not pass for a finished conversion.
TEST(ConversionEnd, SaysSoWhenNoProgramWasStored) {
  for (const bool attached : {true, false}) {
    Drawing d(test::PanelOfLines());
    d.output.store_program = false;
    if (!attached) d.c.output = nullptr;
    d.Convert();
    EXPECT_FALSE(d.run.FileFailed);
    EXPECT_TRUE(Has(d, kNoProgram)) << attached;
  }
}

// A failed program leaves no part-list line for a drawing that will be converted again.
TEST(ConversionEnd, AFailedProgramWritesNoPartListLine) {
  struct FailingOutput : test::RecordingOutput {
    void WriteProgram(EngineContext& c) override { FailDrawing(c.run, c.run.ProgramName); }
  } failing;
  Drawing d(test::PanelOfLines());
  d.c.output = &failing;
  d.Convert();
  EXPECT_EQ(failing.part_lists, 0);
  EXPECT_FALSE(Has(d, kNoProgram)) << "the failure speaks for itself";
}

TEST(Phases, ARouteLayerIsListedOnceAtItsFirstAppearance) {
  DxfBuilder dxf;
  dxf.Line("ROUTE T1 D5", 100, 100, 200, 100).Rectangle("BORDER", 0, 0, 600, 400);
  dxf.Line("EXCAV T2 D5", 100, 200, 200, 200).Line("ROUTE T1 D5", 100, 300, 200, 300);
  Drawing d(dxf.Line("ROTARY T3", 100, 350, 200, 350));
  d.Convert();
  EXPECT_EQ(d.state.LayerKinds, (std::vector<std::string>{"BORDER", "VBORE DRILLING", "GROOVE", "HBORE",
                                                          "ROUTE T1 D5", "EXCAV T2 D5", "ROTARY T3"}));
}

// Left-overs of an earlier drawing are cleared; the instructions merged with the settings
// reach the later passes.
TEST(Phases, ANewConversionStartsFromNothing) {
  Drawing d(test::WithInstructions(test::PanelOfLines(), {"NOARCSUB", "LEAD ON 30"}));
  d.state.NoCodeFlag = true;
  d.state.PartDescription = "left over";
  d.state.BoreList.push_back(BoreRecord{});
  d.run.FileFailed = true;
  d.store.Current.MaxSequence = 40;
  d.Convert();
  EXPECT_EQ(d.output.programs, 1);
  EXPECT_FALSE(d.output.at_program.ArcSubstitution);
  EXPECT_TRUE(d.output.at_program.PartDescription.empty());
  EXPECT_TRUE(d.output.at_program.BoreList.empty());
  EXPECT_EQ(d.output.at_program.CoincidenceTolerance, 0.1f) << "the border's, after the reset's 0.008";
  EXPECT_EQ(d.store.Current.MaxSequence, 0);
  EXPECT_TRUE(d.output.at_program.LeadsOn);
  EXPECT_EQ(d.output.at_program.EffectiveLeadLength, 30.0f);
}

// The instruction scan replaces the two-letter codes once before the driver's own
// substitution; the second finds no LD left and must not forget that the drawing asked for
// leads by layer code.
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

// Phase 19: a point in an edge view (widened by the margins, bounds included) stays; any
// other is the panel's and is measured from PartOrigin, an arc start's centre with it (an
// arc end holds angles). Circles go by their centre.
TEST(BoxTranslation, PanelPointsMoveToTheOriginAndEdgeViewPointsStay) {
  test::BoresContext t;
  t.SetPanel(100, 100, 700, 500);
  t.SetBox(1, 100, 520, 700, 538);
  t.SetBox(3, 62, 100, 80, 500);
  t.state.EdgeMarginX = t.state.EdgeMarginY = 9.5f;
  using V = std::vector<float>;  // type or box, x, y, centre x, centre y
  const std::pair<V, V> cases[] = {
      {{1, 150, 120, 0, 0}, {5, 50, 20, 0, 0}},         {{1, 400, 530, 0, 0}, {1, 400, 530, 0, 0}},
      {{1, 400, 510.5f, 0, 0}, {1, 400, 510.5f, 0, 0}}, {{1, 400, 510, 0, 0}, {5, 300, 410, 0, 0}},
      {{1, 70, 300, 0, 0}, {3, 70, 300, 0, 0}},         {{-3, 200, 200, 250, 200}, {5, 100, 100, 150, 100}},
      {{3, 300, 200, 0, 180}, {5, 200, 100, 0, 180}},   {{-3, 400, 530, 420, 530}, {1, 400, 530, 420, 530}}};
  for (const auto& [point, expected] : cases) {
    PathSegment& p = t.state.PathList.raw().emplace_back();
    p.SegmentType = int16_t(point[0]), p.X = point[1], p.Y = point[2], p.CentreX = point[3],
    p.CentreY = point[4];
  }
  t.state.CircleList.raw().resize(2);
  t.state.CircleList[1].CentreX = t.state.CircleList[1].CentreY = 300;
  t.state.CircleList[2].CentreX = 70, t.state.CircleList[2].CentreY = 200;
  TranslateToBoxes(t.c);
  for (int i = 1; i <= t.state.PathList.size(); ++i) {
    const PathSegment& p = t.state.PathList[i];
    EXPECT_EQ(V({float(p.Box), p.X, p.Y, p.CentreX, p.CentreY}), cases[i - 1].second) << i;
  }
  const CircleRecord &panel = t.state.CircleList[1], &view = t.state.CircleList[2];
  EXPECT_EQ(V({float(panel.Box), panel.CentreX, panel.CentreY, float(view.Box), view.CentreX, view.CentreY}),
            V({5, 200, 200, 3, 70, 200}));
}

}  // namespace
}  // namespace mq
