// The texts the unattended conversions read: the command line's switches, BATCH.LST
// lines, and the entry the converter makes in the TPA editor's settings.

#include "shell/batch_list.h"

#include <gtest/gtest.h>

#include <fstream>

#include "shell/command_line_switches.h"
#include "shell/ini_file.h"
#include "shell/tpa_registration.h"
#include "support/dxf_builder.h"
#include "support/golden_cases.h"

namespace mq {
namespace {

// Switches are words of their own; a path written with '/' switches nothing on.
TEST(CommandLineSwitches, OnlyWholeWordsSwitch) {
  // Command line, switches found (S K V A), the request left.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"/S /K", "SK", ""},
      {"  /s\t/v /a ", "SVA", ""},
      {"C:/CAD/SIDE.DXF", "", "C:/CAD/SIDE.DXF"},
      {"/home/cad/s1.dxf /V", "V", "/home/cad/s1.dxf"},
      {"C:\\DXF\\DOOR  /k P7 /SK /X", "K", "C:\\DXF\\DOOR P7 /SK /X"},
      {"", "", ""}};
  for (const auto& [text, switches, request] : cases) {
    const CommandLine line = ReadCommandLine(text);
    std::string found;
    for (const auto& [on, letter] : {std::pair{line.ProcessBatchList, 'S'},
                                     {line.EndAfterBatchList, 'K'},
                                     {line.GraphicAfterAuto, 'V'},
                                     {line.RestartPartList, 'A'}})
      if (on) found += letter;
    EXPECT_EQ(found + "|" + line.Request + "|" + line.Text,
              std::string(switches) + "|" + request + "|" + text);
  }
}

// Quotes read as blanks, lines in upper case, the drawing cut at its first dot, the
// directories of the settings for words that have none.
TEST(BatchList, LinesBecomeRequests) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"C:\\CAD\\PART1.DXF P1\r\nPART2\r\n", {"C:\\CAD\\PART1 D:\\PRG\\P1", "S:\\DXF\\PART2 D:\\PRG\\PART2"}},
      {"D:\\IN\\A.B.DXF", {"D:\\IN\\A D:\\PRG\\A"}},
      {"\r\n  \"side panel.dxf\"   c:\\out\\p 9\r\n\r\n", {"S:\\DXF\\SIDE D:\\PRG\\PANEL.DXF"}},
      {"/home/cad/s1.dxf /home/prg/x7\nb2\rc3 d4",
       {"/HOME/CAD/S1 /HOME/PRG/X7", "S:\\DXF\\B2 D:\\PRG\\B2", "S:\\DXF\\C3 D:\\PRG\\D4"}},
      {" \r\n\"\"\r\n", {}}};
  for (const auto& [text, requests] : cases) {
    std::vector<std::string> made;
    for (const BatchListEntry& entry : ParseBatchList(text, "S:\\DXF\\", "D:\\PRG\\"))
      made.push_back(entry.Request());
    EXPECT_EQ(made, requests) << text;
  }
}

TEST(TpaRegistration, RootAndEntriesOfAWinner90Tree) {
  const std::pair<const char*, const char*> roots[] = {{"C:\\WINNER90\\PRG\\", "C:\\WINNER90\\"},
                                                       {"d:\\Winner90x\\", "d:\\Winner90x"},
                                                       {"C:\\WINNER90", "C:\\WINNER90"},
                                                       {"C:\\400V80\\PRG\\", nullptr}};
  for (const auto& [destination, root] : roots)
    EXPECT_EQ(Winner90Root(destination).value_or("none"), root ? root : "none") << destination;

  test::ScratchDirectory dir("tpa");
  const std::string root = dir.path().string() + "/";
  std::ofstream(dir / "tpa.ini", std::ios::binary) << "[edigraf-conv]\r\nconv02=old\r\nconv03=kept\r\n";
  EXPECT_EQ(RegisterWithTpaEditor(root, "C:\\DXF\\") + ClearTpaExecFlag(root), "");
  const IniFile tpa = ReadIniFile(dir / "tpa.ini").file;
  EXPECT_TRUE(test::ReadBytes(dir / "tpa.ini")
                  .starts_with("[edigraf-conv]\r\nconv02=\r\nconv03=kept\r\nconv01=\"Select DXF File|*.dxf|" +
                               root + "MQ90WIN.exe|/|C:\\DXF\\|\"\r\n"));
  EXPECT_EQ(tpa.Get("edigraf-conv", "conv02").value_or("?") +
                tpa.Get("edigraf-conv", "conv03").value_or("?") +
                tpa.Get("edigraf-exec", "Exec").value_or("?"),
            "kept0");
  EXPECT_EQ(test::NamesOf(test::FilesUnder(dir.path())), "tpa.ini") << "the file as it is named is updated";
  EXPECT_EQ(RegisterWithTpaEditor(root + "missing/", "x"), "") << "no editor there: nothing written";
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

}  // namespace
}  // namespace mq
