// The routed contours: straight pieces, bulge arcs, three-point arcs, centre arcs and
// the words of a contour's start.

#include <gtest/gtest.h>

#include <cmath>

#include "output/program_writer.h"
#include "writer_fixture.h"

namespace mq {
namespace {

using test::PathPoint;

struct PathCase {
  Settings settings;
  ToolTable table;
  bool substituted = false;
  WriterFrame frame;

  PathCase() {
    frame.Precision = 2;
    frame.ClockwiseDigit = '2';
    frame.CounterClockwiseDigit = '3';
  }

  ProgramLines Lines(OneBasedList<PathSegment> path) {
    ProgramLines lines;
    AppendPathLines(path, frame, PathToolSource{table, settings, substituted}, lines);
    return lines;
  }
};

TEST(PathLines, ClosedContourStartsWithItsWordsAndClosesWithG00) {
  PathCase p;
  PathSegment start = PathPoint(-1, 0, 0, 20, kContourStart);
  start.Tool = 5;
  start.VX = 5000;
  start.VZ = 2000;
  start.VM = 18000;
  EXPECT_EQ(p.Lines({start, PathPoint(1, 600, 0), PathPoint(1, 600, 400), PathPoint(1, 0, 0)}),
            (ProgramLines{"G10 X0 Y0 Z20 T5 VX5000 VZ2000 VM18000", "G10 X600 Y0 Z20", "G10 X600 Y400 Z20",
                          "G00 X0 Y0 Z20"}));
}

TEST(PathLines, ToolWordIsKeptUntilARecordNamesAnotherAndIsSubstituted) {
  PathCase p;
  p.settings.ToolSubstitution[0] = {"1", "7", "17"};
  PathSegment first = PathPoint(-1, 0, 0, 95, kContourStart);
  first.Tool = 7;
  PathSegment second = PathPoint(-1, 10, 10, 5, kContourStart);
  EXPECT_EQ(p.Lines({first, PathPoint(1, 5, 0, 95), second, PathPoint(1, 20, 10, 5)}),
            (ProgramLines{"G10 X0 Y0 Z0 T17", "G00 X5 Y0 Z0", "G10 X10 Y10 Z5 T17", "G00 X20 Y10 Z5"}));
  EXPECT_TRUE(p.substituted);
}

TEST(PathLines, EmptyEntriesAtTheEndAreDropped) {
  PathCase p;
  EXPECT_EQ(p.Lines({PathPoint(-1, 0, 0, 3, kContourStart), PathPoint(1, 5, 0, 3), PathPoint(0, 0, 0)}),
            (ProgramLines{"G10 X0 Y0 Z3", "G00 X5 Y0 Z3"}));
}

TEST(PathLines, FirstPointWithoutChainStartWritesNothing) {
  PathCase p;
  EXPECT_EQ(p.Lines({PathPoint(-1, 0, 0, 3), PathPoint(1, 5, 0, 3)}), (ProgramLines{"G00 X5 Y0 Z3"}));
}

TEST(PathLines, BulgeArcUsesTheRadiusAndTheArcDigits) {
  PathCase p;
  // A half circle of radius 50 from (0,0) to (100,0): bulge 1 counter-clockwise, -1 clockwise.
  for (const float bulge : {1.0f, -1.0f}) {
    PathSegment a = PathPoint(-5, 0, 0, 4, kContourStart);
    a.Bulge() = bulge;
    const ProgramLines lines = p.Lines({a, PathPoint(5, 100, 0, 4), PathPoint(5, 100, 20, 4)});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], std::string("G1") + (bulge > 0 ? "3" : "2") + "/ X100 Y0 I50");
    EXPECT_EQ(lines[2], "G00 X100 Y20 Z4");
  }
}

TEST(PathLines, BulgeArcThatEndsTheContourHasPrefixG0) {
  PathCase p;
  PathSegment a = PathPoint(-5, 0, 0, 4, kContourStart);
  a.Bulge() = 1;
  EXPECT_EQ(p.Lines({a, PathPoint(5, 100, 0, 4)}), (ProgramLines{"G10 X0 Y0 Z4", "G03/ X100 Y0 I50"}));
}

TEST(PathLines, BulgeArcOfHugeRadiusIsAStraightMove) {
  PathCase p;
  // Chord 100, radius 12000: bulge = tan(asin(50 / 12000) / 2).
  const float bulge = static_cast<float>(std::tan(std::asin(50.0 / 12000.0) / 2));
  PathSegment a = PathPoint(-5, 0, 0, 4, kContourStart);
  a.Bulge() = bulge;
  EXPECT_EQ(p.Lines({a, PathPoint(5, 100, 0, 4), PathPoint(5, 100, 50, 4)}),
            (ProgramLines{"G10 X0 Y0 Z4", "G10 X100 Y0", "G00 X100 Y50 Z4"}));
  EXPECT_EQ(p.Lines({a, PathPoint(5, 100, 0, 4)}), (ProgramLines{"G10 X0 Y0 Z4", "G00 X100 Y0"}));
}

TEST(PathLines, InchRadiusLimitIsInMillimetres) {
  PathCase p;
  p.frame.MillimetresPerUnit = 25.4f;
  p.frame.Precision = 3;
  // Radius 400 inches is 10160 mm: beyond the limit.
  const float bulge = static_cast<float>(std::tan(std::asin(5.0 / 400.0) / 2));
  PathSegment a = PathPoint(-5, 0, 0, 1, kContourStart);
  a.Bulge() = bulge;
  EXPECT_EQ(p.Lines({a, PathPoint(5, 10, 0, 1)}), (ProgramLines{"G10 X0 Y0 Z1", "G00 X10 Y0"}));
}

