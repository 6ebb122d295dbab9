// Chaining and circle joining pinned against the plain rules: every untaken piece of the
// table tried for each joint, in table order, a strictly smaller turn replacing the
// best; every circle tried for each contour, in list order.

#include "engine/contours/contour_chaining.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/contours/circle_joining.h"
#include "engine/contours/contour_table.h"
#include "engine/geometry/angles.h"
#include "engine/geometry/contour_geometry.h"
#include "support/random_paths.h"

namespace mq {
namespace {

struct Next {
  int row = 0;
  bool reversed = false;
};

Next PlainBest(const ConversionState& s, int16_t layer, const PathSegment& end, float direction) {
  const float t = s.CoincidenceTolerance;
  auto within = [&](const PathSegment& p) {
    return std::fabs(p.X - end.X) < t && std::fabs(p.Y - end.Y) < t;
  };
  Next best;
  float turn = 360;
  for (int k = 1; k <= s.Contours.size(); ++k) {
    const ContourRow& row = s.Contours[k];
    if (row.Used || IsPolylineContour(s.PathList, row) || ContourLayer(s.PathList, row) != layer) continue;
    const float in = AngleGap(direction, row.EntryDirection),
                out = AngleGap(direction, Normalized(row.ExitDirection + 180));
    if (within(s.PathList[row.First]) && in < turn) best = {k, false}, turn = in;
    if (within(s.PathList[row.Last]) && out < turn) best = {k, true}, turn = out;
  }
  return best;
}

// The first circle of the contour's layer through its start (the contour then turned
// round to end there) or its end, opened there.
bool PlainCircle(ConversionState& s, JoinedContour& joined) {
  ContourRow& row = s.Contours[joined.back()];
  for (int k = 1; k <= s.CircleList.size(); ++k) {
    const CircleRecord& c = s.CircleList[k];
    auto on = [&](int r) {
      return std::fabs(c.Radius - Distance({c.CentreX, c.CentreY}, PointOf(s.PathList[r]))) < 0.05f;
    };
    if (c.Expanded != 0 || c.LayerNumber != ContourLayer(s.PathList, row) || !(on(row.First) || on(row.Last)))
      continue;
    const bool at_start = on(row.First);
    const float incoming = at_start ? Normalized(row.EntryDirection - 180) : row.ExitDirection;
    if (at_start) ReverseContour(s.PathList, row);
    const PathSegment p = s.PathList[row.Last];
    joined.push_back(ExpandCircle(s, k, p.X, p.Y, incoming));
    return true;
  }
  return false;
}

std::vector<JoinedContour> PlainJoin(ConversionState& s) {
  std::vector<JoinedContour> all;
  for (int i = 1, pieces = s.Contours.size(); i <= pieces; ++i) {
    if (s.Contours[i].Used) continue;
    s.Contours[i].Used = true;
    JoinedContour joined{i};
    if (!IsPolylineContour(s.PathList, s.Contours[i])) {
      ContourRow& first = s.Contours[i];
      const int16_t layer = ContourLayer(s.PathList, first);
      if (!PlainCircle(s, joined) &&
          PlainBest(s, layer, s.PathList[first.Last], first.ExitDirection).row == 0 &&
          PlainBest(s, layer, s.PathList[first.First], first.EntryDirection).row != 0) {
        ReverseContour(s.PathList, first);
      }
      for (Next next; (next = PlainBest(s, layer, s.PathList[s.Contours[joined.back()].Last],
                                        s.Contours[joined.back()].ExitDirection))
                          .row != 0;) {
        if (next.reversed) ReverseContour(s.PathList, s.Contours[next.row]);
        s.Contours[next.row].Used = true;
        joined.push_back(next.row);
      }
    }
    all.push_back(joined);
  }
  return all;
}

// Pieces between few places on two layers, with circles through some of the places:
// joints with several candidates of equal turn, closed and branching chains.
TEST(JoinPieces, MatchesThePlainChaining) {
  int opened = 0;
  for (unsigned seed = 1; seed <= 200; ++seed) {
    test::RandomPaths random(seed, 2 + seed % 4);
    ConversionState s;
    s.CoincidenceTolerance = seed % 5 == 0 ? 0.008f : 0.1f;
    for (int k = random.Pick(50); k >= 0; --k) random.AddPiece(s.PathList, 2);
    for (int k = random.Pick(3); k > 0; --k) {
      CircleRecord circle;
      circle.CentreX = random.Coordinate(), circle.CentreY = random.Coordinate() + 5, circle.Radius = 5;
      circle.LayerNumber = static_cast<int16_t>(1 + random.Pick(2));
      s.CircleList.push_back(circle);
    }
    BuildContourTable(s);
    ConversionState plain = s;
    const std::vector<JoinedContour> expected = PlainJoin(plain);
    EXPECT_EQ(JoinPieces(s), expected) << "seed " << seed;
    EXPECT_TRUE(s.PathList == plain.PathList) << "seed " << seed;
    opened += plain.CircleList.size() > 0 && plain.CircleList[1].Expanded != 0;
  }
  EXPECT_GT(opened, 20) << "contours ran onto circles";
}

}  // namespace
}  // namespace mq
