// LAYER and COLOR instructions move entities to other layers before anything reads them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/driver_harness.h"
#include "engine/store_scan.h"

namespace mq {
namespace {

using test::Drawing;
using test::DxfBuilder;

// The trimmed layer names of the records of one entity type, in store order.
std::vector<std::string> LayersOf(const EntityStore& store, const std::string& type) {
  std::vector<std::string> layers;
  for (int i = kFirstScanIndex; i <= store.LastIndex(); ++i) {
    const DrawingEntity& e = store.Entities[static_cast<std::size_t>(i)];
    if (EntityTypeName(e) == type) layers.push_back(TrimmedLayerName(e));
  }
  return layers;
}

TEST(ColourAliases, APolylineTakesAllItsVerticesToTheAliasLayer) {
  DxfBuilder dxf;
  dxf.Polyline("0", {{0, 0}, {100, 0}, {100, 100}}, 1, {{62, "3"}});
  dxf.Line("0", 0, 0, 10, 10);  // colour 0: not moved, and it ends the polyline's run
  dxf.Line("0", 0, 0, 10, 10, {{62, "3"}});
  Drawing d(test::WithInstructions(dxf, {"COLOR 3=route t5"}));
  ScanInstructions(d.c);
  EXPECT_EQ(LayersOf(d.store, "POLYLINE"), (std::vector<std::string>{"ROUTE T5"}));
  EXPECT_EQ(LayersOf(d.store, "VERTEX"), (std::vector<std::string>(3, "ROUTE T5")));
  EXPECT_EQ(LayersOf(d.store, "LINE"), (std::vector<std::string>{"0", "ROUTE T5"}));
  EXPECT_TRUE(d.state.PlacedNotes.empty());
}

TEST(ColourAliases, ALayerAloneTakesTheColourOfTheInstructionText) {
  DxfBuilder dxf;
  dxf.Line("0", 0, 0, 10, 10, {{62, "5"}});
  dxf.Line("0", 0, 0, 10, 10, {{62, "6"}});
  dxf.Text("INSTR", 0, 0, "MARQUILL400 INSTRUCTIONS");
  dxf.Text("INSTR", 0, 0, "COLOR  route t6 ", {{62, "5"}});
  Drawing d(dxf);
  ScanInstructions(d.c);
  ASSERT_EQ(d.state.ColorAliases.size(), 1);
  EXPECT_EQ(d.state.ColorAliases[1].first, "5");
  EXPECT_EQ(d.state.ColorAliases[1].second, "ROUTE T6");
  EXPECT_EQ(LayersOf(d.store, "LINE"), (std::vector<std::string>{"ROUTE T6", "0"}));
}

TEST(ColourAliases, TheInstructionTextIsClearedSoNothingTakesItForANote) {
  Drawing d(test::WithInstructions(DxfBuilder(), {"COLOR 3=ROUTE"}));
  ScanInstructions(d.c);
  int cleared = 0;
  for (int i = kFirstScanIndex; i <= d.store.LastIndex(); ++i) {
    const DrawingEntity& e = d.store.Entities[static_cast<std::size_t>(i)];
    if (EntityTypeName(e) == "TEXT" && d.store.TextOf(e).empty()) ++cleared;
  }
  EXPECT_EQ(cleared, 1);
}

TEST(LayerAliases, AnExactLayerNameMovesAndTheFirstAliasWins) {
  DxfBuilder dxf;
  dxf.Line("ROUTE1", 0, 0, 10, 0);
  dxf.Line("ROUTE10", 0, 0, 10, 0);
  dxf.Line("ROUTE2", 0, 0, 10, 0);
  Drawing d(test::WithInstructions(
      dxf, {"LAYER route1 = route t9", "LAYER ROUTE1=ROUTE T8", "LAYER ROUTE2", "LAYER=ROUTE2=ROUTE T7"}));
  ScanInstructions(d.c);
  EXPECT_EQ(LayersOf(d.store, "LINE"), (std::vector<std::string>{"ROUTE T9", "ROUTE10", "ROUTE T7"}));
}

TEST(Aliases, LayersAreRewrittenBeforeTheirCodesAreSubstituted) {
  DxfBuilder dxf;
  dxf.Line("0", 0, 0, 10, 0, {{62, "2"}});
  Drawing d(test::WithInstructions(dxf, {"COLOR 2=ROUTE FD3000 F6000"}));
  ScanInstructions(d.c);
  const std::vector<std::string> layers = LayersOf(d.store, "LINE");
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(layers[0].find("FD"), std::string::npos) << "the FD code of the alias layer is substituted";
}

}  // namespace
}  // namespace mq
