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

bool Unwritten(const PathSegment& s) {
  return std::abs(s.SegmentType) == segment::kConstantWidth || s.SegmentType == segment::kRemoved ||
         s.SegmentType == segment::kDeleteMark;
}

// Records that must not reach the writer (removed pieces, constant-width polyline
// starts) are deleted; the record that follows each one starts a contour.
void RemoveUnwrittenRecords(OneBasedList<PathSegment>& path) {
  std::vector<PathSegment>& records = path.raw();
  std::size_t kept = 0;
  bool after_deleted = false;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (Unwritten(records[i])) {
      after_deleted = true;
      continue;
    }
    records[kept] = records[i];
    if (after_deleted) records[kept].ChainFlag = kContourStart;
    after_deleted = false;
    ++kept;
  }
  records.resize(kept);
}

// The list with each contour's leads around it, built in one sweep.
OneBasedList<PathSegment> WithLeads(const OneBasedList<PathSegment>& path,
                                    const std::vector<ContourSpan>& spans,
                                    const std::vector<ContourLeads>& leads) {
  std::size_t added = 0;
  for (const ContourLeads& l : leads) added += l.Before.size() + l.After.size();
  OneBasedList<PathSegment> result;
  result.reserve(path.size() + static_cast<int>(added));
  std::vector<PathSegment>& out = result.raw();
  const auto in = path.raw().begin();
  std::ptrdiff_t next = 0;  // the first record not yet copied, 0-based
  for (std::size_t k = 0; k < spans.size(); ++k) {
    const std::ptrdiff_t first = spans[k].First - 1, end = spans[k].Last;
    out.insert(out.end(), in + next, in + first);
    out.insert(out.end(), leads[k].Before.begin(), leads[k].Before.end());
    out.insert(out.end(), in + first, in + end);
    out.insert(out.end(), leads[k].After.begin(), leads[k].After.end());
    next = end;
  }
  out.insert(out.end(), in + next, path.raw().end());
  return result;
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
  // Each contour's leads depend on its own records only.
  std::vector<ContourLeads> leads(contours.size());
  for (std::size_t k = 0; k < contours.size(); ++k) {
    const ContourSpan span = contours[k];
    const LeadValues values = ValuesOf(path[span.First], c.state);
    if (!GetsLeads(path, span, values, c.state)) continue;
    const ContourShape shape = ShapeOf(path, span);
    leads[k] = TakesCornerBranch(values.Side, shape.StartDirection, shape.EndDirection)
                   ? CornerLeads(path, shape, values)
                   : SmoothStartLeads(path, shape, values);
    for (PathSegment& in : leads[k].Before) in.Lead = lead::kIn;
    for (PathSegment& out : leads[k].After) out.Lead = lead::kOut;
  }
  path = WithLeads(path, contours, leads);
}

}  // namespace mq
