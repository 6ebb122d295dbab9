#include "input/dxf_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "reader_harness.h"

namespace mq {
namespace {

using test::DrawingReading;
using test::DxfBuilder;
using test::SectionText;
using Strings = std::vector<std::string>;

TEST(ReadDxf, EveryGroupOfTheTableLandsInItsField) {
  // clang-format off
  DrawingReading r(SectionText({
      {0, "LINE"}, {8, "a"}, {10, "1"}, {20, "2"}, {11, "3"}, {21, "4"}, {30, "5"}, {31, "6"}, {38, "7"},
      {39, "8"}, {40, "9"}, {41, "10"}, {42, "11"}, {50, "12"}, {51, "13"}, {62, "2.5"}, {70, "3.5"}, {66, "1"},
      {72, "1.5"}, {73, "2"}, {0, "solid"}, {12, " 14 "}, {13, "15"}, {22, "16"}, {23, "17"}, {75, "6.5"},
      {5, "99"}, {999, "99"}}));
  // Integers round halves to even; 72 and 73 add up (round(0 + 1.5) = 2, then 2 + 2), 75 replaces.
  EXPECT_EQ(r.Dumps(), (Strings{"LINE 'A' X1=1 Y1=2 X2=3 Y2=4 Z1=5 Z2=6 Elevation=7 Thickness=8 Radius=9 Width41=10 "
                                "Bulge=11 StartAngle=12 EndAngle=13 Color=2 Flags=4 Justify=4 FollowFlag=1",
                                "SOLID Radius=14 Width41=15 StartAngle=16 EndAngle=17 Justify=6", ""}));
  // clang-format on
  EXPECT_TRUE(r.At(1).Layer.never_assigned()) << "the first entity is at index 2";
  EXPECT_EQ(r.person.meters[0], 100);
}

TEST(ReadDxf, NamesAreUpperCasedAndTextsKeptAsRead) {
  // clang-format off
  DrawingReading r(SectionText({{0, "text"}, {8, "  route d12  "}, {1, " first "}, {0, "ACAD_PROXY_ENTITY"},
                                {8, "t\xFCr"}, {1, "not a text"}, {0, "MTEXT"}, {1, "second"}}));
  // clang-format on
  // A cp1252 name is upper-cased in its code page; only types holding TEXT keep a text.
  EXPECT_EQ(r.Dumps(),
            (Strings{"TEXT 'ROUTE D12' TextIndex=1", "ACAD_PROXY 'T\xDCR'", "MTEXT TextIndex=2", ""}));
  EXPECT_EQ(r.At(2).Layer.str(), "ROUTE D12" + std::string(114 - 9, ' '));
  EXPECT_EQ(r.store.EntityTexts, (Strings{"", " first ", "second"}));
}

TEST(ReadDxf, PolylineGivesItsLayerToItsVerticesAndItsColourToSeqend) {
  DrawingReading r(
      DxfBuilder().Polyline("ROUTE D12", {{0, 0}, {10, 0}}, 0, {{62, "3"}}).Line("B", 0, 0, 1, 1).Build());
  EXPECT_EQ(r.Dumps(), (Strings{"POLYLINE 'ROUTE D12' Color=3 FollowFlag=1", "VERTEX 'ROUTE D12'",
                                "VERTEX 'ROUTE D12' X1=10", "SEQEND '0' Color=3", "LINE 'B' X2=1 Y2=1", ""}));
}

TEST(ReadDxf, InstructionTitleMarksItsLayerForThisDrawingOnly) {
  DrawingReading r;
  // A near miss is no title, and the previous drawing's layer does not carry over.
  const std::pair<const char*, const char*> titles[] = {
      {"Marquill400 Instructions", "INSTT5"}, {"post instructions", "INSTT5"}, {"POST INSTRUCTIONS ", ""}};
  for (const auto& [title, layer] : titles) {
    r.Write(DxfBuilder().Text("inst t5", 0, 0, title).Build());
    r.Read();
    EXPECT_EQ(r.store.InstructionLayer, layer) << title;
  }
}

TEST(ReadDxf, ShiftsOnlyWhenTheLowestPointRoundsBelowZero) {
  EXPECT_EQ(DrawingReading(DxfBuilder().Line("A", -0.4, 0, 10, 5).Build()).Dumps()[0],
            "LINE 'A' X1=-0.4 X2=10 Y2=5");
  // Every record moves, the blank ENDSEC record too; SOLID corners of group 12 do not.
  DrawingReading r(DxfBuilder().Line("A", -0.6, 2, 10, 5, {{12, "-7"}}).Circle("B", 3, 4, 1).Build());
  EXPECT_EQ(r.Dumps(), (Strings{"LINE 'A' Y1=2 X2=10.6 Y2=5 Radius=-7",
                                "CIRCLE 'B' X1=3.6 Y1=4 X2=0.6 Radius=1", " X1=0.6 X2=0.6"}));
  // Any extrusion group, or a SOLID on layer PANEL itself, keeps the drawing where it is.
  const std::pair<DxfBuilder, float> unmoved[] = {
      {DxfBuilder().Line("A", -50, -20, 10, 5).Line("B", 0, 0, 1, 1, {{210, "0"}}), -50},
      {DxfBuilder().Solid("PANEL", -5, -5, 100, -5, 100, 50), -5},
      {DxfBuilder().Solid("PANELS", -5, -5, 100, -5, 100, 50), 0}};
  for (const auto& [drawing, x1] : unmoved) EXPECT_EQ(DrawingReading(drawing.Build()).At(2).X1, x1) << x1;
}

TEST(ReadDxf, ExtrusionDirectionGivesTheFaceOfItsOwnEntity) {
  struct Case {
    const char *x, *y, *z, *face;
  };
  // On equal magnitudes the earlier axis wins; all zero gives no face.
  // clang-format off
  const Case cases[] = {{"0", "0", "-1", "5"}, {"0", "0", "1", "5"}, {"0.7", "0.7", "0", "3"}, {"-1", "0", "0", "4"},
                        {"0", "-1", "0", "2"}, {"0", "1", "0", "1"}, {"0.5", "-0.5", "0.5", "3"}, {"0", "0", "0", ""}};
  // clang-format on
  for (const Case& c : cases) {
    DrawingReading r(DxfBuilder()
                         .Arc("A", 5, 5, 1, 0, 90, {{210, c.x}, {220, c.y}, {230, c.z}})
                         .Line("B", 0, 0, 1, 1)
                         .Build());
    EXPECT_EQ(r.At(2).Face.trimmed(), c.face) << c.x << "," << c.y << "," << c.z;
    EXPECT_TRUE(r.At(3).Face.never_assigned()) << "the LINE after it keeps a blank face";
  }
  // Vertices take the face of their polyline; the SEQEND gets a face of its own.
  DrawingReading r(
      DxfBuilder().Polyline("ROUTE", {{0, 0}, {10, 0}}, 0, {{210, "-1"}, {220, "0"}, {230, "0"}}).Build());
  EXPECT_EQ(r.Dumps(), (Strings{"POLYLINE 'ROUTE' FollowFlag=1 Face=4", "VERTEX 'ROUTE' Face=4",
                                "VERTEX 'ROUTE' X1=10 Face=4", "SEQEND '0'", ""}));
}

TEST(ReadDxf, LwPolylineIsReadAsPolylineVerticesAndSeqend) {
  // clang-format off
  DrawingReading r(SectionText({{0, "LWPOLYLINE"}, {8, "route d5"}, {62, "4"}, {90, "3"}, {70, "1"},
                                {43, "2.5"}, {38, "-3"}, {39, "7"}, {10, "-10"}, {20, "1"}, {42, "0.5"},
                                {10, "20"}, {20, "-4"}, {40, "1"}, {41, "2"}, {10, "30"}, {20, "8"},
                                {210, "0"}, {220, "0"}, {230, "-1"}, {0, "LINE"}, {8, "B"}}));
  // clang-format on
  // The constant width is start and end width, the elevation every vertex's Z; the
  // extrusion forbids the shift; the polyline's layer ends with its SEQEND.
  // clang-format off
  EXPECT_EQ(r.Dumps(), (Strings{
      "POLYLINE 'ROUTE D5' Elevation=-3 Thickness=7 Radius=2.5 Width41=2.5 Color=4 Flags=1 FollowFlag=1 Face=5",
      "VERTEX 'ROUTE D5' X1=-10 Y1=1 Z1=-3 Bulge=0.5 Face=5",
      "VERTEX 'ROUTE D5' X1=20 Y1=-4 Z1=-3 Radius=1 Width41=2 Face=5",
      "VERTEX 'ROUTE D5' X1=30 Y1=8 Z1=-3 Face=5",
      "SEQEND 'ROUTE D5' Color=4",
      "LINE 'B'", ""}));
  // clang-format on

  DrawingReading shifted(DxfBuilder().LwPolyline("ROUTE", {{5, 5}, {-8, 3}, {9, -2}}).Build());
  ASSERT_EQ(shifted.Types(), (Strings{"POLYLINE", "VERTEX", "VERTEX", "VERTEX", "SEQEND"}))
      << "complete at ENDSEC";
  EXPECT_EQ(shifted.At(3).X1, 13.0f) << "every vertex counts for the lowest X and Y";
  EXPECT_EQ(shifted.At(3).Y1, 7.0f);
}

TEST(ReadDxf, OnlyTheFirstEntitiesSectionIsRead) {
  // A layer named ENTITIES in the tables is not the section; what follows ENDSEC is not read.
  DrawingReading r("  0\nSECTION\n  2\nTABLES\n  0\nLAYER\n  2\nENTITIES\n 70\n0\n  0\nENDSEC\n" +
                   SectionText({{0, "LINE"}, {10, "4"}}) + "garbage\n" + SectionText({{0, "CIRCLE"}}));
  EXPECT_EQ(r.Dumps(), (Strings{"LINE X1=4", ""}));
}

TEST(ReadDxf, MissingEntitiesSectionFailsUnderItsOwnName) {
  DrawingReading r("  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n");
  EXPECT_EQ(r.file_name, "~");
  EXPECT_EQ(r.person.messages, Strings{"ENTITIES Section not found in  " + r.path + "    "});
  EXPECT_EQ(r.store.LastIndex(), 1) << "the store keeps its two blank records";
  EXPECT_TRUE(r.Failed());
  EXPECT_EQ(r.run.FailedFiles.size(), 1);
  EXPECT_EQ(r.run.FailedFiles[1], r.path);
}

TEST(ReadDxf, BrokenDrawingsFailWithTheirReason) {
  const std::string cut = SectionText({{0, "LINE"}, {8, "A"}}, false);
  const std::string ends = "DXF file ends before the end of its ENTITIES section: ";
  const std::pair<std::string, std::string> cases[] = {
      {cut, ends},
      {cut + " 10\n", ends},
      {std::string("AutoCAD Binary DXF\r\n\x1a\0\0\x01\x02", 25),
       "Only ASCII DXF drawings can be read; this one is a binary DXF: "}};
  for (const auto& [text, message] : cases) {
    DrawingReading r(text);
    EXPECT_TRUE(r.Failed()) << message;
    EXPECT_EQ(r.run.PendingMessage, message + r.path + "\r");
    EXPECT_EQ(r.run.FailedFiles.size(), 1);
    EXPECT_EQ(r.run.FailedFiles[1], r.path);
    EXPECT_TRUE(r.person.messages.empty());
  }
  DrawingReading missing;
  missing.path = (missing.scratch / "NONE.DXF").string();
  missing.Read();
  const std::string prefix = "Cannot open the drawing " + missing.path + ": ";
  EXPECT_EQ(missing.run.PendingMessage.rfind(prefix, 0), 0u) << missing.run.PendingMessage;
  EXPECT_GT(missing.run.PendingMessage.size(), prefix.size() + 1) << "the system's reason follows";
  EXPECT_EQ(missing.run.FailedFiles.size(), 1);
  DrawingReading directory;
  directory.path = directory.scratch.path().string();
  directory.Read();
  EXPECT_EQ(directory.run.FailedFiles.size(), 1);
}

TEST(ReadDxf, LineEndsOfEveryKindReadAlikeAndInPlace) {
  const DxfBuilder drawing = DxfBuilder().Line("A", 1, 2, 3, 4).Text("T", 5, 6, "hello");
  std::string cr = drawing.Build();
  for (char& c : cr) c = c == '\n' ? '\r' : c;
  for (const std::string& text : {drawing.Build(), drawing.Build(true), cr}) {
    DrawingReading r(text);
    EXPECT_EQ(r.Dumps(),
              (Strings{"LINE 'A' X1=1 Y1=2 X2=3 Y2=4", "TEXT 'T' X1=5 Y1=6 Radius=2.5 TextIndex=1", ""}));
    EXPECT_EQ(r.store.TextOf(r.At(3)), "hello");
    const auto files = std::filesystem::directory_iterator(r.scratch.path());
    EXPECT_EQ(std::distance(begin(files), end(files)), 1) << "no converted copy beside the drawing";
  }
}

TEST(ReadDxf, StopRequestAbandonsTheDrawing) {
  DrawingReading r;
  r.Write(DxfBuilder().Line("A", 0, 0, 1, 1).Line("B", 0, 0, 1, 1).Build());
  r.person.run = &r.run;
  r.person.stop_after_yields = 4;  // during the first LINE: one yield per group pair
  r.Read();
  EXPECT_TRUE(r.Failed());
  EXPECT_EQ(r.run.PendingMessage, " USER ABORTED \r");
  EXPECT_TRUE(r.run.FailedFiles.empty()) << "a stop request lists no failed file";
  EXPECT_EQ(r.store.LastIndex(), 2) << "the records read so far stay";
  EXPECT_EQ(r.person.yields, 4);
}

TEST(ReadDxf, TextsBeyondSixteenBitsStayRetrievable) {
  constexpr int kTexts = 33000;
  std::string text = "0\nSECTION\n2\nENTITIES\n";
  for (int i = 1; i <= kTexts; ++i) text += "0\nTEXT\n1\nT" + std::to_string(i) + '\n';
  DrawingReading r(text + "0\nENDSEC\n");
  const DrawingEntity& last = r.At(kTexts + 1);
  EXPECT_EQ(last.TextIndex, 32767) << "the 16-bit field is clamped, never wrapped";
  EXPECT_EQ(r.store.TextOf(last), "T" + std::to_string(kTexts));
  EXPECT_EQ(r.store.TextOf(r.At(32768 + 1)), "T32768");
}

}  // namespace
}  // namespace mq
