#pragma once
// The writers of a finished conversion: the PTP400 program and the part list.

#include "engine/driver/engine_context.h"

namespace mq {

class Ptp400Output : public ProgramOutput {
 public:
  void WriteProgram(EngineContext& c) override;
  void WritePartList(EngineContext& c) override;
};

}  // namespace mq
