#include "app/report_viewer.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QGraphicsTextItem>
#include <QInputDialog>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "app/page_margins_dialog.h"
#include "app/report_page_view.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "render/report_printing.h"
#include "render/rtf_reader/rtf_text_document.h"

namespace korvana::app {
namespace {

// Room left above the text for the header printed on each page, twips.
constexpr int HeaderRoom = 500;
// ReportWindow's "WindowState" codes.
constexpr int StateNormal = 0;
constexpr int StateMinimised = 1;
constexpr int StateMaximised = 2;

rtf::PageGeometry PageOf(const ProgramSettings& s) {
  return {s.PageWidthTwips, s.PageHeightTwips, s.PageMarginL, s.PageMarginR, s.PageMarginT, s.PageMarginB};
}

bool ValidUtf8(const std::string& bytes) { return QString::fromUtf8(bytes).toUtf8().toStdString() == bytes; }

}  // namespace

ReportViewer::ReportViewer(ProgramSettings& settings, Messages& messages, QWidget* parent)
    : QMainWindow(parent), settings_(settings), messages_(messages) {
  setObjectName("ReportViewer");
  setWindowTitle(tr("Document"));
  view_ = new ReportPageView(this);
  setCentralWidget(view_);
  CreateMenus();
  PrepareViewerPage();
  settings_.ReportWindow.zoom = ViewerZoom(settings_.ReportWindow.zoom);
  SetZoom(settings_.ReportWindow.zoom);
  SetPageLayoutView(!settings_.ReportWindow.viewNormal);
  resize(900, 700);
}

QAction* ReportViewer::AddAction(QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys) {
  auto* action = menu->addAction(text);
  action->setObjectName(name);
  if (!keys.isEmpty()) action->setShortcut(keys);
  actions_[name] = action;
  return action;
}

void ReportViewer::CreateMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  connect(AddAction(file, "actOpen", tr("&Open...")), &QAction::triggered, this, &ReportViewer::OpenCommand);
  connect(AddAction(file, "actSave", tr("&Save")), &QAction::triggered, this, &ReportViewer::SaveCommand);
  connect(AddAction(file, "actSaveAs", tr("Save &As...")), &QAction::triggered, this, &ReportViewer::SaveAsCommand);
  connect(AddAction(file, "actMail", tr("Send As &Email Attachment...")), &QAction::triggered, this,
          &ReportViewer::MailCommand);
  file->addSeparator();
  connect(AddAction(file, "actMargins", tr("Page &Margins...")), &QAction::triggered, this,
          &ReportViewer::MarginsCommand);
  connect(AddAction(file, "actPrinterSetup", tr("P&rinter Setup...")), &QAction::triggered, this,
          &ReportViewer::PrinterSetupCommand);
  connect(AddAction(file, "actPrint", tr("&Print..."), QKeySequence(tr("Ctrl+P"))), &QAction::triggered, this,
          &ReportViewer::PrintCommand);
  file->addSeparator();
  connect(AddAction(file, "actExit", tr("E&xit")), &QAction::triggered, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  connect(AddAction(edit, "actCut", tr("Cu&t")), &QAction::triggered, this, &ReportViewer::Cut);
  connect(AddAction(edit, "actCopy", tr("&Copy")), &QAction::triggered, this, &ReportViewer::Copy);
  connect(AddAction(edit, "actPaste", tr("&Paste")), &QAction::triggered, this, &ReportViewer::Paste);
  edit->addSeparator();
  connect(AddAction(edit, "actFind", tr("&Find...")), &QAction::triggered, this, &ReportViewer::FindCommand);
  connect(AddAction(edit, "actReplace", tr("&Replace...")), &QAction::triggered, this, &ReportViewer::ReplaceCommand);

  QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
  auto* views = new QActionGroup(this);
  QAction* normal = AddAction(viewMenu, "actViewNormal", tr("&Normal"));
  QAction* layout = AddAction(viewMenu, "actViewPageLayout", tr("&Page Layout"));
  for (QAction* a : {normal, layout}) {
    a->setCheckable(true);
    views->addAction(a);
  }
  connect(normal, &QAction::triggered, this, [this] { SetPageLayoutView(false); });
  connect(layout, &QAction::triggered, this, [this] { SetPageLayoutView(true); });
  QMenu* zoom = viewMenu->addMenu(tr("&Zoom"));
  zoomGroup_ = new QActionGroup(this);
  for (int step : ViewerZoomSteps) {
    QAction* a = AddAction(zoom, QStringLiteral("actZoom%1").arg(step), QStringLiteral("%1%").arg(step));
    a->setCheckable(true);
    a->setData(step);
    zoomGroup_->addAction(a);
    connect(a, &QAction::triggered, this, [this, step] { SetZoom(step); });
  }

  QMenu* format = menuBar()->addMenu(tr("&Format"));
  connect(AddAction(format, "actCharacter", tr("&Character...")), &QAction::triggered, this,
          &ReportViewer::CharacterCommand);
  connect(AddAction(format, "actParagraph", tr("&Paragraph...")), &QAction::triggered, this,
          &ReportViewer::ParagraphCommand);
}

QAction* ReportViewer::Action(const QString& name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

void ReportViewer::PrepareViewerPage() { view_->SetPage(PageOf(settings_), HeaderRoom); }

QTextDocument* ReportViewer::Document() const { return view_->Document(); }
int ReportViewer::Zoom() const { return view_->Zoom(); }
bool ReportViewer::PageLayoutView() const { return view_->PageLayout(); }
int ReportViewer::PageCount() const { return view_->PageCount(); }
bool ReportViewer::Modified() const { return Document()->isModified(); }

void ReportViewer::SetZoom(int percent) {
  view_->SetZoom(percent);
  for (QAction* a : zoomGroup_->actions()) a->setChecked(a->data().toInt() == view_->Zoom());
}

void ReportViewer::SetPageLayoutView(bool on) {
  view_->SetPageLayout(on);
  Action("actViewPageLayout")->setChecked(on);
  Action("actViewNormal")->setChecked(!on);
}

bool ReportViewer::LoadInto(const std::string& path, ViewerFormat format) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) {
    messages_.Error("The file " + path + " could not be read.");
    return false;
  }
  QTextDocument* doc = Document();
  try {
    switch (format) {
      case ViewerFormat::Rtf: rtf::ReadRtf(*bytes, *doc); break;
      case ViewerFormat::Text:
        doc->setPlainText(QString::fromStdString(ValidUtf8(*bytes) ? *bytes : Cp1252ToUtf8(*bytes)));
        break;
      case ViewerFormat::Html: doc->setHtml(QString::fromUtf8(bytes->data(), static_cast<qsizetype>(bytes->size()))); break;
      case ViewerFormat::Unsupported: return false;
    }
  } catch (const rtf::ERtfReadError& e) {
    messages_.Error(std::string(e.what()) + "\r\n" + path);
    return false;
  }
  PrepareViewerPage();
  doc->setModified(false);
  path_ = path;
  format_ = format;
  view_->TextItem()->setTextCursor(QTextCursor(doc));
  view_->centerOn(0, 0);
  return true;
}

