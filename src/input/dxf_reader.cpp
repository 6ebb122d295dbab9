#include "input/dxf_reader.h"

#include <algorithm>
#include <string_view>

#if defined(__linux__)
#include <sys/mman.h>

#include <cstdint>
#endif

#include "input/drawing_text.h"
#include "input/dxf_lines.h"
#include "input/entity_section.h"
#include "input/file_paths.h"

namespace mq {

namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";
constexpr int kParsingMeter = 0;
// How often, in group pairs, the reading progress is passed on.
constexpr int64_t kProgressEveryPairs = 8192;
// Bytes of ENTITIES per record, below what real drawings take: the store is reserved
// for that many records up front, so it is not moved while it grows. (Pages never
// touched cost no memory.)
constexpr uint64_t kBytesPerRecordEstimate = 96;
// A file far larger than any drawing reserves no more than this up front; the store
// grows past it as records come.
constexpr uint64_t kMostRecordsReserved = uint64_t{8} << 20;

// Blanks, tabs and NULs off both ends, by plain loops (a set search costs a library call
// per character, on every line of the file).
std::string_view TrimmedLine(std::string_view line) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\0'; };
  std::size_t first = 0, end = line.size();
  while (first < end && blank(line[first])) ++first;
  while (end > first && blank(line[end - 1])) --end;
  return line.substr(first, end - first);
}

// Positions the reader after the "0 / SECTION / 2 / ENTITIES" header. Only that
// header counts: a layer or block that happens to be called ENTITIES does not.
bool FindEntitiesSection(DxfLineReader& lines) {
  bool section_two_back = false;
  bool section_one_back = false;
  bool two_one_back = false;
  std::string_view line;
  while (lines.Next(line)) {
    const std::string_view text = TrimmedLine(line);
    if (section_two_back && two_one_back && text == "ENTITIES") return true;
    section_two_back = section_one_back;
    section_one_back = text == "SECTION";
    two_one_back = text == "2";
  }
  return false;
}

// The records of a large drawing are written once each, in order: on Linux they go
// into large pages, so that filling them costs a fraction of the page faults.
void PreferLargePages(const void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t last = (start + bytes) & ~(kLargePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

void FailReading(RunContext& run, const std::string& message, const std::string& path) {
  AddReportLine(run, message);
  FailDrawing(run, path);
}

}  // namespace

void ReadDxf(std::string& file_name, EntityStore& store, RunContext& run) {
  EntitySection section(store);
  const std::string path = file_name;
  DxfLineReader lines;
  std::string error;
  if (!lines.Open(NativePath(path), error)) {
    FailReading(run, JoinText({"Cannot open the drawing ", path, ": ", error}), path);
    return;
  }
  if (lines.StartsWith(kBinarySentinel)) {
    FailReading(run, JoinText({"Only ASCII DXF drawings can be read; this one is a binary DXF: ", path}),
                path);
    return;
  }
  if (!FindEntitiesSection(lines)) {
    if (!lines.ReadError().empty()) {
      FailReading(run, JoinText({"Cannot read the drawing ", path, ": ", lines.ReadError()}), path);
      return;
    }
    const std::string message = JoinText({"ENTITIES Section not found in  ", file_name, "    "});
    run.ui->ShowMessage(message, "Marquill400", MessageIcon::Exclamation);
    // Nothing of such a file can be machined: it fails here, under its own name,
    // rather than as a drawing without border under the name "~".
    FailReading(run, message, path);
    file_name.assign(1, '~');  // the mark of a drawing that was not read
    return;
  }

  const uint64_t remaining = lines.FileSize() - std::min(lines.FileSize(), lines.BytesConsumed());
  store.Entities.reserve(
      static_cast<std::size_t>(std::min(remaining / kBytesPerRecordEstimate, kMostRecordsReserved)) + 16);
  PreferLargePages(store.Entities.data(), store.Entities.capacity() * sizeof(DrawingEntity));
  run.ui->SetProgress(kParsingMeter, 0);

  std::string_view code_line;
  std::string_view value_line;
  for (int64_t pairs = 1;; ++pairs) {
    run.ui->YieldToWindow();
    if (!lines.Next(code_line)) break;
    const int code = GroupCodeOf(code_line);
    const int64_t code_line_number = lines.LineNumber();
    if (!lines.Next(value_line)) break;
    if (section.Group(code, value_line, code_line_number)) {
      lines.Close();
      section.Finish();
      run.ui->SetProgress(kParsingMeter, 100);
      return;
    }
    if (run.RunState == kRunStateStopRequested) {
      AddReportLine(run, " USER ABORTED ");
      run.FileFailed = true;
      return;
    }
    if (pairs % kProgressEveryPairs == 0 && lines.FileSize() > 0) {
      run.ui->SetProgress(kParsingMeter, static_cast<int>(lines.BytesConsumed() * 100 / lines.FileSize()));
    }
  }
  const std::string last_line = " (line " + std::to_string(lines.LineNumber()) + ")";
  if (!lines.ReadError().empty()) {
    FailReading(run, JoinText({"Cannot read the drawing ", path, ": ", lines.ReadError(), last_line}), path);
    return;
  }
  // Half a drawing would machine half a part.
  FailReading(run, JoinText({"DXF file ends before the end of its ENTITIES section: ", path, last_line}),
              path);
}

}  // namespace mq
