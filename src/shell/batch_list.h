#pragma once
// BATCH.LST, the list of drawings a design program hands over at once: one request per
// line, the drawing and optionally a blank and the program name. Double quotes are read
// as blanks and every line is taken in upper case. A drawing without a directory is
// looked for in the DXF source path; a program without one goes to the destination path.

#include <string>
#include <string_view>
#include <vector>

namespace mq {

struct BatchListEntry {
  std::string DrawingDirectory;  // with its closing separator
  std::string DrawingName;       // file name cut before its first dot
  std::string ProgramDirectory;  // with its closing separator
  std::string ProgramName;

  // The request ProcessFile takes: drawing directory and name, one blank, program
  // directory and name (so the program name carries its directory).
  std::string Request() const;
};

// The entries of the list's text, in order; empty lines give none. Lines end at CR,
// LF or CR LF. `dxf_path` and `destination_path` end in a separator.
std::vector<BatchListEntry> ParseBatchList(std::string_view text, std::string_view dxf_path,
                                           std::string_view destination_path);

}  // namespace mq
