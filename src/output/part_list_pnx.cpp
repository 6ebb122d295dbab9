// MQ.PNX: one line per stored program in the drawing's directory, read by the
// control's panel list.

#include "input/plain_text.h"
#include "input/file_paths.h"
#include "output/atomic_file.h"
#include "output/directory_system.h"
#include "output/number_format.h"

namespace mq {

namespace {

constexpr const char* kPartListFileName = "MQ.PNX";
constexpr const char* kRestartListSwitch = "/A";

// Switches are recognised anywhere in the command line, in either case.
bool RestartListRequested(const std::string& command_line) {
  return Contains(UpperCase(command_line), kRestartListSwitch);
}

}  // namespace

std::string PartListLine(const std::string& dxf_short_name, float length, float width, int precision) {
  return dxf_short_name + ",1,MAT," + FormatFeedValue(length, precision) + "," +
         FormatFeedValue(width, precision);
}

void AppendPartList(EngineContext& c) {
  RunContext& run = c.run;
  const std::string wanted = run.DxfDirectory + kPartListFileName;
  const auto existing = FindExistingFile(wanted);
  const std::string path = existing.value_or(wanted);
  const bool start_anew = RestartListRequested(run.CommandLine) && run.FirstDrawingOfRun;
  run.FirstDrawingOfRun = false;

  std::string text = start_anew || !existing ? std::string() : ReadWholeFile(path);
  const int precision = ProgramPrecision(c.settings, c.state.DrawingInInches);
  text += PartListLine(run.DxfShortName, c.state.PanelWidth(), c.state.PanelHeight(), precision) + "\r\n";
  WriteResultFile(run, path, text);
}

}  // namespace mq
