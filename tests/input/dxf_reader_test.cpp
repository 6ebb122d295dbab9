// The DXF reader: every group in its field, names, polylines, faces, the shift into the
// positive quadrant, broken drawings; and robustness: lines of any length with any line
// ends, real drawings of other programs, mutated drawings and random garbage read to an
// end without crashing, hanging or reading out of bounds (run under the sanitizers).

#include "input/dxf_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "input/dxf_lines.h"
#include "support/dxf_builder.h"
#include "support/recording_operator.h"

namespace mq {
namespace {

namespace fs = std::filesystem;
using test::DxfBuilder;
using test::DxfGroup;
using Strings = std::vector<std::string>;
using namespace std::string_literals;

// One record as a line of text: its type, its layer in quotes, and every field that is
// not zero by name (six significant digits); a face or layer only when ever assigned.
std::string Dump(const DrawingEntity& e) {
  std::ostringstream s;
  s << e.EntityType.trimmed() << (e.Layer.never_assigned() ? "" : " '" + e.Layer.trimmed() + "'");
  // clang-format off
  const std::pair<const char*, double> fields[] = {
      {"X1", e.X1}, {"Y1", e.Y1}, {"X2", e.X2}, {"Y2", e.Y2}, {"Z1", e.Z1}, {"Z2", e.Z2},
      {"Elevation", e.Elevation}, {"Thickness", e.Thickness}, {"Radius", e.Radius}, {"Width41", e.Width41},
      {"Bulge", e.Bulge}, {"StartAngle", e.StartAngle}, {"EndAngle", e.EndAngle}, {"Color", e.Color},
      {"Flags", e.Flags}, {"Justify", e.Justify}, {"FollowFlag", e.FollowFlag}, {"TextIndex", e.TextIndex}};
  for (const auto& [name, value] : fields) if (value != 0) s << ' ' << name << '=' << value;
  // clang-format on
  return s.str() + (e.Face.never_assigned() ? "" : " Face=" + e.Face.trimmed());
}

struct DrawingReading {
  DrawingReading() = default;
  explicit DrawingReading(const std::string& dxf_text) { Read(dxf_text); }

  void Read(const std::string& dxf_text) {
    std::ofstream(path, std::ios::binary) << dxf_text;
    ReadFile();
  }
  void ReadFile() { ReadDxf(file_name = path, store, run); }
  const DrawingEntity& At(int index) const { return store.Entities.at(static_cast<std::size_t>(index)); }
  // Every record from the first entity's (index 2) to the last, as Dump writes it.
  std::vector<std::string> Dumps() const {
    std::vector<std::string> dumps;
    for (int i = 2; i <= store.LastIndex(); ++i) dumps.push_back(Dump(At(i)));
    return dumps;
  }

  test::ScratchDirectory scratch{"reader"};
  test::RecordingOperator person;
  RunContext run{person};
  EntityStore store;
  std::string path = (scratch / "DRAWING.DXF").string(), file_name;
};

// A minimal file whose ENTITIES section holds the given raw group pairs.
std::string SectionText(const std::vector<DxfGroup>& groups, bool with_endsec = true) {
  std::string text = "  0\nSECTION\n  2\nENTITIES\n";
  for (const DxfGroup& g : groups) text += std::to_string(g.code) + "\n" + g.value + "\n";
  return text + (with_endsec ? "  0\nENDSEC\n  0\nEOF\n" : "");
}

// Integers round halves to even; 72 and 73 add up (round(0 + 1.5) = 2, then 2 + 2), 75
// replaces; a SOLID's corners 12, 13, 22, 23 take the places of 40, 41, 50, 51. The
// first entity is at index 2; the drawing is read in place, with no copy beside it.
TEST(ReadDxf, EveryGroupOfTheTableLandsInItsField) {
  // clang-format off
  DrawingReading r(SectionText({
      {0, "LINE"}, {8, "a"}, {10, "1"}, {20, "2"}, {11, "3"}, {21, "4"}, {30, "5"}, {31, "6"}, {38, "7"},
      {39, "8"}, {40, "9"}, {41, "10"}, {42, "11"}, {50, "12"}, {51, "13"}, {62, "2.5"}, {70, "3.5"}, {66, "1"},
      {72, "1.5"}, {73, "2"}, {0, "solid"}, {12, " 14 "}, {13, "15"}, {22, "16"}, {23, "17"}, {75, "6.5"},
      {5, "99"}, {999, "99"}}));
  EXPECT_EQ(r.Dumps(), (Strings{"LINE 'A' X1=1 Y1=2 X2=3 Y2=4 Z1=5 Z2=6 Elevation=7 Thickness=8 Radius=9 Width41=10 "
                                "Bulge=11 StartAngle=12 EndAngle=13 Color=2 Flags=4 Justify=4 FollowFlag=1",
                                "SOLID Radius=14 Width41=15 StartAngle=16 EndAngle=17 Justify=6", ""}));
  // clang-format on
  EXPECT_TRUE(r.At(1).Layer.never_assigned());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(r.scratch.path()), {}), 1);
}

