// marquill400-cli inspect DRAWING: reads a drawing as a conversion would and prints
// what the reader stored, so that people can see how their drawing is understood.

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "cli/collected_report.h"
#include "cli/command_help.h"
#include "cli/commands.h"
#include "cli/inspect_paths.h"
#include "cli/json_values.h"
#include "input/dxf_reader.h"
#include "input/entity_store.h"
#include "input/run_context.h"

namespace mq::cli {

namespace {

struct InspectOptions {
  std::string drawing;
  // Further views of the drawing are added here as options (the engine's path and
  // circle lists, for one, as --paths), each written by its own function below.
  bool paths = false;  // --paths: the routes after contour order (inspect_paths.h)
};

// Every problem of the reading once, each on its own line, under the drawing's name.
void ReportProblems(const CollectingOperator& person, const RunContext& run, const std::string& drawing,
                    std::ostream& err) {
  const std::vector<std::string> lines = ReportLines(person, run);
  std::set<std::string> shown;
  for (const std::string& line : lines) {
    if (!shown.insert(line).second) continue;
    err << "marquill400-cli: " << drawing << ": " << line << "\n";
  }
}

Json EntityJson(const EntityStore& store, int index) {
  const DrawingEntity& e = store.Entities[static_cast<std::size_t>(index)];
  Json json;
  json["index"] = index;
  json["EntityType"] = JsonText(e.EntityType.trimmed());
  json["TextIndex"] = e.TextIndex;
  json["TextNumber"] = e.TextNumber;
  json["Layer"] = JsonText(e.Layer.trimmed());
  json["X1"] = JsonFloat(e.X1);
  json["Y1"] = JsonFloat(e.Y1);
  json["X2"] = JsonFloat(e.X2);
  json["Y2"] = JsonFloat(e.Y2);
  json["Z1"] = JsonFloat(e.Z1);
  json["Z2"] = JsonFloat(e.Z2);
  json["Elevation"] = JsonFloat(e.Elevation);
  json["Thickness"] = JsonFloat(e.Thickness);
  json["Radius"] = JsonFloat(e.Radius);
  json["Width41"] = JsonFloat(e.Width41);
  json["Bulge"] = JsonFloat(e.Bulge);
  json["StartAngle"] = JsonFloat(e.StartAngle);
  json["EndAngle"] = JsonFloat(e.EndAngle);
  json["Color"] = e.Color;
  json["Flags"] = e.Flags;
  json["Justify"] = e.Justify;
  json["FollowFlag"] = e.FollowFlag;
  json["Face"] = JsonText(e.Face.trimmed());
  if (e.TextIndex != 0 || e.TextNumber != 0) json["Text"] = JsonText(store.TextOf(e));
  return json;
}

// One object per record that carries an entity.
Json EntitiesJson(const EntityStore& store) {
  Json json = Json::array();
  for (int i = 0; i <= store.LastIndex(); ++i) {
    if (!store.Entities[static_cast<std::size_t>(i)].IsBlank()) json.push_back(EntityJson(store, i));
  }
  return json;
}

int RunInspect(const InspectOptions& options, CommandIo& io) {
  if (options.paths) return InspectPaths(options.drawing, io);
  CollectingOperator person;
  RunContext run(person);
  EntityStore store;
  std::string file_name = options.drawing;
  ReadDxf(file_name, store, run);
  if (run.FileFailed) {
    ReportProblems(person, run, options.drawing, io.err);
    return kExitFailed;
  }

  Json json;
  json["file"] = JsonText(options.drawing);
  json["instructionLayer"] = JsonText(store.InstructionLayer);
  json["entities"] = EntitiesJson(store);
  PrintJson(io.out, json);
  return kExitOk;
}

}  // namespace

void RegisterInspectCommand(CLI::App& app, CommandIo& io) {
  auto options = std::make_shared<InspectOptions>();
  CLI::App* command = app.add_subcommand(
      "inspect", "Read a DXF drawing and print the entities it stores, as JSON on standard output");
  command->add_option("DRAWING", options->drawing, "The DXF drawing to read")->required();
  command->add_flag("--paths", options->paths,
                    "Print instead the routed contours (PathList, CircleList) after contour order");
  command->add_option("--settings", io.settings_file, "Settings file (MQ400.INI) to use with --paths");
  SetCommandHelp(*command, {{std::string(kRootHelp) + " (--paths)"},
                            {"DRAWING  read, never written", kSettingsFileHelp + std::string(" (--paths)")},
                            {"0  read", "1  the drawing cannot be read or converted", kUsageExitHelp},
                            {"marquill400-cli inspect SIDE.DXF", "marquill400-cli inspect --paths DOOR.DXF"}});
  command->callback([options, &io] { io.exit_status = RunInspect(*options, io); });
}

}  // namespace mq::cli
