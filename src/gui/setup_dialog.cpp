#include "gui/setup_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/prompter.h"
#include "gui/qt_text.h"

namespace mq::gui {

namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLineEdit* NumberField(const char* name, const QString& designed = {}) {
  auto* field = Named(new QLineEdit(designed), name);
  field->setAlignment(Qt::AlignRight);
  field->setFixedWidth(field->fontMetrics().averageCharWidth() * 10 + 16);
  return field;
}

QVBoxLayout* TabLayout(QWidget* tab) {
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(14, 14, 14, 14);
  layout->setSpacing(10);
  return layout;
}

// A directory chosen in the picker, written as the path fields hold paths: with its
// closing separator, and upper-cased where file names ignore case.
QString PickedPath(const QString& directory) {
  QString path = QDir::toNativeSeparators(directory);
#if defined(Q_OS_WIN)
  path = path.toUpper();
#endif
  if (!path.endsWith(QDir::separator())) path += QDir::separator();
  return path;
}

// Where the picker opens for a path whose directory does not exist: its drive's root.
QString DriveRoot(const QString& path) {
#if defined(Q_OS_WIN)
  return path.left(1) + QStringLiteral(":\\");
#else
  Q_UNUSED(path);
  return QStringLiteral("/");
#endif
}

}  // namespace

