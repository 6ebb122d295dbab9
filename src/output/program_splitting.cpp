// A program longer than the line limit is stored as several programs (portions).

#include <algorithm>

#include "input/numeric_text.h"
#include "input/plain_text.h"
#include "input/run_context.h"
#include "output/program_writer.h"

namespace mq {

namespace {

constexpr int kDefaultLineLimit = 600;
// A portion's file name is the base name with the portion number when it stays below
// the control's 8 characters.
constexpr std::size_t kLongestPlainName = 8;

// Characters 3 to 5 of a quoted line are its G code; these lift the tool, so a
// program can be cut after them.
bool LiftsTool(const std::string& line) {
  if (line.size() < 5) return false;
  const std::string code = line.substr(2, 3);
  return code == "G00" || code == "G16" || code == "G17";
}

// The number after the letter O of the origin word ("O1" of `" G10 X0 ... O1"`).
bool ReadOriginNumber(const std::string& line, int& origin) {
  const std::size_t at = line.find('O');
  if (at == std::string::npos) return false;
  origin = static_cast<int>(ReadNumber(std::string_view(line).substr(at + 1)));
  return true;
}

std::string WithOriginWord(const std::string& line, int origin) {
  std::string carried = line;
  const std::size_t closing = carried.rfind('"');
  if (closing == std::string::npos || closing == 0) return carried;
  carried.insert(closing, " O" + std::to_string(origin));
  return carried;
}

}  // namespace

int LineLimitOf(const Settings& settings) {
  const double limit = ReadNumber(settings.LineLimit);
  return limit >= 1 ? RoundToInt32(limit) : kDefaultLineLimit;
}

std::vector<ProgramPortion> SplitProgram(const ProgramLines& lines, int line_limit) {
  const int n = static_cast<int>(lines.size()) - 1;  // the end line
  const int limit = std::max(1, line_limit);
  std::vector<ProgramPortion> portions;
  int origin = 0;
  for (int first = 1; first <= n;) {
    int last = std::min(n, first + limit - 1);
    if (last < n) {
      // A full window ends at its last tool lift; without one it is cut at the limit.
      for (int k = last; k >= first; --k) {
        if (LiftsTool(lines[static_cast<std::size_t>(k)])) {
          last = k;
          break;
        }
      }
    }
    // Nothing but the end line left: the portion ends with it anyway.
    if (last == n - 1) last = n;
    ProgramPortion portion;
    // Cut where the tool is down: the next portion starts with a cutting move.
    const bool cut_inside = last < n && !LiftsTool(lines[static_cast<std::size_t>(last)]);
    portion.StartsInsideContour = !portions.empty() && portions.back().CutInsideContour;
    portion.CutInsideContour = cut_inside;
    portion.Lines.push_back(lines[0]);
    for (int k = first; k <= last; ++k) {
      const std::string& line = lines[static_cast<std::size_t>(k)];
      portion.Lines.push_back(k == first && !portions.empty() && k != n ? WithOriginWord(line, origin)
                                                                        : line);
      ReadOriginNumber(line, origin);
    }
    if (last != n) portion.Lines.push_back(lines[static_cast<std::size_t>(n)]);
    portions.push_back(std::move(portion));
    first = last + 1;
  }
  return portions;
}

std::string PortionName(const std::string& base, int k) {
  const std::string number = std::to_string(k);
  if (FileNamePart(base).size() < kLongestPlainName) return base + number;
  return base.substr(0, base.size() - std::min(base.size(), number.size())) + number;
}

namespace {

// Names as the control tells them apart: the file-name part, cut to the width the
// control keeps, without blanks, in any case.
std::string StoredNameKey(const std::string& name, std::size_t width) {
  return UpperCase(WithoutBlanks(FileNamePart(name).substr(0, width)));
}

}  // namespace

std::vector<std::string> PortionNames(const std::string& base, int count, std::size_t name_width) {
  std::vector<std::string> names;
  std::vector<std::string> keys;
  for (int k = 1; k <= count; ++k) names.push_back(PortionName(base, k));
  for (const std::string& name : names) keys.push_back(StoredNameKey(name, name_width));
  // Spare names are numbered on past the last portion, from a base the control keeps whole.
  const std::string stem = DirectoryPart(base) + FileNamePart(base).substr(0, name_width);
  int spare = count;
  for (std::size_t k = 1; k < names.size(); ++k) {
    const auto earlier_end = keys.begin() + static_cast<std::ptrdiff_t>(k);
    if (std::find(keys.begin(), earlier_end, keys[k]) == earlier_end) continue;
    for (;;) {
      const std::string candidate = PortionName(stem, ++spare);
      const std::string key = StoredNameKey(candidate, name_width);
      if (std::find(keys.begin(), keys.end(), key) != keys.end()) continue;
      names[k] = candidate;
      keys[k] = key;
      break;
    }
  }
  return names;
}

}  // namespace mq
