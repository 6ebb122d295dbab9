// The preview of a read program: what is drawn, where, and the summary; its SVG is
// well-formed and has one element per item, classed by the item's kind.

#include "output/preview/program_preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "output/preview/preview_legend.h"
#include "output/preview/preview_svg.h"
#include "support/golden_cases.h"
#include "support/svg_check.h"

namespace mq {
namespace {

constexpr const char* kHeader = "6000,4000,190,\"M\",\"A <&> PANEL\"\r\n";

// A stroke of two holes, a saw pass, an edge bore in the top edge, a square cut with a
// lead-in and a lead-out, and a ramp.
std::string WorkOfEveryKind(const char* origin = "O1") {
  return std::string(kHeader) + "\" G00 X100 Y100 Z10 T1 T2 " + origin +
         "\"\r\n\" G16 X0 Y50 Z8 T61 VX3000\"\r\n\" G00 X600\"\r\n\" G09 X100 Y30 Z9.5 T71 VX900\"\r\n"
         "\" G10 X290 Y200 Z19 T5 VX6000 VZ2000\"\r\n\" G10 X300 Y200 Z19\"\r\n\" G10 X400 Y200 Z19\"\r\n"
         "\" G10 X400 Y300 Z19\"\r\n\" G10 X300 Y300 Z19\"\r\n\" G10 X300 Y200 Z19\"\r\n\" G00 X290 Y190 "
         "Z19\"\r\n"
         "\" G10 X0 Y0 Z5 T6\"\r\n\" G00 X100 Y0 Z10\"\r\n\"end\"\r\n";
}

std::map<PreviewKind, int> Counts(const PreviewModel& model) {
  std::map<PreviewKind, int> counts;
  for (const PreviewItem& item : model.Items) ++counts[item.Kind];
  return counts;
}

const PreviewItem& First(const PreviewModel& model, PreviewKind kind) {
  return *std::find_if(model.Items.begin(), model.Items.end(),
                       [&](const PreviewItem& i) { return i.Kind == kind; });
}

TEST(ProgramPreview, DrawsEveryKindOfWorkInItsPlaceAndSumsItUp) {
  const ProgramReading program = ReadProgram(WorkOfEveryKind());
  ASSERT_TRUE(program.Errors.empty());
  const PreviewModel model = BuildPreview(program, {}, {});
  using K = PreviewKind;
  const std::map<PreviewKind, int> expected{
      {K::Panel, 1},    {K::EdgeView, 4},    {K::Stroke, 1}, {K::Hole, 2},   {K::SawPass, 1},
      {K::EdgeBore, 1}, {K::EdgeBoreEnd, 1}, {K::Cut, 4},    {K::LeadIn, 1}, {K::LeadOut, 1},
      {K::Ramp, 1},     {K::Arrow, 7},       {K::Rapid, 4}};
  EXPECT_EQ(Counts(model), expected);
  // Without Par.DAT the second hole is a head's pitch further along Y.
  EXPECT_EQ(First(model, K::Stroke).Points[1].Y, 132);
  EXPECT_EQ(First(model, K::EdgeBore).Points[1].Y, 370) << "30 deep from the top edge";
  EXPECT_GT(First(model, K::EdgeBoreEnd).Points[0].Y, 400 + 9.5) << "in the view above the panel";
  const PreviewSummary& s = model.Total;
  EXPECT_NEAR(s.CuttingLength, 600 + 10 + 400 + std::hypot(10, 10) + std::hypot(100, 5), 1e-9);
  EXPECT_NEAR(s.RapidLength,
              std::hypot(100, 50) + std::hypot(500, 350) + std::hypot(190, 200) + std::hypot(290, 190), 1e-9);
  EXPECT_EQ(s.ToolChanges, 4) << "head, T61, T71, T5, T6";
  EXPECT_EQ(std::vector({s.Holes, s.Strokes, s.SawPasses, s.EdgeBores, s.Contours}),
            std::vector({2, 1, 1, 1, 2}));
}

TEST(ProgramPreview, CycleTimeFromTheFeedsAndTheRapidSpeed) {
  const ProgramReading program =
      ReadProgram(std::string(kHeader) +
                  "\" G10 X0 Y0 Z0 T5 VX6000 O1\"\r\n\" G00 X600 Y0 Z0\"\r\n"
                  "\" G10 X600 Y300 Z0 T5\"\r\n\" G00 X0 Y300 Z0\"\r\n\"end\"\r\n");
  PreviewOptions options;
  EXPECT_NEAR(BuildPreview(program, {}, options).Total.CycleSeconds, 6 + 0.6 + 6, 1e-9);
  options.Speeds.Rapid = 60000;
  EXPECT_NEAR(BuildPreview(program, {}, options).Total.CycleSeconds, 6 + 0.3 + 6, 1e-9);
}

TEST(ProgramPreview, UndoesTheMirroringOfTheOriginWordAndStartsEachPortionAfresh) {
  const PreviewModel mirrored = BuildPreview(ReadProgram(WorkOfEveryKind("O2")), {}, {});
  EXPECT_EQ(First(mirrored, PreviewKind::Hole).Points[0].X, 500);
  EXPECT_EQ(First(mirrored, PreviewKind::Hole).Points[0].Y, 300);
  EXPECT_EQ(First(mirrored, PreviewKind::EdgeBore).Points[0].X, 500) << "along the top edge from the right";
  const std::string text = WorkOfEveryKind();
  const std::size_t cut = text.find("\" G10 X290");
  const PreviewModel split = BuildPreview(
      ReadProgramPortions({text.substr(0, cut) + "\"end\"\r\n", kHeader + text.substr(cut)}), {}, {});
  ASSERT_EQ(split.Portions.size(), 2u);
  EXPECT_EQ(Counts(split)[PreviewKind::Rapid], 3) << "no rapid from one program file into the next";
  EXPECT_EQ(split.Portions[1].ToolChanges, 1);
}

TEST(ProgramPreview, SvgIsWellFormedWithAnElementPerItemClassedByItsKind) {
  const PreviewModel model = BuildPreview(ReadProgram(WorkOfEveryKind()), {}, {});
  const test::XmlDocument svg = test::ReadXml(PreviewSvg(model));
  ASSERT_EQ(svg.Error, "");
  EXPECT_EQ(svg.Elements[0].Name, "svg");
  EXPECT_EQ(svg.Elements[0].Attributes.count("viewBox"), 1u);
  for (const auto& [kind, count] : Counts(model)) {
    int drawn = 0;
    for (const char* element : {"polygon", "polyline", "circle", "path"})
      drawn += svg.Count(element, KindName(kind));
    EXPECT_EQ(drawn, count) << KindName(kind);
  }
  EXPECT_EQ(svg.Count("text", "rapid-number"), 4);
  EXPECT_EQ(svg.Elements[1].Text, "A <&> PANEL") << "the description as the title";
}

// The preview finds the same leads outside their cut-outs as the conversion warned
// about: every warning of a golden run stands for one contour drawn red and listed.
TEST(ProgramPreview, DrawsLeadsOutsideTheirCutOutRedAndListsThem) {
  const std::filesystem::path golden = std::filesystem::path(MARQUILL_SOURCE_DIR) / "tests" / "golden";
  // Program, contours warned about (the leads golden's drawings, and an example drawn right).
  const std::pair<const char*, std::size_t> cases[] = {
      {"leads/expected/out/LEADS", 6}, {"leads/expected/out/CIRCLES", 7}, {"door/expected/out/DOOR", 0}};
  for (const auto& [file, outside] : cases) {
    const PreviewModel model = BuildPreview(ReadProgram(test::ReadBytes(golden / file)), {}, {});
    EXPECT_EQ(model.Total.LeadsOutside.size(), outside) << file;
    std::set<int> red;
    for (const PreviewItem& item : model.Items) {
      if (item.LeadOutside) {
        EXPECT_TRUE(item.Kind == PreviewKind::LeadIn || item.Kind == PreviewKind::LeadOut) << file;
        EXPECT_EQ(OwnColourOf(item), kLeadOutsideColour);
      }
    }
    const std::vector<std::string> summary = SummaryLines(model);
    EXPECT_EQ(std::count(summary.begin(), summary.end(), LeadsOutsideLine(model.Total)), outside ? 1 : 0)
        << file;
  }
}

}  // namespace
}  // namespace mq
