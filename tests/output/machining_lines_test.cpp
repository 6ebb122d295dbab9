// The machining lines of bore groups, grooves and edge bores, word by word.

#include <gtest/gtest.h>

#include "output/program_writer.h"

namespace mq {
namespace {

WriterFrame MetricFrame() {
  WriterFrame frame;
  frame.Precision = 2;
  frame.MillimetresPerUnit = 1;
  return frame;
}

BoreGroup Group(float sx, float sy, float ex, float ey, int axis, int count, int pitch,
                const std::string& words, float z = 12) {
  BoreGroup g;
  g.StartX = sx;
  g.StartY = sy;
  g.EndX = ex;
  g.EndY = ey;
  g.Axis = axis;
  g.Count = count;
  g.Pitch = pitch;
  g.ToolWords = words;
  g.Z = z;
  return g;
}

ProgramLines BoreLines(const BoreGroup& group, const WriterFrame& frame = MetricFrame()) {
  ProgramLines lines;
  AppendBoreGroupLines(OneBasedList<BoreGroup>{group}, frame, lines);
  return lines;
}

TEST(BoreGroupLines, RowAlongXIsOneStrokeAndAMoveToItsEnd) {
  EXPECT_EQ(BoreLines(Group(37, 50, 69, 50, 1, 2, 32, " T1 T2")),
            (ProgramLines{"G20 X37 Y50 Z12 T1 T2", "G00 X69"}));
}

TEST(BoreGroupLines, SingleBoreIsOneLine) {
  EXPECT_EQ(BoreLines(Group(10.5f, 0.25f, 10.5f, 0.25f, 0, 1, 0, " T7")),
            (ProgramLines{"G00 X10.5 Y0.25 Z12 T7"}));
}

TEST(BoreGroupLines, DepthOfNinetyOrMoreIsWrittenAsZero) {
  EXPECT_EQ(BoreLines(Group(10, 20, 10, 20, 0, 1, 0, " T0", 95)), (ProgramLines{"G00 X10 Y20 Z0 T0"}));
}

TEST(BoreGroupLines, RowAlongYLongerThanTheSpindleSetTakesFurtherStrokes) {
  // Five holes 32 apart with two spindles: strokes at 100, 164, 228 (the last drills one hole).
  EXPECT_EQ(BoreLines(Group(50, 100, 50, 228, -1, 5, 32, " T3 T4")),
            (ProgramLines{"G00 X50 Y100 Z12 T3 T4", "G00 X50 Y164 Z12 T3 T4", "G00 X50 Y228 Z12 T3"}));
  // Drilled downwards when the start lies above the end.
  EXPECT_EQ(BoreLines(Group(50, 228, 50, 100, -1, 3, 64, " T3 T5")),
            (ProgramLines{"G00 X50 Y228 Z12 T3 T5", "G00 X50 Y100 Z12 T3"}));
}

TEST(BoreGroupLines, StrokesOfAnInchDrawingAreMeasuredInInches) {
  WriterFrame inch = MetricFrame();
  inch.Precision = 3;
  inch.MillimetresPerUnit = 25.4f;
  EXPECT_EQ(BoreLines(Group(2, 4, 2, 6.52f, -1, 2, 64, " T3"), inch),
            (ProgramLines{"G00 X2 Y4 Z12 T3", "G00 X2 Y6.52 Z12 T3"}));
}

TEST(BoreGroupLines, ToolWordsWithoutAnyTWordNeverLoop) {
  EXPECT_EQ(BoreLines(Group(1, 2, 1, 66, -1, 3, 32, "")), (ProgramLines{"G00 X1 Y2 Z12"}));
}

TEST(GrooveLines, DirectionPicksG16OrG17AndTheEndWord) {
  struct Case {
    float x1, y1, x2, y2;
    ProgramLines expected;
  };
  const Case cases[] = {
      {10, 20, 300, 20, {"G16 X10 Y20 Z8 T61 VZ1500 VX4000", "G00 X300"}},
      {10, 20, 10, 380, {"G17 X10 Y20 Z8 T61 VZ1500 VX4000", "G00 Y380"}},
      {0, 0, 100, 100, {"G16 X0 Y0 Z8 T61 VZ1500 VX4000", "G00 X100"}},  // 45 degrees saws along X
  };
  for (const Case& c : cases) {
    LineBoreRecord g;
    g.X1 = c.x1;
    g.Y1 = c.y1;
    g.X2 = c.x2;
    g.Y2 = c.y2;
    g.Z = 8;
    g.Tool = 61;
    g.VZ = 1500;
    g.VX = 4000;
    ProgramLines lines;
    AppendGrooveLines(OneBasedList<LineBoreRecord>{g}, MetricFrame(), lines);
    EXPECT_EQ(lines, c.expected);
  }
}

TEST(GrooveLines, NoToolAndNoFeedsGiveNoWords) {
  LineBoreRecord g;
  g.X2 = 50;
  g.Z = 99;
  ProgramLines lines;
  AppendGrooveLines(OneBasedList<LineBoreRecord>{g}, MetricFrame(), lines);
  EXPECT_EQ(lines, (ProgramLines{"G16 X0 Y0 Z0", "G00 X50"}));
}

TEST(EdgeBoreLines, EachEdgeHasItsCodeAndTheToolTextKeepsItsPadding) {
  const char* codes[] = {"G09", "G08", "G06", "G07"};
  for (int16_t side = 1; side <= 4; ++side) {
    EdgeBoreRecord e;
    e.Side = side;
    e.X = 32;
    e.Y = 20;
    e.Z = 9.5f;
    e.VX = 2500;
    e.ToolText = "12";
    ProgramLines lines;
    AppendEdgeBoreLines(OneBasedList<EdgeBoreRecord>{e}, MetricFrame(), lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0],
              std::string(codes[side - 1]) + " X32 Y20 Z9.5 T12" + std::string(28, ' ') + " VX2500");
  }
}

TEST(EdgeBoreLines, ToolTextThatIsNoToolNumberGivesNoTWord) {
  EdgeBoreRecord e;
  e.Side = 3;
  e.X = 15;
  e.Y = 100;
  e.Z = 100;  // no height given
  e.ToolText = "0";
  ProgramLines lines;
  AppendEdgeBoreLines(OneBasedList<EdgeBoreRecord>{e}, MetricFrame(), lines);
  EXPECT_EQ(lines, (ProgramLines{"G06 X15 Y100 Z0"}));
}

}  // namespace
}  // namespace mq
