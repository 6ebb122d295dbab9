#pragma once
// Starting another program and waiting for it, on every platform the converter runs on.

#include <cstdint>
#include <string>

namespace mq {

// A started process; 0 when none could be started.
struct ProcessHandle {
  std::intptr_t value = 0;
  explicit operator bool() const { return value != 0; }
};

// Starts `command_line` with a normally shown window and returns at once. On Windows
// the line goes to the system as it is (handles inherited, normal priority); elsewhere
// a line that names an existing file is that program, any other line is run by /bin/sh.
ProcessHandle StartProcess(const std::string& command_line);

// Waits without a time limit until the process has ended, then releases it. A null
// handle returns at once.
void WaitForExit(ProcessHandle process);

// A plain sleep of the calling thread.
void SleepSeconds(double seconds);

}  // namespace mq
