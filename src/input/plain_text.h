#pragma once
// The text rules drawing instructions and layer names are read with: upper-case
// comparison, blanks removed or trimmed, NUL read as a blank.

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace mq {

inline std::string UpperCase(std::string_view text) {
  std::string s(text);
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
  return s;
}

inline std::string LowerCase(std::string_view text) {
  std::string s(text);
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return s;
}

// Every blank (and NUL) removed.
inline std::string WithoutBlanks(std::string_view text) {
  std::string s;
  for (char ch : text) {
    if (ch != ' ' && ch != '\0') s += ch;
  }
  return s;
}

inline std::string TrimLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(std::string_view(" \0", 2));
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

// Blanks removed from both ends, NULs kept: a view into `text`. Values of a drawing are
// trimmed so while they are read, before NULs mean anything.
inline std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Blanks (and NULs) removed from both ends.
inline std::string TrimBlanks(std::string_view text) {
  // A plain loop: fixed-width fields are mostly padding, and a search for either of two
  // characters costs a library call per character.
  const auto blank = [](char c) { return c == ' ' || c == '\0'; };
  std::size_t first = 0, end = text.size();
  while (first < end && blank(text[first])) ++first;
  while (end > first && blank(text[end - 1])) --end;
  return std::string(text.substr(first, end - first));
}

// Equal letter for letter, ASCII letters compared without regard to case (file names,
// settings keys, the reader's keywords).
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  const auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return up(x) == up(y); });
}

inline bool StartsWith(std::string_view text, std::string_view head) {
  return text.substr(0, head.size()) == head;
}

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace mq
