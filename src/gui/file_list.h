#pragma once
// `list1`: the DXF files of the source directory, one row per file, several rows
// selectable. A click on a heading sorts by that column, again reverses it. Column
// widths are kept in character widths, the unit of the settings file.

#include <QTableWidget>
#include <QTimer>
#include <string>
#include <vector>

#include "shell/dxf_directory.h"

namespace mq::gui {

class FileList : public QTableWidget {
  Q_OBJECT

 public:
  explicit FileList(QWidget* parent = nullptr);

  // Rebuilds the rows when the entries differ from those shown; false when unchanged.
  // The selection is lost on a rebuild.
  bool ShowEntries(const std::vector<DxfFileEntry>& entries);
  // The names (column 1) of the selected rows, first row first.
  std::vector<std::string> SelectedNames() const;

  // Widths in characters for columns numbered from 1; 0 keeps the layout's width.
  void SetColumnWidthInCharacters(int column, float characters);

 signals:
  // A column was resized by the operator (numbered from 1, width in characters).
  void ColumnWidthChanged(int column, float characters);

 private:
  void SortBy(int column);
  void ReportResizedColumns();

  std::vector<DxfFileEntry> shown_;
  int sorted_column_ = -1;
  Qt::SortOrder order_ = Qt::AscendingOrder;
  bool restoring_widths_ = false;
  std::vector<int> resized_columns_;
  QTimer resize_settle_;  // a drag resizes many times: the width is kept once it rests
};

}  // namespace mq::gui
