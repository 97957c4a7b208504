#include "app/desktop_messages.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace korvana::app {

QString ShownText(std::string_view text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

void DesktopMessages::Warning(std::string_view text) {
  QMessageBox::warning(parent_, QApplication::applicationDisplayName(), ShownText(text));
}

void DesktopMessages::Error(std::string_view text) {
  QMessageBox::critical(parent_, QApplication::applicationDisplayName(), ShownText(text));
}

void DesktopMessages::Information(std::string_view text) {
  QMessageBox::information(parent_, QApplication::applicationDisplayName(), ShownText(text));
}

bool DesktopMessages::Confirm(std::string_view text) {
  return QMessageBox::question(parent_, QApplication::applicationDisplayName(), ShownText(text),
                               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool DesktopMessages::YesNo(std::string_view text) {
  return QMessageBox::question(parent_, QApplication::applicationDisplayName(), ShownText(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Answer DesktopMessages::YesNoCancel(std::string_view text) {
  switch (QMessageBox::question(parent_, QApplication::applicationDisplayName(), ShownText(text),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
  }
}

std::optional<std::string> DesktopMessages::InputBox(std::string_view caption, std::string_view prompt,
                                                     std::string_view initial) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(parent_, ShownText(caption), ShownText(prompt), QLineEdit::Normal, ShownText(initial), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

}  // namespace korvana::app
