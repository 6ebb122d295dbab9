#include "output/program_storage.h"

#include "output/atomic_file.h"
#include "output/directory_system.h"
#include "output/output_paths.h"

namespace mq {

namespace {

constexpr const char* kProgramExtension = ".SRG";

std::string DecimalWithSign(long value) { return (value < 0 ? "" : " ") + std::to_string(value); }

// The index must exist before anything is stored in the directory system.
std::optional<std::string> RequireIndexFile(EngineContext& c, const std::string& root,
                                            const std::string& base) {
  auto index = FindIndexFile(root);
  if (index) return index;
  c.run.ui->ShowMessage("PTP400 Index File " + root + "INDEX.IND Not Found", "Marquill400",
                        MessageIcon::Exclamation);
  ReportMessage(c.run, 1, "Import Failed");
  FailDrawing(c.run, base);
  return std::nullopt;
}

}  // namespace

std::string ProgramBaseName(const EngineContext& c) {
  std::string base = c.state.OutputPath.empty() ? c.run.ProgramName : c.state.OutputPath;
  if (EndsWithSeparator(base)) base += c.run.DxfShortName;
  return base;
}

std::string PlainProgramPath(const std::string& base, const Settings& settings) {
  if (!DirectoryPart(base).empty() || settings.DestinationPath.empty()) return base;
  return WithClosingSeparator(settings.DestinationPath) + base;
}

void StoreProgram(EngineContext& c, const ProgramLines& lines) {
  RunContext& run = c.run;
  const int end_line = static_cast<int>(lines.size()) - 1;
  const int limit = LineLimitOf(c.settings);
  if (end_line > limit) {
    ReportMessage(run, 1, "Breaking up into multiples...");
    run.ui->YieldToWindow();
  }
  const std::string base = ProgramBaseName(c);
  const std::vector<ProgramPortion> portions = SplitProgram(lines, limit);
  const bool split = portions.size() > 1;
  const bool directory_system = c.settings.DirectorySystem != 0;

  std::string root, index_path;
  if (directory_system) {
    root = DirectoryRoot(base, c.settings);
    const auto index = RequireIndexFile(c, root, base);
    if (!index) return;
    index_path = *index;
  }

  bool all_written = true;
  for (std::size_t k = 1; k <= portions.size(); ++k) {
    const std::string portion_name = split ? PortionName(base, static_cast<int>(k)) : base;
    std::string path, stored_name;
    if (directory_system) {
      const auto entry = StoreInDirectorySystem(c, root, index_path, portion_name);
      if (!entry) {
        FailDrawing(run, portion_name);
        return;
      }
      path = entry->Path;
      stored_name = entry->Name;
    } else {
      const std::string single = PlainProgramPath(base, c.settings);
      path = split ? DirectoryPart(single) + FileNamePart(portion_name) + kProgramExtension : single;
    }
    run.ProgramName = path;
    if (!WriteResultFile(run, path, ProgramFileText(portions[k - 1].Lines))) {
      all_written = false;
      continue;
    }
    // The part list names programs that exist: its line follows the written file.
    AppendPartList(c);
    run.WrittenPrograms.push_back(path);
    c.state.ProgramWritten = true;
    if (split) {
      ReportMessage(run, 1,
                    "PORTION" + DecimalWithSign(static_cast<long>(k)) + " - " + stored_name + " COMPLETED. ");
    }
  }
  if (all_written) {
    ReportMessage(run, 1, "CONVERSION COMPLETED. " + DecimalWithSign(end_line + 1) + " Lines");
  }
}

}  // namespace mq
