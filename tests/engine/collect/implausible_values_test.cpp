// Values no panel can mean never become machine code: the drawing fails and says where;
// moves far off the panel are written but warned about, once per layer.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/conversion.h"

namespace mq {
namespace {

struct ValueCase {
  const char* name;
  test::DxfBuilder drawing;
  std::string said;  // the report line that holds it; the drawing failed unless it is a warning
  bool warning;
};

test::DxfBuilder Panel() { return test::PanelOfLines(0, 0, "BORDER Z19"); }

test::DxfBuilder InsideCut(const std::string& layer) {
  return Panel().Polyline(layer, {{200, 100}, {400, 100}, {400, 300}, {200, 300}}, 1);
}

TEST(ImplausibleValues, FailTheDrawingOrWarnNamingLayerAndLine) {
  // The panel's four lines take drawing lines 1 to 68; the next entity starts at line 69.
  const ValueCase cases[] = {
      {"a bore 1e38 away", Panel().Point("VBORE D5 Z12", 1e38, 100),
       "Value that cannot be meant on layer VBORE D5 Z12 (drawing line 69): X = 1e+38 is beyond 100000 mm",
       false},
      {"an arc of radius 200 m", Panel().Arc("ROUTE Z5 T1", 100, 100, 2e5, 0, 90),
       "Value that cannot be meant on layer ROUTE Z5 T1 (drawing line 69): radius = 200000 is beyond 100000 "
       "mm",
       false},
      {"a depth code of 200 m", Panel().Point("VBORE D5 Z200000", 100, 100),
       "Value that cannot be meant on layer VBORE D5 Z200000 (drawing line 69): Z = 200000 is beyond 100000 "
       "mm",
       false},
      {"a routed circle of radius 0", Panel().Circle("ROUTE Z5 T1", 100, 100, 0),
       "Value that cannot be meant on layer ROUTE Z5 T1 (drawing line 69): a routed circle has radius 0",
       false},
      {"a lead-in of 100 m", InsideCut("ROUTE Z5 T1 D10 L LD100000"),
       "Moves leave the panel by more than the tool diameter and 50 mm on layer ROUTE Z5 T1 D10 L LD100000",
       true},
      {"a ramp 100 m high", InsideCut("ROUTE Z5 T1 D10 L LD5 RI100000"),
       "Moves leave the panel by more than the tool diameter and 50 mm on layer ROUTE Z5 T1 D10 L LD5 "
       "RI100000",
       true},
  };
  for (const ValueCase& k : cases) {
    test::Conversion c(k.drawing);
    const std::vector<std::string> lines = c.Process();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), k.said), 1) << k.name << ":\n" << c.run.PendingMessage;
    EXPECT_EQ(c.run.FileFailed, !k.warning) << k.name;
    EXPECT_EQ(c.Written("out/PART").empty(), !k.warning) << k.name << ": a warning still writes the program";
  }
  test::Conversion normal(InsideCut("ROUTE Z5 T1 D10 R LD5 RI2"));  // its leads lie inside it
  normal.Process();
  EXPECT_FALSE(normal.run.FileFailed);
  EXPECT_TRUE(normal.run.Warnings.empty()) << normal.run.PendingMessage;
}

}  // namespace
}  // namespace mq
