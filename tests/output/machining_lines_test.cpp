// The machining lines of each section: bore groups, saw grooves, edge bores and routed
// contours with straight pieces, bulge arcs, three-point arcs and centre arcs.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "output/program_writer.h"
#include "output/tool_substitution.h"

namespace mq {
namespace {

// Bore groups: a row along X is one G20 stroke and a move to its end; a column along Y
// longer than its spindle set takes further strokes, each as many holes on as it has
// spindles, downwards when it starts above its end, measured in the drawing's units;
// tool words without any T word must not loop; far depths give Z0. Grooves run along X
// (G16) unless steeper than 45 degrees (G17); no tool and no feeds give no words. Each
// edge has its code; an edge bore's tool text is written whole, "0" names no tool.
TEST(SectionLines, BoreGroupsGroovesAndEdgeBores) {
  ProgramLines lines;
  // clang-format off
  // BoreGroup: StartX, StartY, Z, Diameter, ToolWords, Count, Pitch, Axis, EndX, EndY.
  AppendBoreGroupLines({{10, 20, 95, 5, " T0", 1, 0, 0, 10, 20}, {37, 50, 12, 5, " T1 T2", 2, 32, 1, 69, 50},
                        {50, 100, 12, 8, " T3 T4", 5, 32, -1, 50, 228}, {50, 228, 12, 8, " T3 T5", 3, 64, -1, 50, 100},
                        {1, 2, 12, 8, "", 3, 32, -1, 1, 66}}, WriterFrame{}, lines);
  // LineBoreRecord: X1, Y1, X2, Y2, Z, Width, Kerf, VZ, VX, Tool.
  AppendGrooveLines({{10, 20, 300, 20, 8, 0, 0, 1500, 4000, 61}, {10, 20, 10, 380, 8, 0, 0, 0, 0, 61},
                     {0, 100, 100, 0, 99}, {400, 0, 300, 101, 5}}, WriterFrame{}, lines);
  // EdgeBoreRecord: Side, VX, X, Y, Z, Diameter, G, Speed, ToolText.
  OneBasedList<EdgeBoreRecord> edge_bores{{1, 2500, 32, 20, 9.5f, 0, 1, 0, std::string_view("12")}};
  for (int16_t side = 2; side <= 5; ++side) edge_bores.push_back({side, 0, 32, 20, 9.5f, 0, 1, 0, std::string_view("0")});
  AppendEdgeBoreLines(edge_bores, WriterFrame{}, lines);
  EXPECT_EQ(lines, (ProgramLines{"G00 X10 Y20 Z0 T0", "G20 X37 Y50 Z12 T1 T2", "G00 X69", "G00 X50 Y100 Z12 T3 T4",
                                 "G00 X50 Y164 Z12 T3 T4", "G00 X50 Y228 Z12 T3", "G00 X50 Y228 Z12 T3 T5",
                                 "G00 X50 Y100 Z12 T3", "G00 X1 Y2 Z12", "G16 X10 Y20 Z8 T61 VZ1500 VX4000", "G00 X300",
                                 "G17 X10 Y20 Z8 T61", "G00 Y380", "G16 X0 Y100 Z0", "G00 X100", "G17 X400 Y0 Z5",
                                 "G00 Y101", "G09 X32 Y20 Z9.5 T12" + std::string(28, ' ') + " VX2500",
                                 "G08 X32 Y20 Z9.5", "G06 X32 Y20 Z9.5", "G07 X32 Y20 Z9.5"}));
  lines.clear();
  AppendBoreGroupLines({{2, 4, 12, 8, " T3", 2, 64, -1, 2, 6.52f}}, WriterFrame{.MillimetresPerUnit = 25.4f}, lines);
  // clang-format on
  EXPECT_EQ(lines, (ProgramLines{"G00 X2 Y4 Z12 T3", "G00 X2 Y6.52 Z12 T3"})) << "a stroke in inches";
}

// The upper of two rows for a tool applies; a row whose enable cell is empty or blank is
// ignored; an empty substitute gives 0; the tool cell is read as a number; the
// substitute is written as a whole number without blanks.
TEST(SubstituteTool, FirstEnabledMatchingRowWins) {
  // clang-format off
  const std::tuple<std::vector<ToolSubstitutionRow>, int16_t, const char*> cases[] = {
      {{{"1", "5", "12"}, {"1", "5", "13"}}, 5, "12"}, {{{"", "5", "12"}, {"1", "5", "13"}}, 5, "13"},
      {{{"  ", "5", "12"}}, 5, "5"}, {{{"1", "5", ""}}, 5, "0"}, {{{"1", "5", "12"}}, 7, "7"},
      {{{"1", "7", "12"}, {"1", "5", "9"}}, 7, "12"}, {{{"1", " 05.0 ", "12"}}, 5, "12"},
      {{{"1", "5.5", "12"}}, 5, "5"}, {{{"1", "5", "  21 "}}, 5, "21"}, {{{"1", "5", "7.6"}}, 5, "8"}};
  // clang-format on
  for (const auto& [rows, tool, expected] : cases) {
    Settings settings;
    std::copy(rows.begin(), rows.end(), settings.ToolSubstitution.end() - rows.size());  // the last rows
    EXPECT_EQ(SubstituteTool(settings, tool), expected) << tool << " " << rows[0].Tool;
  }
}

// `arc` is the bulge of types 1 and 5, the centre Y (start) or end angle (end) of type 3.
PathSegment P(int16_t type, float x, float y, float z = 4, int16_t chain = 0, float arc = 0, float cx = 0) {
  PathSegment r;
  r.X = x, r.Y = y, r.Z = z, r.CentreX = cx, r.CentreY = arc, r.SegmentType = type, r.ChainFlag = chain;
  return r;
}
constexpr int16_t kStart = kContourStart;

// The lines of a path; the settings write tool 7 as 17.
ProgramLines Lines(OneBasedList<PathSegment> path, const WriterFrame& frame) {
  Settings settings;
  settings.ToolSubstitution[0] = {"1", "7", "17"};
  ProgramLines lines;
  AppendPathLines(path, frame, PathToolSource{ToolTable{}, settings}, lines);
  return lines;
}

TEST(PathLines, PiecesOfEveryKind) {
  const WriterFrame inch{.MillimetresPerUnit = 25.4f, .Precision = 3};
  const WriterFrame upper_right{.XSign = -1, .YSign = -1};  // a panel measured from its upper right corner
  // Bulges of chord 100 mm at radius 12000 mm, and of chord 10 inches at radius 400
  // inches (10160 mm): both beyond the largest arc.
  const auto bulge = [](double half_chord, double radius) {
    return static_cast<float>(std::tan(std::asin(half_chord / radius) / 2));
  };
  const float flat = bulge(50, 12000), flat_inch = bulge(5, 400);
  PathSegment tooled = P(-1, 0, 0, 95, kStart);  // far depths give Z0
  tooled.Tool = 7, tooled.CompCode = "G41 L6", tooled.VX = 3000, tooled.VZ = 2000, tooled.VM = 18000;
  struct Case {
    const char* name;
    OneBasedList<PathSegment> path;
    ProgramLines lines;
    WriterFrame frame = {};
  };
  // clang-format off
  const Case cases[] = {
      {"start words; the tool kept and substituted", {tooled, P(1, 5, 0, 95), P(-1, 10, 10, 5, kStart), P(1, 20, 10, 5)},
       {"G10 X0 Y0 Z0 T17 R-6 VX3000 VZ2000 VM18000", "G00 X5 Y0 Z0", "G10 X10 Y10 Z5 T17", "G00 X20 Y10 Z5"}},
      {"empty entries at the end dropped", {P(-1, 0, 0, 3, kStart), P(1, 5, 0, 3), P(0, 0, 0)},
       {"G10 X0 Y0 Z3", "G00 X5 Y0 Z3"}},
      {"no chain start: no first line", {P(-1, 0, 0, 3), P(1, 5, 0, 3)}, {"G00 X5 Y0 Z3"}},
      {"counter-clockwise half circle", {P(-5, 0, 0, 4, kStart, 1), P(5, 100, 0), P(5, 100, 20)},
       {"G10 X0 Y0 Z4", "G13/ X100 Y0 I50", "G00 X100 Y20 Z4"}},
      {"clockwise half circle", {P(-5, 0, 0, 4, kStart, -1), P(5, 100, 0), P(5, 100, 20)},
       {"G10 X0 Y0 Z4", "G12/ X100 Y0 I50", "G00 X100 Y20 Z4"}},
      {"closing bulge arc", {P(-5, 0, 0, 4, kStart, 1), P(5, 100, 0)}, {"G10 X0 Y0 Z4", "G03/ X100 Y0 I50"}},
      {"radius 12000", {P(-5, 0, 0, 4, kStart, flat), P(5, 100, 0), P(5, 100, 50)},
       {"G10 X0 Y0 Z4", "G10 X100 Y0", "G00 X100 Y50 Z4"}},
      {"closing radius 12000", {P(-5, 0, 0, 4, kStart, flat), P(5, 100, 0)}, {"G10 X0 Y0 Z4", "G00 X100 Y0"}},
      {"inch radius limit in millimetres", {P(-5, 0, 0, 1, kStart, flat_inch), P(5, 10, 0, 1)},
       {"G10 X0 Y0 Z1", "G00 X10 Y0"}, inch},
      {"centre arc ending at 90 degrees", {P(-3, 150, 100, 6, kStart, 100, 100), P(3, 100, 150, 6, 0, 90)},
       {"G10 X150 Y100 Z6", "G02 X100 Y150 I100 J100"}},
      {"centre arc the other way",
       {P(-3, 150, 100, 6, kStart, 100, 100), P(3, 100, 150, 6, 1, 90), P(1, 0, 150, 6)},
       {"G10 X150 Y100 Z6", "G13 X100 Y150 I100 J100", "G00 X0 Y150 Z6"}},
      {"centre arc from the upper right", {P(-3, 500, 250, 6, kStart, 300, 500), P(3, 450, 300, 6, 0, 0)},
       {"G10 X500 Y250 Z6", "G02 X450 Y300 I500 J300"}, upper_right},
      {"three-point arc, points in line",
       {P(-2, 0, 0, 4, kStart), P(2, 50, 50), P(2, 100, 0), P(2, 150, 0), P(2, 200, 0), P(2, 250, 0)},
       {"G10 X0 Y0 Z4", "G12/5 X100 Y0 I50 J50", "G10 X200 Y0 Z4", "G10 X250 Y0 Z4"}},
      {"three-point arc the other way", {P(-2, 0, 0, 4, kStart), P(2, 50, -50), P(2, 100, 0)},
       {"G10 X0 Y0 Z4", "G13/5 X100 Y0 I50 J-50"}},
      {"pending three-point", {P(-2, 0, 0, 4, kStart), P(2, 50, 50), P(-2, 300, 0, 7, kStart)},
       {"G10 X0 Y0 Z4", "G10 X50 Y50 Z7", "G10 X300 Y0 Z7"}},
      {"deletion mark", {P(-4, 0, 0), P(5, 10, 0), P(-1, 20, 0), P(1, 30, 0)},
       {"G10 X20 Y0 Z4", "G00 X30 Y0 Z4"}}};
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(Lines(c.path, c.frame), c.lines) << c.name;
}

TEST(CompensationWord, SideValueAndToolRadius) {
  ToolTable table;
  table.Loaded = true;
  table.Entries[3].ToolDiameter = 12.5f;
  // Control characters read as blanks; a value that rounds to nothing is left out.
  // clang-format off
  const std::tuple<const char*, int16_t, const char*> cases[] = {
      {"", 3, ""}, {"G4", 3, ""}, {"G42 R5", 3, " R+5"}, {"G41 L5", 3, " R-5"}, {"G41 ", 3, " R-6.25"},
      {"G42 ", 3, " R+6.25"}, {"G42 ", 0, " R"}, {"G41 ", 0, " R-"}, {"G42 R.5", 0, " R+0.5"},
      {"G41 L0.004", 0, " R-"}, {"\tG42 R2", 0, " R+2"}};
  // clang-format on
  for (const auto& [code, tool, word] : cases)
    EXPECT_EQ(CompensationWord(FixedText<10>(code), tool, table, 2), word) << code;
}

}  // namespace
}  // namespace mq
