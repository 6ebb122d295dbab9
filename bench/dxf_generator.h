#pragma once
// Writes synthetic drawings for the benchmarks, shaped like what CAD programs write since
// DXF R2000: CR LF line ends, right-aligned group codes, handles and subclass markers,
// a HEADER to skip. Deterministic.
//
// The drawings are made of cabinet panels: system-32 bore rows along Y and short rows
// along X, dowel bores, drills, a slot routed as a bulged polyline, a cut-out with
// rounded corners drawn as lines and arcs, edge bores and a groove; on a sheet each
// panel's outline is routed too.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace mq::bench {

class DxfGenerator {
 public:
  // A drawing of entities until the file holds at least `target_bytes`; returns the size.
  // A mix of records for the reader alone; not a drawing that converts.
  static uint64_t Write(const std::string& path, uint64_t target_bytes) {
    DxfGenerator g(path);
    for (uint64_t n = 0; g.written_ + g.out_.size() < target_bytes; ++n) g.Mixed(n);
    return g.Finish();
  }

  // One cabinet side of about 100 entities.
  static uint64_t CabinetSide(const std::string& path) {
    DxfGenerator g(path);
    g.Rectangle("BORDER Z18", 0, 0, 560, 720);
    g.Text("BORDER", 10, 730, "DESC SIDE PANEL LEFT");
    g.Panel(0, 0, 560, 720, false);
    return g.Finish();
  }

  // A 2800 x 2070 sheet nested with `columns` x `rows` panels, each outline routed.
  static uint64_t NestedSheet(const std::string& path, int columns = 14, int rows = 13) {
    DxfGenerator g(path);
    g.Sheet(0, columns, rows);
    return g.Finish();
  }

  // `sheets` nested sheets side by side in one file (for the reader: no single panel).
  static uint64_t SheetStack(const std::string& path, int sheets = 20) {
    DxfGenerator g(path);
    for (int s = 0; s < sheets; ++s) g.Sheet(3000.0 * s, 14, 13);
    return g.Finish();
  }

  // One large panel with `bores` bores in 32 mm columns and `contours` routed contours:
  // every fifth a rounded rectangle of lines and arcs, the others bulged polylines of
  // `vertices` vertices, all with leads.
  static uint64_t StressPart(const std::string& path, int bores = 20000, int contours = 5000,
                             int vertices = 40) {
    DxfGenerator g(path);
    const double width = 12000, height = 6000;
    g.Rectangle("BORDER Z19", 0, 0, width, height);
    const int per_column = 100;  // 100 bores 32 mm apart along Y
    for (int b = 0; b < bores; ++b) {
      const int column = b / per_column;
      g.Point("VBORE D5 Z12", 37 + 59.0 * column, 37 + 32.0 * (b % per_column));
    }
    const int across = 100;
    for (int k = 0; k < contours; ++k) {
      const double x = 30 + 119.0 * (k % across), y = 3300 + 53.0 * (k / across);
      if (k % 5 == 0) {
        g.RoundedRectangle("ROUTE1 Z19 T32 D8 F4000 FD1500 L LD20", x, y, x + 90, y + 40, 6);
      } else {
        g.BulgedRing("ROUTE2 Z10 T31 D12 F6000 FD2000 R LD10", x + 45, y + 20, 18, vertices);
      }
    }
    return g.Finish();
  }

 private:
  explicit DxfGenerator(const std::string& path) : file_(path, std::ios::binary) {
    Pair(0, "SECTION");
    Pair(2, "HEADER");
    Pair(9, "$ACADVER");
    Pair(1, "AC1015");
    Pair(9, "$EXTMIN");
    Pair(10, "-12.5");
    Pair(20, "-3.0");
    Pair(0, "ENDSEC");
    Pair(0, "SECTION");
    Pair(2, "ENTITIES");
  }

  uint64_t Finish() {
    Pair(0, "ENDSEC");
    Pair(0, "EOF");
    Flush();
    return written_;
  }

  void Flush() {
    file_ << out_;
    written_ += out_.size();
    out_.clear();
  }

