// The excavation pass: every contour drawn on an EXCAV layer becomes the tool path that
// clears the pocket it outlines, one pitch between neighbouring passes.

#include "engine/toolpath/excavation.h"

#include <cmath>
#include <string_view>
#include <utility>

#include "engine/collect/layer_roles.h"
#include "engine/geometry/contour_geometry.h"
#include "engine/toolpath/excavation_circle.h"
#include "engine/toolpath/excavation_outline.h"
#include "input/layer_codes.h"
#include "input/numeric_text.h"

namespace mq {

namespace {

constexpr char kNoPitchRectangle[] = "Excavation Pitch not specified! (Rectangle)";
constexpr char kNoPitchCircle[] = "Excavation Pitch not specified! (Circle)";

// A contour of more than this many records is an outline pocket.
constexpr int kMostRecordsOfPlainContour = 5;
// The compensation value stands after the first five characters of the code ("G41 L5").
constexpr std::size_t kCompensationValueAt = 5;

// The pitch between passes: K (stored as -(K + 1) in OZ), else twice the compensation
// value, that is the tool's diameter when the layer gives its radius.
float PocketPitch(const PathSegment& first) {
  float pitch = std::fabs(first.OZ) - 1.0f;
  if (pitch == 0) {
    const std::string code = first.CompCode.trimmed();
    const std::string_view value =
        code.size() > kCompensationValueAt ? std::string_view(code).substr(kCompensationValueAt) : "";
    pitch = 2.0f * static_cast<float>(ReadNumber(value));
  }
  return pitch;
}

// The records that clear the pocket outlined by `span`, or none to leave it as drawn.
std::vector<PathSegment> PocketOf(EngineContext& c, ContourSpan span) {
  const OneBasedList<PathSegment>& path = c.state.PathList;
  const PathSegment& first = path[span.First];
  const bool outline = span.Size() > kMostRecordsOfPlainContour;
  const bool circle = !outline && IsFullCircle(path, span, c.state.CoincidenceTolerance);
  if (!outline && !circle) return {};
  const float pitch = PocketPitch(first);
  if (pitch <= 0) {
    AddWarningLine(c.run, outline ? kNoPitchRectangle : kNoPitchCircle);
    return {};
  }
  if (outline) return RectanglePocket(c, span, pitch, RouteLayerAsDrawn(c.state, first.LayerNumber));
  return CirclePocket(c, span, pitch);
}

}  // namespace

void ExcavatePockets(EngineContext& c) {
  OneBasedList<PathSegment>& path = c.state.PathList;
  std::vector<PathSegment> result;
  int copied = 1;  // the next record of the old list not yet taken over
  for (const ContourSpan& span : MarkedContours(path)) {
    if (path[span.First].OZ >= 0) continue;  // not drawn on an EXCAV layer
    std::vector<PathSegment> pocket = PocketOf(c, span);
    if (pocket.empty()) continue;
    for (; copied < span.First; ++copied) result.push_back(path[copied]);
    result.insert(result.end(), pocket.begin(), pocket.end());
    copied = span.Last + 1;
  }
  if (copied == 1) return;
  for (; copied <= path.size(); ++copied) result.push_back(path[copied]);
  path.raw() = std::move(result);
}

}  // namespace mq
