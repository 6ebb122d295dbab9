#include "shell/process_file.h"

#include <algorithm>
#include <cctype>

#include "engine/driver/convert_drawing.h"
#include "input/dxf_reader.h"
#include "input/file_paths.h"

namespace mq {

namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
  return text;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void ProcessFile(std::string& request, RunContext& run, const Settings& settings,
                 ProgramOutput* output) {
  run.FileFailed = kFalse;
  request = Trimmed(request);

  const std::size_t space = request.find(' ');
  run.DxfFileName = request.substr(0, space);
  run.ProgramName = space == std::string::npos ? std::string() : Trimmed(request.substr(space));
  run.DxfShortName = FileNamePart(run.DxfFileName);
  if (run.ProgramName.empty()) run.ProgramName = run.DxfShortName;
  const std::size_t dxf_in_name = Upper(run.ProgramName).find(".DXF");
  if (dxf_in_name != std::string::npos) run.ProgramName.resize(dxf_in_name);
  if (Upper(run.DxfFileName).find(".DXF") == std::string::npos) run.DxfFileName += ".DXF";
  run.DxfDirectory = DirectoryPart(run.DxfFileName);

  const auto existing = FindExistingFile(run.DxfFileName);
  if (!existing) {
    ReportMessage(run, 1, run.DxfFileName + "  NOT FOUND");
    FailDrawing(run, run.DxfFileName);
    return;
  }
  run.DxfFileName = *existing;  // as the file system holds it
  run.DxfDirectory = DirectoryPart(run.DxfFileName);

  const std::string title = FileNamePart(run.ProgramName);
  ReportMessage(run, 1, IsBlankText(title) ? FileNamePart(run.DxfFileName) : title);

  EntityStore store;
  ReadDxf(run.DxfFileName, store, run);
  if (run.FileFailed != kFalse) return;

  ConversionState state;
  EngineContext engine{run, store, settings, state, output};
  ConvertDrawing(engine);
}

}  // namespace mq
