// Finding and gathering the bore rows pinned against the rules written plainly: every
// bore compared with every other, bores moved one place at a time.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "input/plain_text.h"
#include "output/bore_grouping.h"

namespace mq {
namespace {

using Bores = OneBasedList<GroupedBore>;

float Gap(const GroupedBore& a, const GroupedBore& b, float mm) {
  const float dx = (a.X - b.X) * mm, dy = (a.Y - b.Y) * mm;
  return std::sqrt(dx * dx + dy * dy);
}
bool InLine(const GroupedBore& a, const GroupedBore& b, float mm) {
  return std::fabs((a.X - b.X) * mm) < 0.1f || std::fabs((a.Y - b.Y) * mm) < 0.1f;
}
int Axis(const GroupedBore& a, const GroupedBore& b, float mm) {
  return std::fabs((a.X - b.X) * mm) < 0.05f ? -1 : 1;
}
bool SameTool(const GroupedBore& a, const GroupedBore& b) {
  return a.Diameter == b.Diameter && a.ToolText == b.ToolText;
}
bool HeadHas(const ToolTable& t, float d, int pitch, int axis) {
  const int step = pitch / 32;
  for (int n = 1; n + step <= 99; ++n) {
    if (std::fabs(t[n].ToolDiameter - d) <= 0.2f && std::fabs(t[n + step].ToolDiameter - d) <= 0.2f &&
        t[n].SpindleAxis == axis && t[n + step].SpindleAxis == axis)
      return true;
  }
  return false;
}

void PlainFindRows(Bores& b, const ToolTable& table, float mm) {
  for (GroupedBore& x : b)
    x.GroupId = x.GroupSize = x.Pitch = 0, x.Diameter = x.ToolText.trimmed().empty() ? x.Diameter : 0;
  for (int i = 1; i < b.size(); ++i) {
    int j = 0, pitch = 0;
    for (int p = 32; p <= 128 && j == 0 && b[i].GroupId == 0; p += 32) {
      for (int k = i + 1; k <= b.size() && j == 0; ++k) {
        if (b[k].GroupId == 0 && std::fabs(Gap(b[i], b[k], mm) - p) < 0.3f && InLine(b[i], b[k], mm) &&
            SameTool(b[i], b[k]))
          j = k, pitch = p;
      }
    }
    if (j == 0) continue;
    const int axis = Axis(b[i], b[j], mm);
    if (!HeadHas(table, b[i].Diameter * mm, pitch, axis)) continue;
    b[i].GroupId = b[j].GroupId = i * axis, b[i].Pitch = b[j].Pitch = pitch;
    for (bool grown = true; grown;) {
      grown = false;
      for (int k = 1; k <= b.size(); ++k) {
        const float d = Gap(b[j], b[k], mm);
        if (b[k].GroupId == 0 && std::fabs(d - pitch) < 0.3f && d > 0.3f && InLine(b[j], b[k], mm) &&
            SameTool(b[i], b[k]) && Axis(b[j], b[k], mm) == axis)
          b[k].GroupId = i * axis, b[k].Pitch = pitch, j = k, grown = true;
      }
    }
  }
  for (GroupedBore& x : b) {
    x.ToolText = WithoutBlanks(std::string(x.ToolText.trimmed()));
    const auto n =
        std::count_if(b.begin(), b.end(), [&](const GroupedBore& o) { return o.GroupId == x.GroupId; });
    x.GroupSize =
        x.GroupId == 0 || (!x.ToolText.trimmed().empty() && x.ToolText.trimmed().size() <= 2) ? 1 : int(n);
  }
}

int Key(const GroupedBore& b) { return b.GroupSize > 1 ? b.GroupId : 0; }
int LastOf(const Bores& b, int key) {
  for (int k = b.size(); k >= 1; --k)
    if (Key(b[k]) == key) return k;
  return 0;
}
void Move(Bores& b, int from, int to) {
  const GroupedBore x = b[from];
  b.erase(from), b.insert(to, x);
}

void PlainGather(Bores& b) {
  for (int p = 1; p <= b.size();) {
    const int key = Key(b[p]), size = b[p].GroupSize;
    int start = p, passed = 1, q = p + 1;
    while (key != 0 && passed < size && q <= b.size() && LastOf(b, key) >= q) {
      if (Key(b[q]) == key) {
        ++passed, ++q;
      } else if (size <= (Key(b[q]) == 0 ? 1 : b[q].GroupSize)) {
        int to = q;
        for (int r = q; r <= b.size(); ++r)
          if (Key(b[r]) == key) Move(b, r, to++);
        q = to;
        break;
      } else if (2 * passed < size) {
        Move(b, q++, start++);
      } else {
        Move(b, q, LastOf(b, key));
      }
    }
    p = std::max(q, p + 1);
  }
  Bores gathered;
  std::vector<bool> placed(b.size() + 1);
  for (int p = 1; p <= b.size(); ++p) {
    for (int r = p; r <= b.size() && (r == p || Key(b[p]) != 0); ++r) {
      if (!placed[r] && (r == p || Key(b[r]) == Key(b[p]))) gathered.push_back(b[r]), placed[r] = true;
    }
  }
  b = gathered;
}

// Bores on a 32 mm grid with duplicates, near misses of the tolerances, two diameters
// and tool texts; the head drills 5 mm along X and Y and 8 mm along X only.
TEST(BoreRows, FindingAndGatheringMatchThePlainRules) {
  ToolTable head;
  head.Loaded = true;
  for (int n = 1; n <= 27; ++n) {
    head.Entries[n].ToolDiameter = n <= 8 || n >= 20 ? 5.0f : 8.0f;
    head.Entries[n].SpindleAxis = n >= 20 ? -1 : 1;
  }
  for (unsigned seed = 1; seed <= 150; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const float mm = seed % 4 == 0 ? 25.4f : 1.0f;
    const float jitter[] = {0, 0, 0, 0.04f, -0.09f, 0.25f, 0.35f};
    Bores bores;
    for (int k = pick(70); k >= 0; --k) {
      GroupedBore b;
      b.X = (32.0f * pick(6) + jitter[pick(7)]) / mm, b.Y = (32.0f * pick(6) + jitter[pick(7)]) / mm;
      b.Diameter = pick(3) == 0 ? 8.0f / mm : 5.0f / mm;
      const char* tools[] = {"", "", "", "T7", "1 2 3"};
      b.ToolText = tools[pick(5)];
      bores.push_back(b);
    }
    Bores plain = bores;
    PlainFindRows(plain, head, mm);
    FindBoreRows(bores, head, mm);
    ASSERT_TRUE(bores == plain) << "seed " << seed;
    PlainGather(plain);
    GatherBoreRows(bores);
    ASSERT_TRUE(bores == plain) << "seed " << seed;
  }
}

}  // namespace
}  // namespace mq
