#pragma once
// The machine corner and the NO code that a BORDER layer name carries after its head
// (BORDERUR, BORDER LR NO).

#include "engine/driver/engine_context.h"

namespace mq {

// Sets XFromRight and YFromTop from the corner codes LL, UL, UR, LR found in any BORDER
// layer name (a later code in this order wins), and NoCodeFlag when a name holds NO.
void ReadBorderLayerCodes(EngineContext& c);

}  // namespace mq
