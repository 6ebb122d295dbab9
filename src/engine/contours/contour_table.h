#pragma once
// The contour table: one row per piece of PathList, with the directions in which the
// piece is entered and left, and the pieces turned round when a contour needs them so.

#include <cstdint>
#include <vector>

#include "engine/driver/conversion_state.h"

namespace mq {

// A joined contour: rows of the contour table in the order they are cut.
using JoinedContour = std::vector<int>;

// Direction of travel from one point to the next: a bearing in [0, 360), clockwise from
// +Y (a bearing that comes out as 360 is 0).
float TravelDirection(const PathSegment& from, const PathSegment& to);
// A row for the records first..last: kind, entry and exit direction.
ContourRow MakeContourRow(const OneBasedList<PathSegment>& path, int first, int last);
// Appends a row for records first..last, marked used; returns its number.
int AddUsedContourRow(ConversionState& s, int first, int last, float entry, float exit);
// One row per piece of PathList (a record with a negative SegmentType up to the next one).
void BuildContourTable(ConversionState& s);
// A polyline contour: its first record is a polyline vertex (-5, -4) or its last record
// a further vertex or closing entry (5). Polylines are neither chained nor cut into
// circles.
bool IsPolylineContour(const OneBasedList<PathSegment>& path, const ContourRow& row);
// The route layer of a contour: that of its first record.
int16_t ContourLayer(const OneBasedList<PathSegment>& path, const ContourRow& row);
// Turns the contour round, record by record, so that it runs from its end to its start;
// its directions turn by 180.
void ReverseContour(OneBasedList<PathSegment>& path, ContourRow& row);

}  // namespace mq
