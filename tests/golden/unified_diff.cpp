#include "unified_diff.h"

#include <algorithm>
#include <vector>

namespace mq::test {

namespace {

constexpr std::size_t kContext = 3;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char ch : text) {
    if (ch == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += ch;
    }
  }
  if (!line.empty()) lines.push_back(line + "<no line end>");
  return lines;
}

std::string Shown(const std::string& line) {
  std::string shown;
  for (char ch : line) shown += ch == '\r' ? std::string("<CR>") : std::string(1, ch);
  return shown;
}

struct Edit {
  char kind;         // ' ', '-', '+'
  std::size_t a, b;  // line numbers (0-based) in expected and actual
};

// The edit script from a longest common subsequence.
std::vector<Edit> EditScript(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  const std::size_t n = a.size(), m = b.size();
  std::vector<std::vector<unsigned>> common(n + 1, std::vector<unsigned>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t j = m; j-- > 0;) {
      common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    }
  }
  std::vector<Edit> edits;
  std::size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      edits.push_back({' ', i++, j++});
    } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
      edits.push_back({'-', i++, j});
    } else {
      edits.push_back({'+', i, j++});
    }
  }
  return edits;
}

}  // namespace

std::string UnifiedDiff(const std::string& expected, const std::string& actual,
                        const std::string& expected_name, const std::string& actual_name) {
  if (expected == actual) return {};
  const std::vector<std::string> a = SplitLines(expected), b = SplitLines(actual);
  const std::vector<Edit> edits = EditScript(a, b);
  std::string out = "--- " + expected_name + "\n+++ " + actual_name + "\n";
  std::size_t k = 0;
  while (k < edits.size()) {
    if (edits[k].kind == ' ') {
      ++k;
      continue;
    }
    // A hunk: from kContext lines before this change to kContext lines after the last
    // change that lies within 2 * kContext of the next.
    const std::size_t first = k >= kContext ? k - kContext : 0;
    std::size_t last = k;
    for (std::size_t q = k; q < edits.size(); ++q) {
      if (edits[q].kind != ' ') last = q;
      if (q - last > 2 * kContext) break;
    }
    const std::size_t end = std::min(edits.size(), last + kContext + 1);
    std::size_t a_count = 0, b_count = 0;
    for (std::size_t q = first; q < end; ++q) {
      if (edits[q].kind != '+') ++a_count;
      if (edits[q].kind != '-') ++b_count;
    }
    out += "@@ -" + std::to_string(edits[first].a + 1) + "," + std::to_string(a_count) + " +" +
           std::to_string(edits[first].b + 1) + "," + std::to_string(b_count) + " @@\n";
    for (std::size_t q = first; q < end; ++q) {
      const Edit& e = edits[q];
      out += e.kind;
      out += Shown(e.kind == '+' ? b[e.b] : a[e.a]) + "\n";
    }
    k = end;
  }
  return out;
}

}  // namespace mq::test
