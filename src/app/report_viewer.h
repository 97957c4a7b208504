// "Report Viewer": shows a report in an editable page view and saves (RTF or plain text),
// prints, finds and mails it. One viewer is made on first use and then reused.
//
// Menus: "&File" (open, save, save as, send by e-mail, page margins, printer setup, print,
// exit), "&Edit" (cut, copy, paste, find, replace), "&View" (normal or page layout view,
// zoom 50 to 200 %), "&Format" (character and paragraph). The zoom and view, and the
// window's place and size, come from ProgramSettings::ReportWindow and are stored back
// there when the window closes. Failures are shown through Messages.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

#include "core/config/program_settings.h"
#include "core/session/report_viewer_rules.h"
#include "core/util/messages.h"

class QActionGroup;
class QTextDocument;

namespace korvana::app {

class ReportPageView;

class ReportViewer : public QMainWindow {
  Q_OBJECT
 public:
  ReportViewer(ProgramSettings& settings, Messages& messages, QWidget* parent = nullptr);

  // Applies the settings' page size and margins to the view (the top margin gets room for
  // the printed header). Run before a report is loaded and after the page changes.
  void PrepareViewerPage();
  // Loads an RTF file: caption "Report Viewer - " + path, format RTF, not modified. False
  // (the reason shown) when it cannot be read; the shown document stays then.
  bool LoadReport(const std::string& path);
  // Opens a file in the format its extension names (RTF, plain text or HTML); any other
  // extension is refused with "Unsupported file format!". The caption becomes the path.
  bool OpenFile(const std::string& path);
  // Saves to `path` in the current format through a work file; HTML is refused with
  // "Unsupported file format!". Clears the modified flag.
  bool SaveReport(const std::string& path);
  // Saves to `path` in the format its extension names and makes it the current file;
  // HTML and unknown extensions are refused with "Unsupported file format!".
  bool SaveAs(const std::string& path);
  // Selects the next occurrence of `text` after the cursor, wrapping round once. False
  // when the document does not hold it.
  bool FindText(const QString& text);
  // Replaces every occurrence; the number replaced.
  int ReplaceAll(const QString& text, const QString& replacement);

  // What "Send As &Email Attachment..." calls with the saved file.
  void SetMailer(std::function<void(const std::string&)> mailer) { mailer_ = std::move(mailer); }
  // The printer job title.
  void SetJobTitle(const QString& title) { jobTitle_ = title; }
  // The text printed at the left of each numbered page's header.
  void SetHeaderText(const std::string& text) { headerText_ = text; }

  int Zoom() const;
  void SetZoom(int percent);
  bool PageLayoutView() const;
  void SetPageLayoutView(bool on);
  int PageCount() const;
  bool Modified() const;
  const std::string& Path() const { return path_; }
  ViewerFormat Format() const { return format_; }
  QTextDocument* Document() const;
  ReportPageView* View() const { return view_; }
  // A command by its name ("actSave", "actZoom100", ...), for tests.
  QAction* Action(const QString& name) const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* AddAction(QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys = {});
  void CreateMenus();
  void OpenCommand();
  void SaveCommand();
  void SaveAsCommand();
  void MailCommand();
  void PrinterSetupCommand();
  void PrintCommand();
  void MarginsCommand();
  void FindCommand();
  void ReplaceCommand();
  void CharacterCommand();
  void ParagraphCommand();
  void Cut();
  void Copy();
  void Paste();
  bool LoadInto(const std::string& path, ViewerFormat format);
  void StorePlacement();

  ProgramSettings& settings_;
  Messages& messages_;
  ReportPageView* view_ = nullptr;
  std::string path_;
  ViewerFormat format_ = ViewerFormat::Rtf;
  bool firstShown_ = false;
  std::function<void(const std::string&)> mailer_;
  QString jobTitle_;
  std::string headerText_;
  int marginUnit_ = 0;  // the margins dialog's unit: 2 inches, else centimetres
  QString lastFind_;
  std::map<QString, QAction*> actions_;
  QActionGroup* zoomGroup_ = nullptr;
};

}  // namespace korvana::app
