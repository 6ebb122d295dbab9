// Bores grouped into rows of the drilling head: the rows, their order and their tool
// words, with heads read from Par.DAT texts.

#include "output/bore_grouping.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "output/number_format.h"

namespace mq {
namespace {

BoreRecord Bore(float x, float y, float diameter = 5, std::string_view tool_text = "") {
  return {.X = x, .Y = y, .Z = 12, .Diameter = diameter, .ToolText = tool_text};
}

// Par.DAT as the control's tool editor writes it, values separated by `separator`: an
// unused number, then 99 codes, diameters, X positions, Y positions and further values.
// Spindles 1..10 stand along X (5 mm, 32 apart), 11..16 along Y (8 mm, one X);
// `changes` gives other diameters and X positions.
ToolTable Head(std::map<int, std::pair<float, float>> changes = {}, const char* separator = ",") {
  for (int n = 1; n <= 16; ++n) changes.try_emplace(n, n <= 10 ? 5.0f : 8.0f, n <= 10 ? 32.0f * n : 500);
  std::ostringstream text;
  text << 0;
  for (int column = 0; column < 5; ++column) {
    for (int n = 1; n <= 99; ++n)
      text << separator << (column == 1 ? changes[n].first : column == 2 ? changes[n].second : 0);
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
  // Par.DAT separates its values by commas or by line ends of any kind.
  const ToolTable head = Head({}, "\r\n"), gap_at_3 = Head({{3, {10.0f, 96.0f}}}, "\r"), none;
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
      {"pitch 64", {Bore(0, 20), Bore(64, 20), Bore(128, 20)}, "x3 T1 T3 T5 0,20>128,20"},
      {"a row grows from its last member", {Bore(64, 0), Bore(96, 0), Bore(32, 0), Bore(128, 0), Bore(0, 0)},
       "x3 T1 T2 T3 64,0>128,0 | x2 T1 T2 32,0>0,0"},
      {"next row starts at the nearer end", {Bore(0, 0), Bore(32, 0), Bore(0, 300), Bore(32, 300)},
       "x2 T1 T2 0,0>32,0 | x2 T1 T2 32,300>0,300"},
      {"restart after a gap", {Bore(0, 0), Bore(32, 0), Bore(64, 0)}, "x3 T4 T5 T6 0,0>64,0", {}, &gap_at_3},
      {"a row longer than the head", twelve, "x12 T1 T2 T3 T4 T5 T6 T7 T8 T9 T10 0,0>352,0"},
      {"inch bores compared in millimetres", {Bore(1, 2, 5 / inch), Bore(1 + 32 / inch, 2, 5 / inch)},
       "x2 T1 T2 1,2>2.259842,2", {inch, false}},
      {"rows of both axes drawn in turn, a single bore among them", {Bore(64, 0), Bore(200, 32, 8), Bore(0, 0),
       Bore(500, 500), Bore(200, 0, 8), Bore(32, 0), Bore(200, 64, 8), Bore(96, 0)},
       "y2 T12 T11 200,0>200,32 | x3 T1 T2 T3 0,0>64,0 | -1 T1 500,500>500,500 | -1 T11 200,64>200,64 | -1 T1 96,0>96,0"},
      {"a named tool", {Bore(10, 10, 5, "0 5"), Bore(42, 10)}, "-1 T05 10,10>10,10 | -1 T1 42,10>42,10"}};
  // clang-format on
  for (const Case& c : cases) {
    const OneBasedList<BoreGroup> groups = GroupBores(c.bores, c.table ? *c.table : head, c.frame);
    EXPECT_EQ(Summary(groups), c.groups) << c.name;
    int drilled = 0;
    for (const BoreGroup& g : groups) drilled += g.Count;
    EXPECT_EQ(drilled, c.bores.size()) << c.name << ": every bore drilled once";
  }
}

}  // namespace
}  // namespace mq
