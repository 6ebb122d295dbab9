#pragma once
// The records of the machining lists that the engine builds and the writer reads.
// Lengths are single floats in drawing units; 16-bit integers stay int16_t where their
// range shows in the output.

#include <cstdint>

#include "input/entity_store.h"
#include "input/fixed_text.h"

namespace mq {

// A vertical bore.
struct BoreRecord {
  float X = 0, Y = 0;  // centre, from PartOrigin
  float Z = 0;         // depth
  float Diameter = 0;
  FixedText<30> ToolText;  // "T" parameter text
};

// The edges of the panel, as EdgeBoreRecord::Side numbers them; the edge views of
// PartExtents (boxes 1..4) are numbered alike: above, below, left, right of the panel.
namespace edge {
constexpr int16_t kTop = face::kTopEdge;        // Y maximum
constexpr int16_t kBottom = face::kBottomEdge;  // Y minimum
constexpr int16_t kLeft = face::kLeftEdge;      // X minimum
constexpr int16_t kRight = face::kRightEdge;    // X maximum
}  // namespace edge

// A horizontal bore into an edge of the panel.
struct EdgeBoreRecord {
  int16_t Side = 0;  // 1 top (Y max), 2 bottom (Y min), 3 left (X min), 4 right (X max)
  float VX = 0;      // feed
  float X = 0;       // edges 1, 2: position along the edge; edges 3, 4: bore depth
  float Y = 0;       // edges 1, 2: bore depth; edges 3, 4: position along the edge
  float Z = 0;       // height of the bore axis within the thickness
  float Diameter = 0;
  int16_t G = 1;
  int16_t Speed = 0;
  FixedText<30> ToolText;
};

// A horizontal bore drawn as a line; the edge-bore ordering turns it into an EdgeBoreRecord.
struct HBoreLine {
  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // from PartOrigin
  int32_t DrawingLine = 0;               // where the drawing has it
  float Feed = 0;
  float Depth = 0;
  int16_t G = 1;
  int16_t Speed = 0;
  FixedText<30> ToolText;
};

// A saw groove as drawn (GrooveList), and one saw pass of it (LineBoreList).
struct GrooveLine {
  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // from PartOrigin
  float Z = 0;                           // depth
  float Width = 0;                       // negative: a direction marker
  float Kerf = 0;
  float VZ = 0;  // FD parameter (polyline grooves)
  float VX = 0;  // feed (polyline grooves)
  int16_t Tool = 0;
  int16_t Side = 0;
  int32_t DrawingLine = 0;  // where the drawing has it
};
using LineBoreRecord = GrooveLine;

// SegmentType values.
namespace segment {
constexpr int16_t kRemoved = 0;
constexpr int16_t kLine = 1;           // -1 starts a line, 1 ends it
constexpr int16_t kThreePoint = 2;     // point of a three-point arc chain
constexpr int16_t kCentreArc = 3;      // -3/3: arc start (carries the centre) / arc end
constexpr int16_t kConstantWidth = 4;  // -4: first vertex of a constant-width polyline; 4: no output
constexpr int16_t kPolyline = 5;       // -5 first vertex, 5 further vertex / closing entry
constexpr int16_t kDeleteMark = -9;    // lead synthesis clean-up
}  // namespace segment

// ChainFlag marks.
constexpr int16_t kContourStart = -8;

// PathSegment::Lead values: the records that lead the tool in and out of a contour.
namespace lead {
constexpr int16_t kNone = 0;
constexpr int16_t kIn = 1;
constexpr int16_t kOut = 2;
}  // namespace lead

// One point of a routed contour with the tool data of the piece that ends (or, for a
// start, begins) there.
struct PathSegment {
  int16_t LayerNumber = 0;  // route layer, 1-based among the route layers; 0 once used
  float X = 0, Y = 0;
  float Z = 0;  // depth; 90 or more = no depth given
  float ToolDiameter = 0;
  int16_t G = 1;
  int16_t Tool = 0;
  FixedText<12> ToolText;
  // -3: centre X, Y. 3: end angle / start angle (the arc-end point's angle is in CentreY
  // for the writer). 5/-5: CentreX -1 when the vertex has a bulge; CentreY the bulge.
  // -4: start width / end width.
  float CentreX = 0;
  float CentreY = 0;
  float& Bulge() { return CentreY; }
  float Bulge() const { return CentreY; }
  int16_t SegmentType = 0;
  int16_t ChainFlag = 0;
  int16_t VM = 0;  // speed
  float VX = 0;    // feed (FA for arcs)
  float VZ = 0;    // FD
  float FR = 0, LD = 0, RO = 0, RI = 0;
  FixedText<10> CompCode;  // "G41 ", "G42 " and the value after it, or blank
  int16_t Sequence = 0;
  float OZ = 0;     // oscillation height; on EXCAV layers -(K + 1)
  int16_t M = 0;    // depth passes
  int16_t Box = 0;  // extent box 1..5 holding the point
  int16_t ES = 0;
  int16_t Lead = 0;         // a record of the contour's lead: lead::kIn or lead::kOut
  int32_t DrawingLine = 0;  // the drawing's line of the entity the record comes from

  friend bool operator==(const PathSegment&, const PathSegment&) = default;
};

// A routed circle before it is opened into a contour.
struct CircleRecord {
  float CentreX = 0, CentreY = 0;
  float Depth = 0;
  float ToolDiameter = 0;
  int16_t G = 1;
  int16_t Tool = 0;
  FixedText<12> ToolText;
  float Radius = 0;
  int16_t LayerNumber = 0;
  int16_t Expanded = 0;  // 0 or -1
  int16_t Speed = 0;
  float FA = 0, FD = 0, FR = 0, LD = 0, RO = 0, RI = 0;
  FixedText<10> CompCode;
  int16_t Sequence = 0;
  int16_t M = 0;
  float OZ = 0;
  int16_t Box = 0;
  int32_t DrawingLine = 0;  // the drawing's line of the CIRCLE
};

// One box of PartExtents: 5 is the panel, 1..4 the edge views (above, below, left, right).
struct ExtentBox {
  float MinX = 9999999.0f, MaxX = -9999999.0f;
  float MinY = 9999999.0f, MaxY = -9999999.0f;
  float Width = 0, Height = 0;
  bool Present = false;
};

}  // namespace mq
