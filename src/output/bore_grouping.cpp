#include "output/bore_grouping.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <vector>

#include "input/plain_text.h"
#include "output/bore_rules.h"

namespace mq {

namespace {

int SignOf(int value) { return (value > 0) - (value < 0); }

BoreGroup GroupFrom(const OneBasedList<GroupedBore>& bores, int first, int size) {
  const int axis = SignOf(bores[first].GroupId);
  int start = first;
  int end = first;
  for (int k = first + 1; k < first + size; ++k) {
    const float value = axis == kAxisAlongY ? bores[k].Y : bores[k].X;
    const float lowest = axis == kAxisAlongY ? bores[start].Y : bores[start].X;
    const float highest = axis == kAxisAlongY ? bores[end].Y : bores[end].X;
    if (value < lowest) start = k;
    if (value > highest) end = k;
  }
  const GroupedBore& s = bores[start];
  BoreGroup group;
  group.StartX = s.X;
  group.StartY = s.Y;
  group.Z = s.Z;
  group.Diameter = s.Diameter;
  group.ToolWords = ToolTextOf(s);
  group.ToolWords.erase(group.ToolWords.find_last_not_of(' ') + 1);
  group.Count = s.GroupSize;
  group.Pitch = s.Pitch;
  group.Axis = axis;
  group.EndX = bores[end].X;
  group.EndY = bores[end].Y;
  return group;
}

float DistanceBetween(float x1, float y1, float x2, float y2) {
  return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

// A row along X is drilled from the end nearer to where the previous row ended.
void TurnRowsTowardsPrevious(OneBasedList<BoreGroup>& groups) {
  for (int k = 1; k < groups.size(); ++k) {
    const BoreGroup& previous = groups[k];
    BoreGroup& next = groups[k + 1];
    if (previous.Axis != kAxisAlongX || next.Axis != kAxisAlongX) continue;
    if (DistanceBetween(previous.EndX, previous.EndY, next.StartX, next.StartY) >
        DistanceBetween(previous.EndX, previous.EndY, next.EndX, next.EndY)) {
      std::swap(next.StartX, next.EndX);
      std::swap(next.StartY, next.EndY);
    }
  }
}

// A bore's own tool text, written as a T word like the other tool words of a line.
std::string ExplicitToolWords(const std::string& tools) {
  return tools.front() == 'T' ? " " + tools : " T" + tools;
}

}  // namespace

std::string SpindleToolWords(const BoreGroup& group, const ToolTable& table, const BoreGroupingFrame& frame) {
  constexpr const char* kNoSpindle = " T0";
  if (!table.Loaded) return kNoSpindle;
  const float diameter = group.Diameter * frame.MillimetresPerUnit;
  const int step = SpindleStep(group.Pitch);
  const bool in_front = (group.StartY > group.EndY && frame.OriginLowerLeft) ||
                        (group.StartY < group.EndY && !frame.OriginLowerLeft && group.Axis != kSingleBore);
  std::deque<int> taken;
  bool other_axis_alone = false;
  auto take = [&](int n) { in_front ? taken.push_front(n) : taken.push_back(n); };
  int last_taken = 0;
  for (int n = 1; n <= kToolTableEntries; ++n) {
    if (!SpindleFits(table[n], diameter)) continue;
    if (table[n].SpindleAxis != group.Axis) {
      // A spindle of the other axis drills one hole at a time: the last resort.
      if (taken.empty()) {
        take(n);
        last_taken = n;
        other_axis_alone = true;
        if (group.Axis == kSingleBore) break;
      }
      continue;
    }
    if (other_axis_alone || (!taken.empty() && n > last_taken + step)) {
      // The set must be one spindle step apart throughout: a gap starts it again.
      taken.clear();
      other_axis_alone = false;
    }
    if (taken.empty() || n == last_taken + step) {
      take(n);
      last_taken = n;
    }
    if (static_cast<int>(taken.size()) >= group.Count) break;
  }
  if (taken.empty()) return kNoSpindle;
  std::string words;
  for (const int n : taken) words += " T" + std::to_string(n);
  return words;
}

OneBasedList<GroupedBore> GroupedBoresOf(const OneBasedList<BoreRecord>& bores) {
  OneBasedList<GroupedBore> grouped;
  grouped.reserve(bores.size());
  for (const BoreRecord& b : bores) grouped.push_back(GroupedBore{b.X, b.Y, b.Z, b.Diameter, b.ToolText});
  return grouped;
}

OneBasedList<BoreGroup> GroupBores(const OneBasedList<BoreRecord>& drawn, const ToolTable& table,
                                   const BoreGroupingFrame& frame) {
  OneBasedList<GroupedBore> bores = GroupedBoresOf(drawn);
  FindBoreRows(bores, table, frame.MillimetresPerUnit);
  GatherBoreRows(bores);
  OneBasedList<BoreGroup> groups;
  for (int i = 1; i <= bores.size();) {
    const int size = std::clamp(bores[i].GroupSize, 1, bores.size() - i + 1);
    groups.push_back(GroupFrom(bores, i, size));
    i += size;
  }
  TurnRowsTowardsPrevious(groups);
  for (BoreGroup& group : groups) {
    group.ToolWords =
        group.ToolWords.empty() ? SpindleToolWords(group, table, frame) : ExplicitToolWords(group.ToolWords);
  }
  return groups;
}

}  // namespace mq
