// Reads a drawing with dxflib, doing nothing with what it reads but counting the
// entities; prints the reading time in milliseconds, then the count. The benchmark
// compares the converter's reader with it.

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <chrono>
#include <cstdio>

namespace {

class Counter : public DL_CreationAdapter {
 public:
  void addPoint(const DL_PointData&) override { ++entities; }
  void addLine(const DL_LineData&) override { ++entities; }
  void addArc(const DL_ArcData&) override { ++entities; }
  void addCircle(const DL_CircleData&) override { ++entities; }
  void addPolyline(const DL_PolylineData&) override { ++entities; }
  void addVertex(const DL_VertexData&) override { ++entities; }
  void addText(const DL_TextData&) override { ++entities; }
  long entities = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const auto start = std::chrono::steady_clock::now();
  Counter counter;
  DL_Dxf dxf;
  if (!dxf.in(argv[1], &counter)) return 1;
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.3f\n%ld entities\n", ms, counter.entities);
  return 0;
}