bool ReportViewer::LoadReport(const std::string& path) {
  if (!LoadInto(path, ViewerFormat::Rtf)) return false;
  setWindowTitle(QString::fromStdString(ViewerCaption(path)));
  return true;
}

bool ReportViewer::OpenFile(const std::string& path) {
  const ViewerFormat format = ViewerFormatOf(path);
  if (format == ViewerFormat::Unsupported) {
    messages_.Error(UnsupportedFormatText);
    return false;
  }
  if (!LoadInto(path, format)) return false;
  setWindowTitle(QString::fromStdString(path));
  return true;
}

bool ReportViewer::SaveReport(const std::string& path) {
  if (format_ == ViewerFormat::Html || format_ == ViewerFormat::Unsupported) {
    messages_.Error(UnsupportedFormatText);
    return false;
  }
  const std::string data = format_ == ViewerFormat::Rtf ? rtf::WriteRtf(*Document(), PageOf(settings_))
                                                        : rtf::PlainText(*Document());
  if (!WriteFileAtomic(path, data)) {
    messages_.Error("The file " + path + " could not be written.");
    return false;
  }
  path_ = path;
  Document()->setModified(false);
  return true;
}

bool ReportViewer::SaveAs(const std::string& path) {
  const ViewerFormat format = ViewerFormatOf(path);
  if (format == ViewerFormat::Html || format == ViewerFormat::Unsupported) {
    messages_.Error(UnsupportedFormatText);
    return false;
  }
  const ViewerFormat previous = format_;
  format_ = format;
  if (!SaveReport(path)) {
    format_ = previous;
    return false;
  }
  setWindowTitle(QString::fromStdString(path));
  return true;
}

