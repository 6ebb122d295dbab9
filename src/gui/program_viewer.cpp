#include "gui/program_viewer.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mq::gui {

namespace {

QWidget* ProgramPage(const QString& path) {
  auto* text = new QPlainTextEdit;
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) {
    text->setPlainText(QString::fromLocal8Bit(file.readAll()).remove(QLatin1Char('\r')));
  } else {
    text->setPlainText(QObject::tr("Cannot read %1: %2").arg(path, file.errorString()));
  }
  return text;
}

}  // namespace

ProgramViewer::ProgramViewer(QWidget* parent, const QStringList& programs) : QDialog(parent) {
  setObjectName(QStringLiteral("ProgramViewer"));
  setWindowTitle(programs.size() == 1 ? QFileInfo(programs.front()).fileName() : tr("Programs"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* tabs = new QTabWidget;
  tabs->setDocumentMode(true);
  for (const QString& path : programs) {
    tabs->addTab(ProgramPage(path), QFileInfo(path).fileName());
    tabs->setTabToolTip(tabs->count() - 1, path);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
  resize(720, 560);
}

}  // namespace mq::gui
