#include "engine/collect/bores_and_grooves.h"

#include <string>

#include "engine/collect/edge_view_bores.h"
#include "engine/collect/groove_lines.h"
#include "engine/collect/vertical_bores.h"
#include "input/layer_codes.h"

namespace mq {

namespace {

// Entries of the layer-kind list that name the drilling and sawing layers.
constexpr int kVerticalBoreKinds = 1;  // "VBORE DRILLING"
constexpr int kGrooveKind = 2;         // "GROOVE"
constexpr int kHBoreKind = 3;          // "HBORE"

const std::string& LayerKind(const EngineContext& c, int entry) { return c.state.LayerKinds.at(entry); }

// The first five characters of the current layer name, NULs read as blanks.
std::string LayerHead(const EngineContext& c) {
  std::string head(c.store.Current.EntLayer.view().substr(0, kLayerKeywordLength));
  for (char& ch : head) {
    if (ch == '\0') ch = ' ';
  }
  return head;
}

bool LayerContains(const EngineContext& c, const std::string& kind) {
  return c.store.Current.EntLayer.view().find(kind) != std::string_view::npos;
}

}  // namespace

bool OnVerticalBoreLayer(const EngineContext& c) {
  return LayerKind(c, kVerticalBoreKinds).find(LayerHead(c)) != std::string::npos;
}
bool OnEdgeViewBoreLayer(const EngineContext& c) {
  return LayerKind(c, kHBoreKind).find(LayerHead(c)) != std::string::npos;
}
bool OnGrooveLayer(const EngineContext& c) { return LayerContains(c, LayerKind(c, kGrooveKind)); }
bool OnHBoreLineLayer(const EngineContext& c) { return LayerContains(c, LayerKind(c, kHBoreKind)); }

bool CurrentEntityIs(const EngineContext& c, std::string_view type) {
  return c.store.Current.EntType.trimmed() == type;
}

int16_t GOrOne(const EntityRegisters& r) {
  const int16_t g = CodeG(r);
  return g == 0 ? int16_t{1} : g;
}

void SetEdgeBoreTooling(EdgeBoreRecord& bore, const EntityRegisters& r) {
  bore.VX = CodeF(r);
  bore.G = GOrOne(r);
  bore.Speed = CodeS(r);
  bore.ToolText = ToolList(r);
}

void CollectBoresAndGrooves(EngineContext& c, int& index) {
  if (CurrentEntityIs(c, "POINT")) {
    if (OnVerticalBoreLayer(c)) CollectVerticalBore(c);
  } else if (CurrentEntityIs(c, "CIRCLE")) {
    if (OnVerticalBoreLayer(c)) {
      CollectVerticalBore(c);
    } else if (OnEdgeViewBoreLayer(c)) {
      CollectEdgeViewBore(c);
    }
  } else if (CurrentEntityIs(c, "LINE") || CurrentEntityIs(c, "POLYLINE")) {
    CollectLines(c, index);
  }
}

}  // namespace mq
