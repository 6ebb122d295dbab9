#include "output/program_storage.h"

#include "input/file_paths.h"
#include "output/atomic_file.h"
#include "output/directory_system.h"

namespace mq {

namespace {

constexpr const char* kProgramExtension = ".SRG";

std::string DecimalWithSign(long value) { return (value < 0 ? "" : " ") + std::to_string(value); }

// The index must exist before anything is stored in the directory system.
std::optional<std::string> RequireIndexFile(WriterContext& w, const std::string& root,
                                            const std::string& base) {
  auto index = FindIndexFile(root);
  if (index) return index;
  w.run.ui->ShowMessage("PTP400 Index File " + root + "INDEX.IND Not Found", "Marquill400",
                        MessageIcon::Exclamation);
  AddReportLine(w.run, "Import Failed");
  FailDrawing(w.run, base);
  return std::nullopt;
}

}  // namespace

std::string ProgramBaseName(const WriterContext& w) {
  std::string base = w.state.OutputPath.empty() ? w.run.ProgramName : w.state.OutputPath;
  if (EndsWithSeparator(base)) base += w.run.DxfShortName;
  return base;
}

std::string PlainProgramPath(const std::string& base, const Settings& settings) {
  if (!DirectoryPart(base).empty() || settings.DestinationPath.empty()) return base;
  return WithClosingSeparator(settings.DestinationPath) + base;
}

StoredProgram StoreProgram(WriterContext& w, const ProgramLines& lines, const std::string& description) {
  StoredProgram stored;
  RunContext& run = w.run;
  const int end_line = static_cast<int>(lines.size()) - 1;
  const int limit = LineLimitOf(w.settings);
  if (end_line > limit) {
    AddReportLine(run, "Breaking up into multiples...");
    run.ui->YieldToWindow();
  }
  const std::string base = ProgramBaseName(w);
  const std::vector<ProgramPortion> portions = SplitProgram(lines, limit);
  const bool split = portions.size() > 1;
  const bool directory_system = w.settings.DirectorySystem != 0;

  std::string root, index_path;
  if (directory_system) {
    root = DirectoryRoot(base, w.settings);
    const auto index = RequireIndexFile(w, root, base);
    if (!index) return stored;
    index_path = *index;
  }

  bool all_written = true;
  for (std::size_t k = 1; k <= portions.size(); ++k) {
    const std::string portion_name = split ? PortionName(base, static_cast<int>(k)) : base;
    std::string path, stored_name;
    if (directory_system) {
      const auto entry = StoreInDirectorySystem(w, root, index_path, portion_name, description);
      if (!entry) {
        FailDrawing(run, portion_name);
        return stored;
      }
      path = entry->Path;
      stored_name = entry->Name;
    } else {
      const std::string single = PlainProgramPath(base, w.settings);
      path = split ? DirectoryPart(single) + FileNamePart(portion_name) + kProgramExtension : single;
    }
    if (!WriteResultFile(run, path, ProgramFileText(portions[k - 1].Lines))) {
      all_written = false;
      continue;
    }
    // The part list names programs that exist: its line follows the written file.
    AppendPartList(w);
    w.ledger.WrittenPrograms.push_back(path);
    stored.Written = true;
    stored.LastPath = path;
    if (split) {
      AddReportLine(run,
                    "PORTION" + DecimalWithSign(static_cast<long>(k)) + " - " + stored_name + " COMPLETED. ");
    }
  }
  if (all_written) {
    AddReportLine(run, "CONVERSION COMPLETED. " + DecimalWithSign(end_line + 1) + " Lines");
  }
  return stored;
}

}  // namespace mq
