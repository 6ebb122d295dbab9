// Finding the bore rows. For each bore not in a row yet, the first later bore at one of
// the row pitches starts a row with it, and the row then grows from its last member one
// pitch at a time. A bore a pitch away lies in one of four small boxes round the other
// (along X or along Y, either side), so the bores are sorted into cells by tool and
// place, and only the bores in those boxes are tested by the rules; of those that pass,
// the first in list order is the one the list scan of the rule would take.

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/geometry/point_buckets.h"
#include "input/plain_text.h"
#include "output/bore_rules.h"

namespace mq {

namespace {

// Row pitches of the drilling head, tried in this order (millimetres).
constexpr std::array<int, 4> kRowPitches{32, 64, 96, 128};

constexpr float kPitchTolerance = 0.3f;        // bore distance against the pitch
constexpr float kInLineTolerance = 0.1f;       // X or Y equal: the bores lie on one row
constexpr float kSameColumnTolerance = 0.05f;  // X equal: the row runs along Y

// The boxes the rules can accept a bore in, round the pitch: wider than the tolerances
// by far more than single-precision rounding (millimetres).
constexpr double kBoxAlong = 0.5;
constexpr double kBoxAcross = 0.2;
constexpr double kCell = 1.0;

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

// The bores by tool (diameter and tool text: only bores of one tool form a row) and by
// place in millimetres.
class BoreCells {
 public:
  BoreCells(const OneBasedList<GroupedBore>& bores, float mm) : bores_(bores), mm_(mm), cells_(kCell) {
    std::map<std::pair<float, std::string>, int> tools;
    tool_.resize(static_cast<std::size_t>(bores.size()) + 1);
    for (int k = 1; k <= bores.size(); ++k) {
      const GroupedBore& b = bores[k];
      // A diameter that equals nothing, not even itself, pairs with no bore.
      const int tool =
          b.Diameter == b.Diameter
              ? tools.emplace(std::make_pair(b.Diameter, ToolTextOf(b)), static_cast<int>(tools.size()))
                    .first->second
              : -k;
      tool_[static_cast<std::size_t>(k)] = tool;
      cells_.Add(tool, Millimetres(b.X), Millimetres(b.Y), k);
    }
    cells_.Seal();
  }

  // The first bore after `after` in list order that is not in a row, has the tool of
  // bore `tool_of`, lies about `pitch` from bore `from` and passes `fits`.
  template <class Fits>
  int FirstAtPitch(int from, int tool_of, int pitch, int after, Fits fits) const {
    const double x = Millimetres(bores_[from].X), y = Millimetres(bores_[from].Y);
    int first = 0;
    auto consider = [&](int k) {
      if (k > after && (first == 0 || k < first) && bores_[k].GroupId == 0 && fits(k)) first = k;
      return false;
    };
    const int tool = tool_[static_cast<std::size_t>(tool_of)];
    for (const int side : {-1, 1}) {
      const double along = side * static_cast<double>(pitch);
      cells_.AnyInBox(tool, x + along - kBoxAlong, x + along + kBoxAlong, y - kBoxAcross, y + kBoxAcross,
                      consider);
      cells_.AnyInBox(tool, x - kBoxAcross, x + kBoxAcross, y + along - kBoxAlong, y + along + kBoxAlong,
                      consider);
    }
    return first;
  }

 private:
  double Millimetres(float v) const { return static_cast<double>(v) * static_cast<double>(mm_); }

  const OneBasedList<GroupedBore>& bores_;
  float mm_;
  std::vector<int> tool_;
  PointBuckets cells_;
};

struct Partner {
  int Index = 0;
  int Pitch = 0;
};

// The first later ungrouped bore at one of the row pitches from bore i.
Partner FindPartner(const OneBasedList<GroupedBore>& bores, const BoreCells& cells, int i, float mm) {
  for (const int pitch : kRowPitches) {
    const int j = cells.FirstAtPitch(i, i, pitch, i, [&](int k) {
      const GroupedBore& b = bores[k];
      return std::fabs(MillimetreDistance(bores[i], b, mm) - static_cast<float>(pitch)) < kPitchTolerance &&
             OnOneRow(bores[i], b, mm) && SameTool(bores[i], b);
    });
    if (j != 0) return Partner{j, pitch};
  }
  return {};
}

// The row grows from its last member, one pitch at a time: each pass over the list takes
// every bore that continues from the member taken last, and passes repeat while one adds
// a bore.
void GrowRow(OneBasedList<GroupedBore>& bores, const BoreCells& cells, int first, int last, int pitch,
             int axis, float mm) {
  const int id = bores[first].GroupId;
  bool grown = true;
  while (grown) {
    grown = false;
    for (int after = 0;;) {
      const int k = cells.FirstAtPitch(last, first, pitch, after, [&](int candidate) {
        const GroupedBore& b = bores[candidate];
        const float distance = MillimetreDistance(bores[last], b, mm);
        return std::fabs(distance - static_cast<float>(pitch)) < kPitchTolerance &&
               distance > kPitchTolerance && OnOneRow(bores[last], b, mm) && SameTool(bores[first], b) &&
               RowAxis(bores[last], b, mm) == axis;
      });
      if (k == 0) break;
      bores[k].GroupId = id;
      bores[k].Pitch = pitch;
      last = k;
      after = k;
      grown = true;
    }
  }
}

void CountGroupSizes(OneBasedList<GroupedBore>& bores) {
  std::unordered_map<int, int> members;
  for (const GroupedBore& b : bores) ++members[b.GroupId];
  for (GroupedBore& b : bores) {
    const std::string tools = WithoutBlanks(ToolTextOf(b));
    b.ToolText = tools;
    // A tool text of one or two characters names a single tool: that bore is drilled alone.
    b.GroupSize = b.GroupId == 0 || (!tools.empty() && tools.size() <= 2) ? 1 : members[b.GroupId];
  }
}

}  // namespace

void FindBoreRows(OneBasedList<GroupedBore>& bores, const ToolTable& table, float mm) {
  for (GroupedBore& b : bores) {
    b.GroupId = 0;
    b.GroupSize = 0;
    b.Pitch = 0;
    if (!WithoutBlanks(ToolTextOf(b)).empty()) b.Diameter = 0;  // the named tool decides
  }
  const BoreCells cells(bores, mm);
  for (int i = 1; i < bores.size(); ++i) {
    if (bores[i].GroupId != 0) continue;
    const Partner partner = FindPartner(bores, cells, i, mm);
    if (partner.Index == 0) continue;
    const int axis = RowAxis(bores[i], bores[partner.Index], mm);
    if (!HeadDrillsPair(table, bores[i].Diameter * mm, partner.Pitch, axis)) continue;
    for (const int member : {i, partner.Index}) {
      bores[member].GroupId = i * axis;
      bores[member].Pitch = partner.Pitch;
    }
    GrowRow(bores, cells, i, partner.Index, partner.Pitch, axis, mm);
  }
  CountGroupSizes(bores);
}

}  // namespace mq
