#include "shell/command_line_switches.h"

#include "input/plain_text.h"

namespace mq {

namespace {

constexpr std::string_view kWordSeparators = " \t";

// Sets the flag the word names; false when the word is not a switch.
bool ApplySwitch(std::string_view word, CommandLine& line) {
  if (word.size() != 2 || word[0] != '/') return false;
  switch (UpperCase(word.substr(1))[0]) {
    case 'S':
      return line.ProcessBatchList = true;
    case 'K':
      return line.EndAfterBatchList = true;
    case 'V':
      return line.GraphicAfterAuto = true;
    case 'A':
      return line.RestartPartList = true;
    default:
      return false;
  }
}

}  // namespace

CommandLine ReadCommandLine(std::string_view text) {
  CommandLine line;
  line.Text = std::string(text);
  for (std::size_t at = text.find_first_not_of(kWordSeparators); at != std::string_view::npos;
       at = text.find_first_not_of(kWordSeparators, at)) {
    const std::string_view word = text.substr(at, text.find_first_of(kWordSeparators, at) - at);
    at += word.size();
    if (ApplySwitch(word, line)) continue;
    if (!line.Request.empty()) line.Request += ' ';
    line.Request += word;
  }
  return line;
}

}  // namespace mq
