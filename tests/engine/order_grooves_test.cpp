#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bores_test_context.h"
#include "engine/passes.h"

namespace mq {
namespace {

GrooveLine Groove(float x1, float y1, float x2, float y2, float width, float kerf) {
  GrooveLine g;
  g.X1 = x1;
  g.Y1 = y1;
  g.X2 = x2;
  g.Y2 = y2;
  g.Width = width;
  g.Kerf = kerf;
  g.Z = 8;
  g.VZ = 1500;
  g.VX = 4000;
  g.Tool = 12;
  g.Side = 2;
  return g;
}

class OrderGroovesTest : public ::testing::Test {
 protected:
  test::BoresContext t;

  const OneBasedList<LineBoreRecord>& Run(std::initializer_list<GrooveLine> grooves) {
    for (const GrooveLine& g : grooves) t.state.GrooveList.push_back(g);
    OrderGrooves(t.c);
    return t.state.LineBoreList;
  }
};

// Positions across the groove of each pass: Y for a horizontal groove, X for a vertical one.
TEST_F(OrderGroovesTest, PassesAcrossTheWidth) {
  struct Case {
    const char* name;
    GrooveLine groove;
    bool horizontal;
    std::vector<float> expected;
  };
  const Case cases[] = {
      {"10 wide, kerf 4, at Y 50", Groove(0, 50, 600, 50, 10, 4), true, {47, 50.333333f, 53}},
      {"vertical 10 wide, kerf 4, at X 50", Groove(50, 0, 50, 400, 10, 4), false, {47, 50.333333f, 53}},
      {"3 wide, kerf 4: one pass on the centre line", Groove(0, 80, 600, 80, 3, 4), true, {80}},
      {"as wide as the kerf: one pass", Groove(0, 80, 600, 80, 4, 4), true, {80}},
      {"12 wide, kerf 4: whole number of steps", Groove(0, 100, 600, 100, 12, 4), true, {96, 100, 104}},
      {"11 wide, kerf 3", Groove(0, 20, 600, 20, 11, 3), true, {16, 18.75f, 21.5f, 24}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::BoresContext fresh;
    t.state = fresh.state;
    const OneBasedList<LineBoreRecord>& passes = Run({c.groove});
    ASSERT_EQ(passes.size(), static_cast<int>(c.expected.size()));
    for (int i = 1; i <= passes.size(); ++i) {
      const LineBoreRecord& p = passes[i];
      const float expected = c.expected[static_cast<std::size_t>(i - 1)];
      if (c.horizontal) {
        EXPECT_NEAR(p.Y1, expected, 1e-4) << "pass " << i;
        EXPECT_EQ(p.Y1, p.Y2);
        EXPECT_EQ(p.X1, c.groove.X1);
        EXPECT_EQ(p.X2, c.groove.X2);
      } else {
        EXPECT_NEAR(p.X1, expected, 1e-4) << "pass " << i;
        EXPECT_EQ(p.X1, p.X2);
        EXPECT_EQ(p.Y1, c.groove.Y1);
        EXPECT_EQ(p.Y2, c.groove.Y2);
      }
      EXPECT_EQ(p.Kerf, 0) << "a pass carries no kerf";
      EXPECT_EQ(p.Width, c.groove.Width);
      EXPECT_EQ(p.Z, 8);
      EXPECT_EQ(p.VZ, 1500);
      EXPECT_EQ(p.VX, 4000);
      EXPECT_EQ(p.Tool, 12);
      EXPECT_EQ(p.Side, 2);
    }
  }
}

// The last pass lies flush with the groove's side, whatever the spacing before it.
TEST_F(OrderGroovesTest, LastPassIsFlushWithTheSide) {
  const OneBasedList<LineBoreRecord>& passes = Run({Groove(0, 50, 600, 50, 10, 4)});
  ASSERT_EQ(passes.size(), 3);
  EXPECT_EQ(passes[3].Y1, 53.0f);
  EXPECT_EQ(passes[1].Y1, 47.0f);
}

TEST_F(OrderGroovesTest, WidthZeroIsOnePassAsDrawn) {
  const OneBasedList<LineBoreRecord>& passes = Run({Groove(10, 20, 300, 140, 0, 4)});
  ASSERT_EQ(passes.size(), 1);
  EXPECT_EQ(passes[1].X1, 10);
  EXPECT_EQ(passes[1].Y1, 20);
  EXPECT_EQ(passes[1].X2, 300);
  EXPECT_EQ(passes[1].Y2, 140);
  EXPECT_EQ(passes[1].Kerf, 0);
  EXPECT_TRUE(t.run.PendingMessage.empty());
}

TEST_F(OrderGroovesTest, DiagonalWideGrooveIsSkippedAndReported) {
  const OneBasedList<LineBoreRecord>& passes = Run({Groove(10, 20, 300, 140.5f, 10, 4)});
  EXPECT_EQ(passes.size(), 0);
  EXPECT_EQ(t.run.PendingMessage, "Groove not parallel to an axis skipped: (10, 20) - (300, 140.5)\r");
}

TEST_F(OrderGroovesTest, InchMachineSawsEveryGrooveOnce) {
  t.settings.RapidoInchMode = 1;
  const OneBasedList<LineBoreRecord>& passes =
      Run({Groove(0, 50, 600, 50, 10, 4), Groove(10, 20, 300, 140, 10, 4)});
  ASSERT_EQ(passes.size(), 2);
  EXPECT_EQ(passes[1].Y1, 50);
  EXPECT_EQ(passes[1].Y2, 50);
  EXPECT_EQ(passes[2].Y2, 140) << "diagonal grooves too, as drawn";
  EXPECT_EQ(passes[2].Kerf, 0);
}

TEST_F(OrderGroovesTest, PassesFollowGrooveOrderAndMarkersAreNotCut) {
  const OneBasedList<LineBoreRecord>& passes =
      Run({Groove(0, 50, 600, 50, 10, 4), Groove(590, 60, 600, 50, -1, 0), Groove(30, 0, 30, 400, 0, 4)});
  ASSERT_EQ(passes.size(), 4);
  EXPECT_EQ(passes[4].X1, 30);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(passes[i].X2, 0) << "reversed by the marker ending at (600, 50)";
}

// A marker reverses a groove only when their end points meet, within 0.01 both ways.
TEST_F(OrderGroovesTest, DirectionMarkerReversesOnlyGroovesEndingAtIt) {
  struct Case {
    const char* name;
    float marker_end_x, marker_end_y;
    bool reversed;
  };
  const Case cases[] = {
      {"same end", 600, 50, true},
      {"0.009 off", 600.009f, 49.991f, true},
      {"0.02 to the right", 600.02f, 50, false},
      {"far to the left", 100, 50, false},
      {"far below", 600, 10, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::BoresContext fresh;
    t.state = fresh.state;
    const OneBasedList<LineBoreRecord>& passes =
        Run({Groove(0, 50, 600, 50, 0, 4),
             Groove(c.marker_end_x - 5, c.marker_end_y + 5, c.marker_end_x, c.marker_end_y, -2, 0)});
    ASSERT_EQ(passes.size(), 1);
    EXPECT_EQ(passes[1].X1, c.reversed ? 600 : 0);
    EXPECT_EQ(passes[1].X2, c.reversed ? 0 : 600);
  }
}

// Without a kerf (K0 and a saw-kerf setting of 0) no spacing exists; the groove is cut once
// on its centre line instead of in endless passes.
TEST_F(OrderGroovesTest, NoKerfGivesOnePassOnTheCentreLine) {
  const OneBasedList<LineBoreRecord>& passes = Run({Groove(0, 50, 600, 50, 10, 0)});
  ASSERT_EQ(passes.size(), 1);
  EXPECT_EQ(passes[1].Y1, 50);
}

}  // namespace
}  // namespace mq
