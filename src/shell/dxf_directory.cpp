#include "shell/dxf_directory.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include "input/file_paths.h"
#include "input/plain_text.h"

namespace mq {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDxfExtension = ".DXF";

std::int64_t SecondsSinceEpoch(fs::file_time_type time) {
  const auto system = std::chrono::file_clock::to_sys(time);
  return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

std::tm LocalTime(std::int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &time);
#else
  localtime_r(&time, &local);
#endif
  return local;
}

std::string TwoDigitFields(int first, int second, int third, char separator) {
  char text[40];
  if (third < 0) {
    std::snprintf(text, sizeof text, "%02d%c%02d", first, separator, second);
  } else {
    std::snprintf(text, sizeof text, "%02d%c%02d%c%02d", first, separator, second, separator, third);
  }
  return text;
}

#if defined(_WIN32)
std::wstring ShortPathW(const fs::path& path) {
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return {};
  std::wstring buffer(needed, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), needed);
  if (length == 0 || length >= needed) return {};
  buffer.resize(length);
  return buffer;
}
#endif

std::string ShortNameOf(const fs::path& path) {
#if defined(_WIN32)
  const std::wstring short_path = ShortPathW(path);
  if (!short_path.empty()) return fs::path(short_path).filename().string();
#endif
  return path.filename().string();
}

}  // namespace

bool IsDxfFileName(std::string_view name) {
  return name.size() > kDxfExtension.size() &&
         EqualsIgnoringCase(name.substr(name.size() - kDxfExtension.size()), kDxfExtension);
}

std::vector<DxfFileEntry> ReadDxfDirectory(const std::string& directory) {
  std::vector<DxfFileEntry> entries;
  if (directory.empty()) return entries;
  std::error_code ec;
  for (fs::directory_iterator it(fs::path(NativePath(directory)), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code entry_ec;
    if (!IsDxfFileName(name) || !it->is_regular_file(entry_ec)) continue;
    DxfFileEntry entry;
    entry.LongName = name;
    entry.ShortName = ShortNameOf(it->path());
    entry.Size = it->file_size(entry_ec);
    entry.Modified = SecondsSinceEpoch(it->last_write_time(entry_ec));
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), [](const DxfFileEntry& a, const DxfFileEntry& b) {
    return UpperCase(a.LongName) < UpperCase(b.LongName);
  });
  return entries;
}

std::string EntryDate(const DxfFileEntry& entry) {
  const std::tm local = LocalTime(entry.Modified);
  return TwoDigitFields(local.tm_mon + 1, local.tm_mday, local.tm_year % 100, '/');
}

std::string EntryTime(const DxfFileEntry& entry) {
  const std::tm local = LocalTime(entry.Modified);
  return TwoDigitFields(local.tm_hour, local.tm_min, -1, ':');
}

std::string RequestPath(const std::string& path) {
#if defined(_WIN32)
  if (path.find(' ') != std::string::npos) {
    const std::wstring short_path = ShortPathW(fs::path(path));
    if (!short_path.empty()) return fs::path(short_path).string();
  }
#endif
  return path;
}

}  // namespace mq