// A cp1252 name is upper-cased in its code page; only types holding TEXT keep a text; the
// title text marks the instruction layer of this drawing only. A POLYLINE gives its
// layer to its vertices and its colour to its SEQEND.
TEST(ReadDxf, NamesTextsInstructionLayerAndPolylines) {
  // clang-format off
  DrawingReading r(SectionText({{0, "text"}, {8, "  route d12  "}, {1, " first "}, {0, "ACAD_PROXY_ENTITY"},
                                {8, "t\xFC" "r"}, {1, "not a text"}, {0, "MTEXT"}, {8, "inst t5"}, {1, "post instructions"}}));
  // clang-format on
  EXPECT_EQ(r.Dumps(), (Strings{"TEXT 'ROUTE D12' TextIndex=1", "ACAD_PROXY 'T\xDCR'",
                                "MTEXT 'INST T5' TextIndex=2", ""}));
  EXPECT_EQ(r.At(2).Layer.str(), "ROUTE D12" + std::string(114 - 9, ' '));
  EXPECT_EQ(r.store.EntityTexts, (Strings{"", " first ", "post instructions"}));
  EXPECT_EQ(r.store.InstructionLayer, "INSTT5");
  // clang-format off
  r.Read(DxfBuilder().Polyline("ROUTE D12", {{0, 0}, {10, 0}}, 0, {{62, "3"}}).Text("I", 0, 0, "POST INSTRUCTIONS ").Build());
  // clang-format on
  EXPECT_EQ(r.Dumps(), (Strings{"POLYLINE 'ROUTE D12' Color=3 FollowFlag=1", "VERTEX 'ROUTE D12'",
                                "VERTEX 'ROUTE D12' X1=10", "SEQEND '0' Color=3",
                                "TEXT 'I' Radius=2.5 TextIndex=1", ""}));
  EXPECT_EQ(r.store.InstructionLayer, "")
      << "a near miss is no title, and the last drawing's does not carry over";
}

// Every record moves, the blank ENDSEC record too; SOLID corners of group 12 do not. Any
// extrusion group, or a SOLID on layer PANEL itself, keeps the drawing where it is.
TEST(ReadDxf, ShiftsOnlyWhenTheLowestPointRoundsBelowZero) {
  EXPECT_EQ(DrawingReading(DxfBuilder().Line("A", -0.4, 0, 10, 5).Build()).Dumps()[0],
            "LINE 'A' X1=-0.4 X2=10 Y2=5");
  DrawingReading r(DxfBuilder().Line("A", -0.6, 2, 10, 5, {{12, "-7"}}).Circle("B", 3, 4, 1).Build());
  EXPECT_EQ(r.Dumps(), (Strings{"LINE 'A' Y1=2 X2=10.6 Y2=5 Radius=-7",
                                "CIRCLE 'B' X1=3.6 Y1=4 X2=0.6 Radius=1", " X1=0.6 X2=0.6"}));
  const std::pair<DxfBuilder, float> unmoved[] = {
      {DxfBuilder().Line("A", -50, -20, 10, 5).Line("B", 0, 0, 1, 1, {{210, "0"}}), -50},
      {DxfBuilder().Solid("PANEL", -5, -5, 100, -5, 100, 50), -5},
      {DxfBuilder().Solid("PANELS", -5, -5, 100, -5, 100, 50), 0}};
  for (const auto& [drawing, x1] : unmoved) EXPECT_EQ(DrawingReading(drawing.Build()).At(2).X1, x1) << x1;
}

