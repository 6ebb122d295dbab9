// The main window's preview pane: the programs written for a drawing, read back from
// their files and drawn.

#include <QFileInfo>
#include <QPushButton>

#include "gui/main_window.h"
#include "gui/preview_pane.h"
#include "gui/qt_text.h"
#include "gui/report_view.h"
#include "shell/program_preview_source.h"

namespace mq::gui {

void MainWindow::ShowPreviewOf(const QStringList& programs) {
  if (preview_->isHidden()) return;
  std::vector<std::string> files;
  for (const QString& program : programs) files.push_back(FromQt(program));
  // Par.DAT where the run finds it; nothing the preview reads reports to the window.
  SilentOperator quiet;
  RunContext reading(quiet);
  reading.RootDirectory = run_->RootDirectory;
  const ProgramPreview preview = PreviewProgramFiles(files, reading, CurrentSettings(), PreviewSpeeds{});
  QString caption = QFileInfo(programs.back()).fileName();
  if (programs.size() > 1) caption = tr("%1 (%2 portions)").arg(caption).arg(programs.size());
  for (const std::string& problem : preview.Problems) caption += "\n" + ToQt(problem);
  if (preview.Read) {
    preview_->Show(preview.Model, caption);
  } else {
    preview_->ShowNothing(caption);
  }
}

void MainWindow::TogglePreview() {
  const bool show = preview_->isHidden();
  preview_->setVisible(show);
  preview_button_->setText(show ? tr("Hide Preview") : tr("Show Preview"));
  if (show) {
    const QStringList programs = report_->Programs(report_->currentRow());
    if (!programs.isEmpty()) ShowPreviewOf(programs);
  }
}

}  // namespace mq::gui
