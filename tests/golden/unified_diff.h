#pragma once
// A unified diff of two texts, line by line, for golden-file failures. Carriage
// returns are shown as "<CR>" so that a lost CR LF shows too.

#include <string>

namespace mq::test {

// Empty when the texts are equal; otherwise "--- a", "+++ b" and hunks with three
// lines of context.
std::string UnifiedDiff(const std::string& expected, const std::string& actual,
                        const std::string& expected_name, const std::string& actual_name);

}  // namespace mq::test
