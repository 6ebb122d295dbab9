#pragma once
// One drawing read by the DXF reader into a fresh store, ready for the engine's passes
// or the whole conversion, with a writer that records what it was handed.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/driver/convert_drawing.h"
#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"
#include "input/dxf_reader.h"
#include "support/dxf_builder.h"
#include "support/recording_operator.h"

namespace mq::test {

// Records the calls of the writers and the state they were handed.
class RecordingOutput : public ProgramOutput {
 public:
  int programs = 0;
  int part_lists = 0;
  bool store_program = true;   // say that a program was stored, as a working writer does
  ConversionState at_program;  // the state when the program was written
  std::string program_name;    // run.ProgramName when the program was written

  void WriteProgram(EngineContext& c) override {
    ++programs;
    at_program = c.state;
    program_name = c.run.ProgramName;
    if (store_program) c.state.ProgramWritten = true;
  }
  void WritePartList(EngineContext&) override { ++part_lists; }
};

struct Drawing {
  RecordingOperator person;
  RunContext run{person};
  EntityStore store;
  Settings settings;
  ConversionState state;
  RecordingOutput output;
  EngineContext c{run, store, settings, state, &output};
  ScratchDirectory dir{"engine-driver"};

  // Writes the drawing as PART.DXF and reads it as ProcessFile would.
  explicit Drawing(const DxfBuilder& dxf) {
    const auto path = dir / "PART.DXF";
    dxf.Save(path);
    run.DxfFileName = path.string();
    run.ProgramName = "PART";
    run.DxfShortName = "PART.DXF";
    std::string name = run.DxfFileName;
    ReadDxf(name, store, run);
    EXPECT_FALSE(run.FileFailed) << "the reader failed the test drawing";
  }

  void Convert() { ConvertDrawing(c); }

  // The lines collected for the drawing's report row.
  std::vector<std::string> Messages() const {
    std::vector<std::string> lines;
    std::istringstream in(run.PendingMessage);
    std::string line;
    while (std::getline(in, line, '\r')) lines.push_back(line);
    return lines;
  }
};

// Names parameterised cases after their `name` field.
struct CaseName {
  template <class Param>
  std::string operator()(const ::testing::TestParamInfo<Param>& p) const {
    return p.param.name;
  }
};

// A drawing with the instruction title on layer INSTR followed by these statements.
inline DxfBuilder WithInstructions(DxfBuilder dxf, const std::vector<std::string>& statements) {
  dxf.Text("INSTR", 0, 0, "MARQUILL400 INSTRUCTIONS");
  for (const std::string& s : statements) dxf.Text("INSTR", 0, 0, s);
  return dxf;
}

// A 600 x 400 panel of four border LINEs from (x0, y0).
inline DxfBuilder PanelOfLines(double x0 = 0, double y0 = 0, const std::string& layer = "BORDER") {
  DxfBuilder dxf;
  dxf.Rectangle(layer, x0, y0, x0 + 600, y0 + 400);
  return dxf;
}

}  // namespace mq::test
