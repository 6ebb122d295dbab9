#pragma once
// The prompt box `PrmptBx`: a one-line answer to a question, asked when a program
// needs a new name.

#include <QDialog>

class QLabel;
class QLineEdit;

namespace mq::gui {

class PromptBox : public QDialog {
 public:
  PromptBox(QWidget* parent, const QString& title, const QString& message);

  // Shows the box modally; the answer, or the empty text when none is given.
  static QString Ask(QWidget* parent, const QString& title, const QString& message);

  QString Answer() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* message_;
  QLineEdit* answer_;
};

}  // namespace mq::gui
