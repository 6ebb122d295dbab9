#include "input/entity_store.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/recording_operator.h"

namespace mq {
namespace {

using namespace std::string_literals;

// A store holding the given records from index 2 on, as a reading leaves it.
EntityStore StoreOf(const std::vector<DrawingEntity>& records) {
  EntityStore store;
  store.Reset();
  for (const DrawingEntity& e : records) store.Entities.push_back(e);
  store.Entities.emplace_back();  // the blank ENDSEC record
  return store;
}

DrawingEntity Record(const std::string& type, const std::string& layer) {
  DrawingEntity e;
  e.EntityType = type;
  e.Layer = layer;
  return e;
}

NoteSources Scaled(float scale) {
  NoteSources notes;
  notes.DrawingScale = scale;
  return notes;
}

const EntityRegisters& Load(EntityStore& store, int index, const NoteSources& notes = NoteSources()) {
  test::RecordingOperator person;
  LoadEntity(store, index, notes, person);
  return store.Current;
}

TEST(CleanText, TurnsNulsIntoBlanksAndRemovesEveryBlank) {
  EXPECT_EQ(CleanText(" inst t5 "), "instt5");
  EXPECT_EQ(CleanText("a\0b c"s), "abc");
  EXPECT_EQ(CleanText("\0\0 "s), "");
}

TEST(IsBlankText, ReadsNulAsBlank) {
  EXPECT_TRUE(IsBlankText(""));
  EXPECT_TRUE(IsBlankText("   "));
  EXPECT_TRUE(IsBlankText("\0\0 \0"s));
  EXPECT_FALSE(IsBlankText("  x"));
  EXPECT_FALSE(IsBlankText("\0x"s));
}

TEST(SequenceFromLayerSuffix, ReadsTheNumberAfterTheKeyword) {
  struct Case {
    const char* layer;
    int16_t sequence;
  };
  const Case cases[] = {
      {"VBORE_7", 7},      {"VBORE__ _12", 12}, {"VBORE12", 12}, {"VBORE1000", 1000}, {"VBORE1001", 0},
      {"VBORE1500", 0},    {"DRILLING", 0},     {"VBORE", 0},    {"", 0},             {"HBORE_2.5", 2},
      {"ROUTE_40 D5", 40},  // D is the depth code here, not an exponent
  };
  for (const Case& c : cases) EXPECT_EQ(SequenceFromLayerSuffix(c.layer), c.sequence) << c.layer;
}

TEST(EntityStore, ResetLeavesTwoBlankRecordsAndTexts) {
  EntityStore store;
  store.Entities.resize(7);
  store.EntityTexts = {"", "a", "b"};
  store.Reset();
  EXPECT_EQ(store.LastIndex(), 1);
  EXPECT_TRUE(store.Entities[0].IsBlank());
  EXPECT_TRUE(store.Entities[1].Layer.never_assigned());
  EXPECT_EQ(store.EntityTexts, (std::vector<std::string>{"", ""}));
}

TEST(LoadEntity, CopiesTheRecordAndScalesLengths) {
  DrawingEntity e = Record("ARC", "ROUTE");
  e.X1 = 1, e.Y1 = 2, e.X2 = 3, e.Y2 = 4, e.Z1 = -5, e.Z2 = 6, e.Elevation = 7, e.Thickness = -8;
  e.Radius = 9, e.Width41 = 10, e.Bulge = 11, e.StartAngle = 12, e.EndAngle = 13;
  e.Color = 14, e.Flags = 15, e.Justify = 16, e.FollowFlag = 17, e.Face = "5";
  e.TextIndex = 1;
  EntityStore store = StoreOf({e});
  store.EntityTexts[1] = "note";
  const EntityRegisters& r = Load(store, 2, Scaled(2.0f));
  EXPECT_EQ(r.EntType, "ARC       ");
  EXPECT_EQ(r.EntLayer.trimmed(), "ROUTE");
  EXPECT_EQ(r.EntText, "note");
  EXPECT_EQ(r.EntX1, 2);
  EXPECT_EQ(r.EntY1, 4);
  EXPECT_EQ(r.EntX2, 6);
  EXPECT_EQ(r.EntY2, 8);
  EXPECT_EQ(r.EntZ1, -5) << "Z is not scaled";
  EXPECT_EQ(r.EntZ2, 6);
  EXPECT_EQ(r.EntElevation, 5) << "face 5: the elevation is |Z1|";
  EXPECT_EQ(r.EntThickness, 16);
  EXPECT_EQ(r.EntThicknessAsRead, 16);
  EXPECT_EQ(r.EntRadius, 18);
  EXPECT_EQ(r.EntRadiusAsRead, 18);
  EXPECT_EQ(r.EntWidth41, 10) << "group 41 is not scaled";
  EXPECT_EQ(r.EntBulge, 11);
  EXPECT_EQ(r.EntStartAngle, 12);
  EXPECT_EQ(r.EntEndAngle, 13);
  EXPECT_EQ(r.EntColor, 14);
  EXPECT_EQ(r.EntFlags, 15);
  EXPECT_EQ(r.EntJustify, 16);
  EXPECT_EQ(r.EntFollowFlag, 17);
  EXPECT_EQ(r.EntFace, 5);
}

TEST(LoadEntity, MapsSideFacesIntoFaceCoordinates) {
  struct Case {
    const char* face;
    int16_t ent_face;
    float x1, y1, x2, y2, elevation;
  };
  // Record: X1 = -10, Y1 = 4, X2 = -3, Y2 = -2, Z1 = -7, elevation 9.
  const Case cases[] = {
      {"1", 1, 10, 7, 3, 2, 4}, {"2", 2, 10, 7, 3, 2, 4}, {"3", 3, 7, 10, 3, 2, 4},
      {"4", 4, 7, 10, 3, 2, 4}, {"5", 5, 10, 4, 3, 2, 7},
      {"", 5, -10, 4, -3, -2, 9},   // blank face: no change
      {"7", 5, -10, 4, -3, -2, 9},  // an unknown face too
  };
  for (const Case& c : cases) {
    DrawingEntity e = Record("LINE", "A");
    e.X1 = -10, e.Y1 = 4, e.X2 = -3, e.Y2 = -2, e.Z1 = -7, e.Elevation = 9;
    if (*c.face) e.Face = c.face;
    EntityStore store = StoreOf({e});
    const EntityRegisters& r = Load(store, 2);
    EXPECT_EQ(r.EntFace, c.ent_face) << c.face;
    EXPECT_EQ(r.EntX1, c.x1) << c.face;
    EXPECT_EQ(r.EntY1, c.y1) << c.face;
    EXPECT_EQ(r.EntX2, c.x2) << c.face;
    EXPECT_EQ(r.EntY2, c.y2) << c.face;
    EXPECT_EQ(r.EntElevation, c.elevation) << c.face;
  }
}

TEST(LoadEntity, FaceFiveKeepsTheSignOfY1) {
  DrawingEntity e = Record("LINE", "A");
  e.Y1 = -4, e.Z1 = -2, e.Face = "5";
  EntityStore store = StoreOf({e});
  EXPECT_EQ(Load(store, 2).EntY1, -4);
}

TEST(LoadEntity, ValueTakenFromZ1IsNotScaled) {
  DrawingEntity e = Record("LINE", "A");
  e.X1 = -10, e.Y1 = 4, e.Z1 = -7, e.Face = "3";
  EntityStore store = StoreOf({e});
  const EntityRegisters& r = Load(store, 2, Scaled(2.0f));
  EXPECT_EQ(r.EntX1, 7);
  EXPECT_EQ(r.EntY1, 20);
  EXPECT_EQ(r.EntElevation, 8);
}

TEST(LoadEntity, RouteVertexOnTheTopFaceTakesItsThicknessAsDepth) {
  DrawingEntity vertex = Record("VERTEX", "ROUTE D10");
  vertex.Thickness = 5, vertex.Face = "5";
  DrawingEntity elsewhere = vertex;
  elsewhere.Layer = "VBORE";
  EntityStore store = StoreOf({vertex, elsewhere});
  const EntityRegisters& r = Load(store, 2);
  EXPECT_EQ(r.EntElevation, 5);
  EXPECT_EQ(r.EntThickness, 0);
  EXPECT_EQ(r.EntThicknessAsRead, 5);
  const EntityRegisters& other = Load(store, 3);
  EXPECT_EQ(other.EntThickness, 5);
}

TEST(LoadEntity, SequenceNumberComesFromTheLayerName) {
  struct Case {
    const char* layer;
    int16_t sequence;
  };
  const Case cases[] = {
      {"VBORE12", 12},   {"VBORE_7", 7},  {"VBORE1500", 0}, {"DRILLING", 0}, {"ROUTE40", 40},
      {"ROUTE40 D5", 40}, {"GROOV 5", 5}, {"HBORE3 T2", 3}, {"EXCAV3", 0},   {"PANEL7", 0},
      {"vbore9", 9},
  };
  for (const Case& c : cases) {
    EntityStore store = StoreOf({Record("POINT", c.layer)});
    EXPECT_EQ(Load(store, 2).EntSequence, c.sequence) << c.layer;
  }
}

TEST(LoadEntity, KeepsTheHighestSequenceSeen) {
  EntityStore store = StoreOf({Record("POINT", "VBORE12"), Record("POINT", "VBORE3")});
  Load(store, 2);
  Load(store, 3);
  EXPECT_EQ(store.Current.EntSequence, 3);
  EXPECT_EQ(store.Current.MaxSequence, 12);
}

TEST(LoadEntity, AdvancesTheIndexAndTheReadingMeter) {
  std::vector<DrawingEntity> records(37, Record("LINE", "A"));
  EntityStore store = StoreOf(records);  // last index 39
  test::RecordingOperator person;
  int index = 2;
  std::vector<int> meter_after_load;
  while (index <= store.LastIndex()) {
    LoadEntity(store, index, NoteSources(), person);
    meter_after_load.push_back(person.meters[1]);
  }
  EXPECT_EQ(index, 40);
  EXPECT_EQ(meter_after_load[7], 8) << "index 10 of 39: round(10 / 39 * 30)";
  EXPECT_EQ(meter_after_load[17], 15);
  EXPECT_EQ(meter_after_load[27], 23);
  EXPECT_EQ(meter_after_load.back(), 31) << "index 40 of 39";
  person.meters[1] = 50;
  index = 9;  // loading it reaches index 10
  LoadEntity(store, index, NoteSources(), person);
  EXPECT_EQ(person.meters[1], 50) << "the meter never goes back";
}

TEST(LoadEntity, IndexOutsideTheStoreIsACallerError) {
  EntityStore store = StoreOf({});
  test::RecordingOperator person;
  int index = 5;
  EXPECT_THROW(LoadEntity(store, index, NoteSources(), person), std::out_of_range);
}

class PlacedNotes : public ::testing::Test {
 protected:
  void SetUp() override {
    DrawingEntity line = Record("LINE", "ROUTE40");
    line.X1 = 100, line.Y1 = 50, line.X2 = 200, line.Y2 = 50;
    store = StoreOf({line});
    operation_texts = {"", "", "", "T5 F2000"};
    sources.PlacedNotes = &notes;
    sources.OperationTexts = &operation_texts;
    sources.CurrentLayerKind = "ROUTE40";
    store.Current.NoteMatchPending = true;
  }
  const EntityRegisters& LoadLine() { return Load(store, 2, sources); }

