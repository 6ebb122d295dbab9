#pragma once
// One TEXT statement of the instruction layer, split into its keyword and values.

#include <cstdint>
#include <string>
#include <string_view>

namespace mq {

// One statement: KEYWORD value, KEYWORD=value, or KEYWORD name=value.
struct InstructionStatement {
  std::string text;     // the TEXT value with leading blanks removed
  std::string keyword;  // up to the first blank, or up to an earlier "=", upper case
  std::string rest;     // everything after the keyword's delimiter

  // The value of a one-value statement: the text after the statement's first "=", or
  // the rest when the statement has none (LEAD 30, LEAD=30 and LEAD = 30 read alike).
  std::string Value() const;
  // A name=value statement (LAYER, COLOR, VAR, OP, PTS): the rest up to its first "="
  // (all of it when it has none), and the rest after that "=" (empty when none).
  std::string Name() const;
  std::string PairValue() const;
  bool RestHasEquals() const;
};

InstructionStatement ParseInstruction(std::string_view text);

// ON gives 1, OFF gives -1 (blanks removed, any case); anything else 0, "not stated".
int16_t ReadSwitch(std::string_view value);

}  // namespace mq
