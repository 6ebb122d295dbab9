#pragma once
// `ToolSub`, the "Tool Substitution" dialog: a fixed table of rows "Enable", "Tool",
// "Substitute" that replaces the drawings' tool numbers by the machine's.

#include <QDialog>
#include <array>

#include "engine/driver/settings.h"

class QCheckBox;
class QTableWidget;

namespace mq::gui {

using ToolTable = std::array<ToolSubstitutionRow, kToolSubstitutionRows>;

class ToolSubDialog : public QDialog {
 public:
  explicit ToolSubDialog(QWidget* parent = nullptr);

  void ShowTable(const ToolTable& table);
  // The cells as edited: an entry that is off has an empty "Enable" text.
  ToolTable Table() const;

 private:
  QCheckBox* EnableBox(int row);

  QTableWidget* grid_;
  ToolTable shown_{};
};

}  // namespace mq::gui
