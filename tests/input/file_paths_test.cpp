// Drawings named as the CAD program or an operator writes them, found as the file
// system holds them.

#include "input/file_paths.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/dxf_builder.h"

namespace mq {
namespace {

TEST(FilePaths, FoundAndSpeltAsTheDirectoryListsThem) {
  test::ScratchDirectory dir("paths");
  std::ofstream(dir / "TEMP.DXF") << "0\nEOF\n";
  std::ofstream(dir / "side.dxf") << "0\nEOF\n";
  const std::string at = dir.path().string() + "/";
  // Written, found, spelt as stored.
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"Temp.DXF", "TEMP.DXF", "TEMP.DXF"},
      {"TEMP.DXF", "TEMP.DXF", "TEMP.DXF"},
      {"SIDE.DXF", "side.dxf", "side.dxf"},
      {"GONE.DXF", "-", "GONE.DXF"}};
  for (const auto& [written, found, stored] : cases) {
    EXPECT_EQ(test::AsFileSystemCompares(FindExistingFile(at + written).value_or(at + "-")),
              test::AsFileSystemCompares(at + found))
        << written;
    EXPECT_EQ(SpelledAsStored(at + written), at + stored) << written;
  }
}

}  // namespace
}  // namespace mq
