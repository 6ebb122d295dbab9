#pragma once
// `List2`, the process report: one row per drawing (its lines together), rows as tall
// as their text. Rows can be copied and saved; a drawing's row knows the programs
// written for it, which a double-click opens.

#include <QStringList>
#include <QTableWidget>

namespace mq::gui {

class ReportView : public QTableWidget {
  Q_OBJECT

 public:
  explicit ReportView(QWidget* parent = nullptr);

  void AddRow(const QString& text);
  void Clear();
  // The last row's drawing: the programs written for it and whether it failed.
  void MarkLastRow(const QStringList& programs, bool failed);
  // The row that lists the failed files.
  void MarkLastRowAsFailedList();

  QString RowText(int row) const;
  QStringList Programs(int row) const;
  // Every row, or the selected ones; rows separated by an empty line.
  QString Text(bool selected_only) const;

  void CopyRows();
  void SaveToFile();

 signals:
  void ProgramsRequested(const QStringList& programs);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace mq::gui
