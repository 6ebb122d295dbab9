// Program names and storing in the PTP400 directory system.

#include "output/directory_system.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "input/entity_store.h"
#include "input/file_paths.h"
#include "input/plain_text.h"
#include "output/atomic_file.h"

namespace mq {

namespace {

constexpr const char* kIndexFileName = "INDEX.IND";
constexpr const char* kLastNameFileName = "PNAME.DAT";
constexpr const char* kProgramExtension = ".SRG";

std::string PaddedTo8(std::string text) {
  text.resize(kProgramNameWidth, ' ');
  return text;
}

bool IsLegalProgramName(const std::string& name) {
  std::string trimmed = name;
  trimmed.erase(trimmed.find_last_not_of(' ') + 1);
  if (trimmed.size() > kProgramNameWidth) return false;
  const char first =
      name.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  return first >= 'A' && first <= 'Z';
}

// The letter directory of a name, as the file system holds it when it exists.
std::string LetterDirectory(const std::string& root, char letter) {
  const std::string wanted = root + letter;
  if (auto existing = FindExistingDirectory(wanted)) return *existing;
  std::error_code ignored;  // a directory that cannot be made shows as the program's write error
  std::filesystem::create_directories(NativePath(wanted), ignored);
  return wanted;
}

void RecordLastProgramName(RunContext& run, const std::string& name) {
  const std::string wanted = run.ProgramDirectory + kLastNameFileName;
  const std::string path = FindExistingFile(wanted).value_or(wanted);
  WriteResultFile(run, path, name + "\r\n");
}

}  // namespace

std::string DirectoryRoot(const std::string& program_name, const Settings& settings) {
  const std::string root = DirectoryPart(program_name);
  return WithClosingSeparator(root.empty() ? settings.DestinationPath : root);
}

std::optional<std::string> FindIndexFile(const std::string& root) {
  return FindExistingFile(root + kIndexFileName);
}

std::string DirectoryProgramName(const std::string& name_source, const std::string& dxf_short_name) {
  const std::string name = UpperCase(PaddedTo8(FileNamePart(name_source)));
  return IsBlankText(name) ? PaddedTo8(dxf_short_name) : name;
}

std::optional<std::string> CheckProgramName(RunContext& run, std::string name) {
  while (!IsLegalProgramName(name)) {
    const std::string answer = run.ui->AskForText(
        "Illegal Name", name + " Name Not Legal for PTP400\r\n\r\n           Enter New Name:");
    if (answer.empty()) {
      AddReportLine(run, "NO PROGRAM NAME ENTERED.");
      AddReportLine(run, "Conversion Aborted.");
      return std::nullopt;
    }
    name = answer;  // used as typed
    AddReportLine(run, "Name changed to " + name);
  }
  return name;
}

std::optional<DirectoryEntry> StoreInDirectorySystem(WriterContext& w, const std::string& root,
                                                     const std::string& index_path,
                                                     const std::string& name_source,
                                                     const std::string& description) {
  const auto checked = CheckProgramName(w.run, DirectoryProgramName(name_source, w.run.DxfShortName));
  if (!checked) return std::nullopt;
  // A program the index does not list cannot be loaded on the control: nothing more is stored.
  if (UpdateIndexFile(w.run, index_path, *checked, description, TodayOf(w.run)) == IndexOutcome::WriteFailed) {
    return std::nullopt;
  }

  DirectoryEntry entry;
  entry.Name = WithoutBlanks(*checked);
  const std::string letters = LetterDirectory(root, entry.Name.front());
  entry.Path = letters + SeparatorOf(root) + entry.Name + kProgramExtension;
  RecordLastProgramName(w.run, entry.Name);
  w.ledger.ConvertedNames.push_back(entry.Name);
  return entry;
}

}  // namespace mq
