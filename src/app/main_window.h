// The main window: the current chart pair and its wheel (or the report set's splash
// picture), the report set in use, and every command through the menus, shortcuts and
// the toolbar. Placing charts, enabling commands and the closing questions follow the
// session rules of the core (core/session); the window shows what they decide.
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/chart_entry_dialog.h"
#include "app/choose_chart_dialog.h"
#include "app/open_chart_dialog.h"
#include "app/desktop_messages.h"
#include "app/report_questions_dialog.h"
#include "app/wheel_view.h"
#include "core/analysis/aspect_file.h"
#include "core/config/program_settings.h"
#include "core/reports/job/report_job.h"
#include "core/reports/reportset/report_set.h"
#include "core/session/chart_pair.h"
#include "core/time/time_zone.h"
#include "core/util/ini_file.h"

class QLabel;

namespace korvana {
class Atlas;
}
class QToolBar;

namespace korvana::app {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // `settingsFile` is where the settings are kept (the "Start" section of a start request
  // is read from it).
  MainWindow(ProgramSettings& settings, std::string settingsFile, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Makes a report set current: loads it, sets the caption, the menus' visibility, the
  // splash picture and the pair's rules. False when it could not be loaded.
  bool UseReportSet(const std::string& setFile);
  // Places charts just chosen into the pair (the pair rules of the set) and redraws.
  bool PlaceCharts(const std::vector<StoredChart>& chosen, bool fromChartDialog = true);
  // Runs the report of the current set for the pair; the path written, or nothing.
  std::optional<std::string> GenerateReport(bool debug = false);
  // Handles a later start's command line ("DoStart" processes the "Start" section).
  void HandleStartArguments(const QStringList& arguments);

  // "Chart Data Entry", made on first use and kept, so that its entries stay.
  ChartEntryDialog& EntryDialog();

  // For tests and the start-up: a command by its name ("actReportView").
  QAction* Action(const QString& name) const;
  const ChartPair& Pair() const { return pair_; }
  const TKVReport& ReportSet() const { return set_; }
  // Whether a finished report is opened in the desktop's program for RTF files.
  void SetOpenReports(bool open) { openReports_ = open; }
  // What the window asks through dialogs (replaced in tests).
  void SetMessages(Messages* messages) { messages_ = messages; }
  void SetPairQuestions(PairQuestions* questions) { pairAsk_ = questions; }
  void SetReportQuestions(TReportQuestions* questions) { reportAsk_ = questions; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void UpdateCommands();
  void Redraw();
  void NewChart();
  void OpenChart();
  void SaveChart();
  void SelectReportSet();
  void ShowAbout();
  void ShowHelp();
  void ShowStructure();
  void ShowCompiler();
  void RestorePlacement();
  void CustomiseToolbar();
  void GeneralOptions();
  void DynamicOptions();
  void ReturnOptions();
  void CompositeOptions();
  // The return options dialog for the natal chart in slot 0; nothing when cancelled.
  std::optional<ReturnSearchRequest> AskReturnSearch();
  // The zones, atlas and place files that place lookups use (loaded on first use).
  PlaceLookupSources LookupSources();
  void FillToolbar(const QStringList& names);
  std::string ToolbarLayoutFile() const;
  void SavePlacement(IniFile& store) const;
  void PrintWheel();
  void Unselect();
  bool SaveSlot(int slot);
  bool ProcessStartRequest();
  PairKind Kind() const;
  Messages& Msg() { return *messages_; }

  ProgramSettings& settings_;
  std::string settingsFile_;
  DesktopMessages dialogs_;
  Messages* messages_;
  DialogPairQuestions pairQuestions_;
  DialogReportQuestions reportQuestions_;
  PairQuestions* pairAsk_ = &pairQuestions_;
  TReportQuestions* reportAsk_ = &reportQuestions_;
  TKVReport set_;
  AspectSet aspects_;
  bool aspectsLoaded_ = false;
  ChartPair pair_;
  bool startedByRequest_ = false;
  bool openReports_ = true;
  std::map<QString, QAction*> actions_;
  WheelView* wheel_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  std::vector<QAction*> menuOrder_;
  QStringList defaultToolbar_;
  bool firstShown_ = false;
  ZoneList zones_;
  std::unique_ptr<Atlas> atlas_;
  bool sourcesLoaded_ = false;
  std::optional<ReturnSearchRequest> returnSearch_;  // the one that cast the return in slot 1
  std::unique_ptr<ChartEntryDialog> entry_;
  std::unique_ptr<OpenChartDialog> open_;
  QLabel* hint_ = nullptr;
};

}  // namespace korvana::app
