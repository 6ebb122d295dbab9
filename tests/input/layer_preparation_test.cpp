#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/layer_codes.h"

namespace mq {
namespace {

EntityStore StoreWithLayers(const std::vector<std::string>& layers) {
  EntityStore store;
  store.Reset();
  for (const std::string& layer : layers) {
    DrawingEntity e;
    e.EntityType = "LINE";
    e.Layer = layer;
    e.X1 = 42;
    store.Entities.push_back(e);
  }
  return store;
}

std::vector<std::string> LayersFrom(const EntityStore& store, int first = 2) {
  std::vector<std::string> layers;
  for (int i = first; i <= store.LastIndex(); ++i) {
    layers.push_back(store.Entities[static_cast<std::size_t>(i)].Layer.trimmed());
  }
  return layers;
}

std::string Substituted(const std::string& layer) {
  EntityStore store = StoreWithLayers({layer});
  SubstituteTwoLetterCodes(store);
  return store.Entities[2].Layer.trimmed();
}

std::vector<std::string> Prepared(const std::vector<std::string>& layers) {
  EntityStore store = StoreWithLayers(layers);
  SubstituteTwoLetterCodes(store);
  PrepareLayers(store);
  return LayersFrom(store);
}

std::string Code(char c) { return std::string(" ") + c; }

TEST(SubstituteTwoLetterCodes, ReplacesEachCodeKeepingPositions) {
  struct Case {
    std::string layer;
    std::string substituted;
  };
  const Case cases[] = {
      {"ROUTE FA1 FD2 FR3 LD4", "ROUTE " + Code(code_char::FA) + "1 " + Code(code_char::FD) + "2 " +
                                    Code(code_char::FR) + "3 " + Code(code_char::LD) + "4"},
      {"ROUTE RO1 RI2 PD3 ES4 EX5 OZ6", "ROUTE " + Code(code_char::RO) + "1 " + Code(code_char::RI) + "2 " +
                                            Code(code_char::PD) + "3 " + Code(code_char::ES) + "4 " +
                                            Code(code_char::ES) + "5 " + Code(code_char::OZ) + "6"},
      {"ROUTE XP5 YP6", "ROUTE  Z5  Z6"},
      {"ROUTE FAFD", "ROUTE " + Code(code_char::FA) + Code(code_char::FD)},
      {"ROUTE ROZ5", "ROUTE R" + Code(code_char::OZ) + "5"},
      {"ROUTE ROZ5 RO3", "ROUTE R" + Code(code_char::OZ) + "5 " + Code(code_char::RO) + "3"},
      {"ROUTE FA1 FA2 FA3", "ROUTE " + Code(code_char::FA) + "1 " + Code(code_char::FA) + "2 " +
                                Code(code_char::FA) + "3"},
      {"EXCAV", "EXCAV"},           // codes are looked for from position 6
      {"ROUTE", "ROUTE"},
      {"FAFDX", "FAFDX"},
  };
  for (const Case& c : cases) EXPECT_EQ(Substituted(c.layer), c.substituted) << c.layer;
}

TEST(SubstituteTwoLetterCodes, RaisesTheLeadFlagOnlyForLd) {
  EntityStore store = StoreWithLayers({"ROUTE D5", "ROUTE LD3"});
  store.Current.LeadCodeSeen = true;
  SubstituteTwoLetterCodes(store);
  EXPECT_TRUE(store.Current.LeadCodeSeen);
  EntityStore none = StoreWithLayers({"ROUTE D5"});
  none.Current.LeadCodeSeen = true;
  SubstituteTwoLetterCodes(none);
  EXPECT_FALSE(none.Current.LeadCodeSeen) << "cleared at the start";
}

TEST(SubstituteTwoLetterCodes, LeavesNeverAssignedLayersAlone) {
  EntityStore store = StoreWithLayers({"ROUTE FA1"});
  SubstituteTwoLetterCodes(store);
  EXPECT_TRUE(store.Entities[1].Layer.never_assigned());
}

TEST(PrepareLayers, BorderWithDollarAlsoYieldsARouteAlongIt) {
  EXPECT_EQ(Prepared({"BORDER D18$T3 D5"}), (std::vector<std::string>{"BORDER D18", "ROUTET3 D5"}));
}

TEST(PrepareLayers, RenumbersRoutesAndExcavations) {
  EXPECT_EQ(Prepared({"ROUTE1", "ROUTE3 D5", "EXCAV12 T2", "ROUTE", "ROUTE D5", "VBORE3", "ROUTE-1"}),
            (std::vector<std::string>{"ROUTE20", "ROUTE40 D5", "EXCAV130 T2", "ROUTE", "ROUTE D5", "VBORE3",
                                      "ROUTE0"}));
}

TEST(PrepareLayers, RenumberingReplacesTheNumberWhereItWasWritten) {
  EXPECT_EQ(Prepared({"ROUTE 3 D5", "ROUTE03 D5", "ROUTE1234"}),
            (std::vector<std::string>{"ROUTE40 D5", "ROUTE40 D5", "ROUTE12404"}));
}

TEST(PrepareLayers, SplitsOperationsAtDollar) {
  EXPECT_EQ(Prepared({"ROUTE3 D5 F3000 T3$D10"}),
            (std::vector<std::string>{"ROUTE40 D5 F3000 T3", "ROUTE41D10T3"}));
}

TEST(PrepareLayers, SplitCopyIsAWholeCopyOfTheRecord) {
  EntityStore store = StoreWithLayers({"ROUTE3 D5$D10"});
  SubstituteTwoLetterCodes(store);
  PrepareLayers(store);
  ASSERT_EQ(store.LastIndex(), 3);
  EXPECT_EQ(store.Entities[3].X1, 42);
  EXPECT_EQ(store.Entities[3].EntityType, "LINE      ");
  EXPECT_EQ(store.Entities[3].Layer.view().substr(0, 15), "ROUTE41D10     ")
      << "the copy's name ends in the last character of the name, a blank";
}

TEST(PrepareLayers, SplitsByHead) {
  struct Case {
    std::string layer;
    std::vector<std::string> prepared;
  };
  const Case cases[] = {
      {"EXCAV2 D5$D8", {"EXCAV30 D5", "EXCAV31D8"}},
      {"ROUTE D5$D8", {"ROUTE1 D5", "ROUTE2D8"}},  // no number: 1 and 2
      {"VBORE D8 T4$D5", {"VBORE D8 T4", "VBORED5"}},
      {"GROOVE D4$D6", {"GROOVE D4", "GROOVED6"}},
      {"DRILLING D5$D3", {"DRILLING D5", "DRILLINGD3"}},
      {"HBORE D5$D3", {"HBORE D5", "HBORED3"}},
      {"PANEL$X", {"PANEL$X"}},  // a head that cannot be split keeps its "$"
  };
  for (const Case& c : cases) EXPECT_EQ(Prepared({c.layer}), c.prepared) << c.layer;
}

TEST(PrepareLayers, NextOperationInheritsZGAndTool) {
  EXPECT_EQ(Prepared({"ROUTE2 D5 F300 T3 Z12 G2$D10"}),
            (std::vector<std::string>{"ROUTE30 D5 F300 T3 Z12 G2", "ROUTE31D10Z12G2T3"}));
  EXPECT_EQ(Prepared({"ROUTE2 D5 T3$D10"}), (std::vector<std::string>{"ROUTE30 D5 T3", "ROUTE31D10"}))
      << "the operation's text is read like a layer name: a T before its position 5 is not seen";
  EXPECT_EQ(Prepared({"ROUTE2 D5 F300 T3$D10 T4"}),
            (std::vector<std::string>{"ROUTE30 D5 F300 T3", "ROUTE31D10 T4"}))
      << "a tool of its own is not overridden";
  EXPECT_EQ(Prepared({"ROUTE2 D5 F300 ZD$D10"}),
            (std::vector<std::string>{"ROUTE30 D5 F300 ZD", "ROUTE31D10Z100"}));
  EXPECT_EQ(Prepared({"ROUTE2 Z5$D10"}), (std::vector<std::string>{"ROUTE30 Z5", "ROUTE31D10"}))
      << "codes within the first five characters of the operation's text are not seen";
  EXPECT_EQ(Prepared({"VBORE D8 T4 G1$D5"}), (std::vector<std::string>{"VBORE D8 T4 G1", "VBORED5G1"}))
      << "only routes and excavations inherit the tool";
}

TEST(PrepareLayers, SplitsEveryDollarInPasses) {
  EXPECT_EQ(Prepared({"ROUTE2 D5$D8$D12"}),
            (std::vector<std::string>{"ROUTE30 D5", "ROUTE31D8", "ROUTE32D12"}));
}

TEST(PrepareLayers, InheritsNothingFromTheEntityLoadedLast) {
  EntityStore store = StoreWithLayers({"ROUTE2 D5$D10"});
  store.Current.EntLayer = "ROUTE T9 Z4 G7";
  store.Current.ParamOverride = "NOTE1 T8";
  SubstituteTwoLetterCodes(store);
  PrepareLayers(store);
  EXPECT_EQ(LayersFrom(store), (std::vector<std::string>{"ROUTE30 D5", "ROUTE31D10"}));
  EXPECT_EQ(store.Current.ParamOverride, "") << "emptied at the end";
}

TEST(PrepareLayers, CodesSubstitutedBeforeSplittingStayCodes) {
  const std::vector<std::string> prepared = Prepared({"ROUTE1 FD300 F900$RI5"});
  ASSERT_EQ(prepared.size(), 2u);
  EXPECT_EQ(prepared[0], "ROUTE20 " + Code(code_char::FD) + "300 F900");
  EXPECT_EQ(prepared[1], "ROUTE21" + Code(code_char::RI) + "5");
}

}  // namespace
}  // namespace mq
