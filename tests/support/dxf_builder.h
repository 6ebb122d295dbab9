#pragma once
// Writes small ASCII DXF drawings for tests: an ENTITIES section of the entities
// added, with whatever extra groups a case needs, ended by ENDSEC and EOF.

#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace mq::test {

struct DxfGroup {
  int code;
  std::string value;
};

struct DxfVertex {
  double x = 0, y = 0, bulge = 0;
};

class DxfBuilder {
 public:
  using Extras = std::vector<DxfGroup>;

  // An entity of its own groups, then the `extra` ones a case adds.
  DxfBuilder& Entity(const std::string& type, const std::string& layer, Extras groups = {},
                     const Extras& extra = {}) {
    return Add(0, type).Add(8, layer).Add(groups).Add(extra);
  }
  DxfBuilder& Line(const std::string& layer, double x1, double y1, double x2, double y2, Extras extra = {}) {
    return Entity("LINE", layer, {{10, N(x1)}, {20, N(y1)}, {30, "0"}, {11, N(x2)}, {21, N(y2)}, {31, "0"}},
                  extra);
  }
  DxfBuilder& Point(const std::string& layer, double x, double y, Extras extra = {}) {
    return Entity("POINT", layer, {{10, N(x)}, {20, N(y)}, {30, "0"}}, extra);
  }
  DxfBuilder& Circle(const std::string& layer, double cx, double cy, double r, Extras extra = {}) {
    return Entity("CIRCLE", layer, {{10, N(cx)}, {20, N(cy)}, {30, "0"}, {40, N(r)}}, extra);
  }
  // DXF angles: the arc runs counter-clockwise from `start` to `end` (degrees).
  DxfBuilder& Arc(const std::string& layer, double cx, double cy, double r, double start, double end,
                  Extras extra = {}) {
    return Entity("ARC", layer,
                  {{10, N(cx)}, {20, N(cy)}, {30, "0"}, {40, N(r)}, {50, N(start)}, {51, N(end)}}, extra);
  }
  DxfBuilder& Text(const std::string& layer, double x, double y, const std::string& text, Extras extra = {}) {
    return Entity("TEXT", layer, {{10, N(x)}, {20, N(y)}, {30, "0"}, {40, "2.5"}, {1, text}}, extra);
  }
  // An R12 polyline: POLYLINE, VERTEX records on layer "0" (they take the polyline's
  // layer when read), SEQEND. `flags` 1 closes it.
  DxfBuilder& Polyline(const std::string& layer, const std::vector<DxfVertex>& vertices, int flags = 0,
                       Extras extra = {}) {
    Entity("POLYLINE", layer, {{66, "1"}, {10, "0"}, {20, "0"}, {30, "0"}, {70, std::to_string(flags)}},
           extra);
    for (const DxfVertex& v : vertices)
      Entity("VERTEX", "0", {{10, N(v.x)}, {20, N(v.y)}, {30, "0"}}, Bulge(v));
    return Entity("SEQEND", "0");
  }
  DxfBuilder& LwPolyline(const std::string& layer, const std::vector<DxfVertex>& vertices, int flags = 0,
                         Extras extra = {}) {
    Entity("LWPOLYLINE", layer, {{90, std::to_string(vertices.size())}, {70, std::to_string(flags)}}, extra);
    for (const DxfVertex& v : vertices) Add(10, N(v.x)).Add(20, N(v.y)).Add(Bulge(v));
    return *this;
  }
  // A SOLID given by its first, second and third corners (the fourth repeats the third).
  DxfBuilder& Solid(const std::string& layer, double x1, double y1, double x2, double y2, double x3,
                    double y3, Extras extra = {}) {
    // clang-format off
    return Entity("SOLID", layer, {{10, N(x1)}, {20, N(y1)}, {11, N(x2)}, {21, N(y2)}, {12, N(x3)}, {22, N(y3)},
                                   {13, N(x3)}, {23, N(y3)}}, extra);
    // clang-format on
  }
  // A rectangle of four LINEs on `layer`.
  DxfBuilder& Rectangle(const std::string& layer, double x0, double y0, double x1, double y1) {
    Line(layer, x0, y0, x1, y0);
    Line(layer, x1, y0, x1, y1);
    Line(layer, x1, y1, x0, y1);
    return Line(layer, x0, y1, x0, y0);
  }
  // One raw group added to the entity written last.
  DxfBuilder& Add(int code, const std::string& value) { return Add({{code, value}}); }
  DxfBuilder& Add(const Extras& groups) {
    groups_.insert(groups_.end(), groups.begin(), groups.end());
    return *this;
  }

  // The drawing text with LF line ends (`crlf` for CR LF).
  std::string Build(bool crlf = false) const {
    const std::string eol = crlf ? "\r\n" : "\n";
    std::vector<DxfGroup> all{{0, "SECTION"}, {2, "ENTITIES"}};
    all.insert(all.end(), groups_.begin(), groups_.end());
    all.insert(all.end(), {{0, "ENDSEC"}, {0, "EOF"}});
    std::string out;
    for (const DxfGroup& g : all) out += std::to_string(g.code) + eol + g.value + eol;
    return out;
  }

  void Save(const std::filesystem::path& path, bool crlf = false) const {
    std::ofstream file(path, std::ios::binary);
    file << Build(crlf);
  }

 private:
  static std::string N(double v) {
    std::ostringstream s;
    s.precision(10);
    s << v;
    return s.str();
  }
  static Extras Bulge(const DxfVertex& v) { return v.bulge != 0 ? Extras{{42, N(v.bulge)}} : Extras{}; }

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

// A path text as the file system tells paths apart: Windows finds "C:\CAD\PART1" as
// written whatever the case on disk, so paths that name the same file compare equal there.
inline std::string AsFileSystemCompares(std::string path) {
#if defined(_WIN32)
  for (char& ch : path) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
#endif
  return path;
}

}  // namespace mq::test
