#include "input/dxf_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "reader_harness.h"

namespace mq {
namespace {

using namespace std::string_literals;
using test::DrawingReading;
using test::DxfBuilder;
using test::DxfGroup;
using test::SectionText;

TEST(ReadDxf, FirstEntityIsAtIndexTwoBetweenBlankRecords) {
  DrawingReading r(DxfBuilder().Line("PANEL", 0, 0, 10, 0).Build());
  ASSERT_FALSE(r.Failed());
  ASSERT_EQ(r.store.LastIndex(), 3);
  EXPECT_TRUE(r.At(0).IsBlank());
  EXPECT_TRUE(r.At(1).IsBlank());
  EXPECT_TRUE(r.At(1).Layer.never_assigned()) << "index 1 is never filled";
  EXPECT_EQ(r.At(2).EntityType, "LINE      ");
  EXPECT_EQ(r.At(2).Layer.trimmed(), "PANEL");
  EXPECT_TRUE(r.At(3).IsBlank()) << "the record opened at ENDSEC stays blank";
  EXPECT_EQ(r.person.meters[0], 100);
  EXPECT_EQ(r.store.EntityTexts.size(), 2u);
}

TEST(ReadDxf, EveryGroupOfTheTableLandsInItsField) {
  struct Case {
    int code;
    float DrawingEntity::*field;
  };
  const Case cases[] = {
      {10, &DrawingEntity::X1},         {20, &DrawingEntity::Y1},        {11, &DrawingEntity::X2},
      {21, &DrawingEntity::Y2},         {30, &DrawingEntity::Z1},        {31, &DrawingEntity::Z2},
      {38, &DrawingEntity::Elevation},  {39, &DrawingEntity::Thickness}, {40, &DrawingEntity::Radius},
      {12, &DrawingEntity::Radius},     {41, &DrawingEntity::Width41},   {13, &DrawingEntity::Width41},
      {42, &DrawingEntity::Bulge},      {50, &DrawingEntity::StartAngle}, {22, &DrawingEntity::StartAngle},
      {51, &DrawingEntity::EndAngle},   {23, &DrawingEntity::EndAngle},
  };
  for (const Case& c : cases) {
    DrawingReading r(SectionText({{0, "LINE"}, {8, "A"}, {c.code, " 2.5 "}}));
    ASSERT_FALSE(r.Failed());
    EXPECT_EQ(r.At(2).*c.field, 2.5f) << "group " << c.code;
  }
}

TEST(ReadDxf, IntegerGroupsRoundHalvesToEven) {
  DrawingReading r(SectionText({{0, "LINE"}, {62, "2.5"}, {70, "3.5"}, {66, "1"}, {72, "1.5"}, {73, "2"},
                                {0, "TEXT"}, {72, "1"}, {75, "6.5"}}));
  EXPECT_EQ(r.At(2).Color, 2);
  EXPECT_EQ(r.At(2).Flags, 4);
  EXPECT_EQ(r.At(2).FollowFlag, 1);
  EXPECT_EQ(r.At(2).Justify, 4) << "72 and 73 are added: round(0 + 1.5) = 2, then round(2 + 2) = 4";
  EXPECT_EQ(r.At(3).Justify, 6) << "75 replaces";
}

TEST(ReadDxf, CodesAreComparedAsTextWithoutBlanks) {
  DrawingReading r;
  // Build odd code lines by hand: " 1 0" is 10; "010" and "1x" are no codes.
  r.Write("0\nSECTION\n2\nENTITIES\n  0\nLINE\n 1 0\n5\n010\n7\n1x\n9\n 2\0 0\n6\n  0\nENDSEC\n"s);
  r.Read();
  ASSERT_FALSE(r.Failed());
  EXPECT_EQ(r.At(2).X1, 5);
  EXPECT_EQ(r.At(2).Y1, 6) << "a NUL in a code line reads as a blank";
}

TEST(ReadDxf, NonNumbersReadAsZero) {
  DrawingReading r(SectionText({{0, "LINE"}, {10, "abc"}, {20, "1E999"}, {11, "nan"}, {21, "-6,5"}}));
  EXPECT_EQ(r.At(2).X1, 0);
  EXPECT_EQ(r.At(2).X2, 0);
  EXPECT_EQ(r.At(2).Y2, 0) << "the decimal comma ends -6, and the shift brings it to 0";
  EXPECT_EQ(r.At(2).Y1, 6) << "an overflow reads as 0, moved by the same shift";
}

TEST(ReadDxf, EntityTypeIsUpperCasedAndCutToTenCharacters) {
  DrawingReading r(SectionText({{0, "line"}, {0, "ACAD_PROXY_ENTITY"}, {0, "3dFace"}}));
  EXPECT_EQ(r.At(2).EntityType, "LINE      ");
  EXPECT_EQ(r.At(3).EntityType, "ACAD_PROXY");
  EXPECT_EQ(r.At(4).EntityType, "3DFACE    ");
}

TEST(ReadDxf, LayerIsUpperCasedAndTrimmed) {
  DrawingReading r(SectionText({{0, "LINE"}, {8, "  route d12  "}, {0, "LINE"}, {8, "t\xFCr"}}));
  EXPECT_EQ(r.At(2).Layer.str(), "ROUTE D12" + std::string(114 - 9, ' '));
  EXPECT_EQ(r.At(3).Layer.trimmed(), "T\xDCR") << "a cp1252 name is upper-cased in its code page";
}

TEST(ReadDxf, TextsAreStoredAsReadInReadingOrder) {
  DrawingReading r(SectionText({{0, "TEXT"}, {1, " first "}, {0, "LINE"}, {1, "not a text"},
                                {0, "MTEXT"}, {1, "second"}}));
  ASSERT_EQ(r.store.EntityTexts.size(), 3u);
  EXPECT_EQ(r.store.EntityTexts[0], "");
  EXPECT_EQ(r.store.EntityTexts[1], " first ");
  EXPECT_EQ(r.store.EntityTexts[2], "second");
  EXPECT_EQ(r.At(2).TextIndex, 1);
  EXPECT_EQ(r.At(3).TextIndex, 0) << "only entities whose type contains TEXT keep a text";
  EXPECT_EQ(r.At(4).TextIndex, 2);
  EXPECT_EQ(r.store.TextOf(r.At(4)), "second");
}

TEST(ReadDxf, PolylineLayerGoesToItsVertices) {
  DrawingReading r(DxfBuilder().Polyline("ROUTE D12", {{0, 0}, {10, 0}, {10, 10}}).Build());
  const auto types = r.Types();
  ASSERT_EQ(types, (std::vector<std::string>{"POLYLINE", "VERTEX", "VERTEX", "VERTEX", "SEQEND"}));
  for (int i = 2; i <= 5; ++i) EXPECT_EQ(r.At(i).Layer.trimmed(), "ROUTE D12") << i;
  EXPECT_EQ(r.At(6).Layer.trimmed(), "0") << "the SEQEND record gets its own layer";
  EXPECT_EQ(r.At(6).Color, 0);
}

TEST(ReadDxf, SeqendTakesTheLastColourRead) {
  DrawingReading r(DxfBuilder().Polyline("ROUTE", {{0, 0}, {10, 0}}, 0, {{62, "3"}}).Build());
  EXPECT_EQ(r.At(2).Color, 3);
  EXPECT_EQ(r.At(3).Color, 0);
  EXPECT_EQ(r.At(5).EntityType, "SEQEND    ");
  EXPECT_EQ(r.At(5).Color, 3);
}

TEST(ReadDxf, InstructionTitleMarksItsLayer) {
  DrawingReading r(DxfBuilder().Text("inst t5", 0, 0, "Marquill400 Instructions").Build());
  EXPECT_EQ(r.store.InstructionLayer, "INSTT5");
  DrawingReading post(DxfBuilder().Text("NOTES", 0, 0, "post instructions").Build());
  EXPECT_EQ(post.store.InstructionLayer, "NOTES");
  DrawingReading near(DxfBuilder().Text("NOTES", 0, 0, "POST INSTRUCTIONS ").Build());
  EXPECT_EQ(near.store.InstructionLayer, "") << "the value must equal the title";
}

TEST(ReadDxf, InstructionLayerDoesNotCarryOverToTheNextDrawing) {
  DrawingReading r(DxfBuilder().Text("INST", 0, 0, "POST INSTRUCTIONS").Build());
  ASSERT_EQ(r.store.InstructionLayer, "INST");
  r.Write(DxfBuilder().Text("INST", 0, 0, "SCALE 2").Build(), "SECOND.DXF");
  r.Read();
  EXPECT_EQ(r.store.InstructionLayer, "");
}

TEST(ReadDxf, ShiftsOnlyWhenTheLowestPointRoundsBelowZero) {
  DrawingReading slight(DxfBuilder().Line("A", -0.4, 0, 10, 5).Build());
  EXPECT_EQ(slight.At(2).X1, -0.4f) << "-0.4 rounds to 0: not moved";

  DrawingReading r(DxfBuilder().Line("A", -0.6, 2, 10, 5, {{12, "-7"}}).Circle("B", 3, 4, 1).Build());
  EXPECT_EQ(r.At(2).X1, -0.6f + 0.6f);
  EXPECT_EQ(r.At(2).X2, 10.0f + 0.6f);
  EXPECT_EQ(r.At(2).Y1, 2.0f) << "the lowest Y is 0";
  EXPECT_EQ(r.At(2).Radius, -7.0f) << "SOLID corners of group 12 are not moved";
  EXPECT_EQ(r.At(3).X1, 3.0f + 0.6f);
  EXPECT_EQ(r.At(3).X2, 0.6f) << "every record moves, X2 too";
  EXPECT_EQ(r.At(4).X1, 0.6f) << "the blank ENDSEC record moves as well";
}

TEST(ReadDxf, ExtrusionOrPanelSolidKeepsTheDrawingWhereItIs) {
  DrawingReading extruded(DxfBuilder().Line("A", -50, -20, 10, 5).Line("B", 0, 0, 1, 1, {{210, "0"}}).Build());
  EXPECT_EQ(extruded.At(2).X1, -50.0f);
  EXPECT_EQ(extruded.At(2).Y1, -20.0f);

  DrawingReading panel(DxfBuilder().Solid("PANEL", -5, -5, 100, -5, 100, 50).Build());
  EXPECT_EQ(panel.At(2).X1, -5.0f);

  DrawingReading other(DxfBuilder().Solid("PANELS", -5, -5, 100, -5, 100, 50).Build());
  EXPECT_EQ(other.At(2).X1, 0.0f) << "only a SOLID on layer PANEL itself";
}

TEST(ReadDxf, ExtrusionDirectionGivesTheFace) {
  struct Case {
    const char* x;
    const char* y;
    const char* z;
    const char* face;
  };
  const Case cases[] = {
      {"0", "0", "-1", "5"},  {"0", "0", "1", "5"},     {"0.7", "0.7", "0", "3"}, {"-1", "0", "0", "4"},
      {"0", "-1", "0", "2"},  {"0", "1", "0", "1"},     {"0.5", "-0.5", "0.5", "3"},
      {"0", "0", "0", ""},  // all zero leaves the face as it was
  };
  for (const Case& c : cases) {
    DrawingReading r(DxfBuilder().Arc("A", 5, 5, 1, 0, 90, {{210, c.x}, {220, c.y}, {230, c.z}}).Build());
    EXPECT_EQ(r.At(2).Face.trimmed(), c.face) << c.x << "," << c.y << "," << c.z;
  }
}

TEST(ReadDxf, FaceBelongsToTheEntityThatGaveTheExtrusion) {
  DrawingReading r(DxfBuilder()
                       .Arc("A", 5, 5, 1, 0, 90, {{210, "0"}, {220, "0"}, {230, "-1"}})
                       .Line("B", 0, 0, 1, 1)
                       .Build());
  EXPECT_EQ(r.At(2).Face, "5");
  EXPECT_TRUE(r.At(3).Face.never_assigned()) << "the LINE keeps a blank face";
}

TEST(ReadDxf, VerticesTakeTheFaceOfTheirPolyline) {
  DrawingReading r(DxfBuilder()
                       .Polyline("ROUTE", {{0, 0}, {10, 0}}, 0, {{210, "-1"}, {220, "0"}, {230, "0"}})
                       .Line("B", 0, 0, 1, 1)
                       .Build());
  EXPECT_EQ(r.At(2).Face, "4");
  EXPECT_EQ(r.At(3).Face, "4");
  EXPECT_EQ(r.At(4).Face, "4");
  EXPECT_TRUE(r.At(5).Face.never_assigned()) << "the SEQEND gets a face of its own";
  EXPECT_TRUE(r.At(6).Face.never_assigned());
}

TEST(ReadDxf, LwPolylineIsReadAsPolylineVerticesAndSeqend) {
  DrawingReading r(SectionText({{0, "LWPOLYLINE"}, {8, "route d5"}, {62, "4"}, {90, "3"}, {70, "1"},
                                {43, "2.5"}, {38, "-3"}, {39, "7"},
                                {10, "-10"}, {20, "1"}, {42, "0.5"},
                                {10, "20"}, {20, "-4"}, {40, "1"}, {41, "2"},
                                {10, "30"}, {20, "8"},
                                {210, "0"}, {220, "0"}, {230, "-1"},
                                {0, "LINE"}, {8, "B"}, {10, "0"}, {20, "0"}}));
  ASSERT_FALSE(r.Failed());
  ASSERT_EQ(r.Types(), (std::vector<std::string>{"POLYLINE", "VERTEX", "VERTEX", "VERTEX", "SEQEND", "LINE"}));
  const DrawingEntity& polyline = r.At(2);
  EXPECT_EQ(polyline.Layer.trimmed(), "ROUTE D5");
  EXPECT_EQ(polyline.Color, 4);
  EXPECT_EQ(polyline.Flags, 1);
  EXPECT_EQ(polyline.Radius, 2.5f) << "constant width as start width";
  EXPECT_EQ(polyline.Width41, 2.5f) << "and as end width";
  EXPECT_EQ(polyline.Elevation, -3.0f);
  EXPECT_EQ(polyline.Thickness, 7.0f);
  EXPECT_EQ(polyline.FollowFlag, 1);
  EXPECT_EQ(polyline.Face, "5");
  // Extrusion groups forbid the shift, so the coordinates are as written.
  const float xs[] = {-10, 20, 30}, ys[] = {1, -4, 8};
  for (int v = 0; v < 3; ++v) {
    const DrawingEntity& vertex = r.At(3 + v);
    EXPECT_EQ(vertex.X1, xs[v]);
    EXPECT_EQ(vertex.Y1, ys[v]);
    EXPECT_EQ(vertex.Z1, -3.0f) << "the elevation is the vertex Z";
    EXPECT_EQ(vertex.Layer.trimmed(), "ROUTE D5");
    EXPECT_EQ(vertex.Face, "5");
  }
  EXPECT_EQ(r.At(3).Bulge, 0.5f);
  EXPECT_EQ(r.At(4).Radius, 1.0f);
  EXPECT_EQ(r.At(4).Width41, 2.0f);
  EXPECT_EQ(r.At(5).Bulge, 0.0f);
  const DrawingEntity& seqend = r.At(6);
  EXPECT_EQ(seqend.Layer.trimmed(), "ROUTE D5");
  EXPECT_EQ(seqend.Color, 4);
  EXPECT_TRUE(seqend.Face.never_assigned());
  EXPECT_EQ(r.At(7).Layer.trimmed(), "B") << "the layer of the polyline ends with it";
}

TEST(ReadDxf, EveryLwPolylineVertexCountsForTheShift) {
  DrawingReading r(DxfBuilder().LwPolyline("ROUTE", {{5, 5}, {-8, 3}, {9, -2}}).Build());
  EXPECT_EQ(r.At(3).X1, 13.0f);
  EXPECT_EQ(r.At(4).X1, 0.0f);
  EXPECT_EQ(r.At(5).Y1, 0.0f);
  EXPECT_EQ(r.At(3).Y1, 7.0f);
}

TEST(ReadDxf, LwPolylineAtTheEndOfTheSectionIsComplete) {
  DrawingReading r(DxfBuilder().LwPolyline("ROUTE", {{0, 0}, {10, 0}}, 1).Build());
  ASSERT_EQ(r.Types(), (std::vector<std::string>{"POLYLINE", "VERTEX", "VERTEX", "SEQEND"}));
  EXPECT_TRUE(r.At(r.store.LastIndex()).IsBlank());
}

TEST(ReadDxf, MissingEntitiesSectionFailsUnderItsOwnName) {
  DrawingReading r("  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n");
  EXPECT_EQ(r.file_name, "~");
  ASSERT_EQ(r.person.messages.size(), 1u);
  EXPECT_EQ(r.person.messages[0], "ENTITIES Section not found in  " + r.path + "    ");
  EXPECT_EQ(r.store.LastIndex(), 1) << "the store keeps its two blank records";
  EXPECT_TRUE(r.Failed());
  ASSERT_EQ(r.run.FailedFiles.size(), 1);
  EXPECT_EQ(r.run.FailedFiles[1], r.path);
}

TEST(ReadDxf, OnlyTheSectionHeaderStartsTheEntities) {
  // A layer named ENTITIES in the tables is not the section.
  const std::string text =
      "  0\nSECTION\n  2\nTABLES\n  0\nLAYER\n  2\nENTITIES\n 70\n0\n  0\nENDSEC\n" +
      SectionText({{0, "LINE"}, {8, "A"}, {10, "4"}});
  DrawingReading r(text);
  ASSERT_FALSE(r.Failed());
  EXPECT_EQ(r.Types(), std::vector<std::string>{"LINE"});
  EXPECT_EQ(r.At(2).X1, 4);
}

TEST(ReadDxf, ReadingStopsAtTheFirstEndsec) {
  const std::string text = SectionText({{0, "LINE"}}) + "garbage\nbeyond\nthe\nend\n";
  DrawingReading r(text + SectionText({{0, "CIRCLE"}}));
  ASSERT_FALSE(r.Failed());
  EXPECT_EQ(r.Types(), std::vector<std::string>{"LINE"});
}

TEST(ReadDxf, FileEndingBeforeEndsecFailsTheDrawing) {
  const std::string cut_after_pair = SectionText({{0, "LINE"}, {8, "A"}}, false);
  const std::string cut_before_value = cut_after_pair + " 10\n";
  for (const std::string& text : {cut_after_pair, cut_before_value}) {
    DrawingReading r(text);
    EXPECT_TRUE(r.Failed());
    EXPECT_EQ(r.run.PendingMessage, "DXF file ends before the end of its ENTITIES section: " + r.path + "\r");
    ASSERT_EQ(r.run.FailedFiles.size(), 1);
    EXPECT_EQ(r.run.FailedFiles[1], r.path);
  }
}

TEST(ReadDxf, BinaryDrawingFailsWithAClearMessage) {
  DrawingReading r(std::string("AutoCAD Binary DXF\r\n\x1a\0\0\x01\x02", 25));
  EXPECT_TRUE(r.Failed());
  EXPECT_EQ(r.run.PendingMessage, "Only ASCII DXF drawings can be read; this one is a binary DXF: " + r.path + "\r");
  EXPECT_EQ(r.run.FailedFiles.size(), 1);
  EXPECT_TRUE(r.person.messages.empty());
}

TEST(ReadDxf, UnopenableDrawingFailsWithTheSystemsReason) {
  DrawingReading missing;
  missing.path = (missing.scratch / "NONE.DXF").string();
  missing.Read();
  EXPECT_TRUE(missing.Failed());
  EXPECT_EQ(missing.run.PendingMessage.rfind("Cannot open the drawing " + missing.path + ": ", 0), 0u);
  EXPECT_GT(missing.run.PendingMessage.size(), ("Cannot open the drawing " + missing.path + ": \r").size());
  EXPECT_EQ(missing.run.FailedFiles.size(), 1);

  DrawingReading directory;
  directory.path = directory.scratch.path().string();
  directory.Read();
  EXPECT_TRUE(directory.Failed());
  EXPECT_EQ(directory.run.FailedFiles.size(), 1);
}

TEST(ReadDxf, LineEndsOfEveryKindReadAlike) {
  const DxfBuilder drawing = DxfBuilder().Line("A", 1, 2, 3, 4).Text("T", 5, 6, "hello");
  const std::string lf = drawing.Build();
  std::string cr = lf;
  for (char& c : cr) c = c == '\n' ? '\r' : c;
  for (const std::string& text : {lf, drawing.Build(true), cr}) {
    DrawingReading r(text);
    ASSERT_FALSE(r.Failed());
    EXPECT_EQ(r.Types(), (std::vector<std::string>{"LINE", "TEXT"}));
    EXPECT_EQ(r.At(2).Y2, 4);
    EXPECT_EQ(r.store.TextOf(r.At(3)), "hello");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(r.scratch.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no converted copy is written beside the drawing";
  }
}

TEST(ReadDxf, StopRequestAbandonsTheDrawing) {
  DrawingReading r;
  r.Write(DxfBuilder().Line("A", 0, 0, 1, 1).Line("B", 0, 0, 1, 1).Build());
  r.person.run = &r.run;
  r.person.stop_after_yields = 4;  // during the first LINE
  r.Read();
  EXPECT_TRUE(r.Failed());
  EXPECT_EQ(r.run.PendingMessage, " USER ABORTED \r");
  EXPECT_TRUE(r.run.FailedFiles.empty()) << "a stop request lists no failed file";
  EXPECT_EQ(r.store.LastIndex(), 2) << "the records read so far stay";
  EXPECT_EQ(r.person.yields, 4);
}

TEST(ReadDxf, YieldsOncePerGroupPair) {
  DrawingReading r(SectionText({{0, "LINE"}, {8, "A"}, {10, "1"}}));
  EXPECT_EQ(r.person.yields, 4) << "three pairs and ENDSEC";
}

TEST(ReadDxf, TextsBeyondSixteenBitsStayRetrievable) {
  constexpr int kTexts = 33000;
  std::string text = "0\nSECTION\n2\nENTITIES\n";
  for (int i = 1; i <= kTexts; ++i) {
    text += "0\nTEXT\n1\nT";
    text += std::to_string(i);
    text += '\n';
  }
  text += "0\nENDSEC\n";
  DrawingReading r(text);
  ASSERT_FALSE(r.Failed());
  const DrawingEntity& last = r.At(kTexts + 1);
  EXPECT_EQ(last.TextIndex, 32767) << "the 16-bit field is clamped, never wrapped";
  EXPECT_EQ(last.TextNumber, kTexts);
  EXPECT_EQ(r.store.TextOf(last), std::string("T") += std::to_string(kTexts));
  EXPECT_EQ(r.store.TextOf(r.At(32768 + 1)), "T32768");
}

}  // namespace
}  // namespace mq
