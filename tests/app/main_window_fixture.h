// A main window over a fresh data folder, its questions answered by the test.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/main_window.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_start.h"
#include "core/reports/job/preset_questions.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana::app {

class MainWindowFixture : public ::testing::Test {
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

  korvana::testing::TempFolder folder;
  ProgramSettings settings;
  korvana::testing::RecordingMessages messages;
  PresetReportQuestions answers;
  std::unique_ptr<MainWindow> window;
};

}  // namespace korvana::app
