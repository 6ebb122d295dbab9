#include "gui/tool_sub_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/qt_text.h"

namespace mq::gui {

namespace {

constexpr int kEnableColumn = 0;
constexpr int kToolColumn = 1;
constexpr int kSubstituteColumn = 2;
// The text an entry switched on in the dialog stores.
constexpr const char* kEntryOn = "1";

QTableWidgetItem* NumberCell(const std::string& text) {
  auto* cell = new QTableWidgetItem(ToQt(text));
  cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return cell;
}

}  // namespace

ToolSubDialog::ToolSubDialog(QWidget* parent)
    : QDialog(parent), grid_(new QTableWidget(kToolSubstitutionRows, 3)) {
  setObjectName(QStringLiteral("ToolSub"));
  setWindowTitle(QStringLiteral("Tool Substitution"));
  grid_->setObjectName(QStringLiteral("ToolSubTbl"));
  grid_->setHorizontalHeaderLabels(
      {QStringLiteral("Enable"), QStringLiteral("Tool"), QStringLiteral("Substitute")});
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grid_->horizontalHeader()->setHighlightSections(false);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  ok->setObjectName(QStringLiteral("BtnOK"));
  cancel->setObjectName(QStringLiteral("BtnCan"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  const int rows_shown = 12;
  resize(420, grid_->horizontalHeader()->sizeHint().height() +
                  rows_shown * grid_->verticalHeader()->defaultSectionSize() + buttons->sizeHint().height() +
                  40);
}

void ToolSubDialog::ShowTable(const ToolTable& table) {
  shown_ = table;
  for (int row = 0; row < kToolSubstitutionRows; ++row) {
    const ToolSubstitutionRow& entry = table[static_cast<std::size_t>(row)];
    EnableBox(row)->setChecked(!entry.Enabled.empty());
    grid_->setItem(row, kToolColumn, NumberCell(entry.Tool));
    grid_->setItem(row, kSubstituteColumn, NumberCell(entry.Substitute));
  }
  grid_->setCurrentCell(-1, -1);
}

// The "Enable" cells are check boxes in the cell's middle; their cells hold no text.
QCheckBox* ToolSubDialog::EnableBox(int row) {
  if (auto* holder = grid_->cellWidget(row, kEnableColumn)) return holder->findChild<QCheckBox*>();
  auto* holder = new QWidget;
  auto* box = new QCheckBox;
  box->setAccessibleName(QStringLiteral("Enable %1").arg(row + 1));
  auto* centre = new QHBoxLayout(holder);
  centre->setContentsMargins(0, 0, 0, 0);
  centre->addWidget(box, 0, Qt::AlignCenter);
  auto* cell = new QTableWidgetItem;
  cell->setFlags(Qt::ItemIsEnabled);  // nothing to type in
  grid_->setItem(row, kEnableColumn, cell);
  grid_->setCellWidget(row, kEnableColumn, holder);
  return box;
}

// A box left on keeps the text it was loaded with; a box switched on stores "1".
ToolTable ToolSubDialog::Table() const {
  ToolTable table{};
  for (int row = 0; row < kToolSubstitutionRows; ++row) {
    ToolSubstitutionRow& entry = table[static_cast<std::size_t>(row)];
    const std::string& loaded = shown_[static_cast<std::size_t>(row)].Enabled;
    const bool on = grid_->cellWidget(row, kEnableColumn)->findChild<QCheckBox*>()->isChecked();
    entry.Enabled = !on ? "" : (loaded.empty() ? kEntryOn : loaded);
    entry.Tool = FromQt(grid_->item(row, kToolColumn)->text().trimmed());
    entry.Substitute = FromQt(grid_->item(row, kSubstituteColumn)->text().trimmed());
  }
  return table;
}

}  // namespace mq::gui
