#include "input/layer_codes.h"

#include <cmath>

#include "input/numeric_text.h"

namespace mq {

namespace {

// Codes are looked for from this 1-based position on, so a 5-letter keyword is never
// read as codes; T and G from one earlier.
constexpr std::size_t kCodeStart = 6;
constexpr std::size_t kToolCodeStart = 5;
// ParamOverride is read with blanks after it, so a number at its end is ended.
constexpr std::string_view kOverridePadding = "      ";
// The characters that end a code's number when its fraction is read.
constexpr char kTerminators[] = {
    ' ', 'D',           'E',           'F',           'G',           'I',           'K',          'L',
    'M', 'O',           'R',           'S',           'T',           'V',           'X',          'Y',
    'Z', code_char::FD, code_char::FR, code_char::LD, code_char::RO, code_char::RI, code_char::PD};
// Spindle speeds below this are written in thousands (S18 is 18000).
constexpr double kSpeedInThousandsBelow = 30;
constexpr double kLowestMachineCode = 2;

constexpr std::size_t kNotFound = std::string::npos;

// The text a parameter is read from, with the key's 0-based position in it.
struct KeyedText {
  std::string text;
  std::size_t key = kNotFound;
  bool found() const { return key != kNotFound; }
  // The text after the key.
  std::string_view after() const { return std::string_view(text).substr(key + 1); }
};

// The parameter text: the placed note's text when it holds the key at all, else the
// layer name. Outside CodeD the first D is masked so that the number before it
// cannot be read as having an exponent.
std::string ChooseText(const EntityRegisters& r, char key, bool mask_depth) {
  std::string s;
  if (r.ParamOverride.find(key) != kNotFound) {
    s = r.ParamOverride;
    s += kOverridePadding;
  } else {
    s = r.EntLayer.str();
  }
  if (mask_depth) {
    const std::size_t d = s.find('D', kCodeStart - 1);
    if (d != kNotFound) s[d] = '~';
  }
  return s;
}

KeyedText Find(const EntityRegisters& r, char key, std::size_t start = kCodeStart) {
  KeyedText k{ChooseText(r, key, true)};
  k.key = k.text.find(key, start - 1);
  return k;
}

// Integer part (rounded towards minus infinity) plus the fraction written after it.
float IntegerAndFraction(const KeyedText& k) {
  const float integer = static_cast<float>(std::floor(ReadCodeNumber(k.after())));
  return integer + CodeFraction(k.text, static_cast<int>(k.key) + 2);
}

float PlainCode(const EntityRegisters& r, char key) {
  const KeyedText k = Find(r, key);
  return k.found() ? IntegerAndFraction(k) : 0;
}

float AbsoluteCode(const EntityRegisters& r, char key) {
  const KeyedText k = Find(r, key);
  if (!k.found()) return 0;
  const float value = std::fabs(IntegerAndFraction(k));
  return value == 0 ? kCodeGivenAsZero : value;
}

// RI and RO: a code without a value means "given, no value"; an explicit 0 stays 0.
float RadiusCode(const EntityRegisters& r, char key) {
  const KeyedText k = Find(r, key);
  if (!k.found()) return 0;
  const float value = IntegerAndFraction(k);
  if (value != 0) return value;
  const std::string_view after = k.after();
  const std::size_t first = after.find_first_not_of(' ');
  return first != kNotFound && after[first] == '0' ? 0 : kCodeWithoutValue;
}

int16_t WholeCode(const EntityRegisters& r, char key, std::size_t start) {
  const KeyedText k = Find(r, key, start);
  return k.found() ? RoundToInt16(ReadCodeNumber(k.after())) : 0;
}

// Collects the tool numbers of "T5T12" as "0512": two characters per tool.
void AppendToolDigits(std::string_view after, std::string& tools) {
  std::string run;
  for (char c : after) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 48 || code > 64) break;
    run += c;
  }
  for (std::size_t i = 0; i + 1 < run.size(); i += 2) tools.append(run, i, 2);
  if (run.size() % 2 == 1) {
    tools += '0';
    tools += run.back();
  }
}

// The first of two characters from `from` on: a plain loop, as the layer texts are
// mostly padding that a library search would step through a call per character.
std::size_t FirstOf(std::string_view text, std::size_t from, char a, char b) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == a || text[i] == b) return i;
  }
  return kNotFound;
}

bool IsTerminator(char c) {
  for (char t : kTerminators) {
    if (c == t) return true;
  }
  return false;
}

}  // namespace

float CodeFraction(std::string_view text, int position) {
  if (position < 1 || static_cast<std::size_t>(position) > text.size()) return 0;
  const std::size_t from = static_cast<std::size_t>(position) - 1;
  std::size_t terminator = kNotFound;
  for (std::size_t i = from; i < text.size(); ++i) {
    if (IsTerminator(text[i])) {
      terminator = i;
      break;
    }
  }
  const std::size_t point = FirstOf(text, from, 'P', '.');
  if (point == kNotFound || terminator == kNotFound || point + 1 >= terminator) return 0;
  std::string s(text);
  const std::size_t exponent = FirstOf(text, from, 'D', 'E');
  if (exponent != kNotFound) s[exponent] = '~';
  s[point] = '.';  // the digits after the point, read as a fraction
  return static_cast<float>(ReadCodeNumber(std::string_view(s).substr(point)));
}

