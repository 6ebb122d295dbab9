#include "engine/drawing/text_layers.h"

#include "engine/drawing/part_border.h"
#include "engine/driver/store_scan.h"
#include "input/plain_text.h"

namespace mq {

namespace {

constexpr std::string_view kNameLayer = "NAME";
constexpr std::string_view kDescriptionLayerHead = "DESCR";
constexpr std::string_view kDescriptionMark = "DESC";  // a border text "DESC text" describes the part
constexpr std::string_view kCncNoteLayerMark = "CNCNOT";
constexpr std::string_view kGCodeLayers[] = {"GCODE1", "GCODE2", "GCODE3"};

// TEXT on layer NAME: the program name for this drawing. Stored as the message shows
// it to the operator (blanks removed), so the report never names another program
// than the one written.
void NameFromText(EngineContext& c, const std::string& text) {
  const std::string name = WithoutBlanks(text);
  if (name.empty()) return;  // keep the name the drawing would have had
  c.state.OutputPath = name;
  c.state.PartNameMessage = "USING \"" + UpperCase(name) + "\" FOR THE PART NAME";
}

void DescriptionFromBorderText(EngineContext& c, const std::string& text) {
  const std::string statement = TrimLeadingBlanks(text);
  if (!StartsWith(UpperCase(statement), kDescriptionMark)) return;
  const std::size_t blank = statement.find(' ');
  c.state.PartDescription =
      blank == std::string::npos ? std::string() : TrimBlanks(statement.substr(blank + 1));
  AddReportLine(c.run, c.state.PartDescription);
}

OneBasedList<std::string>* GCodeList(ConversionState& s, const std::string& layer) {
  if (layer == kGCodeLayers[0]) return &s.GCode1Texts;
  if (layer == kGCodeLayers[1]) return &s.GCode2Texts;
  if (layer == kGCodeLayers[2]) return &s.GCode3Texts;
  return nullptr;
}

}  // namespace

void HandleTextLayerEntity(EngineContext& c) {
  const EntityRegisters& r = c.store.Current;
  const std::string layer = TrimmedLayerName(r);
  const std::string& text = r.EntText;
  if (layer == kNameLayer) {
    NameFromText(c, text);
  } else if (StartsWith(layer, kDescriptionLayerHead)) {
    c.state.PartDescription = TrimBlanks(text);
  } else if (Contains(layer, kBorderLayerMark)) {
    DescriptionFromBorderText(c, text);
  } else if (Contains(layer, kCncNoteLayerMark)) {
    c.state.CncNotTexts.push_back(text);
  } else if (OneBasedList<std::string>* list = GCodeList(c.state, layer)) {
    list->push_back(TrimBlanks(text));
  }
}

}  // namespace mq
