#include "shell/batch_list.h"

#include <algorithm>

#include "input/plain_text.h"
#include "input/run_context.h"

namespace mq {

namespace {

std::vector<std::string> BlankSeparatedWords(std::string_view line) {
  std::vector<std::string> words;
  for (std::size_t at = line.find_first_not_of(' '); at != std::string_view::npos;
       at = line.find_first_not_of(' ', at)) {
    const std::size_t end = std::min(line.find(' ', at), line.size());
    words.emplace_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

BatchListEntry EntryOfLine(std::string_view line, std::string_view dxf_path,
                           std::string_view destination_path) {
  const std::vector<std::string> words = BlankSeparatedWords(line);
  const std::string drawing = words[0], program = words.size() > 1 ? words[1] : std::string();
  BatchListEntry entry;
  entry.DrawingName = FileNamePart(drawing);
  entry.DrawingName.resize(std::min(entry.DrawingName.find('.'), entry.DrawingName.size()));
  entry.DrawingDirectory = DirectoryPart(drawing);
  if (entry.DrawingDirectory.empty()) entry.DrawingDirectory = dxf_path;
  entry.ProgramName = FileNamePart(program);
  if (entry.ProgramName.empty()) entry.ProgramName = entry.DrawingName;
  entry.ProgramDirectory = DirectoryPart(program);
  if (entry.ProgramDirectory.empty()) entry.ProgramDirectory = destination_path;
  return entry;
}

}  // namespace

std::string BatchListEntry::Request() const {
  return DrawingDirectory + DrawingName + " " + ProgramDirectory + ProgramName;
}

std::vector<BatchListEntry> ParseBatchList(std::string_view text, std::string_view dxf_path,
                                           std::string_view destination_path) {
  std::string list(text);
  std::replace(list.begin(), list.end(), '"', ' ');
  std::vector<BatchListEntry> entries;
  for (std::size_t at = 0; at < list.size();) {
    const std::size_t end = std::min(list.find_first_of("\r\n", at), list.size());
    const std::string line = UpperCase(TrimSpaces(std::string_view(list).substr(at, end - at)));
    if (!line.empty()) entries.push_back(EntryOfLine(line, dxf_path, destination_path));
    at = end + (list.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return entries;
}

}  // namespace mq
