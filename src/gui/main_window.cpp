#include "gui/main_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>
#include <cstdlib>

#include "gui/cursor_help.h"
#include "gui/default_settings_panel.h"
#include "gui/file_list.h"
#include "gui/gui_operator.h"
#include "gui/preview_pane.h"
#include "gui/program_viewer.h"
#include "gui/progress_meters.h"
#include "gui/prompter.h"
#include "gui/qt_text.h"
#include "gui/report_view.h"
#include "gui/setup_dialog.h"
#include "gui/tool_sub_dialog.h"
#include "input/file_paths.h"
#include "shell/command_line_switches.h"
#include "shell/dxf_directory.h"
#include "shell/machine_software.h"
#include "shell/run_environment.h"
#include "shell/settings_file.h"
#include "shell/settings_store.h"
#include "shell/window_placement.h"

namespace mq::gui {

namespace {

const QString kProductName = QStringLiteral("Marquill400");
constexpr int kPollIntervalMs = 1000;
constexpr int kButtonCharacters = 14;
const QSize kFirstStartSize(1120, 780);

QPushButton* NamedButton(const char* name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QString::fromLatin1(name));
  button->setMinimumHeight(button->sizeHint().height() + 6);
  return button;
}

}  // namespace

MainWindow::MainWindow(const WindowOptions& options, Prompter& prompter)
    : options_(options), prompter_(prompter) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(kProductName);
  setAcceptDrops(true);
  BuildWindow();
  operator_ = std::make_unique<GuiOperator>(*this, *report_, *meters_, prompter_);
  run_ = std::make_unique<RunContext>(*operator_);
  operator_->Attach(*run_);
  run_->ProgramDirectory = options_.program_directory;

  defaults_->SetMakeBinariesShown(OffersMakeBinaries(options_.executable_path));
  IdentifyMachine();

  const IniFileRead read = ReadIniFile(options_.settings_file);
  if (!read.problem.empty()) ReportSettingsProblem(read.problem);
  Settings loaded;
  LoadStartupSettings(read.file, loaded);
  run_->RootDirectory = ChooseParDatDirectory(RootVariable(), loaded).directory;
  ApplySettings(loaded);
  for (int column = kFirstRestoredListColumn; column <= kFileListColumns; ++column) {
    files_->SetColumnWidthInCharacters(column, loaded.ListColumnWidth[static_cast<std::size_t>(column)]);
  }
  PlaceWindow(read.file);

  poll_.setObjectName(QStringLiteral("LoadDr"));
  connect(&poll_, &QTimer::timeout, this, [this] { PollDirectory(); });
  poll_.start(kPollIntervalMs);
  PollDirectory();
  StartWatcher();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildWindow() {
  files_ = new FileList;
  report_ = new ReportView;
  meters_ = new ProgressMeters;
  defaults_ = new DefaultSettingsPanel;
  setup_ = new SetupDialog(this, prompter_);
  tool_sub_ = new ToolSubDialog(this);

  auto* lists = new QSplitter(Qt::Vertical);
  lists->setChildrenCollapsible(false);
  lists->addWidget(files_);
  lists->addWidget(report_);
  lists->setStretchFactor(0, 2);
  lists->setStretchFactor(1, 3);

  preview_ = new PreviewPane;
  auto* work = new QSplitter(Qt::Horizontal);
  work->addWidget(lists);
  work->addWidget(preview_);
  work->setStretchFactor(0, 3);
  work->setStretchFactor(1, 2);

  auto* top = new QHBoxLayout;
  top->setSpacing(10);
  top->addWidget(work, 1);
  top->addWidget(BuildButtons());

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(10, 10, 10, 6);
  layout->setSpacing(8);
  layout->addLayout(top, 1);
  layout->addWidget(meters_);
  layout->addWidget(defaults_);
  setCentralWidget(central);

  directory_status_ = new QLabel;
  statusBar()->addWidget(directory_status_, 1);
  auto* settings_file =
      new QLabel(tr("Settings: %1").arg(QString::fromStdString(options_.settings_file.string())));
  settings_file->setObjectName(QStringLiteral("SettingsFileLabel"));
  statusBar()->addPermanentWidget(settings_file);

  connect(report_, &ReportView::ProgramsRequested, this,
          [this](const QStringList& programs) { (new ProgramViewer(this, programs))->show(); });
  connect(report_, &QTableWidget::itemSelectionChanged, this, [this] {
    const QStringList programs = report_->Programs(report_->currentRow());
    if (!programs.isEmpty()) ShowPreviewOf(programs);
  });
  connect(files_, &FileList::ColumnWidthChanged, this, &MainWindow::SaveColumnWidth);
  connect(defaults_, &DefaultSettingsPanel::SaveRequested, this, &MainWindow::SaveSettings);
  connect(setup_, &SetupDialog::CursorHelpToggled, this, [this](bool on) {
    ApplyMainCursorHelp(this, on);
    ApplySetupCursorHelp(setup_, on);
  });
  auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(stop, &QShortcut::activated, this, [this] {
    if (running_) RequestStop();
  });

  setTabOrder(files_, start_);
  setTabOrder(start_, exit_);
  setTabOrder(exit_, erase_);
  setTabOrder(erase_, defaults_button_);
  setTabOrder(defaults_button_, setup_button_);
  setTabOrder(setup_button_, tool_sub_button_);
  setTabOrder(tool_sub_button_, report_);
}

