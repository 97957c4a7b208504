// "Select Report": the report sets of the data folder, with the chosen set's description
// and splash picture beside the list (the listing and preview rules are the core's).
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/reports/reportset/report_set.h"

class QLabel;
class QListWidget;

namespace korvana::app {

class SelectReportDialog : public QDialog {
  Q_OBJECT
 public:
  // The sets of `systemPath`; the one whose file is `current` is selected.
  SelectReportDialog(const std::string& systemPath, const std::string& current, QWidget* parent = nullptr);
  // The chosen set's full path; empty when none.
  std::string Chosen() const;

 private:
  void ShowPreview(int row);

  std::string systemPath_;
  std::vector<ReportSetEntry> sets_;
  QListWidget* list_ = nullptr;
  QLabel* description_ = nullptr;
  QLabel* picture_ = nullptr;
};

}  // namespace korvana::app
