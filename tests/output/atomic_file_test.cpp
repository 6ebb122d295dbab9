// Result files are replaced whole or not at all.

#include "output/atomic_file.h"

#include <gtest/gtest.h>

#include "writer_fixture.h"

namespace mq {
namespace {

int FilesIn(const std::filesystem::path& directory) {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++n;
  return n;
}

TEST(WriteFileAtomically, ReplacesTheFileWithExactlyTheBytes) {
  test::ScratchDirectory dir("atomic-replace");
  const std::string path = (dir / "INDEX.IND").string();
  test::WriteFileText(path, "old contents that are longer");
  const std::string bytes("new\r\n\0x", 7);
  EXPECT_FALSE(WriteFileAtomically(path, bytes));
  EXPECT_EQ(test::ReadFileText(path), bytes);
  EXPECT_EQ(FilesIn(dir.path()), 1);
}

TEST(WriteFileAtomically, FailureLeavesTheOldFileAndNoTemporaryFile) {
  test::ScratchDirectory dir("atomic-fail");
  // A directory where the file should be: the new file cannot take its place.
  std::filesystem::create_directories(dir / "PROGRAM" / "inside");
  const auto reason = WriteFileAtomically((dir / "PROGRAM").string(), "text");
  ASSERT_TRUE(reason);
  EXPECT_FALSE(reason->empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "PROGRAM" / "inside"));
  EXPECT_EQ(FilesIn(dir.path()), 1);
  // A directory that does not exist.
  EXPECT_TRUE(WriteFileAtomically((dir / "missing" / "X").string(), "text"));
}

TEST(WriteResultFile, FailureIsReportedAndTheFileListedAsFailed) {
  test::ScratchDirectory dir("atomic-report");
  SilentOperator nobody;
  RunContext run(nobody);
  const std::string path = (dir / "missing" / "MQ.PNX").string();
  EXPECT_FALSE(WriteResultFile(run, path, "x"));
  EXPECT_EQ(run.FileFailed, kTrue);
  ASSERT_EQ(run.FailedFiles.size(), 1);
  EXPECT_EQ(run.FailedFiles[1], path);
  EXPECT_EQ(run.PendingMessage.rfind("Cannot write " + path + ": ", 0), 0u);
}

}  // namespace
}  // namespace mq
