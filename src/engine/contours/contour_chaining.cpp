// Chaining: touching pieces of one route layer joined into one contour, each time the
// piece that carries on with the smallest change of direction, turned round when it is
// drawn the other way.

#include "engine/contours/contour_chaining.h"

#include <cmath>

#include "engine/contours/circle_joining.h"
#include "engine/contours/contour_joining.h"
#include "engine/contours/contour_table.h"
#include "engine/geometry/angles.h"

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

// The untaken piece of `layer` that continues best from `end`, where the contour heads
// in `direction`.
Candidate BestContinuation(const ConversionState& s, int16_t layer, const PathSegment& end, float direction) {
  const float tolerance = s.CoincidenceTolerance;
  Candidate best;
  for (int k = 1; k <= s.Contours.size(); ++k) {
    const ContourRow& row = s.Contours[k];
    if (row.Used || IsPolylineContour(s.PathList, row) || ContourLayer(s.PathList, row) != layer) continue;
    if (Within(s.PathList[row.First], end, tolerance)) {
      best.Offer(k, false, AngleGap(direction, row.EntryDirection));
    }
    if (Within(s.PathList[row.Last], end, tolerance)) {
      float turned = row.ExitDirection + kHalfTurn;
      NormalizeAngle(turned);
      best.Offer(k, true, AngleGap(direction, turned));
    }
  }
  return best;
}

// A joined contour is begun at a loose end of its chain: a first piece whose end has
// nothing to run on to, but whose start has, is turned round. (The route ordering puts
// the loose-end pieces first, but either way round; begun at its dead end, an open chain
// would be cut in two.)
void BeginAtLooseEnd(ConversionState& s, int first_row) {
  ContourRow& row = s.Contours[first_row];
  const int16_t layer = ContourLayer(s.PathList, row);
  if (BestContinuation(s, layer, s.PathList[row.Last], row.ExitDirection).row != 0) return;
  if (BestContinuation(s, layer, s.PathList[row.First], row.EntryDirection).row == 0) return;
  ReverseContour(s.PathList, row);
}

}  // namespace

void ChainContours(ConversionState& s, JoinedContour& joined) {
  const int16_t layer = ContourLayer(s.PathList, s.Contours[joined.front()]);
  for (;;) {
    const ContourRow& current = s.Contours[joined.back()];
    const Candidate next = BestContinuation(s, layer, s.PathList[current.Last], current.ExitDirection);
    if (next.row == 0) return;
    ContourRow& row = s.Contours[next.row];
    if (next.reversed) ReverseContour(s.PathList, row);
    row.Used = true;
    joined.push_back(next.row);
  }
}

std::vector<JoinedContour> JoinPieces(ConversionState& s) {
  std::vector<JoinedContour> all;
  const int pieces = s.Contours.size();
  for (int i = 1; i <= pieces; ++i) {
    if (s.Contours[i].Used) continue;
    s.Contours[i].Used = true;
    JoinedContour joined{i};
    if (!IsPolylineContour(s.PathList, s.Contours[i])) {
      if (!JoinTouchingCircle(s, joined)) BeginAtLooseEnd(s, i);
      ChainContours(s, joined);
    }
    all.push_back(std::move(joined));
  }
  return all;
}

}  // namespace mq
