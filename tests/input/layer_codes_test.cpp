#include "input/layer_codes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "input/numeric_text.h"

namespace mq {
namespace {

// The registers after loading a layer name that went through code substitution.
EntityRegisters Loaded(const std::string& layer, const std::string& param_override = "") {
  EntityStore store;
  store.Reset();
  DrawingEntity& e = store.Entities.emplace_back();
  e.EntityType = "LINE";
  e.Layer = layer;
  SubstituteTwoLetterCodes(store);
  EntityRegisters r;
  r.EntLayer = store.Entities[2].Layer;
  r.ParamOverride = param_override;
  return r;
}

// CodeZ, which also raises or clears the flag that says whether the name holds a Z.
float CodeZOf(const EntityRegisters& registers) {
  EntityRegisters r = registers;
  return CodeZ(r);
}

template <typename Value>
struct Case {
  std::string layer;
  Value (*reader)(const EntityRegisters&);
  Value value;
  std::string param_override = "";  // the text of a placed note
};

TEST(LayerCodes, FloatCodesReadIntegerPartAndFraction) {
  // The fraction is added as a positive amount and ends at a terminator: not seen after
  // one, nor at the very end of a full name. FA defaults to F; ROZ is R and OZ. Z names a
  // depth mode by a letter (ZD is no depth) or a depth. A placed note is read before the
  // layer, with blanks after it; a key it lacks comes from the layer.
  const std::string full_name = std::string(109, 'R').replace(0, 6, "ROUTE ") + "D12P5";
  // clang-format off
  const Case<float> cases[] = {
      {"ROUTE T3 D12P5 F3000", CodeD, 12.5f}, {"ROUTE T3 D12P5 F3000", CodeF, 3000},
      {"ROUTE T3 D12P5 F3000", CodeFA, 3000}, {"VBORE D8.5 E2", CodeD, 8.5f}, {"VBORE D8.5E2", CodeD, 8.5f},
      {"ROUTE D12.25 F3", CodeD, 12.25f}, {"ROUTE D-3P5 F1", CodeD, -2.5f}, {"ROUTE D12 F3.5 ", CodeD, 12},
      {"ROUTE D12P F1", CodeD, 12}, {full_name, CodeD, 12}, {"ROUTE D5", CodeF, 0},
      {"ROUTE FD3000 F6000", CodeFD, 3000}, {"ROUTE FD3000 F6000", CodeF, 6000},
      {"ROUTE FA2500 F6000", CodeFA, 2500}, {"ROUTE FR1500 F6000", CodeFR, 1500}, {"ROUTE FAFD", CodeFA, 0},
      {"ROUTE K2P5 ", CodeK, 2.5f}, {"ROUTE K-4 ", CodeK, 0}, {"ROUTE OZ0", CodeOZ, -1},
      {"ROUTE OZ-3 ", CodeOZ, 3}, {"ROUTE", CodeOZ, 0}, {"ROUTE PD0", CodePD, -1}, {"ROUTE PD2P5 ", CodePD, 2.5f},
      {"ROUTE LD", CodeLD, 999}, {"ROUTE LD4", CodeLD, 4}, {"ROUTE RI", CodeRI, 999}, {"ROUTE RI0", CodeRI, 0},
      {"ROUTE RI 0", CodeRI, 0}, {"ROUTE RI5", CodeRI, 5}, {"ROUTE RO", CodeRO, 999}, {"ROUTE RO0", CodeRO, 0},
      {"ROUTE ROZ5", CodeRO, 0}, {"ROUTE ROZ5", CodeOZ, 5}, {"ROUTEZD", CodeZOf, 100}, {"ROUTEZD", CodeD, 0},
      {"ROUTEZD D6", CodeD, 6}, {"ROUTEZa", CodeZOf, 97}, {"ROUTE ZA", CodeZOf, 97}, {"ROUTE ZI", CodeZOf, 105},
      {"ROUTE ZH", CodeZOf, 0}, {"ROUTE Z12P5 ", CodeZOf, 12.5f}, {"ROUTE Z-3 ", CodeZOf, -3},
      {"ROUTE D5 ZD", CodeZOf, 100}, {"ROUTE XP8 ", CodeZOf, 8}, {"ROUTE YP2 ", CodeZOf, 2}, {"ROUTE D5", CodeZOf, 0},
      {"ROUTE D7", CodeD, 7, "NOTE1 T5"}, {"ROUTE", CodeF, 12.5f, "NOTE1 F12P5"},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(c.reader(Loaded(c.layer, c.param_override)), c.value) << c.layer;
}

TEST(LayerCodes, WholeNumberCodes) {
  // S below 30 is thousands; out of range is clamped, not wrapped. T and G are read from
  // position 5, so a note's T before that position is not seen.
  // clang-format off
  const Case<int16_t> cases[] = {
      {"ROUTE S18", CodeS, 18000}, {"ROUTE S24000", CodeS, 24000}, {"ROUTE S30", CodeS, 30},
      {"ROUTE S18.5 D5", CodeS, 18500}, {"ROUTE S99999", CodeS, 32767}, {"ROUTE D5", CodeS, 0},
      {"ROUTE M1", CodeM, 0}, {"ROUTE M3", CodeM, 3}, {"ROUTE M2.5 ", CodeM, 2}, {"ROUTE T3 D12P5 F3000", CodeT, 3},
      {"ROUTET7", CodeT, 7}, {"ROUTE T2.5", CodeT, 2}, {"ROUTE G2", CodeG, 2}, {"ROUTEG3", CodeG, 3},
      {"DRILLING D5", CodeG, 0}, {"ROUTE ES3", CodeES, 3}, {"ROUTE EX-4P5", CodeES, 4}, {"ROUTE ES0", CodeES, -1},
      {"ROUTE ES", CodeES, -1}, {"ROUTE", CodeES, 0}, {"ROUTE T3", CodeT, 5, "NOTE1 T5 F2000"},
      {"ROUTE T3", CodeT, 0, "T5 F2000"},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(c.reader(Loaded(c.layer, c.param_override)), c.value) << c.layer;
}

TEST(LayerCodes, TextCodes) {
  // clang-format off
  const Case<std::string> cases[] = {
      {"ROUTE T5T12", ToolList, "0512"}, {"ROUTE T123", ToolList, "1203"}, {"ROUTE T3 D5 T4", ToolList, "0304"},
      {"ROUTE D5", ToolList, ""}, {"ROUTE R", CompensationWord, "G42 "}, {"ROUTE R5 ", CompensationWord, "G42 R5"},
      {"ROUTE L5", CompensationWord, "G41 L5"}, {"ROUTE R3 L", CompensationWord, "G41 "},
      {"ROUTE ROZ5", CompensationWord, "G42 "}, {"ROUTE D5", CompensationWord, ""},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(c.reader(Loaded(c.layer, c.param_override)), c.value) << c.layer;
  EXPECT_TRUE(HasCompensation(Loaded("ROUTE L")));
  EXPECT_FALSE(HasCompensation(Loaded("BORDER")));
  EXPECT_FALSE(HasCompensation(Loaded("ROUTE FR5 RI3 RO2 LD4"))) << "no R or L is left in the codes";
  EXPECT_FALSE(HasCompensation(Loaded("ROUTE", "NOTE1 R"))) << "read from the layer only";
}

TEST(LayerCodes, ZCodeRaisesItsFlagOnlyWhenAbsent) {
  EntityRegisters with_z = Loaded("ROUTE Z3"), without = Loaded("ROUTE D5");
  with_z.ZCodeAbsent = true;
  CodeZ(with_z);
  CodeZ(without);
  EXPECT_FALSE(with_z.ZCodeAbsent);
  EXPECT_TRUE(without.ZCodeAbsent);
}

TEST(ReadNumber, FollowsTheNumericPrefixRule) {
  struct Case {
    std::string text;
    double value;
  };
  // Blanks are skipped anywhere; P is no decimal point; a decimal comma ends the number;
  // infinities, NaN and numbers beyond the double range read as 0.
  // clang-format off
  const Case cases[] = {
      {"12.5", 12.5}, {"  -3.25  ", -3.25}, {"+7", 7}, {"1 000", 1000}, {"\t4\n2", 42}, {"12P5", 12},
      {"1.5E3", 1500}, {"2D2", 200}, {"2d-1", 0.2}, {"3E", 3}, {"3E+", 3}, {".5", 0.5}, {"1.2.3", 1.2},
      {"- 5", -5}, {"--5", 0}, {"abc", 0}, {"", 0}, {".", 0}, {"e5", 0}, {"0x1A", 0}, {"6,63671875", 6},
      {"1E400", 0}, {"-1E400", 0}, {"1E-400", 0}, {"nan", 0}, {"inf", 0}, {std::string(5000, '9'), 0},
      {std::string(300, '0') + "1.5", 1.5}, {"0." + std::string(200, '0') + "1E200", 0.1},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(ReadNumber(c.text), c.value) << '"' << c.text.substr(0, 9) << '"';
  EXPECT_DOUBLE_EQ(ReadCodeNumber("40 D5"), 40) << "no exponent in layer names";
  EXPECT_DOUBLE_EQ(ReadCodeNumber("8.5 E2"), 8.5);
  EXPECT_EQ(ReadSingle("1E39"), 0.0f) << "beyond the float range";
  EXPECT_EQ(ReadSingle("3.4E38"), 3.4e38f);
}

TEST(RoundToInteger, HalvesToEvenAndClampsInsteadOfWrapping) {
  struct Case {
    double value;
    int16_t int16;
    int32_t int32;
  };
  // clang-format off
  const Case cases[] = {
      {0.5, 0, 0}, {1.5, 2, 2}, {2.5, 2, 2}, {-2.5, -2, -2}, {-1.5, -2, -2}, {2.5001, 3, 3},
      {1001.5, 1002, 1002}, {32767.5, 32767, 32768}, {40000, 32767, 40000}, {-32768.5, -32768, -32768},
      {3e9, 32767, INT32_MAX}, {-3e9, -32768, INT32_MIN},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(RoundToInt16(c.value), c.int16) << c.value;
    EXPECT_EQ(RoundToInt32(c.value), c.int32) << c.value;
  }
  EXPECT_EQ(RoundToInt16(std::nan("")), 0);
}

}  // namespace
}  // namespace mq