QWidget* MainWindow::BuildButtons() {
  start_ = NamedButton("Start", QStringLiteral("Start"));
  exit_ = NamedButton("EX1", QStringLiteral("Exit"));
  erase_ = NamedButton("EraseBtn", tr("Erase"));
  defaults_button_ = NamedButton("CmdDF", tr("Hide Defaults"));
  setup_button_ = NamedButton("SetB", QStringLiteral("Setup"));
  tool_sub_button_ = NamedButton("TSetB", QStringLiteral("Tool Sub"));
  preview_button_ = NamedButton("PreviewBtn", tr("Hide Preview"));
  start_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  erase_->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
  QFont bold = start_->font();
  bold.setBold(true);
  start_->setFont(bold);

  // Pressing Start is also the Continue of a pause: the run state is set on the press.
  connect(start_, &QPushButton::pressed, this, [this] {
    run_->RunState = -1;
    run_->FileFailed = false;
  });
  connect(start_, &QPushButton::clicked, this, &MainWindow::StartClicked);
  connect(exit_, &QPushButton::clicked, this, &MainWindow::ExitClicked);
  connect(erase_, &QPushButton::clicked, this, &MainWindow::EraseClicked);
  connect(defaults_button_, &QPushButton::clicked, this, &MainWindow::ToggleDefaults);
  connect(setup_button_, &QPushButton::clicked, this, &MainWindow::OpenSetup);
  connect(tool_sub_button_, &QPushButton::clicked, this, &MainWindow::OpenToolSub);
  connect(preview_button_, &QPushButton::clicked, this, &MainWindow::TogglePreview);

  auto* column = new QWidget;
  auto* buttons = new QVBoxLayout(column);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->setSpacing(6);
  for (QPushButton* button : {start_, exit_}) buttons->addWidget(button);
  buttons->addSpacing(14);
  buttons->addWidget(erase_);
  buttons->addStretch();
  for (QPushButton* button : {preview_button_, defaults_button_, setup_button_, tool_sub_button_})
    buttons->addWidget(button);
  column->setFixedWidth(fontMetrics().averageCharWidth() * kButtonCharacters + 24);
  return column;
}

// The control software beside the converter: without it the operator is warned; two
// machines have no lead synthesis.
void MainWindow::IdentifyMachine() {
  const int machine = IdentifyMachineSoftware(options_.program_directory);
  defaults_->SetLeadSynthesisShown(HasLeadSynthesis(machine));
  if (machine == 0) {
    const QString warning = ToQt(std::string(kIdFileNotFound) + options_.program_directory);
    // A drawing handed over on the command line is converted without anyone at the
    // window: a question box would hold the CAD program up until someone came.
    if (!ReadCommandLine(options_.command_line).Request.empty()) {
      report_->AddRow(warning);
    } else {
      prompter_.Tell(this, warning, kProductName, MessageIcon::Exclamation);
    }
  }
}

Settings MainWindow::CurrentSettings() const {
  Settings settings = settings_;
  settings.FormState = form_state_;
  defaults_->Store(settings);
  setup_->Store(settings);
  return settings;
}

void MainWindow::ApplySettings(const Settings& settings) {
  settings_ = settings;
  form_state_ = settings.FormState;
  defaults_->Show(settings);
  setup_->Show(settings);
  ApplyMainCursorHelp(this, settings.TipsEnable != 0);
  ApplySetupCursorHelp(setup_, settings.TipsEnable != 0);
  LayOutDefaults();
}

