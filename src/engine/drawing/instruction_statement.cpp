#include "engine/drawing/instruction_statement.h"

#include <algorithm>

#include "engine/drawing/instructions.h"
#include "input/plain_text.h"

namespace mq {

InstructionStatement ParseInstruction(std::string_view text) {
  InstructionStatement s;
  s.text = TrimLeadingBlanks(text);
  const std::size_t blank = s.text.find(' ');
  const std::size_t equals = s.text.find('=');
  const std::size_t end = std::min(blank, equals);  // npos when neither occurs
  s.keyword = UpperCase(std::string_view(s.text).substr(0, end));
  if (end != std::string::npos) s.rest = s.text.substr(end + 1);
  return s;
}

std::string InstructionStatement::Value() const {
  const std::size_t equals = text.find('=');
  return equals == std::string::npos ? rest : text.substr(equals + 1);
}

bool InstructionStatement::RestHasEquals() const { return rest.find('=') != std::string::npos; }

std::string InstructionStatement::Name() const { return rest.substr(0, rest.find('=')); }

std::string InstructionStatement::PairValue() const {
  const std::size_t equals = rest.find('=');
  return equals == std::string::npos ? std::string() : rest.substr(equals + 1);
}

int16_t ReadSwitch(std::string_view value) {
  const std::string word = UpperCase(WithoutBlanks(value));
  if (word == "ON") return kStatedOn;
  if (word == "OFF") return kStatedOff;
  return kNotStated;
}

}  // namespace mq
