#pragma once
// The records that lead the tool in and out of a closed compensated contour.

#include "engine/toolpath/lead_directions.h"

namespace mq {

// Insert the lead-out behind the contour and the lead-in in front of it. The contour's
// records before `shape.Span.First` keep their places.
void InsertSmoothStartLeads(OneBasedList<PathSegment>& path, const ContourShape& shape, const LeadValues& v);
void InsertCornerLeads(OneBasedList<PathSegment>& path, const ContourShape& shape, const LeadValues& v);

}  // namespace mq
