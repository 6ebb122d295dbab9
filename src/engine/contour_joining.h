#pragma once
// The steps of contour joining and contour order, which JoinContours (passes.h) runs in
// order. The conventions of the finished PathList are set out in contour_joining.cpp.

#include <cstdint>
#include <vector>

#include "engine/conversion_state.h"

namespace mq {

// A circle is cut open where a contour's end lies this close to its outline.
constexpr float kCircleJoinTolerance = 0.05f;

// A joined contour: rows of the contour table in the order they are cut.
using JoinedContour = std::vector<int>;

// --- contour_table.cpp ---------------------------------------------------------------
// Direction of travel from one point to the next: a bearing in [0, 360), clockwise from
// +Y (a bearing that comes out as 360 is 0).
float TravelDirection(const PathSegment& from, const PathSegment& to);
// A row for the records first..last: kind, entry and exit direction.
ContourRow MakeContourRow(const OneBasedList<PathSegment>& path, int first, int last);
// Appends a row for records first..last, marked used; returns its number.
int AddUsedContourRow(ConversionState& s, int first, int last, float entry, float exit);
// Step 3: one row per piece of PathList (a record with a negative SegmentType up to the
// next one).
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

// --- circle_joining.cpp --------------------------------------------------------------
// The circle's tool data on a path record (no point, no segment type).
PathSegment CircleToolData(const CircleRecord& circle);
// Step 5: circle `index` opened at (x, y) and run once round in the sense whose tangent
// there is closer to `incoming` (a bearing); two records and a used row are appended, the
// circle is marked expanded and its route layer cleared. Returns the row.
int ExpandCircle(ConversionState& s, int index, float x, float y, float incoming);
// The circle opened at its top point, entered heading east (clockwise).
int ExpandCircleAtTop(ConversionState& s, int index);
// Step 4 for the contour that starts `joined`: the first circle of its route layer whose
// outline passes through the contour's start or end is opened there and appended.
bool JoinTouchingCircle(ConversionState& s, JoinedContour& joined);

// --- contour_chaining.cpp ------------------------------------------------------------
// Step 6: appends, while one is found, the untaken piece of the same route layer that
// starts or ends at the current end and turns least from the current direction.
void ChainContours(ConversionState& s, JoinedContour& joined);
// Steps 4 to 6 over the whole table: every untaken piece starts a joined contour (turned
// round first when only its start has a piece to run on to).
std::vector<JoinedContour> JoinPieces(ConversionState& s);

// --- contour_order.cpp ---------------------------------------------------------------
// Step 8: PathList rebuilt with each joined contour's records together; the contour
// table then has one row per joined contour.
void RebuildPathList(ConversionState& s, const std::vector<JoinedContour>& joined);
// Step 9: contour numbers in nearest-neighbour order from (panel width, panel height).
std::vector<int> NearestNeighbourOrder(const ConversionState& s);
// Step 10: by tool number 0..150; other tool numbers follow in their order.
void GroupByTool(const ConversionState& s, std::vector<int>& order);
// Step 11: by sequence number 1..max_sequence, then the unsequenced contours (and any
// other number) in their order. Nothing changes when max_sequence is 0.
void GroupBySequence(const ConversionState& s, std::vector<int>& order, int16_t max_sequence);
// Step 12: PathList in the final order, every record with its contour's tool, diameter,
// compensation and speed, contour starts marked; the table and ContourOrder follow.
void RewriteInOrder(ConversionState& s, const std::vector<int>& order);

}  // namespace mq
