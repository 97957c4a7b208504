// A main window over a fresh data folder for the option dialogs' tests, with a way to
// work the modal dialog a command opens.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "core/astro/ephemeris.h"
#include "core/config/program_start.h"
#include "core/reports/job/preset_questions.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana::app {

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartProgram(settings, folder / "home", folder / "registry.ini", TemplateFolder(KORVANA_TEMPLATE_DIR),
                 &SwissEphemerisUsable, messages);
    settings.SkipSelectDialog = true;
    window = std::make_unique<MainWindow>(settings, folder / "registry.ini");
    window->SetMessages(&messages);
    window->SetReportQuestions(&answers);
    window->SetOpenReports(false);
  }
  bool Enabled(const char* action) { return window->Action(action)->isEnabled(); }
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

  korvana::testing::TempFolder folder;
  ProgramSettings settings;
  korvana::testing::RecordingMessages messages;
  PresetReportQuestions answers;
  std::unique_ptr<MainWindow> window;
};

}  // namespace korvana::app
