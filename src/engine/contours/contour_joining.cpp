// Contour joining and contour order: the pieces of the route pass (one per LINE and ARC,
// one per POLYLINE) and the routed circles become the contours the router cuts, in the
// order it cuts them.
//
// The finished PathList keeps these conventions, on which the geometry passes (pockets,
// corner starts, oscillation, depth passes, leads) and the program writer rely:
// - A contour is a run of records. Its first record, and no other, carries ChainFlag -8
//   (kContourStart); every contour is marked, open or closed, joined or drawn whole.
//   Closed polylines (first and last point within 0.03) are contour starts like the rest.
// - No other record has a negative ChainFlag except the end record of a centre arc
//   (SegmentType 3), where -1 says the arc turns counter-clockwise and 0 clockwise.
// - A piece joined into a contour keeps its negative SegmentType (-1 line start, -3 arc
//   start); the writer draws no line for such a start, the contour simply runs on.
// - Every record of a contour carries the tool number, tool diameter, CompCode and VM of
//   the contour's first record.
// - A circle opened into a contour is two records at its cut point: -3 with the centre,
//   then 3 with the point's angle (counter-clockwise from +X) in CentreX and CentreY.
// - The contours follow in machining order: a nearest-neighbour tour from (panel width,
//   panel height), regrouped by tool number 0..150 (other tool numbers after them), then,
//   when the drawing numbers its operations, by sequence number with the unnumbered last.
// Contours is the contour table of that order (row k is the k-th contour cut) and
// ContourOrder gives, for each, its number among the joined contours.

#include "engine/contours/contour_joining.h"

#include "engine/contours/circle_joining.h"
#include "engine/contours/circle_leads.h"
#include "engine/contours/contour_chaining.h"
#include "engine/contours/contour_order.h"
#include "engine/contours/contour_table.h"
#include "engine/ordering/order_routes.h"

namespace mq {

namespace {

// Circles that no contour ran onto: with leads when they qualify, else opened at their
// top point; each is a contour of its own.
void AddCircleContours(EngineContext& c, std::vector<JoinedContour>& joined) {
  for (int row : MakeCircleLeads(c)) joined.push_back({row});
  ConversionState& s = c.state;
  for (int k = 1; k <= s.CircleList.size(); ++k) {
    if (s.CircleList[k].Expanded == 0) joined.push_back({ExpandCircleAtTop(s, k)});
  }
}

// A drawing of circles only: the circles with leads become contours here. The other
// circles are opened by the driver's next phase, which does so only while PathList is
// empty; when leads were made, they are opened here so that none is lost.
void CirclesOnly(EngineContext& c) {
  for (int row : MakeCircleLeads(c)) c.state.ContourOrder.push_back(row);
  if (!c.state.PathList.empty()) ExpandLoneCircles(c);
}

}  // namespace

void JoinContours(EngineContext& c) {
  ConversionState& s = c.state;
  s.Contours.clear();
  s.ContourOrder.clear();
  if (s.PathList.empty()) {
    CirclesOnly(c);
    return;
  }
  if (s.PathList.back().SegmentType == segment::kRemoved) s.PathList.erase(s.PathList.size());

  if (UserStopRequested(c)) return;
  OrderRoutes(s.PathList);
  if (s.PathList.empty()) return;

  BuildContourTable(s);
  std::vector<JoinedContour> joined = JoinPieces(s);
  if (UserStopRequested(c)) return;

  AddCircleContours(c, joined);
  RebuildPathList(s, joined);
  if (UserStopRequested(c)) return;

  std::vector<int> order = NearestNeighbourOrder(s);
  if (UserStopRequested(c)) return;

  GroupByTool(s, order);
  GroupBySequence(s, order, c.store.Current.MaxSequence);
  RewriteInOrder(s, order);
}

void ExpandLoneCircles(EngineContext& c) {
  ConversionState& s = c.state;
  for (int k = 1; k <= s.CircleList.size(); ++k) {
    if (s.CircleList[k].Expanded == 0) s.ContourOrder.push_back(ExpandCircleAtTop(s, k));
  }
}

}  // namespace mq
