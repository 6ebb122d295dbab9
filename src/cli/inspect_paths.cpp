#include "cli/inspect_paths.h"

#include <ostream>
#include <string>
#include <vector>

#include "cli/collected_report.h"
#include "cli/json_writer.h"
#include "cli/run_environment.h"
#include "engine/driver/convert_drawing.h"
#include "input/dxf_reader.h"

namespace mq::cli {

namespace {

void WritePathSegment(JsonWriter& json, int index, const PathSegment& s) {
  json.BeginObject();
  json.Key("index").Integer(index);
  json.Key("LayerNumber").Integer(s.LayerNumber);
  json.Key("X").Float(s.X);
  json.Key("Y").Float(s.Y);
  json.Key("Z").Float(s.Z);
  json.Key("ToolDiameter").Float(s.ToolDiameter);
  json.Key("G").Integer(s.G);
  json.Key("Tool").Integer(s.Tool);
  json.Key("ToolText").String(s.ToolText.trimmed());
  json.Key("CentreX").Float(s.CentreX);
  json.Key("CentreY").Float(s.CentreY);
  json.Key("SegmentType").Integer(s.SegmentType);
  json.Key("ChainFlag").Integer(s.ChainFlag);
  json.Key("VM").Integer(s.VM);
  json.Key("VX").Float(s.VX);
  json.Key("VZ").Float(s.VZ);
  json.Key("FR").Float(s.FR);
  json.Key("LD").Float(s.LD);
  json.Key("RO").Float(s.RO);
  json.Key("RI").Float(s.RI);
  json.Key("CompCode").String(s.CompCode.trimmed());
  json.Key("Sequence").Integer(s.Sequence);
  json.Key("OZ").Float(s.OZ);
  json.Key("M").Integer(s.M);
  json.Key("Box").Integer(s.Box);
  json.Key("ES").Integer(s.ES);
  json.EndObject();
}

void WriteCircle(JsonWriter& json, int index, const CircleRecord& c) {
  json.BeginObject();
  json.Key("index").Integer(index);
  json.Key("CentreX").Float(c.CentreX);
  json.Key("CentreY").Float(c.CentreY);
  json.Key("Depth").Float(c.Depth);
  json.Key("ToolDiameter").Float(c.ToolDiameter);
  json.Key("G").Integer(c.G);
  json.Key("Tool").Integer(c.Tool);
  json.Key("ToolText").String(c.ToolText.trimmed());
  json.Key("Radius").Float(c.Radius);
  json.Key("LayerNumber").Integer(c.LayerNumber);
  json.Key("Expanded").Integer(c.Expanded);
  json.Key("Speed").Integer(c.Speed);
  json.Key("FA").Float(c.FA);
  json.Key("FD").Float(c.FD);
  json.Key("FR").Float(c.FR);
  json.Key("LD").Float(c.LD);
  json.Key("RO").Float(c.RO);
  json.Key("RI").Float(c.RI);
  json.Key("CompCode").String(c.CompCode.trimmed());
  json.Key("Sequence").Integer(c.Sequence);
  json.Key("M").Integer(c.M);
  json.Key("OZ").Float(c.OZ);
  json.Key("Box").Integer(c.Box);
  json.EndObject();
}

void WriteContour(JsonWriter& json, int index, const ContourRow& row) {
  json.BeginObject();
  json.Key("index").Integer(index);
  json.Key("First").Integer(row.First);
  json.Key("Last").Integer(row.Last);
  json.Key("Kind").Integer(row.Kind);
  json.Key("EntryDirection").Float(row.EntryDirection);
  json.Key("ExitDirection").Float(row.ExitDirection);
  json.Key("Tool").Integer(row.Tool);
  json.Key("Sequence").Integer(row.Sequence);
  json.Key("Depth").Float(row.Depth);
  json.Key("ToolDiameter").Float(row.ToolDiameter);
  json.Key("CompCode").String(row.CompCode.trimmed());
  json.Key("Speed").Integer(row.Speed);
  json.EndObject();
}

template <class Record, class Write>
void WriteList(JsonWriter& json, const char* key, const OneBasedList<Record>& list, Write write) {
  json.Key(key).BeginArray();
  for (int i = 1; i <= list.size(); ++i) write(json, i, list[i]);
  json.EndArray();
}

void WriteResult(std::ostream& out, const std::string& drawing, const ConversionState& s,
                 const std::vector<std::string>& report) {
  constexpr int kOneRecordPerLine = 2;  // root object, list, record
  JsonWriter json(out, kOneRecordPerLine);
  json.BeginObject();
  json.Key("file").String(drawing);
  json.Key("messages").BeginArray();
  for (const std::string& line : report) json.String(line);
  json.EndArray();
  WriteList(json, "PathList", s.PathList, WritePathSegment);
  WriteList(json, "CircleList", s.CircleList, WriteCircle);
  WriteList(json, "Contours", s.Contours, WriteContour);
  json.Key("ContourOrder").BeginArray();
  for (int contour : s.ContourOrder) json.Integer(contour);
  json.EndArray();
  json.EndObject();
  json.Finish();
}

}  // namespace

int InspectPaths(const std::string& drawing, CommandIo& io) {
  Settings settings;
  if (!LoadCommandSettings(io, settings)) return kExitUsage;

  CollectingOperator person;
  RunContext run(person);
  SetRunEnvironment(run);
  run.DxfFileName = drawing;
  run.DxfShortName = FileNamePart(drawing);
  EntityStore store;
  ConversionState state;
  EngineContext c{run, store, settings, state, nullptr};

  std::string file_name = drawing;
  ReadDxf(file_name, store, run);
  if (run.FileFailed == kFalse) ConvertThroughContourOrder(c);
  const std::vector<std::string> report = ReportLines(person, run);
  if (run.FileFailed != kFalse) {
    for (const std::string& line : report) io.err << "marquill400-cli: " << drawing << ": " << line << "\n";
    return kExitFailed;
  }
  WriteResult(io.out, drawing, state, report);
  return kExitOk;
}

}  // namespace mq::cli
