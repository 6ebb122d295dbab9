#pragma once
// The machining order of the vertical bores: a sort by Y and ten weighted greedy walks
// over the panel, of which the shortest is kept .

#include "engine/driver/engine_context.h"

namespace mq {

// Sorts entries first..last of `list` ascending by Y, in place: a quicksort around the
// middle entry (index (first + last) / 2 rounded half to even), swapping whole records.
// Entries of equal Y end up in the order this particular sort leaves them, which the bore
// walks then use as their tie-break, so it must not be replaced by another sort.
void SortBoresByY(OneBasedList<BoreRecord>& list, int first, int last);

// The bores of the panel in drilling order: sorted by Y, then the shortest of ten
// weighted greedy walks.
void OrderBores(EngineContext& c);

}  // namespace mq
