#include "shell/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "support/dxf_builder.h"
#include "support/golden_cases.h"

namespace mq {
namespace {

namespace fs = std::filesystem;

// Hand-edited and foreign files load without error and give what the platform's
// profile reader gives: the first of two equal keys wins, a header without "]" is no
// header.
TEST(IniFile, ReadsWhatThePlatformReaderReads) {
  const std::string long_value(200, 'x');
  // clang-format off
  const std::tuple<std::string, const char*, const char*, std::optional<std::string>> cases[] = {
      {"[ConFiguration]\nLeadS=1\n", "configuration", "LEADS", "1"}, {"[A]\nk=\n", "A", "k", ""},
      {"[ A ]\n  k \t=  v w \t\n", "A", "k", "v w"}, {"[A]\nk=a=b\n", "A", "k", "a=b"},
      {"[A]\nk=\"C:\\DXF\\\"\n", "A", "k", "C:\\DXF\\"}, {"[A]\nk=\"x'\n", "A", "k", "\"x'"},
      {"[A]\nk=1\nK=2\n", "A", "k", "1"}, {"[A]\nx=1\n[B]\nk=0\n[a]\nk=2\n", "A", "k", "2"},
      {"[A]\njunk line\n=x\nk=v\n", "A", "k", "v"}, {"[A]\nk=1\n[B\nm=2\n", "A", "m", "2"},
      {"[A]\nk=1\n[B\nm=2\n", "B", "m", std::nullopt}, {"\xEF\xBB\xBF[A]\r\nk=v\r\n", "A", "k", "v"},
      {"[A]\nk=v", "A", "k", "v"}, {"[A]\nk=" + long_value + "\n", "A", "k", long_value}};
  // clang-format on
  for (const auto& [text, section, key, value] : cases)
    EXPECT_EQ(IniFile::Parse(text).Get(section, key), value) << text;
}

// A line break in a value must not smuggle a section into the file.
TEST(IniFile, SetChangesOnlyWhatIsWritten) {
  // clang-format off
  const std::tuple<std::string, const char*, const char*, std::string, std::string> cases[] = {
      {"", "ConFiguration", "LeadS", "1", "[ConFiguration]\r\nLeadS=1\r\n"},
      {"[Configuration]\r\n", "ConFiguration", "LeadS", "1", "[Configuration]\r\nLeadS=1\r\n"},
      {"[A]\r\nk = 1\r\nx=2\r\n", "A", "K", "25", "[A]\r\nk = 25\r\nx=2\r\n"},
      {"[A]\nk =  \"v\"  \n", "A", "k", "v", "[A]\nk =  \"v\"  \n"}, {"[A]\nk=\"v\"\n", "A", "k", "w", "[A]\nk=w\n"},
      {"[A]\nk=1\nk=2\n", "A", "k", "3", "[A]\nk=3\nk=2\n"},
      {"[A]\nx=1\n\n[B]\ny=2\n", "a", "k", "v", "[A]\nx=1\nk=v\n\n[B]\ny=2\n"},
      {"[A]\n[B]\ny=2\n", "A", "k", "v", "[A]\nk=v\n[B]\ny=2\n"}, {"[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
      {"\xEF\xBB\xBF; note\r\n[A]\r\njunk\r\n[B\r\nk=1\r\n", "A", "k", "2", "\xEF\xBB\xBF; note\r\n[A]\r\njunk\r\n[B\r\nk=2\r\n"},
      {"[A]\nx=1\n[B\n", "B", "k", "v", "[A]\nx=1\n[B\n\n[B]\nk=v\n"},
      {"[A]\nk=1\n", "A", "k", "2\r\n[Evil]\r\nx=1", "[A]\nk=2\n"}};
  // clang-format on
  for (const auto& [before, section, key, value, after] : cases) {
    IniFile file = IniFile::Parse(before);
    file.Set(section, key, value);
    EXPECT_EQ(file.Text(), after) << before << " + " << key << "=" << value;
  }
}

// Never a half-written file: the text goes to a temporary file that replaces the old
// one. A writer that fails as a full disk would leaves the old file whole. A linked
// file is replaced behind its link.
TEST(IniFile, WriteIsAllOrNothing) {
  test::ScratchDirectory dir("ini-write");
  const fs::path path = dir / "config" / "Marquill400" / "MQ400.INI";
  IniFile file;
  file.Set("A", "k", "old");
  EXPECT_EQ(WriteIniFile(path, file), "");
  file.Set("A", "k", "new");
  const auto full_disk = [](const std::string&, std::string_view) { return std::optional<std::string>("No space left"); };
  EXPECT_NE(WriteIniFile(path, file, full_disk), "");
  EXPECT_EQ(test::ReadBytes(path), "[A]\r\nk=old\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 1) << "no temporary left";
#if !defined(_WIN32)
  fs::create_symlink(path, dir / "MQ400.INI");
  IniFile linked = ReadIniFile(dir / "MQ400.INI").file;
  linked.Set("A", "k", "2");
  EXPECT_EQ(WriteIniFile(dir / "MQ400.INI", linked), "");
  EXPECT_TRUE(fs::is_symlink(dir / "MQ400.INI"));
  EXPECT_EQ(test::ReadBytes(path), "[A]\r\nk=2\r\n");
#endif
}

}  // namespace
}  // namespace mq