void ReportViewer::OpenCommand() {
  const QString chosen = QFileDialog::getOpenFileName(
      this, tr("Open"), QString::fromStdString(path_),
      tr("Rich Text Format (*.RTF *.rtf);;HTML files (*.HTM *.htm);;TXT files (*.TXT *.txt)"));
  if (!chosen.isEmpty()) OpenFile(chosen.toStdString());
}

void ReportViewer::SaveCommand() {
  if (path_.empty()) SaveAsCommand();
  else SaveReport(path_);
}

void ReportViewer::SaveAsCommand() {
  QFileDialog dialog(this, tr("Save Report As..."), QString::fromStdString(path_),
                     tr("Rich Text Format (*.RTF *.rtf);;TXT files (*.TXT *.txt)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // A name typed without extension is saved as RTF rather than refused.
  dialog.setDefaultSuffix("rtf");
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    SaveAs(dialog.selectedFiles().front().toStdString());
}

void ReportViewer::MailCommand() {
  if (Modified() || path_.empty()) SaveCommand();
  if (path_.empty() || Modified()) return;
  if (mailer_) mailer_(path_);
}

void ReportViewer::PrinterSetupCommand() {
  QPrinter printer;
  QPageSetupDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QSizeF size = printer.pageLayout().fullRect(QPageLayout::Inch).size();
  settings_.PageWidthTwips = static_cast<std::int32_t>(size.width() * 1440);
  settings_.PageHeightTwips = static_cast<std::int32_t>(size.height() * 1440);
  PrepareViewerPage();
}

void ReportViewer::PrintCommand() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(jobTitle_.isEmpty() ? windowTitle() : jobTitle_);
  printer.setColorMode(settings_.PrintInColor ? QPrinter::Color : QPrinter::GrayScale);
  QPrintDialog dialog(&printer, this);
  dialog.setMinMax(1, PageCount());
  if (dialog.exec() != QDialog::Accepted) return;
  // The print loop makes the copies itself, with the header and page numbers.
  ReportPrintJob job = CopiesFromDialog(printer.copyCount(), printer.collateCopies());
  printer.setCopyCount(1);
  if (printer.printRange() == QPrinter::PageRange) {
    job.firstPage = printer.fromPage();
    job.lastPage = printer.toPage();
  }
  job.headerText = headerText_;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const PrintOutcome outcome = PrintReport(*Document(), printer, PageSetupFrom(settings_), job);
  QApplication::restoreOverrideCursor();
  if (!outcome.printed) messages_.Error("The report was not printed: " + outcome.error);
}

void ReportViewer::MarginsCommand() {
  if (EditPageMargins(settings_, marginUnit_, this)) PrepareViewerPage();
}

bool ReportViewer::FindText(const QString& text) {
  if (text.isEmpty()) return false;
  QTextDocument* doc = Document();
  QTextCursor found = doc->find(text, view_->TextItem()->textCursor());
  if (found.isNull()) found = doc->find(text, 0);
  if (found.isNull()) return false;
  view_->TextItem()->setTextCursor(found);
  view_->ShowCursor();
  return true;
}

int ReportViewer::ReplaceAll(const QString& text, const QString& replacement) {
  if (text.isEmpty()) return 0;
  int count = 0;
  QTextCursor edit(Document());
  edit.beginEditBlock();
  QTextCursor found = Document()->find(text, 0);
  while (!found.isNull()) {
    found.insertText(replacement);
    ++count;
    found = Document()->find(text, found);
  }
  edit.endEditBlock();
  return count;
}

void ReportViewer::FindCommand() {
  bool ok = false;
  const QString text = QInputDialog::getText(this, tr("Find"), tr("Find what:"), QLineEdit::Normal, lastFind_, &ok);
  if (!ok || text.isEmpty()) return;
  lastFind_ = text;
  if (!FindText(text)) messages_.Information("\"" + text.toStdString() + "\" was not found.");
}

void ReportViewer::ReplaceCommand() {
  bool ok = false;
  const QString text = QInputDialog::getText(this, tr("Replace"), tr("Find what:"), QLineEdit::Normal, lastFind_, &ok);
  if (!ok || text.isEmpty()) return;
  lastFind_ = text;
  const QString replacement = QInputDialog::getText(this, tr("Replace"), tr("Replace with:"), QLineEdit::Normal, {}, &ok);
  if (!ok) return;
  messages_.Information(std::to_string(ReplaceAll(text, replacement)) + " replaced.");
}

void ReportViewer::CharacterCommand() {
  QTextCursor cursor = view_->TextItem()->textCursor();
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, cursor.charFormat().font(), this);
  if (!ok) return;
  QTextCharFormat format;
  format.setFont(font);
  cursor.mergeCharFormat(format);
  view_->TextItem()->setTextCursor(cursor);
}

