#pragma once
// A converted drawing built by hand, as the engine hands it to the writers: the run,
// the settings and the conversion state, with scratch directories for the results.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/engine_context.h"
#include "output/program_writer.h"
#include "support/dxf_builder.h"
#include "support/path_builder.h"

namespace mq::test {

inline std::string ReadFileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteFileText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
}

inline PathSegment PathPoint(int16_t type, float x, float y, float z = 20, int16_t chain = 0) {
  PathSegment s;
  s.SegmentType = type;
  s.X = x;
  s.Y = y;
  s.Z = z;
  s.ChainFlag = chain;
  return s;
}

inline BoreRecord Bore(float x, float y, float diameter = 5, float z = 12) {
  BoreRecord b;
  b.X = x;
  b.Y = y;
  b.Z = z;
  b.Diameter = diameter;
  b.ToolText = "";
  return b;
}

class WriterFixture : public PassHarness {
 public:
  explicit WriterFixture(const std::string& name) : scratch(name) {
    person.run = &run;
    std::filesystem::create_directories(Destination());
    std::filesystem::create_directories(Drawings());
    std::filesystem::create_directories(Program());
    settings.DestinationPath = Destination().string() + "/";
    settings.Origin = "0";
    settings.PrecisionMetric = "2";
    settings.LineLimit = "600";
    run.DxfShortName = "PANEL1";
    run.DxfDirectory = Drawings().string() + "/";
    run.DxfFileName = run.DxfDirectory + "PANEL1.DXF";
    run.ProgramName = "PANEL1";
    run.ProgramDirectory = Program().string() + "/";
    run.RootDirectory = Program().string();  // no Par.DAT there unless a test writes one
    run.Today = CalendarDate{2001, 3, 5};
    SetPanel(600, 400, 19);
  }

  std::filesystem::path Destination() const { return scratch / "dest"; }
  std::filesystem::path Drawings() const { return scratch / "dxf"; }
  std::filesystem::path Program() const { return scratch / "program"; }

  void SetPanel(float width, float height, float thickness) {
    ExtentBox& panel = state.PartExtents[kPanelBox];
    panel.MinX = 0;
    panel.MaxX = width;
    panel.MinY = 0;
    panel.MaxY = height;
    panel.Width = width;
    panel.Height = height;
    panel.Present = true;
    state.PartThickness = thickness;
  }

  // The rectangular contour of the worked example: T5, VX5000, VZ2000, 20 deep.
  void AddRectangleContour(float width = 600, float height = 400) {
    PathSegment first = PathPoint(-5, 0, 0, 20, kContourStart);
    first.Tool = 5;
    first.VX = 5000;
    first.VZ = 2000;
    state.PathList.push_back(first);
    state.PathList.push_back(PathPoint(5, width, 0));
    state.PathList.push_back(PathPoint(5, width, height));
    state.PathList.push_back(PathPoint(5, 0, height));
    state.PathList.push_back(PathPoint(5, 0, 0));
  }

  EngineContext& Context() { return context; }
  void WriteProgram() { WritePtp400Program(context); }

  // The pending report lines, one per message.
  std::vector<std::string> Messages() const { return PendingLines(); }
  bool Reported(const std::string& text) const {
    const auto lines = Messages();
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  }

  ScratchDirectory scratch;
};

}  // namespace mq::test
