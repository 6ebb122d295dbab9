// A drawing of 2,000,000 entities converts to its end: no crash, no hang, its program
// whole. Labelled slow: it writes and reads a drawing of about 100 MB.

#include <gtest/gtest.h>

#include <fstream>

#include "support/conversion.h"

namespace mq {
namespace {

TEST(HugeDrawing, TwoMillionEntitiesConvert) {
  constexpr int kEntities = 2000000;
  test::Conversion c(test::PanelOfLines(0, 0, "BORDER Z19").Line("ROUTE Z5 T5", 100, 100, 200, 100));
  {  // The panel, then the points of a layer no pass machines, written straight out.
    std::string text = test::PanelOfLines(0, 0, "BORDER Z19").Line("ROUTE Z5 T5", 100, 100, 200, 100).Build();
    text.erase(text.rfind("0\nENDSEC"));
    std::ofstream file(c.dir / "PART.DXF", std::ios::binary);
    file << text;
    for (int i = 0; i < kEntities; ++i) {
      file << "0\nPOINT\n8\nNOTES\n10\n" << i % 600 << "\n20\n" << i % 400 << "\n30\n0\n";
    }
    file << "0\nENDSEC\n0\nEOF\n";
  }
  const std::vector<std::string> lines = c.Process();
  EXPECT_FALSE(c.run.FileFailed) << c.run.PendingMessage;
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "CONVERSION COMPLETED.  4 Lines");
  EXPECT_TRUE(c.Written("out/PART").ends_with("\"end\"\r\n"));
}

}  // namespace
}  // namespace mq
