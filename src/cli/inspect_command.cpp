// marquill400-cli inspect DRAWING: reads a drawing as a conversion would and prints
// what the reader stored, so that people can see how their drawing is understood.

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "cli/collected_report.h"
#include "cli/commands.h"
#include "cli/inspect_paths.h"
#include "cli/json_writer.h"
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

void WriteEntity(JsonWriter& json, const EntityStore& store, int index) {
  const DrawingEntity& e = store.Entities[static_cast<std::size_t>(index)];
  json.BeginObject();
  json.Key("index").Integer(index);
  json.Key("EntityType").String(e.EntityType.trimmed());
  json.Key("TextIndex").Integer(e.TextIndex);
  json.Key("TextNumber").Integer(e.TextNumber);
  json.Key("Layer").String(e.Layer.trimmed());
  json.Key("X1").Float(e.X1);
  json.Key("Y1").Float(e.Y1);
  json.Key("X2").Float(e.X2);
  json.Key("Y2").Float(e.Y2);
  json.Key("Z1").Float(e.Z1);
  json.Key("Z2").Float(e.Z2);
  json.Key("Elevation").Float(e.Elevation);
  json.Key("Thickness").Float(e.Thickness);
  json.Key("Radius").Float(e.Radius);
  json.Key("Width41").Float(e.Width41);
  json.Key("Bulge").Float(e.Bulge);
  json.Key("StartAngle").Float(e.StartAngle);
  json.Key("EndAngle").Float(e.EndAngle);
  json.Key("Color").Integer(e.Color);
  json.Key("Flags").Integer(e.Flags);
  json.Key("Justify").Integer(e.Justify);
  json.Key("FollowFlag").Integer(e.FollowFlag);
  json.Key("Face").String(e.Face.trimmed());
  if (e.TextIndex != 0 || e.TextNumber != 0) json.Key("Text").String(store.TextOf(e));
  json.EndObject();
}

// One object per record that carries an entity.
void WriteEntities(JsonWriter& json, const EntityStore& store) {
  json.BeginArray();
  for (int i = 0; i <= store.LastIndex(); ++i) {
    if (!store.Entities[static_cast<std::size_t>(i)].IsBlank()) WriteEntity(json, store, i);
  }
  json.EndArray();
}

int RunInspect(const InspectOptions& options, CommandIo& io) {
  if (options.paths) return InspectPaths(options.drawing, io);
  CollectingOperator person;
  RunContext run(person);
  EntityStore store;
  std::string file_name = options.drawing;
  ReadDxf(file_name, store, run);
  if (run.FileFailed != kFalse) {
    ReportProblems(person, run, options.drawing, io.err);
    return kExitFailed;
  }

  constexpr int kOneEntityPerLine = 2;  // root object, entity list, entity
  JsonWriter json(io.out, kOneEntityPerLine);
  json.BeginObject();
  json.Key("file").String(options.drawing);
  json.Key("instructionLayer").String(store.InstructionLayer);
  json.Key("entities");
  WriteEntities(json, store);
  json.EndObject();
  json.Finish();
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
  command->callback([options, &io] { io.exit_status = RunInspect(*options, io); });
}

}  // namespace mq::cli
