#include "shell/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "support/dxf_builder.h"

namespace mq {
namespace {

namespace fs = std::filesystem;
using test::ScratchDirectory;

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// ---- reading ----

struct ReadCase {
  const char* name;
  std::string text;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

class IniReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, FindsTheValueThePlatformReaderFinds) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(IniFile::Parse(c.text).Get(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniReadTest,
    testing::Values(
        ReadCase{"Plain", "[A]\nk=v\n", "A", "k", "v"},
        ReadCase{"SectionAndKeyIgnoreCase", "[ConFiguration]\nLeadS=1\n", "configuration", "LEADS", "1"},
        ReadCase{"BlanksAroundKeyAndValue", "[A]\n  k \t=  v w \t\n", "A", "k", "v w"},
        ReadCase{"BlanksInsideHeader", "[ A ]\nk=v\n", "A", "k", "v"},
        ReadCase{"DoubleQuotesTakenOff", "[A]\nk=\"C:\\DXF\\\"\n", "A", "k", "C:\\DXF\\"},
        ReadCase{"SingleQuotesTakenOff", "[A]\nk='x y'\n", "A", "k", "x y"},
        ReadCase{"UnmatchedQuotesKept", "[A]\nk=\"x'\n", "A", "k", "\"x'"},
        ReadCase{"FirstDuplicateWins", "[A]\nk=1\nK=2\n", "A", "k", "1"},
        ReadCase{"SecondSectionOfTheSameNameSearched", "[A]\nx=1\n[B]\nk=0\n[a]\nk=2\n", "A", "k", "2"},
        ReadCase{"KeyOfOtherSectionNotFound", "[A]\nx=1\n[B]\nk=0\n", "A", "k", std::nullopt},
        ReadCase{"LineWithoutEqualsIsJunk", "[A]\njunk line\nk=v\n", "A", "junk line", std::nullopt},
        ReadCase{"KeyAfterJunkLine", "[A]\njunk line\n=x\nk=v\n", "A", "k", "v"},
        ReadCase{"HeaderWithoutBracketIsNoHeader", "[A]\nk=1\n[B\nm=2\n", "A", "m", "2"},
        ReadCase{"NoSectionForBrokenHeader", "[A]\nk=1\n[B\nm=2\n", "B", "m", std::nullopt},
        ReadCase{"ByteOrderMark", "\xEF\xBB\xBF[A]\r\nk=v\r\n", "A", "k", "v"},
        ReadCase{"NoFinalNewline", "[A]\nk=v", "A", "k", "v"},
        ReadCase{"CrLfNotPartOfValue", "[A]\r\nk=v\r\n", "A", "k", "v"},
        ReadCase{"KeyBeforeAnySection", "k=v\n[A]\n", "A", "k", std::nullopt},
        ReadCase{"EmptyValueIsPresent", "[A]\nk=\n", "A", "k", ""},
        ReadCase{"CommentIsNoKey", "[A]\n;k=v\n", "A", ";k", std::nullopt},
        ReadCase{"EqualsInsideValue", "[A]\nk=a=b\n", "A", "k", "a=b"},
        ReadCase{"LongValueKeptWhole", "[A]\nk=" + std::string(200, 'x') + "\n", "A", "k",
                 std::string(200, 'x')},
        ReadCase{"EmptyFile", "", "A", "k", std::nullopt}),
    [](const testing::TestParamInfo<ReadCase>& p) { return std::string(p.param.name); });

// ---- writing into the text ----

struct SetCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  std::string value;
  std::string after;
};

class IniSetTest : public testing::TestWithParam<SetCase> {};

TEST_P(IniSetTest, ChangesOnlyWhatIsWritten) {
  const SetCase& c = GetParam();
  IniFile file = IniFile::Parse(c.before);
  file.Set(c.section, c.key, c.value);
  EXPECT_EQ(file.Text(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniSetTest,
    testing::Values(
        SetCase{"NewFileGetsSectionAndKeyWithCrLf", "", "ConFiguration", "LeadS", "1",
                "[ConFiguration]\r\nLeadS=1\r\n"},
        SetCase{"ExistingSectionOfOtherCaseReused", "[Configuration]\r\n", "ConFiguration", "LeadS", "1",
                "[Configuration]\r\nLeadS=1\r\n"},
        SetCase{"ValueChangedLineEndAndSpacingKept", "[A]\r\nk = 1\r\nx=2\r\n", "A", "K", "25",
                "[A]\r\nk = 25\r\nx=2\r\n"},
        SetCase{"SameValueLeavesLineUntouched", "[A]\nk =  \"v\"  \n", "A", "k", "v", "[A]\nk =  \"v\"  \n"},
        SetCase{"QuotedValueReplacedUnquoted", "[A]\nk=\"v\"\n", "A", "k", "w", "[A]\nk=w\n"},
        SetCase{"EmptyValueFilledIn", "[A]\nk=\n", "A", "k", "7", "[A]\nk=7\n"},
        SetCase{"FirstDuplicateChanged", "[A]\nk=1\nk=2\n", "A", "k", "3", "[A]\nk=3\nk=2\n"},
        SetCase{"NewKeyAfterLastKeyOfSection", "[A]\nx=1\n\n[B]\ny=2\n", "a", "k", "v",
                "[A]\nx=1\nk=v\n\n[B]\ny=2\n"},
        SetCase{"NewKeyRightAfterHeaderOfEmptySection", "[A]\n[B]\ny=2\n", "A", "k", "v",
                "[A]\nk=v\n[B]\ny=2\n"},
        SetCase{"NewSectionAtEndAfterBlankLine", "[A]\nx=1\n", "S", "k", "v", "[A]\nx=1\n\n[S]\nk=v\n"},
        SetCase{"NoFinalNewlineNewKey", "[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
        SetCase{"NoFinalNewlineNewSection", "[A]\nx=1", "B", "k", "v", "[A]\nx=1\n\n[B]\nk=v\n"},
        SetCase{"NoFinalNewlineChangedValue", "[A]\nk=1", "A", "k", "2", "[A]\nk=2"},
        SetCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "2",
                "\xEF\xBB\xBF[A]\r\nk=2\r\n"},
        SetCase{"JunkAndCommentsKept", "; note\r\n[A]\r\njunk\r\n[B\r\nk=1\r\n", "A", "k", "2",
                "; note\r\n[A]\r\njunk\r\n[B\r\nk=2\r\n"},
        SetCase{"BrokenHeaderNotReused", "[A]\nx=1\n[B\n", "B", "k", "v", "[A]\nx=1\n[B\n\n[B]\nk=v\n"},
        SetCase{"LineBreakInValueCutOff", "[A]\nk=1\n", "A", "k", "2\r\n[Evil]\r\nx=1", "[A]\nk=2\n"}),
    [](const testing::TestParamInfo<SetCase>& p) { return std::string(p.param.name); });

TEST(IniFileTest, ValueWrittenIsReadBack) {
  IniFile file;
  file.Set("A", "Path", "C:\\DXF FILES\\");
  file.Set("A", "Empty", "");
  const IniFile again = IniFile::Parse(file.Text());
  EXPECT_EQ(again.Get("A", "Path"), "C:\\DXF FILES\\");
  EXPECT_EQ(again.Get("A", "Empty"), "");
}

// ---- the file on disk ----

TEST(IniFileDiskTest, MissingFileReadsEmptyWithoutProblem) {
  ScratchDirectory dir("ini-missing");
  const IniFileRead read = ReadIniFile(dir / "MQ400.INI");
  EXPECT_FALSE(read.found);
  EXPECT_TRUE(read.problem.empty());
  EXPECT_EQ(read.file.Text(), "");
}

TEST(IniFileDiskTest, DirectoryInPlaceOfTheFileIsAProblem) {
  ScratchDirectory dir("ini-directory");
  fs::create_directory(dir / "MQ400.INI");
  const IniFileRead read = ReadIniFile(dir / "MQ400.INI");
  EXPECT_TRUE(read.found);
  EXPECT_FALSE(read.problem.empty());
}

TEST(IniFileDiskTest, WriteCreatesDirectoryAndFileAndLeavesNoTemporary) {
  ScratchDirectory dir("ini-create");
  const fs::path path = dir / "config" / "Marquill400" / "MQ400.INI";
  IniFile file;
  file.Set("ConFiguration", "LeadS", "1");
  EXPECT_EQ(WriteIniFile(path, file), "");
  EXPECT_EQ(FileBytes(path), "[ConFiguration]\r\nLeadS=1\r\n");
  EXPECT_FALSE(fs::exists(IniTemporaryPath(path)));
}

TEST(IniFileDiskTest, RewriteKeepsEveryByteNotChanged) {
  ScratchDirectory dir("ini-rewrite");
  const fs::path path = dir / "MQ400.INI";
  const std::string before = "[Other]\r\nA = 1\r\n[Configuration]\r\nLeadS=0\r\nx";
  WriteBytes(path, before);
  IniFileRead read = ReadIniFile(path);
  ASSERT_TRUE(read.found);
  read.file.Set("ConFiguration", "LeadS", "1");
  EXPECT_EQ(WriteIniFile(path, read.file), "");
  EXPECT_EQ(FileBytes(path), "[Other]\r\nA = 1\r\n[Configuration]\r\nLeadS=1\r\nx");
  EXPECT_FALSE(fs::exists(IniTemporaryPath(path)));
}

TEST(IniFileDiskTest, FailedWriteLeavesOldFileIntact) {
  ScratchDirectory dir("ini-failed");
  const fs::path path = dir / "MQ400.INI";
  WriteBytes(path, "[A]\r\nk=old\r\n");
  // A directory where the temporary file must go makes the write fail as a full
  // disk or a read-only directory would, whoever runs the test.
  fs::create_directory(IniTemporaryPath(path));
  IniFile file = ReadIniFile(path).file;
  file.Set("A", "k", "new");
  EXPECT_NE(WriteIniFile(path, file), "");
  EXPECT_EQ(FileBytes(path), "[A]\r\nk=old\r\n");
}

#if !defined(_WIN32)
TEST(IniFileDiskTest, LinkedFileReplacedBehindItsLink) {
  ScratchDirectory dir("ini-link");
  fs::create_directory(dir / "real");
  WriteBytes(dir / "real" / "MQ400.INI", "[A]\nk=1\n");
  fs::create_symlink(fs::path("real") / "MQ400.INI", dir / "MQ400.INI");
  IniFile file = ReadIniFile(dir / "MQ400.INI").file;
  file.Set("A", "k", "2");
  EXPECT_EQ(WriteIniFile(dir / "MQ400.INI", file), "");
  EXPECT_TRUE(fs::is_symlink(dir / "MQ400.INI"));
  EXPECT_EQ(FileBytes(dir / "real" / "MQ400.INI"), "[A]\nk=2\n");
}
#endif

}  // namespace
}  // namespace mq
