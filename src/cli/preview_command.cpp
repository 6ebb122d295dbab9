// `marquill400-cli preview PROGRAM...|DRAWING [-o FILE.svg] [--json] [--rapid-speed MM_PER_MIN]`:
// a picture of what the machine will do. A drawing is converted in memory, nothing
// written, and every portion of its program is shown; a program file is shown with the
// other portions stored beside it, or several files are read as the portions of one
// program. The SVG goes to -o (standard output without -o and --json); --json prints
// the summary for scripts.

#include <CLI/CLI.hpp>
#include <fstream>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "cli/collected_report.h"
#include "cli/command_help.h"
#include "cli/commands.h"
#include "cli/json_values.h"
#include "output/preview/preview_legend.h"
#include "output/preview/preview_svg.h"
#include "shell/program_preview_source.h"
#include "shell/run_environment.h"

namespace mq::cli {

namespace {

struct PreviewCommandOptions {
  std::vector<std::string> inputs;
  std::string output;  // -o; "-" is standard output
  bool json = false;
  PreviewSpeeds speeds;
};

Json SummaryJson(const PreviewSummary& s) {
  Json json;
  json["cuttingLength"] = s.CuttingLength;
  json["rapidLength"] = s.RapidLength;
  json["toolChanges"] = s.ToolChanges;
  json["cycleSeconds"] = s.CycleSeconds;
  json["operations"] = s.Operations;
  json["contours"] = s.Contours;
  json["holes"] = s.Holes;
  json["strokes"] = s.Strokes;
  json["sawPasses"] = s.SawPasses;
  json["edgeBores"] = s.EdgeBores;
  json["leadsOutside"] = s.LeadsOutside;  // the lines of the contours whose lead leaves the cut-out
  return json;
}

Json PenJson(const PreviewPen& pen) {
  Json json;
  json["work"] = KindName(pen.Work);
  json["tool"] = JsonText(pen.Tool);
  json["depth"] = pen.Depth;
  json["feed"] = pen.Feed ? Json(*pen.Feed) : Json();
  json["plunge"] = pen.Plunge ? Json(*pen.Plunge) : Json();
  json["uses"] = pen.Uses;
  json["colour"] = pen.Colour;
  return json;
}

Json PreviewJson(const std::string& source, const ProgramPreview& preview) {
  const PreviewModel& model = preview.Model;
  Json json;
  json["source"] = JsonText(source);
  json["files"] = Json::array();
  for (const std::string& file : preview.Files) json["files"].push_back(JsonText(file));
  json["length"] = model.Header.Length;
  json["width"] = model.Header.Width;
  json["thickness"] = model.Header.Thickness;
  json["unit"] = model.Header.Inch ? "in" : "mm";
  json["description"] = JsonText(model.Header.Description);
  json["summary"] = SummaryJson(model.Total);
  json["portions"] = Json::array();
  for (const PreviewSummary& portion : model.Portions) json["portions"].push_back(SummaryJson(portion));
  json["tools"] = Json::array();
  for (const PreviewPen& pen : model.Pens) json["tools"].push_back(PenJson(pen));
  json["speeds"] = {{"rapid", model.Speeds.Rapid},
                    {"feed", model.Speeds.Feed},
                    {"plunge", model.Speeds.Plunge},
                    {"toolChangeSeconds", model.Speeds.ToolChangeSeconds}};
  json["problems"] = Json::array();
  for (const std::string& problem : preview.Problems) json["problems"].push_back(JsonText(problem));
  return json;
}

bool WriteSvg(CommandIo& io, const std::string& path, const std::string& svg) {
  if (path == "-") {
    io.out << svg;
    return true;
  }
  std::ofstream file(path, std::ios::binary);
  file << svg;
  file.close();
  if (file) return true;
  io.err << "marquill400-cli: cannot write " << path << "\n";
  return false;
}

int RunPreview(CommandIo& io, const PreviewCommandOptions& options) {
  Settings settings;
  if (!LoadCommandSettings(io, settings)) return kExitUsage;
  CollectingOperator person;
  RunContext run(person);
  SetRunEnvironment(run, settings);
  const std::string& source = options.inputs.front();
  const ProgramPreview preview = options.inputs.size() > 1
                                     ? PreviewProgramFiles(options.inputs, run, settings, options.speeds)
                                     : PreviewFile(source, run, settings, options.speeds);
  std::set<std::string> told;
  for (const std::string& problem : preview.Problems) {
    if (told.insert(problem).second) io.err << "marquill400-cli: " << source << ": " << problem << "\n";
  }
  if (!preview.Read) return kExitFailed;
  const std::string output = options.output.empty() && !options.json ? "-" : options.output;
  if (!output.empty() && !WriteSvg(io, output, PreviewSvg(preview.Model))) return kExitFailed;
  if (options.json) {
    PrintJson(io.out, PreviewJson(source, preview));
  } else if (output != "-") {
    io.out << output << "\n";
    for (const std::string& line : SummaryLines(preview.Model)) io.out << "  " << line << "\n";
  }
  return preview.Problems.empty() ? kExitOk : kExitFailed;
}

}  // namespace

void RegisterPreviewCommand(CLI::App& app, CommandIo& io) {
  auto options = std::make_shared<PreviewCommandOptions>();
  CLI::App* command = app.add_subcommand(
      "preview",
      "Draw what a program makes the machine do, as SVG: a program file, or a drawing converted "
      "in memory (nothing written)");
  command
      ->add_option("input", options->inputs,
                   "A PTP400 program (its other portions are found beside it), several programs read as the "
                   "portions of one, or a DXF drawing")
      ->required();
  command->add_option("-o,--output", options->output, "The SVG file to write (- for standard output)");
  command->add_flag("--json", options->json, "Print the summary as JSON on standard output");
  command->add_option("--rapid-speed", options->speeds.Rapid, "Rapid moves in mm/min for the cycle time")
      ->capture_default_str()
      ->check(CLI::PositiveNumber);
  command
      ->add_option("--tool-change-seconds", options->speeds.ToolChangeSeconds,
                   "Seconds a tool change takes, for the cycle time")
      ->capture_default_str()
      ->check(CLI::NonNegativeNumber);
  command->add_option("--settings", io.settings_file, "Settings file (MQ400.INI) to use");
  SetCommandHelp(*command, {{kRootHelp},
                            {"PROGRAM  read, with its portions NAME1, NAME2 ... beside it",
                             "DRAWING.DXF  converted in memory: nothing is written", kSettingsFileHelp,
                             kParDatHelp + std::string(" (for the hole diameters)")},
                            {"0  drawn", "1  a line could not be read (the rest is drawn) or the drawing failed",
                             kUsageExitHelp},
                            {"marquill400-cli preview out/SIDE -o side.svg",
                             "marquill400-cli preview DOOR.DXF --json"}});
  command->callback([&io, options] { io.exit_status = RunPreview(io, *options); });
}

}  // namespace mq::cli