void MainWindow::LoadSettings() {
  IniFileRead read = ReadIniFile(options_.settings_file);
  if (!read.problem.empty()) ReportSettingsProblem(read.problem);
  Settings loaded = settings_;
  LoadOrSaveSettings(kLoadSettings, read.file, loaded);
  ReadPtsSettings(read.file, loaded);
  LoadOriginSetting(read.file, loaded);
  ApplySettings(loaded);
}

void MainWindow::SaveSettings() {
  Settings settings = CurrentSettings();
  const std::string problem = UpdateSettingsFile(options_.settings_file, [&settings](IniFile& file) {
    LoadOrSaveSettings(kSaveSettings, file, settings);
  });
  settings_ = settings;
  if (!problem.empty()) ReportSettingsProblem(problem);
}

void MainWindow::ReportSettingsProblem(const std::string& problem) {
  prompter_.Tell(this, ToQt(problem), kProductName, MessageIcon::Exclamation);
}

// The lists take the room of the default settings while these are hidden.
void MainWindow::LayOutDefaults() {
  defaults_->setVisible(form_state_ != 0);
  defaults_button_->setText(form_state_ != 0 ? tr("Hide Defaults") : tr("Show Defaults"));
}

void MainWindow::ToggleDefaults() {
  form_state_ = form_state_ != 0 ? 0 : -1;
  LayOutDefaults();
}

void MainWindow::PlaceWindow(const IniFile& file) {
  const std::optional<WindowPlacement> kept = ReadWindowPlacement(file);
  const QRect kept_rect = kept ? QRect(kept->Left, kept->Top, kept->Width, kept->Height) : QRect();
  if (kept && QGuiApplication::screenAt(kept_rect.center()) != nullptr) {
    setGeometry(kept_rect);
    if (kept->Maximized) setWindowState(windowState() | Qt::WindowMaximized);
    return;
  }
  // First start (or a screen that has gone): the first-start size in the screen's middle.
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize size = kFirstStartSize.boundedTo(screen.size());
  move(std::max(screen.left(), screen.center().x() - size.width() / 2),
       std::max(screen.top(), screen.center().y() - size.height() / 2));
  resize(size);
}

void MainWindow::PollDirectory() {
  const std::string directory = setup_->DxfSourcePath();
  const std::vector<DxfFileEntry> entries = ReadDxfDirectory(directory);
  files_->ShowEntries(entries);
  directory_status_->setText(
      tr("%n DXF file(s) in %1", nullptr, static_cast<int>(entries.size()))
          .arg(ToQt(directory.empty() ? std::string("(no DXF source path)") : directory)));
}

void MainWindow::SaveColumnWidth(int column, float characters) {
  settings_.ListColumnWidth[static_cast<std::size_t>(column)] = characters;
  const std::string problem = UpdateSettingsFile(options_.settings_file, [column, characters](IniFile& file) {
    WriteListColumnWidth(file, column, characters);
  });
  if (!problem.empty()) ReportSettingsProblem(problem);
}

void MainWindow::OpenSetup() {
  auto_start_enabled_ = false;
  SaveSettings();
  setup_->PrepareToOpen();
  if (setup_->exec() == QDialog::Accepted) {
    const Settings settings = CurrentSettings();
    const std::string problem = UpdateSettingsFile(
        options_.settings_file, [&settings](IniFile& file) { SaveSetupSettings(file, settings); });
    settings_ = settings;
    if (!problem.empty()) ReportSettingsProblem(problem);
  } else {
    LoadSettings();  // undoes every change since the save above, here and in the dialog
  }
  auto_start_enabled_ = true;
  PollDirectory();
}

void MainWindow::OpenToolSub() {
  const IniFileRead read = ReadIniFile(options_.settings_file);
  Settings table = settings_;
  LoadToolSubstitution(read.file, table);
  tool_sub_->ShowTable(table.ToolSubstitution);
  if (tool_sub_->exec() != QDialog::Accepted) return;
  settings_.ToolSubstitution = tool_sub_->Table();
  const Settings settings = settings_;
  const std::string problem = UpdateSettingsFile(
      options_.settings_file, [&settings](IniFile& file) { SaveToolSubstitution(file, settings); });
  if (!problem.empty()) ReportSettingsProblem(problem);
}

void MainWindow::BringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

bool MainWindow::AskYesNo(const std::string& text, const std::string& title) {
  return prompter_.AskYesNo(this, ToShownLines(text), ToQt(title), MessageIcon::Question);
}

void MainWindow::HideMainWindow() {
  hide();
  QCoreApplication::processEvents();
}

void MainWindow::ShowMainWindow() {
  show();
  raise();
}

}  // namespace mq::gui
