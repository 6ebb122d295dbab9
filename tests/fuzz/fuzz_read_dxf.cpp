// The DXF reader on arbitrary bytes: it fails a drawing or fills the store, nothing else.

#include "fuzz_input.h"
#include "input/dxf_reader.h"
#include "input/operator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mq::SilentOperator nobody;
  mq::RunContext run(nobody);
  mq::EntityStore store;
  std::string path = mq::fuzz::InputFile("READ.DXF", data, size);
  mq::ReadDxf(path, store, run);
  return 0;
}
