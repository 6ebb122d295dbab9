#pragma once
// Builds PathList records the way the route pass and contour joining leave them, and
// bundles the context a pass runs in, for tests of the passes that reshape PathList.
//
// Conventions of a finished PathList that the builder follows: the first record of
// every contour carries ChainFlag -8; pieces chained into a contour keep their negative
// SegmentType; a centre arc is a -3 record (centre in CentreX/CentreY) followed by a 3
// record (start angle in CentreX, end angle in CentreY, ChainFlag -1 when it runs
// counter-clockwise, 0 clockwise). Pieces laid down as the route pass lays them are
// built with `starts` clear (ChainFlag 0 everywhere).

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "engine/driver/engine_context.h"
#include "engine/driver/machining_records.h"
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
      if (ch != '\r') {
        line += ch;
      } else {
        lines.push_back(line);
        line.clear();
      }
    }
    return lines;
  }
};

// A `width` x `height` panel drawn at `origin`, as the border evaluation leaves it: box
// 5, the panel origin, the tolerance of a millimetre drawing.
struct PanelHarness : PassHarness {
  explicit PanelHarness(float width = 600, float height = 400, float origin = 0) {
    state.PartExtents[kPanelBox] = {origin, origin + width, origin, origin + height, width, height, true};
    state.PartOriginX = state.PartOriginY = origin;
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
  PathBuilder& Polyline(const std::vector<BuildVertex>& vertices, bool closed, bool starts = true) {
    for (std::size_t k = 0; k < vertices.size() + (closed ? 1 : 0); ++k) {
      const BuildVertex& v = vertices[k % vertices.size()];
      Add(v.x, v.y, k == 0 ? -segment::kPolyline : segment::kPolyline, starts && k == 0);
      records_.back().CentreX = v.bulge != 0 ? -1.0f : 0.0f;
      records_.back().CentreY = v.bulge;
    }
    return *this;
  }

  // Straight pieces chained through the points: a -1/1 pair per piece, the first
  // starting a contour when `starts` is set.
  PathBuilder& Lines(const std::vector<BuildPoint>& points, bool starts = true) {
    for (std::size_t k = 1; k < points.size(); ++k) Line(points[k - 1], points[k], starts && k == 1);
    return *this;
  }

  // A straight piece; it starts a contour when `starts` is set, else it is chained.
  PathBuilder& Line(BuildPoint from, BuildPoint to, bool starts) {
    Add(from.x, from.y, -segment::kLine, starts);
    Add(to.x, to.y, segment::kLine, false);
    return *this;
  }

  // A centre arc from the angle `from` to the angle `to` (degrees) round `centre`. The
  // route pass lays a DXF arc down as Arc(centre, r, end, start, false, false).
  PathBuilder& Arc(BuildPoint centre, float radius, float from, float to, bool counterClockwise,
                   bool starts) {
    Add(centre.x + radius * Cos(from), centre.y + radius * Sin(from), -segment::kCentreArc, starts);
    records_.back().CentreX = centre.x;
    records_.back().CentreY = centre.y;
    Add(centre.x + radius * Cos(to), centre.y + radius * Sin(to), segment::kCentreArc, false);
    records_.back().CentreX = from;
    records_.back().CentreY = to;
    records_.back().ChainFlag = counterClockwise ? -1 : 0;
    return *this;
  }

  // A full circle opened at its top, as contour joining leaves a lone circle.
  PathBuilder& Circle(BuildPoint centre, float radius, bool counterClockwise) {
    Arc(centre, radius, 90, 90, counterClockwise, true);
    records_.back().X = records_[records_.size() - 2].X = centre.x;
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
    r.CentreX = r.CentreY = 0;
    records_.push_back(r);
  }
  static float Cos(float degrees) { return static_cast<float>(std::cos(degrees * 3.14159265358979 / 180)); }
  static float Sin(float degrees) { return static_cast<float>(std::sin(degrees * 3.14159265358979 / 180)); }

  PathSegment defaults_;
  std::vector<PathSegment> records_;
};

// A record with the values a test usually sets, for PathBuilder::Defaults.
inline PathSegment RouteRecord(float depth, const char* compCode = "", float leadLength = 0) {
  PathSegment r;
  r.LayerNumber = r.Tool = 1;
  r.Z = depth;
  r.CompCode = compCode;
  r.LD = leadLength;
  r.Box = kPanelBox;
  return r;
}

// A routed circle carrying the tool data of `tool`, as the route pass leaves it.
inline CircleRecord RouteCircle(float cx, float cy, float radius, const PathSegment& tool) {
  CircleRecord c;
  c.CentreX = cx;
  c.CentreY = cy;
  c.Radius = radius;
  c.Depth = tool.Z;
  c.ToolDiameter = tool.ToolDiameter;
  c.Tool = tool.Tool;
  c.LayerNumber = tool.LayerNumber;
  c.Speed = tool.VM;
  c.LD = tool.LD;
  c.CompCode = tool.CompCode;
  c.Sequence = tool.Sequence;
  return c;
}

// A record as a short text to compare: SegmentType and point, then the centre values and
// the ChainFlag where they are not 0, to the thousandth ("-3 190,160 c200,160 f-8").
inline std::string Describe(const PathSegment& r) {
  auto n = [](float v) {
    return (std::ostringstream() << std::round(v * 1000) / 1000 + 0.0).str();
  };  // no -0
  std::string text = std::to_string(r.SegmentType) + " " + n(r.X) + "," + n(r.Y);
  if (r.CentreX != 0 || r.CentreY != 0) text += " c" + n(r.CentreX) + "," + n(r.CentreY);
  if (r.ChainFlag != 0) text += " f" + std::to_string(r.ChainFlag);
  return text;
}

inline std::vector<std::string> Describe(const OneBasedList<PathSegment>& path) {
  std::vector<std::string> records;
  for (const PathSegment& r : path) records.push_back(Describe(r));
  return records;
}

}  // namespace mq::test
