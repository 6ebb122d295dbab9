// Circle pockets: after the circle itself, half circles between the top and the bottom
// of the circle's vertical line, each P/2 smaller in radius than the one before, with
// their centres P/4 above and below the circle's centre by turns. Every half turn the
// path comes P/2 closer to the centre, P per full turn.

#include "engine/toolpath/excavation_circle.h"

#include <cmath>

#include "engine/geometry/contour_geometry.h"
#include "engine/toolpath/excavation.h"

namespace mq {

namespace {

constexpr float kTop = 90.0f;
constexpr float kBottom = 270.0f;

// A half circle from the point at `startAngle` round `centre` to the opposite point.
void AppendHalfCircle(std::vector<PathSegment>& out, const PathSegment& arcStart, const PathSegment& arcEnd,
                      PlanePoint centre, float radius, bool startAtTop, int16_t directionFlag) {
  const float up = startAtTop ? 1.0f : -1.0f;
  PathSegment start = arcStart;
  start.SegmentType = -segment::kCentreArc;
  start.ChainFlag = 0;
  start.X = centre.X;
  start.Y = centre.Y + up * radius;
  start.CentreX = centre.X;
  start.CentreY = centre.Y;
  PathSegment end = arcEnd;
  end.SegmentType = segment::kCentreArc;
  end.ChainFlag = directionFlag;
  end.X = centre.X;
  end.Y = centre.Y - up * radius;
  end.CentreX = startAtTop ? kTop : kBottom;  // the angle the arc starts at
  end.CentreY = startAtTop ? kBottom : kTop;  // the angle of this end point, read by the writer
  out.push_back(start);
  out.push_back(end);
}

}  // namespace

bool IsFullCircle(const OneBasedList<PathSegment>& path, ContourSpan span, float tolerance) {
  if (span.Size() != 2) return false;
  const PathSegment& start = path[span.First];
  const PathSegment& end = path[span.Last];
  return start.SegmentType == -segment::kCentreArc && end.SegmentType == segment::kCentreArc &&
         std::fabs(start.X - end.X) < tolerance && std::fabs(start.Y - end.Y) < tolerance;
}

std::vector<PathSegment> CirclePocket(const EngineContext& c, ContourSpan circle, float pitch) {
  const OneBasedList<PathSegment>& path = c.state.PathList;
  const PathSegment& arcStart = path[circle.First];
  PathSegment arcEnd = path[circle.Last];
  const PlanePoint centre = CentreOf(arcStart);
  // Contour joining opens a lone circle at its top; a circle opened elsewhere is not
  // one this spiral can start from.
  if (std::fabs(arcStart.X - centre.X) >= c.state.CoincidenceTolerance) return {};
  const bool g41 = arcStart.CompCode[2] == '1';
  const int16_t directionFlag = ArcDirectionFlag(g41);
  // The circle runs the way the half circles do, so that the compensation keeps the
  // tool on one side, inside the pocket, all the way.
  arcEnd.ChainFlag = directionFlag;
  std::vector<PathSegment> out{arcStart, arcEnd};

  bool atTop = arcStart.Y >= centre.Y;
  float running = std::fabs(arcStart.Y - centre.Y);  // distance of the path from the centre
  while (running > pitch) {
    const float up = atTop ? 1.0f : -1.0f;
    const PlanePoint halfCentre{centre.X, centre.Y + up * pitch / 4};
    AppendHalfCircle(out, arcStart, arcEnd, halfCentre, running - pitch / 4, atTop, directionFlag);
    running -= pitch / 2;
    atTop = !atTop;
  }
  return out;
}

}  // namespace mq
