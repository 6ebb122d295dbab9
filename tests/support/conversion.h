#pragma once
// One drawing taken through the converter the way ProcessFile takes it, in a scratch
// directory, with a recording operator: read, converted (whole or up to a named pass)
// and written. The engine, output and shell tests start from it.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/driver/convert_drawing.h"
#include "input/dxf_reader.h"
#include "output/writer_context.h"
#include "shell/process_file.h"
#include "support/dxf_builder.h"
#include "support/golden_cases.h"
#include "support/recording_operator.h"

namespace mq::test {

// A 600 x 400 panel of four border LINEs from (x0, y0).
inline DxfBuilder PanelOfLines(double x0 = 0, double y0 = 0, const std::string& layer = "BORDER") {
  DxfBuilder dxf;
  dxf.Rectangle(layer, x0, y0, x0 + 600, y0 + 400);
  return dxf;
}

// The drawing with the instruction title on layer INSTR followed by these statements.
inline DxfBuilder WithInstructions(DxfBuilder dxf, const std::vector<std::string>& statements) {
  dxf.Text("INSTR", 0, 0, "MARQUILL400 INSTRUCTIONS");
  for (const std::string& s : statements) dxf.Text("INSTR", 0, 0, s);
  return dxf;
}

// The lines collected for a report row, split at CR.
inline std::vector<std::string> ReportLines(const std::string& row) {
  std::vector<std::string> lines;
  std::istringstream in(row);
  for (std::string line; std::getline(in, line, '\r');) lines.push_back(line);
  return lines;
}

struct Conversion {
  RecordingOperator person;
  RunContext run{person};
  Settings settings;
  EntityStore store;
  ConversionState state;
  OutputLedger ledger;
  ScratchDirectory dir{"conversion"};
  EngineContext engine{run, store, settings, state};
  WriterContext writer{run, settings, state, ledger};

  // Saves the drawing as NAME.DXF in the scratch directory; programs go to out/ there.
  explicit Conversion(const DxfBuilder& dxf, const std::string& name = "PART") {
    std::filesystem::create_directories(dir / "out");
    dxf.Save(dir / (name + ".DXF"));
    settings.DestinationPath = (dir / "out").string() + "/";
    run.ProgramDirectory = dir.path().string() + "/";
    run.RootDirectory = dir.path().string();  // no Par.DAT unless a test puts one there
    run.Today = CalendarDate{2001, 3, 5};
    run.DxfFileName = (dir / (name + ".DXF")).string();
    run.DxfDirectory = dir.path().string() + "/";
    run.DxfShortName = name;
    run.ProgramName = name;
  }

  // The drilling head of the examples, for the bore rows.
  void UseExampleHead() {
    std::filesystem::copy_file(kSourceDirectory / "examples" / "Par.DAT", dir / "Par.DAT");
  }

  // The engine alone, after the reader: whole, or ended after the named pass.
  ConversionOutcome Convert(std::string_view last_pass = {}) {
    std::string name = run.DxfFileName;
    ReadDxf(name, store, run);
    EXPECT_FALSE(run.FileFailed) << "the reader failed the test drawing: " << run.PendingMessage;
    return last_pass.empty() ? ConvertDrawing(engine) : ConvertDrawingThrough(engine, last_pass);
  }

  // The whole of ProcessFile for `request` (the drawing by default); the report lines.
  std::vector<std::string> Process(std::string request = {}) {
    if (request.empty()) request = run.DxfFileName;
    ProcessFile(request, run, settings, ledger);
    return Messages();
  }

  // A file the run wrote, by its path in the scratch directory ("out/PART").
  std::string Written(const std::string& relative) const { return ReadBytes(dir / relative); }

  // The lines collected for the drawing's report row.
  std::vector<std::string> Messages() const { return ReportLines(run.PendingMessage); }
};

// Names parameterised cases after their `name` field.
struct CaseName {
  template <class Param>
  std::string operator()(const ::testing::TestParamInfo<Param>& p) const {
    return p.param.name;
  }
};

}  // namespace mq::test
