#include "engine/drawing/part_list_fields.h"

#include "engine/drawing/instruction_statement.h"
#include "engine/drawing/instructions.h"
#include "input/numeric_text.h"
#include "input/plain_text.h"

namespace mq {

namespace {

constexpr int kControlField = 0;  // the part-list state: "OFF" or "ERROR" disable the entry
constexpr int kLastField = 50;
constexpr std::string_view kPartListOff = "OFF";
constexpr std::string_view kPartListError = "ERROR";
constexpr std::string_view kPtsError = "PTS Error: ";
constexpr std::string_view kNumberedFieldName = "FIELD";
constexpr std::size_t kLongestFieldNumber = 2;  // "PTS 12=..." names column 12

// The column a designator names: a number of at most two digits, or a column name.
// -1 when it names none.
int FieldOf(ConversionState& s, const std::string& designator) {
  if (designator.size() <= kLongestFieldNumber) {
    const int n = RoundToInt16(ReadNumber(designator));
    // Only numbers of existing columns count; others must not write outside the list.
    if (n >= 1 && n <= kLastField) {
      std::string& name = s.PtsFieldNames[static_cast<std::size_t>(n)];
      if (name.empty()) name = std::string(kNumberedFieldName) + std::to_string(n);
      return n;
    }
  }
  if (designator.empty()) return -1;
  for (int field = kControlField; field <= kLastField; ++field) {
    if (s.PtsFieldNames[static_cast<std::size_t>(field)] == designator) return field;
  }
  return -1;
}

}  // namespace

void SetPartListField(EngineContext& c, const InstructionStatement& statement) {
  ConversionState& s = c.state;
  std::string& control = s.PtsValues[kControlField];
  const std::string designator = UpperCase(WithoutBlanks(statement.Name()));
  if (designator == kPartListOff || control == kPartListOff) {
    control = kPartListOff;
    return;
  }
  const int field = FieldOf(s, designator);
  if (field < 0) {
    control = kPartListError;
    AddReportLine(c.run, std::string(kPtsError) + designator);
    return;
  }
  s.PtsValues[static_cast<std::size_t>(field)] = TrimBlanks(statement.PairValue());
}

}  // namespace mq
