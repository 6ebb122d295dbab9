#include "gui/file_list.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <algorithm>

#include "gui/qt_text.h"
#include "input/file_paths.h"

namespace mq::gui {

namespace {

constexpr int kSortKeyRole = Qt::UserRole;
constexpr int kResizeSettleMs = 300;

const QStringList kHeadings = {QStringLiteral("File (Short)"), QStringLiteral("File (Long)"),
                               QStringLiteral("File"),         QStringLiteral("Size"),
                               QStringLiteral("Date"),         QStringLiteral("Time")};

// Columns whose text does not sort as it reads: sizes and dates sort by their values.
class SortableItem : public QTableWidgetItem {
 public:
  SortableItem(const QString& text, const QVariant& key) : QTableWidgetItem(text) {
    setData(kSortKeyRole, key);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant a = data(kSortKeyRole), b = other.data(kSortKeyRole);
    if (a.typeId() == QMetaType::QString) return a.toString().compare(b.toString(), Qt::CaseInsensitive) < 0;
    return a.toLongLong() < b.toLongLong();
  }
};

QString Stem(const std::string& name) {
  const QString text = ToQt(name);
  const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
  return dot > 0 ? text.left(dot) : text;
}

}  // namespace

FileList::FileList(QWidget* parent) : QTableWidget(0, static_cast<int>(kHeadings.size()), parent) {
  setObjectName(QStringLiteral("list1"));
  setHorizontalHeaderLabels(kHeadings);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setAlternatingRowColors(true);
  setShowGrid(false);
  setWordWrap(false);
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  QHeaderView* header = horizontalHeader();
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setHighlightSections(false);
  header->setSectionsClickable(true);
  header->setStretchLastSection(true);
  const int character = fontMetrics().averageCharWidth();
  const int designed[] = {16, 30, 16, 10, 10, 8};
  for (int column = 0; column < columnCount(); ++column) setColumnWidth(column, designed[column] * character);

  connect(header, &QHeaderView::sectionClicked, this, [this](int column) { SortBy(column); });
  resize_settle_.setSingleShot(true);
  resize_settle_.setInterval(kResizeSettleMs);
  connect(&resize_settle_, &QTimer::timeout, this, [this] { ReportResizedColumns(); });
  connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int) {
    // Only the operator's drags count: the last column also follows the window's width.
    if (restoring_widths_ || !horizontalHeader()->underMouse() ||
        !(QGuiApplication::mouseButtons() & Qt::LeftButton))
      return;
    if (std::find(resized_columns_.begin(), resized_columns_.end(), column) == resized_columns_.end())
      resized_columns_.push_back(column);
    resize_settle_.start();
  });
}

bool FileList::ShowEntries(const std::vector<DxfFileEntry>& entries) {
  if (entries == shown_ && rowCount() == static_cast<int>(entries.size())) return false;
  shown_ = entries;
  setSortingEnabled(false);
  clearContents();
  setRowCount(static_cast<int>(entries.size()));
  for (int row = 0; row < rowCount(); ++row) {
    const DxfFileEntry& entry = entries[static_cast<std::size_t>(row)];
    const QString size = QLocale().toString(static_cast<qlonglong>(entry.Size));
    setItem(row, 0, new SortableItem(ToQt(entry.ShortName), ToQt(entry.ShortName)));
    setItem(row, 1, new SortableItem(ToQt(entry.LongName), ToQt(entry.LongName)));
    setItem(row, 2, new SortableItem(Stem(entry.LongName), Stem(entry.LongName)));
    setItem(row, 3, new SortableItem(size, static_cast<qlonglong>(entry.Size)));
    setItem(row, 4, new SortableItem(ToQt(EntryDate(entry)), static_cast<qlonglong>(entry.Modified)));
    setItem(row, 5, new SortableItem(ToQt(EntryTime(entry)), static_cast<qlonglong>(entry.Modified % 86400)));
    item(row, 3)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (sorted_column_ >= 0) sortItems(sorted_column_, order_);
  return true;
}

std::vector<std::string> FileList::SelectedNames() const {
  std::vector<std::string> names;
  for (int row = 0; row < rowCount(); ++row) {
    const QTableWidgetItem* name = item(row, 0);
    if (name != nullptr && name->isSelected()) names.push_back(FromQt(name->text().trimmed()));
  }
  return names;
}

void FileList::SetColumnWidthInCharacters(int column, float characters) {
  if (column < 1 || column > columnCount() || characters <= 0) return;
  restoring_widths_ = true;
  setColumnWidth(column - 1,
                 static_cast<int>(characters * static_cast<float>(fontMetrics().averageCharWidth())));
  restoring_widths_ = false;
}

// The same heading again reverses the order; another heading starts ascending.
void FileList::SortBy(int column) {
  order_ =
      column == sorted_column_ && order_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
  sorted_column_ = column;
  horizontalHeader()->setSortIndicatorShown(true);
  horizontalHeader()->setSortIndicator(column, order_);
  sortItems(column, order_);
}

void FileList::ReportResizedColumns() {
  const float character = static_cast<float>(std::max(1, fontMetrics().averageCharWidth()));
  for (const int column : resized_columns_) {
    emit ColumnWidthChanged(column + 1, static_cast<float>(columnWidth(column)) / character);
  }
  resized_columns_.clear();
}

}  // namespace mq::gui
