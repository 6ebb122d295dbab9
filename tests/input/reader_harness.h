#pragma once
// Reads DXF text written into a scratch file, as the conversion driver would, and
// keeps everything the reading produced for the test to look at.

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "input/dxf_reader.h"
#include "input/entity_store.h"
#include "input/run_context.h"
#include "support/dxf_builder.h"
#include "support/recording_operator.h"

namespace mq::test {

// One record as a line of text: its type, its layer in quotes, and every field that is
// not zero by name (six significant digits); a face or layer only when it was ever
// assigned.
inline std::string Dump(const DrawingEntity& e) {
  std::ostringstream s;
  s << e.EntityType.trimmed();
  if (!e.Layer.never_assigned()) s << " '" << e.Layer.trimmed() << "'";
  // clang-format off
  const std::pair<const char*, double> fields[] = {
      {"X1", e.X1}, {"Y1", e.Y1}, {"X2", e.X2}, {"Y2", e.Y2}, {"Z1", e.Z1}, {"Z2", e.Z2},
      {"Elevation", e.Elevation}, {"Thickness", e.Thickness}, {"Radius", e.Radius}, {"Width41", e.Width41},
      {"Bulge", e.Bulge}, {"StartAngle", e.StartAngle}, {"EndAngle", e.EndAngle}, {"Color", e.Color},
      {"Flags", e.Flags}, {"Justify", e.Justify}, {"FollowFlag", e.FollowFlag}, {"TextIndex", e.TextIndex}};
  // clang-format on
  for (const auto& [name, value] : fields) {
    if (value != 0) s << ' ' << name << '=' << value;
  }
  if (!e.Face.never_assigned()) s << " Face=" << e.Face.trimmed();
  return s.str();
}

class DrawingReading {
 public:
  DrawingReading() = default;
  explicit DrawingReading(const std::string& dxf_text) {
    Write(dxf_text);
    Read();
  }

  void Write(const std::string& dxf_text, const std::string& name = "DRAWING.DXF") {
    path = (scratch / name).string();
    std::ofstream(path, std::ios::binary) << dxf_text;
  }
  void Read() {
    file_name = path;
    ReadDxf(file_name, store, run);
  }

  bool Failed() const { return run.FileFailed; }
  const DrawingEntity& At(int index) const { return store.Entities.at(static_cast<std::size_t>(index)); }
  // Every record from the first entity's (index 2) to the last, as Dump writes it.
  std::vector<std::string> Dumps() const {
    std::vector<std::string> dumps;
    for (int i = 2; i <= store.LastIndex(); ++i) dumps.push_back(Dump(At(i)));
    return dumps;
  }
  // The types of the records that carry an entity, in store order.
  std::vector<std::string> Types() const {
    std::vector<std::string> types;
    for (const DrawingEntity& e : store.Entities) {
      if (!e.IsBlank()) types.push_back(e.EntityType.trimmed());
    }
    return types;
  }

  ScratchDirectory scratch{"reader"};
  RecordingOperator person;
  RunContext run{person};
  EntityStore store;
  std::string path;
  std::string file_name;
};

// A minimal file whose ENTITIES section holds the given raw group pairs.
inline std::string SectionText(const std::vector<DxfGroup>& groups, bool with_endsec = true) {
  std::string text = "  0\nSECTION\n  2\nENTITIES\n";
  for (const DxfGroup& g : groups) text += std::to_string(g.code) + "\n" + g.value + "\n";
  if (with_endsec) text += "  0\nENDSEC\n  0\nEOF\n";
  return text;
}

}  // namespace mq::test
