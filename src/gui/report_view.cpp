#include "gui/report_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QSaveFile>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextStream>

namespace mq::gui {

namespace {

constexpr int kProgramsRole = Qt::UserRole;
constexpr int kRowPadding = 4;  // pixels above and below a row's lines

// Rows of several lines read as blocks: some room around each, and the row's mark
// beside its first line.
class ReportRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 2 * kRowPadding);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem full = option;
    initStyleOption(&full, index);
    const QWidget* view = option.widget;
    QStyle* style = view != nullptr ? view->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &full, painter, view);
    QStyleOptionViewItem inset = option;
    inset.rect.adjust(0, kRowPadding, 0, -kRowPadding);
    QStyledItemDelegate::paint(painter, inset, index);
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->decorationAlignment = Qt::AlignLeft | Qt::AlignTop;
  }
};

}  // namespace

ReportView::ReportView(QWidget* parent) : QTableWidget(0, 1, parent) {
  setObjectName(QStringLiteral("List2"));
  setHorizontalHeaderLabels({QStringLiteral("Process Report")});
  horizontalHeader()->setStretchLastSection(true);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setVisible(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setWordWrap(true);
  setTextElideMode(Qt::ElideNone);
  setAlternatingRowColors(true);
  setShowGrid(false);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setItemDelegate(new ReportRowDelegate(this));
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    const QStringList programs = Programs(row);
    if (!programs.isEmpty()) emit ProgramsRequested(programs);
  });
}

void ReportView::AddRow(const QString& text) {
  const int row = rowCount();
  insertRow(row);
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
  setItem(row, 0, item);
  resizeRowToContents(row);
  scrollToBottom();
}

void ReportView::Clear() { setRowCount(0); }

void ReportView::MarkLastRow(const QStringList& programs, bool failed) {
  if (rowCount() == 0) return;
  QTableWidgetItem* last = item(rowCount() - 1, 0);
  last->setData(kProgramsRole, programs);
  last->setIcon(style()->standardIcon(failed ? QStyle::SP_MessageBoxWarning : QStyle::SP_DialogApplyButton));
  if (!programs.isEmpty()) last->setToolTip(tr("Double-click to view the program"));
}

void ReportView::MarkLastRowAsFailedList() {
  if (rowCount() == 0) return;
  item(rowCount() - 1, 0)->setIcon(style()->standardIcon(QStyle::SP_MessageBoxCritical));
}

QString ReportView::RowText(int row) const {
  const QTableWidgetItem* cell = item(row, 0);
  return cell != nullptr ? cell->text() : QString();
}

QStringList ReportView::Programs(int row) const {
  const QTableWidgetItem* cell = item(row, 0);
  return cell != nullptr ? cell->data(kProgramsRole).toStringList() : QStringList();
}

QString ReportView::Text(bool selected_only) const {
  QStringList rows;
  for (int row = 0; row < rowCount(); ++row) {
    if (!selected_only || item(row, 0)->isSelected()) rows << RowText(row);
  }
  return rows.join(QStringLiteral("\n\n")) + (rows.isEmpty() ? QString() : QStringLiteral("\n"));
}

void ReportView::CopyRows() {
  const bool any_selected = !selectedItems().isEmpty();
  QApplication::clipboard()->setText(Text(any_selected));
}

void ReportView::SaveToFile() {
  const QString path = QFileDialog::getSaveFileName(
      this, tr("Save Process Report"), QStringLiteral("report.txt"), tr("Text files (*.txt);;All files (*)"));
  if (path.isEmpty()) return;
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
    QTextStream(&file) << Text(false);
    file.commit();
  }
}

void ReportView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopyRows();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void ReportView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  const int row = rowAt(event->pos().y());
  const QStringList programs = Programs(row);
  QAction* open =
      menu.addAction(tr("View Program"), this, [this, programs] { emit ProgramsRequested(programs); });
  open->setEnabled(!programs.isEmpty());
  menu.addSeparator();
  menu.addAction(tr("Copy"), QKeySequence::Copy, this, [this] { CopyRows(); });
  menu.addAction(tr("Select All"), QKeySequence::SelectAll, this, [this] { selectAll(); });
  menu.addAction(tr("Save Report As..."), QKeySequence::Save, this, [this] { SaveToFile(); })
      ->setEnabled(rowCount() > 0);
  menu.exec(event->globalPos());
}

// Wrapped rows change height with the width.
void ReportView::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  resizeRowsToContents();
}

}  // namespace mq::gui
