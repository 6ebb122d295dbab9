#pragma once
// The PTS instruction: values of the part list's columns.

#include "engine/drawing/instruction_statement.h"
#include "engine/driver/engine_context.h"

namespace mq {

// PTS field=value: one value of the part list, or the part list turned off.
void SetPartListField(EngineContext& c, const InstructionStatement& statement);

}  // namespace mq
