#include "app/main_window.h"

#include <QAction>
#include <algorithm>
#include <functional>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
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
#include "core/session/start_request.h"
#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "core/util/text.h"
#include "app/chart_entry_dialog.h"
#include "app/compile_dialog.h"
#include "app/dynamic_options_dialog.h"
#include "app/composite_options_dialog.h"
#include "app/return_options_dialog.h"
#include "app/open_chart_dialog.h"
#include "app/options_dialog.h"
#include "app/toolbar_dialog.h"
#include "app/report_structure_dialog.h"
#include "app/select_report_dialog.h"
#include "core/charts/chart_reference.h"
#include "render/front_page_pictures.h"
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
    {"actChartPrint", "&Print Wheel...", "Ctrl+P", "Print the wheel of the current chart", true},
    {"actExit", "&Exit", "Ctrl+X", "Close the program", false},
};

constexpr CommandSpec ReportCommands[] = {
    {"actReportSelect", "&Select...", "Ctrl+S", "Choose the report set to use", true},
    {"actReportView", "&View in Editor...", "Ctrl+V", "Write the report for the current chart and open it", true},
    {"actReportDebug", "&View (Debug)...", "", "Write the report marking each paragraph with its source", false},
    {"actReportStructure", "S&tructure...", "", "Switch the report's sections on and off and order them", false},
    {"actReportCompile", "&Compile...", "", "Compile the report set's text", false},
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
  RestorePlacement();
  if (FileExists(settings_.ProjectFile)) UseReportSet(settings_.ProjectFile);
  UpdateCommands();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateActions() {
  const std::pair<const CommandSpec*, std::function<void()>> commands[] = {
      {&ChartCommands[0], [this] { NewChart(); }},
      {&ChartCommands[1], [this] { OpenChart(); }},
      {&ChartCommands[2], [this] { SaveChart(); }},
      {&ChartCommands[3], [this] { PrintWheel(); }},
      {&ChartCommands[4], [this] { close(); }},
      {&ReportCommands[0], [this] { SelectReportSet(); }},
      {&ReportCommands[1], [this] { GenerateReport(false); }},
      {&ReportCommands[2], [this] { GenerateReport(true); }},
      {&ReportCommands[3], [this] { ShowStructure(); }},
      {&ReportCommands[4], [this] { ShowCompiler(); }},
      {&OptionCommands[0], [this] { GeneralOptions(); }},
      {&OptionCommands[1], [this] { DynamicOptions(); }},
      {&OptionCommands[2], [this] { ReturnOptions(); }},
      {&OptionCommands[3], [this] { CompositeOptions(); }},
      {&OptionCommands[4], [this] { CustomiseToolbar(); }},
      {&HelpCommands[0], [this] { ShowHelp(); }},
      {&HelpCommands[1], [this] { ShowAbout(); }},
  };
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
  for (const char* name : {"actReportView", "actReportDebug"}) actions_[name]->setEnabled(enabled.report);
  for (const char* name : {"actChartSave", "actChartPrint"}) actions_[name]->setEnabled(enabled.chartTools);
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
  const QString file = QFileDialog::getSaveFileName(this, tr("Save Chart to File..."),
                                                    QString::fromStdString(settings_.Charts),
                                                    tr("Chart files (*.cht *.EMcht)"), nullptr,
                                                    QFileDialog::DontConfirmOverwrite);
  if (file.isEmpty()) return false;
  const std::string path = file.toStdString();
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

std::optional<std::string> MainWindow::GenerateReport(bool debug) {
  if (!FileExists(set_.compiledFile)) {
    Msg().Warning(NotFoundText(set_.compiledFile));
    return std::nullopt;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  hint_->setText(tr("Creating Report File - Please wait..."));
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
  request.debug = debug;
  request.questions = reportAsk_;
  TFrontPagePictures pictures(PaintReportWheel);
  request.pictures = &pictures;
  const ReportJobResult result = RunReportJob(request, context);
  QApplication::restoreOverrideCursor();
  hint_->setText(tr("Ready"));
  if (!result.written) {
    if (result.error == ReportJobError::NeedsDerivedCharts)
      Msg().Warning("Composite and return reports need the composite or return chart, which this version cannot cast yet.");
    else if (result.error != ReportJobError::Shown && result.error != ReportJobError::Cancelled)
      Msg().Warning("The report was not written." + (result.detail.empty() ? std::string() : "\r\n\r\n" + result.detail));
    return std::nullopt;
  }
  hint_->setText(tr("Opening File - ") + QString::fromStdString(result.outputFile));
  if (openReports_) QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(result.outputFile)));
  return result.outputFile;
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
  GenerateReport(false);
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
  IniFile store(settingsFile_);
  SaveSettings(settings_, store);
  SavePlacement(store);
  store.Save();
  if (!set_.setFile.empty()) WriteBackReportSet(set_);
  event->accept();
}

}  // namespace korvana::app
