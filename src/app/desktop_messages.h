// Messages shown in message boxes over the main window.
#pragma once

#include <QWidget>

#include "core/util/messages.h"

namespace korvana::app {

class DesktopMessages : public Messages {
 public:
  explicit DesktopMessages(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Warning(std::string_view text) override;
  void Error(std::string_view text) override;
  void Information(std::string_view text) override;
  bool Confirm(std::string_view text) override;
  bool YesNo(std::string_view text) override;
  Answer YesNoCancel(std::string_view text) override;
  std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view initial) override;

 private:
  QWidget* parent_;
};

// A text of the program (UTF-8, line breaks "\r\n") as Qt shows it.
QString ShownText(std::string_view text);

}  // namespace korvana::app
