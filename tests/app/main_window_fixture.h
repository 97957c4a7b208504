// The main window over a fresh data folder for the desktop tests, and a helper that
// works a modal dialog once it is shown.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_start.h"
#include "core/reports/job/preset_questions.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana::app {

using testing::RecordingMessages;
using testing::TempFolder;

// A main window over a fresh data folder, its questions answered by the test.
class MainWindowTest : public ::testing::Test {
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
  StoredChart SampleChart(int n) { return ReadChartReference("main.cht:" + std::to_string(n), settings); }
  bool Enabled(const char* action) { return window->Action(action)->isEnabled(); }

  TempFolder folder;
  ProgramSettings settings;
  RecordingMessages messages;
  PresetReportQuestions answers;
  std::unique_ptr<MainWindow> window;
};

// The fixture's name where a test derives its own fixture from it.
using MainWindowFixture = MainWindowTest;

// Runs `work` on the modal dialog of type D as soon as it is shown (by a command about to
// be triggered); `done` tells whether it ran.
template <typename D>
void WhenShown(std::function<void(D&)> work, bool& done) {
  done = false;
  QTimer::singleShot(0, [work = std::move(work), &done] {
    if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
      done = true;
      work(*dialog);
    }
  });
}

// The button of a dialog with that caption (a failure when there is none).
inline QPushButton* ButtonByCaption(QWidget& parent, const QString& caption) {
  for (QPushButton* button : parent.findChildren<QPushButton*>())
    if (button->text() == caption) return button;
  ADD_FAILURE() << "no button " << caption.toStdString();
  return nullptr;
}

}  // namespace korvana::app