SetupDialog::SetupDialog(QWidget* parent, Prompter& prompter) : QDialog(parent), prompter_(prompter) {
  setObjectName(QStringLiteral("Setup"));
  setWindowTitle(QStringLiteral("Setup"));
  tabs_ = Named(new QTabWidget, "SetupTabs");
  tabs_->addTab(BuildPathsTab(), QStringLiteral("Paths"));
  tabs_->addTab(BuildAutoActionTab(), QStringLiteral("Auto Action"));
  tabs_->addTab(BuildPreferencesTab(), QStringLiteral("Preferences"));
  tabs_->addTab(BuildPtsTab(), QStringLiteral("PTS File"));

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = Named(buttons->addButton(QDialogButtonBox::Ok), "PrefOK");
  QPushButton* cancel = Named(buttons->addButton(QDialogButtonBox::Cancel), "PrefCan");
  cancel->setText(QStringLiteral("Cancel"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
  setMinimumWidth(560);
}

QWidget* SetupDialog::PathRow(QLineEdit* field, QPushButton* browse, const QString& frame_caption) {
  auto* frame = new QGroupBox(frame_caption);
  auto* row = new QHBoxLayout(frame);
  row->addWidget(field, 1);
  row->addWidget(browse);
  field->installEventFilter(this);
  return frame;
}

QWidget* SetupDialog::BuildPathsTab() {
  auto* tab = new QWidget;
  QVBoxLayout* layout = TabLayout(tab);
  dxf_path_ = Named(new QLineEdit, "DXFPath");
  gcode_path_ = Named(new QLineEdit, "GCodePath");
  browse_dxf_ = Named(new QPushButton(tr("Browse...")), "SPB1");
  browse_gcode_ = Named(new QPushButton(tr("Browse...")), "SPB2");
  directory_system_ =
      Named(new QCheckBox(QStringLiteral("Import Direct to PTP400 Directory System")), "FlgDDS");
  origin_lower_left_ = Named(new QCheckBox(QStringLiteral("Machine Origin is Lower Left")), "FlgMO");
  connect(browse_dxf_, &QPushButton::clicked, this,
          [this] { Browse(dxf_path_, QStringLiteral("Select DXF Path")); });
  connect(browse_gcode_, &QPushButton::clicked, this,
          [this] { Browse(gcode_path_, QStringLiteral("Select G Code Path")); });
  layout->addWidget(PathRow(dxf_path_, browse_dxf_, QStringLiteral("DXF Source Path ")));
  layout->addWidget(PathRow(gcode_path_, browse_gcode_, QStringLiteral("G Code Destination Path ")));
  layout->addWidget(directory_system_);
  layout->addWidget(origin_lower_left_);
  layout->addStretch();
  return tab;
}

QWidget* SetupDialog::BuildAutoActionTab() {
  auto* tab = new QWidget;
  QVBoxLayout* layout = TabLayout(tab);
  auto* start = new QGroupBox(QStringLiteral("Automatic Start"));
  auto* choices = new QVBoxLayout(start);
  auto* group = new QButtonGroup(this);
  auto_off_ = Named(new QRadioButton(QStringLiteral("AutoStart OFF")), "AS0");
  auto_temp_ = Named(new QRadioButton(QStringLiteral("AutoStart on TEMP.DXF")), "AS1");
  auto_batch_ = Named(new QRadioButton(QStringLiteral("AutoStart on BATCH.LST")), "AS2");
  for (QRadioButton* choice : {auto_off_, auto_temp_, auto_batch_}) {
    group->addButton(choice);
    choices->addWidget(choice);
    connect(choice, &QRadioButton::clicked, this, [this] { FollowAutoStart(); });
  }
  graphic_after_auto_ = Named(new QCheckBox(QStringLiteral("Graphic After Auto Process")), "GAAP");
  graphic_after_manual_ = Named(new QCheckBox(QStringLiteral("Graphic After Man Process")), "GAMP");
  pause_for_messages_ = Named(new QCheckBox(QStringLiteral("Pause for Messages")), "PFM");
  layout->addWidget(start);
  for (QCheckBox* box : {graphic_after_auto_, graphic_after_manual_, pause_for_messages_})
    layout->addWidget(box);
  layout->addStretch();
  return tab;
}

QWidget* SetupDialog::BuildPreferencesTab() {
  auto* tab = new QWidget;
  QVBoxLayout* layout = TabLayout(tab);
  graphic_delay_ = NumberField("GRDly");
  saw_kerf_ = NumberField("SawKerf");
  radius_limit_ = NumberField("RadLim", QStringLiteral("7500"));
  line_limit_ = NumberField("SLim", QStringLiteral("800"));
  tips_ = Named(new QCheckBox(QStringLiteral("Enable Cursor Help")), "Tips");
  inch_mode_ = Named(new QCheckBox(QStringLiteral("Inch Mode")), "SLInch");
  connect(tips_, &QCheckBox::clicked, this, [this](bool on) { emit CursorHelpToggled(on); });
  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->addRow(QStringLiteral("Time delay to graphic"), graphic_delay_);
  form->addRow(QStringLiteral("Saw Kerf   mm"), saw_kerf_);
  form->addRow(QStringLiteral("Radius Limit  (mm)"), radius_limit_);
  form->addRow(QStringLiteral("Line Limit"), line_limit_);
  layout->addLayout(form);
  layout->addWidget(tips_);
  layout->addWidget(inch_mode_);
  layout->addStretch();
  return tab;
}

QWidget* SetupDialog::BuildPtsTab() {
  auto* tab = new QWidget;
  QVBoxLayout* layout = TabLayout(tab);
  pts_name_ = Named(new QLineEdit, "PTSName");
  pts_path_ = Named(new QLineEdit(QStringLiteral("C:\\")), "PTSPath");
  browse_pts_ = Named(new QPushButton(tr("Browse...")), "SPPTS");
  connect(browse_pts_, &QPushButton::clicked, this,
          [this] { Browse(pts_path_, QStringLiteral("Select PTS Path")); });
  auto* name = new QFormLayout;
  name->addRow(QStringLiteral("Default File Name"), pts_name_);
  auto* units = Named(new QGroupBox(QStringLiteral("PTS File Units")), "PTSUnitFrame");
  auto* unit_choices = new QHBoxLayout(units);
  pts_inch_ = Named(new QRadioButton(QStringLiteral("Inch")), "PTSInch");
  pts_metric_ = Named(new QRadioButton(QStringLiteral("Metric")), "PTSMetric");
  unit_choices->addWidget(pts_inch_);
  unit_choices->addWidget(pts_metric_);
  unit_choices->addStretch();
  layout->addLayout(name);
  layout->addWidget(PathRow(pts_path_, browse_pts_, QStringLiteral("PTS Destination Path")));
  layout->addWidget(units);
  layout->addStretch();
  return tab;
}

void SetupDialog::Show(const Settings& s) {
  dxf_path_->setText(ToQt(s.DXFPath));
  gcode_path_->setText(ToQt(s.DestinationPath));
  directory_system_->setChecked(s.DirectorySystem != 0);
  origin_lower_left_->setChecked(s.Origin != "0");
  auto_temp_->setChecked(s.AutoStartTemp);
  auto_batch_->setChecked(s.AutoStartBatch);
  auto_off_->setChecked(!s.AutoStartTemp && !s.AutoStartBatch);
  graphic_after_auto_->setChecked(s.GraphicAfterAuto != 0);
  graphic_after_manual_->setChecked(s.GraphicAfterMan != 0);
  pause_for_messages_->setChecked(s.PauseForMessages != 0);
  graphic_delay_->setText(ToQt(s.GraphicDelay));
  saw_kerf_->setText(ToQt(s.SawKerf));
  radius_limit_->setText(ToQt(s.RadiusLimit));
  line_limit_->setText(ToQt(s.LineLimit));
  tips_->setChecked(s.TipsEnable != 0);
  inch_mode_->setChecked(s.RapidoInchMode != 0);
  pts_name_->setText(ToQt(s.PTSName));
  pts_path_->setText(ToQt(s.PTSPath));
  pts_metric_->setChecked(s.PTSMetric);
  pts_inch_->setChecked(!s.PTSMetric);
  FollowAutoStart();
}

void SetupDialog::Store(Settings& s) const {
  s.DXFPath = FromQt(dxf_path_->text());
  s.DestinationPath = FromQt(gcode_path_->text());
  s.DirectorySystem = directory_system_->isChecked() ? 1 : 0;
  if (!origin_lower_left_->isChecked()) {
    s.Origin = "0";
  } else if (s.Origin == "0") {
    s.Origin = "1";
  }
  s.AutoStartTemp = auto_temp_->isChecked();
  s.AutoStartBatch = auto_batch_->isChecked();
  s.GraphicAfterAuto = graphic_after_auto_->isChecked() ? 1 : 0;
  s.GraphicAfterMan = graphic_after_manual_->isChecked() ? 1 : 0;
  s.PauseForMessages = pause_for_messages_->isChecked() ? 1 : 0;
  s.GraphicDelay = FromQt(graphic_delay_->text());
  s.SawKerf = FromQt(saw_kerf_->text());
  s.RadiusLimit = FromQt(radius_limit_->text());
  s.LineLimit = FromQt(line_limit_->text());
  s.TipsEnable = tips_->isChecked() ? 1 : 0;
  s.RapidoInchMode = inch_mode_->isChecked() ? 1 : 0;
  s.PTSName = FromQt(pts_name_->text());
  s.PTSPath = FromQt(pts_path_->text());
  s.PTSMetric = pts_metric_->isChecked();
}

void SetupDialog::PrepareToOpen() {
  if (!auto_temp_->isChecked() && !auto_batch_->isChecked()) auto_off_->setChecked(true);
  directory_system_->setText(QStringLiteral("Import Direct to PTP400 Directory System"));
  FollowAutoStart();
  tabs_->setCurrentIndex(0);
}

std::string SetupDialog::DxfSourcePath() const { return FromQt(dxf_path_->text()); }

// The graphic editor after an automatic run, and the pause before it, only mean
// something while a run can start automatically.
void SetupDialog::FollowAutoStart() {
  const bool automatic = !auto_off_->isChecked();
  graphic_after_auto_->setEnabled(automatic);
  pause_for_messages_->setEnabled(automatic);
}

QString SetupDialog::Validate(const QString& path) {
  const PathQuestions questions{[this](const std::string& text, const std::string& title) {
                                  prompter_.Tell(this, ToShownLines(text), ToQt(title), MessageIcon::None);
                                },
                                [this](const std::string& text, const std::string& title) {
                                  return prompter_.AskYesNo(this, ToShownLines(text), ToQt(title),
                                                            MessageIcon::Exclamation);
                                }};
  return ToQt(ValidatePath(FromQt(path), stage_, questions));
}

// A path field gets the focus: its check starts afresh. It loses the focus: the path
// is checked and missing directories are offered for creation.
bool SetupDialog::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field != nullptr && event->type() == QEvent::FocusIn) stage_ = PathCheckStage::kOrdinary;
  if (field != nullptr && event->type() == QEvent::FocusOut && !validating_ && isVisible()) {
    validating_ = true;
    field->setText(Validate(field->text()));
    validating_ = false;
  }
  return QDialog::eventFilter(watched, event);
}

void SetupDialog::Browse(QLineEdit* field, const QString& caption) {
  stage_ = PathCheckStage::kQuiet;
  field->setText(Validate(field->text()));
  QString start = field->text();
  if (stage_ == PathCheckStage::kMissing) start = DriveRoot(start);
  if (stage_ == PathCheckStage::kInvalidDrive) start.clear();
  const QString chosen = QFileDialog::getExistingDirectory(this, caption, start);
  if (!chosen.isEmpty()) field->setText(PickedPath(chosen));
  stage_ = PathCheckStage::kOrdinary;
}

}  // namespace mq::gui
