#include "output/ptp400_output.h"

namespace mq {

// Not built yet.
void Ptp400Output::WriteProgram(EngineContext& c) {}
void Ptp400Output::WritePartList(EngineContext& c) {}

}  // namespace mq