void ReportViewer::ParagraphCommand() {
  static const QStringList Names = {tr("Left"), tr("Centre"), tr("Right"), tr("Justify")};
  static constexpr Qt::Alignment Values[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
  QTextCursor cursor = view_->TextItem()->textCursor();
  const Qt::Alignment current = cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
  int index = 0;
  for (int i = 0; i < 4; ++i)
    if (current & Values[i]) index = i;
  bool ok = false;
  const QString chosen = QInputDialog::getItem(this, tr("Paragraph"), tr("Alignment:"), Names, index, false, &ok);
  if (!ok) return;
  QTextBlockFormat format;
  format.setAlignment(Values[Names.indexOf(chosen)] | Qt::AlignAbsolute);
  cursor.mergeBlockFormat(format);
}

void ReportViewer::Cut() {
  Copy();
  QTextCursor cursor = view_->TextItem()->textCursor();
  cursor.removeSelectedText();
  view_->TextItem()->setTextCursor(cursor);
}

void ReportViewer::Copy() {
  const QTextCursor cursor = view_->TextItem()->textCursor();
  if (!cursor.hasSelection()) return;
  auto* data = new QMimeData;
  const QTextDocumentFragment fragment = cursor.selection();
  data->setHtml(fragment.toHtml());
  data->setText(fragment.toPlainText());
  QApplication::clipboard()->setMimeData(data);
}

void ReportViewer::Paste() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (!data) return;
  QTextCursor cursor = view_->TextItem()->textCursor();
  if (data->hasHtml()) cursor.insertFragment(QTextDocumentFragment::fromHtml(data->html(), Document()));
  else if (data->hasText()) cursor.insertText(data->text());
  view_->TextItem()->setTextCursor(cursor);
}

void ReportViewer::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (firstShown_) return;
  firstShown_ = true;
  const ReportWindowPlacement& p = settings_.ReportWindow;
  if (p.width > 0 && p.windowState == StateNormal) setGeometry(p.left, p.top, p.width, p.height);
  else if (p.windowState == StateMaximised) setWindowState(Qt::WindowMaximized);
  else if (p.windowState == StateMinimised) setWindowState(Qt::WindowMinimized);
  SetZoom(settings_.ReportWindow.zoom);
  view_->TextItem()->setFocus();
}

void ReportViewer::StorePlacement() {
  ReportWindowPlacement& p = settings_.ReportWindow;
  p.windowState = isMaximized() ? StateMaximised : isMinimized() ? StateMinimised : StateNormal;
  // A maximised or minimised window keeps the normal place it had.
  if (p.windowState == StateNormal) {
    p.left = geometry().left();
    p.top = geometry().top();
    p.width = geometry().width();
    p.height = geometry().height();
  }
  p.zoom = ViewerZoom(Zoom());
  p.viewNormal = !PageLayoutView();
}

void ReportViewer::closeEvent(QCloseEvent* event) {
  StorePlacement();
  QMainWindow::closeEvent(event);
}

}  // namespace korvana::app