// On equal magnitudes the earlier axis wins; all zero gives no face; the LINE after it
// keeps a blank face. An LWPOLYLINE is read as POLYLINE, VERTEX records and SEQEND: its
// constant width is start and end width, its elevation every vertex's Z; its
// extrusion forbids the shift and gives the vertices their face; its layer ends with its
// SEQEND.
TEST(ReadDxf, ExtrusionDirectionGivesTheFaceAndLwPolylinesTheirVertices) {
  // clang-format off
  const std::tuple<const char*, const char*, const char*, const char*> faces[] = {
      {"0", "0", "-1", "5"}, {"0", "0", "1", "5"}, {"0.7", "0.7", "0", "3"}, {"-1", "0", "0", "4"},
      {"0", "-1", "0", "2"}, {"0", "1", "0", "1"}, {"0.5", "-0.5", "0.5", "3"}, {"0", "0", "0", ""}};
  for (const auto& [x, y, z, face] : faces) {
    DrawingReading r(DxfBuilder().Arc("A", 5, 5, 1, 0, 90, {{210, x}, {220, y}, {230, z}}).Line("B", 0, 0, 1, 1).Build());
    EXPECT_EQ(r.At(2).Face.trimmed() + (r.At(3).Face.never_assigned() ? "" : "?"), face) << x << "," << y << "," << z;
  }
  DrawingReading r(SectionText({{0, "LWPOLYLINE"}, {8, "route d5"}, {62, "4"}, {90, "3"}, {70, "1"},
                                {43, "2.5"}, {38, "-3"}, {39, "7"}, {10, "-10"}, {20, "1"}, {42, "0.5"},
                                {10, "20"}, {20, "-4"}, {40, "1"}, {41, "2"}, {10, "30"}, {20, "8"},
                                {210, "0"}, {220, "0"}, {230, "-1"}, {0, "LINE"}, {8, "B"}}));
  EXPECT_EQ(r.Dumps(), (Strings{
      "POLYLINE 'ROUTE D5' Elevation=-3 Thickness=7 Radius=2.5 Width41=2.5 Color=4 Flags=1 FollowFlag=1 Face=5",
      "VERTEX 'ROUTE D5' X1=-10 Y1=1 Z1=-3 Bulge=0.5 Face=5", "VERTEX 'ROUTE D5' X1=20 Y1=-4 Z1=-3 Radius=1 Width41=2 Face=5",
      "VERTEX 'ROUTE D5' X1=30 Y1=8 Z1=-3 Face=5", "SEQEND 'ROUTE D5' Color=4", "LINE 'B'", ""}));
  // clang-format on
}

// Each fails the drawing under its own name with its reason (a drawing that cannot be
// opened too: the inspect command's test); a missing ENTITIES section is also shown in a
// message box and the file name becomes "~". What follows the first
// ENTITIES section is not read; a layer named ENTITIES in the tables is no section.
TEST(ReadDxf, BrokenDrawingsFailWithTheirReason) {
  const std::string cut = SectionText({{0, "LINE"}, {8, "A"}}, false);
  const std::string ends = "DXF file ends before the end of its ENTITIES section: % (line ";
  const std::tuple<std::string, std::string, bool> cases[] = {
      {cut, ends + "8)", false},
      {cut + " 10\n", ends + "9)", false},
      {std::string("AutoCAD Binary DXF\r\n\x1a\0\0\x01\x02", 25),
       "Only ASCII DXF drawings can be read; this one is a binary DXF: %", false},
      {"  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n", "ENTITIES Section not found in  %    ", true}};
  for (auto [text, message, box] : cases) {
    DrawingReading r(text);
    message.replace(message.find('%'), 1, r.path);
    EXPECT_EQ(r.run.PendingMessage + (r.file_name == "~" ? "~" : ""), message + "\r" + (box ? "~" : ""));
    EXPECT_EQ(r.person.messages, box ? Strings{message} : Strings{});
    EXPECT_EQ(r.run.FailedFiles.raw(), Strings{r.path}) << "failed under its own name";
  }
  DrawingReading r("  0\nSECTION\n  2\nTABLES\n  0\nLAYER\n  2\nENTITIES\n 70\n0\n  0\nENDSEC\n" +
                   SectionText({{0, "LINE"}, {10, "4"}}) + "garbage\n" + SectionText({{0, "CIRCLE"}}));
  EXPECT_EQ(r.Dumps(), (Strings{"LINE X1=4", ""}));
}

