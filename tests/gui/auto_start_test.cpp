// The auto-start watcher in the main window: a dropped drawing converted by the timer's
// ticks, the pause after a failed one with Continue and Stop, the command line's request
// that ends the program, and the TPA editor of a Winner90 tree told about the converter.

#include <QTimer>
#include <chrono>

#include "shell/ini_file.h"
#include "window_harness.h"

namespace mq::gui::test {
namespace {

namespace fs = std::filesystem;

class AutoStartTest : public WindowTest {
 protected:
  void OpenWith(const std::string& command_line) {
    QObject::connect(&Open(command_line), &MainWindow::ProgramEnded,
                     [this](int status) { ended.push_back(status); });
  }
  // A drawing that a CAD program finished writing a while ago.
  void Dropped(const std::string& name, const std::string& copy_of) const {
    fs::copy_file(drawings / copy_of, drawings / name);
    fs::last_write_time(drawings / name, fs::file_time_type::clock::now() - std::chrono::seconds(5));
  }
  void Ticks(int count) const {
    for (int tick = 0; tick < count; ++tick) window->WatchTick();
  }
  std::string Caption(const char* button) const {
    return Find<QAbstractButton>(button)->text().toStdString();
  }

  std::vector<int> ended;
};

// The failed drawing waits with Continue and Stop until the operator presses Stop; the
// window is then as it was.
TEST_F(AutoStartTest, DroppedDrawingIsConvertedAndAFailedOneWaitsForTheOperator) {
  WriteSettings("AutoStartTemp=True\r\n");
  Drawing("PANEL.DXF");
  mq::test::DxfBuilder().Line("NOTES", 0, 0, 10, 0).Save(drawings / "BLANK.DXF");
  OpenWith("");
  Ticks(3);
  Dropped("TEMP.DXF", "PANEL.DXF");
  Ticks(2);
  EXPECT_TRUE(fs::exists(programs / "TEMP") && !fs::exists(drawings / "TEMP.DXF"));
  ASSERT_EQ(ReportRows().size(), 1u);
  EXPECT_EQ(ReportRows()[0].rfind("TEMP\n", 0), 0u) << ReportRows()[0];

  Dropped("TEMP.DXF", "BLANK.DXF");
  std::string paused;
  QTimer operator_at_window;  // presses Stop once the window waits
  QObject::connect(&operator_at_window, &QTimer::timeout, [&] {
    if (Caption("Start") != "Continue") return;
    paused = Caption("Start") + "/" + Caption("EX1");
    Click("EX1");
  });
  operator_at_window.start(20);
  Ticks(2);
  EXPECT_EQ(paused, "Continue/Stop");
  EXPECT_EQ(Caption("Start") + "/" + Caption("EX1"), "Start/Exit");
  EXPECT_TRUE(Find<QAbstractButton>("Start")->isEnabled() && Find<QAbstractButton>("EX1")->isEnabled());
  EXPECT_FALSE(fs::exists(drawings / "TEMP.DXF"));
  EXPECT_TRUE(ended.empty());
}

TEST_F(AutoStartTest, CommandLineRequestIsConvertedAndEndsTheProgram) {
  WriteSettings("PauseForMessages=1\r\n");
  Drawing("DOOR.DXF");
  OpenWith((drawings / "DOOR").string() + " /a");
  // No control software beside the program: said in the report, not in a box that
  // would wait for someone to press OK.
  EXPECT_TRUE(prompter.told.empty());
  Ticks(3);
  EXPECT_TRUE(ended.empty());
  Ticks(1);
  EXPECT_EQ(ended, std::vector<int>{0});
  EXPECT_TRUE(fs::exists(programs / "DOOR"));
}

// Registered at start-up; closed by the system menu, the editor's exec flag is cleared.
TEST_F(AutoStartTest, Winner90EditorKnowsTheConverter) {
  programs = dir / "Winner90" / "PRG";
  WriteSettings();
  OpenWith("");
  const fs::path tpa = dir / "Winner90" / "TPA.INI";
  EXPECT_EQ(
      ReadIniFile(tpa).file.Get("edigraf-conv", "conv01").value_or("none"),
      "Select DXF File|*.dxf|" + (dir / "Winner90/").string() + "MQ90WIN.exe|/|" + drawings.string() + "/|");
  EXPECT_FALSE(ReadIniFile(tpa).file.Get("edigraf-exec", "Exec"));
  window->close();
  EXPECT_EQ(ReadIniFile(tpa).file.Get("edigraf-exec", "Exec").value_or("none"), "0");
}

}  // namespace
}  // namespace mq::gui::test
