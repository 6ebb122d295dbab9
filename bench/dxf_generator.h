#pragma once
// Writes large synthetic drawings for the reader benchmark, shaped like what CAD
// programs write since DXF R2000: CR LF line ends, right-aligned group codes,
// handles and subclass markers, a HEADER to skip, and a cabinet panel's mix of lines,
// arcs, circles (bores), texts and polylines of both forms. Deterministic.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace mq::bench {

class DxfGenerator {
 public:
  // Writes entities until the file holds at least `target_bytes`; returns the size.
  static uint64_t Write(const std::string& path, uint64_t target_bytes) {
    std::ofstream file(path, std::ios::binary);
    DxfGenerator g;
    g.Pair(0, "SECTION");
    g.Pair(2, "HEADER");
    g.Pair(9, "$ACADVER");
    g.Pair(1, "AC1015");
    g.Pair(9, "$EXTMIN");
    g.Pair(10, "-12.5");
    g.Pair(20, "-3.0");
    g.Pair(0, "ENDSEC");
    g.Pair(0, "SECTION");
    g.Pair(2, "ENTITIES");
    uint64_t written = 0;
    for (uint64_t n = 0; written + g.out_.size() < target_bytes; ++n) {
      g.Entity(n);
      if (g.out_.size() > (1u << 20)) {
        written += g.out_.size();
        file << g.out_;
        g.out_.clear();
      }
    }
    g.Pair(0, "ENDSEC");
    g.Pair(0, "EOF");
    written += g.out_.size();
    file << g.out_;
    return written;
  }

 private:
  void Pair(int code, const std::string& value) {
    char code_text[8];
    std::snprintf(code_text, sizeof code_text, "%3d", code);
    out_ += code_text;
    out_ += "\r\n";
    out_ += value;
    out_ += "\r\n";
  }
  void Number(int code, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    Pair(code, text);
  }
  void Head(const char* type, const char* subclass, const std::string& layer) {
    Pair(0, type);
    char handle[16];
    std::snprintf(handle, sizeof handle, "%llX", static_cast<unsigned long long>(++handle_));
    Pair(5, handle);
    Pair(330, "1F");
    Pair(100, "AcDbEntity");
    Pair(8, layer);
    Pair(100, subclass);
  }
  // A coordinate that wanders over a 2800 x 2070 panel.
  double Coord(uint64_t n, int salt) const { return static_cast<double>((n * 7919 + salt * 104729) % 280000) / 100.0; }

  void Entity(uint64_t n) {
    const double x = Coord(n, 1), y = Coord(n, 2) * 0.74;
    switch (n % 10) {
      case 0:
      case 1:
      case 2:
      case 3:
        Head("LINE", "AcDbLine", n % 2 ? "BORDER" : "ROUTE3 D5 F3000 T3");
        Number(10, x), Number(20, y), Number(30, 0.0);
        Number(11, x + 35.5), Number(21, y + 12.25), Number(31, 0.0);
        break;
      case 4:
        Head("CIRCLE", "AcDbCircle", "VBORE12 D8 T5");
        Number(10, x), Number(20, y), Number(30, 0.0), Number(40, 4.0);
        break;
      case 5:
        Head("ARC", "AcDbCircle", "ROUTE1 D12P5 F3000 T3 R");
        Number(10, x), Number(20, y), Number(30, 0.0), Number(40, 25.0);
        Pair(100, "AcDbArc");
        Number(50, 0.0), Number(51, 90.0);
        break;
      case 6:
        Head("TEXT", "AcDbText", "NOTES");
        Number(10, x), Number(20, y), Number(30, 0.0), Number(40, 2.5);
        Pair(1, "SIDE PANEL LEFT " + std::to_string(n));
        Pair(100, "AcDbText");
        break;
      case 7:
        Head("LWPOLYLINE", "AcDbPolyline", "EXCAV D4 T2");
        Pair(90, "4");
        Pair(70, "1");
        Number(43, 0.0);
        for (int v = 0; v < 4; ++v) Number(10, x + v * 10), Number(20, y + (v % 2) * 10);
        break;
      case 8:
        Head("POLYLINE", "AcDb2dPolyline", "ROUTE2 D6 F2500");
        Pair(66, "1");
        Number(10, 0), Number(20, 0), Number(30, 0);
        Pair(70, "0");
        for (int v = 0; v < 3; ++v) {
          Head("VERTEX", "AcDbVertex", "ROUTE2 D6 F2500");
          Pair(100, "AcDb2dVertex");
          Number(10, x + v * 5), Number(20, y - v * 5), Number(30, 0);
          if (v == 1) Number(42, 0.414214);
        }
        Head("SEQEND", "AcDbEntity", "ROUTE2 D6 F2500");
        break;
      default:
        Head("POINT", "AcDbPoint", "HBORE D8 T7");
        Number(10, x), Number(20, y), Number(30, -9.0);
        Number(210, 0), Number(220, -1), Number(230, 0);
        break;
    }
  }

  std::string out_;
  uint64_t handle_ = 0x100;
};

}  // namespace mq::bench
