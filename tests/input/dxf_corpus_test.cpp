// Every drawing of the corpus of real files written by other programs reads without a
// crash; the binary ones fail with their message; counts of a few known files.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "input/dxf_reader.h"
#include "support/recording_operator.h"

namespace mq {
namespace {

namespace fs = std::filesystem;

struct CorpusReading {
  test::RecordingOperator person;
  RunContext run{person};
  EntityStore store;
  std::map<std::string, int> types;

  explicit CorpusReading(const fs::path& file) {
    std::string name = file.string();
    ReadDxf(name, store, run);
    for (const DrawingEntity& e : store.Entities) {
      if (!e.IsBlank()) ++types[e.EntityType.trimmed()];
    }
  }
};

fs::path Corpus() { return fs::path(MARQUILL_CORPUS_DIR); }

TEST(DxfCorpus, EveryDrawingReadsOrFailsCleanly) {
  if (!fs::is_directory(Corpus())) GTEST_SKIP() << "no corpus at " << Corpus();
  int drawings = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(Corpus())) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    if (extension != ".dxf") continue;
    ++drawings;
    const std::string name = entry.path().filename().string();
    CorpusReading r(entry.path());
    if (name.rfind("binary_", 0) == 0) {
      EXPECT_NE(r.run.FileFailed, kFalse) << name;
      EXPECT_NE(r.run.PendingMessage.find("binary DXF"), std::string::npos) << name;
      continue;
    }
    EXPECT_EQ(r.run.FileFailed, kFalse) << name << ": " << r.run.PendingMessage;
    EXPECT_TRUE(r.store.Entities.back().IsBlank()) << name;
    EXPECT_GT(r.store.LastIndex(), 2) << name;
    EXPECT_EQ(r.person.meters[0], 100) << name;
  }
  EXPECT_GT(drawings, 30);
}

TEST(DxfCorpus, KnownFilesGiveTheirEntities) {
  if (!fs::is_directory(Corpus())) GTEST_SKIP() << "no corpus at " << Corpus();
  struct Case {
    const char* file;
    std::map<std::string, int> types;
  };
  const Case cases[] = {
      {"gear_r12_polyline_bulges.dxf", {{"POLYLINE", 255}, {"VERTEX", 2852}, {"SEQEND", 255}}},
      {"openscad_cnc_layout_noheader.dxf", {{"LINE", 2088}}},
      // The LWPOLYLINE of four vertices becomes POLYLINE, 4 VERTEX and SEQEND.
      {"acad_r2018_sample.dxf",
       {{"LINE", 3}, {"CIRCLE", 1}, {"TEXT", 1}, {"POLYLINE", 1}, {"VERTEX", 4}, {"SEQEND", 1}}},
      {"r12_trash_beyond_eof.dxf", {{"CIRCLE", 1}}},
  };
  for (const Case& c : cases) {
    CorpusReading r(Corpus() / c.file);
    EXPECT_EQ(r.types, c.types) << c.file;
  }
}

TEST(DxfCorpus, MirroredExtrusionGivesTheTopFaceAndNoShift) {
  if (!fs::is_directory(Corpus())) GTEST_SKIP() << "no corpus at " << Corpus();
  CorpusReading r(Corpus() / "entities_only_arc_negz.dxf");
  ASSERT_EQ(r.store.LastIndex(), 3);
  EXPECT_EQ(r.store.Entities[2].EntityType, "ARC       ");
  EXPECT_EQ(r.store.Entities[2].Layer.trimmed(), "FG-DTL-DIM");
  EXPECT_EQ(r.store.Entities[2].Face, "5");
  EXPECT_FLOAT_EQ(r.store.Entities[2].X1, 650.0541823996996f);
}

}  // namespace
}  // namespace mq
