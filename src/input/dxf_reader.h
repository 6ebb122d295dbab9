#pragma once
// Reads the ENTITIES section of an ASCII DXF drawing into the entity store.

#include <string>

#include "input/entity_store.h"
#include "input/run_context.h"

namespace mq {

// `file_name` is the drawing path (the run's DxfFileName); it becomes "~" when the
// drawing has no ENTITIES section. Failures are reported through `run` and raise
// run.FileFailed.
void ReadDxf(std::string& file_name, EntityStore& store, RunContext& run);

}  // namespace mq
