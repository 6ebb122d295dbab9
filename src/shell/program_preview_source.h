#pragma once
// Where a preview's program comes from: a drawing converted in memory exactly as a run
// would convert it, with nothing written, or program files as they were stored, a
// program stored in portions read with all of them.

#include <string>
#include <vector>

#include "engine/driver/settings.h"
#include "input/run_context.h"
#include "output/preview/program_preview.h"

namespace mq {

struct ProgramPreview {
  bool Read = false;               // a program was read: the model shows it
  std::vector<std::string> Files;  // the program files read, in portion order; none for a drawing
  std::vector<std::string> Texts;  // the program's texts, one per portion
  ProgramReading Program;
  PreviewModel Model;
  std::vector<std::string> Problems;  // why nothing, or not everything, is shown
};

// The drawing read, converted and its program composed as ProcessFile would write it,
// portions included; no file is written. Par.DAT is found through run.RootDirectory.
ProgramPreview PreviewDrawing(const std::string& drawing, RunContext& run, const Settings& settings,
                              const PreviewSpeeds& speeds);

// The program file with the other portions stored beside it (see PortionFilesOf).
ProgramPreview PreviewProgramFile(const std::string& program, RunContext& run, const Settings& settings,
                                  const PreviewSpeeds& speeds);

// These files read as the portions of one program, in order.
ProgramPreview PreviewProgramFiles(const std::vector<std::string>& files, RunContext& run,
                                   const Settings& settings, const PreviewSpeeds& speeds);

// A drawing by its ".DXF" extension (any case), else a program file.
ProgramPreview PreviewFile(const std::string& path, RunContext& run, const Settings& settings,
                           const PreviewSpeeds& speeds);

// The portions a program file belongs to: a ".SRG" file whose name ends in a number k
// is portion k of the files named alike with 1, 2, ... (8-character names shortened for
// the longer numbers), when they exist from 1 on and carry the same header. Otherwise
// the file alone.
std::vector<std::string> PortionFilesOf(const std::string& program);

}  // namespace mq
