// Bores grouped into rows of the drilling head, the rows' order and their tool words.

#include "output/bore_grouping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "output/program_writer.h"
#include "tool_table_fixture.h"
#include "writer_fixture.h"

namespace mq {
namespace {

using test::Bore;

const ToolTable& Head() {
  static const ToolTable table = ParseToolTable(test::ParDatText(test::StandardHead()));
  return table;
}

OneBasedList<BoreGroup> Groups(OneBasedList<BoreRecord> bores, const ToolTable& table = Head(),
                               bool origin_lower_left = false, float mm = 1) {
  return GroupBores(bores, table, BoreGroupingFrame{mm, origin_lower_left});
}

TEST(BoreGrouping, TwoBoresOnePitchApartWithTwoSpindlesAreOneStrokeAlongX) {
  const auto groups = Groups({Bore(37, 50), Bore(69, 50)});
  ASSERT_EQ(groups.size(), 1);
  const BoreGroup& g = groups[1];
  EXPECT_EQ(g.Axis, kAxisAlongX);
  EXPECT_EQ(g.Count, 2);
  EXPECT_EQ(g.Pitch, 32);
  EXPECT_FLOAT_EQ(g.StartX, 37);
  EXPECT_FLOAT_EQ(g.EndX, 69);
  EXPECT_EQ(g.ToolWords, " T1 T2");

  WriterFrame frame;
  ProgramLines lines;
  AppendBoreGroupLines(groups, frame, lines);
  EXPECT_EQ(lines, (ProgramLines{"G20 X37 Y50 Z12 T1 T2", "G00 X69"}));
}

TEST(BoreGrouping, WithoutParDatEveryBoreIsDrilledAloneWithT0) {
  const auto groups = Groups({Bore(37, 50), Bore(69, 50)}, ToolTable{});
  ASSERT_EQ(groups.size(), 2);
  for (const BoreGroup& g : groups) {
    EXPECT_EQ(g.Axis, kSingleBore);
    EXPECT_EQ(g.Count, 1);
    EXPECT_EQ(g.ToolWords, " T0");
  }
}

TEST(BoreGrouping, PairNeedsSpindlesOfItsDiameterOnItsAxis) {
  // 6 mm: no spindle fits, the bores stay single and find no tool.
  auto groups = Groups({Bore(0, 0, 6), Bore(32, 0, 6)});
  ASSERT_EQ(groups.size(), 2);
  EXPECT_EQ(groups[1].ToolWords, " T0");
  // 8 mm along X: the 8 mm spindles are on the Y column, so no row; each bore takes
  // the first 8 mm spindle alone.
  groups = Groups({Bore(0, 0, 8), Bore(32, 0, 8)});
  ASSERT_EQ(groups.size(), 2);
  EXPECT_EQ(groups[1].Axis, kSingleBore);
  EXPECT_EQ(groups[1].ToolWords, " T11");
  // 8 mm along Y: a row of the Y column.
  groups = Groups({Bore(100, 10, 8), Bore(100, 42, 8), Bore(100, 74, 8)});
  ASSERT_EQ(groups.size(), 1);
  EXPECT_EQ(groups[1].Axis, kAxisAlongY);
  EXPECT_EQ(groups[1].Count, 3);
  EXPECT_EQ(groups[1].ToolWords, " T13 T12 T11");  // listed from the far end: origin not lower left
}

TEST(BoreGrouping, ToolWordOrderFollowsTheMachineOrigin) {
  const OneBasedList<BoreRecord> column{Bore(100, 10, 8), Bore(100, 42, 8)};
  EXPECT_EQ(Groups(column, Head(), false)[1].ToolWords, " T12 T11");
  EXPECT_EQ(Groups(column, Head(), true)[1].ToolWords, " T11 T12");
}

TEST(BoreGrouping, WiderPitchTakesEverySecondSpindle) {
  const auto groups = Groups({Bore(0, 20), Bore(64, 20), Bore(128, 20)});
  ASSERT_EQ(groups.size(), 1);
  EXPECT_EQ(groups[1].Pitch, 64);
  EXPECT_EQ(groups[1].ToolWords, " T1 T3 T5");
}

TEST(BoreGrouping, RowGrowsOnlyFromItsLastMember) {
  // Listed from the middle: 64 pairs with 96 and grows to 128; 32 and 0 form a second row.
  const auto groups = Groups({Bore(64, 0), Bore(96, 0), Bore(32, 0), Bore(128, 0), Bore(0, 0)});
  ASSERT_EQ(groups.size(), 2);
  EXPECT_EQ(groups[1].Count, 3);
  EXPECT_FLOAT_EQ(groups[1].StartX, 64);
  EXPECT_FLOAT_EQ(groups[1].EndX, 128);
  EXPECT_EQ(groups[2].Count, 2);
}

TEST(BoreGrouping, NextRowAlongXStartsAtTheEndNearerThePreviousRow) {
  // Two rows, the second drawn far from where the first ends: it is drilled backwards.
  const auto groups = Groups({Bore(0, 0), Bore(32, 0), Bore(0, 300), Bore(32, 300)});
  ASSERT_EQ(groups.size(), 2);
  EXPECT_FLOAT_EQ(groups[2].StartX, 32);
  EXPECT_FLOAT_EQ(groups[2].EndX, 0);
}

TEST(BoreGrouping, SpindleSetRestartsAfterAGap) {
  std::map<int, test::Spindle> head = test::StandardHead();
  head[3] = test::Spindle{10, 96};  // spindle 3 cannot drill 5 mm
  const ToolTable table = ParseToolTable(test::ParDatText(head));
  const auto groups = Groups({Bore(0, 0), Bore(32, 0), Bore(64, 0)}, table);
  ASSERT_EQ(groups.size(), 1);
  EXPECT_EQ(groups[1].ToolWords, " T4 T5 T6");
}

TEST(BoreGrouping, RowLongerThanTheHeadTakesAllItsSpindles) {
  OneBasedList<BoreRecord> row;
  for (int k = 0; k < 12; ++k) row.push_back(Bore(32.0f * static_cast<float>(k), 0));
  const auto groups = Groups(row);
  ASSERT_EQ(groups.size(), 1);
  EXPECT_EQ(groups[1].Count, 12);
  EXPECT_EQ(groups[1].ToolWords, " T1 T2 T3 T4 T5 T6 T7 T8 T9 T10");
}

TEST(BoreGrouping, InchBoresAreComparedInMillimetres) {
  const float pitch_in_inches = 32.0f / 25.4f;
  const auto groups =
      Groups({Bore(1, 2, 5.0f / 25.4f), Bore(1 + pitch_in_inches, 2, 5.0f / 25.4f)}, Head(), false, 25.4f);
  ASSERT_EQ(groups.size(), 1);
  EXPECT_EQ(groups[1].ToolWords, " T1 T2");
}

TEST(BoreGrouping, BoreNamingItsToolIsWrittenWithThatTool) {
  BoreRecord named = Bore(10, 10);
  named.ToolText = "0 5";
  const auto groups = Groups({named, Bore(42, 10)});
  ASSERT_EQ(groups.size(), 2);
  EXPECT_EQ(groups[1].ToolWords, " T05");
  EXPECT_EQ(groups[1].Count, 1);
  EXPECT_EQ(groups[2].ToolWords, " T1");
}

TEST(BoreGrouping, DistantBoresAreSingle) {
  const auto groups = Groups({Bore(0, 0), Bore(50, 0), Bore(50, 50)});
  ASSERT_EQ(groups.size(), 3);
  for (const BoreGroup& g : groups) EXPECT_EQ(g.Count, 1);
  EXPECT_EQ(groups[1].ToolWords, " T1");  // a single bore takes the first spindle of its diameter
}

// Seeded random bores on the 32 grid, listed in random order: every bore is drilled
// exactly once and every row's members stand together after reordering.
TEST(BoreGrouping, ReorderingKeepsEveryRowTogetherAndLosesNoBore) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 200; ++round) {
    OneBasedList<BoreRecord> bores;
    std::set<std::pair<int, int>> used;
    const int n = 2 + static_cast<int>(random() % 25);
    while (bores.size() < n) {
      const int gx = static_cast<int>(random() % 8), gy = static_cast<int>(random() % 8);
      if (!used.insert({gx, gy}).second) continue;
      bores.push_back(Bore(32.0f * static_cast<float>(gx), 32.0f * static_cast<float>(gy),
                           random() % 3 == 0 ? 8.0f : 5.0f));
    }
    std::shuffle(bores.begin(), bores.end(), random);
    OneBasedList<BoreRecord> reordered = bores;
    FindBoreRows(reordered, Head(), 1);
    GatherBoreRows(reordered);
    ASSERT_EQ(reordered.size(), bores.size());
    std::set<std::pair<float, float>> before, after;
    for (const BoreRecord& b : bores) before.insert({b.X, b.Y});
    for (const BoreRecord& b : reordered) after.insert({b.X, b.Y});
    EXPECT_EQ(before, after);
    std::set<int> finished;
    for (int i = 1; i <= reordered.size(); ++i) {
      const int id = reordered[i].GroupSize > 1 ? reordered[i].GroupId : 0;
      if (id == 0) continue;
      ASSERT_FALSE(finished.count(id)) << "row " << id << " split in round " << round;
      if (i == reordered.size() || reordered[i + 1].GroupId != id) finished.insert(id);
    }
    int drilled = 0;
    for (const BoreGroup& g : GroupBores(bores, Head(), BoreGroupingFrame{1, false})) drilled += g.Count;
    EXPECT_EQ(drilled, n);
  }
}

}  // namespace
}  // namespace mq
