#pragma once
// The converter's own command line: a drawing request to convert before the program
// ends, and the switches an installation starts it with. A switch is a word of its
// own ("/S", "/K", "/V", "/A", any case), so that a path written with forward slashes
// ("C:/CAD/SIDE.DXF", "/home/cad/s1.dxf") never switches anything on.

#include <string>
#include <string_view>

namespace mq {

struct CommandLine {
  std::string Text;                // as given at start, unchanged
  std::string Request;             // the words of Text that are not switches, joined by one blank
  bool ProcessBatchList = false;   // "/S": BATCH.LST even with its AutoStart option off; keep stale files
  bool EndAfterBatchList = false;  // "/K": end the program right after a BATCH.LST run
  bool GraphicAfterAuto = false;   // "/V": the graphic editor after every automatic conversion
  bool RestartPartList = false;    // "/A": MQ.PNX starts anew with the run's first drawing

  bool Empty() const { return Text.empty(); }
};

// Reads the switches out of `text`; words are separated by blanks and tabs.
CommandLine ReadCommandLine(std::string_view text);

}  // namespace mq
