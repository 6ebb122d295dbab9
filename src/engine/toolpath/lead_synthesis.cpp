// Lead-in, lead-out and ramp synthesis: a closed compensated inside contour gets an
// approach move before it and a departure move after it, so that the tool neither
// plunges onto the outline nor leaves a mark where it lifts off.

#include "engine/toolpath/lead_synthesis.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/geometry/contour_geometry.h"
#include "engine/toolpath/lead_directions.h"
#include "engine/toolpath/lead_inserts.h"
#include "input/layer_codes.h"

namespace mq {

namespace {

bool LeadsEnabled(const EngineContext& c) {
  return (c.state.EffectiveLeadLength != 0 && c.state.LeadsOn) || c.store.Current.LeadCodeSeen;
}

// Records that must not reach the writer (removed pieces, constant-width polyline
// starts) are deleted; the record that follows each one starts a contour.
void RemoveUnwrittenRecords(OneBasedList<PathSegment>& path) {
  for (PathSegment& s : path) {
    if (std::abs(s.SegmentType) == segment::kConstantWidth || s.SegmentType == segment::kRemoved) {
      s.SegmentType = segment::kDeleteMark;
    }
  }
  int i = 1;
  while (i <= path.size()) {
    if (path[i].SegmentType != segment::kDeleteMark) {
      ++i;
      continue;
    }
    path.erase(i);
    if (i <= path.size()) path[i].ChainFlag = kContourStart;
  }
}

// A ramp height as a depth above the surface: minus the layer's value, the effective
// height when the layer gives none and the switch is on, or when it asks for the default.
float RampHeight(float layerValue, bool rampOn, float effectiveHeight) {
  float height = -layerValue;
  if (height == 0 && rampOn) height = -effectiveHeight;
  if (height == -kCodeWithoutValue) height = -effectiveHeight;
  return height;
}

LeadValues ValuesOf(const PathSegment& start, const ConversionState& state) {
  LeadValues v;
  v.Length = start.LD;
  if (v.Length == 0 && state.LeadsOn) v.Length = state.EffectiveLeadLength;
  if (v.Length == kCodeWithoutValue) v.Length = state.EffectiveLeadLength;
  v.RampOut = RampHeight(start.RO, state.RampOut, state.EffectiveRampHeight);
  v.RampIn = RampHeight(start.RI, state.RampIn, state.EffectiveRampHeight);
  v.Side = CompensationSide(start.CompCode);
  return v;
}

// The extent box of the contour's start, in the coordinates its points now have: the
// panel's points were moved to be measured from the panel origin, so its box is too.
ExtentBox BoxOfStart(const PathSegment& start, const ConversionState& state) {
  const int number = start.Box >= 1 && start.Box <= kPanelBox ? start.Box : kPanelBox;
  ExtentBox box = state.PartExtents[static_cast<std::size_t>(number)];
  if (number == kPanelBox) {
    box.MinX -= state.PartOriginX;
    box.MaxX -= state.PartOriginX;
    box.MinY -= state.PartOriginY;
    box.MaxY -= state.PartOriginY;
  }
  return box;
}

bool OnBoxEdge(PlanePoint p, const ExtentBox& box, float tolerance) {
  return std::fabs(p.X - box.MinX) < tolerance || std::fabs(p.X - box.MaxX) < tolerance ||
         std::fabs(p.Y - box.MinY) < tolerance || std::fabs(p.Y - box.MaxY) < tolerance;
}

// Closed, compensated, with a lead length, and not on the part outline or an edge.
bool GetsLeads(const OneBasedList<PathSegment>& path, ContourSpan span, const LeadValues& v,
               const ConversionState& state) {
  if (v.Length == 0 || v.Side == 0 || span.Size() < 2) return false;
  const float tolerance = state.CoincidenceTolerance;
  const PlanePoint s = PointOf(path[span.First]);
  const PlanePoint e = PointOf(path[span.Last]);
  if (std::fabs(e.X - s.X) >= tolerance || std::fabs(e.Y - s.Y) >= tolerance) return false;
  const ExtentBox box = BoxOfStart(path[span.First], state);
  return !OnBoxEdge(s, box, tolerance) && !OnBoxEdge(e, box, tolerance);
}

}  // namespace

void SynthesizeLeads(EngineContext& c) {
  OneBasedList<PathSegment>& path = c.state.PathList;
  RemoveUnwrittenRecords(path);
  if (!LeadsEnabled(c)) return;
  const std::vector<ContourSpan> contours = MarkedContours(path);
  // From the last contour to the first, so that inserted leads move no contour still to do.
  for (auto span = contours.rbegin(); span != contours.rend(); ++span) {
    const LeadValues values = ValuesOf(path[span->First], c.state);
    if (!GetsLeads(path, *span, values, c.state)) continue;
    const ContourShape shape = ShapeOf(path, *span);
    if (TakesCornerBranch(values.Side, shape.StartDirection, shape.EndDirection)) {
      InsertCornerLeads(path, shape, values);
    } else {
      InsertSmoothStartLeads(path, shape, values);
    }
  }
}

}  // namespace mq
