#include "gui/prompter.h"

#include <QMessageBox>
#include <cstdio>

#include "gui/prompt_box.h"

namespace mq::gui {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

int ShowBox(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
            QMessageBox::StandardButtons buttons) {
  QMessageBox box(BoxIcon(icon), title, text, buttons, parent);
  return box.exec();
}

void PrintLine(const QString& title, const QString& text) {
  std::fprintf(stderr, "%s: %s\n", title.toLocal8Bit().constData(), text.toLocal8Bit().constData());
}

}  // namespace

void DialogPrompter::Tell(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) {
  ShowBox(parent, text, title, icon, QMessageBox::Ok);
}

bool DialogPrompter::AskYesNo(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) {
  return ShowBox(parent, text, title, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString DialogPrompter::AskForText(QWidget* parent, const QString& title, const QString& message) {
  return PromptBox::Ask(parent, title, message);
}

void UnattendedPrompter::Tell(QWidget*, const QString& text, const QString& title, MessageIcon) {
  PrintLine(title, text);
}

bool UnattendedPrompter::AskYesNo(QWidget*, const QString& text, const QString& title, MessageIcon) {
  PrintLine(title, text + QStringLiteral(" (answered No)"));
  return false;
}

QString UnattendedPrompter::AskForText(QWidget*, const QString& title, const QString& message) {
  PrintLine(title, message + QStringLiteral(" (no answer)"));
  return {};
}

}  // namespace mq::gui
