// "Open Chart": the charts of the current chart file in name, file or date order, with
// their comments (editable) or a small wheel, the file's title (editable), deleting a
// chart, the recent chart files, "Search All Files" over their folders, and one chart
// chosen (two for synastry and composite sets). The list rules are the core's.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "core/session/chart_list.h"
#include "core/config/program_settings.h"
#include "core/util/messages.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;
class QTreeWidget;

namespace korvana::app {

class WheelView;

class OpenChartDialog : public QDialog {
  Q_OBJECT
 public:
  OpenChartDialog(ProgramSettings& settings, Messages& messages, QWidget* parent = nullptr);

  // Shows the current chart file's charts; `twoCharts` lets two be chosen together.
  void Prepare(bool twoCharts);
  // Makes a chart file current and lists it (and keeps it among the recent files).
  void UseFile(const std::string& path);
  // The charts chosen by the last "Open", in list order, each read from the file.
  const std::vector<StoredChart>& Chosen() const { return chosen_; }

  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Reload(int selectNumber = 0);
  void ShowSelected();
  void SaveComments();
  void DeleteSelected();
  void SearchAllFiles();
  void ShowRecentMenu();
  std::vector<int> SelectedNumbers() const;

  ProgramSettings& settings_;
  Messages& messages_;
  std::vector<StoredChart> chosen_;
  ChartOrder order_ = ChartOrder::Name;
  int format_ = ChartFormatInvalid;
  QTreeWidget* list_ = nullptr;
  QLineEdit* title_ = nullptr;
  QCheckBox* lastNameFirst_ = nullptr;
  QCheckBox* wheelPreview_ = nullptr;
  QStackedWidget* preview_ = nullptr;
  QPlainTextEdit* comments_ = nullptr;
  WheelView* wheel_ = nullptr;
  QLabel* status_ = nullptr;
  int commentsFor_ = 0;  // the chart whose comments the area holds
  bool commentsChanged_ = false;
};

}  // namespace korvana::app
