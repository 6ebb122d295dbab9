// Saw passes across the width of each groove, in groove order.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/bores_test_context.h"
#include "engine/passes.h"
#include "engine/collect/bores_and_grooves.h"
#include "engine/drawing/text_layers.h"
#include "engine/drawing/border_collection.h"

namespace mq {
namespace {

GrooveLine Groove(float x1, float y1, float x2, float y2, float width, float kerf) {
  GrooveLine g;
  g.X1 = x1, g.Y1 = y1, g.X2 = x2, g.Y2 = y2, g.Width = width, g.Kerf = kerf;
  g.Z = 8, g.VZ = 1500, g.VX = 4000, g.Tool = 12, g.Side = 2;
  return g;
}

struct Sawn {
  test::BoresContext t;
  std::string passes;  // "x1,y1-x2,y2 wWidth" of each pass
  Sawn(const std::vector<GrooveLine>& grooves, bool inch_machine = false) {
    t.settings.RapidoInchMode = inch_machine;
    t.state.GrooveList.raw() = grooves;
    OrderGrooves(t.c);
    std::ostringstream out;
    for (const LineBoreRecord& p : t.state.LineBoreList) {
      out << p.X1 << ',' << p.Y1 << '-' << p.X2 << ',' << p.Y2 << " w" << p.Width << ' ';
      // Every pass carries the groove's data, but no kerf.
      EXPECT_EQ(std::vector<float>({p.Kerf, p.Z, p.VZ, p.VX, float(p.Tool), float(p.Side)}),
                std::vector<float>({0, 8, 1500, 4000, 12, 2}));
    }
    passes = out.str();
  }
};

TEST(OrderGrooves, PassesAcrossTheWidth) {
  const std::pair<GrooveLine, const char*> cases[] = {
      {Groove(0, 50, 600, 50, 10, 4), "0,47-600,47 w10 0,50.3333-600,50.3333 w10 0,53-600,53 w10 "},
      {Groove(50, 0, 50, 400, 10, 4), "47,0-47,400 w10 50.3333,0-50.3333,400 w10 53,0-53,400 w10 "},
      {Groove(0, 80, 600, 80, 3, 4), "0,80-600,80 w3 "},  // narrower than the kerf: the centre line
      {Groove(0, 80, 600, 80, 4, 4), "0,80-600,80 w4 "},
      {Groove(0, 100, 600, 100, 12, 4), "0,96-600,96 w12 0,100-600,100 w12 0,104-600,104 w12 "},
      {Groove(0, 20, 600, 20, 11, 3),
       "0,16-600,16 w11 0,18.75-600,18.75 w11 0,21.5-600,21.5 w11 0,24-600,24 w11 "},
      {Groove(10, 20, 300, 140, 0, 4), "10,20-300,140 w0 "},  // width 0: as drawn
      // Without a kerf (K0 and a saw-kerf setting of 0) there is no spacing: one pass on
      // the centre line instead of endless passes.
      {Groove(0, 50, 600, 50, 10, 0), "0,50-600,50 w10 "}};
  for (const auto& [groove, expected] : cases) EXPECT_EQ(Sawn({groove}).passes, expected);
  // The last pass lies flush with the groove's side, whatever the spacing before it.
  EXPECT_EQ(Sawn({Groove(0, 50, 600, 50, 10, 4)}).t.state.LineBoreList[3].Y1, 53.0f);
}

TEST(OrderGrooves, DiagonalWideGrooveIsSkippedAndReported) {
  Sawn sawn({Groove(10, 20, 300, 140.5f, 10, 4)});
  EXPECT_EQ(sawn.passes, "");
  EXPECT_EQ(sawn.t.run.PendingMessage, "Groove not parallel to an axis skipped: (10, 20) - (300, 140.5)\r");
}

TEST(OrderGrooves, InchMachineSawsEveryGrooveOnce) {
  EXPECT_EQ(Sawn({Groove(0, 50, 600, 50, 10, 4), Groove(10, 20, 300, 140, 10, 4)}, true).passes,
            "0,50-600,50 w10 10,20-300,140 w10 ");
}

// A marker (negative width) is not cut; it reverses a groove only when their end points meet
// within 0.01 both ways.
TEST(OrderGrooves, DirectionMarkersReverseOnlyGroovesEndingAtThem) {
  EXPECT_EQ(
      Sawn({Groove(0, 50, 600, 50, 10, 4), Groove(590, 60, 600, 50, -1, 0), Groove(30, 0, 30, 400, 0, 4)})
          .passes,
      "600,47-0,47 w10 600,50.3333-0,50.3333 w10 600,53-0,53 w10 30,0-30,400 w0 ");
  const std::pair<std::pair<float, float>, bool> cases[] = {{{600, 50}, true},
                                                            {{600.009f, 49.991f}, true},
                                                            {{600.02f, 50}, false},
                                                            {{100, 50}, false},
                                                            {{600, 10}, false}};
  for (const auto& [end, reversed] : cases) {
    const auto [x, y] = end;
    EXPECT_EQ(Sawn({Groove(0, 50, 600, 50, 0, 4), Groove(x - 5, y + 5, x, y, -2, 0)}).passes,
              reversed ? "600,50-0,50 w0 " : "0,50-600,50 w0 ")
        << x << ", " << y;
  }
}

}  // namespace
}  // namespace mq
