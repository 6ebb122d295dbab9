// The leads of all contours are built in one sweep; the result must be what putting
// each contour's leads into place one contour after another gives.

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/toolpath/lead_synthesis.h"
#include "support/conversion.h"
#include "support/random_paths.h"

namespace mq {
namespace {

bool Unwritten(const PathSegment& s) {
  return std::abs(s.SegmentType) == segment::kConstantWidth || s.SegmentType == segment::kRemoved;
}

// The rule written plainly: unwritten records deleted one at a time, the record moving
// into the place of each opening a contour; then every contour given its leads on its
// own and the contours put back in order.
OneBasedList<PathSegment> PlainLeads(test::Conversion& c, OneBasedList<PathSegment> path) {
  for (int i = 1; i <= path.size();) {
    if (!Unwritten(path[i])) {
      ++i;
      continue;
    }
    path.erase(i);
    if (i <= path.size()) path[i].ChainFlag = kContourStart;
  }
  OneBasedList<PathSegment> result;
  for (int first = 1, last = 1; first <= path.size(); first = last + 1) {
    for (last = first; last < path.size() && path[last + 1].ChainFlag != kContourStart;) ++last;
    c.state.PathList.clear();
    for (int k = first; k <= last; ++k) c.state.PathList.push_back(path[k]);
    SynthesizeLeads(c.engine);
    for (const PathSegment& s : c.state.PathList) result.push_back(s);
  }
  return result;
}

TEST(SynthesizeLeads, OneSweepEqualsContourByContour) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    test::RandomPaths random(seed);
    test::Conversion c(test::PanelOfLines());
    c.state.PartExtents[kPanelBox] = {0, 40, 0, 40, 40, 40, true};
    c.state.CoincidenceTolerance = 0.1f;
    c.state.EffectiveLeadLength = 5, c.state.EffectiveRampHeight = 2, c.state.LeadsOn = true;
    c.state.RampIn = seed % 2 == 0, c.state.RampOut = seed % 3 == 0;
    OneBasedList<PathSegment> path;
    while (path.size() < 120) {
      const int first = path.size() + 1;
      random.AddPiece(path, 1);
      if (random.Pick(4) != 0) path.push_back(path[first]), path.back().SegmentType = 1;  // closed
      const char* codes[] = {"G41", "G42", "G41 R3", ""};
      path[first].CompCode = codes[random.Pick(4)];
      path[first].LD = float(random.Pick(3) * 4), path[first].RO = float(random.Pick(2) * 3);
      path[first].RI = random.Pick(3) == 0 ? 999.0f : 0.0f;
      path[first].ChainFlag = kContourStart;
      for (int k = first; k <= path.size(); ++k) path[k].Box = kPanelBox;
      if (random.Pick(8) == 0) path.push_back(random.Point(segment::kRemoved, 1));
    }
    const OneBasedList<PathSegment> expected = PlainLeads(c, path);
    c.state.PathList = path;
    SynthesizeLeads(c.engine);
    ASSERT_EQ(c.state.PathList.size(), expected.size()) << "seed " << seed;
    EXPECT_TRUE(c.state.PathList == expected) << "seed " << seed;
  }
}

}  // namespace
}  // namespace mq
