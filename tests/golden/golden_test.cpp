// Golden files: every case under tests/golden/<case>/ is converted through
// `marquill400-cli convert` (in-process) and every file it produces, with the report,
// is compared byte for byte with the case's expected/ tree. UPDATE_GOLDEN=1 rewrites
// the expected files after a reviewed change (`make golden-update`).
//
// A case directory holds: README or README.md (what the case shows), MQ400.INI (the
// settings), one or more drawings (*.DXF, converted in name order, each under its own
// name), optionally Par.DAT (the drilling head; ROOT points at the case), optionally
// requests.txt (one request per line instead of the drawings' names), and expected/.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "support/dxf_builder.h"
#include "unified_diff.h"

namespace mq {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDirectory = fs::path(MARQUILL_SOURCE_DIR) / "tests" / "golden";
const fs::path kExamplesDirectory = fs::path(MARQUILL_SOURCE_DIR) / "examples";
constexpr const char* kExpectedDirectory = "expected";
constexpr const char* kReportFile = "report.txt";

std::string ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary);
  file << bytes;
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
  return text;
}

bool IsDrawing(const fs::path& path) { return Upper(path.extension().string()) == ".DXF"; }

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  if (!fs::is_directory(kGoldenDirectory)) return names;
  for (const auto& entry : fs::directory_iterator(kGoldenDirectory)) {
    if (entry.is_directory() && fs::exists(entry.path() / "MQ400.INI"))
      names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Files under `root` by their path relative to it, with '/' separators.
std::map<std::string, fs::path> FilesUnder(const fs::path& root) {
  std::map<std::string, fs::path> files;
  if (!fs::is_directory(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root).generic_string()] = entry.path();
  }
  return files;
}

// The environment variable for the length of one conversion, restored afterwards.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value.c_str());
  }
  ~ScopedEnvironment() { old_ ? Set(old_->c_str()) : Unset(); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  void Set(const char* value) {
#if defined(_WIN32)
    _putenv_s(name_, value);
#else
    setenv(name_, value, 1);
#endif
  }
  void Unset() {
#if defined(_WIN32)
    _putenv_s(name_, "");
#else
    unsetenv(name_);
#endif
  }
  const char* name_;
  std::optional<std::string> old_;
};

class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const fs::path& path) : old_(fs::current_path()) { fs::current_path(path); }
  ~ScopedWorkingDirectory() { fs::current_path(old_); }
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  fs::path old_;
};

std::vector<std::string> Requests(const fs::path& case_dir) {
  std::vector<std::string> requests;
  if (fs::exists(case_dir / "requests.txt")) {
    std::istringstream lines(ReadBytes(case_dir / "requests.txt"));
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) requests.push_back(line);
    }
    return requests;
  }
  for (const auto& entry : fs::directory_iterator(case_dir)) {
    if (IsDrawing(entry.path())) requests.push_back(entry.path().filename().string());
  }
  std::sort(requests.begin(), requests.end());
  return requests;
}

// Runs the case in a scratch copy; returns every produced file by relative path,
// the report as report.txt.
std::map<std::string, std::string> RunCase(const fs::path& case_dir, const fs::path& work) {
  std::set<std::string> inputs;
  for (const auto& entry : fs::directory_iterator(case_dir)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file() || name == "README" || name == "README.md" || name == "requests.txt")
      continue;
    fs::copy_file(entry.path(), work / name);
    inputs.insert(name);
  }
  fs::create_directories(work / "out");

  std::vector<std::string> args{"marquill400-cli", "--settings", "MQ400.INI", "convert"};
  for (const std::string& request : Requests(case_dir)) args.push_back(request);
  args.insert(args.end(), {"--dest", "out"});
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());

  std::ostringstream out, err;
  int status = 0;
  {
    ScopedWorkingDirectory here(work);
    ScopedEnvironment root("ROOT", ".");
    status = cli::Main(static_cast<int>(argv.size()), argv.data(), out, err);
  }
  std::map<std::string, std::string> produced;
  for (const auto& [name, path] : FilesUnder(work)) {
    if (!inputs.count(name)) produced[name] = ReadBytes(path);
  }
  produced[kReportFile] = out.str() + err.str() + "exit status " + std::to_string(status) + "\n";
  return produced;
}

bool UpdateRequested() {
  const char* update = std::getenv("UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

class GoldenCase : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenCase, ProducesTheExpectedFiles) {
  const fs::path case_dir = kGoldenDirectory / GetParam();
  ASSERT_TRUE(fs::exists(case_dir / "README") || fs::exists(case_dir / "README.md"))
      << "every golden case says in README what it shows";
  test::ScratchDirectory work("golden-" + GetParam());
  const std::map<std::string, std::string> produced = RunCase(case_dir, work.path());
  const fs::path expected_dir = case_dir / kExpectedDirectory;

  if (UpdateRequested()) {
    fs::remove_all(expected_dir);
    for (const auto& [name, bytes] : produced) WriteBytes(expected_dir / name, bytes);
    std::cout << "[ golden ] rewrote " << expected_dir.string() << "\n";
    return;
  }
  const std::map<std::string, fs::path> expected = FilesUnder(expected_dir);
  ASSERT_FALSE(expected.empty()) << "no expected files in " << expected_dir.string()
                                 << "; run `make golden-update` and review them";
  std::set<std::string> names;
  for (const auto& [name, bytes] : produced) names.insert(name);
  for (const auto& [name, path] : expected) names.insert(name);
  for (const std::string& name : names) {
    const auto made = produced.find(name);
    const auto wanted = expected.find(name);
    if (made == produced.end()) {
      ADD_FAILURE() << GetParam() << ": " << name << " was expected but not produced";
    } else if (wanted == expected.end()) {
      ADD_FAILURE() << GetParam() << ": " << name << " was produced but is not expected\n" << made->second;
    } else {
      const std::string diff =
          test::UnifiedDiff(ReadBytes(wanted->second), made->second, "expected/" + name, "actual/" + name);
      EXPECT_TRUE(diff.empty()) << GetParam() << ": " << name << " differs\n" << diff;
    }
  }
}

std::string CaseTestName(const ::testing::TestParamInfo<std::string>& case_info) { return case_info.param; }

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, ::testing::ValuesIn(CaseNames()), CaseTestName);

// The bundled examples are golden cases too: each example drawing is one case's input,
// byte for byte, so the demo and the goldens cannot drift apart.
TEST(GoldenExamples, EveryExampleDrawingIsAGoldenCaseInput) {
  std::map<std::string, std::string> inputs;  // drawing bytes of every case
  for (const std::string& name : CaseNames()) {
    for (const auto& entry : fs::directory_iterator(kGoldenDirectory / name)) {
      if (IsDrawing(entry.path())) inputs[entry.path().filename().string()] = ReadBytes(entry.path());
    }
  }
  int examples = 0;
  for (const auto& entry : fs::directory_iterator(kExamplesDirectory)) {
    if (!IsDrawing(entry.path())) continue;
    ++examples;
    const std::string name = entry.path().filename().string();
    const auto input = inputs.find(name);
    ASSERT_NE(input, inputs.end()) << name << " has no golden case";
    EXPECT_EQ(input->second, ReadBytes(entry.path())) << name << " differs from its golden copy";
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