TEST(PathLines, CentreArcComputesItsEndFromTheAngle) {
  PathCase p;
  PathSegment s = PathPoint(-3, 150, 100, 6, kContourStart);
  s.CentreX = 100;
  s.CentreY = 100;
  PathSegment e = PathPoint(3, 100, 150, 6);
  e.CentreY = 90;  // the end lies at 90 degrees from the centre
  EXPECT_EQ(p.Lines({s, e}), (ProgramLines{"G10 X150 Y100 Z6", "G02 X100 Y150 I100 J100"}));
  e.ChainFlag = 1;  // the other direction
  EXPECT_EQ(p.Lines({s, e, PathPoint(1, 0, 150, 6)}),
            (ProgramLines{"G10 X150 Y100 Z6", "G13 X100 Y150 I100 J100", "G00 X0 Y150 Z6"}));
}

TEST(PathLines, CentreArcFollowsTheMachineCorner) {
  PathCase p;
  // A 600 x 400 panel measured from its upper right corner: the centre (100,100) became
  // (500,300), the start at 90 degrees (100,150) became (500,250) and the end at 0
  // degrees (150,100) became (450,300).
  p.frame.YSign = -1;
  p.frame.XSign = -1;
  PathSegment s = PathPoint(-3, 500, 250, 6, kContourStart);
  s.CentreX = 500;
  s.CentreY = 300;
  PathSegment e = PathPoint(3, 450, 300, 6);
  e.CentreY = 0;
  const ProgramLines lines = p.Lines({s, e});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "G02 X450 Y300 I500 J300");
}

TEST(PathLines, ThreePointArcsAndPointsInLine) {
  PathCase p;
  // Start (0,0); arc through (50,50) to (100,0); then (150,0), (200,0) in line with (100,0)...
  const ProgramLines lines =
      p.Lines({PathPoint(-2, 0, 0, 4, kContourStart), PathPoint(2, 50, 50, 4), PathPoint(2, 100, 0, 4),
               PathPoint(2, 150, 0, 4), PathPoint(2, 200, 0, 4), PathPoint(2, 250, 0, 4)});
  EXPECT_EQ(lines,
            (ProgramLines{"G10 X0 Y0 Z4", "G12/5 X100 Y0 I50 J50", "G10 X200 Y0 Z4", "G10 X250 Y0 Z4"}));
}

TEST(PathLines, ThreePointArcTurningTheOtherWay) {
  PathCase p;
  const ProgramLines lines =
      p.Lines({PathPoint(-2, 0, 0, 4, kContourStart), PathPoint(2, 50, -50, 4), PathPoint(2, 100, 0, 4)});
  EXPECT_EQ(lines, (ProgramLines{"G10 X0 Y0 Z4", "G13/5 X100 Y0 I50 J-50"}));
}

TEST(PathLines, PendingThreePointIsWrittenBeforeTheNextContour) {
  PathCase p;
  const ProgramLines lines = p.Lines({PathPoint(-2, 0, 0, 4, kContourStart), PathPoint(2, 50, 50, 4),
                                      PathPoint(-2, 300, 0, 7, kContourStart)});
  EXPECT_EQ(lines, (ProgramLines{"G10 X0 Y0 Z4", "G10 X50 Y50 Z7", "G10 X300 Y0 Z7"}));
}

TEST(PathLines, DeletionMarkDropsTwoRecordsAndOpensTheThird) {
  PathCase p;
  const ProgramLines lines = p.Lines(
      {PathPoint(-4, 0, 0, 4), PathPoint(5, 10, 0, 4), PathPoint(-1, 20, 0, 4), PathPoint(1, 30, 0, 4)});
  EXPECT_EQ(lines, (ProgramLines{"G10 X20 Y0 Z4", "G00 X30 Y0 Z4"}));
}

struct CompensationCase {
  const char* code;
  int16_t tool;
  const char* expected;
};

TEST(CompensationWord, SideValueAndToolRadius) {
  ToolTable table;
  table.Loaded = true;
  table.Entries[3].ToolDiameter = 12.5f;
  const CompensationCase cases[] = {
      {"", 3, ""},
      {"G4", 3, ""},
      {"G42 R5", 3, " R+5"},
      {"G41 L5", 3, " R-5"},
      {"G41 ", 3, " R-6.25"},
      {"G42 ", 3, " R+6.25"},
      {"G42 ", 0, " R"},
      {"G41 ", 0, " R-"},
      {"G42 R.5", 0, " R+0.5"},
      {"G41 L0.004", 0, " R-"},  // rounds to nothing
      {"\tG42 R2", 0, " R+2"},   // control characters read as blanks
  };
  for (const CompensationCase& c : cases) {
    EXPECT_EQ(CompensationWord(FixedText<10>(c.code), c.tool, table, 2), c.expected) << c.code;
  }
}

TEST(CompensationWord, ContourStartCarriesIt) {
  PathCase p;
  PathSegment start = PathPoint(-1, 0, 0, 5, kContourStart);
  start.CompCode = "G41 L6";
  start.Tool = 2;
  start.VX = 3000;
  EXPECT_EQ(p.Lines({start, PathPoint(1, 10, 0, 5)}),
            (ProgramLines{"G10 X0 Y0 Z5 T2 R-6 VX3000", "G00 X10 Y0 Z5"}));
}

}  // namespace
}  // namespace mq