// A stop request lists no failed file; the records read so far stay. The 16-bit text
// index is clamped, never wrapped, and every text is still found.
TEST(ReadDxf, StopRequestAndTextsBeyondSixteenBits) {
  DrawingReading r;
  r.person.run = &r.run;
  r.person.stop_after_yields = 4;  // during the first LINE: one yield per group pair
  r.Read(DxfBuilder().Line("A", 0, 0, 1, 1).Line("B", 0, 0, 1, 1).Build());
  EXPECT_EQ(r.run.PendingMessage + std::to_string(r.run.FailedFiles.size() + r.store.LastIndex()),
            " USER ABORTED \r2");
  std::string text = "0\nSECTION\n2\nENTITIES\n";
  for (int i = 1; i <= 33000; ++i) text += "0\nTEXT\n1\nT" + std::to_string(i) + '\n';
  DrawingReading many(text + "0\nENDSEC\n");
  EXPECT_EQ(many.At(33001).TextIndex, 32767);
  EXPECT_EQ(many.store.TextOf(many.At(33001)) + many.store.TextOf(many.At(32769)), "T33000T32768");
}

// A CR LF split by a block end is one line end; a line longer than a block comes whole.
// (The line ends are tested here only: the reader reads its lines from this reader.)
TEST(DxfLineReader, SplitsAtEveryKindOfLineEnd) {
  constexpr std::size_t kBlock = std::size_t{1} << 20;  // the reader's block size
  const std::string a_block(kBlock - 1, 'a'), huge(3 * kBlock + 17, 'z');
  // clang-format off
  const std::pair<std::string, Strings> cases[] = {
      {"", {}}, {"a", {"a"}}, {"a\nb", {"a", "b"}}, {"a\r\nb\r\n", {"a", "b"}}, {"a\rb\r", {"a", "b"}},
      {"a\r\rb", {"a", "", "b"}}, {"a\r\r\nb", {"a", "", "b"}}, {"\n\n", {"", ""}},
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}}, {a_block + "\r\nb\n", {a_block, "b"}},
      {a_block + "a\r\nb\n", {a_block + "a", "b"}}, {a_block + "aa\r\nb\n", {a_block + "aa", "b"}},
      {"a\n" + huge + "\nb", {"a", huge, "b"}}};
  // clang-format on
  test::ScratchDirectory dir("lines");
  for (const auto& [content, expected] : cases) {
    std::ofstream(dir / "LINES.DXF", std::ios::binary) << content;
    DxfLineReader reader;
    std::string error;
    ASSERT_TRUE(reader.Open((dir / "LINES.DXF").string(), error)) << error;
    Strings lines;
    for (std::string_view line; reader.Next(line);) lines.emplace_back(line);
    EXPECT_EQ(lines, expected) << content.substr(0, 20);
    EXPECT_EQ(reader.LineNumber(), static_cast<int64_t>(lines.size()));
    EXPECT_EQ(reader.BytesConsumed(), content.size());
  }
}

// Real drawings of other programs (MARQUILL_CORPUS_DIR). Entity counts of a few files; the
// LWPOLYLINE of four vertices of the R2018 sample becomes POLYLINE, 4 VERTEX and SEQEND.
TEST(DxfCorpus, EveryDrawingReadsOrFailsCleanly) {
  const fs::path corpus(MARQUILL_CORPUS_DIR);
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  // clang-format off
  const std::map<std::string, std::string> known = {
      {"gear_r12_polyline_bulges.dxf", "POLYLINE255 SEQEND255 VERTEX2852 "}, {"openscad_cnc_layout_noheader.dxf", "LINE2088 "},
      {"acad_r2018_sample.dxf", "CIRCLE1 LINE3 POLYLINE1 SEQEND1 TEXT1 VERTEX4 "}, {"r12_trash_beyond_eof.dxf", "CIRCLE1 "}};
  // clang-format on
  int drawings = 0, counted = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
    const std::string name = entry.path().filename().string();
    if (!name.ends_with(".dxf")) continue;
    DrawingReading r;
    r.path = entry.path().string(), ++drawings;
    r.ReadFile();
    const bool binary = name.starts_with("binary_");
    EXPECT_EQ(r.run.FileFailed, binary) << name << ": " << r.run.PendingMessage;
    EXPECT_TRUE(binary ? r.run.PendingMessage.find("binary DXF") != std::string::npos
                       : r.store.LastIndex() > 2 && r.store.Entities.back().IsBlank())
        << name;
    if (binary || known.count(name) == 0) continue;
    std::map<std::string, int> types;
    for (const DrawingEntity& e : r.store.Entities) types[e.EntityType.trimmed()] += !e.IsBlank();
    std::string counts;
    for (const auto& [type, n] : types) counts += n ? type + std::to_string(n) + " " : "";
    EXPECT_EQ(counts, known.at(name)) << name;
    ++counted;
  }
  EXPECT_EQ(std::to_string(counted) + (drawings > 30 ? " of many" : ""), "4 of many");
}

