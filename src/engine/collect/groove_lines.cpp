// Saw grooves and horizontal bores drawn as lines: LINE entities, and POLYLINE entities
// as one piece per pair of consecutive vertices.

#include "engine/collect/groove_lines.h"

#include <cmath>

#include "engine/collect/bores_and_grooves.h"
#include "input/layer_codes.h"
#include "input/numeric_text.h"

namespace mq {

namespace {

// A POLYLINE whose flags value is exactly this (spline-fit vertices added) is skipped, as
// the border collection skips it.
constexpr int16_t kSkippedPolylineFlags = 4;

// The saw's kerf in drawing units: "K", else the saw-kerf setting (millimetres).
float GrooveKerf(const EngineContext& c) {
  const float k = CodeK(c.store.Current);
  if (k > 0) return k;
  return static_cast<float>(ReadNumber(c.settings.SawKerf) / c.state.UnitFactor);
}

// Depth "Z", or the entity's elevation when Z is missing or zero.
float DepthOrElevation(EntityRegisters& r) {
  const float z = CodeZ(r);
  return z == 0 ? std::fabs(r.EntElevation) : z;
}

struct Piece {
  float X1, Y1, X2, Y2;  // drawing coordinates
};

// The piece's end points, measured from PartOrigin, into a groove or bore line.
template <class Record>
void SetEnds(Record& record, const Piece& p, const ConversionState& s) {
  record.X1 = p.X1 - s.PartOriginX;
  record.Y1 = p.Y1 - s.PartOriginY;
  record.X2 = p.X2 - s.PartOriginX;
  record.Y2 = p.Y2 - s.PartOriginY;
}

void AddGroove(EngineContext& c, const Piece& p, bool from_polyline) {
  EntityRegisters& r = c.store.Current;
  GrooveLine g;
  SetEnds(g, p, c.state);
  g.Z = DepthOrElevation(r);
  const float d = CodeD(r);
  g.Width = d > 0 ? d : r.EntRadius;
  g.Kerf = GrooveKerf(c);
  if (from_polyline) {
    g.VZ = CodeFD(r);
    g.VX = CodeF(r);
  }
  g.Tool = RoundToInt16(ReadNumber(ToolList(r)));
  g.Side = CodeES(r);
  g.DrawingLine = r.EntLine;
  c.state.GrooveList.push_back(g);
}

void AddHBoreLine(EngineContext& c, const Piece& p) {
  EntityRegisters& r = c.store.Current;
  HBoreLine line;
  SetEnds(line, p, c.state);
  line.Feed = CodeF(r);
  line.Depth = DepthOrElevation(r);
  line.G = GOrOne(r);
  line.Speed = CodeS(r);
  line.ToolText = ToolList(r);
  line.DrawingLine = r.EntLine;
  c.state.HBoreLineList.push_back(line);
}

// One piece with the parameters of the entity loaded last.
void AddPiece(EngineContext& c, const Piece& p, bool groove, bool hbore, bool from_polyline) {
  if (groove) AddGroove(c, p, from_polyline);
  if (hbore) AddHBoreLine(c, p);
}

bool IsVertexRecord(const EngineContext& c, int index) {
  return index >= 0 && index <= c.store.LastIndex() &&
         c.store.Entities[static_cast<std::size_t>(index)].EntityType.trimmed() == "VERTEX";
}

}  // namespace

void CollectLines(EngineContext& c, int& index) {
  const bool groove = OnGrooveLayer(c);
  const bool hbore = OnHBoreLineLayer(c);
  if (!groove && !hbore) return;
  const EntityRegisters& r = c.store.Current;

  if (CurrentEntityIs(c, "LINE")) {
    AddPiece(c, {r.EntX1, r.EntY1, r.EntX2, r.EntY2}, groove, hbore, false);
    return;
  }
  if (r.EntFlags == kSkippedPolylineFlags) return;
  bool have_previous = false;
  float x = 0, y = 0;
  // The vertices up to SEQEND, loaded as the second pass loads every entity; SEQEND
  // itself is left for the caller's walk.
  while (IsVertexRecord(c, index)) {
    c.Load(index);
    if (have_previous) AddPiece(c, {x, y, r.EntX1, r.EntY1}, groove, hbore, true);
    x = r.EntX1;
    y = r.EntY1;
    have_previous = true;
  }
}

}  // namespace mq
