#pragma once
// The text rules drawing instructions and layer names are read with: upper-case
// comparison, blanks removed or trimmed, NUL read as a blank.

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace mq {

// Blanks and NULs, the padding of fixed-width fields, are stepped over with plain loops:
// the fields are mostly padding, and a search for either character would cost a library
// call per character.
inline bool IsPadding(char c) { return c == ' ' || c == '\0'; }
// The place of the first (last) character that is not padding; npos when there is none.
inline std::size_t FirstNotPadding(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsPadding(text[i])) return i;
  }
  return std::string_view::npos;
}
inline std::size_t LastNotPadding(std::string_view text) {
  for (std::size_t i = text.size(); i > 0; --i) {
    if (!IsPadding(text[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

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
  const std::size_t first = FirstNotPadding(text);
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
  const std::size_t first = FirstNotPadding(text);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, LastNotPadding(text) - first + 1));
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
