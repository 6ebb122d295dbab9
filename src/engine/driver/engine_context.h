#pragma once
// What every pass of a conversion reads and changes, bundled so that a pass is a
// function of one argument. Nothing here is global: several conversions can run side
// by side, each with its own context.

#include <initializer_list>
#include <string_view>

#include "engine/driver/conversion_state.h"
#include "engine/driver/settings.h"
#include "input/entity_store.h"
#include "input/run_context.h"

namespace mq {

struct EngineContext {
  RunContext& run;
  EntityStore& store;
  const Settings& settings;
  ConversionState& state;

  // The note sources LoadEntity reads while `layer_kind` is being processed.
  NoteSources Notes(std::string_view layer_kind = {}) const {
    return NoteSources{state.DrawingScale, &state.PlacedNotes, &state.OperationTexts, layer_kind};
  }
  // Loads record `index` into store.Current and advances `index`.
  void Load(int& index, std::string_view layer_kind = {}) {
    LoadEntity(store, index, Notes(layer_kind), *run.ui);
  }
};

// The user-abort check made between the main steps of a conversion: advances the
// progress meter by 5, lets the window run, and when the operator asked to stop,
// reports " USER ABORTED ", raises FileFailed and returns true. The caller returns at
// once; the driver ends the conversion and nothing is written.
bool UserStopRequested(EngineContext& c);

// Ends the conversion of a drawing that cannot be machined: reports each reason, then
// "CONVERSION PROCESS ABORTED.", lists the drawing path among the failed files and
// raises FileFailed. The caller returns at once; nothing is written for the drawing.
void AbortConversion(EngineContext& c, std::initializer_list<std::string_view> reasons);


}  // namespace mq
