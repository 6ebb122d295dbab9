// A drawing whose border cannot be machined ends its conversion with its reason, the
// abort line, the drawing in the failed files, and nothing written.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/driver_harness.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;

constexpr const char* kAborted = "CONVERSION PROCESS ABORTED.";

struct AbortCase {
  const char* name;
  std::function<DxfBuilder()> drawing;
  std::vector<std::string> messages;  // the report lines, abort line included
};

DxfBuilder ZeroHeightPanel() {
  DxfBuilder dxf;
  dxf.Solid("PANEL", 0, 0, 600, 0, 600, 0);
  return dxf;
}

DxfBuilder RouteWithoutBorder() {
  DxfBuilder dxf;
  dxf.Line("ROUTE T5 D20", 0, 0, 100, 0);
  return dxf;
}

// One line end that belongs to no rectangle: five distinct points.
DxfBuilder StrayLineEnd() {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Line("BORDER", 0, 0, 300, 200);
  return dxf;
}

// Thirteen distinct points: the count is written after the text's two blanks and the
// blank that stands for its sign.
DxfBuilder ThirteenPoints() {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Rectangle("BORDER", 1000, 0, 1100, 100);
  dxf.Rectangle("BORDER", 2000, 0, 2100, 100);
  dxf.Line("BORDER", 0, 0, 300, 200);
  return dxf;
}

// A panel with a view above drawn with a fifth point and a view below of three points:
// twelve points in all, but the views are not rectangles.
DxfBuilder EdgeViewWithFifthPoint() {
  DxfBuilder dxf;
  dxf.Rectangle("BORDER", 100, 100, 700, 500);
  dxf.Rectangle("BORDER", 100, 520, 700, 538);
  dxf.Line("BORDER", 100, 538, 400, 538);
  dxf.Line("BORDER", 100, 62, 700, 62);
  dxf.Line("BORDER", 700, 62, 400, 80);
  return dxf;
}

// Four points, none of them in the upper-left quarter around the centre.
DxfBuilder QuadrantWithoutCorner() {
  DxfBuilder dxf;
  dxf.Line("BORDER", 0, 0, 100, 0);
  dxf.Line("BORDER", 50, 100, 60, 100);
  return dxf;
}

class ConversionAborts : public ::testing::TestWithParam<AbortCase> {};

TEST_P(ConversionAborts, ReportTheReasonListTheDrawingAndWriteNothing) {
  const AbortCase& abort = GetParam();
  Drawing d(abort.drawing());
  d.Convert();
  EXPECT_EQ(d.Messages(), abort.messages);
  EXPECT_EQ(d.run.FileFailed, kTrue);
  ASSERT_EQ(d.run.FailedFiles.size(), 1);
  EXPECT_EQ(d.run.FailedFiles[1], d.run.DxfFileName) << "the engine lists the drawing path";
  EXPECT_EQ(d.output.programs, 0);
  EXPECT_EQ(d.output.part_lists, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Border, ConversionAborts,
    ::testing::Values(
        AbortCase{
            "ZeroAreaPanelSolid", ZeroHeightPanel, {"Part BORDER or PANEL Layer NOT Found!!!", kAborted}},
        AbortCase{"NoBorder", RouteWithoutBorder, {"Part BORDER or BORDER Layer NOT Found!!!", kAborted}},
        AbortCase{"StrayBorderPoint",
                  StrayLineEnd,
                  {"PART BORDER NOT PROPERLY DEFINED IN DRAWING!!!",
                   "Check for stray entities on Border Layer.   5", kAborted}},
        AbortCase{"StrayPointsCountOfTwoDigits",
                  ThirteenPoints,
                  {"PART BORDER NOT PROPERLY DEFINED IN DRAWING!!!",
                   "Check for stray entities on Border Layer.   13", kAborted}},
        AbortCase{"EdgeViewNotARectangle",
                  EdgeViewWithFifthPoint,
                  {"ERROR in Border Sides for Horizontal operations", kAborted}},
        AbortCase{"QuadrantWithoutCorner",
                  QuadrantWithoutCorner,
                  {"PART BORDER NOT PROPERLY DEFINED IN DRAWING!!!", kAborted}}),
    test::CaseName());

TEST(ConversionAborts, ABorderPolylineOfFlagsFourIsNotReadSoTheBorderIsMissing) {
  DxfBuilder dxf;
  dxf.Polyline("BORDER", {{0, 0}, {600, 0}, {600, 400}, {0, 400}}, 4);
  Drawing d(dxf);
  d.Convert();
  EXPECT_EQ(d.Messages(), (std::vector<std::string>{"Part BORDER or BORDER Layer NOT Found!!!", kAborted}));
}

TEST(ConversionAborts, AFailedDrawingIsListedOnceMoreInARunThatListedOthers) {
  Drawing d(StrayLineEnd());
  d.run.FailedFiles.push_back("C:\\DXF\\EARLIER.DXF");
  d.Convert();
  ASSERT_EQ(d.run.FailedFiles.size(), 2);
  EXPECT_EQ(d.run.FailedFiles[1], "C:\\DXF\\EARLIER.DXF");
  EXPECT_EQ(d.run.FailedFiles[2], d.run.DxfFileName);
}

TEST(UserStop, EndsTheConversionWithoutOutputAndWithoutListingTheDrawing) {
  DxfBuilder dxf = test::PanelOfLines();
  dxf.Line("ROUTE T5 D20", 100, 100, 200, 100);
  Drawing d(dxf);
  d.person.run = &d.run;
  d.person.stop_after_yields = d.person.yields + 1;  // the engine's first check
  d.Convert();
  ASSERT_FALSE(d.Messages().empty());
  EXPECT_EQ(d.Messages().back(), " USER ABORTED ");
  EXPECT_EQ(d.run.FileFailed, kTrue);
  EXPECT_TRUE(d.run.FailedFiles.empty()) << "a stop request lists nothing";
  EXPECT_EQ(d.output.programs, 0);
  EXPECT_EQ(d.output.part_lists, 0);
}

TEST(UserStop, EachCheckAdvancesTheMeterInUseByFiveUpToFull) {
  Drawing d(test::PanelOfLines());
  d.state.ProgressMeter = meter::kProcessing;
  d.person.meters[meter::kProcessing] = 10;
  EXPECT_FALSE(UserStopRequested(d.c));
  EXPECT_EQ(d.person.meters[meter::kProcessing], 15);
  d.person.meters[meter::kProcessing] = 98;
  EXPECT_FALSE(UserStopRequested(d.c));
  EXPECT_EQ(d.person.meters[meter::kProcessing], 100);
  EXPECT_EQ(d.person.meters[meter::kReadingInfo], 0) << "only the meter in use moves";
  EXPECT_EQ(d.run.FileFailed, kFalse);
}

}  // namespace
}  // namespace mq
