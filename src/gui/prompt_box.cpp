#include "gui/prompt_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mq::gui {

PromptBox::PromptBox(QWidget* parent, const QString& title, const QString& message)
    : QDialog(parent), message_(new QLabel(message)), answer_(new QLineEdit) {
  setObjectName(QStringLiteral("PrmptBx"));
  setWindowTitle(title);
  message_->setObjectName(QStringLiteral("PromptMsg"));
  message_->setWordWrap(true);
  answer_->setObjectName(QStringLiteral("Prompt"));
  answer_->setMinimumWidth(320);

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("BtnOK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(answer_);
  layout->addWidget(buttons);
}

QString PromptBox::Ask(QWidget* parent, const QString& title, const QString& message) {
  PromptBox box(parent, title, message);
  box.exec();
  return box.Answer();
}

QString PromptBox::Answer() const { return answer_->text(); }

// Each time the box comes up the answer starts empty and has the keyboard.
void PromptBox::showEvent(QShowEvent* event) {
  answer_->clear();
  answer_->setFocus();
  QDialog::showEvent(event);
}

}  // namespace mq::gui
