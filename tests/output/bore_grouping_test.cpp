// Bores grouped into rows of the drilling head: the rows, their order and their tool
// words, with heads read from Par.DAT texts.

#include "output/bore_grouping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "output/number_format.h"

namespace mq {
namespace {

BoreRecord Bore(float x, float y, float diameter = 5, std::string_view tool_text = "") {
  return {.X = x, .Y = y, .Z = 12, .Diameter = diameter, .ToolText = tool_text};
}

// Par.DAT as the control's tool editor writes it, values separated by `separator`: an
// unused number, then 99 codes, diameters, X positions, Y positions and further values.
// Spindles 1..10 stand along X (5 mm, 32 apart), 11..16 along Y (8 mm, one X); tool 40
// is a 12 mm router; `changes` gives other diameters and X positions.
ToolTable Head(std::map<int, std::pair<float, float>> changes = {}, const char* separator = ",") {
  for (int n = 1; n <= 16; ++n) changes.try_emplace(n, n <= 10 ? 5.0f : 8.0f, n <= 10 ? 32.0f * n : 500);
  changes.try_emplace(40, 12.0f, 0.0f);
  std::ostringstream text;
  text << 0;
  for (int column = 0; column < 5; ++column) {
    for (int n = 1; n <= 99; ++n) {
      const auto [diameter, x] = changes.count(n) ? changes[n] : std::pair{0.0f, 0.0f};
      const float values[] = {static_cast<float>(n % 7), diameter, x, 0, 0};
      text << separator << values[column];
    }
  }
  return ParseToolTable(text.str() + separator);
}

// Each group as "x2 T1 T2 37,50>69,50": axis (x, y, or - for a single bore), count,
// tool words, start and end.
std::string Summary(const OneBasedList<BoreGroup>& groups) {
  std::string text;
  for (const BoreGroup& g : groups) {
    text += std::string(text.empty() ? "" : " | ") + "y-x"[g.Axis + 1] + std::to_string(g.Count) +
            g.ToolWords + " " + DecimalText(g.StartX) + "," + DecimalText(g.StartY) + ">" +
            DecimalText(g.EndX) + "," + DecimalText(g.EndY);
  }
  return text;
}

TEST(GroupBores, RowsSpindlesAndOrder) {
  std::map<int, std::pair<float, float>> only_two;  // two spindles of 5 mm, one pitch apart
  for (int n = 3; n <= 16; ++n) only_two[n] = {0.0f, 0.0f};
  // Par.DAT separates its values by commas or by line ends of any kind.
  const ToolTable head = Head({}, "\n"), gap_at_3 = Head({{3, {10.0f, 96.0f}}}, "\r"), none;
  const ToolTable two = Head(only_two, "\r\n");
  OneBasedList<BoreRecord> twelve;
  for (int k = 0; k < 12; ++k) twelve.push_back(Bore(32.0f * static_cast<float>(k), 0));
  const float inch = 25.4f;
  struct Case {
    const char* name;
    OneBasedList<BoreRecord> bores;
    const char* groups;
    BoreGroupingFrame frame = {};
    const ToolTable* table = nullptr;
  };
  // clang-format off
  const Case cases[] = {
      {"no Par.DAT", {Bore(0, 0), Bore(32, 0)}, "-1 T0 0,0>0,0 | -1 T0 32,0>32,0", {}, &none},
      {"no spindle of 6 mm", {Bore(0, 0, 6), Bore(32, 0, 6)}, "-1 T0 0,0>0,0 | -1 T0 32,0>32,0"},
      {"8 mm spindles stand along Y: no row along X", {Bore(0, 0, 8), Bore(32, 0, 8)},
       "-1 T11 0,0>0,0 | -1 T11 32,0>32,0"},
      {"a column along Y, T words from the far end", {Bore(100, 10, 8), Bore(100, 42, 8), Bore(100, 74, 8)},
       "y3 T13 T12 T11 100,10>100,74"},
      {"origin lower left: T words from the near end", {Bore(100, 10, 8), Bore(100, 42, 8)},
       "y2 T11 T12 100,10>100,42", {1, true}},
      {"two spindles", {Bore(37, 50), Bore(69, 50)}, "x2 T1 T2 37,50>69,50", {}, &two},
      {"pitch 64", {Bore(0, 20), Bore(64, 20), Bore(128, 20)}, "x3 T1 T3 T5 0,20>128,20"},
      {"a row grows from its last member", {Bore(64, 0), Bore(96, 0), Bore(32, 0), Bore(128, 0), Bore(0, 0)},
       "x3 T1 T2 T3 64,0>128,0 | x2 T1 T2 32,0>0,0"},
      {"next row starts at the nearer end", {Bore(0, 0), Bore(32, 0), Bore(0, 300), Bore(32, 300)},
       "x2 T1 T2 0,0>32,0 | x2 T1 T2 32,300>0,300"},
      {"restart after a gap", {Bore(0, 0), Bore(32, 0), Bore(64, 0)}, "x3 T4 T5 T6 0,0>64,0", {}, &gap_at_3},
      {"a row longer than the head", twelve, "x12 T1 T2 T3 T4 T5 T6 T7 T8 T9 T10 0,0>352,0"},
      {"inch bores compared in millimetres", {Bore(1, 2, 5 / inch), Bore(1 + 32 / inch, 2, 5 / inch)},
       "x2 T1 T2 1,2>2.259842,2", {inch, false}},
      {"a named tool", {Bore(10, 10, 5, "0 5"), Bore(42, 10)}, "-1 T05 10,10>10,10 | -1 T1 42,10>42,10"}};
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(Summary(GroupBores(c.bores, c.table ? *c.table : head, c.frame)), c.groups) << c.name;
  }
}

// Seeded random bores on the 32 grid in random order: every bore is drilled exactly
// once and every row's members stand together after reordering.
TEST(GroupBores, ReorderingKeepsEveryRowTogetherAndLosesNoBore) {
  const ToolTable head = Head();
  std::mt19937 random(20240611);
  for (int round = 0; round < 200; ++round) {
    OneBasedList<BoreRecord> bores;
    std::set<std::pair<float, float>> places, after;
    const int n = 2 + static_cast<int>(random() % 25);
    while (bores.size() < n) {
      const float x = 32.0f * static_cast<float>(random() % 8), y = 32.0f * static_cast<float>(random() % 8);
      if (places.insert({x, y}).second) bores.push_back(Bore(x, y, random() % 3 == 0 ? 8.0f : 5.0f));
    }
    std::shuffle(bores.begin(), bores.end(), random);
    OneBasedList<GroupedBore> rows = GroupedBoresOf(bores);
    FindBoreRows(rows, head, 1);
    GatherBoreRows(rows);
    std::set<int> finished;  // rows whose last member has passed
    for (int i = 1; i <= rows.size(); ++i) {
      after.insert({rows[i].X, rows[i].Y});
      const int id = rows[i].GroupSize > 1 ? rows[i].GroupId : 0;
      ASSERT_FALSE(id != 0 && finished.count(id)) << "row " << id << " split in round " << round;
      if (i == rows.size() || rows[i + 1].GroupId != id) finished.insert(id);
    }
    EXPECT_EQ(after, places);
    int drilled = 0;
    for (const BoreGroup& g : GroupBores(bores, head, {})) drilled += g.Count;
    EXPECT_EQ(drilled, n);
  }
}

}  // namespace
}  // namespace mq
