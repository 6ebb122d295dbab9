#include "shell/process_launch.h"

#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;
#endif

namespace mq {

#if defined(_WIN32)

ProcessHandle StartProcess(const std::string& command_line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');  // CreateProcess may write into the command line
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &info)) {
    return {};
  }
  CloseHandle(info.hThread);
  return {reinterpret_cast<std::intptr_t>(info.hProcess)};
}

void WaitForExit(ProcessHandle process) {
  if (!process) return;
  const HANDLE handle = reinterpret_cast<HANDLE>(process.value);
  WaitForSingleObject(handle, INFINITE);
  CloseHandle(handle);
}

#else

ProcessHandle StartProcess(const std::string& command_line) {
  std::error_code ec;
  const bool names_program = std::filesystem::is_regular_file(command_line, ec);
  std::string shell = "/bin/sh", dash_c = "-c", line = command_line;
  std::vector<char*> argv;
  if (names_program) {
    argv = {line.data(), nullptr};
  } else {
    argv = {shell.data(), dash_c.data(), line.data(), nullptr};
  }
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {};
  return {static_cast<std::intptr_t>(pid)};
}

void WaitForExit(ProcessHandle process) {
  if (!process) return;
  int status = 0;
  while (waitpid(static_cast<pid_t>(process.value), &status, 0) < 0 && errno == EINTR) {
  }
}

#endif

void SleepSeconds(double seconds) {
  if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

}  // namespace mq
