// Z oscillation of through-cut routes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"
#include "support/path_builder.h"

namespace mq {
namespace {

using test::PathBuilder;

constexpr float kThickness = 19;
constexpr float kThrough = 20;

PathSegment Oscillating(float depth, float height) {
  PathSegment r = test::RouteRecord(depth);
  r.OZ = height;
  return r;
}

// An open polyline along X through the given X positions.
PathBuilder& AlongX(PathBuilder& b, const PathSegment& defaults, const std::vector<float>& xs) {
  std::vector<test::BuildVertex> vertices;
  for (float x : xs) vertices.push_back({x, 0});
  return b.Defaults(defaults).Polyline(vertices, false);
}

struct Oscillation : test::PassHarness {
  explicit Oscillation(const OneBasedList<PathSegment>& list) {
    state.PartThickness = kThickness;
    path() = list;
    OscillateRoutes(context);
  }
  std::vector<float> Depths() const {
    std::vector<float> z;
    for (const PathSegment& r : state.PathList) z.push_back(r.Z);
    return z;
  }
};

TEST(ZOscillation, OffsetsRiseAndFallAtHalfTheDistanceTravelled) {
  struct Case {
    const char* name;
    std::vector<float> xs;
    std::vector<float> offsets;  // of the points after the first, which keeps its depth
  };
  const Case cases[] = {
      // A = 4 and 2 mm pieces: each limit is held for two points.
      {"TwoMillimetrePieces", {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22}, {1, 2, 3, 4, 4, 3, 2, 1, 0, 0, 1}},
      // At exactly 4 while rising, a 20 mm piece would be clamped at 4 again: it jumps to 0.
      {"LongPieceAtTheLimitJumps", {0, 2, 4, 6, 8, 28, 30}, {1, 2, 3, 4, 0, 1}},
  };
  for (const Case& c : cases) {
    PathBuilder b;
    Oscillation o(AlongX(b, Oscillating(kThrough, 4), c.xs).Build());
    std::vector<float> expected{kThrough};
    for (float offset : c.offsets) expected.push_back(kThrough + offset);
    EXPECT_EQ(o.Depths(), expected) << c.name;
    EXPECT_TRUE(o.PendingLines().empty()) << c.name;
  }
}

TEST(ZOscillation, LinePiecesCarryTheirEndDepthBackToTheirStart) {
  PathBuilder b;
  Oscillation o(b.Defaults(Oscillating(kThrough, 4)).Lines({{0, 0}, {4, 0}, {8, 0}, {10, 0}}).Build());
  // Offsets 2 after 4 mm, 4 after 4 more, held at 4 after 2 more; each piece's start takes
  // its end's depth, except the contour's first record.
  EXPECT_EQ(o.Depths(), (std::vector<float>{20, 22, 24, 24, 24, 24}));
}

TEST(ZOscillation, PointsWithoutDepthAreNeverChanged) {
  PathBuilder b;
  OneBasedList<PathSegment> path = AlongX(b, Oscillating(kThrough, 4), {0, 2, 4, 6}).Build();
  path[3].Z = 95;
  Oscillation o(path);
  // 2 mm on from the skipped point: the point without depth does not count.
  EXPECT_EQ(o.Depths(), (std::vector<float>{20, 21, 95, 22}));
}

TEST(ZOscillation, EachMarkedContourStartsAgainFromItsDepth) {
  PathBuilder b;
  AlongX(b, Oscillating(kThrough, 4), {0, 2, 4});
  Oscillation o(AlongX(b, Oscillating(kThrough, 2), {10, 12, 14}).Build());
  EXPECT_EQ(o.Depths(), (std::vector<float>{20, 21, 22, 20, 21, 22}));  // A = 2: 2 mm pieces move by 1
}

TEST(ZOscillation, ShallowRoutesAreUnchangedAndWarnedAboutOnceForTheDrawing) {
  PathBuilder shallow;
  AlongX(shallow, Oscillating(12, 3), {0, 50, 100});
  AlongX(shallow, Oscillating(12, 3), {200, 250});
  AlongX(shallow, Oscillating(kThickness, 2), {300, 360});  // exactly the thickness: not through
  const Oscillation o(shallow.Build());
  EXPECT_EQ(o.state.PathList, shallow.Build());
  EXPECT_EQ(o.PendingLines(), std::vector<std::string>{"OSCILLATION IN Z attempted on shallow route!"});
  PathBuilder no_height;
  const Oscillation through(AlongX(no_height, Oscillating(kThrough, 0), {0, 10, 20}).Build());
  EXPECT_EQ(through.state.PathList, no_height.Build());
  EXPECT_TRUE(through.PendingLines().empty()) << "a through-cut without height is no shallow route";
}

}  // namespace
}  // namespace mq
