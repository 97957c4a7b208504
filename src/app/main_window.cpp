#include "app/main_window.h"

#include <QAction>
#include <algorithm>
#include <functional>
#include <map>
#include <span>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "core/astro/cast_chart.h"
#include "core/charts/atlas.h"
#include "core/time/time_zone.h"
#include "core/charts/chart_files.h"
#include "core/config/about.h"
#include "core/config/settings_store.h"
#include "core/reports/job/report_context.h"
#include "core/reports/job/report_job.h"
#include "core/session/chart_edit.h"
#include "core/session/start_request.h"
#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "core/util/text.h"
#include "app/chart_entry_dialog.h"
#include "app/compile_dialog.h"
#include "app/file_manager_dialog.h"
#include "app/dynamic_options_dialog.h"
#include "app/composite_options_dialog.h"
#include "app/return_options_dialog.h"
#include "app/open_chart_dialog.h"
#include "app/options_dialog.h"
#include "app/toolbar_dialog.h"
#include "app/report_structure_dialog.h"
#include "app/report_viewer.h"
#include "core/delivery/delivery.h"
#include "app/select_report_dialog.h"
#include "core/charts/chart_reference.h"
#include "core/reports/pdf/pdf_report.h"
#include "render/front_page_pictures.h"
#include "render/pdf_engine_qt.h"
#include "render/time_line_picture.h"
#include "render/report_wheel.h"
#include "render/wheel_drawing.h"

