// marquill400-cli layer NAME...: shows how the layer-name language reads a layer
// name: the names that code substitution and splitting make of it, and the value of
// every parameter reader for each of them.

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "input/drawing_text.h"
#include "input/entity_store.h"
#include "input/layer_codes.h"

namespace mq::cli {

namespace {

struct LayerOptions {
  std::vector<std::string> names;
};

// The two-letter codes are single internal bytes in a prepared name; they are shown
// as the design's characters.
constexpr struct {
  char code;
  char32_t shown;
} kShownCodes[] = {{code_char::FA, U'ü'}, {code_char::FD, U'æ'}, {code_char::FR, U'ç'},
                   {code_char::LD, U'ä'}, {code_char::RO, U'å'}, {code_char::RI, U'è'},
                   {code_char::PD, U'é'}, {code_char::ES, U'ë'}, {code_char::OZ, U'ê'}};

std::string ShownName(std::string_view name) {
  std::string shown;
  for (char c : name) {
    bool replaced = false;
    for (const auto& code : kShownCodes) {
      if (c == code.code) {
        AppendUtf8(shown, code.shown);
        replaced = true;
        break;
      }
    }
    if (!replaced) shown += c;
  }
  return shown;
}

// The name as the reader stores a layer: upper case, without surrounding blanks.
std::string AsReadLayer(const std::string& name) {
  const std::string upper = UpperCaseDrawingText(name);
  const std::size_t first = upper.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return upper.substr(first, upper.find_last_not_of(' ') - first + 1);
}

void WriteOperation(JsonWriter& json, EntityRegisters& r) {
  json.BeginObject();
  json.Key("CodeD").Float(CodeD(r));
  json.Key("CodeT").Integer(CodeT(r));
  json.Key("ToolList").String(ToolList(r));
  json.Key("CodeF").Float(CodeF(r));
  json.Key("CodeFA").Float(CodeFA(r));
  json.Key("CodeFD").Float(CodeFD(r));
  json.Key("CodeFR").Float(CodeFR(r));
  json.Key("CodeS").Integer(CodeS(r));
  json.Key("CodeZ").Float(CodeZ(r));
  json.Key("CodeG").Integer(CodeG(r));
  json.Key("CodeK").Float(CodeK(r));
  json.Key("CodeM").Integer(CodeM(r));
  json.Key("CodeOZ").Float(CodeOZ(r));
  json.Key("CodePD").Float(CodePD(r));
  json.Key("CodeES").Integer(CodeES(r));
  json.Key("CodeLD").Float(CodeLD(r));
  json.Key("CodeRI").Float(CodeRI(r));
  json.Key("CodeRO").Float(CodeRO(r));
  json.Key("CompensationWord").String(CompensationWord(r));
  json.Key("HasCompensation").Bool(HasCompensation(r));
  json.Key("EntSequence").Integer(r.EntSequence);
  json.EndObject();
}

// The name as the only entity of a drawing, prepared and loaded as the engine does.
void WriteLayer(JsonWriter& json, const std::string& name) {
  EntityStore store;
  store.Reset();
  constexpr int kFirstEntity = 2;
  DrawingEntity record;
  record.EntityType = "LINE";
  record.Layer = AsReadLayer(name);
  store.Entities.push_back(record);
  SubstituteTwoLetterCodes(store);
  PrepareLayers(store);

  json.BeginObject();
  json.Key("name").String(name);
  json.Key("prepared").BeginArray();
  for (int i = kFirstEntity; i <= store.LastIndex(); ++i) {
    json.String(ShownName(store.Entities[static_cast<std::size_t>(i)].Layer.trimmed()));
  }
  json.EndArray();
  json.Key("operations").BeginArray();
  SilentOperator nobody;
  for (int i = kFirstEntity; i <= store.LastIndex();) {
    LoadEntity(store, i, NoteSources{}, nobody);
    WriteOperation(json, store.Current);
  }
  json.EndArray();
  json.EndObject();
}

int RunLayer(const LayerOptions& options, CommandIo& io) {
  constexpr int kOneOperationPerLine = 3;  // list, name, operation list, operation
  JsonWriter json(io.out, kOneOperationPerLine);
  json.BeginArray();
  for (const std::string& name : options.names) WriteLayer(json, name);
  json.EndArray();
  json.Finish();
  return kExitOk;
}

}  // namespace

void RegisterLayerCommand(CLI::App& app, CommandIo& io) {
  auto options = std::make_shared<LayerOptions>();
  CLI::App* command = app.add_subcommand(
      "layer", "Show how layer names are read: the prepared names and every parameter, as JSON");
  command->add_option("NAME", options->names, "Layer names as written in a drawing")->required();
  command->callback([options, &io] { io.exit_status = RunLayer(*options, io); });
}

}  // namespace mq::cli
