#pragma once
// The layer-name operation language: two-letter code substitution, layer
// preparation, and the readers of the parameters of the current entity.

#include <cstdint>
#include <string>
#include <string_view>

#include "input/entity_store.h"

namespace mq {

// Replacement characters of the two-letter codes: single bytes, so positions in the
// name do not move. They are bytes that never occur in UTF-8 text, and all lie above
// code 64 as the letters of the language do: compare them as unsigned char.
namespace code_char {
constexpr char FA = '\xF5';
constexpr char FD = '\xF6';
constexpr char FR = '\xF7';
constexpr char LD = '\xF8';
constexpr char RO = '\xF9';
constexpr char RI = '\xFA';
constexpr char PD = '\xFB';
constexpr char ES = '\xFC';  // also EX
constexpr char OZ = '\xFD';
}  // namespace code_char

// The value a code written without a number reads as ("LD" alone): "the default".
constexpr float kCodeWithoutValue = 999;
// The value a code written as zero reads as, where zero must differ from "not given".
constexpr float kCodeGivenAsZero = -1;

// Rewrites every Layer of the store, repeating passes until nothing changes.
// Clears and may raise store.Current.LeadCodeSeen.
void SubstituteTwoLetterCodes(EntityStore& store);
// BORDER "$" split, ROUTE/EXCAV renumbering, "$" split of operations; appends records.
void PrepareLayers(EntityStore& store);

// Readers of the current entity's parameters (ParamOverride first, then EntLayer).
float CodeD(const EntityRegisters& r);
int16_t CodeT(const EntityRegisters& r);
std::string ToolList(const EntityRegisters& r);
float CodeF(const EntityRegisters& r);
float CodeFA(const EntityRegisters& r);
float CodeFD(const EntityRegisters& r);
float CodeFR(const EntityRegisters& r);
int16_t CodeS(const EntityRegisters& r);
float CodeZ(EntityRegisters& r);  // raises or clears ZCodeAbsent
int16_t CodeG(const EntityRegisters& r);
float CodeK(const EntityRegisters& r);
int16_t CodeM(const EntityRegisters& r);
float CodeOZ(const EntityRegisters& r);
float CodePD(const EntityRegisters& r);
int16_t CodeES(const EntityRegisters& r);
float CodeLD(const EntityRegisters& r);
float CodeRI(const EntityRegisters& r);
float CodeRO(const EntityRegisters& r);
std::string CompensationWord(const EntityRegisters& r);
bool HasCompensation(const EntityRegisters& r);
// Fraction reader at 1-based position `position` of `text`.
float CodeFraction(std::string_view text, int position);

}  // namespace mq
