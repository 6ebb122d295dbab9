#include "engine/drawing/instructions.h"

#include <cmath>
#include <sstream>
#include <vector>

#include "engine/drawing/instruction_aliases.h"
#include "engine/drawing/instruction_statement.h"
#include "engine/drawing/part_list_fields.h"
#include "engine/driver/store_scan.h"
#include "input/numeric_text.h"
#include "input/plain_text.h"

namespace mq {

namespace {

using Handler = void (*)(EngineContext&, const InstructionStatement&, const DrawingEntity&);

// The title statement ("MARQUILL400 INSTRUCTIONS", "POST INSTRUCTIONS") is no instruction.
constexpr std::string_view kTitleKeywords[] = {"MARQUILL400", "POST"};
constexpr std::string_view kNameAssigned = "  Assigned in drawing";
constexpr std::string_view kNoCode = "NOCODE";
constexpr int kFlagBits = 16;

std::vector<std::string> SplitAt(std::string_view text, char separator, bool skip_empty) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in{std::string(text)};
  while (std::getline(in, part, separator)) {
    if (!skip_empty || !part.empty()) parts.push_back(part);
  }
  return parts;
}

void NoArcSubstitution(EngineContext& c, const InstructionStatement&, const DrawingEntity&) {
  c.state.ArcSubstitution = false;
}

// "NO CODE": the keyword is NO, the statement without blanks reads NOCODE.
void NoWithCode(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  if (StartsWith(UpperCase(WithoutBlanks(st.text)), kNoCode)) c.state.NoCodeFlag = true;
}

void NoCode(EngineContext& c, const InstructionStatement&, const DrawingEntity&) {
  c.state.NoCodeFlag = true;
}

void LayerAlias(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  if (!st.RestHasEquals()) return;
  std::string from = UpperCase(TrimBlanks(st.Name()));
  if (from.empty()) return;  // would rename every entity without a layer
  c.state.LayerAliases.push_back({std::move(from), UpperCase(TrimBlanks(st.PairValue()))});
}

// COLOR 3=ROUTE T3, or COLOR ROUTE T3 written in colour 3. The statement's text is
// cleared so that nothing takes it for a note later.
void ColorAlias(EngineContext& c, const InstructionStatement& st, const DrawingEntity& entity) {
  const bool paired = st.RestHasEquals();
  std::string colour = paired ? TrimBlanks(st.Name()) : std::to_string(entity.Color);
  std::string layer = UpperCase(TrimBlanks(paired ? st.PairValue() : st.rest));
  if (!layer.empty()) c.state.ColorAliases.push_back({std::move(colour), std::move(layer)});
  const int32_t text = entity.TextNumber > 0 ? entity.TextNumber : entity.TextIndex;
  if (text > 0 && text < static_cast<int32_t>(c.store.EntityTexts.size())) {
    c.store.EntityTexts[static_cast<std::size_t>(text)].clear();
  }
}

// Program variables the control accepts: names after "@" and before "H", or "I".
bool IsProgramVariableName(const std::string& name) { return (name > "@" && name < "H") || name == "I"; }

void Variable(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  if (!st.RestHasEquals()) return;
  std::string name = UpperCase(WithoutBlanks(st.Name()));
  if (!IsProgramVariableName(name)) return;
  c.state.ProgramVariables.push_back({std::move(name), LowerCase(WithoutBlanks(st.PairValue()))});
  c.state.VariablesPresent = true;
}

void Flag(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  const int bit = RoundToInt16(ReadNumber(st.Value()));
  if (bit >= 0 && bit < kFlagBits) c.state.FlagMask |= static_cast<uint16_t>(1u << bit);
}

void Description(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  c.state.PartDescription = TrimLeadingBlanks(st.Value());
}

void ProgramName(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  std::string name = WithoutBlanks(st.Value());
  if (name.empty()) return;  // an empty NAME would leave the program without a name
  c.state.OutputPath = name;
  AddReportLine(c.run, name + std::string(kNameAssigned));
}

// OP n=text: the parameter text a placed note "n" stands for. Kept in upper case, as
// the layer-code readers read layer names.
void OperationText(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  if (!st.RestHasEquals()) return;
  const int n = RoundToInt16(ReadNumber(st.Name()));
  if (n < 0) return;
  std::vector<std::string>& texts = c.state.OperationTexts;
  if (static_cast<int>(texts.size()) <= n) texts.resize(static_cast<std::size_t>(n) + 1);
  texts[static_cast<std::size_t>(n)] = UpperCase(TrimLeadingBlanks(st.PairValue()));
}

void Scale(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  c.state.DrawingScale = std::fabs(ReadSingle(st.Value()));
}

// LEAD OFF, LEAD ON, LEAD ON 30, LEAD 30.
void Lead(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  const std::vector<std::string> words = SplitAt(st.Value(), ' ', true);
  const std::string first = words.empty() ? std::string() : UpperCase(words[0]);
  if (first == "OFF") {
    c.state.LeadStatement = kStatedOff;
  } else if (first == "ON") {
    c.state.LeadStatement = kStatedOn;
    if (words.size() > 1 && ReadSingle(words[1]) > 0) c.state.LeadLengthStated = ReadSingle(words[1]);
  } else {
    c.state.LeadLengthStated = std::fabs(ReadSingle(first));
  }
}

void RampHeight(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  c.state.RampHeightStated = ReadSingle(st.Value());
}

// ON or OFF sets the switch; any other value leaves it as it was.
void SetSwitch(TriState& target, const InstructionStatement& st) {
  const TriState value = ReadSwitch(st.Value());
  if (value != kNotStated) target = value;
}
void RampIn(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  SetSwitch(c.state.RampInStatement, st);
}
void RampOut(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  SetSwitch(c.state.RampOutStatement, st);
}
void RemoveBorder(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  SetSwitch(c.state.RemoveBorderStatement, st);
}
void CornerComp(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  SetSwitch(c.state.CornerCompMode, st);
}

// OFFSET x,y,z; a missing number counts 0.
void Offset(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  const std::vector<std::string> parts = SplitAt(st.Value(), ',', false);
  auto part = [&](std::size_t i) { return i < parts.size() ? ReadSingle(parts[i]) : 0.0f; };
  c.state.OffsetStatement = ProgramOffset{true, part(0), part(1), part(2)};
}

void PartListField(EngineContext& c, const InstructionStatement& st, const DrawingEntity&) {
  SetPartListField(c, st);
}

struct Keyword {
  std::string_view name;  // upper case
  Handler handle;
};
// Checked in this order; the first keyword equal to the statement's wins.
constexpr Keyword kKeywords[] = {
    {"NOARCSUB", NoArcSubstitution},
    {"NO", NoWithCode},
    {"NOCODE", NoCode},
    {"LAYER", LayerAlias},
    {"COLOR", ColorAlias},
    {"VAR", Variable},
    {"VARIABLE", Variable},
    {"FLAG", Flag},
    {"DESCR", Description},
    {"NAME", ProgramName},
    {"OP", OperationText},
    {"SCALE", Scale},
    {"LEAD", Lead},
    {"LEADS", Lead},
    {"ZRAMP", RampHeight},
    {"RAMPIN()", RampIn},
    {"RAMPOUT()", RampOut},
    {"REMBORDER", RemoveBorder},
    {"OFFSET", Offset},
    {"CORNERCOMP", CornerComp},
    {"PTS", PartListField},
    {".PTS", PartListField},
};

bool IsTitle(const InstructionStatement& st) {
  for (std::string_view title : kTitleKeywords) {
    if (st.keyword == title) return true;
  }
  return false;
}

// Any other statement is a note placed on the drawing: at the text's second alignment
// point when it is aligned, else at its insertion point, in the scale in force now.
// Its text is read as parameters, so it is kept like a layer name: blanks removed,
// upper case.
void PlaceNote(EngineContext& c, const InstructionStatement& st, const DrawingEntity& entity) {
  if (IsBlankText(st.text)) return;
  const bool aligned = entity.Justify != 0;
  const float scale = c.state.DrawingScale;
  c.state.PlacedNotes.push_back(PlacedNote{(aligned ? entity.X2 : entity.X1) * scale,
                                           (aligned ? entity.Y2 : entity.Y1) * scale,
                                           UpperCase(WithoutBlanks(st.text))});
}

void ReadStatement(EngineContext& c, const DrawingEntity& entity) {
  const InstructionStatement st = ParseInstruction(c.store.TextOf(entity));
  if (IsTitle(st)) return;
  for (const Keyword& keyword : kKeywords) {
    if (st.keyword == keyword.name) {
      keyword.handle(c, st, entity);
      return;
    }
  }
  PlaceNote(c, st, entity);
}

}  // namespace

void ScanInstructions(EngineContext& c) {
  const std::string& instruction_layer = c.store.InstructionLayer;
  if (instruction_layer.empty()) return;
  for (int index = kFirstScanIndex; !ScanEnded(c.store, index); ++index) {
    const DrawingEntity& entity = c.store.Entities[static_cast<std::size_t>(index)];
    // The instruction layer is known without its blanks, so the layer is compared so too.
    if (Contains(WithoutBlanks(entity.Layer.view()), instruction_layer)) ReadStatement(c, entity);
  }
  ApplyAliases(c);
}

}  // namespace mq
