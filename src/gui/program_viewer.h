#pragma once
// A read-only look at the programs written for one drawing, one tab per program file.

#include <QDialog>
#include <QStringList>

namespace mq::gui {

class ProgramViewer : public QDialog {
 public:
  ProgramViewer(QWidget* parent, const QStringList& programs);
};

}  // namespace mq::gui