float CodeD(const EntityRegisters& r) {
  KeyedText k{ChooseText(r, 'D', false)};
  // A D directly after Z is the ZD depth mode, read by CodeZ.
  for (std::size_t d = k.text.find('D', kCodeStart - 1); d != kNotFound; d = k.text.find('D', d + 1)) {
    if (k.text[d - 1] != 'Z' && k.text[d - 1] != 'z') {
      k.key = d;
      return IntegerAndFraction(k);
    }
  }
  return 0;
}

int16_t CodeT(const EntityRegisters& r) { return WholeCode(r, 'T', kToolCodeStart); }

std::string ToolList(const EntityRegisters& r) {
  const std::string s = ChooseText(r, 'T', true);
  std::string tools;
  for (std::size_t t = s.find('T', kCodeStart - 1); t != kNotFound; t = s.find('T', t + 1)) {
    AppendToolDigits(std::string_view(s).substr(t + 1), tools);
  }
  return tools;
}

float CodeF(const EntityRegisters& r) { return PlainCode(r, 'F'); }

float CodeFA(const EntityRegisters& r) {
  const KeyedText k = Find(r, code_char::FA);
  return k.found() ? IntegerAndFraction(k) : CodeF(r);
}

float CodeFD(const EntityRegisters& r) { return PlainCode(r, code_char::FD); }

float CodeFR(const EntityRegisters& r) { return PlainCode(r, code_char::FR); }

int16_t CodeS(const EntityRegisters& r) {
  const KeyedText k = Find(r, 'S');
  if (!k.found()) return 0;
  double speed = ReadCodeNumber(k.after());
  if (speed < kSpeedInThousandsBelow) speed *= 1000;
  return RoundToInt16(speed);
}

float CodeZ(EntityRegisters& r) {
  const KeyedText k = Find(r, 'Z');
  r.ZCodeAbsent = !k.found();
  if (!k.found()) return 0;
  // Z followed by a letter a..i (not h) names a depth mode by its character code;
  // "~" is a masked D, so ZD reads as d.
  const char next = k.key + 1 < k.text.size() ? k.text[k.key + 1] : ' ';
  const char lower = (next >= 'A' && next <= 'Z') ? static_cast<char>(next + 32) : next;
  if (lower >= 'a' && lower <= 'i' && lower != 'h') return static_cast<float>(lower);
  if (next == '~') return static_cast<float>('d');
  return IntegerAndFraction(k);
}

int16_t CodeG(const EntityRegisters& r) { return WholeCode(r, 'G', kToolCodeStart); }

float CodeK(const EntityRegisters& r) {
  const float value = PlainCode(r, 'K');
  return value < 0 ? 0 : value;
}

int16_t CodeM(const EntityRegisters& r) {
  const KeyedText k = Find(r, 'M');
  if (!k.found()) return 0;
  const double code = ReadCodeNumber(k.after());
  return code < kLowestMachineCode ? 0 : RoundToInt16(code);
}

float CodeOZ(const EntityRegisters& r) { return AbsoluteCode(r, code_char::OZ); }

float CodePD(const EntityRegisters& r) { return AbsoluteCode(r, code_char::PD); }

int16_t CodeES(const EntityRegisters& r) {
  const KeyedText k = Find(r, code_char::ES);
  if (!k.found()) return 0;
  const int16_t value = RoundToInt16(std::fabs(std::floor(ReadCodeNumber(k.after()))));
  return value == 0 ? static_cast<int16_t>(kCodeGivenAsZero) : value;
}

float CodeLD(const EntityRegisters& r) {
  const KeyedText k = Find(r, code_char::LD);
  if (!k.found()) return 0;
  const float value = IntegerAndFraction(k);
  return value == 0 ? kCodeWithoutValue : value;
}

float CodeRI(const EntityRegisters& r) { return RadiusCode(r, code_char::RI); }

float CodeRO(const EntityRegisters& r) { return RadiusCode(r, code_char::RO); }

std::string CompensationWord(const EntityRegisters& r) {
  std::string word;
  std::string suffix;
  const struct {
    char key;
    const char* word;
  } sides[] = {{'R', "G42 "}, {'L', "G41 "}};  // L, read last, wins
  for (const auto& side : sides) {
    const KeyedText k = Find(r, side.key);
    if (!k.found()) continue;
    const float value = IntegerAndFraction(k);
    suffix = value != 0 ? side.key + FormatSingle(value) : std::string();
    word = side.word;
  }
  return word + suffix;
}

bool HasCompensation(const EntityRegisters& r) {
  constexpr std::size_t kCompensationStart = 7;
  return r.EntLayer.view().find_first_of("LR", kCompensationStart - 1) != std::string_view::npos;
}

}  // namespace mq
