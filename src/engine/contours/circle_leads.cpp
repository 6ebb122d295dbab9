#include "engine/contours/circle_leads.h"

#include <algorithm>
#include <cmath>

#include "engine/contours/circle_joining.h"
#include "engine/contours/contour_joining.h"
#include "engine/contours/contour_table.h"
#include "engine/geometry/angles.h"
#include "engine/geometry/contour_geometry.h"
#include "input/entity_store.h"
#include "input/layer_codes.h"

namespace mq {

namespace {

// The circle is entered at its top point.
constexpr float kContactAngle = 90.0f;
// A lead-out along the circle never runs more than half way round.
constexpr float kLongestSweep = 180.0f;
constexpr int16_t kCounterClockwise = -1;  // ChainFlag of an arc end record
constexpr int16_t kClockwise = 0;

// A value of the layer, or the drawing's own: `value` itself, but the effective one when
// it is 999 or when it is 0 and the drawing's switch is on.
float OrEffective(float value, bool switched_on, float effective) {
  if ((value == 0 && switched_on) || value == kCodeWithoutValue) return effective;
  return value;
}

// The lead of one circle, worked out.
struct CircleLead {
  float length = 0;          // L
  float ramp_in_height = 0;  // hi: a depth above the panel, 0 = no ramp-in
  float ramp_out_height = 0;
  bool left = false;  // G41: the tool runs left of the outline, outside the circle
  PlanePoint centre, contact, lead_centre;
  float sweep = 0;  // of the ramp-out along the circle
};

CircleLead WorkOutLead(const ConversionState& s, const CircleRecord& circle, float length) {
  CircleLead lead;
  lead.length = length;
  lead.ramp_in_height = -OrEffective(circle.RI, s.RampIn, s.EffectiveRampHeight);
  lead.ramp_out_height = -OrEffective(circle.RO, s.RampOut, s.EffectiveRampHeight);
  lead.left = CompensationSide(circle.CompCode) > 0;
  const float signed_length = lead.left ? -length : length;
  lead.centre = {circle.CentreX, circle.CentreY};
  lead.lead_centre = AlongDirection(lead.centre, circle.Radius - signed_length, kContactAngle);
  lead.contact = AlongDirection(lead.centre, circle.Radius, kContactAngle);
  lead.sweep = std::min(length / (2 * kPi * circle.Radius) * kFullTurn, kLongestSweep);
  return lead;
}

PathSegment LeadRecord(const CircleRecord& circle, int16_t type, PlanePoint at) {
  PathSegment s = CircleToolData(circle);
  // The lead contour is not a pocket outline nor a contour for the lead synthesis.
  s.LD = 0;
  s.RO = 0;
  s.RI = 0;
  s.OZ = 0;
  s.SegmentType = type;
  s.X = at.X;
  s.Y = at.Y;
  return s;
}

PathSegment ArcStart(const CircleRecord& circle, PlanePoint at, PlanePoint centre) {
  PathSegment s = LeadRecord(circle, -segment::kCentreArc, at);
  s.CentreX = centre.X;
  s.CentreY = centre.Y;
  return s;
}

PathSegment ArcEnd(const CircleRecord& circle, PlanePoint at, float other_angle, float point_angle,
                   int16_t sense) {
  PathSegment s = LeadRecord(circle, segment::kCentreArc, at);
  s.CentreX = other_angle;
  s.CentreY = point_angle;
  s.ChainFlag = sense;
  return s;
}

// Appends the six records of the lead contour; returns its row.
int AppendLeadContour(ConversionState& s, const CircleRecord& circle, const CircleLead& lead) {
  const float a = kContactAngle;
  const float L = lead.length;
  const int16_t lead_sense = lead.left ? kCounterClockwise : kClockwise;
  const int first = s.PathList.size() + 1;

  PathSegment lead_in_start =
      ArcStart(circle, AlongDirection(lead.lead_centre, L, a + kQuarterTurn), lead.lead_centre);
  lead_in_start.ChainFlag = kContourStart;
  if (lead.ramp_in_height != 0) lead_in_start.Z = lead.ramp_in_height;
  s.PathList.push_back(lead_in_start);
  s.PathList.push_back(
      ArcEnd(circle, lead.contact, Normalized(a + kQuarterTurn), lead.left ? a + kHalfTurn : a, lead_sense));
  s.PathList[first].Lead = s.PathList[first + 1].Lead = lead::kIn;

  s.PathList.push_back(ArcStart(circle, lead.contact, lead.centre));
  s.PathList.push_back(ArcEnd(circle, lead.contact, a, a, kClockwise));

  if (lead.ramp_out_height == 0) {
    s.PathList.push_back(ArcStart(circle, lead.contact, lead.lead_centre));
    s.PathList.push_back(ArcEnd(circle, AlongDirection(lead.lead_centre, L, a - kQuarterTurn), a,
                                Normalized(a - kQuarterTurn), lead_sense));
  } else {
    // The tool rises along the circle itself, on past the contact point by the sweep.
    const float end_angle = a - lead.sweep;
    PathSegment start = ArcStart(circle, lead.contact, lead.centre);
    PathSegment end = ArcEnd(circle, AlongDirection(lead.centre, circle.Radius, end_angle), a,
                             Normalized(end_angle), kClockwise);
    start.Z = lead.ramp_out_height;
    end.Z = lead.ramp_out_height;
    s.PathList.push_back(start);
    s.PathList.push_back(end);
  }
  s.PathList[first + 4].Lead = s.PathList[first + 5].Lead = lead::kOut;
  return AddUsedContourRow(s, first, s.PathList.size(), a + kQuarterTurn, a - lead.sweep);
}

}  // namespace

std::vector<int> MakeCircleLeads(EngineContext& c) {
  ConversionState& s = c.state;
  std::vector<int> rows;
  if (s.EffectiveLeadLength == 0 && !s.LeadsOn && !c.store.Current.LeadCodeSeen) return rows;
  for (int k = 1; k <= s.CircleList.size(); ++k) {
    CircleRecord& circle = s.CircleList[k];
    if (circle.Expanded != 0) continue;
    const float length = OrEffective(circle.LD, s.LeadsOn, s.EffectiveLeadLength);
    // Without a lead length or a compensation side the circle is simply opened later.
    if (!(length > 0) || IsBlankText(circle.CompCode.view())) continue;
    rows.push_back(AppendLeadContour(s, circle, WorkOutLead(s, circle, length)));
    circle.Expanded = -1;
    circle.LayerNumber = 0;
  }
  return rows;
}

}  // namespace mq