  EntityStore store;
  OneBasedList<PlacedNote> notes;
  std::vector<std::string> operation_texts;
  NoteSources sources;
};

TEST_F(PlacedNotes, NoteWithinReachOfTheStartPointGivesItsText) {
  notes.push_back({100.009f, 49.991f, "NOTE1T7"});
  const EntityRegisters& r = LoadLine();
  EXPECT_EQ(r.ParamOverride, "NOTE1T7");
  EXPECT_FALSE(r.NoteMatchPending);
  EXPECT_EQ(r.EntSequence, 0) << "the text does not begin with a number";
}

TEST_F(PlacedNotes, NoteAtTheReachDoesNotMatch) {
  notes.push_back({100.01f, 50, "NOTE1T7"});
  EXPECT_EQ(LoadLine().ParamOverride, "");
  store.Current.NoteMatchPending = true;
  notes[1] = {0.01f, 0, "NOTE1T7"};
  store.Entities[2].X1 = 0, store.Entities[2].Y1 = 0;
  EXPECT_EQ(LoadLine().ParamOverride, "");
}

TEST_F(PlacedNotes, NoteOnTheEndPointMatchesToo) {
  notes.push_back({200, 50, "12"});
  const EntityRegisters& r = LoadLine();
  EXPECT_EQ(r.ParamOverride, "12");
  EXPECT_EQ(r.EntSequence, 12) << "a note that is a number orders the operation";
}

TEST_F(PlacedNotes, NumberedNoteStandsForItsOperationText) {
  notes.push_back({100, 50, "3"});
  const EntityRegisters& r = LoadLine();
  EXPECT_EQ(r.ParamOverride, "T5 F2000");
  EXPECT_EQ(r.EntSequence, 0);
}

TEST_F(PlacedNotes, EmptyOperationTextLeavesTheNumber) {
  operation_texts = {"", "", ""};
  notes.push_back({100, 50, "2"});
  EXPECT_EQ(LoadLine().ParamOverride, "2");
  EXPECT_EQ(store.Current.EntSequence, 2);
}

TEST_F(PlacedNotes, MatchedTextServesTheOperationsLaterEntities) {
  notes.push_back({100, 50, "NOTE1T7"});
  LoadLine();
  store.Entities[2].X1 = 400;  // no longer on the note
  const EntityRegisters& r = LoadLine();
  EXPECT_EQ(r.ParamOverride, "NOTE1T7") << "consulted once per operation";
}

TEST_F(PlacedNotes, OnlyTheLayerBeingProcessedConsultsTheNotes) {
  notes.push_back({100, 50, "NOTE1T7"});
  sources.CurrentLayerKind = "ROUTE50";
  EXPECT_EQ(LoadLine().ParamOverride, "");
  EXPECT_TRUE(store.Current.NoteMatchPending);
}

TEST_F(PlacedNotes, ArcsDoNotConsultTheNotes) {
  notes.push_back({100, 50, "NOTE1T7"});
  store.Entities[2].Radius = 5;  // radius differs from group 41
  EXPECT_EQ(LoadLine().ParamOverride, "");
}

}  // namespace
}  // namespace mq
