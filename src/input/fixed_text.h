#pragma once
// Fixed-width text fields of the drawing records: always exactly N characters,
// blank padded when assigned, NUL where never assigned. Every reader treats NUL
// as a blank (see CleanText and IsBlankText).

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace mq {

template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kWidth = N;

  FixedText() { chars_.fill('\0'); }
  FixedText(std::string_view text) { assign(text); }  // NOLINT: implicit by design

  // Cuts or blank-pads the text to N characters.
  void assign(std::string_view text) {
    const std::size_t n = std::min(text.size(), N);
    std::copy_n(text.data(), n, chars_.data());
    std::fill(chars_.begin() + static_cast<std::ptrdiff_t>(n), chars_.end(), ' ');
  }
  FixedText& operator=(std::string_view text) {
    assign(text);
    return *this;
  }

  char& operator[](std::size_t i) { return chars_[i]; }
  char operator[](std::size_t i) const { return chars_[i]; }

  // The whole field, N characters, NULs included.
  std::string_view view() const { return std::string_view(chars_.data(), N); }
  std::string str() const { return std::string(view()); }
  // The field with NULs read as blanks and trailing blanks removed.
  std::string trimmed() const {
    std::string s(view());
    std::replace(s.begin(), s.end(), '\0', ' ');
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
  }
  bool never_assigned() const {
    return std::all_of(chars_.begin(), chars_.end(), [](char c) { return c == '\0'; });
  }

  friend bool operator==(const FixedText&, const FixedText&) = default;
  friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

 private:
  std::array<char, N> chars_{};
};

}  // namespace mq