// Mutated drawings (one to eight mutations: a byte changed, bytes inserted or deleted, a
// run doubled, the file cut, or junk spliced in) and, every eighth run, random bytes
// mostly forming group pairs: whatever was read, the invariants of the store hold.
TEST(DxfRobustness, MutatedDrawingsAndRandomBytesReadToAnEnd) {
  // clang-format off
  const std::string sample = DxfBuilder().Rectangle("BORDER", -10, -5, 600, 400)
      .Polyline("ROUTE3 D5 F3000 T3$D10", {{10, 10, 0.5}, {50, 10}, {50, 60}}, 1, {{62, "3"}})
      .LwPolyline("EXCAV D4", {{100, 100, 1}, {120, 100}}, 1, {{210, "0"}, {220, "0"}, {230, "-1"}})
      .Text("POST", 0, 0, "POST INSTRUCTIONS").Circle("VBORE12 D8", 30, 40, 4).Solid("PANEL", 0, 0, 600, 0, 600, 400)
      .Build(true);
  const char* const junk[] = {"\n0\n", "\n8\n", "\r", "\0", "\n10\n1e999999\n", "\n1\n", "\nENDSEC\n",
                              "\nLWPOLYLINE\n", "\n  0\nSECTION\n  2\nENTITIES\n"};
  const char alphabet[] = "0123456789\n\n\n\r -.E";
  std::mt19937 random(7);
  DrawingReading r;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int runs = 0;
  for (; runs < 460 && std::chrono::steady_clock::now() < deadline; ++runs) {
    std::string text = runs % 8 ? sample : "0\nSECTION\n2\nENTITIES\n";
    for (std::size_t i = runs % 8 ? 0 : random() % 20000; i > 0; --i)
      text += random() % 4 ? alphabet[random() % (sizeof alphabet - 1)] : static_cast<char>(random() % 256);
    for (int m = runs % 8 ? 1 + static_cast<int>(random() % 8) : 0; m > 0 && !text.empty(); --m) {
      const std::size_t at = random() % text.size();
      switch (random() % 6) {
        case 0: text[at] = static_cast<char>(random() % 256); break;
        case 1: text.insert(at, std::string(1 + random() % 4, static_cast<char>(random() % 256))); break;
        case 2: text.erase(at, 1 + random() % 16); break;
        case 3: text.insert(at, text.substr(at, random() % 64)); break;
        case 4: text.resize(at); break;
        default: text.insert(at, junk[random() % std::size(junk)]);
      }
    }
    // clang-format on
    r.run.FileFailed = false;
    r.Read(text);
    ASSERT_GE(r.store.LastIndex(), 1);
    for (const DrawingEntity& e : r.store.Entities)
      ASSERT_LT(e.TextNumber, static_cast<int32_t>(r.store.EntityTexts.size()));
    ASSERT_TRUE(r.run.FileFailed || r.store.Entities.back().IsBlank());
  }
  EXPECT_GT(runs, 50);
}

// Numbers beyond the float range, or none, read as 0; integers are clamped, not
// wrapped; names and types are cut; a tiny file fails.
TEST(DxfRobustness, AbsurdValuesAreTakenCalmly) {
  const std::string long_line(200000, '9');
  // clang-format off
  DrawingReading r(SectionText({{0, "TEXT"}, {8, std::string(5000, 'l')}, {1, long_line}, {10, long_line},
                                      {20, "-" + long_line}, {11, "nan"}, {62, "1e30"}, {70, "-1e30"},
                                      {72, "nan"}, {0, std::string(300, 'X')}}));
  // clang-format on
  EXPECT_EQ(r.Dumps(), (Strings{"TEXT '" + std::string(114, 'L') + "' Color=32767 Flags=-32768 TextIndex=1",
                                "XXXXXXXXXX", ""}));
  EXPECT_EQ(r.store.TextOf(r.At(2)), long_line);
  for (const std::string& text : {""s, "\n"s, "0"s, "ENTITIES"s, "SECTION\n2\nENTITIES"s, "\0\0\0"s})
    EXPECT_TRUE(DrawingReading(text).run.FileFailed) << "the tiny file '" << text << "' fails";
}

}  // namespace
}  // namespace mq
