#pragma once
// A main window on a settings file and a DXF directory of its own, with a prompter
// that records every message and question and answers questions from a script.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTableWidget>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/main_window.h"
#include "gui/prompter.h"
#include "support/dxf_builder.h"

namespace mq::gui::test {

struct Prompt {
  QString text;
  QString title;
};

class ScriptedPrompter : public Prompter {
 public:
  std::vector<Prompt> told, asked;
  std::deque<bool> answers;  // Yes or No, in order; No when the script has run out

  void Tell(QWidget*, const QString& text, const QString& title, MessageIcon) override {
    told.push_back({text, title});
  }
  bool AskYesNo(QWidget*, const QString& text, const QString& title, MessageIcon) override {
    asked.push_back({text, title});
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  QString AskForText(QWidget*, const QString&, const QString&) override { return {}; }
};

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() { std::filesystem::create_directories(drawings); }

  // The settings file: the paths of this test, then `lines` of [ConFiguration].
  void WriteSettings(const std::string& lines = {}) {
    std::ofstream(settings, std::ios::binary) << "[ConFiguration]\r\nDXFPath=" << drawings.string()
                                              << "/\r\nDestinationPath=" << programs.string() << "/\r\n"
                                              << lines;
    std::filesystem::create_directories(programs);
  }
  // A 600 x 400 panel with a short route; `extra_lines` more lines on a layer that
  // is not machined make it longer to read.
  void Drawing(const std::string& name, int extra_lines = 0) const {
    mq::test::DxfBuilder dxf;
    dxf.Rectangle("BORDER", 0, 0, 600, 400).Line("ROUTE T5 D20 F5000", 300, 200, 310, 200);
    for (int i = 0; i < extra_lines; ++i) dxf.Line("NOTES", 10, 10 + i * 0.01, 20, 10 + i * 0.01);
    dxf.Save(drawings / name);
  }
  MainWindow& Open(const std::string& command_line = {}) {
    WindowOptions options;
    options.settings_file = settings;
    options.program_directory = (dir.path() / "").string();
    options.executable_path = (dir / "marquill400").string();
    options.command_line = command_line;
    window = std::make_unique<MainWindow>(options, prompter);
    return *window;
  }

  template <class Widget = QWidget>
  Widget* Find(const char* name) const {
    Widget* widget = window->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void Click(const char* button) const { Find<QAbstractButton>(button)->click(); }
  // Clicks `opener`, which shows a modal dialog, and does `inside` while it is open.
  void WhileModal(const char* opener, const std::function<void()>& inside) const {
    QTimer::singleShot(0, window.get(), inside);
    Click(opener);
  }
  std::vector<std::string> ReportRows() const {
    auto* report = Find<QTableWidget>("List2");
    std::vector<std::string> rows;
    for (int row = 0; row < report->rowCount(); ++row)
      rows.push_back(report->item(row, 0)->text().toStdString());
    return rows;
  }
  std::string SettingsText() const {
    std::ifstream in(settings, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  mq::test::ScratchDirectory dir{"gui"};
  std::filesystem::path settings = dir / "MQ400.INI";
  std::filesystem::path drawings = dir / "dxf";
  std::filesystem::path programs = dir / "out";
  ScriptedPrompter prompter;
  std::unique_ptr<MainWindow> window;
};

}  // namespace mq::gui::test
