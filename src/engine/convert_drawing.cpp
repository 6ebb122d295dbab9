#include "engine/convert_drawing.h"

#include "engine/passes.h"

namespace mq {

bool UserStopRequested(EngineContext& c) {
  c.run.ui->YieldToWindow();
  if (c.run.RunState != kRunStateStopRequested) return false;
  ReportMessage(c.run, 1, " USER ABORTED ");
  c.run.FileFailed = kTrue;
  return true;
}

// Not built yet: the engine does not convert anything so far.
void ConvertDrawing(EngineContext& c) {
  c.state = ConversionState{};
  ReportMessage(c.run, 1, "No program written: the conversion engine is not built yet.");
}

}  // namespace mq
