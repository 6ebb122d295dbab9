#include "shell/process_file.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>
#include <new>

#include "engine/driver/convert_drawing.h"
#include "input/dxf_reader.h"
#include "input/file_paths.h"
#include "input/plain_text.h"
#include "output/program_writer.h"
#include "output/pts_part_list.h"

namespace mq {

namespace {

constexpr std::string_view kNoCodeMessage = "Code Generation Turned Off in Drawing";
// Said when the writer stored nothing although the conversion went through: the
// operator must never take a drawing without a program for a converted one.
constexpr std::string_view kNoProgramMessage = "No program written for this drawing.";

bool HasDxfExtension(const std::string& path) { return UpperCase(path).find(".DXF") != std::string::npos; }

// Something of that name is there: a drawing, or a folder or device to be refused.
bool NamesSomething(const std::string& path) {
  std::error_code ec;
  return !path.empty() && (std::filesystem::exists(std::filesystem::path(NativePath(path)), ec) ||
                           FindExistingFile(path) || FindExistingDirectory(path));
}

bool NamesDrawing(const std::string& path) {
  return NamesSomething(path) || (!HasDxfExtension(path) && NamesSomething(path + ".DXF"));
}

// Where the drawing part of a request ends. A request that names a drawing whole is
// taken whole, blanks included ("my dir/SIDE.DXF"); otherwise the drawing ends at the
// first blank after which something is there, and failing that at the first blank.
std::size_t DrawingPartEnd(const std::string& request) {
  if (NamesDrawing(request)) return std::string::npos;
  const std::size_t first = request.find(' ');
  for (std::size_t space = first; space != std::string::npos; space = request.find(' ', space + 1)) {
    if (NamesDrawing(request.substr(0, space))) return space;
  }
  return first;
}

// The request's drawing path and program name become the run variables; returns the
// drawing part as the request gave it.
std::string SplitRequest(const std::string& request, RunContext& run) {
  const std::size_t space = DrawingPartEnd(request);
  run.DxfFileName = request.substr(0, space);
  run.ProgramName = space == std::string::npos ? std::string() : TrimBlanks(request.substr(space));
  run.DxfShortName = FileNamePart(run.DxfFileName);
  if (run.ProgramName.empty()) run.ProgramName = run.DxfShortName;
  const std::size_t dxf_in_name = UpperCase(run.ProgramName).find(".DXF");
  if (dxf_in_name != std::string::npos) run.ProgramName.resize(dxf_in_name);
  const std::string drawing_part = run.DxfFileName;
  if (!HasDxfExtension(run.DxfFileName)) run.DxfFileName += ".DXF";
  run.DxfDirectory = DirectoryPart(run.DxfFileName);
  return drawing_part;
}

// A folder, a pipe or a device where the drawing should be: the name that is there.
std::optional<std::string> NotARegularFile(const std::string& drawing_part, const std::string& drawing) {
  for (const std::string& path : {drawing, drawing_part}) {
    std::error_code ec;
    const auto status = std::filesystem::status(std::filesystem::path(NativePath(path)), ec);
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) return path;
    if (auto folder = FindExistingDirectory(path)) return folder;
  }
  return std::nullopt;
}

// The finished lists go to the writers: the program, then the part list. A program
// that failed leaves no part-list line either: the drawing is listed as failed and will
// be converted again, which would enter the part twice.
void WriteConvertedDrawing(WriterContext& w) {
  const StoredProgram stored = WritePtp400Program(w);
  if (w.run.FileFailed) return;
  WritePtsEntry(w, ProgramDescription(w.state));
  if (!w.run.FileFailed && !stored.Written) AddReportLine(w.run, std::string(kNoProgramMessage));
}

// Read and converted; the drawing's lists are ready for the writers unless it failed.
PreparedDrawing ReadAndConvert(RunContext& run, const Settings& settings) {
  PreparedDrawing drawing;
  EntityStore store;
  ReadDxf(run.DxfFileName, store, run);
  if (run.FileFailed) return drawing;
  EngineContext engine{run, store, settings, drawing.state};
  drawing.outcome = ConvertDrawing(engine);
  return drawing;
}

void Write(PreparedDrawing& drawing, RunContext& run, const Settings& settings, OutputLedger& ledger) {
  WriterContext writer{run, settings, drawing.state, ledger};
  switch (drawing.outcome) {
    case ConversionOutcome::Failed:
      return;
    case ConversionOutcome::PartListOnly:
      WritePtsEntry(writer, drawing.state.PartDescription);
      AddReportLine(run, std::string(kNoCodeMessage));
      return;
    case ConversionOutcome::Finished:
      WriteConvertedDrawing(writer);
      return;
  }
}

void FailUnexpectedly(RunContext& run, const std::string& reason) {
  AddReportLine(run, "Conversion failed unexpectedly: " + reason);
  FailDrawing(run, run.DxfFileName);
}

// Runs `step`; whatever it throws fails the drawing with a report line.
template <class Step>
void Guarded(RunContext& run, Step step) {
  try {
    step();
  } catch (const std::bad_alloc&) {
    FailUnexpectedly(run, "not enough memory for this drawing");
  } catch (const std::exception& e) {
    FailUnexpectedly(run, e.what());
  } catch (...) {
    FailUnexpectedly(run, "unknown error");
  }
}

}  // namespace

PreparedDrawing PrepareDrawing(std::string& request, RunContext& run, const Settings& settings) {
  run.FileFailed = false;
  run.Warnings.clear();
  request = TrimBlanks(request);
  const std::string drawing_part = SplitRequest(request, run);

  PreparedDrawing drawing;
  const auto existing = FindExistingFile(run.DxfFileName);
  const auto refused = existing ? std::nullopt : NotARegularFile(drawing_part, run.DxfFileName);
  if (refused) {
    AddReportLine(run, *refused + "  not a regular file");
    FailDrawing(run, *refused);
    return drawing;
  }
  if (!existing) {
    AddReportLine(run, run.DxfFileName + "  NOT FOUND");
    FailDrawing(run, run.DxfFileName);
    return drawing;
  }
  run.DxfFileName = *existing;  // as the file system holds it
  run.DxfDirectory = DirectoryPart(run.DxfFileName);

  const std::string title = FileNamePart(run.ProgramName);
  AddReportLine(run, IsBlankText(title) ? FileNamePart(run.DxfFileName) : title);
  Guarded(run, [&] { drawing = ReadAndConvert(run, settings); });
  return drawing;
}

void WritePreparedDrawing(PreparedDrawing& drawing, RunContext& run, const Settings& settings,
                          OutputLedger& ledger) {
  Guarded(run, [&] { Write(drawing, run, settings, ledger); });
}

void ProcessFile(std::string& request, RunContext& run, const Settings& settings, OutputLedger& ledger) {
  PreparedDrawing drawing = PrepareDrawing(request, run, settings);
  WritePreparedDrawing(drawing, run, settings, ledger);
}

}  // namespace mq
