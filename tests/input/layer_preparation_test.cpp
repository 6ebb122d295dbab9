#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "input/drawing_text.h"
#include "input/layer_codes.h"

namespace mq {
namespace {

using Names = std::vector<std::string>;

// A store of LINEs on `layers` after code substitution.
EntityStore StoreOf(const Names& layers) {
  EntityStore store;
  store.Reset();
  for (const std::string& layer : layers) {
    DrawingEntity& e = store.Entities.emplace_back();
    e.EntityType = "LINE", e.Layer = layer, e.X1 = 42;
  }
  SubstituteTwoLetterCodes(store);
  return store;
}

// The layer names after code substitution and, with `split`, layer preparation.
Names Prepared(const Names& layers, bool split = true) {
  EntityStore store = StoreOf(layers);
  if (split) PrepareLayers(store);
  Names prepared;
  for (std::size_t i = 2; i < store.Entities.size(); ++i)
    prepared.push_back(store.Entities[i].Layer.trimmed());
  return prepared;
}

// The two characters that stand for a two-letter code.
std::string Code(char c) { return std::string(" ") + c; }

// Codes are looked for from position 6; ROZ is R and OZ. LeadCodeSeen is cleared at the
// start and raised by LD only; the blank record stays untouched. The code characters are
// bytes UTF-8 text never holds, and UTF-8 names keep their bytes when upper-cased.
TEST(SubstituteTwoLetterCodes, ReplacesEachCodeKeepingPositions) {
  using namespace code_char;
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {"ROUTE FA1 FD2 FR3 LD4", "ROUTE " + Code(FA) + "1 " + Code(FD) + "2 " + Code(FR) + "3 " + Code(LD) + "4"},
      {"ROUTE RO1 RI2 PD3 ES4 EX5 OZ6", "ROUTE " + Code(RO) + "1 " + Code(RI) + "2 " + Code(PD) + "3 " + Code(ES) + "4 " +
                                            Code(ES) + "5 " + Code(OZ) + "6"},
      {"ROUTE XP5 YP6", "ROUTE  Z5  Z6"}, {"ROUTE FAFD", "ROUTE " + Code(FA) + Code(FD)},
      {"ROUTE ROZ5 RO3", "ROUTE R" + Code(OZ) + "5 " + Code(RO) + "3"}, {"FAFDX", "FAFDX"}};
  // clang-format on
  for (const auto& [layer, substituted] : cases)
    EXPECT_EQ(Prepared({layer}, false), Names{substituted}) << layer;
  EntityStore plain = StoreOf({"ROUTE D5", "ROUTE FA1"}), lead = StoreOf({"ROUTE LD3"});
  plain.Current.LeadCodeSeen = true;
  SubstituteTwoLetterCodes(plain);
  EXPECT_EQ(std::to_string(plain.Current.LeadCodeSeen) + std::to_string(lead.Current.LeadCodeSeen), "01");
  EXPECT_TRUE(plain.Entities[1].Layer.never_assigned());
  EXPECT_EQ(UpperCaseDrawingText("grav\xC3\xADr"), "GRAV\xC3\xADR");
}

// A border outline also yields a route along it. ROUTE and EXCAV numbers n become
// 10n + 10 where they were written; a split without number gives 1 and 2. Z, G and (for
// routes and excavations) T of the first operation's own text, read from its position 5
// on, go to the next unless it has a tool of its own.
TEST(PrepareLayers, SplitsAndRenumbersOperations) {
  // clang-format off
  const std::pair<Names, Names> cases[] = {
      {{"BORDER D18$T3 D5"}, {"BORDER D18", "ROUTET3 D5"}},
      {{"ROUTE1", "ROUTE3 D5", "EXCAV12 T2", "ROUTE", "ROUTE D5", "VBORE3", "ROUTE-1"},
       {"ROUTE20", "ROUTE40 D5", "EXCAV130 T2", "ROUTE", "ROUTE D5", "VBORE3", "ROUTE0"}},
      {{"ROUTE 3 D5", "ROUTE03 D5", "ROUTE1234"}, {"ROUTE40 D5", "ROUTE40 D5", "ROUTE12404"}},
      {{"ROUTE3 D5 F3000 T3$D10"}, {"ROUTE40 D5 F3000 T3", "ROUTE41D10T3"}},
      {{"EXCAV2 D5$D8"}, {"EXCAV30 D5", "EXCAV31D8"}}, {{"ROUTE D5$D8"}, {"ROUTE1 D5", "ROUTE2D8"}},
      {{"VBORE D8 T4 G1$D5"}, {"VBORE D8 T4 G1", "VBORED5G1"}}, {{"GROOVE D4$D6"}, {"GROOVE D4", "GROOVED6"}},
      {{"DRILLING D5$D3"}, {"DRILLING D5", "DRILLINGD3"}}, {{"HBORE D5$D3"}, {"HBORE D5", "HBORED3"}},
      {{"PANEL$X"}, {"PANEL$X"}},
      {{"ROUTE2 D5 F300 T3 Z12 G2$D10"}, {"ROUTE30 D5 F300 T3 Z12 G2", "ROUTE31D10Z12G2T3"}},
      {{"ROUTE2 D5 T3$D10"}, {"ROUTE30 D5 T3", "ROUTE31D10"}},
      {{"ROUTE2 D5 F300 T3$D10 T4"}, {"ROUTE30 D5 F300 T3", "ROUTE31D10 T4"}},
      {{"ROUTE2 D5 F300 ZD$D10"}, {"ROUTE30 D5 F300 ZD", "ROUTE31D10Z100"}},
      {{"ROUTE2 Z5$D10"}, {"ROUTE30 Z5", "ROUTE31D10"}},
      {{"ROUTE2 D5$D8$D12"}, {"ROUTE30 D5", "ROUTE31D8", "ROUTE32D12"}},
      {{"ROUTE1 FD300 F900$RI5"}, {"ROUTE20 " + Code(code_char::FD) + "300 F900", "ROUTE21" + Code(code_char::RI) + "5"}}};
  // clang-format on
  for (const auto& [layers, prepared] : cases) EXPECT_EQ(Prepared(layers), prepared) << layers[0];
  // A split copy is a whole copy whose name ends in the last character of the name, a
  // blank; the registers of the last load leave nothing in it, the note text is emptied.
  EntityStore store = StoreOf({"ROUTE3 D5$D10"});
  store.Current.EntLayer = "ROUTE T9 Z4 G7", store.Current.ParamOverride = "NOTE1 T8";
  PrepareLayers(store);
  ASSERT_EQ(store.LastIndex(), 3);
  EXPECT_EQ(store.Entities[3].EntityType.str() + std::to_string(int(store.Entities[3].X1)) +
                std::string(store.Entities[3].Layer.view().substr(0, 15)) + store.Current.ParamOverride,
            "LINE      42ROUTE41D10     ");
}

}  // namespace
}  // namespace mq
