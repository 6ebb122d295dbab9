#pragma once
// The records that lead the tool in and out of a closed compensated contour.

#include <vector>

#include "engine/toolpath/lead_directions.h"

namespace mq {

// The records that go in front of a contour's start (the lead-in, whose first record
// then opens the contour) and behind its end (the lead-out or the ramp-out overrun).
struct ContourLeads {
  std::vector<PathSegment> Before;
  std::vector<PathSegment> After;
};

// The leads of one contour. The contour's own first and last records are changed where
// they stand (start mark, kind, leaving bulge); nothing is inserted, so the records of
// every other contour keep their places.
ContourLeads SmoothStartLeads(OneBasedList<PathSegment>& path, const ContourShape& shape,
                              const LeadValues& v);
ContourLeads CornerLeads(OneBasedList<PathSegment>& path, const ContourShape& shape, const LeadValues& v);

}  // namespace mq
