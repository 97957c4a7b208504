// The main window fixture for the option dialogs' tests, with a way to work the modal
// dialog a command opens.
#pragma once

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <functional>

#include "main_window_fixture.h"

namespace korvana::app {

class DesktopTest : public MainWindowTest {
 protected:
  // Runs `command` while `answer` works the modal dialog it opens (closed afterwards with
  // Cancel if still open); fails when no such dialog opened.
  template <typename Dialog>
  void WithDialog(const char* command, std::function<void(Dialog&)> answer) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr) << command;
      seen = true;
      answer(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    window->Action(command)->trigger();
    EXPECT_TRUE(seen) << command;
  }
};

}  // namespace korvana::app
