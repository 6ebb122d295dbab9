// Multiple depth passes: a contour whose layer asks for M passes is cut M times, each
// pass a complete copy of the contour, at 1/M, 2/M, ... of its depth.

#include "engine/toolpath/depth_passes.h"

#include <utility>
#include <vector>

#include "engine/geometry/contour_geometry.h"

namespace mq {

namespace {

struct RepeatedContour {
  int Passes = 0;
  ContourSpan Span;
};

// Contours that start with a marked record whose M value asks for passes. A mark without
// M, or a removed record, ends the contour before it.
std::vector<RepeatedContour> FindRepeatedContours(const OneBasedList<PathSegment>& path) {
  std::vector<RepeatedContour> found;
  bool open = false;
  for (int i = 1; i <= path.size(); ++i) {
    const PathSegment& point = path[i];
    if (point.ChainFlag == kContourStart && point.M > 0) {
      if (open) found.back().Span.Last = i - 1;
      found.push_back({point.M, {i, path.size()}});
      open = true;
    } else if (point.ChainFlag == kContourStart || point.SegmentType == segment::kRemoved) {
      if (open) found.back().Span.Last = i - 1;
      open = false;
    }
  }
  return found;
}

// The depth of pass `pass` of `passes`. A point without a depth (90 or more) keeps it:
// dividing it would turn "no depth given" into a real plunge.
float PassDepth(float depth, int passes, int pass) {
  if (depth >= kNoDepthFrom) return depth;
  return depth / static_cast<float>(passes) * static_cast<float>(pass);
}

}  // namespace

void RepeatDepthPasses(EngineContext& c) {
  OneBasedList<PathSegment>& path = c.state.PathList;
  const std::vector<RepeatedContour> repeated = FindRepeatedContours(path);
  if (repeated.empty()) return;

  std::vector<PathSegment> result;
  int copied = 1;  // the next record of the old list not yet copied
  for (const RepeatedContour& contour : repeated) {
    for (; copied < contour.Span.First; ++copied) result.push_back(path[copied]);
    for (int pass = 1; pass <= contour.Passes; ++pass) {
      for (int r = contour.Span.First; r <= contour.Span.Last; ++r) {
        PathSegment point = path[r];
        point.Z = PassDepth(point.Z, contour.Passes, pass);
        result.push_back(point);
      }
    }
    copied = contour.Span.Last + 1;
  }
  for (; copied <= path.size(); ++copied) result.push_back(path[copied]);
  path.raw() = std::move(result);
}

}  // namespace mq
