#pragma once
// Writes small ASCII DXF drawings for tests: an ENTITIES section of the entities
// added, with whatever extra groups a case needs, ended by ENDSEC and EOF.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace mq::test {

struct DxfGroup {
  int code;
  std::string value;
};

inline std::string DxfNumber(double v) {
  std::ostringstream s;
  s.precision(10);
  s << v;
  return s.str();
}

struct DxfVertex {
  double x = 0, y = 0, bulge = 0;
};

class DxfBuilder {
 public:
  using Extras = std::vector<DxfGroup>;

  DxfBuilder& Entity(const std::string& type, const std::string& layer, Extras groups = {}) {
    Add(0, type);
    Add(8, layer);
    for (const DxfGroup& g : groups) Add(g.code, g.value);
    return *this;
  }
  DxfBuilder& Line(const std::string& layer, double x1, double y1, double x2, double y2, Extras extra = {}) {
    Extras g{{10, DxfNumber(x1)}, {20, DxfNumber(y1)}, {30, "0"},
             {11, DxfNumber(x2)}, {21, DxfNumber(y2)}, {31, "0"}};
    g.insert(g.end(), extra.begin(), extra.end());
    return Entity("LINE", layer, g);
  }
  DxfBuilder& Point(const std::string& layer, double x, double y, Extras extra = {}) {
    Extras g{{10, DxfNumber(x)}, {20, DxfNumber(y)}, {30, "0"}};
    g.insert(g.end(), extra.begin(), extra.end());
    return Entity("POINT", layer, g);
  }
  DxfBuilder& Circle(const std::string& layer, double cx, double cy, double r, Extras extra = {}) {
    Extras g{{10, DxfNumber(cx)}, {20, DxfNumber(cy)}, {30, "0"}, {40, DxfNumber(r)}};
    g.insert(g.end(), extra.begin(), extra.end());
    return Entity("CIRCLE", layer, g);
  }
  // DXF angles: the arc runs counter-clockwise from `start` to `end` (degrees).
  DxfBuilder& Arc(const std::string& layer, double cx, double cy, double r, double start, double end,
                  Extras extra = {}) {
    Extras g{{10, DxfNumber(cx)}, {20, DxfNumber(cy)}, {30, "0"}, {40, DxfNumber(r)},
             {50, DxfNumber(start)}, {51, DxfNumber(end)}};
    g.insert(g.end(), extra.begin(), extra.end());
    return Entity("ARC", layer, g);
  }
  DxfBuilder& Text(const std::string& layer, double x, double y, const std::string& text, Extras extra = {}) {
    Extras g{{10, DxfNumber(x)}, {20, DxfNumber(y)}, {30, "0"}, {40, "2.5"}, {1, text}};
    g.insert(g.end(), extra.begin(), extra.end());
    return Entity("TEXT", layer, g);
  }
  // An R12 polyline: POLYLINE, VERTEX records on layer "0" (they take the polyline's
  // layer when read), SEQEND. `flags` 1 closes it.
  DxfBuilder& Polyline(const std::string& layer, const std::vector<DxfVertex>& vertices, int flags = 0,
                       Extras extra = {}) {
    Extras g{{66, "1"}, {10, "0"}, {20, "0"}, {30, "0"}, {70, std::to_string(flags)}};
    g.insert(g.end(), extra.begin(), extra.end());
    Entity("POLYLINE", layer, g);
    for (const DxfVertex& v : vertices) {
      Extras vg{{10, DxfNumber(v.x)}, {20, DxfNumber(v.y)}, {30, "0"}};
      if (v.bulge != 0) vg.push_back({42, DxfNumber(v.bulge)});
      Entity("VERTEX", "0", vg);
    }
    return Entity("SEQEND", "0");
  }
  DxfBuilder& LwPolyline(const std::string& layer, const std::vector<DxfVertex>& vertices, int flags = 0,
                         Extras extra = {}) {
    Extras g{{90, std::to_string(vertices.size())}, {70, std::to_string(flags)}};
    g.insert(g.end(), extra.begin(), extra.end());
    for (const DxfVertex& v : vertices) {
      g.push_back({10, DxfNumber(v.x)});
      g.push_back({20, DxfNumber(v.y)});
      if (v.bulge != 0) g.push_back({42, DxfNumber(v.bulge)});
    }
    return Entity("LWPOLYLINE", layer, g);
  }
  // A SOLID given by its first, second and third corners (the fourth repeats the third).
  DxfBuilder& Solid(const std::string& layer, double x1, double y1, double x2, double y2, double x3,
                    double y3, Extras extra = {}) {
    Extras g{{10, DxfNumber(x1)}, {20, DxfNumber(y1)}, {11, DxfNumber(x2)}, {21, DxfNumber(y2)},
             {12, DxfNumber(x3)}, {22, DxfNumber(y3)}, {13, DxfNumber(x3)}, {23, DxfNumber(y3)}};
    g.insert(g.end(), extra.begin(), extra.end());
    return Entity("SOLID", layer, g);
  }
  // A rectangle of four LINEs on `layer`.
  DxfBuilder& Rectangle(const std::string& layer, double x0, double y0, double x1, double y1) {
    Line(layer, x0, y0, x1, y0);
    Line(layer, x1, y0, x1, y1);
    Line(layer, x1, y1, x0, y1);
    return Line(layer, x0, y1, x0, y0);
  }
  // One raw group added to the entity written last.
  DxfBuilder& Add(int code, const std::string& value) {
    groups_.push_back({code, value});
    return *this;
  }

  // The drawing text with LF line ends (`crlf` for CR LF).
  std::string Build(bool crlf = false) const {
    const char* eol = crlf ? "\r\n" : "\n";
    std::string out;
    auto pair = [&](int code, const std::string& value) {
      out += std::to_string(code);
      out += eol;
      out += value;
      out += eol;
    };
    pair(0, "SECTION");
    pair(2, "ENTITIES");
    for (const DxfGroup& g : groups_) pair(g.code, g.value);
    pair(0, "ENDSEC");
    pair(0, "EOF");
    return out;
  }

  void Save(const std::filesystem::path& path, bool crlf = false) const {
    std::ofstream file(path, std::ios::binary);
    file << Build(crlf);
  }

 private:
  std::vector<DxfGroup> groups_;
};

// A scratch directory for one test, removed when the test ends.
class ScratchDirectory {
 public:
  // Test programs run side by side (ctest -j), and under AddressSanitizer two of them
  // can place their objects at the same address: the name is drawn at random and a
  // directory that exists already is never taken over.
  explicit ScratchDirectory(const std::string& name) {
    std::random_device random;
    do {
      path_ = std::filesystem::temp_directory_path() /
              ("marquill-" + name + "-" + std::to_string(random()) + std::to_string(random()));
    } while (!std::filesystem::create_directories(path_));
  }
  ~ScratchDirectory() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace mq::test
