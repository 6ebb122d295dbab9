#include "shell/program_preview_source.h"

#include <exception>
#include <filesystem>

#include "engine/driver/convert_drawing.h"
#include "input/dxf_reader.h"
#include "input/file_paths.h"
#include "input/plain_text.h"
#include "output/atomic_file.h"
#include "output/program_text.h"
#include "output/tool_table.h"

namespace mq {

namespace {

constexpr std::size_t kLongestPlainName = 8;  // a portion's name keeps within it when it can

// Par.DAT as the writer finds it; a missing one is said in the preview's summary.
ToolTable QuietToolTable(const RunContext& run) {
  const auto existing = FindExistingFile(ParameterFilePath(run));
  return existing ? ParseToolTable(ReadWholeFile(*existing)) : ToolTable{};
}

std::vector<std::string> ReportedLines(const std::string& pending) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < pending.size();) {
    const std::size_t end = std::min(pending.find('\r', at), pending.size());
    if (end > at) lines.push_back(pending.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

void Show(ProgramPreview& preview, const ToolTable& table, const Settings& settings,
          const PreviewSpeeds& speeds) {
  preview.Program = ReadProgramPortions(preview.Texts, table);
  for (const ReadError& error : preview.Program.Errors) {
    const std::string file = static_cast<std::size_t>(error.Portion) <= preview.Files.size()
                                 ? preview.Files[static_cast<std::size_t>(error.Portion - 1)] + ": "
                                 : std::string();
    preview.Problems.push_back(file + Describe(error));
  }
  preview.Model = BuildPreview(preview.Program, table, PreviewOptions{OriginIsLowerLeft(settings), speeds});
  preview.Read = true;
}

void ConvertInMemory(const std::string& drawing, RunContext& run, const Settings& settings,
                     const PreviewSpeeds& speeds, ProgramPreview& preview) {
  run.FileFailed = false;
  run.DxfFileName = drawing;
  run.DxfDirectory = DirectoryPart(drawing);
  run.DxfShortName = FileNamePart(drawing);
  run.ProgramName = run.DxfShortName.substr(0, UpperCase(run.DxfShortName).find(".DXF"));
  EntityStore store;
  ReadDxf(run.DxfFileName, store, run);
  ConversionState state;
  EngineContext engine{run, store, settings, state};
  const ConversionOutcome outcome = run.FileFailed ? ConversionOutcome::Failed : ConvertDrawing(engine);
  if (outcome != ConversionOutcome::Finished) {
    preview.Problems = ReportedLines(run.PendingMessage);
    if (outcome == ConversionOutcome::PartListOnly)
      preview.Problems.push_back("Code Generation Turned Off in Drawing");
    if (preview.Problems.empty()) preview.Problems.push_back("the drawing does not convert");
    return;
  }
  const ToolTable table = QuietToolTable(run);
  preview.Texts = ProgramPortionTexts(settings, state, table);
  Show(preview, table, settings, speeds);
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

}  // namespace

ProgramPreview PreviewDrawing(const std::string& drawing, RunContext& run, const Settings& settings,
                              const PreviewSpeeds& speeds) {
  ProgramPreview preview;
  const auto existing = FindExistingFile(drawing);
  if (!existing) {
    preview.Problems.push_back(drawing + "  NOT FOUND");
    return preview;
  }
  try {
    ConvertInMemory(*existing, run, settings, speeds, preview);
  } catch (const std::exception& e) {
    preview.Read = false;
    preview.Problems.push_back(std::string("Conversion failed unexpectedly: ") + e.what());
  }
  return preview;
}

ProgramPreview PreviewProgramFiles(const std::vector<std::string>& files, RunContext& run,
                                   const Settings& settings, const PreviewSpeeds& speeds) {
  ProgramPreview preview;
  for (const std::string& file : files) {
    const auto existing = FindExistingFile(file);
    if (!existing) {
      preview.Problems.push_back(file + "  NOT FOUND");
      return preview;
    }
    preview.Files.push_back(*existing);
    preview.Texts.push_back(ReadWholeFile(*existing));
  }
  Show(preview, QuietToolTable(run), settings, speeds);
  return preview;
}

ProgramPreview PreviewProgramFile(const std::string& program, RunContext& run, const Settings& settings,
                                  const PreviewSpeeds& speeds) {
  return PreviewProgramFiles(PortionFilesOf(program), run, settings, speeds);
}

ProgramPreview PreviewFile(const std::string& path, RunContext& run, const Settings& settings,
                           const PreviewSpeeds& speeds) {
  const bool drawing = UpperCase(std::filesystem::path(path).extension().string()) == ".DXF";
  return drawing ? PreviewDrawing(path, run, settings, speeds)
                 : PreviewProgramFile(path, run, settings, speeds);
}

std::vector<std::string> PortionFilesOf(const std::string& program) {
  const std::filesystem::path path(program);
  const std::string stem = path.stem().string(), extension = path.extension().string();
  const std::size_t digits = stem.size() - (stem.find_last_not_of("0123456789") + 1);
  // Portions are stored as ".SRG" files; a plain program without portions has no extension.
  if (UpperCase(extension) != ".SRG" || digits == 0 || digits == stem.size() || !FindExistingFile(program))
    return {program};
  const std::string prefix = stem.substr(0, stem.size() - digits);
  const std::string header = FirstLine(ReadWholeFile(*FindExistingFile(program)));
  std::vector<std::string> portions;
  bool found_given = false;
  for (int k = 1;; ++k) {
    const std::string number = std::to_string(k);
    std::string name = prefix + number;
    if (name.size() > kLongestPlainName && stem.size() == kLongestPlainName)
      name = prefix.substr(0, kLongestPlainName - number.size()) + number;
    const auto file = FindExistingFile((path.parent_path() / (name + extension)).string());
    if (!file || FirstLine(ReadWholeFile(*file)) != header) break;
    found_given = found_given || std::filesystem::equivalent(*file, *FindExistingFile(program));
    portions.push_back(*file);
  }
  return found_given ? portions : std::vector<std::string>{program};
}

}  // namespace mq
