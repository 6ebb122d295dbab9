// Files that several runs change at once: no line lost, no file mixed or half written.

#include "output/shared_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/dxf_builder.h"
#include "support/golden_cases.h"

namespace mq {
namespace {

// Jobs of one process lock one another out as processes do: every appended line stays.
TEST(SharedFile, JobsAppendingAtOnceLoseNoLine) {
  test::ScratchDirectory dir("shared");
  const std::string list = (dir / "MQ.PNX").string();
  constexpr int kJobs = 4, kLines = 40;
  std::vector<std::thread> jobs;
  for (int job = 0; job < kJobs; ++job) {
    jobs.emplace_back([&, job] {
      for (int i = 0; i < kLines; ++i) {
        const std::string line = std::to_string(job) + "," + std::to_string(i) + "\r\n";
        EXPECT_EQ(UpdateSharedFile(list, [&](std::string& text) { return text += line, true; }),
                  std::nullopt);
      }
    });
  }
  for (std::thread& job : jobs) job.join();
  const std::string text = test::ReadBytes(dir / "MQ.PNX");
  for (int job = 0; job < kJobs; ++job) {
    for (int i = 0; i < kLines; ++i) {
      EXPECT_NE(text.find(std::to_string(job) + "," + std::to_string(i) + "\r\n"), std::string::npos);
    }
  }
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kJobs * kLines);
  EXPECT_EQ(test::NamesOf(test::FilesUnder(dir.path())), "MQ.PNX") << "no temporary left behind";
}

// A disk that fills up while the new text is written, an update that changes its mind,
// a lock another run holds too long: the old file stays as it was, a new one is not
// made, no temporary is left, and the reason is told.
TEST(SharedFile, AChangeThatCannotBeMadeLeavesEverythingAsItWas) {
  const FileWriter disk_full = [](const std::string& path,
                                  std::string_view bytes) -> std::optional<std::string> {
    std::ofstream(path, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    return "No space left on device";
  };
  for (const bool existed : {true, false}) {
    test::ScratchDirectory dir("shared-fail");
    const std::string list = (dir / "INDEX.IND").string();
    if (existed) std::ofstream(list, std::ios::binary) << "OLD\r\n";
    const std::map<std::string, std::string> before = test::FilesUnder(dir.path());
    const SharedFileOptions full{disk_full};
    const auto append = [](std::string& text) { return text += "NEW LINE OF SOME LENGTH\r\n", true; };

    EXPECT_EQ(UpdateSharedFile(list, append, full), "No space left on device");
    EXPECT_EQ(ReplaceSharedFile(list, "NEW", full), "No space left on device");
    EXPECT_EQ(UpdateSharedFile(list, [](std::string&) { return false; }), std::nullopt);
    const auto held = UpdateSharedFile(list, [&](std::string&) {
      const auto second =
          UpdateSharedFile(list, append, SharedFileOptions{{}, std::chrono::milliseconds(30)});
      EXPECT_EQ(second, "another run kept the file locked for 30 ms");
      return false;
    });
    EXPECT_EQ(held, std::nullopt);
    EXPECT_EQ(test::FilesUnder(dir.path()), before) << "the old file as it was, no new one";
  }
}

}  // namespace
}  // namespace mq
