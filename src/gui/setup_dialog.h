#pragma once
// The Setup dialog: paths, automatic start, preferences and the part-list file, on
// four tabs. While the program runs its fields hold these settings; the main window
// saves them on OK and reloads them on Cancel.

#include <QDialog>

#include "engine/driver/settings.h"
#include "shell/path_check.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace mq::gui {

class Prompter;

class SetupDialog : public QDialog {
  Q_OBJECT

 public:
  SetupDialog(QWidget* parent, Prompter& prompter);

  void Show(const Settings& settings);
  void Store(Settings& settings) const;

  // Before the dialog opens: "AutoStart OFF" when neither automatic start is chosen.
  void PrepareToOpen();

  // The DXF source path as the file list and the batch run use it.
  std::string DxfSourcePath() const;

 signals:
  // "Enable Cursor Help" was clicked.
  void CursorHelpToggled(bool enabled);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildPathsTab();
  QWidget* BuildAutoActionTab();
  QWidget* BuildPreferencesTab();
  QWidget* BuildPtsTab();
  QWidget* PathRow(QLineEdit* field, QPushButton* browse, const QString& frame_caption);
  void FollowAutoStart();
  QString Validate(const QString& path);
  void Browse(QLineEdit* field, const QString& caption);

  Prompter& prompter_;
  PathCheckStage stage_ = PathCheckStage::kOrdinary;
  bool validating_ = false;

  QTabWidget* tabs_;
  QLineEdit *dxf_path_, *gcode_path_, *pts_path_, *pts_name_, *graphic_delay_, *saw_kerf_, *radius_limit_,
      *line_limit_;
  QPushButton *browse_dxf_, *browse_gcode_, *browse_pts_;
  QCheckBox *directory_system_, *origin_lower_left_, *graphic_after_auto_, *graphic_after_manual_,
      *pause_for_messages_, *tips_, *inch_mode_;
  QRadioButton *auto_off_, *auto_temp_, *auto_batch_, *pts_inch_, *pts_metric_;
};

}  // namespace mq::gui
