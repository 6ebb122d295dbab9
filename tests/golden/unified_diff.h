#pragma once
// A unified diff of two texts for golden-file failures: the lines between the texts'
// common beginning and common end, as one hunk with three lines of context. Carriage
// returns are shown as "<CR>" so that a lost CR LF shows too.

#include <algorithm>
#include <string>
#include <vector>

namespace mq::test {

// Empty when the texts are equal; otherwise "--- a", "+++ b" and the hunk.
inline std::string UnifiedDiff(const std::string& expected, const std::string& actual,
                               const std::string& expected_name, const std::string& actual_name) {
  if (expected == actual) return {};
  const auto lines = [](const std::string& text) {
    std::vector<std::string> split(1);
    for (char ch : text)
      ch == '\n' ? split.emplace_back() : ch == '\r' ? split.back() += "<CR>" : split.back() += ch;
    if (split.back().empty())
      split.pop_back();
    else
      split.back() += "<no line end>";
    return split;
  };
  const std::vector<std::string> a = lines(expected), b = lines(actual);
  std::size_t head = 0, tail = 0;
  while (head < std::min(a.size(), b.size()) && a[head] == b[head]) ++head;
  while (tail < std::min(a.size(), b.size()) - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
    ++tail;
  const std::size_t from = head > 3 ? head - 3 : 0, after = std::min<std::size_t>(tail, 3);
  const std::size_t a_end = a.size() - tail, b_end = b.size() - tail;
  std::string out = "--- " + expected_name + "\n+++ " + actual_name + "\n@@ -" + std::to_string(from + 1) +
                    "," + std::to_string(a_end + after - from) + " +" + std::to_string(from + 1) + "," +
                    std::to_string(b_end + after - from) + " @@\n";
  for (std::size_t k = from; k < head; ++k) out += " " + a[k] + "\n";
  for (std::size_t k = head; k < a_end; ++k) out += "-" + a[k] + "\n";
  for (std::size_t k = head; k < b_end; ++k) out += "+" + b[k] + "\n";
  for (std::size_t k = a_end; k < a_end + after; ++k) out += " " + a[k] + "\n";
  return out;
}

}  // namespace mq::test
