// Sections A to C of a program: bore groups, saw grooves and edge bores.

#include <algorithm>
#include <cmath>

#include "input/numeric_text.h"
#include "output/number_format.h"
#include "output/program_words.h"
#include "output/program_writer.h"

namespace mq {

namespace {

int CountToolWords(const std::string& words) {
  return static_cast<int>(std::count(words.begin(), words.end(), 'T'));
}

// The first `m` T words of a group's tool words.
std::string FirstToolWords(const std::string& words, int m) {
  std::size_t at = 0;
  for (int found = 0; at < words.size(); ++at) {
    if (words[at] == 'T' && found++ == m) break;
  }
  std::string first = words.substr(0, at);
  first.erase(first.find_last_not_of(' ') + 1);
  return first;
}

const char* EdgeBoreCode(int16_t side) {
  switch (side) {
    case edge::kTop:
      return "G09";
    case edge::kBottom:
      return "G08";
    case edge::kLeft:
      return "G06";
    case edge::kRight:
      return "G07";
    default:
      return nullptr;
  }
}

// The whole stored tool text, padding included, when it names a tool.
std::string EdgeBoreToolWord(const FixedText<30>& tool_text) {
  std::string text(tool_text.view());
  std::replace(text.begin(), text.end(), '\0', ' ');
  return ReadNumber(text) != 0 ? " T" + text : std::string();
}

}  // namespace

void AppendBoreGroupLines(const OneBasedList<BoreGroup>& groups, const WriterFrame& frame,
                          ProgramLines& lines) {
  const int p = frame.Precision;
  for (const BoreGroup& group : groups) {
    float start_x = group.StartX, start_y = group.StartY, end_x = group.EndX;
    float z = DepthOrZero(group.Z);
    if (group.Axis == kAxisAlongX && group.Count != 1) {
      // One stroke of the head along X from the start, then the move to the row's end.
      lines.push_back("G20" + FormatCoordinateWord('X', start_x, p) + FormatCoordinateWord('Y', start_y, p) +
                      FormatCoordinateWord('Z', z, p) + group.ToolWords);
      lines.push_back("G00" + FormatCoordinateWord('X', end_x, p));
      continue;
    }
    lines.push_back("G00" + FormatCoordinateWord('X', start_x, p) + FormatCoordinateWord('Y', start_y, p) +
                    FormatCoordinateWord('Z', z, p) + group.ToolWords);
    // A row along Y longer than the head's spindle set is drilled in further strokes,
    // each k holes further on.
    const int k = CountToolWords(group.ToolWords);
    if (k == 0) continue;
    const float direction = group.StartY < group.EndY ? 1.0f : -1.0f;
    int remaining = group.Count - k;
    for (int c = 1; remaining > 0; ++c, remaining -= k) {
      const float stroke = static_cast<float>(group.Pitch * k * c) / frame.MillimetresPerUnit;
      float x = start_x, y = start_y + direction * stroke, depth = z;
      lines.push_back("G00" + FormatCoordinateWord('X', x, p) + FormatCoordinateWord('Y', y, p) +
                      FormatCoordinateWord('Z', depth, p) +
                      FirstToolWords(group.ToolWords, std::min(k, remaining)));
    }
  }
}

void AppendGrooveLines(const OneBasedList<LineBoreRecord>& grooves, const WriterFrame& frame,
                       ProgramLines& lines) {
  const int p = frame.Precision;
  for (const LineBoreRecord& groove : grooves) {
    // A groove runs along X (G16) unless it is steeper than 45 degrees (G17).
    const bool along_x = std::abs(groove.Y1 - groove.Y2) <= std::abs(groove.X1 - groove.X2);
    float x1 = groove.X1, y1 = groove.Y1, z = DepthOrZero(groove.Z), x2 = groove.X2, y2 = groove.Y2;
    lines.push_back(std::string(along_x ? "G16" : "G17") + FormatCoordinateWord('X', x1, p) +
                    FormatCoordinateWord('Y', y1, p) + FormatCoordinateWord('Z', z, p) +
                    (groove.Tool > 0 ? " T" + std::to_string(groove.Tool) : std::string()) +
                    FeedWord(" VZ", groove.VZ, p) + FeedWord(" VX", groove.VX, p));
    lines.push_back(along_x ? "G00" + FormatCoordinateWord('X', x2, p)
                            : "G00" + FormatCoordinateWord('Y', y2, p));
  }
}

void AppendEdgeBoreLines(const OneBasedList<EdgeBoreRecord>& edge_bores, const WriterFrame& frame,
                         ProgramLines& lines) {
  const int p = frame.Precision;
  for (const EdgeBoreRecord& bore : edge_bores) {
    const char* code = EdgeBoreCode(bore.Side);
    if (code == nullptr) continue;  // not an edge of the panel
    float x = bore.X, y = bore.Y, z = DepthOrZero(bore.Z);
    lines.push_back(code + FormatCoordinateWord('X', x, p) + FormatCoordinateWord('Y', y, p) +
                    FormatCoordinateWord('Z', z, p) + EdgeBoreToolWord(bore.ToolText) +
                    FeedWord(" VX", bore.VX, p));
  }
}

}  // namespace mq
