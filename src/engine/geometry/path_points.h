#pragma once
// Walking the points of PathList with the knowledge of which entries carry an arc
// centre, for the passes that move coordinates.

#include <cstdlib>

#include "engine/driver/machining_records.h"
#include "input/one_based_list.h"

namespace mq {

// Calls visit(entry, carries_centre) for every entry in order. An entry whose
// |SegmentType| is 3 starts a centre arc and carries the arc's centre in CentreX and
// CentreY; the entry after it ends that arc and holds angles there, not a point. This
// is how the program writer reads the list, so a start that a geometry pass made
// positive keeps its centre in step with its points.
template <class Visit>
void ForEachPathPoint(OneBasedList<PathSegment>& list, Visit visit) {
  for (int i = 1; i <= list.size(); ++i) {
    const bool arc_start = std::abs(list[i].SegmentType) == segment::kCentreArc;
    visit(list[i], arc_start);
    if (arc_start && i < list.size()) {
      ++i;
      visit(list[i], false);
    }
  }
}

}  // namespace mq
