#pragma once
// Texts between the core and the widgets. The core keeps texts and paths as the
// system's 8-bit strings and joins the lines of a message with CR; the widgets show
// lines broken with LF.

#include <QString>
#include <string>

namespace mq::gui {

inline QString ToQt(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }

// A message or report row as the widgets show it: CR (alone or before LF) becomes LF.
inline QString ToShownLines(const std::string& text) {
  QString shown = ToQt(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

}  // namespace mq::gui