namespace korvana::app {

namespace {

// The window's commands: name, caption, shortcut, long hint for the status bar, and
// whether the toolbar shows it.
struct CommandSpec {
  const char* name;
  const char* caption;
  const char* shortcut;
  const char* hint;
  bool onToolbar;
};

constexpr CommandSpec ChartCommands[] = {
    {"actChartNew", "&New...", "F2", "Enter a new chart", true},
    {"actChartOpen", "&Open...", "F3", "Open a chart from a chart file", true},
    {"actChartSave", "&Save...", "F12", "Save the chart to a chart file", true},
    {"actChartEdit", "&Edit...", "Ctrl+Ins", "Edit the current chart's data", true},
    {"actChartPrint", "&Print Wheel...", "Ctrl+P", "Print the wheel of the current chart", true},
    {"actExit", "&Exit", "Ctrl+X", "Close the program", false},
};

constexpr CommandSpec ReportCommands[] = {
    {"actReportSelect", "&Select...", "Ctrl+S", "Choose the report set to use", true},
    {"actReportView", "&View in Editor...", "Ctrl+V", "Write the report for the current chart and open it", true},
    {"actReportDebug", "&View (Debug)...", "", "Write the report marking each paragraph with its source", false},
    {"actReportPdf", "View as &PDF...", "", "Write the report as PDF and open it", true},
    {"actReportEmail", "E&mail PDF as Attachment...", "", "Write the report as PDF and attach it to a new e-mail", false},
    {"actEditDynamic", "&Edit Dynamic Interpretations...", "", "Edit the report set's dynamic interpretation texts", false},
    {"actReportStructure", "S&tructure...", "", "Switch the report's sections on and off and order them", false},
    {"actReportCompile", "&Compile...", "", "Compile the report set's text", false},
    {"actReportQueueAdd", "&Add to Print Queue", "Ctrl+A", "Queue the report for the current chart to print later", false},
    {"actReportQueueView", "View &Queue...", "Ctrl+Q", "The reports waiting to be printed", false},
    {"actReportQueueClear", "&Clear Queue...", "", "Remove every report from the print queue", false},
};

constexpr CommandSpec HelpCommands[] = {
    {"actHelpContents", "&Contents...", "F1", "The user manual", false},
    {"actHelpAbout", "&About...", "", "The program's version and credits", false},
};

constexpr CommandSpec OptionCommands[] = {
    {"actOptionsGeneral", "&General Options...", "", "Change the program's options", false},
    {"actOptionsDynamic", "&Dynamic Options...", "", "Change the period, points and aspects of dynamic reports", false},
    {"actOptionsSolReturn", "&Return Options...", "", "Choose when and where the return is cast", false},
    {"actOptionsComposite", "Composite Options ...", "", "Choose how the composite chart is made", false},
    {"actCustomiseToolbar", "&Customize Toolbar...", "", "Choose the toolbar's buttons", false},
    {"actPageMargins", "Page &Margins...", "", "The margins of printed reports", false},
};

// The report set file's section of the dynamic reports' period.
constexpr const char* DynamicSection = "Dynamic";

// Where the window's placement is kept in the settings file.
constexpr const char* PlacementSection = "MainWindow";

std::string NotFoundText(const std::string& path) {
  return "The report file " + path + " was not found.\r\n\r\nIt may need to be compiled before it can be used.";
}

}  // namespace

MainWindow::MainWindow(ProgramSettings& settings, std::string settingsFile, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      settingsFile_(std::move(settingsFile)),
      dialogs_(this),
      messages_(&dialogs_),
      pairQuestions_(this),
      reportQuestions_(this) {
  wheel_ = new WheelView(settings_, dialogs_, this);
  setCentralWidget(wheel_);
  connect(wheel_, &WheelView::UnselectRequested, this, &MainWindow::Unselect);
  CreateActions();
  CreateMenus();
  hint_ = new QLabel(tr("Ready"), this);
  hint_->setMinimumWidth(300);
  statusBar()->addWidget(hint_);
  queueCount_ = new QLabel(this);
  statusBar()->addWidget(queueCount_);
  RefreshQueueCount();
  RestorePlacement();
  if (FileExists(settings_.ProjectFile)) UseReportSet(settings_.ProjectFile);
  UpdateCommands();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateActions() {
  // What each command runs, by its name in the command tables.
  const std::map<std::string_view, std::function<void()>> runs = {
      {"actChartNew", [this] { NewChart(); }},
      {"actChartOpen", [this] { OpenChart(); }},
      {"actChartSave", [this] { SaveChart(); }},
      {"actChartEdit", [this] { EditChart(); }},
      {"actChartPrint", [this] { PrintWheel(); }},
      {"actExit", [this] { close(); }},
      {"actReportSelect", [this] { SelectReportSet(); }},
      {"actReportView", [this] { GenerateReport(false); }},
      {"actReportDebug", [this] { GenerateReport(true); }},
      {"actReportPdf", [this] { ViewAsPdf(); }},
      {"actReportEmail", [this] { EmailPdf(); }},
      {"actEditDynamic", [this] { EditDynamicInterpretations(); }},
      {"actReportStructure", [this] { ShowStructure(); }},
      {"actReportCompile", [this] { ShowCompiler(); }},
      {"actReportQueueAdd", [this] { AddToPrintQueue(); }},
      {"actReportQueueView", [this] { ViewQueue(); }},
      {"actReportQueueClear", [this] { ClearQueue(); }},
      {"actOptionsGeneral", [this] { GeneralOptions(); }},
      {"actOptionsDynamic", [this] { DynamicOptions(); }},
      {"actOptionsSolReturn", [this] { ReturnOptions(); }},
      {"actOptionsComposite", [this] { CompositeOptions(); }},
      {"actCustomiseToolbar", [this] { CustomiseToolbar(); }},
      {"actPageMargins", [this] { EditPageMargins(); }},
      {"actHelpContents", [this] { ShowHelp(); }},
      {"actHelpAbout", [this] { ShowAbout(); }},
  };
  std::vector<std::pair<const CommandSpec*, std::function<void()>>> commands;
  for (std::span<const CommandSpec> table : {std::span<const CommandSpec>(ChartCommands), std::span<const CommandSpec>(ReportCommands),
                                             std::span<const CommandSpec>(OptionCommands), std::span<const CommandSpec>(HelpCommands)})
    for (const CommandSpec& spec : table) commands.emplace_back(&spec, runs.at(spec.name));
  for (const auto& [spec, run] : commands) {
    auto* action = new QAction(tr(spec->caption), this);
    action->setObjectName(spec->name);
    if (*spec->shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(spec->shortcut)));
    action->setStatusTip(tr(spec->hint));
    connect(action, &QAction::triggered, this, run);
    connect(action, &QAction::hovered, this, [this, action] { hint_->setText(action->statusTip()); });
    actions_[spec->name] = action;
  }
}

void MainWindow::CreateMenus() {
  const auto fill = [this](QMenu* menu, const auto& specs) {
    for (const CommandSpec& spec : specs) {
      if (std::string_view(spec.name) == "actExit") menu->addSeparator();
      menu->addAction(actions_[spec.name]);
      menuOrder_.push_back(actions_[spec.name]);
      if (spec.onToolbar) defaultToolbar_ << spec.name;
    }
  };
  fill(menuBar()->addMenu(tr("&Chart")), ChartCommands);
  fill(menuBar()->addMenu(tr("&Report")), ReportCommands);
  actions_["actReportDebug"]->setVisible(false);
  fill(menuBar()->addMenu(tr("&Options")), OptionCommands);
  fill(menuBar()->addMenu(tr("&Help")), HelpCommands);
  toolbar_ = addToolBar(tr("Commands"));
  toolbar_->setObjectName("toolbar");
  toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolbar_->setVisible(settings_.ShowToolbar);
  FillToolbar(ReadToolbarLayout(ToolbarLayoutFile()).value_or(defaultToolbar_));
}

std::string MainWindow::ToolbarLayoutFile() const { return settings_.SystemPath + "tb1.dat"; }

void MainWindow::FillToolbar(const QStringList& names) {
  toolbar_->clear();
  for (QAction* action : menuOrder_)
    if (names.contains(action->objectName())) toolbar_->addAction(action);
}

void MainWindow::CustomiseToolbar() {
  QStringList shown;
  for (QAction* action : toolbar_->actions()) shown << action->objectName();
  ToolbarDialog dialog(menuOrder_, shown, this);
  if (dialog.exec() != QDialog::Accepted) return;
  FillToolbar(dialog.Shown());
  toolbar_->setVisible(!dialog.Shown().isEmpty());
  settings_.ShowToolbar = toolbar_->isVisible();
  if (!WriteToolbarLayout(ToolbarLayoutFile(), dialog.Shown()))
    Msg().Warning("The toolbar's layout could not be saved: " + ToolbarLayoutFile());
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (firstShown_) return;
  firstShown_ = true;
  // After the start's own request (if any) is taken: with several report sets the user
  // chooses one first.
  QTimer::singleShot(0, this, [this] {
    if (!startedByRequest_ && !settings_.SkipSelectDialog && ListReportSets(settings_.SystemPath).size() > 1)
      SelectReportSet();
  });
}

QAction* MainWindow::Action(const QString& name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

PairKind MainWindow::Kind() const { return PairKindOf(set_); }

bool MainWindow::UseReportSet(const std::string& setFile) {
  TKVReport loaded;
  if (!LoadReportSet(setFile, loaded, settings_, Msg())) return false;
  if (!set_.setFile.empty()) WriteBackReportSet(set_);
  set_ = std::move(loaded);
  settings_.ProjectFile = setFile;
  aspects_ = AspectSet();
  aspectsLoaded_ = !set_.aspectFile.empty() && LoadAspectFile(set_.aspectFile, aspects_, Msg());
  setWindowTitle(QStringLiteral("Korvana  v%1 - %2").arg(ProgramVersion(), ShownText(set_.caption)));
  std::string splash = set_.splashFile;
  if (!FileExists(splash)) splash = settings_.SystemPath + NameOf(splash);
  wheel_->SetSplash(FileExists(splash) ? splash : std::string());
  // A cast return belongs to its set: the natal chart takes the second slot back.
  if (pair_.returnInPair) {
    pair_.slot[1] = pair_.slot[0];
    pair_.returnInPair = false;
    returnSearch_.reset();
  }
  // A one-chart pair joins a two-chart set as the same chart in both slots.
  if ((Kind() == PairKind::Synastry || Kind() == PairKind::Return) && !pair_.slot[0].Empty() && pair_.slot[1].Empty())
    pair_.slot[1] = pair_.slot[0];
  actions_["actReportCompile"]->setVisible(set_.sourceAvailable);
  actions_["actEditDynamic"]->setVisible(set_.sourceAvailable && set_.includesDynRep);
  actions_["actOptionsDynamic"]->setVisible(set_.includesDynRep);
  actions_["actOptionsSolReturn"]->setVisible(Kind() == PairKind::Return);
  actions_["actOptionsComposite"]->setVisible(Kind() == PairKind::Composite);
  UpdateCommands();
  Redraw();
  return true;
}

bool MainWindow::PlaceCharts(const std::vector<StoredChart>& chosen, bool fromChartDialog) {
  const bool placed = PlaceChosenChart(pair_, Kind(), SlotRule::Choose, chosen, fromChartDialog,
                                       settings_.CompositeChartMethod, *pairAsk_);
  UpdateCommands();
  Redraw();
  return placed;
}

void MainWindow::UpdateCommands() {
  const PairCommands enabled = EnabledCommands(pair_, Kind(), startedByRequest_);
  for (const char* name : {"actReportView", "actReportDebug", "actReportPdf", "actReportEmail", "actReportQueueAdd"})
    actions_[name]->setEnabled(enabled.report);
  for (const char* name : {"actChartSave", "actChartEdit", "actChartPrint"}) actions_[name]->setEnabled(enabled.chartTools);
}

void MainWindow::Redraw() {
  std::vector<CalculatedChart> charts;
  const bool two = Kind() == PairKind::Synastry || Kind() == PairKind::Composite || pair_.returnInPair;
  if (!pair_.slot[0].Empty()) {
    try {
      for (int slot = 0; slot < (two ? 2 : 1); ++slot) {
        const StoredChart& stored = pair_.slot[static_cast<std::size_t>(slot)].chart;
        CastOptions options = CastOptionsFrom(settings_);
        options.HouseSystem = stored.houseSystem;
        charts.push_back(CastChart(stored.chart, options));
      }
    } catch (const std::exception& e) {
      Msg().Error(e.what());
      charts.clear();
    }
  }
  std::string design = ChooseWheel(set_, settings_);
  if (pair_.returnInPair && !settings_.ShowNatalCht && charts.size() == 2) {
    // The return alone, without the natal chart beside it.
    charts.erase(charts.begin());
    design = settings_.DefWheel;
  }
  wheel_->SetReturnReports(Kind() == PairKind::Return);
  wheel_->ShowCharts(std::move(charts), design, Kind() == PairKind::Composite, aspectsLoaded_ ? &aspects_ : nullptr);
}

PlaceLookupSources MainWindow::LookupSources() {
  if (!sourcesLoaded_) {
    sourcesLoaded_ = true;
    if (FileExists(settings_.TimeZones)) {
      try {
        zones_ = LoadZoneList(settings_.TimeZones);
      } catch (const std::exception& e) {
        Msg().Warning(e.what());
      }
    }
    try {
      atlas_ = std::make_unique<Atlas>(settings_.SystemPath + std::string(Atlas::FileName));
    } catch (const EAtlasError&) {
      // Without the atlas the place files still serve; the lookup says so when asked.
    }
  }
  PlaceLookupSources sources;
  sources.atlas = atlas_.get();
  sources.placeFiles.sources = {settings_.PlacesPath, settings_.SystemPath + "State.ini"};
  sources.placeFiles.tables = {settings_.SystemPath};
  sources.placeFiles.zones = &zones_;
  return sources;
}

ChartEntryDialog& MainWindow::EntryDialog() {
  if (!entry_) entry_ = std::make_unique<ChartEntryDialog>(settings_, &zones_, LookupSources(), Msg(), this);
  return *entry_;
}

void MainWindow::NewChart() {
  ChartEntryDialog& dialog = EntryDialog();
  if (dialog.exec() != QDialog::Accepted || !dialog.Chart()) return;
  StoredChart chosen;
  chosen.chart = *dialog.Chart();
  chosen.houseSystem = DefaultHouseSystem(settings_);
  PlaceCharts({chosen});
}

void MainWindow::OpenChart() {
  if (!open_) open_ = std::make_unique<OpenChartDialog>(settings_, Msg(), this);
  const bool twoCharts = Kind() == PairKind::Synastry || Kind() == PairKind::Composite;
  open_->Prepare(twoCharts);
  if (open_->exec() != QDialog::Accepted || open_->Chosen().empty()) return;
  const std::vector<StoredChart>& chosen = open_->Chosen();
  bool placed = true;
  if (Kind() == PairKind::Synastry && chosen.size() == 2) {
    // The first of two fills both slots; the second then joins it.
    pair_.slot[0] = pair_.slot[1] = {chosen[0], true};
    placed = PlaceCharts({chosen[1]});
  } else {
    placed = PlaceCharts(chosen);
  }
  if (!placed) return;
  for (PairSlot& slot : pair_.slot)
    for (const StoredChart& c : chosen)
      if (slot.chart == c) slot.saved = true;
}

bool MainWindow::SaveSlot(int slot) {
  FileManagerDialog manager(tr("Save Chart to File..."), "*.cht;*.EMcht", settings_.ChartPath, settings_.Charts,
                            settings_, Msg(), this);
  if (manager.exec() != QDialog::Accepted) return false;
  const std::string path = manager.Chosen();
  if (!FileExists(path) && !CreateChartFile(path, Msg())) return false;
  PairSlot& target = pair_.slot[static_cast<std::size_t>(slot)];
  if (!AppendChart(path, target.chart.chart, target.chart.houseSystem, settings_, Msg())) return false;
  for (PairSlot& s : pair_.slot)
    if (s.chart == target.chart) s.saved = true;
  settings_.Charts = path;
  return true;
}

void MainWindow::SaveChart() {
  int slot = 0;
  if ((Kind() == PairKind::Synastry || Kind() == PairKind::Composite) && !pair_.SameChart()) {
    bool ok = false;
    const QString choice = QInputDialog::getItem(this, tr("Select Chart to Save..."), tr("Chart:"),
                                                 {ShownText(pair_.slot[0].chart.chart.Name),
                                                  ShownText(pair_.slot[1].chart.chart.Name)},
                                                 0, false, &ok);
    if (!ok) return;
    slot = choice == ShownText(pair_.slot[0].chart.chart.Name) ? 0 : 1;
  }
  SaveSlot(slot);
}

void MainWindow::EditChart() {
  if (pair_.slot[0].Empty()) return;
  if (Kind() == PairKind::Return) {
    Msg().Information(EditReturnMessage);
    return;
  }
  int slot = 0;
  if (EditAsksForSlot(pair_, Kind())) {
    bool ok = false;
    const QStringList names = {tr("Chart 1: ") + ShownText(pair_.slot[0].chart.chart.Name),
                               tr("Chart 2: ") + ShownText(pair_.slot[1].chart.chart.Name)};
    const QString choice = QInputDialog::getItem(this, tr("Select Chart to Edit..."), tr("Chart:"), names, 0, false, &ok);
    if (!ok) return;
    slot = names.indexOf(choice) == 1 ? 1 : 0;
  }
  const StoredChart original = pair_.slot[static_cast<std::size_t>(slot)].chart;
  ChartEntryDialog& dialog = EntryDialog();
  dialog.Load(ChartEntryFields(original.chart, settings_));
  if (dialog.exec() != QDialog::Accepted || !dialog.Chart()) return;
  PutEditedChart(pair_, Kind(), slot, EditedChart(original, *dialog.Chart()));
  UpdateCommands();
  Redraw();
}

void MainWindow::SelectReportSet() {
  std::string chosen;
  if (settings_.AllowAltRepFolders) {
    chosen = QFileDialog::getOpenFileName(this, tr("Select Report"), QString::fromStdString(FolderOf(settings_.ProjectFile)),
                                          tr("Korvana Reports (*.swp)"))
                 .toStdString();
  } else {
    SelectReportDialog dialog(settings_.SystemPath, settings_.ProjectFile, this);
    if (dialog.exec() == QDialog::Accepted) chosen = dialog.Chosen();
  }
  if (chosen.empty() || !UseReportSet(chosen)) return;
  // A return set with a natal chart asks at once where and when to cast the return.
  if (Kind() == PairKind::Return && !pair_.slot[0].Empty()) ReturnOptions();
}

std::optional<ReportJobResult> MainWindow::RunReport(const ReportOutput& how) {
  if (!FileExists(set_.compiledFile)) {
    Msg().Warning(NotFoundText(set_.compiledFile));
    return std::nullopt;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  hint_->setText(how.status);
  hint_->repaint();
  ReportContext context(settings_, Msg());
  ReportRequest request;
  request.currentSet = &set_;
  // A return set runs on the natal chart; the job casts the return the options ask for.
  const bool two = Kind() == PairKind::Synastry || Kind() == PairKind::Composite;
  for (int slot = 0; slot < (two ? 2 : 1); ++slot)
    request.charts.push_back({"", pair_.slot[static_cast<std::size_t>(slot)].chart});
  if (Kind() == PairKind::Return)
    request.returnSearch = [this](const CalculatedChart&) {
      return pair_.returnInPair && returnSearch_ ? returnSearch_ : AskReturnSearch();
    };
  request.debug = how.debug;
  request.outputFile = how.file;
  request.questions = reportAsk_;
  TFrontPagePictures pictures(PaintReportWheel);
  request.pictures = &pictures;
  TQtPdfEngine engine;
  PdfReportOptions pdfOptions;
  if (how.pdf) {
    // The page of the default printer, as the printed report would have it.
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
      const QSizeF inches = printer.defaultPageSize().size(QPageSize::Inch);
      pdfOptions.printer = PrinterPage{inches.width(), inches.height()};
    }
    request.pdfEngine = &engine;
    request.pdfOptions = &pdfOptions;
  }
  TTimeLinePictures timeLines;
  request.timeLines = &timeLines;
  const ReportJobResult result = RunReportJob(request, context);
  QApplication::restoreOverrideCursor();
  hint_->setText(tr("Ready"));
  if (!result.written) {
    if (result.error != ReportJobError::Shown && result.error != ReportJobError::Cancelled)
      Msg().Warning("The report was not written." + (result.detail.empty() ? std::string() : "\r\n\r\n" + result.detail));
    return std::nullopt;
  }
  return result;
}

std::optional<std::string> MainWindow::GenerateReport(bool debug) {
  const auto result = RunReport({debug, false, {}, tr("Creating Report File - Please wait...")});
  if (!result) return std::nullopt;
  hint_->setText(tr("Opening File - ") + QString::fromStdString(result->outputFile));
  if (openReports_) {
    ReportViewer& viewer = Viewer();
    viewer.show();
    viewer.PrepareViewerPage();
    viewer.SetJobTitle(QApplication::applicationDisplayName() + ": " + ShownText(pair_.slot[0].chart.chart.Name));
    viewer.SetHeaderText("Korvana " + set_.caption + " - " + result->reportName);
    viewer.LoadReport(result->outputFile);
    viewer.raise();
    viewer.activateWindow();
  }
  return result->outputFile;
}

std::optional<std::string> MainWindow::ViewAsPdf() {
  if (FileExists(set_.compiledFile)) pdfCounter_.Next();
  const auto result = RunReport({false, true, {}, tr("Generating PDF - Please wait...")});
  hint_->setText(tr("Done"));
  if (!result) return std::nullopt;
  if (openReports_ && !OpenInViewer(result->outputFile))
    Msg().Warning("The PDF viewer could not be started for " + result->outputFile);
  return result->outputFile;
}

std::optional<std::string> MainWindow::EmailPdf() {
  if (!FileExists(set_.compiledFile)) {
    Msg().Warning(NotFoundText(set_.compiledFile));
    return std::nullopt;
  }
  const std::string file = EmailPdfFile(settings_.ReportPath, pdfCounter_.Next());
  const auto result = RunReport({false, true, file, tr("Generating PDF - Please wait...")});
  if (!result) return std::nullopt;
  hint_->setText(tr("Opening email program - Please wait..."));
  hint_->repaint();
  std::string clipboard;
  SendReportByEmail(file, set_, result->reportName, settings_.ShowGraphics, Msg(), &clipboard);
  // A failed hand-off leaves the message's text for the user to paste.
  if (!clipboard.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(clipboard));
  hint_->setText(tr("Ready"));
  return file;
}

void MainWindow::EditDynamicInterpretations() {
  const std::string file = set_.dynFiles.empty() ? std::string() : set_.dynFiles.front();
  if (!FileExists(file)) {
    Msg().Warning("The file " + file + " was not found.");
    return;
  }
  if (!OpenInEditor(file, FolderOf(set_.sourceFile)))
    Msg().Warning("No editor could be started for " + file + ". Set VISUAL to the editor to use.");
}

ReportViewer& MainWindow::Viewer() {
  if (!viewer_) {
    viewer_ = std::make_unique<ReportViewer>(settings_, Msg());
    viewer_->SetMailer([this](const std::string& file) {
      SendReportByEmail(file, set_, pair_.slot[0].chart.chart.Name, settings_.ShowGraphics, Msg());
    });
  }
  return *viewer_;
}

std::optional<ReturnSearchRequest> MainWindow::AskReturnSearch() {
  if (pair_.slot[0].Empty()) return std::nullopt;
  const ReturnKind kind = set_.includesSolarReturn ? ReturnSolar : ReturnLunar;
  ReturnOptionsDialog dialog(settings_, &zones_, LookupSources(), kind, pair_.slot[0].chart.chart, Msg(), this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Search();
}

void MainWindow::ReturnOptions() {
  // Without a natal chart there is nothing to cast a return of.
  const std::optional<ReturnSearchRequest> search = AskReturnSearch();
  if (!search) return;
  const ReturnKind kind = set_.includesSolarReturn ? ReturnSolar : ReturnLunar;
  const StoredChart natal = pair_.slot[0].chart;
  try {
    CastOptions options = CastOptionsFrom(settings_);
    options.HouseSystem = natal.houseSystem;
    ReturnResult found = CastReturn(CastChart(natal.chart, options), search->base, kind, search->which, search->options);
    // The previous second chart stays when the search fails.
    pair_.slot[1] = {{found.chart.Chart, natal.houseSystem}, false};
  } catch (const std::exception& e) {
    Msg().Error(e.what());
    return;
  }
  pair_.returnInPair = true;
  returnSearch_ = search;
  settings_.CurrentWheel = settings_.ShowNatalCht ? settings_.BiWheel : settings_.DefWheel;
  UpdateCommands();
  Redraw();
}

void MainWindow::GeneralOptions() {
  OptionsDialog dialog(settings_, set_, aspectsLoaded_ ? &aspects_ : nullptr, Msg(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  // The set's own keys (points, titles) go to its file at once.
  if (!set_.setFile.empty()) WriteBackReportSet(set_);
  Redraw();
}

void MainWindow::DynamicOptions() {
  // The period settings are kept in the report set file's "Dynamic" section.
  IniFile file(set_.setFile);
  TDynRepUserData period = LoadDynamicSettings(file, DynamicSection);
  LookupSources();  // the zone list for the zone box
  DynamicOptionsDialog dialog(period, set_, aspectsLoaded_ ? &aspects_ : nullptr, settings_, &zones_, Msg(), this);
  if (dialog.exec() != QDialog::Accepted || !set_.includesDynRep) return;
  SaveDynamicSettings(file, DynamicSection, period);
  if (!file.Save()) Msg().Error("The report set file could not be written: " + set_.setFile);
  WriteBackReportSet(set_);
  Redraw();
}

void MainWindow::CompositeOptions() {
  CompositeOptionsDialog dialog(CompositeOptionsFrom(settings_), this);
  dialog.exec();
  // The options are taken however the dialog closes; the combined chart follows them.
  if (ApplyCompositeOptions(dialog.Choice(), settings_) && pair_.compositeReady) Redraw();
}

void MainWindow::PrintWheel() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The print system makes the copies the dialog asked for.
  QPainter painter(&printer);
  wheel_->PaintWheel(painter, QRect(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size()),
                     WheelPrinter);
  QApplication::restoreOverrideCursor();
}

void MainWindow::ShowAbout() { Msg().Information(AboutText()); }

void MainWindow::ShowHelp() {
  const std::string manual = settings_.SystemPath + "help/index.html";
  if (!FileExists(manual)) {
    Msg().Warning("The file " + manual + " was not found.");
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(manual)));
}

void MainWindow::ShowStructure() {
  if (!FileExists(set_.compiledFile)) {
    Msg().Warning(NotFoundText(set_.compiledFile));
    return;
  }
  ReportStructureDialog dialog(ChangeExtension(set_.compiledFile, ".ind"), set_.compiledFile, Msg(), this);
  dialog.exec();
}

void MainWindow::ShowCompiler() {
  CompileDialog dialog(set_, Msg(), this);
  dialog.exec();
}

void MainWindow::RestorePlacement() {
  const IniFile store(settingsFile_);
  const int width = store.ReadInteger(PlacementSection, "Width", 900);
  const int height = store.ReadInteger(PlacementSection, "Height", 700);
  resize(std::clamp(width, 300, 10000), std::clamp(height, 240, 10000));
  if (store.ValueExists(PlacementSection, "Left"))
    move(store.ReadInteger(PlacementSection, "Left", 0), store.ReadInteger(PlacementSection, "Top", 0));
  if (store.ReadBool(PlacementSection, "Maximized", false)) setWindowState(Qt::WindowMaximized);
}

void MainWindow::SavePlacement(IniFile& store) const {
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  store.WriteInteger(PlacementSection, "Left", normal.x());
  store.WriteInteger(PlacementSection, "Top", normal.y());
  store.WriteInteger(PlacementSection, "Width", normal.width());
  store.WriteInteger(PlacementSection, "Height", normal.height());
  store.WriteBool(PlacementSection, "Maximized", isMaximized());
}

void MainWindow::Unselect() {
  if (pair_.slot[0].Empty() || !Msg().Confirm("Would you like to unselect all chart(s)?")) return;
  pair_.Clear();
  UpdateCommands();
  Redraw();
}

void MainWindow::HandleStartArguments(const QStringList& arguments) {
  if (arguments.contains(QStringLiteral("DoStart"), Qt::CaseInsensitive)) {
    startedByRequest_ = true;
    ProcessStartRequest();
  }
  raise();
  activateWindow();
}

bool MainWindow::ProcessStartRequest() {
  IniFile store(settingsFile_);
  const StartRequest request = ReadStartRequest(store);
  const std::string setFile = StartReportPath(request, settings_.SystemPath);
  if (request.done || !FileExists(setFile) || !UseReportSet(setFile)) return false;
  std::vector<StoredChart> charts;
  try {
    const auto first = ListCharts(request.chartFile, settings_);
    if (request.chartIndex < 1 || request.chartIndex > static_cast<int>(first.size())) return false;
    charts.push_back(ReadChartReference(request.chartFile + ":" + std::to_string(request.chartIndex), settings_));
    if (request.chartIndex2 > 0)
      charts.push_back(ReadChartReference(request.chartFile2 + ":" + std::to_string(request.chartIndex2), settings_));
  } catch (const std::exception& e) {
    Msg().Error(e.what());
    return false;
  }
  pair_.slot[0] = {charts[0], true};
  pair_.slot[1] = {charts.back(), true};
  UpdateCommands();
  Redraw();
  if (Kind() == PairKind::Synastry) {
    ForgetSecondChart(store);
    store.Save();
  }
  if (Kind() == PairKind::Composite) return true;
  switch (StartCommandOf(settings_.RepDefMenuOpt)) {
    case StartCommand::ViewAsPdf: ViewAsPdf(); break;
    case StartCommand::EmailPdf: EmailPdf(); break;
    case StartCommand::ViewInEditor: GenerateReport(false); break;
  }
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  for (int slot : UnsavedSlotsOnClose(pair_, Kind())) {
    const Answer answer = Msg().YesNoCancel(UnsavedChartQuestion(pair_.slot[static_cast<std::size_t>(slot)].chart));
    if (answer == Answer::Cancel || (answer == Answer::Yes && !SaveSlot(slot))) {
      event->ignore();
      return;
    }
  }
  if (!KeepOrClearQueueOnClose()) {
    event->ignore();
    return;
  }
  // An open viewer stores its place before the settings are written.
  if (viewer_ && viewer_->isVisible()) viewer_->close();
  IniFile store(settingsFile_);
  SaveSettings(settings_, store);
  SavePlacement(store);
  store.Save();
  if (!set_.setFile.empty()) WriteBackReportSet(set_);
  event->accept();
}

}  // namespace korvana::app
