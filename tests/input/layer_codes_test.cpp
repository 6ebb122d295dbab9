#include "input/layer_codes.h"

#include <gtest/gtest.h>

#include <string>

#include "input/drawing_text.h"

namespace mq {
namespace {

// The registers after loading a layer name that went through code substitution.
EntityRegisters Loaded(const std::string& layer, const std::string& param_override = "") {
  EntityStore store;
  store.Reset();
  DrawingEntity e;
  e.EntityType = "LINE";
  e.Layer = layer;
  store.Entities.push_back(e);
  SubstituteTwoLetterCodes(store);
  EntityRegisters r;
  r.EntLayer = store.Entities[2].Layer;
  r.ParamOverride = param_override;
  return r;
}

TEST(LayerCodes, ReadsTheCodesOfARouteLayer) {
  EntityRegisters r = Loaded("ROUTE T3 D12P5 F3000");
  EXPECT_EQ(CodeD(r), 12.5f);
  EXPECT_EQ(CodeT(r), 3);
  EXPECT_EQ(CodeF(r), 3000);
  EXPECT_EQ(CodeFA(r), 3000) << "FA defaults to F";
  EXPECT_EQ(CodeS(r), 0);
  EXPECT_EQ(CompensationWord(r), "");
  EXPECT_FALSE(HasCompensation(r));
}

TEST(LayerCodes, FloatCodesReadIntegerPartAndFraction) {
  struct Case {
    const char* layer;
    float (*reader)(const EntityRegisters&);
    float value;
  };
  const Case cases[] = {
      {"VBORE D8.5 E2", CodeD, 8.5f},  // the exponent is not taken
      {"VBORE D8.5E2", CodeD, 8.5f},
      {"ROUTE D12P5", CodeD, 12.5f},    // the padding ends the number
      {"ROUTE D12.25 F3", CodeD, 12.25f},
      {"ROUTE D-3P5 F1", CodeD, -2.5f},  // the fraction is added as a positive amount
      {"ROUTE D7 F2.5 T1", CodeF, 2.5f},
      {"ROUTE F30 D5P5 ", CodeF, 30},
      {"ROUTE D5", CodeF, 0},
      {"ROUTE FD3000 F6000", CodeFD, 3000},
      {"ROUTE FD3000 F6000", CodeF, 6000},
      {"ROUTE FA2500 F6000", CodeFA, 2500},
      {"ROUTE FR1500 F6000", CodeFR, 1500},
      {"ROUTE FAFD", CodeFA, 0},
      {"ROUTE K2P5 ", CodeK, 2.5f},
      {"ROUTE K-4 ", CodeK, 0},  // negative gives 0
      {"ROUTE OZ0", CodeOZ, -1},
      {"ROUTE OZ-3 ", CodeOZ, 3},
      {"ROUTE PD0", CodePD, -1},
      {"ROUTE PD2P5 ", CodePD, 2.5f},
      {"ROUTE", CodeOZ, 0},
      {"ROUTE LD", CodeLD, 999},
      {"ROUTE LD4", CodeLD, 4},
      {"ROUTE RI", CodeRI, 999},
      {"ROUTE RI0", CodeRI, 0},
      {"ROUTE RI 0", CodeRI, 0},
      {"ROUTE RI5", CodeRI, 5},
      {"ROUTE RO", CodeRO, 999},
      {"ROUTE RO0", CodeRO, 0},
      {"ROUTE RO7 ", CodeRO, 7},
      {"ROUTE ROZ5", CodeRO, 0},
      {"ROUTE ROZ5", CodeOZ, 5},
  };
  for (const Case& c : cases) EXPECT_EQ(c.reader(Loaded(c.layer)), c.value) << c.layer;
}

TEST(LayerCodes, WholeNumberCodes) {
  struct Case {
    const char* layer;
    int16_t (*reader)(const EntityRegisters&);
    int16_t value;
  };
  const Case cases[] = {
      {"ROUTE S18", CodeS, 18000},  {"ROUTE S24000", CodeS, 24000}, {"ROUTE S30", CodeS, 30},
      {"ROUTE S18.5 D5", CodeS, 18500}, {"ROUTE S99999", CodeS, 32767},  // clamped, not wrapped
      {"ROUTE M1", CodeM, 0},       {"ROUTE M3", CodeM, 3},         {"ROUTE M2.5 ", CodeM, 2},
      {"ROUTE T3 D5", CodeT, 3},    {"ROUTET7", CodeT, 7},          // T is read from position 5
      {"ROUTE T2.5", CodeT, 2},     {"ROUTE G2", CodeG, 2},         {"ROUTEG3", CodeG, 3},
      {"DRILLING D5", CodeG, 0},    {"ROUTE ES3", CodeES, 3},       {"ROUTE EX-4P5", CodeES, 4},
      {"ROUTE ES0", CodeES, -1},    {"ROUTE ES", CodeES, -1},       {"ROUTE", CodeES, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.reader(Loaded(c.layer)), c.value) << c.layer;
}

TEST(LayerCodes, ZNamesADepthModeOrADepth) {
  struct Case {
    const char* layer;
    float value;
    bool absent;
  };
  const Case cases[] = {
      {"ROUTEZD", 100, false},    {"ROUTEZa", 97, false},  {"ROUTE ZA", 97, false}, {"ROUTE ZI", 105, false},
      {"ROUTE ZH", 0, false},     {"ROUTE Z12P5 ", 12.5f, false}, {"ROUTE Z-3 ", -3, false},
      {"ROUTE D5 ZD", 100, false}, {"ROUTE XP8 ", 8, false},   {"ROUTE YP2 ", 2, false},
      {"ROUTE D5", 0, true},
  };
  for (const Case& c : cases) {
    EntityRegisters r = Loaded(c.layer);
    r.ZCodeAbsent = !c.absent;
    EXPECT_EQ(CodeZ(r), c.value) << c.layer;
    EXPECT_EQ(r.ZCodeAbsent, c.absent) << c.layer;
  }
  EXPECT_EQ(CodeD(Loaded("ROUTEZD")), 0) << "ZD is no depth";
  EXPECT_EQ(CodeD(Loaded("ROUTEZD D6")), 6);
}

TEST(LayerCodes, ToolListCollectsEveryTool) {
  EXPECT_EQ(ToolList(Loaded("ROUTE T5T12")), "0512");
  EXPECT_EQ(ToolList(Loaded("ROUTE T123")), "1203");
  EXPECT_EQ(ToolList(Loaded("ROUTE T3 D5 T4")), "0304");
  EXPECT_EQ(ToolList(Loaded("ROUTE D5")), "");
}

TEST(LayerCodes, CompensationWordNamesTheSide) {
  EXPECT_EQ(CompensationWord(Loaded("ROUTE R")), "G42 ");
  EXPECT_EQ(CompensationWord(Loaded("ROUTE R5 ")), "G42 R5");
  EXPECT_EQ(CompensationWord(Loaded("ROUTE L5")), "G41 L5");
  EXPECT_EQ(CompensationWord(Loaded("ROUTE L")), "G41 ");
  EXPECT_EQ(CompensationWord(Loaded("ROUTE R3 L")), "G41 ") << "L wins";
  EXPECT_EQ(CompensationWord(Loaded("ROUTE ROZ5")), "G42 ") << "ROZ is R and OZ";
  EXPECT_TRUE(HasCompensation(Loaded("ROUTE R")));
  EXPECT_TRUE(HasCompensation(Loaded("ROUTE L")));
  EXPECT_FALSE(HasCompensation(Loaded("BORDER")));
  EXPECT_FALSE(HasCompensation(Loaded("ROUTE FR5 RI3 RO2 LD4"))) << "no R or L is left in the codes";
}

TEST(LayerCodes, FractionAtTheVeryEndOfAFullNameIsNotSeen) {
  EXPECT_EQ(CodeD(Loaded(std::string(109, 'R').replace(0, 6, "ROUTE ") + "D12P5")), 12);
}

TEST(LayerCodes, PlacedNoteTextIsReadBeforeTheLayer) {
  EXPECT_EQ(CodeT(Loaded("ROUTE T3", "NOTE1 T5 F2000")), 5);
  EXPECT_EQ(CodeT(Loaded("ROUTE T3", "T5 F2000")), 0) << "the override's T lies before the search start";
  EXPECT_EQ(CodeF(Loaded("ROUTE T3 F100", "NOTE1 T5 F2000")), 2000);
  EXPECT_EQ(CodeD(Loaded("ROUTE D7", "NOTE1 T5")), 7) << "a key the note lacks comes from the layer";
  EXPECT_EQ(CodeF(Loaded("ROUTE", "NOTE1 F12P5")), 12.5f) << "the note is read with blanks after it";
  EXPECT_FALSE(HasCompensation(Loaded("ROUTE", "NOTE1 R")));
}

TEST(CodeFraction, ReadsDigitsAfterTheDecimalPointUpToATerminator) {
  EXPECT_EQ(CodeFraction("D12P5 F3", 2), 0.5f);
  EXPECT_EQ(CodeFraction("D12.75 ", 2), 0.75f);
  EXPECT_EQ(CodeFraction("D12P5", 2), 0) << "no terminator";
  EXPECT_EQ(CodeFraction("D12 F3.5 ", 2), 0) << "the point lies after the terminator";
  EXPECT_EQ(CodeFraction("D12P F", 2), 0) << "nothing between point and terminator";
  EXPECT_EQ(CodeFraction("D8.5E2 ", 2), 0.5f);
  EXPECT_EQ(CodeFraction("", 1), 0);
  EXPECT_EQ(CodeFraction("D1", 9), 0);
}

}  // namespace
}  // namespace mq
