#pragma once
// The control software installed beside the converter (a directory whose path holds
// "400V80"): its graphic editor shows a converted part, and its compiler makes the
// binary files of the written programs. Both run through the batch file "StartED.bat";
// the converter's window is hidden while they run.

#include <string>
#include <string_view>

#include "engine/driver/settings.h"
#include "input/run_context.h"
#include "output/writer_context.h"
#include "shell/process_launch.h"

namespace mq {

inline constexpr std::string_view kControlSoftwareMark = "400V80";
inline constexpr std::string_view kProgramNameFile = "PNAME.DAT";

// The front end's part while the control software runs.
class ProgramHost {
 public:
  virtual ~ProgramHost() = default;
  // A question with Yes and No buttons and a question icon; lines joined by CR.
  virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
  virtual void HideMainWindow() = 0;
  virtual void ShowMainWindow() = 0;
};

// True when `program_directory` (upper-cased) holds "400V80".
bool IsControlSoftwareDirectory(const std::string& program_directory);

// "STARTED.PIF /e:1024 /c StartED.bat" in the program directory when STARTED.PIF is
// there, otherwise the batch file "StartED.bat" itself.
std::string LaunchCommand(const std::string& program_directory);

// Starts the command line, then waits the graphic delay (whether or not it started).
// A start that fails shows the command line followed by " Not Loaded", titled "Error".
ProcessHandle LaunchProcess(const std::string& command_line, const Settings& settings, Operator& ui);

// Hides the main window, waits until the process has ended and shows the window again.
// A null handle does nothing.
void WaitForProcess(ProcessHandle process, ProgramHost& host);

struct EditorStart {
  ProcessHandle process;
  bool caps_lock_was_on = false;  // to be set back after a manual run
};

// Starts the graphic editor with Caps Lock on, when the converter sits in the control
// software's directory; otherwise does nothing and returns a null handle. The batch
// file decides what it shows: `directory` is not passed on.
EditorStart StartGraphicEditor(const std::string& directory, const RunContext& run, const Settings& settings);

// After a drawing of a manual run: the graphic editor on the destination path, waited
// for, and Caps Lock set back as it was before.
void ShowInGraphicEditor(const RunContext& run, const Settings& settings, ProgramHost& host);

// The name the compiler is given for a written program: its file name without
// directory and without the ".SRG" of the directory system.
std::string BinaryProgramName(const std::string& written_path);

// The binaries step after a run: with "Make Binaries" checked, in the control
// software's directory and with programs written, each program's name goes into
// PNAME.DAT and the compiler is started and driven through its menu (F10 F7, F10 F8,
// q). When files failed the operator is asked first. A program whose compiler did
// not start gets no keystrokes: they would go to whatever window has the focus.
void MakeBinaries(RunContext& run, const Settings& settings, const OutputLedger& ledger, ProgramHost& host);

}  // namespace mq
