#pragma once
// The route ordering that prepares PathList for contour joining: the loose ends of open
// chains first, so that a chain is joined from one of its ends.

#include "engine/driver/machining_records.h"
#include "input/one_based_list.h"

namespace mq {

// Two piece ends touch when their X and their Y both differ by less than this.
constexpr float kPieceTouchTolerance = 0.005f;

// Moves whole pieces (a record with a negative SegmentType and the records up to the
// next one): every three-point arc, centre-arc and line piece that touches another piece
// of its route layer at exactly one of its ends goes to the front, then the
// constant-width polylines (first vertex -4). The number of records does not change.
void OrderRoutes(OneBasedList<PathSegment>& path);

// The last record of the piece that starts at `first`: the record before the next one
// with a negative SegmentType, or the last record.
int PieceLast(const OneBasedList<PathSegment>& path, int first);

}  // namespace mq
