// Vertical bores: POINT and CIRCLE entities on VBORE and DRILL layers. A circle whose
// extrusion points at an edge of the panel is a horizontal bore into that edge.

#include "engine/collect/vertical_bores.h"

#include <cmath>

#include "engine/collect/bores_and_grooves.h"
#include "input/layer_codes.h"

namespace mq {

namespace {

// A circle drawn on an edge face that lies this close to the opposite edge of the panel
// is drilled into that opposite edge: its position decides, not its extrusion sign.
constexpr float kEdgeCorrectionTolerance = 0.5f;

bool Near(float a, float b) { return std::fabs(a - b) < kEdgeCorrectionTolerance; }

// The edge of a circle drawn on edge face `face` (1..4) centred at (x, y), both in
// drawing coordinates.
int16_t CorrectedEdge(int16_t face, float x, float y, const ExtentBox& panel) {
  switch (face) {
    case edge::kTop:
      return Near(y, panel.MinY) ? edge::kBottom : face;
    case edge::kBottom:
      return Near(y, panel.MaxY) ? edge::kTop : face;
    case edge::kLeft:
      return Near(x, panel.MaxX) ? edge::kRight : face;
    case edge::kRight:
      return Near(x, panel.MinX) ? edge::kLeft : face;
    default:
      return face;
  }
}

// A panel given by a PANEL SOLID may lie left of or below the drawing origin; a circle
// centre on the positive side there is taken as given without its sign and gets the
// panel's sign back.
void MirrorIntoSolidPanel(const ConversionState& s, float& x, float& y) {
  if (!s.PanelFound) return;
  if (s.PartOriginX < 0 && x > 0) x = -x;
  if (s.PartOriginY < 0 && y > 0) y = -y;
}

// Diameter of a circle bore: "D" when given, else the circle's own size.
float CircleDiameter(const EntityRegisters& r) {
  const float d = CodeD(r);
  const float radius = d > 0 ? d / 2 : r.EntRadius;
  return radius * 2;
}

void AddEdgeFaceBore(EngineContext& c, int16_t face, float x, float y) {
  EntityRegisters& r = c.store.Current;
  const ConversionState& s = c.state;
  EdgeBoreRecord bore;
  bore.Side = CorrectedEdge(face, x, y, s.PartExtents[kPanelBox]);
  if (bore.Side == edge::kTop || bore.Side == edge::kBottom) {
    bore.X = x - s.PartOriginX;
    bore.Y = r.EntThicknessAsRead;
  } else {
    bore.X = r.EntThicknessAsRead;
    bore.Y = y - s.PartOriginY;
  }
  bore.Z = r.EntElevation;
  bore.Diameter = r.EntRadius * 2;
  SetEdgeBoreTooling(bore, r);
  c.state.EdgeBoreList.push_back(bore);
}

}  // namespace

void CollectVerticalBore(EngineContext& c) {
  EntityRegisters& r = c.store.Current;
  const bool circle = CurrentEntityIs(c, "CIRCLE");
  float x = r.EntX1;
  float y = r.EntY1;
  if (circle) {
    MirrorIntoSolidPanel(c.state, x, y);
    // Faces 1..4 are the edges, numbered as the edges are; 5 (or unset) is the top face.
    if (r.EntFace >= edge::kTop && r.EntFace <= edge::kRight) {
      AddEdgeFaceBore(c, r.EntFace, x, y);
      return;
    }
  }
  BoreRecord bore;
  bore.X = x - c.state.PartOriginX;
  bore.Y = y - c.state.PartOriginY;
  bore.Z = CodeZ(r);
  if (circle && bore.Z == 0) bore.Z = std::fabs(r.EntThicknessAsRead);
  bore.Diameter = circle ? CircleDiameter(r) : CodeD(r);
  bore.ToolText = ToolList(r);
  c.state.BoreList.push_back(bore);
}

}  // namespace mq
