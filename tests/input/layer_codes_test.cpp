#include "input/layer_codes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "input/numeric_text.h"

namespace mq {
namespace {

// The registers after loading a layer name that went through code substitution, with
// the text of a placed note.
EntityRegisters Loaded(const std::string& layer, const std::string& note = "") {
  EntityStore store;
  store.Reset();
  store.Entities.emplace_back().Layer = layer;
  store.Entities.emplace_back();  // the blank ENDSEC record
  SubstituteTwoLetterCodes(store);
  SilentOperator nobody;
  int index = 2;
  LoadEntity(store, index, NoteSources{}, nobody);
  store.Current.ParamOverride = note;
  return store.Current;
}

// Every code of the name that is not 0, in a fixed order, then the sequence number "#",
// the tool list "T=" and the compensation word in brackets ("?" when HasCompensation
// says there is none).
std::string Codes(const std::string& layer, const std::string& note = "") {
  EntityRegisters r = Loaded(layer, note);
  // clang-format off
  const std::pair<const char*, double> numbers[] = {
      {"D", CodeD(r)}, {"T", CodeT(r)}, {"F", CodeF(r)}, {"FA", CodeFA(r)}, {"FD", CodeFD(r)}, {"FR", CodeFR(r)},
      {"S", CodeS(r)}, {"Z", CodeZ(r)}, {"G", CodeG(r)}, {"K", CodeK(r)}, {"M", CodeM(r)}, {"OZ", CodeOZ(r)},
      {"PD", CodePD(r)}, {"ES", CodeES(r)}, {"LD", CodeLD(r)}, {"RI", CodeRI(r)}, {"RO", CodeRO(r)}};
  // clang-format on
  std::ostringstream s;
  for (const auto& [name, value] : numbers) {
    if (value != 0) s << ' ' << name << value;
  }
  if (r.EntSequence != 0) s << " #" << r.EntSequence;
  if (!ToolList(r).empty()) s << " T=" << ToolList(r);
  if (!CompensationWord(r).empty())
    s << " [" << CompensationWord(r) << "]" << (HasCompensation(r) ? "" : "?");
  return s.str().empty() ? "" : s.str().substr(1);
}

// The fraction (P for the point) is added as a positive amount and ends at a terminator:
// not seen after one, nor at the very end of a full name. FA defaults to F; ROZ is R and
// OZ; LD, RI, RO without a value are 999, OZ, PD, ES of 0 are -1. Z names a depth mode by
// a letter (ZD is no depth) or a depth; XP and YP are Z. S below 30 is thousands; out of
// range is clamped, not wrapped. T and G are read from position 5, so a note's T before
// that position is not seen; a placed note is read before the layer, and a key it lacks
// comes from the layer; the compensation only from the layer. Tools list two digits each.
// ROUTE, VBORE, HBORE, GROOV and DRILL names carry the operation's sequence number after
// the keyword, else after leading "_" and blanks; none above 1000.
TEST(LayerCodes, TheLanguageOfLayerNames) {
  const std::string full_name = std::string(109, 'R').replace(0, 6, "ROUTE ") + "D12P5";
  // clang-format off
  const std::tuple<std::string, const char*, const char*> cases[] = {
      {"ROUTE T3 D12P5 F3000", "", "D12.5 T3 F3000 FA3000 T=03"}, {"VBORE D8.5 E2", "", "D8.5"}, {"VBORE D8.5E2", "", "D8.5"},
      {"ROUTE D12.25 F3", "", "D12.25 F3 FA3"}, {"ROUTE D-3P5 F1", "", "D-2.5 F1 FA1"}, {"ROUTE D12 F3.5 ", "", "D12 F3.5 FA3.5"},
      {"ROUTE D12P F1", "", "D12 F1 FA1"}, {full_name, "", "D12 [G42 ]"}, {"ROUTE FD3000 F6000", "", "F6000 FA6000 FD3000"},
      {"ROUTE FA2500 F6000", "", "F6000 FA2500"}, {"ROUTE FR1500 F6000", "", "F6000 FA6000 FR1500"}, {"ROUTE FAFD", "", ""},
      {"ROUTE K2P5 ", "", "K2.5"}, {"ROUTE K-4 ", "", ""}, {"ROUTE OZ0", "", "OZ-1"}, {"ROUTE OZ-3 ", "", "OZ3"},
      {"ROUTE", "", ""}, {"ROUTE PD0", "", "PD-1"}, {"ROUTE PD2P5 ", "", "PD2.5"}, {"ROUTE LD", "", "LD999"},
      {"ROUTE LD4", "", "LD4"}, {"ROUTE RI", "", "RI999"}, {"ROUTE RI0", "", ""}, {"ROUTE RI 0", "", ""}, {"ROUTE RI5", "", "RI5"},
      {"ROUTE RO", "", "RO999"}, {"ROUTE RO0", "", ""}, {"ROUTE ROZ5", "", "OZ5 [G42 ]"}, {"ROUTEZD D6", "", "D6 Z100"},
      {"ROUTEZa", "", "Z97"}, {"ROUTE ZA", "", "Z97"}, {"ROUTE ZI", "", "Z105"}, {"ROUTE ZH", "", ""}, {"ROUTE Z12P5 ", "", "Z12.5"},
      {"ROUTE Z-3 ", "", "Z-3"}, {"ROUTE D5 ZD", "", "D5 Z100"}, {"ROUTE XP8 ", "", "Z8"}, {"ROUTE YP2 ", "", "Z2"},
      {"ROUTE S18", "", "S18000"}, {"ROUTE S24000", "", "S24000"}, {"ROUTE S30", "", "S30"}, {"ROUTE S18.5 D5", "", "D5 S18500"},
      {"ROUTE S99999", "", "S32767"}, {"ROUTE M1", "", ""}, {"ROUTE M3", "", "M3"}, {"ROUTE M2.5 ", "", "M2"},
      {"ROUTET7", "", "T7 T=07"}, {"ROUTE T2.5", "", "T2 T=02"}, {"ROUTE G2", "", "G2"}, {"ROUTEG3", "", "G3"},
      {"DRILLING D5", "", "D5"}, {"ROUTE ES3", "", "ES3"}, {"ROUTE EX-4P5", "", "ES4"}, {"ROUTE ES0", "", "ES-1"},
      {"ROUTE ES", "", "ES-1"}, {"ROUTE T5T12", "", "T5 T=0512"}, {"ROUTE T123", "", "T123 T=1203"},
      {"ROUTE T3 D5 T4", "", "D5 T3 T=0304"}, {"ROUTE R", "", "[G42 ]"}, {"ROUTE R5 ", "", "[G42 R5]"},
      {"ROUTE L5", "", "[G41 L5]"}, {"ROUTE R3 L", "", "[G41 ]"}, {"BORDER", "", "[G42 ]?"},
      {"ROUTE FR5 RI3 RO2 LD4", "", "FR5 LD4 RI3 RO2"}, {"ROUTE D7", "NOTE1 T5", "D7 T5 T=05"},
      {"ROUTE", "NOTE1 F12P5", "F12.5 FA12.5"}, {"ROUTE T3", "NOTE1 T5 F2000", "T5 F2000 FA2000 T=05"},
      {"ROUTE T3", "T5 F2000", ""}, {"ROUTE", "NOTE1 R", "[G42 ]?"}, {"VBORE12", "", "#12"}, {"VBORE_7", "", "#7"},
      {"VBORE__ _12", "", "#12"}, {"VBORE1000", "", "#1000"}, {"VBORE1001", "", ""}, {"ROUTE40 D5", "", "D5 #40"},
      {"ROUTE_40 D5", "", "D5 #40"}, {"GROOV 5", "", "#5"}, {"HBORE3 T2", "", "T2 #3 T=02"}, {"HBORE_2.5", "", "#2"},
      {"EXCAV3", "", ""}, {"PANEL7", "", ""}, {"vbore9", "", "#9"}};
  // clang-format on
  for (const auto& [layer, note, codes] : cases) EXPECT_EQ(Codes(layer, note), codes) << layer << " " << note;
  EntityRegisters with_z = Loaded("ROUTE Z3"), without = Loaded("ROUTE D5");
  with_z.ZCodeAbsent = true;
  CodeZ(with_z), CodeZ(without);
  EXPECT_EQ(std::string(with_z.ZCodeAbsent ? "absent" : "") + (without.ZCodeAbsent ? "absent" : ""), "absent")
      << "CodeZ raises its flag only when there is no Z";
}

// Blanks are skipped anywhere; D is an exponent as E is, P no decimal point; a decimal
// comma ends the number; infinities, NaN, hexadecimal and numbers beyond the double
// range read as 0; layer names know no exponent; a single holds what fits a float.
TEST(ReadNumber, FollowsTheNumericPrefixRule) {
  // clang-format off
  EXPECT_EQ((std::vector{ReadNumber("  -3.25  "), ReadNumber("1 000"), ReadNumber("\t4\n2"), ReadNumber("12P5"),
                         ReadNumber("2d-1"), ReadNumber("3E+"), ReadNumber("- 5"), ReadNumber("--5"), ReadNumber("6,5"),
                         ReadNumber("1E400"), ReadNumber("nan"), ReadNumber("0x1A"), ReadNumber(std::string(5000, '9')),
                         ReadCodeNumber("40 D5"), ReadCodeNumber("8.5 E2"), double(ReadSingle("1E39"))}),
            (std::vector{-3.25, 1000.0, 42.0, 12.0, 0.2, 3.0, -5.0, 0.0, 6.0, 0.0, 0.0, 0.0, 0.0, 40.0, 8.5, 0.0}));
  // clang-format on
}

}  // namespace
}  // namespace mq
