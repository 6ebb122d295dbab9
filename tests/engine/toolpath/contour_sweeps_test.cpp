// The passes that add records around contours (corner starts, leads) build the list in
// one sweep; the result must be what adding them contour by contour in place gives.

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/toolpath/corner_compensation.h"
#include "engine/toolpath/lead_synthesis.h"
#include "support/conversion.h"
#include "support/random_paths.h"

namespace mq {
namespace {

using Pass = void (*)(EngineContext&);

// `pass` run on each contour (a run from one ChainFlag -8 to the next) alone, the
// results put back in order.
OneBasedList<PathSegment> ContourByContour(test::Conversion& c, const OneBasedList<PathSegment>& path,
                                           Pass pass) {
  OneBasedList<PathSegment> result;
  for (int first = 1, last = 1; first <= path.size(); first = last + 1) {
    for (last = first; last < path.size() && path[last + 1].ChainFlag != kContourStart;) ++last;
    c.state.PathList.clear();
    for (int k = first; k <= last; ++k) c.state.PathList.push_back(path[k]);
    pass(c.engine);
    for (const PathSegment& s : c.state.PathList) result.push_back(s);
  }
  return result;
}

// Unwritten records (constant-width starts, removed pieces) deleted one at a time, the
// record moving into the place of each opening a contour.
OneBasedList<PathSegment> WithoutUnwritten(OneBasedList<PathSegment> path) {
  for (int i = 1; i <= path.size();) {
    if (std::abs(path[i].SegmentType) != segment::kConstantWidth &&
        path[i].SegmentType != segment::kRemoved) {
      ++i;
      continue;
    }
    path.erase(i);
    if (i <= path.size()) path[i].ChainFlag = kContourStart;
  }
  return path;
}

// Contours of every kind on few places, most closed, with compensation codes, lead
// lengths, ramps and unwritten records among them; starts on the panel's edge too.
struct Contours : test::Conversion {
  explicit Contours(unsigned seed) : test::Conversion(test::PanelOfLines()) {
    test::RandomPaths random(seed);
    settings.CornerComp = 1;
    state.PartExtents[kPanelBox] = {0, 40, 0, 40, 40, 40, true};
    state.CoincidenceTolerance = 0.1f;
    state.EffectiveLeadLength = 5, state.EffectiveRampHeight = 2, state.LeadsOn = true;
    state.RampIn = seed % 2 == 0, state.RampOut = seed % 3 == 0;
    while (path.size() < 120) {
      const int first = path.size() + 1;
      random.AddPiece(path, 1);
      if (random.Pick(4) != 0) path.push_back(path[first]), path.back().SegmentType = 5;  // closed
      const char* codes[] = {"G41", "G42", "G41 R3", ""};
      path[first].CompCode = codes[random.Pick(4)];
      path[first].LD = float(random.Pick(3) * 4), path[first].RO = float(random.Pick(2) * 3);
      path[first].RI = random.Pick(3) == 0 ? 999.0f : 0.0f;
      path[first].ChainFlag = kContourStart;
      for (int k = first; k <= path.size(); ++k) path[k].Box = kPanelBox;
      if (random.Pick(8) == 0) path.push_back(random.Point(segment::kRemoved, 1));
    }
  }
  OneBasedList<PathSegment> path;
};

TEST(SynthesizeLeads, OneSweepEqualsContourByContour) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    Contours c(seed);
    const OneBasedList<PathSegment> expected = ContourByContour(c, WithoutUnwritten(c.path), SynthesizeLeads);
    c.state.PathList = c.path;
    SynthesizeLeads(c.engine);
    EXPECT_TRUE(c.state.PathList == expected) << "seed " << seed;
  }
}

TEST(CompensateCorners, OneSweepEqualsContourByContour) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    Contours c(seed);
    const OneBasedList<PathSegment> expected = ContourByContour(c, c.path, CompensateCorners);
    EXPECT_GT(expected.size(), c.path.size()) << "seed " << seed << ": no corner start moved";
    c.state.PathList = c.path;
    CompensateCorners(c.engine);
    EXPECT_TRUE(c.state.PathList == expected) << "seed " << seed;
  }
}

}  // namespace
}  // namespace mq
