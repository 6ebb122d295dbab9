// The records of lead-ins, lead-outs and ramp-out overruns. Leads lie on the right of
// the direction of travel for "G41" (d - 90) and on the left for "G42" (d + 90).
// The records are gathered per contour and put into place by the caller in one sweep;
// only the contour's own first and last records are changed where they stand.

#include "engine/toolpath/lead_inserts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/geometry/angles.h"
#include "engine/geometry/contour_geometry.h"
#include "engine/toolpath/lead_directions.h"
#include "engine/toolpath/lead_synthesis.h"

namespace mq {

namespace {

// The overrun along a centre arc too short for the lead length, degrees.
constexpr float kShortArcOverrunSweep = 20.0f;

// The normal on the lead side of a direction.
float LeadSideNormal(float direction, int side) {
  return Normalized(side > 0 ? direction - kQuarterTurn : direction + kQuarterTurn);
}

PathSegment LineRecord(const PathSegment& copyOf, PlanePoint at, int16_t segmentType) {
  PathSegment r = copyOf;
  r.SegmentType = segmentType;
  r.ChainFlag = 0;
  r.X = at.X;
  r.Y = at.Y;
  r.CentreX = 0;
  r.CentreY = 0;
  return r;
}

PathSegment ArcStartRecord(const PathSegment& copyOf, PlanePoint at, PlanePoint centre) {
  PathSegment r = LineRecord(copyOf, at, -segment::kCentreArc);
  r.CentreX = centre.X;
  r.CentreY = centre.Y;
  return r;
}

// The end of a centre arc: the writer takes the end point's angle from CentreY.
PathSegment ArcEndRecord(const PathSegment& copyOf, PlanePoint at, float startAngle, float endAngle,
                         bool counterClockwise) {
  PathSegment r = LineRecord(copyOf, at, segment::kCentreArc);
  r.CentreX = startAngle;
  r.CentreY = endAngle;
  r.ChainFlag = ArcDirectionFlag(counterClockwise);
  return r;
}

// On a polyline vertex the bulge describes the piece that leaves it; behind the last
// vertex that piece is now the lead-out.
void SetLeavingBulge(PathSegment& vertex, float bulge) {
  if (std::abs(vertex.SegmentType) != segment::kPolyline) return;
  vertex.CentreY = bulge;
  vertex.CentreX = bulge != 0 ? -1.0f : 0.0f;
}

// An arc next to the start whose centre lies within the lead length, turning towards
// the lead side: a quarter-arc lead of that length would not clear it.
bool ArcForcesStraightLead(const BoundaryArc& arc, PlanePoint start, float length, int side) {
  return arc.Present && Distance(arc.Centre, start) < length && arc.CounterClockwise == (side < 0);
}

float ClippedLength(const ContourShape& shape, float length) { return std::min(shape.FirstChord, length); }

// The records in front of S; the first becomes the contour's start, at the ramp-in
// height when there is one.
void SetLeadIn(OneBasedList<PathSegment>& path, const ContourShape& shape, std::vector<PathSegment> records,
               float rampIn, ContourLeads& leads) {
  records.front().ChainFlag = kContourStart;
  if (rampIn != 0) records.front().Z = rampIn;
  path[shape.Span.First].ChainFlag = 0;
  leads.Before = std::move(records);
}

void StraightLeadIn(OneBasedList<PathSegment>& path, const ContourShape& shape, PlanePoint from, float rampIn,
                    ContourLeads& leads) {
  PathSegment& start = path[shape.Span.First];
  const PathSegment lead = LineRecord(start, from, -segment::kLine);
  start.SegmentType = static_cast<int16_t>(std::abs(start.SegmentType));
  SetLeadIn(path, shape, {lead}, rampIn, leads);
}

// A quarter arc of radius `length` round `centre`, from the angle `from` to S at `to`.
void QuarterArcLeadIn(OneBasedList<PathSegment>& path, const ContourShape& shape, PlanePoint centre,
                      float length, float from, float to, bool counterClockwise, float rampIn,
                      ContourLeads& leads) {
  const PathSegment& start = path[shape.Span.First];
  SetLeadIn(path, shape,
            {ArcStartRecord(start, AlongDirection(centre, length, from), centre),
             ArcEndRecord(start, shape.Start, from, to, counterClockwise)},
            rampIn, leads);
}

std::vector<PathSegment> StraightLeadOut(OneBasedList<PathSegment>& path, const ContourShape& shape,
                                         PlanePoint to) {
  PathSegment& end = path[shape.Span.Last];
  const PathSegment lead = LineRecord(end, to, segment::kLine);
  SetLeavingBulge(end, 0);
  return {lead};
}

std::vector<PathSegment> QuarterArcLeadOut(OneBasedList<PathSegment>& path, const ContourShape& shape,
                                           const LeadValues& v) {
  const float m = LeadSideNormal(shape.EndDirection, v.Side);
  const PlanePoint centre = AlongDirection(shape.End, v.Length, m);
  const float endAngle = Normalized(v.Side > 0 ? m + kQuarterTurn : m - kQuarterTurn);
  const PathSegment& end = path[shape.Span.Last];
  return {ArcStartRecord(end, shape.End, centre),
          ArcEndRecord(end, AlongDirection(centre, v.Length, endAngle), Normalized(m + kHalfTurn), endAngle,
                       v.Side < 0)};
}

// The sweep of the first centre arc from S to its end, in its direction of travel; a
// full circle when it ends where it starts.
float FirstArcSweep(const ContourShape& shape, float startAngle) {
  const float endAngle = DirectionAngle(shape.FirstArc.Centre, shape.Second);
  const float sweep =
      Normalized(shape.FirstArc.CounterClockwise ? endAngle - startAngle : startAngle - endAngle);
  return sweep == 0 ? kFullTurn : sweep;
}

// The overrun along a centre-arc first piece, on the arc's own radius, so that the tool
// rises on the path it has cut. It stops at the end of the first arc.
std::vector<PathSegment> ArcOverrun(const PathSegment& end, const ContourShape& shape, const LeadValues& v) {
  const BoundaryArc& arc = shape.FirstArc;
  const float radius = Distance(arc.Centre, shape.Start);
  const float halfCircumference = kPi * radius;
  float sweep =
      halfCircumference > v.Length ? v.Length / halfCircumference * kFullTurn : kShortArcOverrunSweep;
  const float startAngle = DirectionAngle(arc.Centre, shape.Start);
  sweep = std::min(sweep, FirstArcSweep(shape, startAngle));
  const float endAngle = Normalized(arc.CounterClockwise ? startAngle + sweep : startAngle - sweep);
  PathSegment arcEnd = ArcEndRecord(end, AlongDirection(arc.Centre, radius, endAngle), startAngle, endAngle,
                                    arc.CounterClockwise);
  arcEnd.ChainFlag = arc.DirectionFlag;
  arcEnd.Z = v.RampOut;
  return {ArcStartRecord(end, shape.End, arc.Centre), arcEnd};
}

// The overrun along a bulge first piece: the part of that arc whose length is the
// clipped share of the piece, so that the overrun stays on the cut path.
PathSegment BulgeOverrun(PathSegment& end, const ContourShape& shape, const LeadValues& v) {
  const float whole = BulgeIncludedAngle(shape.FirstBulge);
  const float share = shape.FirstChord > 0 ? ClippedLength(shape, v.Length) / shape.FirstChord : 0.0f;
  const float part = whole * share;
  const float halfWhole = std::fabs(whole) / 2 * RadiansPerDegree;
  const float halfPart = std::fabs(part) / 2 * RadiansPerDegree;
  const float chord = shape.FirstChord * std::sin(halfPart) / std::sin(halfWhole);
  // The chord of an arc leaves its start turned from the tangent by half the arc's angle.
  PathSegment q = LineRecord(end, AlongDirection(shape.Start, chord, shape.StartDirection + part / 2),
                             segment::kPolyline);
  q.Z = v.RampOut;
  SetLeavingBulge(end, std::tan(part / 4 * RadiansPerDegree));
  return q;
}

// Ramp out: the tool runs on over the beginning of the contour while it rises.
std::vector<PathSegment> Overrun(OneBasedList<PathSegment>& path, const ContourShape& shape,
                                 const LeadValues& v) {
  PathSegment& end = path[shape.Span.Last];
  if (shape.FirstKind == segment::kCentreArc) return ArcOverrun(end, shape, v);
  if (shape.FirstKind == segment::kPolyline) return {BulgeOverrun(end, shape, v)};
  PathSegment q = LineRecord(
      end, AlongDirection(shape.Start, ClippedLength(shape, v.Length), shape.StartDirection), segment::kLine);
  q.Z = v.RampOut;
  SetLeavingBulge(end, 0);
  return {q};
}

}  // namespace

ContourLeads SmoothStartLeads(OneBasedList<PathSegment>& path, const ContourShape& shape,
                              const LeadValues& v) {
  ContourLeads leads;
  if (v.RampOut != 0) {
    leads.After = Overrun(path, shape, v);
  } else if (ArcForcesStraightLead(shape.FirstArc, shape.Start, v.Length, v.Side)) {
    leads.After = StraightLeadOut(path, shape,
                                  AlongDirection(shape.Start, ClippedLength(shape, v.Length),
                                                 LeadSideNormal(shape.EndDirection, v.Side)));
  } else {
    leads.After = QuarterArcLeadOut(path, shape, v);
  }

  if (ArcForcesStraightLead(shape.LastArc, shape.Start, v.Length, v.Side)) {
    StraightLeadIn(path, shape,
                   AlongDirection(shape.Start, v.Length, LeadSideNormal(shape.EndDirection, v.Side)),
                   v.RampIn, leads);
    return leads;
  }
  // The lead arc touches the first piece at S from the lead side.
  const float n = LeadSideNormal(shape.StartDirection, v.Side);
  const PlanePoint centre = AlongDirection(shape.Start, v.Length, n);
  const float b = Normalized(n + kHalfTurn);
  const float a = Normalized(v.Side > 0 ? b + kQuarterTurn : b - kQuarterTurn);
  QuarterArcLeadIn(path, shape, centre, v.Length, a, b, v.Side < 0, v.RampIn, leads);
  return leads;
}

ContourLeads CornerLeads(OneBasedList<PathSegment>& path, const ContourShape& shape, const LeadValues& v) {
  ContourLeads leads;
  // The bisector of the corner between the arriving and the leaving piece.
  const float gap = AngleGap(shape.StartDirection, Normalized(shape.EndDirection + kHalfTurn));
  const float k = Normalized(v.Side > 0 ? shape.StartDirection - gap / 2 : shape.StartDirection + gap / 2);
  const PlanePoint onBisector = AlongDirection(shape.Start, v.Length, k);

  leads.After = v.RampOut != 0 ? Overrun(path, shape, v) : StraightLeadOut(path, shape, onBisector);

  if (shape.FirstKind != segment::kCentreArc ||
      ArcForcesStraightLead(shape.LastArc, shape.Start, v.Length, v.Side)) {
    StraightLeadIn(path, shape, onBisector, v.RampIn, leads);
    return leads;
  }
  // A quarter arc onto the first arc, centred L ahead of S along its tangent, turning
  // the way the leads of that side turn.
  const PlanePoint centre = AlongDirection(shape.Start, v.Length, shape.StartDirection);
  const float b = Normalized(shape.StartDirection + kHalfTurn);
  const float a = Normalized(v.Side > 0 ? b + kQuarterTurn : b - kQuarterTurn);
  QuarterArcLeadIn(path, shape, centre, v.Length, a, b, v.Side < 0, v.RampIn, leads);
  return leads;
}

}  // namespace mq
