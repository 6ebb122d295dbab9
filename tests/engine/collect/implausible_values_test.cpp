// Moves far off the panel are written but warned about, once per layer. The values no
// panel can mean, which fail the drawing, are the golden case aborted_drawings.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/conversion.h"

namespace mq {
namespace {

test::DxfBuilder InsideCut(const std::string& layer) {
  return test::PanelOfLines(0, 0, "BORDER Z19")
      .Polyline(layer, {{200, 100}, {400, 100}, {400, 300}, {200, 300}}, 1);
}

TEST(ImplausibleValues, MovesFarOffThePanelAreWrittenButWarnedAbout) {
  // A lead-in of 100 m, a ramp 100 m high.
  for (const std::string layer : {"ROUTE Z5 T1 D10 L LD100000", "ROUTE Z5 T1 D10 L LD5 RI100000"}) {
    test::Conversion c(InsideCut(layer));
    const std::vector<std::string> lines = c.Process();
    const std::string said =
        "Moves leave the panel by more than the tool diameter and 50 mm on layer " + layer;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), said), 1) << c.run.PendingMessage;
    EXPECT_FALSE(c.run.FileFailed) << layer;
    EXPECT_FALSE(c.Written("out/PART").empty()) << layer << ": a warning still writes the program";
  }
  test::Conversion normal(InsideCut("ROUTE Z5 T1 D10 R LD5 RI2"));  // its leads lie inside it
  normal.Process();
  EXPECT_FALSE(normal.run.FileFailed);
  EXPECT_TRUE(normal.run.Warnings.empty()) << normal.run.PendingMessage;
}

}  // namespace
}  // namespace mq