  void Pair(int code, const std::string& value) {
    char code_text[8];
    std::snprintf(code_text, sizeof code_text, "%3d", code);
    out_ += code_text;
    out_ += "\r\n";
    out_ += value;
    out_ += "\r\n";
    if (out_.size() > (1u << 20)) Flush();
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
  void At(double x, double y) { Number(10, x), Number(20, y), Number(30, 0.0); }

  void Line(const std::string& layer, double x1, double y1, double x2, double y2) {
    Head("LINE", "AcDbLine", layer);
    At(x1, y1);
    Number(11, x2), Number(21, y2), Number(31, 0.0);
  }
  void Rectangle(const std::string& layer, double x1, double y1, double x2, double y2) {
    Line(layer, x1, y1, x2, y1);
    Line(layer, x2, y1, x2, y2);
    Line(layer, x2, y2, x1, y2);
    Line(layer, x1, y2, x1, y1);
  }
  void Point(const std::string& layer, double x, double y) {
    Head("POINT", "AcDbPoint", layer);
    At(x, y);
  }
  void Circle(const std::string& layer, double x, double y, double r) {
    Head("CIRCLE", "AcDbCircle", layer);
    At(x, y);
    Number(40, r);
  }
  void Arc(const std::string& layer, double x, double y, double r, double from, double to) {
    Head("ARC", "AcDbCircle", layer);
    At(x, y);
    Number(40, r);
    Pair(100, "AcDbArc");
    Number(50, from), Number(51, to);
  }
  void Text(const std::string& layer, double x, double y, const std::string& text) {
    Head("TEXT", "AcDbText", layer);
    At(x, y);
    Number(40, 2.5);
    Pair(1, text);
    Pair(100, "AcDbText");
  }
  // A closed slot: two straight sides and two half-circle ends (bulge 1).
  void Slot(const std::string& layer, double x, double y, double length, double width) {
    Head("LWPOLYLINE", "AcDbPolyline", layer);
    Pair(90, "4");
    Pair(70, "1");
    Number(43, 0.0);
    const double xs[4] = {x, x + length, x + length, x}, ys[4] = {y, y, y + width, y + width};
    const double bulges[4] = {0, 1, 0, 1};
    for (int v = 0; v < 4; ++v) {
      Number(10, xs[v]), Number(20, ys[v]);
      if (bulges[v] != 0) Number(42, bulges[v]);
    }
  }
  // A closed R12 polyline of `n` vertices round (x, y), every other piece bulged.
  void BulgedRing(const std::string& layer, double x, double y, double r, int n) {
    Head("POLYLINE", "AcDb2dPolyline", layer);
    Pair(66, "1");
    At(0, 0);
    Pair(70, "1");
    for (int v = 0; v < n; ++v) {
      const double a = 6.283185307179586 * v / n;
      Head("VERTEX", "AcDbVertex", layer);
      Pair(100, "AcDb2dVertex");
      At(x + r * std::cos(a), y + r * std::sin(a));
      if (v % 2 == 1) Number(42, 0.05);
    }
    Head("SEQEND", "AcDbEntity", layer);
  }
  // A rectangle with rounded corners: four lines and four quarter arcs.
  void RoundedRectangle(const std::string& layer, double x1, double y1, double x2, double y2, double r) {
    Line(layer, x1 + r, y1, x2 - r, y1);
    Arc(layer, x2 - r, y1 + r, r, 270, 360);
    Line(layer, x2, y1 + r, x2, y2 - r);
    Arc(layer, x2 - r, y2 - r, r, 0, 90);
    Line(layer, x2 - r, y2, x1 + r, y2);
    Arc(layer, x1 + r, y2 - r, r, 90, 180);
    Line(layer, x1, y2 - r, x1, y1 + r);
    Arc(layer, x1 + r, y1 + r, r, 180, 270);
  }

  // A cabinet panel's operations, with its corner at (x, y). A nested panel carries a
  // hinge-plate grid and more hardware than a cabinet side.
  void Panel(double x, double y, double w, double h, bool nested) {
    const std::string rows = "VBORE D5 Z12";
    const std::vector<double> columns =
        nested ? std::vector<double>{37, 69, w - 69, w - 37} : std::vector<double>{37, w - 37};
    for (double by = 37; by <= h - 37; by += 32) {
      for (const double bx : columns) Point(rows, x + bx, y + by);
      if (nested) {
        for (const double gx : {0.45, 0.55}) Point(rows, x + w * gx, y + by);
      }
    }
    for (double bx = 101; bx <= w - 101; bx += 32) {
      Point(rows, x + bx, y + 9.5);
      Point(rows, x + bx, y + h - 9.5);
    }
    for (const double fx : {0.25, 0.75}) {
      for (const double fy : {0.3, 0.7}) Circle("VBORE D8 Z12", x + w * fx, y + h * fy, 4);
    }
    Point("DRILL Z10", x + w / 2, y + h / 2);
    Slot("ROUTE Z19 T31 D12 F6000 FD2000 R LD10", x + w * 0.3, y + h * 0.15, w * 0.3, 12);
    RoundedRectangle("ROUTE1 Z19 T32 D8 F4000 FD1500 L LD20", x + w * 0.3, y + h * 0.4, x + w * 0.7,
                     y + h * 0.65, 8);
    Arc("ROUTE3 Z6 T32 D8 F4000", x + w / 2, y + h * 0.8, w * 0.1, 200, 340);
    if (nested) {
      Circle("ROUTE4 Z19 T32 D8 F4000 L LD5", x + w * 0.15, y + h * 0.5, 15);
      Slot("ROUTE Z19 T31 D12 F6000 FD2000 R LD10", x + w * 0.6, y + h * 0.85, w * 0.2, 10);
    }
    Line("GROOVE Z8 T61", x, y + h * 0.9, x + w, y + h * 0.9);
    for (const double fy : {0.2, 0.8}) {
      if (nested) {  // a sheet's router drills no panel edges: the edge bores are noted
        Text("NOTES", x + 5, y + h * fy, "EDGE BORES 2 X 8");
        Text("NOTES", x + w - 60, y + h * fy, "EDGE BORES 2 X 8");
      } else {
        Line("HBORE Z9 T71 F3000", x, y + h * fy, x + 30, y + h * fy);
        Line("HBORE Z9 T71 F3000", x + w, y + h * fy, x + w - 30, y + h * fy);
      }
    }
    Text("NOTES", x + 5, y + 5, "PART " + std::to_string(++part_));
    if (nested) Rectangle("ROUTE9 Z19 T31 D12 F6000 FD2000 R", x, y, x + w, y + h);
  }

  // A 2800 x 2070 sheet from `x`, its border and its nested panels.
  void Sheet(double x, int columns, int rows) {
    const double width = 2800, height = 2070, gap = 12;
    Rectangle("BORDER Z19", x, 0, x + width, height);
    const double w = (width - gap) / columns - gap, h = (height - gap) / rows - gap;
    for (int c = 0; c < columns; ++c) {
      for (int r = 0; r < rows; ++r) Panel(x + gap + c * (w + gap), gap + r * (h + gap), w, h, true);
    }
  }

  // A coordinate that wanders over a 2800 x 2070 panel.
  static double Coord(uint64_t n, int salt) {
    return static_cast<double>((n * 7919 + static_cast<uint64_t>(salt) * 104729) % 280000) / 100.0;
  }

  void Mixed(uint64_t n) {
    const double x = Coord(n, 1), y = Coord(n, 2) * 0.74;
    switch (n % 10) {
      case 0:
      case 1:
      case 2:
      case 3:
        Line(n % 2 ? "BORDER" : "ROUTE3 D5 F3000 T3", x, y, x + 35.5, y + 12.25);
        break;
      case 4:
        Circle("VBORE12 D8 T5", x, y, 4.0);
        break;
      case 5:
        Arc("ROUTE1 D12P5 F3000 T3 R", x, y, 25.0, 0.0, 90.0);
        break;
      case 6:
        Text("NOTES", x, y, "SIDE PANEL LEFT " + std::to_string(n));
        break;
      case 7:
        Slot("EXCAV D4 T2", x, y, 10, 10);
        break;
      case 8:
        BulgedRing("ROUTE2 D6 F2500", x, y, 5, 3);
        break;
      default:
        Head("POINT", "AcDbPoint", "HBORE D8 T7");
        Number(10, x), Number(20, y), Number(30, -9.0);
        Number(210, 0), Number(220, -1), Number(230, 0);
        break;
    }
  }

  std::ofstream file_;
  std::string out_;
  uint64_t written_ = 0;
  uint64_t handle_ = 0x100;
  int part_ = 0;
};

}  // namespace mq::bench
