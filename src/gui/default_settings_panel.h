#pragma once
// `Frame2`, the default-settings section of the main window: the lead synthesis,
// offset, precision and option values the engine uses when a drawing gives none, and
// the unit button that takes the lengths between millimetres and inches.

#include <QGroupBox>

#include "engine/driver/settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace mq::gui {

class DefaultSettingsPanel : public QGroupBox {
  Q_OBJECT

 public:
  explicit DefaultSettingsPanel(QWidget* parent = nullptr);

  void Show(const Settings& settings);
  void Store(Settings& settings) const;

  // `MetIn` clicked: the caption changes unit and the five lengths follow.
  void ToggleUnit();

  void SetLeadSynthesisShown(bool shown);
  void SetMakeBinariesShown(bool shown);

 signals:
  // A double-click on the section: the settings are saved now.
  void SaveRequested();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QCheckBox* AddCheck(const char* name, const QString& caption);
  QLineEdit* AddField(const char* name);

  QCheckBox *mirror_, *leads_, *ramp_in_, *ramp_out_, *corner_comp_, *remove_border_, *binaries_;
  QLineEdit *lead_length_, *ramp_height_, *offset_x_, *offset_y_, *offset_z_, *precision_metric_,
      *precision_inch_;
  QPushButton* unit_;
  QGroupBox* synthesis_;
};

}  // namespace mq::gui
