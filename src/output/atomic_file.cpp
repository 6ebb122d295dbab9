#include "output/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "input/file_paths.h"
#include "output/tool_table.h"

namespace mq {

namespace {

namespace fs = std::filesystem;

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  const bool same = fs::equivalent(fs::path(NativePath(a)), fs::path(NativePath(b)), ec);
  return !ec && same;
}

SharedFileOptions OptionsOf(const RunContext& run) {
  SharedFileOptions options;
  options.writer = run.NewFileWriter;
  return options;
}

bool Refused(RunContext& run, const std::string& path) {
  const auto reason = ReadByTheRun(run, path);
  if (!reason) return false;
  AddReportLine(run, CannotWriteMessage(path, *reason));
  FailDrawing(run, path);
  return true;
}

bool Reported(RunContext& run, const std::string& path, const std::optional<std::string>& reason) {
  if (!reason) return true;
  AddReportLine(run, CannotWriteMessage(path, *reason));
  FailDrawing(run, path);
  return false;
}

}  // namespace

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  return ReplaceSharedFile(path, bytes);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(fs::path(NativePath(path)), std::ios::binary);
  if (!file) return {};
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string CannotWriteMessage(const std::string& path, const std::string& reason) {
  return "Cannot write " + path + ": " + reason;
}

std::optional<std::string> ReadByTheRun(const RunContext& run, const std::string& path) {
  if (SameFile(path, run.DxfFileName)) return std::string("it is the drawing being converted");
  if (SameFile(path, ParameterFilePath(run))) return std::string("it is the machine's tool table");
  if (SameFile(path, run.SettingsFile)) return std::string("it is the settings file");
  return std::nullopt;
}

bool WriteResultFile(RunContext& run, const std::string& path, std::string_view bytes) {
  if (Refused(run, path)) return false;
  return Reported(run, path, ReplaceSharedFile(path, bytes, OptionsOf(run)));
}

bool UpdateResultFile(RunContext& run, const std::string& path, const SharedFileUpdate& update) {
  if (Refused(run, path)) return false;
  return Reported(run, path, UpdateSharedFile(path, update, OptionsOf(run)));
}

}  // namespace mq
