// "Chart Search": the charts of every chart file in the given folders whose names match a
// pattern, found one file at a time while the dialog shows the file being searched and the
// progress through the folder; "Cancel" stops a running search, "Select" (or a double
// click) stops it and returns the chosen chart. The search itself is the core's.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/session/chart_search.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace korvana::app {

class ChartSearchDialog : public QDialog {
  Q_OBJECT
 public:
  ChartSearchDialog(std::vector<std::string> folders, std::string pattern, const ProgramSettings& settings,
                    QWidget* parent = nullptr);
  ~ChartSearchDialog() override;

  // The chart chosen with "Select".
  const std::optional<TMatchingChart>& Chosen() const { return chosen_; }
  const ChartSearch& Search() const { return *search_; }

  void accept() override;
  void reject() override;

 signals:
  // A file has been searched (the list and progress are up to date).
  void Stepped();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Step();
  void AddRows(std::size_t from);
  void ShowFinished();

  std::unique_ptr<ChartSearch> search_;
  std::optional<TMatchingChart> chosen_;
  bool started_ = false;
  QTreeWidget* list_ = nullptr;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* select_ = nullptr;
};

}  // namespace korvana::app
