#pragma once
// An engine context for the tests of the bore, groove and ordering passes: a recording
// operator, an empty entity store, default settings, and a conversion state with the
// fixed layer kinds and a panel set by the test.

#include <string>

#include "engine/driver/engine_context.h"
#include "support/recording_operator.h"

namespace mq::test {

struct BoresContext {
  RecordingOperator person;
  RunContext run{person};
  EntityStore store;
  Settings settings;
  ConversionState state;
  EngineContext c{run, store, settings, state, nullptr};

  BoresContext() { state.LayerKinds = {"BORDER", "VBORE DRILLING", "GROOVE", "HBORE"}; }

  // The current entity as LoadEntity leaves it for an entity drawn on the top face.
  EntityRegisters& Current(const std::string& type, const std::string& layer, float x, float y) {
    EntityRegisters& r = store.Current;
    r = EntityRegisters{};
    r.EntType = type;
    r.EntLayer = layer;
    r.EntX1 = x;
    r.EntY1 = y;
    r.EntFace = 5;
    return r;
  }

  // Box 5 and PartOrigin for a panel from (x0, y0) to (x1, y1) in drawing coordinates.
  void SetPanel(float x0, float y0, float x1, float y1) {
    SetBox(kPanelBox, x0, y0, x1, y1);
    state.PartOriginX = x0;
    state.PartOriginY = y0;
  }

  // Edge view k (1 above, 2 below, 3 left, 4 right), or box 5.
  void SetBox(int k, float x0, float y0, float x1, float y1) {
    ExtentBox& b = state.PartExtents[static_cast<std::size_t>(k)];
    b.MinX = x0;
    b.MaxX = x1;
    b.MinY = y0;
    b.MaxY = y1;
    b.Width = x1 - x0;
    b.Height = y1 - y0;
    b.Present = true;
  }
};

}  // namespace mq::test
