// Chaining: touching pieces of one route layer joined into one contour, each time the
// piece that carries on with the smallest change of direction, turned round when it is
// drawn the other way. The pieces that may touch an end are found through cells of the
// pieces' ends, so a chain costs what its own joints cost, not the whole table each time.

#include "engine/contours/contour_chaining.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/contours/circle_joining.h"
#include "engine/contours/contour_joining.h"
#include "engine/contours/contour_table.h"
#include "engine/geometry/angles.h"
#include "engine/geometry/point_buckets.h"

namespace mq {

namespace {

// No change of direction is larger; the first candidate always improves on it.
constexpr float kNoCandidateYet = 360.0f;

bool Within(const PathSegment& a, const PathSegment& b, float tolerance) {
  return std::fabs(a.X - b.X) < tolerance && std::fabs(a.Y - b.Y) < tolerance;
}

struct Candidate {
  int row = 0;
  bool reversed = false;
  float turn = kNoCandidateYet;

  void Offer(int k, bool turned_round, float change) {
    if (change < turn) {
      row = k;
      reversed = turned_round;
      turn = change;
    }
  }
};

// The ends of the table's pieces in cells, to find the pieces that may touch a point.
// Rows added later (opened circles) are used already and never continue a contour.
class PieceEnds {
 public:
  explicit PieceEnds(const ConversionState& s) : cells_(4 * s.CoincidenceTolerance) {
    for (int k = 1; k <= s.Contours.size(); ++k) {
      const ContourRow& row = s.Contours[k];
      const int16_t layer = ContourLayer(s.PathList, row);
      cells_.Add(layer, s.PathList[row.First].X, s.PathList[row.First].Y, 2 * k);
      cells_.Add(layer, s.PathList[row.Last].X, s.PathList[row.Last].Y, 2 * k + 1);
    }
    cells_.Seal();
  }

  // The untaken piece of `layer` that continues best from `end`, where the contour heads
  // in `direction`: of equal turns, the first in the table, its start before its end.
  Candidate BestContinuation(const ConversionState& s, int16_t layer, const PathSegment& end,
                             float direction) const {
    const float tolerance = s.CoincidenceTolerance;
    Candidate best;
    if (!(tolerance > 0)) return best;  // no end lies within no distance
    std::vector<int> touching;          // 2 × row, + 1 for the row's end
    const double reach = 2.0 * tolerance;
    cells_.AnyInBox(layer, end.X - reach, end.X + reach, end.Y - reach, end.Y + reach, [&](int item) {
      const ContourRow& row = s.Contours[item / 2];
      if (!row.Used && !IsPolylineContour(s.PathList, row) &&
          Within(s.PathList[item % 2 == 0 ? row.First : row.Last], end, tolerance)) {
        touching.push_back(item);
      }
      return false;
    });
    std::sort(touching.begin(), touching.end());
    for (int item : touching) {
      const ContourRow& row = s.Contours[item / 2];
      if (item % 2 == 0) {
        best.Offer(item / 2, false, AngleGap(direction, row.EntryDirection));
      } else {
        float turned = row.ExitDirection + kHalfTurn;
        NormalizeAngle(turned);
        best.Offer(item / 2, true, AngleGap(direction, turned));
      }
    }
    return best;
  }

 private:
  PointBuckets cells_;
};

// A joined contour is begun at a loose end of its chain: a first piece whose end has
// nothing to run on to, but whose start has, is turned round. (The route ordering puts
// the loose-end pieces first, but either way round; begun at its dead end, an open chain
// would be cut in two.)
void BeginAtLooseEnd(ConversionState& s, const PieceEnds& ends, int first_row) {
  ContourRow& row = s.Contours[first_row];
  const int16_t layer = ContourLayer(s.PathList, row);
  if (ends.BestContinuation(s, layer, s.PathList[row.Last], row.ExitDirection).row != 0) return;
  if (ends.BestContinuation(s, layer, s.PathList[row.First], row.EntryDirection).row == 0) return;
  ReverseContour(s.PathList, row);
}

// Appends, while one is found, the untaken piece of the same route layer that starts or
// ends at the current end and turns least from the current direction.
void ChainContours(ConversionState& s, const PieceEnds& ends, JoinedContour& joined) {
  const int16_t layer = ContourLayer(s.PathList, s.Contours[joined.front()]);
  for (;;) {
    const ContourRow& current = s.Contours[joined.back()];
    const Candidate next = ends.BestContinuation(s, layer, s.PathList[current.Last], current.ExitDirection);
    if (next.row == 0) return;
    ContourRow& row = s.Contours[next.row];
    if (next.reversed) ReverseContour(s.PathList, row);
    row.Used = true;
    joined.push_back(next.row);
  }
}

}  // namespace

std::vector<JoinedContour> JoinPieces(ConversionState& s) {
  std::vector<JoinedContour> all;
  const PieceEnds ends(s);
  const CircleOutlines circles(s);
  const int pieces = s.Contours.size();
  for (int i = 1; i <= pieces; ++i) {
    if (s.Contours[i].Used) continue;
    s.Contours[i].Used = true;
    JoinedContour joined{i};
    if (!IsPolylineContour(s.PathList, s.Contours[i])) {
      if (!JoinTouchingCircle(s, circles, joined)) BeginAtLooseEnd(s, ends, i);
      ChainContours(s, ends, joined);
    }
    all.push_back(std::move(joined));
  }
  return all;
}

}  // namespace mq
