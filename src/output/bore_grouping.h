#pragma once
// Vertical bores grouped into rows that the multi-spindle drilling head drills in one
// stroke: bores on one line, 32, 64, 96 or 128 mm apart, of one diameter, with two
// spindles of that diameter the same pitch apart on the head.

#include <string>

#include "engine/driver/machining_records.h"
#include "input/one_based_list.h"
#include "output/tool_table.h"

namespace mq {

// Axis of a bore group: a row along X, a row along Y, or a single bore.
constexpr int kSingleBore = 0;

struct BoreGroup {
  float StartX = 0, StartY = 0;
  float Z = 0;
  float Diameter = 0;
  std::string ToolWords;  // " T5 T6" or the bore's own tool word
  int Count = 1;
  int Pitch = 0;  // millimetres
  int Axis = kSingleBore;
  float EndX = 0, EndY = 0;
};

// A bore as the writer groups it: the engine's bore and the row it joins.
struct GroupedBore {
  float X = 0, Y = 0;
  float Z = 0;
  float Diameter = 0;
  FixedText<30> ToolText;
  int GroupId = 0;    // 0 alone; else the first member's index times the row's axis
  int GroupSize = 0;  // members of the row, 1 for a bore drilled alone
  int Pitch = 0;      // millimetres between neighbouring members

  friend bool operator==(const GroupedBore&, const GroupedBore&) = default;
};

struct BoreGroupingFrame {
  float MillimetresPerUnit = 1;  // bore coordinates are compared in millimetres
  bool OriginLowerLeft = false;  // the machine's origin setting: orders the T words of a row
};

// The bores grouped into rows and reordered (tool texts compacted), as groups in
// drilling order with their tool words.
OneBasedList<BoreGroup> GroupBores(const OneBasedList<BoreRecord>& bores, const ToolTable& table,
                                   const BoreGroupingFrame& frame);

// The steps of GroupBores.
OneBasedList<GroupedBore> GroupedBoresOf(const OneBasedList<BoreRecord>& bores);
void FindBoreRows(OneBasedList<GroupedBore>& bores, const ToolTable& table, float millimetres_per_unit);
void GatherBoreRows(OneBasedList<GroupedBore>& bores);
std::string SpindleToolWords(const BoreGroup& group, const ToolTable& table, const BoreGroupingFrame& frame);

}  // namespace mq
