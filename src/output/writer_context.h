#pragma once
// What the writers of one converted drawing read, and what they keep across the
// drawings of a run. The finished lists are read only: the writers keep their own scratch.

#include <string>

#include "engine/driver/conversion_state.h"
#include "engine/driver/settings.h"
#include "input/one_based_list.h"
#include "input/run_context.h"

namespace mq {

// Kept by the writers for the whole run; owned by the caller that runs the batch.
struct OutputLedger {
  OneBasedList<std::string> WrittenPrograms;  // programs stored in this run, for the binaries step
  OneBasedList<std::string> ConvertedNames;   // names stored in the directory system this run
  bool FirstDrawingOfRun = true;              // cleared by the first MQ.PNX append
};

struct WriterContext {
  RunContext& run;
  const Settings& settings;
  const ConversionState& state;
  OutputLedger& ledger;
};

}  // namespace mq
