#pragma once
// A converted drawing built by hand, as the engine hands it to the writers, with
// scratch directories for the results; and Par.DAT texts for a drilling head.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "engine/driver/engine_context.h"
#include "output/program_writer.h"
#include "support/dxf_builder.h"
#include "support/path_builder.h"

namespace mq::test {

inline std::string ReadFileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteFileText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// `arc` is the bulge of types 1 and 5, the centre Y (start) or end angle (end) of type 3.
inline PathSegment PathPoint(int16_t type, float x, float y, float z = 4, int16_t chain = 0, float arc = 0,
                             float centre_x = 0) {
  // clang-format off
  return {.X = x, .Y = y, .Z = z, .ToolText = {}, .CentreX = centre_x, .CentreY = arc, .SegmentType = type,
          .ChainFlag = chain, .CompCode = {}};
  // clang-format on
}

inline BoreRecord Bore(float x, float y, float diameter = 5, std::string_view tool_text = "") {
  return {.X = x, .Y = y, .Z = 12, .Diameter = diameter, .ToolText = tool_text};
}

// Par.DAT as the control's tool editor writes it, values separated by `separator`: an
// unused number, then 99 codes, diameters, X positions, Y positions and further values.
// Spindles 1..10 stand along X (5 mm, 32 apart), 11..16 along Y (8 mm, one X); tool 40
// is a 12 mm router; `changes` gives other diameters and X positions.
inline std::string ParDatText(std::map<int, std::pair<float, float>> changes = {},
                              const char* separator = "\r\n") {
  for (int n = 1; n <= 16; ++n) changes.try_emplace(n, n <= 10 ? 5.0f : 8.0f, n <= 10 ? 32.0f * n : 500);
  changes.try_emplace(40, 12.0f, 0.0f);
  std::ostringstream text;
  text << 0;
  for (int column = 0; column < 5; ++column) {
    for (int n = 1; n <= 99; ++n) {
      const auto [diameter, x] = changes.count(n) ? changes[n] : std::pair{0.0f, 0.0f};
      const float values[] = {static_cast<float>(n % 7), diameter, x, 0, 0};
      text << separator << values[column];
    }
  }
  return text.str() + separator;
}

class WriterFixture : public PassHarness {
 public:
  explicit WriterFixture(const std::string& name) : scratch(name) {
    for (const auto& directory : {Destination(), Drawings(), Program()}) {
      std::filesystem::create_directories(directory);
    }
    settings.DestinationPath = Destination().string() + "/";
    run.DxfShortName = run.ProgramName = "PANEL1";
    run.DxfDirectory = Drawings().string() + "/";
    run.DxfFileName = run.DxfDirectory + "PANEL1.DXF";
    run.ProgramDirectory = Program().string() + "/";
    run.RootDirectory = Program().string();  // no Par.DAT there unless a test writes one
    run.Today = CalendarDate{2001, 3, 5};
    SetPanel(600, 400, 19);
  }

  std::filesystem::path Destination() const { return scratch / "dest"; }
  std::filesystem::path Drawings() const { return scratch / "dxf"; }
  std::filesystem::path Program() const { return scratch / "program"; }

  void SetPanel(float width, float height, float thickness) {
    state.PartExtents[kPanelBox] = ExtentBox{0, width, 0, height, width, height, true};
    state.PartThickness = thickness;
  }

  // The rectangular contour of the worked example: T5, VX5000, VZ2000, 20 deep.
  void AddRectangleContour() {
    state.PathList = {PathPoint(-5, 0, 0, 20, kContourStart), PathPoint(5, 600, 0, 20),
                      PathPoint(5, 600, 400, 20), PathPoint(5, 0, 400, 20), PathPoint(5, 0, 0, 20)};
    state.PathList[1].Tool = 5;
    state.PathList[1].VX = 5000;
    state.PathList[1].VZ = 2000;
  }

  void WriteProgram() { WritePtp400Program(context); }

  ScratchDirectory scratch;
};

}  // namespace mq::test
