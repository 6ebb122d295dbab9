#include "output/ptp400_output.h"

#include "output/program_writer.h"
#include "output/pts_part_list.h"

namespace mq {

void Ptp400Output::WriteProgram(EngineContext& c) { WritePtp400Program(c); }

void Ptp400Output::WritePartList(EngineContext& c) { WritePtsEntry(c); }

}  // namespace mq
