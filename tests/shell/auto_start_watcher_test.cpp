// The auto-start watcher over a scratch DXF source directory, ticked by the test: what
// it converts, pauses for, shows and leaves behind, tick by tick.

#include "shell/auto_start_watcher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include "shell/automatic_run.h"
#include "support/conversion.h"

namespace mq {
namespace {

namespace fs = std::filesystem;

// Records what the watcher asks of its front end; converts for real.
class RecordingHost : public WatcherHost {
 public:
  std::string events;
  std::function<void()> while_converting, while_sleeping;
  fs::file_time_type now = fs::file_time_type::clock::now();
  bool stop = false;

  void Convert(std::string& request, RunContext& run, const Settings& settings,
               OutputLedger& ledger) override {
    Note("convert " + request);
    if (while_converting) while_converting();
    WatcherHost::Convert(request, run, settings, ledger);
  }
  void WaitForContinue(RunContext&) override { Note("pause"); }
  void ShowGraphicEditor(const std::string& directory, RunContext&, const Settings&) override {
    Note("editor " + directory);
  }
  bool StopRequested() override { return stop; }
  fs::file_time_type Now() override { return now; }
  void Sleep(double seconds) override {
    Note("sleep");
    if (while_sleeping) while_sleeping();
    now += std::chrono::milliseconds(static_cast<int>(seconds * 1000));
  }
  void Note(const std::string& event) { events += (events.empty() ? "" : "|") + event; }
};

enum Options { kTemp = 1, kBatch = 2, kPause = 4, kGraphic = 8 };

struct WatchCase {
  const char* name;
  const char* command_line;
  int options;
  // Files put into the DXF source directory: "PANEL" a drawing, "STRAY" one that fails,
  // anything else the text itself ("$" the DXF source path).
  std::vector<std::pair<const char*, const char*>> files;
  bool at_start;  // dropped before the first tick, else after the three warm-up ticks
  int ticks;      // in all
  // "$" the DXF source path, "%" the same without its separator, "@" the destination path.
  const char* events;
  const char* left;       // the files left in the source directory, by name
  const char* processed;  // PROC.LST, nullptr when none is written
  bool ends;
};

void PrintTo(const WatchCase& c, std::ostream* out) { *out << c.name; }

class Watcher : public ::testing::TestWithParam<WatchCase> {
 protected:
  Watcher() {
    fs::create_directories(dir / "out");
    settings.DXFPath = source, settings.DestinationPath = destination;
  }
  std::string Placed(std::string text) const {
    for (const auto& [mark, path] :
         {std::pair{'$', source}, {'%', source.substr(0, source.size() - 1)}, {'@', destination}})
      for (std::size_t at; (at = text.find(mark)) != std::string::npos;) text.replace(at, 1, path);
    return text;
  }
  void Put(const std::string& name, const std::string& content) const {
    fs::create_directories((dir / "dxf" / name).parent_path());
    if (content == "PANEL" || content == "STRAY") {
      test::PanelOfLines(0, 0, content == "PANEL" ? "BORDER" : "ROUTE")
          .Line("ROUTE Z5 T5", 100, 100, 200, 100)
          .Save(dir / "dxf" / name);
    } else {
      std::ofstream(dir / "dxf" / name, std::ios::binary) << Placed(content);
    }
  }
  test::ScratchDirectory dir{"watch"};
  std::string source = (dir / "dxf").string() + "/", destination = (dir / "out").string() + "/";
  test::RecordingOperator person;
  RunContext run{person};
  Settings settings;
  RecordingHost host;
};

TEST_P(Watcher, TicksOverTheSourceDirectory) {
  const WatchCase& c = GetParam();
  settings.AutoStartTemp = c.options & kTemp, settings.AutoStartBatch = c.options & kBatch;
  settings.PauseForMessages = (c.options & kPause) != 0,
  settings.GraphicAfterAuto = (c.options & kGraphic) != 0;
  run.ProgramDirectory = dir.path().string() + "/", run.RootDirectory = dir.path().string();
  AutoStartWatcher watcher(ReadCommandLine(Placed(c.command_line)), host);
  std::vector<WatcherVerdict> verdicts;
  for (int tick = 0; tick < c.ticks; ++tick) {
    if (tick == (c.at_start ? 0 : 3))
      for (const auto& [name, content] : c.files) Put(name, content);
    verdicts.push_back(watcher.Tick(settings, run));
  }
  // The list's lines are upper-cased: where case tells files apart, existing paths are
  // looked up without regard to it; elsewhere they stay as the list gives them.
  EXPECT_EQ(test::AsFileSystemCompares(host.events), test::AsFileSystemCompares(Placed(c.events)));
  EXPECT_EQ(test::NamesOf(test::FilesUnder(dir.path())), c.left);
  EXPECT_EQ(test::AsFileSystemCompares(test::ReadBytes(dir / "dxf" / "PROC.LST")),
            test::AsFileSystemCompares(Placed(c.processed ? c.processed : "")));
  EXPECT_EQ(std::count(verdicts.begin(), verdicts.end(), WatcherVerdict::kEndProgram), c.ends ? 1 : 0);
  EXPECT_EQ(verdicts.back() == WatcherVerdict::kEndProgram, c.ends) << "nothing after the end";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(AutoStart, Watcher, ::testing::Values(
    WatchCase{"TempDrawingWinsOverBatchList", "", kTemp | kBatch, {{"TEMP.DXF", "PANEL"}, {"BATCH.LST", "TEMP"}}, false, 5,
              "convert $TEMP.DXF", "dxf/BATCH.LST dxf/MQ.PNX out/TEMP", nullptr, false},
    WatchCase{"EmptyTempDrawingWaits", "", kTemp, {{"TEMP.DXF", ""}}, false, 8, "", "dxf/TEMP.DXF", nullptr, false},
    WatchCase{"EmptyBatchListIsDeletedAndNothingElse", "", kBatch, {{"BATCH.LST", ""}}, false, 5, "sleep", "", nullptr, false},
    WatchCase{"BatchListNamesProgramsInUpperCase", "", kBatch,
              {{"cad/part1.dxf", "PANEL"}, {"part2.dxf", "PANEL"}, {"BATCH.LST", "\"$cad/part1.dxf\" p1\r\npart2\r\n"}}, false, 5,
              "sleep|convert $cad/PART1 @P1|convert $PART2 @PART2", "dxf/MQ.PNX dxf/PROC.LST dxf/cad/MQ.PNX dxf/cad/part1.dxf dxf/part2.dxf out/P1 out/PART2", "@P1\r\n@PART2\r\n", false},
    WatchCase{"FailedDrawingPausesAndIsNotShown", "", kTemp | kGraphic, {{"Temp.dxf", "STRAY"}}, false, 5,
              "convert $Temp.dxf|pause", "", nullptr, false},
    WatchCase{"StaleFilesAreDeletedOnTheSecondTick", "", kTemp | kBatch, {{"TEMP.DXF", "PANEL"}, {"BATCH.LST", "A"}}, true, 3,
              "", "", nullptr, false},
    WatchCase{"SwitchesSAndKRunAnExistingBatchListOnce", "/S /K", 0, {{"BATCH.LST", "A"}, {"A.DXF", "PANEL"}}, true, 4,
              "sleep|convert $A @A", "dxf/A.DXF dxf/MQ.PNX dxf/PROC.LST out/A", "@A\r\n", true},
    WatchCase{"SwitchVShowsEachProgramAndSEndsThroughTheCommandLine", "/S /v", kPause,
              {{"A.DXF", "PANEL"}, {"BATCH.LST", "A\r\nB @X\r\n"}}, true, 4,
              "sleep|convert $A @A|pause|editor @|convert $B @X|pause", "dxf/A.DXF dxf/MQ.PNX dxf/PROC.LST out/A", "@A\r\n@X\r\n", true},
    WatchCase{"CommandLineConvertsAndEnds", "%\\DOOR", kPause | kGraphic, {{"DOOR.DXF", "PANEL"}}, true, 4,
              "convert %\\DOOR", "dxf/DOOR.DXF dxf/MQ.PNX out/DOOR", nullptr, true}),
    test::CaseName());
// clang-format on

// The CAD program writes TEMP.DXF in pieces: it is taken once it has stayed the same
// from one tick to the next, and once only, although the conversion lets later ticks
// in (here: two of them, while converting).
TEST_F(Watcher, GrowingDrawingWaitsUntilStillAndIsConvertedOnce) {
  settings.AutoStartTemp = true;
  AutoStartWatcher watcher(CommandLine{}, host);
  host.while_converting = [&] { watcher.Tick(settings, run), watcher.Tick(settings, run); };
  Put("whole.dxf", "PANEL");
  const std::string whole = test::ReadBytes(dir / "dxf" / "whole.dxf");
  const std::size_t third = whole.size() / 3;
  std::string taken;
  for (int tick = 0; tick < 3; ++tick) watcher.Tick(settings, run);
  for (const std::string& piece :
       {whole.substr(0, third), whole.substr(third, third), whole.substr(2 * third), std::string()}) {
    std::ofstream(dir / "dxf" / "TEMP.DXF", std::ios::app | std::ios::binary) << piece;
    watcher.Tick(settings, run);
    taken += host.events.empty() ? "-" : "+";
  }
  EXPECT_EQ(taken, "---+");
  EXPECT_EQ(host.events, "convert " + source + "TEMP.DXF");
  EXPECT_FALSE(fs::exists(dir / "dxf" / "TEMP.DXF"));
}

// Told to stop (the window closes, the service is stopped) during the first drawing of a
// list: that one is finished, the others are named as not converted.
TEST_F(Watcher, StopDuringAListEndsItAfterTheDrawing) {
  Put("A.DXF", "PANEL"), Put("B.DXF", "PANEL");
  host.while_converting = [&] { host.stop = true; };
  AutomaticRun automatic(settings, run, host, CommandLine{});
  automatic.RunList("A\r\nB\r\n", source + "PROC.LST");
  EXPECT_EQ(host.events, "convert " + source + "A " + destination + "A");
  EXPECT_EQ(test::ReadBytes(dir / "dxf" / "PROC.LST"), destination + "A\r\n");
  EXPECT_EQ(person.rows.back(), "*** The Following files failed to process: ***\r" + source + "B");
  EXPECT_TRUE(automatic.Failed());
}

// One tick's work at once: a drawing older than half a second is taken at once, a
// younger one after a second look, unless it changed meanwhile.
TEST_F(Watcher, OncePaceLooksAgainAtAYoungDrawing) {
  settings.AutoStartTemp = true;
  // Age of the drawing in milliseconds, whether it grows during the wait, what happens.
  const std::tuple<int, bool, const char*> cases[] = {{2000, false, "convert"},
                                                      {100, false, "sleep|convert"},
                                                      {100, true, "sleep"},
                                                      {-5000, false, "sleep|convert"}};
  for (const auto& [age, grows, events] : cases) {
    Put("TEMP.DXF", "PANEL");
    host.now = fs::last_write_time(dir / "dxf" / "TEMP.DXF") + std::chrono::milliseconds(age);
    host.events.clear();
    host.while_sleeping = [&, grows = grows] {
      if (grows) std::ofstream(dir / "dxf" / "TEMP.DXF", std::ios::app) << "999\nMORE\n";
    };
    AutoStartWatcher watcher(CommandLine{}, host, WatcherPace::kOnce);
    watcher.Tick(settings, run);
    EXPECT_EQ(host.events,
              std::regex_replace(events, std::regex("convert"), "convert " + source + "TEMP.DXF"));
    EXPECT_EQ(fs::exists(dir / "dxf" / "TEMP.DXF"), grows) << age;
  }
}

}  // namespace
}  // namespace mq
