#pragma once
// Pieces of one route layer chained into contours, turning as little as possible at
// each joint.

#include <vector>

#include "engine/contours/contour_table.h"

namespace mq {

// Over the whole table: every untaken piece starts a joined contour (turned round first
// when only its start has a piece to run on to), which runs onto a touching circle and
// is then chained.
std::vector<JoinedContour> JoinPieces(ConversionState& s);

}  // namespace mq
