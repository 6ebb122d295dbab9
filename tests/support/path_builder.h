#pragma once
// Builds PathList records the way the route pass and contour joining leave them, and
// bundles the context a pass runs in, for tests of the passes that reshape PathList.
//
// Conventions of a finished PathList that the builder follows: the first record of
// every contour carries ChainFlag -8; pieces chained into a contour keep their negative
// SegmentType; a centre arc is a -3 record (centre in CentreX/CentreY) followed by a 3
// record (start angle in CentreX, end angle in CentreY, ChainFlag -1 when it runs
// counter-clockwise, 0 clockwise).

#include <cmath>
#include <initializer_list>
#include <vector>

#include "engine/angles.h"
#include "engine/engine_context.h"
#include "engine/machining_records.h"
#include "input/entity_store.h"
#include "input/run_context.h"
#include "recording_operator.h"

namespace mq::test {

// The context of one conversion with an operator that records what it is told.
struct PassHarness {
  RecordingOperator person;
  RunContext run{person};
  EntityStore store;
  Settings settings;
  ConversionState state;
  EngineContext context{run, store, settings, state, nullptr};

  OneBasedList<PathSegment>& path() { return state.PathList; }
  // The lines collected for the report row (ReportMessage mode 1), in order.
  std::vector<std::string> PendingLines() const {
    std::vector<std::string> lines;
    std::string line;
    for (char ch : run.PendingMessage) {
      if (ch == '\r') {
        lines.push_back(line);
        line.clear();
      } else {
        line += ch;
      }
    }
    return lines;
  }
};

// A panel of `width` x `height` millimetres with its lower-left corner at the origin,
// as the border evaluation leaves it: box 5, the tolerance of a millimetre drawing.
struct PanelHarness : PassHarness {
  explicit PanelHarness(float width = 600, float height = 400) {
    ExtentBox& panel = state.PartExtents[kPanelBox];
    panel = {0, width, 0, height, width, height, true};
    state.CoincidenceTolerance = 0.1f;
  }
};

struct BuildVertex {
  float x = 0, y = 0, bulge = 0;
};

struct BuildPoint {
  float x = 0, y = 0;
};

class PathBuilder {
 public:
  // The record every following record is copied from (depth, tool, compensation...).
  PathBuilder& Defaults(const PathSegment& record) {
    defaults_ = record;
    return *this;
  }

  // A polyline contour: -5 on the first vertex, 5 on the others; a closed one gets one
  // more record back at the first vertex carrying the first vertex's bulge.
  PathBuilder& Polyline(std::initializer_list<BuildVertex> vertices, bool closed) {
    bool first = true;
    for (const BuildVertex& v : vertices) {
      Add(v.x, v.y, first ? -segment::kPolyline : segment::kPolyline, first);
      SetBulge(records_.back(), v.bulge);
      first = false;
    }
    if (closed) {
      const BuildVertex& v = *vertices.begin();
      Add(v.x, v.y, segment::kPolyline, false);
      SetBulge(records_.back(), v.bulge);
    }
    return *this;
  }

  // Straight pieces chained through the points, one contour: a -1/1 pair per piece.
  PathBuilder& Lines(std::initializer_list<BuildPoint> points) {
    const BuildPoint* previous = nullptr;
    for (const BuildPoint& p : points) {
      if (previous != nullptr) {
        Add(previous->x, previous->y, -segment::kLine, previous == points.begin());
        Add(p.x, p.y, segment::kLine, false);
      }
      previous = &p;
    }
    return *this;
  }

  // A straight piece; it starts a contour when `starts` is set, else it is chained.
  PathBuilder& Line(BuildPoint from, BuildPoint to, bool starts) {
    Add(from.x, from.y, -segment::kLine, starts);
    Add(to.x, to.y, segment::kLine, false);
    return *this;
  }

  // A centre arc from the angle `from` to the angle `to` (degrees) round `centre`.
  PathBuilder& Arc(BuildPoint centre, float radius, float from, float to, bool counterClockwise,
                   bool starts) {
    const BuildPoint a = OnCircle(centre, radius, from);
    const BuildPoint b = OnCircle(centre, radius, to);
    Add(a.x, a.y, -segment::kCentreArc, starts);
    records_.back().CentreX = centre.x;
    records_.back().CentreY = centre.y;
    Add(b.x, b.y, segment::kCentreArc, false);
    records_.back().CentreX = from;
    records_.back().CentreY = to;
    records_.back().ChainFlag = counterClockwise ? -1 : 0;
    return *this;
  }

  // A full circle opened at its top, as contour joining leaves a lone circle.
  PathBuilder& Circle(BuildPoint centre, float radius, bool counterClockwise) {
    Add(centre.x, centre.y + radius, -segment::kCentreArc, true);
    records_.back().CentreX = centre.x;
    records_.back().CentreY = centre.y;
    Add(centre.x, centre.y + radius, segment::kCentreArc, false);
    records_.back().CentreX = 90;
    records_.back().CentreY = 90;
    records_.back().ChainFlag = counterClockwise ? -1 : 0;
    return *this;
  }

  // A record as given, for cases the shapes above do not cover.
  PathBuilder& Raw(const PathSegment& record) {
    records_.push_back(record);
    return *this;
  }

  OneBasedList<PathSegment> Build() const {
    OneBasedList<PathSegment> list;
    for (const PathSegment& r : records_) list.push_back(r);
    return list;
  }

 private:
  void Add(float x, float y, int16_t type, bool startsContour) {
    PathSegment r = defaults_;
    r.X = x;
    r.Y = y;
    r.SegmentType = type;
    r.ChainFlag = startsContour ? kContourStart : 0;
    r.CentreX = 0;
    r.CentreY = 0;
    records_.push_back(r);
  }
  static void SetBulge(PathSegment& r, float bulge) {
    r.CentreY = bulge;
    r.CentreX = bulge != 0 ? -1.0f : 0.0f;
  }
  static BuildPoint OnCircle(BuildPoint centre, float radius, float angle) {
    const double a = angle * 3.14159265358979323846 / 180.0;
    return {centre.x + radius * static_cast<float>(std::cos(a)),
            centre.y + radius * static_cast<float>(std::sin(a))};
  }

  PathSegment defaults_;
  std::vector<PathSegment> records_;
};

// A record with the values a test usually sets, for PathBuilder::Defaults.
inline PathSegment RouteRecord(float depth, const char* compCode = "", float leadLength = 0) {
  PathSegment r;
  r.Z = depth;
  r.CompCode = compCode;
  r.LD = leadLength;
  r.Tool = 1;
  r.Box = kPanelBox;
  return r;
}

}  // namespace mq::test
