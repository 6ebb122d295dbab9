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

struct BoreGroupingFrame {
  float MillimetresPerUnit = 1;  // bore coordinates are compared in millimetres
  bool OriginLowerLeft = false;  // the machine's origin setting: orders the T words of a row
};

// Groups and reorders `bores` (their GroupId, GroupSize and Pitch are filled, tool
// texts are compacted) and returns the groups in drilling order, with their tool words.
// The caller empties the bore list afterwards.
OneBasedList<BoreGroup> GroupBores(OneBasedList<BoreRecord>& bores, const ToolTable& table,
                                   const BoreGroupingFrame& frame);

// The steps of GroupBores, for the tests.
void FindBoreRows(OneBasedList<BoreRecord>& bores, const ToolTable& table, float millimetres_per_unit);
void GatherBoreRows(OneBasedList<BoreRecord>& bores);
std::string SpindleToolWords(const BoreGroup& group, const ToolTable& table, const BoreGroupingFrame& frame);

}  // namespace mq
