// The main window and its dialogs as an operator uses them: first start, batch runs
// with a missing drawing and with Stop, the unit toggle, Setup Cancel and OK, Tool Sub,
// and erasing files.

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>

#include "window_harness.h"

namespace mq::gui::test {
namespace {

namespace fs = std::filesystem;

QString Text(QWidget* widget) {
  if (auto* field = qobject_cast<QLineEdit*>(widget)) return field->text();
  return qobject_cast<QAbstractButton*>(widget)->text();
}

TEST_F(WindowTest, FirstStartWithoutSettingsFileShowsTheDefaults) {
  Open();
  const std::pair<const char*, const char*> defaults[] = {{"PrcM", "2"},   {"PrcI", "3"},   {"SawKerf", "3"},
                                                          {"SLim", "600"}, {"GRDly", ".5"}, {"MetIn", ""},
                                                          {"LLen", ""}};
  for (const auto& [control, shown] : defaults) EXPECT_EQ(Text(Find(control)), shown) << control;
  EXPECT_TRUE(Find<QRadioButton>("AS0")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>("AS1")->isChecked() || Find<QRadioButton>("AS2")->isChecked());
  ASSERT_EQ(prompter.told.size(), 1u);  // no control software beside the converter
  EXPECT_EQ(prompter.told[0].text.toStdString(), "ID file not found in path: " + (dir.path() / "").string());
  EXPECT_FALSE(fs::exists(settings));  // nothing is written before the operator saves
}

TEST_F(WindowTest, MissingDrawingIsReportedInItsRowAndListedAtTheEnd) {
  WriteSettings();
  for (const char* name : {"A.DXF", "B.DXF", "C.DXF"}) Drawing(name);
  Open();
  Find<QTableWidget>("list1")->selectAll();
  fs::remove(drawings / "B.DXF");  // vanishes before its turn
  Click("Start");

  const std::string missing = (drawings / "B.DXF").string();
  const std::vector<std::string> rows = ReportRows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].rfind("A\nCONVERSION COMPLETED.", 0), 0u) << rows[0];
  EXPECT_EQ(rows[1], missing + "  NOT FOUND");
  EXPECT_EQ(rows[2].rfind("C\nCONVERSION COMPLETED.", 0), 0u) << rows[2];
  EXPECT_EQ(rows[3], "*** The Following files failed to process: ***\n" + missing);
  EXPECT_TRUE(fs::exists(programs / "A") && fs::exists(programs / "C"));
  EXPECT_EQ(Text(Find("EX1")), "Exit");
}

TEST_F(WindowTest, StopDuringTheSecondOfFiveDrawingsConvertsNoMore) {
  WriteSettings();
  for (const char* name : {"A.DXF", "C.DXF", "D.DXF", "E.DXF"}) Drawing(name);
  Drawing("B.DXF", 100000);  // long enough for its reading to be seen under way
  Open();
  auto* parsing = Find<QProgressBar>("ProgressBar0");
  QObject::connect(parsing, &QProgressBar::valueChanged, [&](int percent) {
    if (ReportRows().size() == 1 && percent > 0 && percent < 100) Click("EX1");
  });
  Find<QTableWidget>("list1")->selectAll();
  Click("Start");

  const std::vector<std::string> rows = ReportRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], "B\n USER ABORTED ");
  EXPECT_EQ(rows[2], "*** The Following files failed to process: ***\n" + (drawings / "B.DXF").string());
  EXPECT_TRUE(fs::exists(programs / "A"));
  for (const char* program : {"B", "C", "D", "E"}) EXPECT_FALSE(fs::exists(programs / program)) << program;
}

TEST_F(WindowTest, UnitToggleRoundsEachStepToTwoPlaces) {
  WriteSettings("Metric=Metric\r\nLeadLength=25.00\r\n");
  Open();
  const std::pair<const char*, const char*> steps[] = {{"Inch", "0.98"}, {"Metric", "24.89"}};
  for (const auto& [caption, lead_length] : steps) {
    Click("MetIn");
    EXPECT_EQ(Text(Find("MetIn")), caption);
    EXPECT_EQ(Text(Find("LLen")), lead_length);
  }
  EXPECT_EQ(Text(Find("PrcM")), "2");  // decimal places are no length
}

TEST_F(WindowTest, SetupCancelRestoresTheSavedLeadLengthAndOkKeepsTheNewOne) {
  const std::pair<const char*, const char*> cases[] = {{"PrefCan", "25.00"}, {"PrefOK", "40"}};
  for (const auto& [button, kept] : cases) {
    WriteSettings("LeadLength=25.00\r\n");
    Open();
    WhileModal("SetB", [&, button = button] {
      Find<QLineEdit>("LLen")->setText("40");
      Click(button);
    });
    EXPECT_EQ(Text(Find("LLen")), kept) << button;
    EXPECT_NE(SettingsText().find(std::string("LeadLength=") + kept), std::string::npos) << button;
  }
}

TEST_F(WindowTest, ToolSubOkWritesTheTableAndCancelWritesNothing) {
  const std::pair<const char*, bool> cases[] = {{"BtnCan", false}, {"BtnOK", true}};
  for (const auto& [button, written] : cases) {
    WriteSettings();
    Open();
    WhileModal("TSetB", [&, button = button] {
      auto* table = Find<QTableWidget>("ToolSubTbl");
      table->cellWidget(0, 0)->findChild<QCheckBox*>()->setChecked(true);
      table->item(0, 1)->setText("5");
      table->item(0, 2)->setText("31");
      Click(button);
    });
    const std::string text = SettingsText();
    EXPECT_EQ(text.find("[ToolSubData]\r\nEnabled1=1\r\nTool1=5\r\nToolSub1=31\r\nEnabled2=0\r\n") !=
                  std::string::npos,
              written)
        << button << "\n"
        << text;
  }
}

TEST_F(WindowTest, EraseAsksFirstAndDeletesOnlyOnYes) {
  struct Case {
    bool select;
    bool answer;
    const char* told;  // the message, when there is no question
    bool erased;
  };
  const Case cases[] = {{false, true, "No files selected to Erase.", false},
                        {true, false, nullptr, false},
                        {true, true, nullptr, true}};
  for (const Case& c : cases) {
    WriteSettings();
    Drawing("A.DXF");
    prompter = ScriptedPrompter();
    prompter.answers = {c.answer};
    Open();
    if (c.select) Find<QTableWidget>("list1")->selectAll();
    Click("EraseBtn");
    EXPECT_EQ(fs::exists(drawings / "A.DXF"), !c.erased);
    EXPECT_EQ(Find<QTableWidget>("list1")->rowCount(), c.erased ? 0 : 1);
    if (c.told != nullptr) {
      EXPECT_EQ(prompter.told.back().text.toStdString(), c.told);
      EXPECT_TRUE(prompter.asked.empty());
    } else {
      ASSERT_EQ(prompter.asked.size(), 1u);
      EXPECT_EQ(prompter.asked[0].text, "Do you wish to Erase these files?");
      EXPECT_EQ(prompter.asked[0].title, "Erase Selected Files");
    }
  }
}

}  // namespace
}  // namespace mq::gui::test
