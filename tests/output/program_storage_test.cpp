// Storing a finished program: plain files or the PTP400 directory system (INDEX.IND,
// program names, letter directories, PNAME.DAT), portions, the MQ.PNX part list and
// what the run keeps of it.

#include "output/program_storage.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "output/directory_system.h"
#include "output/program_writer.h"
#include "output/tool_table.h"
#include "support/conversion.h"

namespace mq {
namespace {

using Strings = std::vector<std::string>;

// The worked example of the program format: a 600 x 400 x 19 panel and one rectangular
// contour 20 deep with tool 5, feed 5000 and plunge feed 2000; 7 program lines.
test::DxfBuilder WorkedExample(const std::string& route = "ROUTE Z20 T5 F5000 FD2000") {
  return test::PanelOfLines(0, 0, "BORDER Z19").Polyline(route, {{0, 0}, {600, 0}, {600, 400}, {0, 400}}, 1);
}

// The files a run left in the scratch directory, the drawing aside, by relative path.
std::string FilesWritten(const test::Conversion& c) {
  std::map<std::string, std::string> files = test::FilesUnder(c.dir.path());
  std::erase_if(files, [](const auto& file) { return test::IsDrawingFile(file.first); });
  return test::NamesOf(files);
}

template <class Texts>
std::string Joined(const Texts& texts, const char* between) {
  std::string joined;
  for (const std::string& t : texts) joined += (joined.empty() ? "" : between) + t;
  return joined;
}

std::string Entry(const std::string& name, const std::string& description) {
  return IndexRecordText(name, description, CalendarDate{2001, 3, 5});
}

// An index of `names` in their order; `added` is entered as SIDE, the others as OLD;
// "*" enters all with the default description, as a run of the worked example leaves it.
std::string Index(const Strings& names, const std::string& added = "*") {
  std::string bytes = IndexHeaderText(static_cast<long>(names.size()));
  for (const std::string& n : names)
    bytes += Entry(n, added == "*" ? kDefaultPartDescription : n == added ? "SIDE" : "OLD");
  return bytes;
}

// Records of 50 bytes. A name already entered is replaced in place and the count stays;
// a new one goes in name order (by character code) and raises the count.
TEST(UpdatedIndex, SameNameReplacedInPlaceNewNameInOrder) {
  EXPECT_EQ(IndexRecordText("panel1", "A DESCRIPTION LONGER THAN THIRTY CHARACTERS", {1999, 3, 5}) +
                Entry("B", "") + IndexHeaderText(12),
            "PANEL1  A DESCRIPTION LONGER THAN THIR03-05-1999\r\nB" + std::string(37, ' ') +
                "03-05-2001\r\n 12" + std::string(45, ' ') + "\r\n");
  using enum IndexOutcome;
  // clang-format off
  const std::tuple<Strings, std::string, IndexOutcome> cases[] = {
      {{"A", "B", "C"}, "B", Replaced}, {{"A", "C"}, "B", Inserted}, {{"A", "C"}, "D", Appended}, {{"B"}, "A", Inserted},
      {{"P10", "P2", "Q"}, "P3", Inserted}, {{"A", "B", "C", "D", "E"}, "E", Replaced}, {{"B", "Z"}, "_X", Appended}};
  // clang-format on
  for (const auto& [names, added, outcome] : cases) {
    Strings expected = names;
    if (outcome != Replaced)
      expected.insert(std::upper_bound(expected.begin(), expected.end(), added), added);
    const IndexImage image =
        UpdatedIndex(Index(names, ""), Entry(added, "SIDE")).value_or(IndexImage{"", Damaged});
    EXPECT_EQ(image.Bytes, Index(expected, added)) << added;
    EXPECT_EQ(image.Outcome, outcome) << added;
  }
  EXPECT_EQ(UpdatedIndex("", Entry("A", "SIDE"))->Bytes, Index({"A"}, "A"))
      << "an empty file gets its count record";
  std::string lower_case = Index({"SIDE1"}, "");
  lower_case.replace(kIndexRecordSize, 5, "side1");  // stored in lower case by some other tool
  EXPECT_EQ(UpdatedIndex(lower_case, Entry("SIDE1", "SIDE"))->Bytes, Index({"SIDE1"}, "SIDE1"));
}

TEST(ProgramName, FileNamePartPaddedAndUpperCasedThenCheckedAndAskedForUntilLegal) {
  EXPECT_EQ(DirectoryProgramName("C:\\PROGS\\side12", "X"), "SIDE12  ");
  EXPECT_EQ(DirectoryProgramName("averylongname", "X"), "AVERYLON");
  EXPECT_EQ(DirectoryProgramName("C:\\PROGS\\", "door"), "door    ");
  test::RecordingOperator person;
  RunContext run(person);
  for (const char* name : {"A", "PANEL1  ", "ZZZZZZZZ", "side", "abcdefgh "})
    EXPECT_EQ(CheckProgramName(run, name), name);
  person.answers = {"TOOLONGNAME", "p2"};
  EXPECT_EQ(CheckProgramName(run, "_PANEL  "), std::optional<std::string>("p2"));  // used as typed
  EXPECT_EQ(person.questions[1], "TOOLONGNAME Name Not Legal for PTP400\r\n\r\n           Enter New Name:");
  EXPECT_EQ(run.PendingMessage, "Name changed to TOOLONGNAME\rName changed to p2\r");
}

// The worked example stored under the request's program name (made absolute in the
// scratch directory when it has one) as plain files or, with an index (null: none), in
// the directory system. A bare name goes to the destination path (not the working
// directory), a name with a directory keeps it, a directory alone takes the drawing's
// name, portions are numbered; a file that cannot be written fails the drawing and gets
// no part-list line. The directory system stores nothing without a legal name or an
// index, and leaves a damaged index alone. The effects in one text, parts apart by " # ":
// report lines, files written, what the operator saw (questions, message boxes, rows
// shown at once, pauses), programs in the run's ledger, names entered, files failed.
TEST(StoreProgram, PlainFilesAndTheDirectorySystem) {
  const std::string done = "CONVERSION COMPLETED.  7 Lines",
                    ask = "   Name Not Legal for PTP400\r\n\r\n           Enter New Name:",
                    inside = "PORTION 2 (PART2) begins inside a cutting contour longer than the line limit|";
  // Directory system, program name, index before, answer, line limit, effects, index after.
  // clang-format off
  const std::tuple<bool, std::string, const char*, const char*, const char*, std::string, std::string> cases[] = {
      {false, "", nullptr, "", "", "PART|" + done + " # MQ.PNX out/PART #  # out/PART #  # ", ""},
      {false, "sub/", nullptr, "", "", "PART.DXF|" + done + " # MQ.PNX sub/PART #  # sub/PART #  # ", ""},
      {false, "gone/P", nullptr, "", "", "P|Cannot write gone/P #  #  #  #  # gone/P", ""},
      {false, "", nullptr, "", "3", "PART|Breaking up into multiples...|" + inside + "PORTION 1 -  COMPLETED. |PORTION 2 -  COMPLETED. |" +
       done + " # MQ.PNX out/PART1.SRG out/PART2.SRG #  # out/PART1.SRG out/PART2.SRG #  # ", ""},
      {true, "PANEL1", "", "", "", "PANEL1|" + done + " # MQ.PNX PNAME.DAT out/INDEX.IND out/P/PANEL1.SRG #  # "
       "out/P/PANEL1.SRG # PANEL1 # ", Index({"PANEL1"})},
      {true, "sub/door", "", "", "", "door|" + done + " # MQ.PNX PNAME.DAT sub/D/DOOR.SRG sub/index.ind #  # "
       "sub/D/DOOR.SRG # DOOR # ", Index({"DOOR"})},
      {true, "7PANEL", "", "SIDE7", "", "7PANEL|Name changed to SIDE7|" + done + " # MQ.PNX PNAME.DAT out/INDEX.IND "
       "out/S/SIDE7.SRG # 7PANEL" + ask + " # out/S/SIDE7.SRG # SIDE7 # ", Index({"SIDE7"})},
      {true, "7PANEL", "", "", "", "7PANEL|NO PROGRAM NAME ENTERED.|Conversion Aborted. # out/INDEX.IND # 7PANEL" + ask +
       " #  #  # 7PANEL", Index({})},
      {true, "PART", nullptr, "", "", "PART|Import Failed #  # PTP400 Index File out/INDEX.IND Not Found #  #  # PART", ""},
      {true, "PART", "not an index", "", "", "PART|" + done + " # MQ.PNX PNAME.DAT out/INDEX.IND out/P/PART.SRG # "
       "!!! PROBLEM DETECTED WITH INDEX.IND FILE !!!|pause 5 # out/P/PART.SRG # PART # ", "not an index"},
      {true, "PART", "", "", "3", "PART|Breaking up into multiples...|" + inside + "PORTION 1 - PART1 COMPLETED. |PORTION 2 - PART2 "
       "COMPLETED. |" + done + " # MQ.PNX PNAME.DAT out/INDEX.IND out/P/PART1.SRG out/P/PART2.SRG #  # out/P/PART1.SRG "
       "out/P/PART2.SRG # PART1 PART2 # ", Index({"PART1", "PART2"})}};
  // clang-format on
  for (const auto& [directory_system, name, index, answer, line_limit, effects, index_after] : cases) {
    test::Conversion c(WorkedExample());
    const std::string index_file = name.starts_with("sub/") ? "sub/index.ind" : "out/INDEX.IND",
                      scratch = c.dir.path().string() + "/";
    std::filesystem::create_directories(c.dir / "sub");
    c.settings.DirectorySystem = directory_system, c.settings.LineLimit = *line_limit ? line_limit : "600";
    if (*answer) c.person.answers = {answer};
    if (index) std::ofstream(c.dir / index_file) << (*index ? index : IndexHeaderText(0));
    Strings report = c.Process(scratch + "PART" + (name.empty() ? "" : " ") +
                               (name.find('/') != std::string::npos ? scratch : "") + name);
    for (std::string& line : report) line = line.substr(0, line.find(": "));  // the system's reason aside
    std::string effects_seen = Joined(report, "|") + " # " + FilesWritten(c) + " # " +
                               Joined(c.person.questions, "|") + Joined(c.person.messages, "|") +
                               Joined(c.person.rows, "|");
    for (double p : c.person.pauses) effects_seen += "|pause " + std::to_string(static_cast<int>(p));
    effects_seen += " # " + Joined(c.ledger.WrittenPrograms, " ") + " # " +
                    Joined(c.ledger.ConvertedNames, " ") + " # " + Joined(c.run.FailedFiles, " ");
    for (std::size_t at; (at = effects_seen.find(scratch)) != std::string::npos;)
      effects_seen.erase(at, scratch.size());
    EXPECT_EQ(effects_seen, effects);
    EXPECT_EQ(c.Written(index_file), index_after) << name;
    const OneBasedList<std::string>& entered = c.ledger.ConvertedNames;
    EXPECT_EQ(c.Written("PNAME.DAT"), entered.empty() ? "" : entered.back() + "\r\n");
    EXPECT_EQ(c.Written("MQ.PNX").size(), 20 * c.ledger.WrittenPrograms.size())
        << "a line of 20 for each program";
  }
}

// Par.DAT is looked for where ROOT says; it is read for bores only (the golden cases show
// that).
TEST(ParameterFilePath, RootDefaultAndFallback) {
  SilentOperator nobody;
  RunContext run(nobody);
  const std::string unset = ParameterFilePath(run);
  run.RootDirectory = "D:\\MACHINE";
  const std::string machine = ParameterFilePath(run);
  run.RootDirectory = "";
  EXPECT_EQ(unset + "|" + machine + "|" + ParameterFilePath(run),
            "C:\\400V80\\Par.DAT|D:\\MACHINE\\Par.DAT|c:\\400v80\\Par.DAT");
}

// What a run keeps: a missing Par.DAT is a warning for every drawing with bores, and with the restart option
// MQ.PNX (found whatever the case of its name) starts anew with the first drawing.
TEST(OutputLedger, WhatHappensOnceARun) {
  for (const bool restart : {false, true}) {
    test::Conversion c(WorkedExample().Circle("VBORE D5 Z12", 100, 100, 2.5));
    std::ofstream(c.dir / "mq.pnx", std::ios::binary) << "OLD,1,MAT,1,2\r\n";
    c.run.RestartPartList = restart;
    c.Process(), c.Process();
    const Strings lines = c.Messages();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Parameter file PAR.DAT not found."), 2);
    EXPECT_EQ(c.run.Warnings, std::vector<std::string>{"Parameter file PAR.DAT not found."});
    EXPECT_EQ(c.Written("mq.pnx"), std::string(restart ? "" : "OLD,1,MAT,1,2\r\n") +
                                       "PART.DXF,1,MAT,600,400\r\nPART.DXF,1,MAT,600,400\r\n");
  }
  EXPECT_EQ(PartListLine("SIDE", 300.5f, 200.004f, 2), "SIDE,1,MAT,300.5,200");
}

}  // namespace
}  // namespace mq
