#include "output/bore_grouping.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <vector>

#include "input/plain_text.h"

namespace mq {

namespace {

// Row pitches of the drilling head, tried in this order, and the distance between
// neighbouring spindles on it (millimetres).
constexpr std::array<int, 4> kRowPitches{32, 64, 96, 128};
constexpr int kSpindlePitch = 32;

constexpr float kPitchTolerance = 0.3f;            // bore distance against the pitch
constexpr float kInLineTolerance = 0.1f;           // X or Y equal: the bores lie on one row
constexpr float kSameColumnTolerance = 0.05f;      // X equal: the row runs along Y
constexpr float kSpindleDiameterTolerance = 0.2f;  // a spindle drills a bore of this diameter

// The bore's tool text with NULs read as blanks.
std::string ToolTextOf(const GroupedBore& bore) {
  std::string text(bore.ToolText.view());
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

float MillimetreDistance(const GroupedBore& a, const GroupedBore& b, float mm) {
  const float dx = (a.X - b.X) * mm;
  const float dy = (a.Y - b.Y) * mm;
  return std::sqrt(dx * dx + dy * dy);
}

bool OnOneRow(const GroupedBore& a, const GroupedBore& b, float mm) {
  return std::fabs((a.X - b.X) * mm) < kInLineTolerance || std::fabs((a.Y - b.Y) * mm) < kInLineTolerance;
}

int RowAxis(const GroupedBore& a, const GroupedBore& b, float mm) {
  return std::fabs((a.X - b.X) * mm) < kSameColumnTolerance ? kAxisAlongY : kAxisAlongX;
}

bool SameTool(const GroupedBore& a, const GroupedBore& b) {
  return a.Diameter == b.Diameter && ToolTextOf(a) == ToolTextOf(b);
}

bool SpindleFits(const ToolEntry& spindle, float diameter_mm) {
  return std::fabs(spindle.ToolDiameter - diameter_mm) <= kSpindleDiameterTolerance;
}

int SpindleStep(int pitch) { return std::max(1, pitch / kSpindlePitch); }

// Two spindles of the bore's diameter, `pitch` apart, on the row's axis of the head.
bool HeadDrillsPair(const ToolTable& table, float diameter_mm, int pitch, int axis) {
  if (!table.Loaded) return false;
  const int step = SpindleStep(pitch);
  for (int n = 1; n <= kToolTableEntries - step; ++n) {
    const ToolEntry& a = table[n];
    const ToolEntry& b = table[n + step];
    if (SpindleFits(a, diameter_mm) && SpindleFits(b, diameter_mm) && a.SpindleAxis == axis &&
        b.SpindleAxis == axis) {
      return true;
    }
  }
  return false;
}

struct Partner {
  int Index = 0;
  int Pitch = 0;
};

// The first later ungrouped bore at one of the row pitches from bore i.
Partner FindPartner(const OneBasedList<GroupedBore>& bores, int i, float mm) {
  for (const int pitch : kRowPitches) {
    for (int j = i + 1; j <= bores.size(); ++j) {
      const GroupedBore& b = bores[j];
      if (b.GroupId != 0) continue;
      if (std::fabs(MillimetreDistance(bores[i], b, mm) - static_cast<float>(pitch)) < kPitchTolerance &&
          OnOneRow(bores[i], b, mm) && SameTool(bores[i], b)) {
        return Partner{j, pitch};
      }
    }
  }
  return {};
}

// The row grows from its last member, one pitch at a time, while bores join it.
void GrowRow(OneBasedList<GroupedBore>& bores, int first, int last, int pitch, int axis, float mm) {
  const int id = bores[first].GroupId;
  bool grown = true;
  while (grown) {
    grown = false;
    for (int k = 1; k <= bores.size(); ++k) {
      GroupedBore& b = bores[k];
      if (b.GroupId != 0) continue;
      const float distance = MillimetreDistance(bores[last], b, mm);
      if (std::fabs(distance - static_cast<float>(pitch)) < kPitchTolerance && distance > kPitchTolerance &&
          OnOneRow(bores[last], b, mm) && SameTool(bores[first], b) && RowAxis(bores[last], b, mm) == axis) {
        b.GroupId = id;
        b.Pitch = pitch;
        last = k;
        grown = true;
      }
    }
  }
}

void CountGroupSizes(OneBasedList<GroupedBore>& bores) {
  for (GroupedBore& b : bores) {
    const std::string tools = WithoutBlanks(ToolTextOf(b));
    b.ToolText = tools;
    // A tool text of one or two characters names a single tool: that bore is drilled alone.
    if (b.GroupId == 0 || (!tools.empty() && tools.size() <= 2)) {
      b.GroupSize = 1;
      continue;
    }
    b.GroupSize = static_cast<int>(std::count_if(
        bores.begin(), bores.end(), [&](const GroupedBore& o) { return o.GroupId == b.GroupId; }));
  }
}

// The row a bore belongs to for reordering; 0 for a bore drilled alone.
int RowKey(const GroupedBore& b) { return b.GroupSize > 1 ? b.GroupId : 0; }

void MoveBore(OneBasedList<GroupedBore>& bores, int from, int to) {
  GroupedBore moved = bores[from];
  bores.erase(from);
  bores.insert(to, moved);
}

int LastMemberOf(const OneBasedList<GroupedBore>& bores, int key) {
  for (int k = bores.size(); k >= 1; --k) {
    if (RowKey(bores[k]) == key) return k;
  }
  return 0;
}

// First pass: inside a row that is not complete yet, a bore of another row is resolved
// by moving as few bores as the rows' sizes suggest.
void CloseUpRows(OneBasedList<GroupedBore>& bores) {
  int p = 1;
  while (p <= bores.size()) {
    const int key = RowKey(bores[p]);
    if (key == 0) {
      ++p;
      continue;
    }
    const int size = bores[p].GroupSize;
    int start = p;
    int passed = 1;
    int q = p + 1;
    while (passed < size && q <= bores.size() && LastMemberOf(bores, key) >= q) {
      if (RowKey(bores[q]) == key) {
        ++passed;
        ++q;
        continue;
      }
      const int other_size = RowKey(bores[q]) == 0 ? 1 : bores[q].GroupSize;
      if (size <= other_size) {
        // The smaller row is completed here: its later members move up.
        int to = q;
        for (int r = q; r <= bores.size(); ++r) {
          if (RowKey(bores[r]) == key) MoveBore(bores, r, to++);
        }
        q = to;
        break;
      }
      if (2 * passed < size) {
        MoveBore(bores, q, start);  // in front of the row
        ++start;
        ++q;
      } else {
        MoveBore(bores, q, LastMemberOf(bores, key));  // behind the row's last member
      }
    }
    p = std::max(q, p + 1);
  }
}

// Second pass: every row gathered at the place of its first member, members in list
// order; bores drilled alone keep their relative order.
void GatherAtFirstMember(OneBasedList<GroupedBore>& bores) {
  OneBasedList<GroupedBore> gathered;
  gathered.reserve(bores.size());
  std::vector<bool> placed(static_cast<std::size_t>(bores.size()) + 1, false);
  for (int p = 1; p <= bores.size(); ++p) {
    if (placed[static_cast<std::size_t>(p)]) continue;
    const int key = RowKey(bores[p]);
    if (key == 0) {
      gathered.push_back(bores[p]);
      continue;
    }
    for (int r = p; r <= bores.size(); ++r) {
      if (!placed[static_cast<std::size_t>(r)] && RowKey(bores[r]) == key) {
        gathered.push_back(bores[r]);
        placed[static_cast<std::size_t>(r)] = true;
      }
    }
  }
  bores = std::move(gathered);
}

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

void FindBoreRows(OneBasedList<GroupedBore>& bores, const ToolTable& table, float mm) {
  for (GroupedBore& b : bores) {
    b.GroupId = 0;
    b.GroupSize = 0;
    b.Pitch = 0;
    if (!WithoutBlanks(ToolTextOf(b)).empty()) b.Diameter = 0;  // the named tool decides
  }
  for (int i = 1; i < bores.size(); ++i) {
    if (bores[i].GroupId != 0) continue;
    const Partner partner = FindPartner(bores, i, mm);
    if (partner.Index == 0) continue;
    const int axis = RowAxis(bores[i], bores[partner.Index], mm);
    if (!HeadDrillsPair(table, bores[i].Diameter * mm, partner.Pitch, axis)) continue;
    for (const int member : {i, partner.Index}) {
      bores[member].GroupId = i * axis;
      bores[member].Pitch = partner.Pitch;
    }
    GrowRow(bores, i, partner.Index, partner.Pitch, axis, mm);
  }
  CountGroupSizes(bores);
}

void GatherBoreRows(OneBasedList<GroupedBore>& bores) {
  CloseUpRows(bores);
  GatherAtFirstMember(bores);
}

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
