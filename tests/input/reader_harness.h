#pragma once
// Reads DXF text written into a scratch file, as the conversion driver would, and
// keeps everything the reading produced for the test to look at.

#include <fstream>
#include <string>
#include <vector>

#include "input/dxf_reader.h"
#include "input/entity_store.h"
#include "input/run_context.h"
#include "support/dxf_builder.h"
#include "support/recording_operator.h"

namespace mq::test {

class DrawingReading {
 public:
  DrawingReading() = default;
  explicit DrawingReading(const std::string& dxf_text) {
    Write(dxf_text);
    Read();
  }
  DrawingReading(const DrawingReading&) = delete;
  DrawingReading& operator=(const DrawingReading&) = delete;

  void Write(const std::string& dxf_text, const std::string& name = "DRAWING.DXF") {
    path = (scratch / name).string();
    std::ofstream(path, std::ios::binary) << dxf_text;
  }
  void Read() {
    file_name = path;
    ReadDxf(file_name, store, run);
  }

  bool Failed() const { return run.FileFailed != kFalse; }
  const DrawingEntity& At(int index) const { return store.Entities.at(static_cast<std::size_t>(index)); }
  // The records that carry an entity, in store order.
  std::vector<const DrawingEntity*> Entities() const {
    std::vector<const DrawingEntity*> entities;
    for (const DrawingEntity& e : store.Entities) {
      if (!e.IsBlank()) entities.push_back(&e);
    }
    return entities;
  }
  std::vector<std::string> Types() const {
    std::vector<std::string> types;
    for (const DrawingEntity* e : Entities()) types.push_back(e->EntityType.trimmed());
    return types;
  }

  ScratchDirectory scratch{"reader"};
  RecordingOperator person;
  RunContext run{person};
  EntityStore store;
  std::string path;
  std::string file_name;
};

// The text of an ENTITIES section made of raw group pairs, inside a minimal file.
inline std::string SectionText(const std::vector<DxfGroup>& groups, bool with_endsec = true) {
  std::string text = "  0\nSECTION\n  2\nENTITIES\n";
  for (const DxfGroup& g : groups) text += std::to_string(g.code) + "\n" + g.value + "\n";
  if (with_endsec) text += "  0\nENDSEC\n  0\nEOF\n";
  return text;
}

}  // namespace mq::test
