// Golden files: every case under tests/golden/<case>/ (see support/golden_cases.h) is
// converted through `marquill400-cli convert` (in-process) and every file it produces,
// with the report, is compared byte for byte with the case's expected/ tree.
// UPDATE_GOLDEN=1 rewrites the expected files after a reviewed change
// (`make golden-update`).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "support/dxf_builder.h"
#include "support/golden_cases.h"
#include "unified_diff.h"

namespace mq {
namespace {

namespace fs = std::filesystem;
using test::FilesUnder;
using test::GoldenCase;
using test::ReadBytes;

constexpr const char* kReportFile = "report.txt";

void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary);
  file << bytes;
}

// The case's scratch directory as the working directory and ROOT "." (the drilling head
// copied there) for the length of one conversion; both restored afterwards.
class InCase {
 public:
  explicit InCase(const fs::path& work) : directory_(fs::current_path()) {
    if (const char* root = std::getenv("ROOT")) root_ = root;
    fs::current_path(work);
    SetRoot(".");
  }
  ~InCase() {
    fs::current_path(directory_);
    SetRoot(root_ ? root_->c_str() : nullptr);
  }
  InCase(const InCase&) = delete;
  InCase& operator=(const InCase&) = delete;

 private:
  static void SetRoot(const char* value) {  // nullptr: unset
#if defined(_WIN32)
    _putenv_s("ROOT", value ? value : "");
#else
    value ? setenv("ROOT", value, 1) : unsetenv("ROOT");
#endif
  }
  fs::path directory_;
  std::optional<std::string> root_;
};

// Runs the case in a scratch directory holding copies of its inputs (the settings as
// MQ400.INI, the head as Par.DAT); returns every produced file by relative path, the
// report as report.txt.
std::map<std::string, std::string> RunCase(const GoldenCase& golden, const fs::path& work) {
  std::set<std::string> inputs{"MQ400.INI"};
  fs::copy_file(golden.Settings, work / "MQ400.INI");
  if (!golden.Head.empty()) {
    fs::copy_file(golden.Head, work / "Par.DAT");
    inputs.insert("Par.DAT");
  }
  for (const fs::path& drawing : golden.Drawings) {
    fs::copy_file(drawing, work / drawing.filename());
    inputs.insert(drawing.filename().string());
  }
  fs::create_directories(work / "out");

  std::vector<std::string> args{"marquill400-cli", "--settings", "MQ400.INI", "convert"};
  args.insert(args.end(), golden.Requests.begin(), golden.Requests.end());
  args.insert(args.end(), {"--dest", "out"});
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());

  std::ostringstream out, err;
  int status = 0;
  {
    InCase here(work);
    status = cli::Main(static_cast<int>(argv.size()), argv.data(), out, err);
  }
  std::map<std::string, std::string> produced;
  for (const auto& [name, bytes] : FilesUnder(work)) {
    if (!inputs.count(name)) produced[name] = bytes;
  }
  produced[kReportFile] = out.str() + err.str() + "exit status " + std::to_string(status) + "\n";
  return produced;
}

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, ProducesTheExpectedFiles) {
  const GoldenCase& golden = GetParam();
  ASSERT_TRUE(fs::exists(golden.Directory / "README.md"))
      << "every golden case says in README.md what it shows";
  ASSERT_TRUE(fs::exists(golden.Settings)) << golden.Name << ": no settings file";
  test::ScratchDirectory work("golden-" + golden.Name);
  const std::map<std::string, std::string> produced = RunCase(golden, work.path());
  const fs::path expected_dir = golden.Expected();

  if (const char* update = std::getenv("UPDATE_GOLDEN"); update && std::string(update) == "1") {
    fs::remove_all(expected_dir);
    for (const auto& [name, bytes] : produced) WriteBytes(expected_dir / name, bytes);
    std::cout << "[ golden ] rewrote " << expected_dir.string() << "\n";
    return;
  }
  const std::map<std::string, std::string> expected = FilesUnder(expected_dir);
  ASSERT_FALSE(expected.empty()) << "no expected files in " << expected_dir.string()
                                 << "; run `make golden-update` and review them";
  for (const auto& [name, bytes] : produced) {
    if (!expected.count(name))
      ADD_FAILURE() << golden.Name << ": " << name << " was produced but is not expected\n" << bytes;
  }
  for (const auto& [name, bytes] : expected) {
    const auto made = produced.find(name);
    const std::string diff =
        made == produced.end() ? "was expected but not produced"
                               : test::UnifiedDiff(bytes, made->second, "expected/" + name, "actual/" + name);
    EXPECT_TRUE(diff.empty()) << golden.Name << ": " << name << " differs\n" << diff;
  }
}

std::string CaseTestName(const ::testing::TestParamInfo<GoldenCase>& info) { return info.param.Name; }

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(test::GoldenCases()), CaseTestName);

// The bundled examples are golden inputs, so the demo and the goldens cannot drift apart.
TEST(GoldenExamples, EveryExampleDrawingIsTheInputOfACase) {
  std::set<fs::path> inputs;
  for (const GoldenCase& golden : test::GoldenCases())
    inputs.insert(golden.Drawings.begin(), golden.Drawings.end());
  int examples = 0;
  for (const auto& entry : fs::directory_iterator(test::kSourceDirectory / "examples")) {
    if (!test::IsDrawingFile(entry.path())) continue;
    ++examples;
    EXPECT_TRUE(inputs.count(entry.path())) << entry.path().filename() << " has no golden case";
  }
  EXPECT_GT(examples, 0);
}

TEST(UnifiedDiff, ShowsChangedLinesWithContext) {
  EXPECT_EQ(test::UnifiedDiff("a\nb\n", "a\nb\n", "x", "y"), "");
  EXPECT_EQ(test::UnifiedDiff("a\nb\nc\n", "a\nB\nc\n", "x", "y"),
            "--- x\n+++ y\n@@ -1,3 +1,3 @@\n a\n-b\n+B\n c\n");
  EXPECT_EQ(test::UnifiedDiff("a\r\n", "a\n", "x", "y"), "--- x\n+++ y\n@@ -1,1 +1,1 @@\n-a<CR>\n+a\n");
}

}  // namespace
}  // namespace mq
