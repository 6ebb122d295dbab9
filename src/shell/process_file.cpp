#include "shell/process_file.h"

#include <exception>
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

// The request's drawing path and program name become the run variables.
void SplitRequest(const std::string& request, RunContext& run) {
  const std::size_t space = request.find(' ');
  run.DxfFileName = request.substr(0, space);
  run.ProgramName = space == std::string::npos ? std::string() : TrimBlanks(request.substr(space));
  run.DxfShortName = FileNamePart(run.DxfFileName);
  if (run.ProgramName.empty()) run.ProgramName = run.DxfShortName;
  const std::size_t dxf_in_name = UpperCase(run.ProgramName).find(".DXF");
  if (dxf_in_name != std::string::npos) run.ProgramName.resize(dxf_in_name);
  if (UpperCase(run.DxfFileName).find(".DXF") == std::string::npos) run.DxfFileName += ".DXF";
  run.DxfDirectory = DirectoryPart(run.DxfFileName);
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
  request = TrimBlanks(request);
  SplitRequest(request, run);

  PreparedDrawing drawing;
  const auto existing = FindExistingFile(run.DxfFileName);
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
