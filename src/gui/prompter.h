#pragma once
// The message boxes and questions of the windows. The application shows them as
// dialogs; tests answer them from a script.

#include <QString>

#include "input/operator.h"

class QWidget;

namespace mq::gui {

class Prompter {
 public:
  virtual ~Prompter() = default;
  // A message with one OK button.
  virtual void Tell(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) = 0;
  // A question with Yes and No buttons; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) = 0;
  // The prompt box: one line of text, empty when none is given.
  virtual QString AskForText(QWidget* parent, const QString& title, const QString& message) = 0;
};

// Modal dialogs: message boxes, and the prompt box for text.
class DialogPrompter : public Prompter {
 public:
  void Tell(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
  bool AskYesNo(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
  QString AskForText(QWidget* parent, const QString& title, const QString& message) override;
};

// Nobody to ask: messages go to standard error, questions are answered No and the
// prompt box with nothing (for unattended runs such as the screenshots).
class UnattendedPrompter : public Prompter {
 public:
  void Tell(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
  bool AskYesNo(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
  QString AskForText(QWidget* parent, const QString& title, const QString& message) override;
};

}  // namespace mq::gui
