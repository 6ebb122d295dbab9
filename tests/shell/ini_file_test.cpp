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
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Hand-edited and foreign files load without error and give what the platform's
// profile reader gives.
TEST(IniFileTest, ReadsWhatThePlatformReaderReads) {
  struct Case {
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
  };
  const std::string long_value(200, 'x');
  // clang-format off
  const Case cases[] = {
      {"[ConFiguration]\nLeadS=1\n", "configuration", "LEADS", "1"}, {"[A]\nk=\n", "A", "k", ""},
      {"[ A ]\n  k \t=  v w \t\n", "A", "k", "v w"}, {"[A]\nk=a=b\n", "A", "k", "a=b"},
      {"[A]\nk=\"C:\\DXF\\\"\n", "A", "k", "C:\\DXF\\"}, {"[A]\nk=\"x'\n", "A", "k", "\"x'"},
      {"[A]\nk=1\nK=2\n", "A", "k", "1"},  // the first of two equal keys wins
      {"[A]\nx=1\n[B]\nk=0\n[a]\nk=2\n", "A", "k", "2"}, {"[A]\njunk line\n=x\nk=v\n", "A", "k", "v"},
      {"[A]\nk=1\n[B\nm=2\n", "A", "m", "2"},  // a header without "]" is no header
      {"[A]\nk=1\n[B\nm=2\n", "B", "m", std::nullopt},
      {"\xEF\xBB\xBF[A]\r\nk=v\r\n", "A", "k", "v"}, {"[A]\nk=v", "A", "k", "v"},
      {"[A]\nk=" + long_value + "\n", "A", "k", long_value}};
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(IniFile::Parse(c.text).Get(c.section, c.key), c.expected) << c.text;
}

TEST(IniFileTest, SetChangesOnlyWhatIsWritten) {
  struct Case {
    std::string before;
    const char* section;
    const char* key;
    std::string value;
    std::string after;
  };
  const Case cases[] = {
      {"", "ConFiguration", "LeadS", "1", "[ConFiguration]\r\nLeadS=1\r\n"},
      {"[Configuration]\r\n", "ConFiguration", "LeadS", "1", "[Configuration]\r\nLeadS=1\r\n"},
      {"[A]\r\nk = 1\r\nx=2\r\n", "A", "K", "25", "[A]\r\nk = 25\r\nx=2\r\n"},
      {"[A]\nk =  \"v\"  \n", "A", "k", "v", "[A]\nk =  \"v\"  \n"},
      {"[A]\nk=\"v\"\n", "A", "k", "w", "[A]\nk=w\n"},
      {"[A]\nk=1\nk=2\n", "A", "k", "3", "[A]\nk=3\nk=2\n"},
      {"[A]\nx=1\n\n[B]\ny=2\n", "a", "k", "v", "[A]\nx=1\nk=v\n\n[B]\ny=2\n"},
      {"[A]\n[B]\ny=2\n", "A", "k", "v", "[A]\nk=v\n[B]\ny=2\n"},
      {"[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
      {"\xEF\xBB\xBF; note\r\n[A]\r\njunk\r\n[B\r\nk=1\r\n", "A", "k", "2",
       "\xEF\xBB\xBF; note\r\n[A]\r\njunk\r\n[B\r\nk=2\r\n"},
      {"[A]\nx=1\n[B\n", "B", "k", "v", "[A]\nx=1\n[B\n\n[B]\nk=v\n"},
      // A line break in a value must not smuggle a section into the file.
      {"[A]\nk=1\n", "A", "k", "2\r\n[Evil]\r\nx=1", "[A]\nk=2\n"}};
  for (const Case& c : cases) {
    IniFile file = IniFile::Parse(c.before);
    file.Set(c.section, c.key, c.value);
    EXPECT_EQ(file.Text(), c.after) << c.before << " + " << c.key << "=" << c.value;
  }
}

// Never a half-written file: the text goes to a temporary file that replaces the old one.
TEST(IniFileDiskTest, WriteIsAllOrNothing) {
  ScratchDirectory dir("ini-write");
  const fs::path path = dir / "config" / "Marquill400" / "MQ400.INI";
  IniFile file;
  file.Set("A", "k", "old");
  EXPECT_EQ(WriteIniFile(path, file), "");
  EXPECT_EQ(FileBytes(path), "[A]\r\nk=old\r\n");
  EXPECT_FALSE(fs::exists(IniTemporaryPath(path)));

  // A directory where the temporary file must go fails the write as a full disk or
  // a read-only directory would, whoever runs the test.
  fs::create_directory(IniTemporaryPath(path));
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
