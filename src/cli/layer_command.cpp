// marquill400-cli layer NAME...: shows how the layer-name language reads a layer
// name: the names that code substitution and splitting make of it, and the value of
// every parameter reader for each of them.

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_help.h"
#include "cli/commands.h"
#include "cli/json_values.h"
#include "input/drawing_text.h"
#include "input/entity_store.h"
#include "input/layer_codes.h"

namespace mq::cli {

namespace {

struct LayerOptions {
  std::vector<std::string> names;
};

// The two-letter codes are single internal bytes in a prepared name; they are shown
// as the characters the layer-name language writes for them.
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

Json Operation(EntityRegisters& r) {
  Json json;
  json["CodeD"] = JsonFloat(CodeD(r));
  json["CodeT"] = CodeT(r);
  json["ToolList"] = JsonText(ToolList(r));
  json["CodeF"] = JsonFloat(CodeF(r));
  json["CodeFA"] = JsonFloat(CodeFA(r));
  json["CodeFD"] = JsonFloat(CodeFD(r));
  json["CodeFR"] = JsonFloat(CodeFR(r));
  json["CodeS"] = CodeS(r);
  json["CodeZ"] = JsonFloat(CodeZ(r));
  json["CodeG"] = CodeG(r);
  json["CodeK"] = JsonFloat(CodeK(r));
  json["CodeM"] = CodeM(r);
  json["CodeOZ"] = JsonFloat(CodeOZ(r));
  json["CodePD"] = JsonFloat(CodePD(r));
  json["CodeES"] = CodeES(r);
  json["CodeLD"] = JsonFloat(CodeLD(r));
  json["CodeRI"] = JsonFloat(CodeRI(r));
  json["CodeRO"] = JsonFloat(CodeRO(r));
  json["CompensationWord"] = JsonText(CompensationWord(r));
  json["HasCompensation"] = HasCompensation(r);
  json["EntSequence"] = r.EntSequence;
  return json;
}

// The name as the only entity of a drawing, prepared and loaded as the engine does.
Json Layer(const std::string& name) {
  EntityStore store;
  store.Reset();
  constexpr int kFirstEntity = 2;
  DrawingEntity record;
  record.EntityType = "LINE";
  record.Layer = AsReadLayer(name);
  store.Entities.push_back(record);
  SubstituteTwoLetterCodes(store);
  PrepareLayers(store);

  Json json;
  json["name"] = JsonText(name);
  json["prepared"] = Json::array();
  for (int i = kFirstEntity; i <= store.LastIndex(); ++i) {
    json["prepared"].push_back(
        JsonText(ShownName(store.Entities[static_cast<std::size_t>(i)].Layer.trimmed())));
  }
  json["operations"] = Json::array();
  SilentOperator nobody;
  for (int i = kFirstEntity; i <= store.LastIndex();) {
    LoadEntity(store, i, NoteSources{}, nobody);
    json["operations"].push_back(Operation(store.Current));
  }
  return json;
}

int RunLayer(const LayerOptions& options, CommandIo& io) {
  Json layers = Json::array();
  for (const std::string& name : options.names) layers.push_back(Layer(name));
  PrintJson(io.out, layers);
  return kExitOk;
}

}  // namespace

void RegisterLayerCommand(CLI::App& app, CommandIo& io) {
  auto options = std::make_shared<LayerOptions>();
  CLI::App* command = app.add_subcommand(
      "layer", "Show how layer names are read: the prepared names and every parameter, as JSON");
  command->add_option("NAME", options->names, "Layer names as written in a drawing")->required();
  SetCommandHelp(*command, {{},
                            {},
                            {"0  shown", kUsageExitHelp},
                            {"marquill400-cli layer \"ROUTE3 D5 F3000 T3$D10\" \"VBORE D8.5 Z12\""}});
  command->callback([options, &io] { io.exit_status = RunLayer(*options, io); });
}

}  // namespace mq::cli
