#pragma once
// The joined contours in the order the router cuts them.

#include <cstdint>
#include <vector>

#include "engine/contours/contour_table.h"

namespace mq {

// PathList rebuilt with each joined contour's records together; the contour table then
// has one row per joined contour.
void RebuildPathList(ConversionState& s, const std::vector<JoinedContour>& joined);
// Contour numbers in nearest-neighbour order from (panel width, panel height).
std::vector<int> NearestNeighbourOrder(const ConversionState& s);
// By tool number 0..150; other tool numbers follow in their order.
void GroupByTool(const ConversionState& s, std::vector<int>& order);
// By sequence number 1..max_sequence, then the unsequenced contours (and any other
// number) in their order. Nothing changes when max_sequence is 0.
void GroupBySequence(const ConversionState& s, std::vector<int>& order, int16_t max_sequence);
// PathList in the final order, every record with its contour's tool, diameter,
// compensation and speed, contour starts marked; the table and ContourOrder follow.
void RewriteInOrder(ConversionState& s, const std::vector<int>& order);

}  // namespace mq
