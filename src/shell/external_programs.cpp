#include "shell/external_programs.h"

#include <algorithm>
#include <fstream>

#include "input/file_paths.h"
#include "input/numeric_text.h"
#include "input/plain_text.h"
#include "shell/keyboard.h"

namespace mq {

namespace {

constexpr std::string_view kPifFile = "STARTED.PIF";
constexpr std::string_view kBatchFile = "StartED.bat";
constexpr std::string_view kPifArguments = " /e:1024 /c ";
constexpr std::string_view kDirectorySystemExtension = ".SRG";

double GraphicDelay(const Settings& settings) { return ReadNumber(settings.GraphicDelay); }

void WriteProgramNameFile(const std::string& program_directory, const std::string& name) {
  std::ofstream out(NativePath(program_directory + std::string(kProgramNameFile)),
                    std::ios::binary | std::ios::trunc);
  out << name << "\r\n";
}

// F10 opens the menu; F7 and F8 are the two compile entries, each confirmed; q quits.
void DriveCompilerMenu() {
  for (const int entry : {kKeyF7, kKeyF8}) {
    PressKey(kKeyF10);
    SleepSeconds(0.1);
    PressKey(entry);
    if (entry == kKeyF8) SleepSeconds(0.1);
    SendKeys("\r");
    SleepSeconds(0.1);
    SendKeys("y");
    SleepSeconds(0.1);
    SendKeys("\r");
    SleepSeconds(0.2);
  }
  SendKeys("q");
  SleepSeconds(0.1);
  SendKeys("\r");
  SleepSeconds(1);
}

}  // namespace

bool IsControlSoftwareDirectory(const std::string& program_directory) {
  return UpperCase(program_directory).find(kControlSoftwareMark) != std::string::npos;
}

std::string LaunchCommand(const std::string& program_directory) {
  if (FindExistingFile(program_directory + std::string(kPifFile))) {
    return program_directory + std::string(kPifFile) + std::string(kPifArguments) + std::string(kBatchFile);
  }
  return program_directory + std::string(kBatchFile);
}

ProcessHandle LaunchProcess(const std::string& command_line, const Settings& settings, Operator& ui) {
  const ProcessHandle process = StartProcess(command_line);
  SleepSeconds(GraphicDelay(settings));
  if (!process) ui.ShowMessage(command_line + " Not Loaded", "Error", MessageIcon::Error);
  return process;
}

void WaitForProcess(ProcessHandle process, ProgramHost& host) {
  if (!process) return;
  host.HideMainWindow();
  WaitForExit(process);
  host.ShowMainWindow();
}

EditorStart StartGraphicEditor(const std::string&, const RunContext& run, const Settings& settings) {
  EditorStart start;
  if (!IsControlSoftwareDirectory(run.ProgramDirectory)) return start;
  start.caps_lock_was_on = CapsLockOn();
  SetCapsLock(true);
  start.process = LaunchProcess(LaunchCommand(run.ProgramDirectory), settings, *run.ui);
  return start;
}

void ShowInGraphicEditor(const RunContext& run, const Settings& settings, ProgramHost& host) {
  if (!IsControlSoftwareDirectory(run.ProgramDirectory)) return;
  const EditorStart start = StartGraphicEditor(settings.DestinationPath, run, settings);
  WaitForProcess(start.process, host);
  SetCapsLock(start.caps_lock_was_on);
}

std::string BinaryProgramName(const std::string& written_path) {
  std::string name = FileNamePart(written_path);
  const std::size_t extension = name.size() - std::min(name.size(), kDirectorySystemExtension.size());
  if (EqualsIgnoringCase(std::string_view(name).substr(extension), kDirectorySystemExtension)) {
    name.resize(extension);
  }
  return name;
}

void MakeBinaries(RunContext& run, const Settings& settings, const OutputLedger& ledger, ProgramHost& host) {
  if (settings.MakeBinaries == 0 || !IsControlSoftwareDirectory(run.ProgramDirectory)) return;
  if (ledger.WrittenPrograms.empty()) return;
  if (!run.FailedFiles.empty() &&
      !host.AskYesNo("Some files failed to process.\rDo you wish to Continue with Binaries?",
                     "Marquill400")) {
    return;
  }
  SleepSeconds(GraphicDelay(settings));
  const bool caps_lock_was_on = CapsLockOn();
  SetCapsLock(true);
  for (const std::string& program : ledger.WrittenPrograms) {
    WriteProgramNameFile(run.ProgramDirectory, BinaryProgramName(program));
    const ProcessHandle compiler = LaunchProcess(LaunchCommand(run.ProgramDirectory), settings, *run.ui);
    if (!compiler) continue;
    SleepSeconds(1);
    DriveCompilerMenu();
    WaitForProcess(compiler, host);
  }
  SetCapsLock(caps_lock_was_on);
}

}  // namespace mq
