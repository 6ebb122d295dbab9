#pragma once
// Par.DAT texts for tests: a drilling head with a row of spindles along X and a
// column of spindles along Y.

#include <map>
#include <string>

namespace mq::test {

struct Spindle {
  float Diameter = 0;
  float X = 0;
};

// One value per line, as the control's tool editor writes the file.
inline std::string ParDatText(const std::map<int, Spindle>& spindles) {
  std::string text = "0\r\n";
  for (int n = 1; n <= 99; ++n) text += std::to_string(n % 7) + "\r\n";  // codes
  auto column = [&](auto value_of) {
    for (int n = 1; n <= 99; ++n) {
      const auto it = spindles.find(n);
      text += (it == spindles.end() ? std::string("0") : value_of(it->second)) + "\r\n";
    }
  };
  auto number = [](float v) {
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
  };
  column([&](const Spindle& s) { return number(s.Diameter); });
  column([&](const Spindle& s) { return number(s.X); });
  column([&](const Spindle&) { return std::string("0"); });
  column([&](const Spindle&) { return std::string("0"); });
  return text;
}

// Spindles 1..10 along X (5 mm, 32 apart), 11..16 along Y (8 mm, one X), tool 40 a
// 12 mm router.
inline std::map<int, Spindle> StandardHead() {
  std::map<int, Spindle> head;
  for (int n = 1; n <= 10; ++n) head[n] = Spindle{5, 32.0f * static_cast<float>(n)};
  for (int n = 11; n <= 16; ++n) head[n] = Spindle{8, 500};
  head[40] = Spindle{12, 0};
  return head;
}

}  // namespace mq::test
