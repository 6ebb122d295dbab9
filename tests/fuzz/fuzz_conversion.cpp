// A whole conversion of a fuzzed drawing: read, converted and written as the command
// line does it. It may fail the drawing; it must not crash, hang or overstep memory.

#include "engine/driver/settings.h"
#include "fuzz_input.h"
#include "input/operator.h"
#include "output/writer_context.h"
#include "shell/process_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string drawing = mq::fuzz::InputFile("PART.DXF", data, size);
  mq::SilentOperator nobody;
  mq::RunContext run(nobody);
  run.ProgramDirectory = mq::fuzz::ScratchDirectory().string() + "/";
  run.RootDirectory = mq::fuzz::ScratchDirectory().string();
  run.Today = mq::CalendarDate{2001, 3, 5};
  run.RestartPartList = true;  // MQ.PNX starts anew each time instead of growing
  mq::Settings settings;
  settings.DestinationPath = (mq::fuzz::ScratchDirectory() / "out").string() + "/";
  mq::OutputLedger ledger;
  std::string request = drawing;
  mq::ProcessFile(request, run, settings, ledger);
  return 0;
}
