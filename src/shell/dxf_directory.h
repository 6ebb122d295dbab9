#pragma once
// The DXF files of the source directory as the main window's file list shows them,
// and the comparison that lets the directory poll rebuild the list only on a change.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mq {

struct DxfFileEntry {
  // The name a conversion request is made with: the short (8.3) name where the file
  // system keeps one, which holds no blanks; the long name elsewhere.
  std::string ShortName;
  std::string LongName;
  std::uintmax_t Size = 0;
  std::int64_t Modified = 0;  // seconds since 1970-01-01 UTC

  friend bool operator==(const DxfFileEntry&, const DxfFileEntry&) = default;
};

// True for a name matching "*.DXF" in any case.
bool IsDxfFileName(std::string_view name);

// The regular files of `directory` whose names match "*.DXF" in any case, by name;
// empty when the directory cannot be read.
std::vector<DxfFileEntry> ReadDxfDirectory(const std::string& directory);

// The local date and time of the entry's last change: "MM/DD/YY" and "HH:MM".
std::string EntryDate(const DxfFileEntry& entry);
std::string EntryTime(const DxfFileEntry& entry);

// A path as a conversion request can name it: a request ends its drawing path at the
// first blank, so on Windows a path with blanks is given in its short form.
std::string RequestPath(const std::string& path);

}  // namespace mq
