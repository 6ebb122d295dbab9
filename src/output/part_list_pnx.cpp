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

}  // namespace

std::string PartListLine(const std::string& dxf_short_name, float length, float width, int precision) {
  return dxf_short_name + ",1,MAT," + FormatFeedValue(length, precision) + "," +
         FormatFeedValue(width, precision);
}

void AppendPartList(WriterContext& w) {
  RunContext& run = w.run;
  const std::string wanted = run.DxfDirectory + kPartListFileName;
  const auto existing = FindExistingFile(wanted);
  const std::string path = existing.value_or(wanted);
  const bool start_anew = run.RestartPartList && w.ledger.FirstDrawingOfRun;
  w.ledger.FirstDrawingOfRun = false;

  const int precision = ProgramPrecision(w.settings, w.state.DrawingInInches);
  const std::string line =
      PartListLine(run.DxfShortName, w.state.PanelWidth(), w.state.PanelHeight(), precision) + "\r\n";
  // Read and rewritten under the list's lock: a run beside this one adds its lines too.
  UpdateResultFile(run, path, [&](std::string& text) {
    if (start_anew) text.clear();
    text += line;
    return true;
  });
}

}  // namespace mq
