#include "input/dxf_reader.h"

namespace mq {

// Not built yet.
void ReadDxf(std::string& file_name, EntityStore& store, RunContext& run) {}

}  // namespace mq
