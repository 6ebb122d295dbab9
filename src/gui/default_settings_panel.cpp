#include "gui/default_settings_panel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/qt_text.h"
#include "shell/unit_toggle.h"

namespace mq::gui {

namespace {

constexpr int kFieldCharacters = 8;

int CheckValue(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

QFormLayout* NewForm(QWidget* parent) {
  auto* form = new QFormLayout(parent);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  return form;
}

}  // namespace

DefaultSettingsPanel::DefaultSettingsPanel(QWidget* parent) : QGroupBox(tr("Default Settings"), parent) {
  setObjectName(QStringLiteral("Frame2"));

  leads_ = AddCheck("FlgLL", QStringLiteral("Synthesize Leadins / Leadouts"));
  ramp_in_ = AddCheck("FlgRI", QStringLiteral("Ramp In"));
  ramp_out_ = AddCheck("FlgRO", QStringLiteral("Ramp Out"));
  lead_length_ = AddField("LLen");
  ramp_height_ = AddField("RHt");
  offset_x_ = AddField("OSX");
  offset_y_ = AddField("OSY");
  offset_z_ = AddField("OSZ");
  precision_metric_ = AddField("PrcM");
  precision_inch_ = AddField("PrcI");
  mirror_ = AddCheck("MirFlg", QStringLiteral("Optimize for Mirror"));
  corner_comp_ = AddCheck("FlgCC", QStringLiteral("Corner Comp"));
  remove_border_ = AddCheck("FlgRBR", QStringLiteral("Remove Border Route"));
  binaries_ = AddCheck("Bin", QStringLiteral("Make Binaries"));
  unit_ = new QPushButton(QString::fromLatin1(kMetricCaption.data(), kMetricCaption.size()));
  unit_->setObjectName(QStringLiteral("MetIn"));
  unit_->setMinimumWidth(fontMetrics().averageCharWidth() * 12);
  connect(unit_, &QPushButton::clicked, this, [this] { ToggleUnit(); });
  lead_length_->setText(QStringLiteral("25.00"));
  ramp_height_->setText(QStringLiteral("10.00"));
  for (QLineEdit* offset : {offset_x_, offset_y_, offset_z_}) offset->setText(QStringLiteral("0.00"));

  synthesis_ = new QGroupBox(tr("Lead Synthesis"));
  synthesis_->setObjectName(QStringLiteral("SynFrame"));
  auto* synthesis = new QHBoxLayout(synthesis_);
  auto* switches = new QVBoxLayout;
  for (QCheckBox* box : {leads_, ramp_in_, ramp_out_}) switches->addWidget(box);
  switches->addStretch();
  QFormLayout* lengths = NewForm(nullptr);
  lengths->addRow(QStringLiteral("Lead Length"), lead_length_);
  lengths->addRow(QStringLiteral("Ramp Height"), ramp_height_);
  synthesis->addLayout(switches);
  synthesis->addSpacing(12);
  synthesis->addLayout(lengths);

  auto* offset = new QGroupBox(QStringLiteral("Offset"));
  QFormLayout* offsets = NewForm(offset);
  offsets->addRow(QStringLiteral("X"), offset_x_);
  offsets->addRow(QStringLiteral("Y"), offset_y_);
  offsets->addRow(QStringLiteral("Z"), offset_z_);

  auto* precision = new QGroupBox(QStringLiteral("Precision"));
  QFormLayout* places = NewForm(precision);
  places->addRow(QStringLiteral("Metric"), precision_metric_);
  places->addRow(QStringLiteral("Inch"), precision_inch_);
  places->addRow(tr("Units"), unit_);

  auto* options = new QGroupBox(tr("Options"));
  auto* option_list = new QVBoxLayout(options);
  for (QCheckBox* box : {mirror_, corner_comp_, remove_border_, binaries_}) option_list->addWidget(box);
  option_list->addStretch();

  auto* row = new QHBoxLayout(this);
  row->setSpacing(10);
  row->addWidget(synthesis_, 3);
  row->addWidget(offset, 1);
  row->addWidget(precision, 1);
  row->addWidget(options, 2);
}

QCheckBox* DefaultSettingsPanel::AddCheck(const char* name, const QString& caption) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QLineEdit* DefaultSettingsPanel::AddField(const char* name) {
  auto* field = new QLineEdit;
  field->setObjectName(QString::fromLatin1(name));
  field->setAlignment(Qt::AlignRight);
  field->setFixedWidth(fontMetrics().averageCharWidth() * kFieldCharacters + 16);
  return field;
}

void DefaultSettingsPanel::Show(const Settings& s) {
  leads_->setChecked(s.LeadS != 0);
  ramp_in_->setChecked(s.LeadRampIn != 0);
  ramp_out_->setChecked(s.LeadRampOut != 0);
  remove_border_->setChecked(s.RemoveBorderRoute != 0);
  corner_comp_->setChecked(s.CornerComp != 0);
  binaries_->setChecked(s.MakeBinaries != 0);
  lead_length_->setText(ToQt(s.LeadLength));
  ramp_height_->setText(ToQt(s.LeadRampHeight));
  precision_metric_->setText(ToQt(s.PrecisionMetric));
  precision_inch_->setText(ToQt(s.PrecisionInch));
  unit_->setText(ToQt(s.Metric));
  offset_x_->setText(ToQt(s.OffsetX));
  offset_y_->setText(ToQt(s.OffsetY));
  offset_z_->setText(ToQt(s.OffsetZ));
}

void DefaultSettingsPanel::Store(Settings& s) const {
  s.LeadS = CheckValue(leads_);
  s.LeadRampIn = CheckValue(ramp_in_);
  s.LeadRampOut = CheckValue(ramp_out_);
  s.RemoveBorderRoute = CheckValue(remove_border_);
  s.CornerComp = CheckValue(corner_comp_);
  s.MakeBinaries = CheckValue(binaries_);
  s.LeadLength = FromQt(lead_length_->text());
  s.LeadRampHeight = FromQt(ramp_height_->text());
  s.PrecisionMetric = FromQt(precision_metric_->text());
  s.PrecisionInch = FromQt(precision_inch_->text());
  s.Metric = FromQt(unit_->text());
  s.OffsetX = FromQt(offset_x_->text());
  s.OffsetY = FromQt(offset_y_->text());
  s.OffsetZ = FromQt(offset_z_->text());
}

// The precision fields count decimal places and stay as they are.
void DefaultSettingsPanel::ToggleUnit() {
  const UnitToggle toggle = mq::ToggleUnit(FromQt(unit_->text()));
  unit_->setText(ToQt(toggle.caption));
  for (QLineEdit* length : {lead_length_, ramp_height_, offset_x_, offset_y_, offset_z_}) {
    length->setText(ToQt(ConvertDefaultLength(FromQt(length->text()), toggle.factor)));
  }
}

void DefaultSettingsPanel::SetLeadSynthesisShown(bool shown) { synthesis_->setVisible(shown); }

void DefaultSettingsPanel::SetMakeBinariesShown(bool shown) { binaries_->setVisible(shown); }

void DefaultSettingsPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  emit SaveRequested();
  QGroupBox::mouseDoubleClickEvent(event);
}

}  // namespace mq::gui
