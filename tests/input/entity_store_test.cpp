#include "input/entity_store.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/recording_operator.h"

namespace mq {
namespace {

using namespace std::string_literals;
using Floats = std::vector<float>;

DrawingEntity Record(const std::string& layer, float x1 = 0, float y1 = 0, const char* type = "LINE") {
  DrawingEntity e;
  e.EntityType = type;
  e.Layer = layer;
  e.X1 = x1, e.Y1 = y1;
  return e;
}

// Loads records placed from index 2 on, as a reading leaves them, one after the other.
struct Loading {
  explicit Loading(const std::vector<DrawingEntity>& records, float scale = 1) {
    store.Reset();
    store.Entities.insert(store.Entities.end(), records.begin(), records.end());
    store.Entities.emplace_back();  // the blank ENDSEC record
    sources.DrawingScale = scale;
  }
  const EntityRegisters& Next() {
    LoadEntity(store, index, sources, person);
    return store.Current;
  }

  EntityStore store;
  NoteSources sources;
  test::RecordingOperator person;
  int index = 2;
};

TEST(DrawingTexts, NulsReadAsBlanks) {
  EXPECT_EQ(CleanText(" inst\0t5 "s), "instt5");
  EXPECT_TRUE(IsBlankText(" \0\0 \0"s));
  EXPECT_FALSE(IsBlankText("\0x"s));
}

TEST(LoadEntity, CopiesTheRecordAndScalesLengths) {
  DrawingEntity e = Record("ROUTE", 1, 2, "ARC");
  e.X2 = 3, e.Y2 = 4, e.Z1 = -5, e.Z2 = 6, e.Elevation = 7, e.Thickness = -8, e.Radius = 9, e.Width41 = 10;
  e.Bulge = 11, e.StartAngle = 12, e.EndAngle = 13, e.Color = 14, e.Flags = 15, e.Justify = 16;
  e.FollowFlag = 17, e.Face = "5", e.TextIndex = 1;
  Loading loading({e}, 2.0f);
  loading.store.EntityTexts[1] = "note";
  const EntityRegisters& r = loading.Next();
  EXPECT_EQ(r.EntType, "ARC       ");
  EXPECT_EQ(r.EntLayer.trimmed(), "ROUTE");
  EXPECT_EQ(r.EntText, "note");
  // Z, group 41, bulge and angles are not scaled; face 5 takes |Z1| as the elevation.
  EXPECT_EQ((Floats{r.EntX1, r.EntY1, r.EntX2, r.EntY2, r.EntZ1, r.EntZ2, r.EntElevation, r.EntThickness,
                    r.EntThicknessAsRead, r.EntRadius, r.EntRadiusAsRead, r.EntWidth41, r.EntBulge,
                    r.EntStartAngle, r.EntEndAngle}),
            (Floats{2, 4, 6, 8, -5, 6, 5, 16, 16, 18, 18, 10, 11, 12, 13}));
  EXPECT_EQ((std::vector<int>{r.EntColor, r.EntFlags, r.EntJustify, r.EntFollowFlag, r.EntFace}),
            (std::vector<int>{14, 15, 16, 17, 5}));
}

TEST(LoadEntity, MapsSideFacesIntoFaceCoordinates) {
  struct Case {
    const char* face;
    float scale;
    int16_t ent_face;
    Floats x1_y1_x2_y2_elevation;
  };
  // Record: X1 = -10, Y1 = -4, X2 = -3, Y2 = -2, Z1 = -7, elevation 9. On face 5 Y1 keeps
  // its sign; the value taken from Z1 is not scaled; no face or an unknown one: no change.
  // clang-format off
  const Case cases[] = {
      {"1", 1, 1, {10, 7, 3, 2, 4}}, {"2", 1, 2, {10, 7, 3, 2, 4}}, {"3", 1, 3, {7, 10, 3, 2, 4}},
      {"4", 1, 4, {7, 10, 3, 2, 4}}, {"5", 1, 5, {10, -4, 3, 2, 7}}, {"3", 2, 3, {7, 20, 6, 4, 8}},
      {"", 1, 5, {-10, -4, -3, -2, 9}}, {"7", 1, 5, {-10, -4, -3, -2, 9}},
  };
  // clang-format on
  for (const Case& c : cases) {
    DrawingEntity e = Record("A", -10, -4);
    e.X2 = -3, e.Y2 = -2, e.Z1 = -7, e.Elevation = 9;
    if (*c.face) e.Face = c.face;
    Loading loading({e}, c.scale);
    const EntityRegisters& r = loading.Next();
    EXPECT_EQ(r.EntFace, c.ent_face) << c.face;
    EXPECT_EQ((Floats{r.EntX1, r.EntY1, r.EntX2, r.EntY2, r.EntElevation}), c.x1_y1_x2_y2_elevation)
        << "face " << c.face << " scale " << c.scale;
  }
}

TEST(LoadEntity, RouteVertexOnTheTopFaceTakesItsThicknessAsDepth) {
  DrawingEntity vertex = Record("ROUTE D10", 0, 0, "VERTEX");
  vertex.Thickness = 5, vertex.Face = "5";
  DrawingEntity elsewhere = vertex;
  elsewhere.Layer = "VBORE";
  Loading loading({vertex, elsewhere});
  const EntityRegisters& r = loading.Next();
  EXPECT_EQ((Floats{r.EntElevation, r.EntThickness, r.EntThicknessAsRead}), (Floats{5, 0, 5}));
  EXPECT_EQ(loading.Next().EntThickness, 5);
}

TEST(LoadEntity, SequenceNumberComesFromTheLayerName) {
  // The number after the keyword, else after leading "_" and blanks; none above 1000.
  // clang-format off
  const std::pair<const char*, int16_t> cases[] = {
      {"VBORE12", 12}, {"VBORE_7", 7}, {"VBORE__ _12", 12}, {"VBORE1000", 1000}, {"VBORE1001", 0},
      {"VBORE1500", 0}, {"DRILLING", 0}, {"ROUTE40 D5", 40}, {"ROUTE_40 D5", 40}, {"GROOV 5", 5},
      {"HBORE3 T2", 3}, {"HBORE_2.5", 2}, {"EXCAV3", 0}, {"PANEL7", 0}, {"vbore9", 9},
  };
  // clang-format on
  std::vector<DrawingEntity> records;
  for (const auto& [layer, sequence] : cases) records.push_back(Record(layer));
  Loading loading(records);
  for (const auto& [layer, sequence] : cases) EXPECT_EQ(loading.Next().EntSequence, sequence) << layer;
  EXPECT_EQ(loading.store.Current.MaxSequence, 1000) << "the highest sequence seen";
}

TEST(LoadEntity, AdvancesTheIndexAndTheLoadingMeterUpTo30) {
  Loading loading(std::vector<DrawingEntity>(37, Record("A")));  // last index 39
  while (loading.index <= loading.store.LastIndex()) loading.Next();
  EXPECT_EQ(loading.index, 40);
  EXPECT_EQ(loading.person.meters[1], 31) << "index 40 of 39: round(40 / 39 * 30)";
  loading.index = 9;  // loading it reaches index 10, a meter of 8
  loading.Next();
  EXPECT_EQ(loading.person.meters[1], 31) << "the meter never goes back";
  loading.index = 40;
  EXPECT_THROW(loading.Next(), std::out_of_range);
}

TEST(LoadEntity, PlacedNoteOnTheStartOrEndPointGivesTheOperationItsText) {
  struct Case {
    PlacedNote note;
    const char* layer_kind;  // the layer the engine processes
    float radius;            // differs from group 41 on an arc
    const char* override_text;
    int16_t sequence;
    bool still_pending;
  };
  // A note that is a number orders the operation, or stands for the operation text of
  // that number when there is one.
  // clang-format off
  const Case cases[] = {
      {{0.009f, -0.009f, "NOTE1T7"}, "ROUTE40", 0, "NOTE1T7", 0, false},
      {{0.01f, 0, "NOTE1T7"}, "ROUTE40", 0, "", 40, false},
      {{200, 50, "12"}, "ROUTE40", 0, "12", 12, false},
      {{0, 0, "3"}, "ROUTE40", 0, "T5 F2000", 0, false},
      {{0, 0, "2"}, "ROUTE40", 0, "2", 2, false},
      {{0, 0, "NOTE1T7"}, "ROUTE50", 0, "", 40, true},
      {{0, 0, "NOTE1T7"}, "ROUTE40", 5, "", 40, true},
  };
  // clang-format on
  const std::vector<std::string> operation_texts = {"", "", "", "T5 F2000"};
  for (const Case& c : cases) {
    DrawingEntity line = Record("ROUTE40");
    line.X2 = 200, line.Y2 = 50, line.Radius = c.radius;
    Loading loading({line, line});
    const OneBasedList<PlacedNote> notes = {c.note};
    loading.sources.PlacedNotes = &notes;
    loading.sources.OperationTexts = &operation_texts;
    loading.sources.CurrentLayerKind = c.layer_kind;
    loading.store.Current.NoteMatchPending = true;
    const EntityRegisters& r = loading.Next();
    EXPECT_EQ(r.ParamOverride, c.override_text) << c.note.Text << " at " << c.note.X << "," << c.note.Y;
    EXPECT_EQ(r.EntSequence, c.sequence) << c.note.Text;
    EXPECT_EQ(r.NoteMatchPending, c.still_pending) << c.note.Text;
    loading.store.Entities[3].X1 = 400;  // the operation's next entity, no longer on the note
    EXPECT_EQ(loading.Next().ParamOverride, c.override_text) << "consulted once per operation";
  }
}

}  // namespace
}  // namespace mq
