// The main window: the current chart pair and its wheel (or the report set's splash
// picture), the report set in use, and every command through the menus, shortcuts and
// the toolbar. Placing charts, enabling commands and the closing questions follow the
// session rules of the core (core/session); the window shows what they decide.
#pragma once

#include <QMainWindow>
#include <functional>
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
#include "core/delivery/delivery.h"
#include "core/reports/job/report_job.h"
#include "core/queue/queue_run.h"
#include "core/reports/reportset/report_set.h"
#include "core/session/chart_pair.h"
#include "core/time/time_zone.h"
#include "core/util/ini_file.h"

class QLabel;

namespace korvana::app {
class ReportViewer;
}

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
  // "View as PDF": the report as PDF under the set's name for it, opened in the viewer.
  std::optional<std::string> ViewAsPdf();
  // "Email PDF": the report as PDF ("report" + N + ".pdf"), handed to the mail program.
  std::optional<std::string> EmailPdf();
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
  // The report viewer, made on first use and kept.
  ReportViewer& Viewer();
  // What the window asks through dialogs (replaced in tests).
  void SetMessages(Messages* messages) { messages_ = messages; }
  void SetPairQuestions(PairQuestions* questions) { pairAsk_ = questions; }
  void SetReportQuestions(TReportQuestions* questions) { reportAsk_ = questions; }
  // The print queue: "Add to Print Queue", "View Queue...", "Clear Queue...", the status
  // bar's count, and what asks for the printer when the queue prints (replaced in tests).
  void AddToPrintQueue();
  void ViewQueue();
  void ClearQueue();
  void RefreshQueueCount();
  void SetQueuePrintStart(std::function<std::unique_ptr<QueueEntryPrinter>()> start) { queuePrintStart_ = std::move(start); }
  QString QueueCountText() const;
  // "Page Margins...": the report page's margins in the settings.
  void EditPageMargins();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void UpdateCommands();
  void Redraw();
  void NewChart();
  void OpenChart();
  void SaveChart();
  void EditChart();
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
  // How one report run writes: debug lines, PDF, the file (empty: the set's name for it)
  // and the status text shown meanwhile.
  struct ReportOutput {
    bool debug = false;
    bool pdf = false;
    std::string file;
    QString status;
  };
  // Writes the report of the current set for the pair; the job's result when it was
  // written, else nothing (the reason shown).
  std::optional<ReportJobResult> RunReport(const ReportOutput& how);
  void EditDynamicInterpretations();
  PairKind Kind() const;
  bool KeepOrClearQueueOnClose();
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
  PdfCounter pdfCounter_;
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
  QLabel* queueCount_ = nullptr;
  std::function<std::unique_ptr<QueueEntryPrinter>()> queuePrintStart_;
  int marginUnit_ = 0;
  std::unique_ptr<ReportViewer> viewer_;
};

}  // namespace korvana::app
