#include "output/program_storage.h"

#include "input/file_paths.h"
#include "input/plain_text.h"
#include "output/atomic_file.h"
#include "output/directory_system.h"

namespace mq {

namespace {

constexpr const char* kProgramExtension = ".SRG";

constexpr std::size_t kWholeName = std::string::npos;

std::string DecimalWithSign(long value) { return (value < 0 ? "" : " ") + std::to_string(value); }

std::string WithoutDxfExtension(const std::string& name) {
  return name.substr(0, UpperCase(name).find(".DXF"));
}

// Warnings about the portions come before anything is stored, so that a strict run
// stores nothing of a program it fails.
void WarnAboutPortions(RunContext& run, const std::vector<ProgramPortion>& portions,
                       const std::vector<std::string>& names, const std::string& base) {
  for (std::size_t k = 0; k < portions.size(); ++k) {
    const std::string name = FileNamePart(names[k]);
    const std::string designed = FileNamePart(PortionName(base, static_cast<int>(k + 1)));
    if (name != designed) {
      AddWarningLine(run, "PORTION" + DecimalWithSign(static_cast<long>(k + 1)) + " stored as " + name + ": " +
                              designed + " is the name of an earlier portion");
    }
    if (portions[k].StartsInsideContour) {
      AddWarningLine(run, "PORTION" + DecimalWithSign(static_cast<long>(k + 1)) + " (" + name +
                              ") begins inside a cutting contour longer than the line limit: the machine "
                              "starts it with a cutting move");
    }
  }
}

bool FailedForWarnings(WriterContext& w, const std::string& base) {
  if (!w.run.Strict || w.run.Warnings.empty()) return false;
  AddReportLine(w.run, "Not stored: warnings fail the drawing in a strict run.");
  FailDrawing(w.run, base);
  return true;
}

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
  // The drawing's own name with ".DXF" would name the drawing itself.
  if (EndsWithSeparator(base)) base += WithoutDxfExtension(w.run.DxfShortName);
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
  const std::vector<std::string> names = PortionNames(
      base, static_cast<int>(portions.size()), directory_system ? kProgramNameWidth : kWholeName);
  WarnAboutPortions(run, portions, names, base);
  if (FailedForWarnings(w, base)) return stored;

  std::string root, index_path;
  if (directory_system) {
    root = DirectoryRoot(base, w.settings);
    const auto index = RequireIndexFile(w, root, base);
    if (!index) return stored;
    index_path = *index;
  }

  bool all_written = true;
  for (std::size_t k = 1; k <= portions.size(); ++k) {
    const std::string portion_name = split ? names[k - 1] : base;
    std::string path, stored_name;
    if (directory_system) {
      const auto entry = StoreInDirectorySystem(w, root, index_path, portion_name, description);
      if (!entry) {
        if (!run.FileFailed) FailDrawing(run, portion_name);
        return stored;
      }
      path = entry->Path;
      stored_name = entry->Name;
      if (FailedForWarnings(w, base)) return stored;  // a damaged index found on the way
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
