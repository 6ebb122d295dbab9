#pragma once
// Random route pieces for the tests that pin a fast pass against the plain rule it
// implements: points on a coarse grid, so that ends coincide, distances tie and
// directions repeat.

#include <random>

#include "engine/driver/machining_records.h"
#include "input/one_based_list.h"

namespace mq::test {

class RandomPaths {
 public:
  explicit RandomPaths(unsigned seed, int places = 4) : random_(seed), places_(places) {}

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  float Coordinate() { return 10.0f * static_cast<float>(Pick(places_ + 1)); }

  PathSegment Point(int16_t type, int16_t layer) {
    PathSegment s;
    s.X = Coordinate(), s.Y = Coordinate(), s.SegmentType = type, s.LayerNumber = layer;
    return s;
  }

  // A line, a centre arc, a three-point chain or a polyline (now and then a
  // constant-width one), on one of `layers` route layers.
  void AddPiece(OneBasedList<PathSegment>& path, int layers) {
    const auto layer = static_cast<int16_t>(1 + Pick(layers));
    const int kind = Pick(5);
    const int16_t type = kind == 0   ? segment::kLine
                         : kind == 1 ? segment::kCentreArc
                         : kind == 2 ? segment::kThreePoint
                                     : segment::kPolyline;
    const int points = type == segment::kLine || type == segment::kCentreArc ? 2 : 2 + Pick(4);
    for (int k = 0; k < points; ++k) {
      PathSegment s = Point(k == 0 ? static_cast<int16_t>(-type) : type, layer);
      if (k == 0 && kind == 4 && Pick(3) == 0) s.SegmentType = -segment::kConstantWidth;
      if (type == segment::kPolyline && Pick(3) == 0) s.CentreY = 0.25f, s.CentreX = -1;
      if (type == segment::kCentreArc) s.CentreX = Coordinate(), s.CentreY = Coordinate();
      path.push_back(s);
    }
  }

 private:
  std::mt19937 random_;
  int places_;
};

}  // namespace mq::test
