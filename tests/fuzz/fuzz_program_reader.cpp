// The program reader on arbitrary text: it reads a program or says where it stops.

#include "fuzz_input.h"
#include "output/program_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const mq::ProgramReading reading = mq::ReadProgram(mq::fuzz::Text(data, size));
  for (const mq::ReadError& error : reading.Errors) (void)mq::Describe(error);
  return 0;
}
