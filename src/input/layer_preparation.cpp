// Preparation of the layer names before any entity is loaded: the two-letter codes
// become single characters, and names that hold several operations are split.

#include <string>

#include "input/drawing_text.h"
#include "input/layer_codes.h"
#include "input/numeric_text.h"
#include "input/plain_text.h"

namespace mq {

namespace {

// 0-based index of the first position where codes are looked for (position 6).
constexpr std::size_t kCodeStart = kLayerKeywordLength;
constexpr std::size_t kNotFound = std::string::npos;

struct CodeReplacement {
  std::string_view code;
  char replacement;
};

// In this order: FA before FD so that "FAFD" holds both.
constexpr CodeReplacement kTwoLetterCodes[] = {
    {"FA", code_char::FA}, {"FD", code_char::FD}, {"FR", code_char::FR}, {"LD", code_char::LD},
    {"RO", code_char::RO}, {"RI", code_char::RI}, {"PD", code_char::PD}, {"ES", code_char::ES},
    {"EX", code_char::ES}, {"OZ", code_char::OZ}, {"XP", 'Z'},           {"YP", 'Z'}};

// The next occurrence of `code` at or after `from`. "ROZ" is R followed by OZ, never
// the RO code, wherever it stands.
std::size_t FindCode(const std::string& name, std::string_view code, std::size_t from) {
  std::size_t at = name.find(code, from);
  if (code == "RO") {
    while (at != kNotFound && at + 2 < name.size() && name[at + 2] == 'Z') at = name.find(code, at + 1);
  }
  return at;
}

// One pass over one name; true when some code occurs again and needs another pass.
bool SubstituteOnce(std::string& name, bool& lead_code_seen) {
  bool again = false;
  for (const CodeReplacement& c : kTwoLetterCodes) {
    const std::size_t at = FindCode(name, c.code, kCodeStart);
    if (at == kNotFound) continue;
    name[at] = ' ';
    name[at + 1] = c.replacement;
    if (c.code == "LD") lead_code_seen = true;
    if (FindCode(name, c.code, at + 1) != kNotFound) again = true;
  }
  return again;
}

bool StartsWith(std::string_view name, std::string_view head) { return name.substr(0, head.size()) == head; }

// BORDER D18$T3 D5: the border keeps "BORDER D18", a copy routes along it as "ROUTET3 D5".
void SplitBorderRoutes(EntityStore& store) {
  const int last = store.LastIndex();
  for (int i = 1; i <= last; ++i) {
    const std::string name = store.Entities[static_cast<std::size_t>(i)].Layer.str();
    const std::size_t dollar = name.find('$');
    if (!StartsWith(name, "BORDER") || dollar == kNotFound) continue;
    DrawingEntity route = store.Entities[static_cast<std::size_t>(i)];
    route.Layer = JoinText({"ROUTE", std::string_view(name).substr(dollar + 1)});
    store.Entities[static_cast<std::size_t>(i)].Layer = name.substr(0, dollar);
    store.Entities.push_back(route);
  }
}

// How many of the characters of `window` the number written in it takes, blanks
// before and between its digits included.
std::size_t NumberSpan(std::string_view window) {
  std::size_t span = 0;
  bool sign_allowed = true;
  for (std::size_t i = 0; i < window.size(); ++i) {
    const char c = window[i];
    if (c == ' ') continue;
    if ((c == '+' || c == '-') && sign_allowed) {
      sign_allowed = false;
    } else if ((c >= '0' && c <= '9') || c == '.') {
      sign_allowed = false;
    } else {
      break;
    }
    span = i + 1;
  }
  return span;
}

// ROUTE1 becomes ROUTE20, ROUTE3 ROUTE40: room for the operations a "$" split derives.
void RenumberRoutes(EntityStore& store) {
  for (std::size_t i = 1; i < store.Entities.size(); ++i) {
    FixedText<kLayerWidth>& layer = store.Entities[i].Layer;
    const std::string name = layer.str();
    if (!StartsWith(name, "ROUTE") && !StartsWith(name, "EXCAV")) continue;
    const std::string_view window = std::string_view(name).substr(kCodeStart, 3);
    const int16_t n = RoundToInt16(ReadCodeNumber(window));
    if (n == 0) continue;
    // The number is replaced where it was written: "ROUTE 3 D5" becomes "ROUTE40 D5".
    const std::string_view whole(name);
    layer = JoinText({whole.substr(0, kLayerKeywordLength), std::to_string(10 * n + 10),
                      whole.substr(kCodeStart + NumberSpan(window))});
  }
}

std::string WithoutLeadingNonLetters(std::string text) {
  std::size_t first = 0;
  while (first < text.size() && static_cast<unsigned char>(text[first]) <= 64) ++first;
  return text.substr(first);
}

std::string WithoutTrailingBlanks(std::string text) {
  const std::size_t end = LastNotPadding(text);
  return end == kNotFound ? std::string() : text.substr(0, end + 1);
}

// The codes the next operation inherits from the first: its depth mode and
// depth (Z), G and, for routes, the tool when the next names none. The values are
// read from the operation's own text only, never from whatever layer was loaded last.
std::string InheritedCodes(const std::string& first_text, const std::string& next_text, bool route) {
  EntityRegisters first;
  first.ParamOverride = first_text;
  std::string codes;
  const float z = CodeZ(first);
  if (z != 0) codes += JoinText({"Z", FormatSingle(z)});
  const int16_t g = CodeG(first);
  if (g != 0) codes += JoinText({"G", std::to_string(g)});
  if (route) {
    EntityRegisters next;
    next.ParamOverride = next_text;
    const int16_t tool = CodeT(first);
    if (tool > 0 && CodeT(next) == 0) codes += JoinText({"T", std::to_string(tool)});
  }
  return codes;
}

// Splits record `i` at its first "$"; false when it has none or a head that cannot be split.
bool SplitOperations(EntityStore& store, std::size_t i) {
  std::string name = store.Entities[i].Layer.str();
  std::size_t dollar = name.find('$');
  if (dollar == kNotFound) return false;

  const std::string head = name.substr(0, kLayerKeywordLength);
  std::string keyword = head;
  std::string suffix;
  const bool route = head == "ROUTE" || head == "EXCAV";
  if (route) {
    const int n = RoundToInt16(ReadCodeNumber(std::string_view(name).substr(kCodeStart, 3)));
    if (n != 0) {
      suffix = std::to_string(n + 1);
    } else {
      name.insert(kCodeStart, 1, '1');
      ++dollar;
      suffix.assign(1, '2');
    }
  } else if (head == "GROOV") {
    keyword = "GROOVE";
  } else if (head == "DRILL") {
    keyword = "DRILLING";
  } else if (head != "VBORE" && head != "HBORE") {
    return false;
  }

  const std::string first_text =
      dollar > keyword.size() ? WithoutLeadingNonLetters(name.substr(keyword.size(), dollar - keyword.size()))
                              : std::string();
  const std::size_t next_dollar = name.find('$', dollar + 1);
  const std::string next_text = WithoutTrailingBlanks(
      name.substr(dollar + 1, next_dollar == kNotFound ? kNotFound : next_dollar - dollar - 1));
  const std::string rest = next_dollar != kNotFound ? name.substr(next_dollar) : name.substr(name.size() - 1);

  DrawingEntity next_operation = store.Entities[i];
  next_operation.Layer =
      JoinText({keyword, suffix, next_text, InheritedCodes(first_text, next_text, route), rest});
  store.Entities[i].Layer = name.substr(0, dollar);
  store.Entities.push_back(next_operation);
  return true;
}

}  // namespace

void SubstituteTwoLetterCodes(EntityStore& store) {
  bool lead_code_seen = false;
  for (std::size_t i = 1; i < store.Entities.size(); ++i) {
    FixedText<kLayerWidth>& layer = store.Entities[i].Layer;
    std::string name = layer.str();
    // Names are independent: repeating passes over one name until it is stable
    // gives what repeating passes over the whole store gives.
    bool again = true;
    bool changed = false;
    while (again) {
      const std::string before = name;
      again = SubstituteOnce(name, lead_code_seen);
      changed = changed || name != before;
    }
    if (changed) layer = name;
  }
  store.Current.LeadCodeSeen = lead_code_seen;
}

void PrepareLayers(EntityStore& store) {
  SplitBorderRoutes(store);
  RenumberRoutes(store);
  bool split = true;
  // Every split removes a "$" from its lineage, so the passes end; a name whose head
  // cannot be split keeps its "$" and does not hold them up.
  while (split) {
    split = false;
    const std::size_t existing = store.Entities.size();
    for (std::size_t i = 1; i < existing; ++i) split = SplitOperations(store, i) || split;
  }
  store.Current.ParamOverride.clear();
}

}  // namespace mq
