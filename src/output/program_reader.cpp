#include "output/program_reader.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace mq {

namespace {

// The largest value a whole-number word (VM, O) may have: beyond it no int holds it.
constexpr double kLargestWholeWord = 2147483647.0;

constexpr std::string_view kEndLine = "\"end\"";
constexpr double kHeaderScale = 10;
constexpr double kHeadPitchMm = 32;  // spacing of neighbouring spindles of the drilling head

struct LineSource {
  int portion = 1;
  int number = 0;
};

std::optional<double> NumberOf(std::string_view text) {
  double value = 0;
  if (text.empty()) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string_view> SplitBlanks(std::string_view text) {
  std::vector<std::string_view> tokens;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    if (end > at) tokens.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return tokens;
}

// The words a kind of line may carry besides its G code.
std::string_view AllowedWords(LineKind kind) {
  switch (kind) {
    case LineKind::ContourStart:
      return "X Y Z T R VX VZ VM O";
    case LineKind::Move:
      return "X Y Z O";
    case LineKind::CentreArc:
    case LineKind::ThreePointArc:
      return "X Y I J O";
    case LineKind::RadiusArc:
      return "X Y I O";
    case LineKind::BoreRow:
    case LineKind::Bore:
      return "X Y Z T O";
    case LineKind::RowEnd:
      return "X Y O";
    case LineKind::SawPass:
      return "X Y Z T VZ VX O";
    case LineKind::EdgeBore:
      return "X Y Z T VX O";
  }
  return "";
}

bool Allowed(LineKind kind, std::string_view word) {
  for (std::string_view allowed : SplitBlanks(AllowedWords(kind))) {
    if (allowed == word) return true;
  }
  return false;
}

// The kind of a line from its G code alone; Move stands for G10 and G00 until the words
// decide. Arc codes set the digit and the contour-end mark.
std::optional<LineKind> KindOfCode(std::string_view code, ProgramLine& line) {
  if (code == "G10" || code == "G00") return LineKind::Move;
  if (code == "G20") return LineKind::BoreRow;
  if (code == "G16" || code == "G17") return LineKind::SawPass;
  if (code == "G06" || code == "G07" || code == "G08" || code == "G09") return LineKind::EdgeBore;
  if (code.size() < 3 || code[0] != 'G' || (code[1] != '0' && code[1] != '1') ||
      (code[2] != '2' && code[2] != '3'))
    return std::nullopt;
  line.EndsContour = code[1] == '0';
  line.ArcDigit = code[2] - '0';
  const std::string_view form = code.substr(3);
  if (form.empty()) return LineKind::CentreArc;
  if (form == "/") return LineKind::RadiusArc;
  if (form == "/5") return LineKind::ThreePointArc;
  return std::nullopt;
}

class LineReader {
 public:
  LineReader(ProgramLine& line, std::string& reason) : line_(line), reason_(reason) {}

  bool Read(std::string_view text) {
    if (text.size() < 3 || text.substr(0, 2) != "\" " || text.back() != '"')
      return Fail("a machining line stands in double quotes after a blank");
    const std::vector<std::string_view> tokens = SplitBlanks(text.substr(2, text.size() - 3));
    if (tokens.empty()) return Fail("the line has no G code");
    line_.Code = std::string(tokens[0]);
    const std::optional<LineKind> kind = KindOfCode(tokens[0], line_);
    if (!kind) return Fail("unknown G code " + line_.Code);
    line_.Kind = *kind;
    for (std::size_t k = 1; k < tokens.size(); ++k) {
      if (!ReadWord(tokens[k])) return false;
    }
    return SettleKind() && CheckWords();
  }

 private:
  bool Fail(std::string reason) {
    reason_ = std::move(reason);
    return false;
  }

  bool Once(std::string_view word) {
    for (std::string_view seen : seen_) {
      if (seen == word && word != "T") return Fail("the word " + std::string(word) + " stands twice");
    }
    seen_.push_back(word);
    return true;
  }

  bool ReadWord(std::string_view token) {
    const bool feed = token.size() > 1 && token[0] == 'V';
    const std::string_view word = token.substr(0, feed ? 2 : 1);
    const std::string_view value = token.substr(word.size());
    if (!Once(word)) return false;
    if (word == "T") return ReadTool(value);
    if (word == "R") return ReadCompensation(value);
    const std::optional<double> number = NumberOf(value);
    if (!number) return Fail("cannot read the word " + std::string(token));
    if (word == "X")
      line_.X = number;
    else if (word == "Y")
      line_.Y = number;
    else if (word == "Z")
      line_.Z = number;
    else if (word == "I")
      line_.I = number;
    else if (word == "J")
      line_.J = number;
    else if (word == "VX")
      line_.VX = number;
    else if (word == "VZ")
      line_.VZ = number;
    else if (word == "VM" || word == "O") {
      if (*number != std::floor(*number)) return Fail("the word " + std::string(token) + " is not whole");
      // Checked before the cast: a number beyond an int has no int value.
      if (word == "O" && (*number < 0 || *number > 3)) return Fail("origin word " + std::string(token));
      if (std::fabs(*number) > kLargestWholeWord) return Fail("the word " + std::string(token) + " is out of range");
      (word == "VM" ? line_.VM : line_.Origin) = static_cast<int>(*number);
    } else {
      return Fail("unknown word " + std::string(token));
    }
    return true;
  }

  // Spindle numbers and a bore's own tool digits ("0512"); a tool substitution may give
  // a path tool any whole number, a negative one included.
  bool ReadTool(std::string_view value) {
    const std::string_view digits = !value.empty() && value[0] == '-' ? value.substr(1) : value;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
      return Fail("cannot read the tool word T" + std::string(value));
    line_.Tools.emplace_back(value);
    return true;
  }

  // "R-4", "R+6", "R-", "R": the side and the magnitude.
  bool ReadCompensation(std::string_view value) {
    line_.CompensationSide = "R";
    if (!value.empty() && (value[0] == '-' || value[0] == '+')) {
      line_.CompensationSide += value[0];
      value.remove_prefix(1);
    }
    if (value.empty()) return true;
    const std::optional<double> number = NumberOf(value);
    if (!number || *number < 0) return Fail("cannot read the compensation word R" + std::string(value));
    line_.CompensationValue = *number;
    return true;
  }

  bool Has(std::string_view word) const {
    for (std::string_view seen : seen_) {
      if (seen == word) return true;
    }
    return false;
  }

  // G10 and G00 are told apart by their words.
  bool SettleKind() {
    if (line_.Kind != LineKind::Move) return true;
    const bool g00 = line_.Code == "G00";
    const bool start_words = Has("T") || Has("R") || Has("VX") || Has("VZ") || Has("VM");
    if (g00 && Has("T")) {
      line_.Kind = LineKind::Bore;
    } else if (g00 && !Has("Z") && Has("X") != Has("Y")) {
      line_.Kind = LineKind::RowEnd;
    } else if (!g00 && start_words) {
      line_.Kind = LineKind::ContourStart;
    } else {
      line_.EndsContour = g00;
    }
    return true;
  }

  bool CheckWords() {
    for (std::string_view word : seen_) {
      if (!Allowed(line_.Kind, word))
        return Fail("the word " + std::string(word) + " does not belong on a " + line_.Code + " line");
    }
    std::string needed = "XY";
    switch (line_.Kind) {
      case LineKind::ContourStart:
      case LineKind::SawPass:
      case LineKind::EdgeBore:
        needed = "XYZ";
        break;
      case LineKind::BoreRow:
      case LineKind::Bore:
        needed = "XYZT";
        break;
      case LineKind::RadiusArc:
        needed = "XYI";
        break;
      case LineKind::CentreArc:
      case LineKind::ThreePointArc:
        needed = "XYIJ";
        break;
      case LineKind::RowEnd:
        needed = "";
        break;
      case LineKind::Move:
        break;
    }
    for (char letter : needed) {
      if (!Has(std::string_view(&letter, 1)))
        return Fail(line_.Code + " line without its " + letter + " word");
    }
    return true;
  }

  ProgramLine& line_;
  std::string& reason_;
  std::vector<std::string_view> seen_;
};

std::optional<ProgramHeader> ReadHeader(std::string_view text) {
  ProgramHeader header;
  double* numbers[] = {&header.Length, &header.Width, &header.Thickness};
  for (double* number : numbers) {
    const std::size_t comma = text.find(',');
    const std::optional<double> value = NumberOf(text.substr(0, comma));
    if (comma == std::string_view::npos || !value) return std::nullopt;
    *number = *value / kHeaderScale;
    text.remove_prefix(comma + 1);
  }
  if (text.substr(0, 4) != "\"M\"," && text.substr(0, 4) != "\"I\",") return std::nullopt;
  header.Inch = text[1] == 'I';
  text.remove_prefix(4);
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::nullopt;
  header.Description = std::string(text.substr(1, text.size() - 2));
  return header;
}

bool SameHeader(const ProgramHeader& a, const ProgramHeader& b) {
  return a.Length == b.Length && a.Width == b.Width && a.Thickness == b.Thickness && a.Inch == b.Inch &&
         a.Description == b.Description;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

void AddError(ProgramReading& reading, const LineSource& at, std::string reason) {
  reading.Errors.push_back({at.portion, at.number, std::move(reason)});
}

// One file: its header and machining lines are added to `reading`.
void ReadFile(std::string_view text, int portion, ProgramReading& reading) {
  const std::vector<std::string_view> lines = SplitLines(text);
  const std::optional<ProgramHeader> header = lines.empty() ? std::nullopt : ReadHeader(lines[0]);
  if (!header) {
    AddError(reading, {portion, 1}, "header expected: length,width,thickness,\"M\" or \"I\",\"description\"");
  } else if (portion == 1) {
    reading.Header = *header;
  } else if (!SameHeader(*header, reading.Header)) {
    AddError(reading, {portion, 1}, "the portion's header differs from the first portion's");
  }
  std::size_t end = 0;
  for (std::size_t k = 1; k < lines.size() && end == 0; ++k) {
    const LineSource at{portion, static_cast<int>(k) + 1};
    if (lines[k] == kEndLine) {
      end = k;
      continue;
    }
    ProgramLine line;
    line.Portion = at.portion;
    line.Number = at.number;
    std::string reason;
    if (LineReader(line, reason).Read(lines[k])) {
      reading.Lines.push_back(std::move(line));
    } else {
      AddError(reading, at, reason);
    }
  }
  if (end == 0) {
    AddError(reading, {portion, static_cast<int>(lines.size()) + 1},
             "the program ends without its \"end\" line");
  } else if (end + 1 < lines.size()) {
    AddError(reading, {portion, static_cast<int>(end) + 2}, "text after the \"end\" line");
  }
}

bool IsSpindle(const ToolTable& table, const std::string& word) {
  const int n = std::atoi(word.c_str());
  return table.Loaded && n >= 1 && n <= kDrillingHeadSpindles;
}

// Distance along the row from the first T word's hole to the k-th's, in millimetres.
double SpindleOffset(const ToolTable& table, const std::vector<std::string>& tools, std::size_t k,
                     bool along_x) {
  if (!IsSpindle(table, tools[0]) || !IsSpindle(table, tools[k]))
    return kHeadPitchMm * static_cast<double>(k);
  const ToolEntry& first = table[std::atoi(tools[0].c_str())];
  const ToolEntry& spindle = table[std::atoi(tools[k].c_str())];
  return std::fabs(along_x ? spindle.ToolX - first.ToolX : spindle.ToolY - first.ToolY);
}

void ResolveHoles(ProgramLine& line, const ToolTable& table, double mm_per_unit) {
  const bool along_x = line.Kind == LineKind::BoreRow;
  const double direction = along_x && line.EndX && *line.EndX < *line.X ? -1 : 1;
  for (std::size_t k = 0; k < line.Tools.size(); ++k) {
    const double step = direction * SpindleOffset(table, line.Tools, k, along_x) / mm_per_unit;
    line.Holes.push_back(along_x ? HolePoint{*line.X + step, *line.Y} : HolePoint{*line.X, *line.Y + step});
  }
}

// Every RowEnd closes the bore row or saw pass just before it, and each of those has one.
void LinkRowEnds(ProgramReading& reading) {
  std::vector<ProgramLine>& lines = reading.Lines;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    ProgramLine& line = lines[k];
    const bool opens = line.Kind == LineKind::BoreRow || line.Kind == LineKind::SawPass;
    ProgramLine* next =
        k + 1 < lines.size() && lines[k + 1].Kind == LineKind::RowEnd ? &lines[k + 1] : nullptr;
    if (opens) {
      const bool along_y = line.Code == "G17";
      if (!next || (along_y ? !next->Y || next->X : !next->X || next->Y)) {
        AddError(reading, {line.Portion, line.Number},
                 line.Code + " line not followed by its end move (G00 " + (along_y ? "Y" : "X") + ")");
        continue;
      }
      (along_y ? line.EndY : line.EndX) = along_y ? next->Y : next->X;
      ++k;
    } else if (line.Kind == LineKind::RowEnd) {
      AddError(reading, {line.Portion, line.Number}, "end move without a bore row or saw pass before it");
    }
  }
}

void Finish(ProgramReading& reading, const ToolTable& table) {
  LinkRowEnds(reading);
  const double mm_per_unit = reading.Header.Inch ? 25.4 : 1.0;
  for (ProgramLine& line : reading.Lines) {
    if (line.Kind == LineKind::Bore || line.Kind == LineKind::BoreRow) ResolveHoles(line, table, mm_per_unit);
  }
}

}  // namespace

ProgramReading ReadProgram(std::string_view text, const ToolTable& table) {
  return ReadProgramPortions({std::string(text)}, table);
}

ProgramReading ReadProgramPortions(const std::vector<std::string>& texts, const ToolTable& table) {
  ProgramReading reading;
  for (std::size_t k = 0; k < texts.size(); ++k) ReadFile(texts[k], static_cast<int>(k) + 1, reading);
  if (texts.empty()) reading.Errors.push_back({1, 1, "no program text"});
  Finish(reading, table);
  return reading;
}

std::string Describe(const ReadError& error) {
  const std::string where = error.Portion > 1 ? "portion " + std::to_string(error.Portion) + ", " : "";
  return where + "line " + std::to_string(error.Number) + ": " + error.Reason;
}

}  // namespace mq
