#include "cli/inspect_paths.h"

#include <ostream>
#include <string>
#include <vector>

#include "cli/collected_report.h"
#include "cli/json_values.h"
#include "engine/driver/convert_drawing.h"
#include "input/dxf_reader.h"
#include "shell/run_environment.h"

namespace mq::cli {

namespace {

Json SegmentJson(int index, const PathSegment& s) {
  Json json;
  json["index"] = index;
  json["LayerNumber"] = s.LayerNumber;
  json["X"] = JsonFloat(s.X);
  json["Y"] = JsonFloat(s.Y);
  json["Z"] = JsonFloat(s.Z);
  json["ToolDiameter"] = JsonFloat(s.ToolDiameter);
  json["G"] = s.G;
  json["Tool"] = s.Tool;
  json["ToolText"] = JsonText(s.ToolText.trimmed());
  json["CentreX"] = JsonFloat(s.CentreX);
  json["CentreY"] = JsonFloat(s.CentreY);
  json["SegmentType"] = s.SegmentType;
  json["ChainFlag"] = s.ChainFlag;
  json["VM"] = s.VM;
  json["VX"] = JsonFloat(s.VX);
  json["VZ"] = JsonFloat(s.VZ);
  json["FR"] = JsonFloat(s.FR);
  json["LD"] = JsonFloat(s.LD);
  json["RO"] = JsonFloat(s.RO);
  json["RI"] = JsonFloat(s.RI);
  json["CompCode"] = JsonText(s.CompCode.trimmed());
  json["Sequence"] = s.Sequence;
  json["OZ"] = JsonFloat(s.OZ);
  json["M"] = s.M;
  json["Box"] = s.Box;
  json["ES"] = s.ES;
  return json;
}

Json CircleJson(int index, const CircleRecord& c) {
  Json json;
  json["index"] = index;
  json["CentreX"] = JsonFloat(c.CentreX);
  json["CentreY"] = JsonFloat(c.CentreY);
  json["Depth"] = JsonFloat(c.Depth);
  json["ToolDiameter"] = JsonFloat(c.ToolDiameter);
  json["G"] = c.G;
  json["Tool"] = c.Tool;
  json["ToolText"] = JsonText(c.ToolText.trimmed());
  json["Radius"] = JsonFloat(c.Radius);
  json["LayerNumber"] = c.LayerNumber;
  json["Expanded"] = c.Expanded;
  json["Speed"] = c.Speed;
  json["FA"] = JsonFloat(c.FA);
  json["FD"] = JsonFloat(c.FD);
  json["FR"] = JsonFloat(c.FR);
  json["LD"] = JsonFloat(c.LD);
  json["RO"] = JsonFloat(c.RO);
  json["RI"] = JsonFloat(c.RI);
  json["CompCode"] = JsonText(c.CompCode.trimmed());
  json["Sequence"] = c.Sequence;
  json["M"] = c.M;
  json["OZ"] = JsonFloat(c.OZ);
  json["Box"] = c.Box;
  return json;
}

Json ContourJson(int index, const ContourRow& row) {
  Json json;
  json["index"] = index;
  json["First"] = row.First;
  json["Last"] = row.Last;
  json["Kind"] = row.Kind;
  json["EntryDirection"] = JsonFloat(row.EntryDirection);
  json["ExitDirection"] = JsonFloat(row.ExitDirection);
  json["Tool"] = row.Tool;
  json["Sequence"] = row.Sequence;
  json["Depth"] = JsonFloat(row.Depth);
  json["ToolDiameter"] = JsonFloat(row.ToolDiameter);
  json["CompCode"] = JsonText(row.CompCode.trimmed());
  json["Speed"] = row.Speed;
  return json;
}

template <class Record, class Describe>
Json List(const OneBasedList<Record>& list, Describe describe) {
  Json json = Json::array();
  for (int i = 1; i <= list.size(); ++i) json.push_back(describe(i, list[i]));
  return json;
}

void WriteResult(std::ostream& out, const std::string& drawing, const ConversionState& s,
                 const std::vector<std::string>& report) {
  Json json;
  json["file"] = JsonText(drawing);
  json["messages"] = Json::array();
  for (const std::string& line : report) json["messages"].push_back(JsonText(line));
  json["PathList"] = List(s.PathList, SegmentJson);
  json["CircleList"] = List(s.CircleList, CircleJson);
  json["Contours"] = List(s.Contours, ContourJson);
  json["ContourOrder"] = Json::array();
  for (int contour : s.ContourOrder) json["ContourOrder"].push_back(contour);
  PrintJson(out, json);
}

}  // namespace

int InspectPaths(const std::string& drawing, CommandIo& io) {
  Settings settings;
  if (!LoadCommandSettings(io, settings)) return kExitUsage;

  CollectingOperator person;
  RunContext run(person);
  SetRunEnvironment(run, settings);
  run.DxfFileName = drawing;
  run.DxfShortName = FileNamePart(drawing);
  EntityStore store;
  ConversionState state;
  EngineContext c{run, store, settings, state};

  std::string file_name = drawing;
  ReadDxf(file_name, store, run);
  if (!run.FileFailed) ConvertDrawingThrough(c, "ExpandCirclesWhenNoPaths");
  const std::vector<std::string> report = ReportLines(person, run);
  if (run.FileFailed) {
    for (const std::string& line : report) io.err << "marquill400-cli: " << drawing << ": " << line << "\n";
    return kExitFailed;
  }
  WriteResult(io.out, drawing, state, report);
  return kExitOk;
}

}  // namespace mq::cli
