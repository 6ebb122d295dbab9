#include "engine/drawing/instruction_aliases.h"

#include <optional>

#include "engine/drawing/instructions.h"
#include "engine/driver/store_scan.h"
#include "input/layer_codes.h"
#include "input/numeric_text.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// LAYER from=to: an entity on layer `from` exactly moves to `to`; the first alias wins.
void ApplyLayerAliases(EngineContext& c) {
  const auto& aliases = c.state.LayerAliases;
  if (aliases.empty()) return;
  for (int index = kFirstScanIndex; !ScanEnded(c.store, index); ++index) {
    DrawingEntity& entity = c.store.Entities[static_cast<std::size_t>(index)];
    const std::string layer = TrimmedLayerName(entity);
    for (const auto& [from, to] : aliases) {
      if (layer == from) {
        entity.Layer = to;
        break;
      }
    }
  }
}

// The layer a colour alias gives an entity of colour `colour`; the first alias wins.
std::optional<std::string> ColourAliasLayer(const EngineContext& c, int16_t colour) {
  for (const auto& [alias_colour, layer] : c.state.ColorAliases) {
    if (colour == ReadNumber(alias_colour)) return layer;
  }
  return std::nullopt;
}

// COLOR n=layer: an entity of colour n moves to the layer. A POLYLINE takes its VERTEX
// records with it, whatever their own colours, so that the outline stays whole.
void ApplyColourAliases(EngineContext& c) {
  if (c.state.ColorAliases.empty()) return;
  std::optional<std::string> polyline_layer;  // the alias layer of the POLYLINE being continued
  for (int index = kFirstScanIndex; !ScanEnded(c.store, index); ++index) {
    DrawingEntity& entity = c.store.Entities[static_cast<std::size_t>(index)];
    const std::string type = EntityTypeName(entity);
    if (polyline_layer && type == "VERTEX") {
      entity.Layer = *polyline_layer;
      continue;
    }
    polyline_layer.reset();
    const std::optional<std::string> layer = ColourAliasLayer(c, entity.Color);
    if (!layer) continue;
    entity.Layer = *layer;
    if (type == "POLYLINE") polyline_layer = layer;
  }
}

}  // namespace

void ApplyAliases(EngineContext& c) {
  ApplyLayerAliases(c);
  ApplyColourAliases(c);
  SubstituteTwoLetterCodes(c.store);
}

}  // namespace mq
