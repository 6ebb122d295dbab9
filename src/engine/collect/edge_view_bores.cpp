// Horizontal bores drawn as circles in the edge views around the panel: the view the
// circle lies in names the edge, and the circle's place in the view gives the position
// along the edge and the height of the bore axis.

#include "engine/collect/edge_view_bores.h"

#include "engine/collect/bores_and_grooves.h"
#include "input/layer_codes.h"

namespace mq {

namespace {

// The edge view (1..4) whose box, widened by the edge-view margins, holds (x, y); 0 when
// none does.
int EdgeViewAt(const ConversionState& s, float x, float y) {
  for (int k = edge::kTop; k <= edge::kRight; ++k) {
    const ExtentBox& view = s.PartExtents[static_cast<std::size_t>(k)];
    if (!view.Present) continue;
    if (x >= view.MinX - s.EdgeMarginX && x <= view.MaxX + s.EdgeMarginX && y >= view.MinY - s.EdgeMarginY &&
        y <= view.MaxY + s.EdgeMarginY) {
      return k;
    }
  }
  return 0;
}

}  // namespace

void CollectEdgeViewBore(EngineContext& c) {
  EntityRegisters& r = c.store.Current;
  const float x = r.EntX1;
  const float y = r.EntY1;
  const int k = EdgeViewAt(c.state, x, y);
  if (k == 0) return;  // drawn on the panel itself or nowhere near an edge view
  const ExtentBox& view = c.state.PartExtents[static_cast<std::size_t>(k)];
  const float depth = CodeZ(r);

  EdgeBoreRecord bore;
  bore.Side = static_cast<int16_t>(k);
  switch (k) {
    case edge::kTop:
      bore.X = x - view.MinX;
      bore.Y = depth;
      bore.Z = y - view.MinY;
      break;
    case edge::kBottom:
      bore.X = x - view.MinX;
      bore.Y = depth;
      bore.Z = view.MaxY - y;
      break;
    case edge::kLeft:
      bore.X = depth;
      bore.Y = y - view.MinY;
      bore.Z = view.MaxX - x;
      break;
    default:  // edge::kRight
      bore.X = depth;
      bore.Y = y - view.MinY;
      bore.Z = x - view.MinX;
      break;
  }
  bore.Diameter = r.EntRadius * 2;
  SetEdgeBoreTooling(bore, r);
  c.state.EdgeBoreList.push_back(bore);
}

}  // namespace mq
