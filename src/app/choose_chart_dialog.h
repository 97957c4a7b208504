// "Choose a chart": two charts' details under a message, with a "Use" choice for each or
// only a confirmation; and the pair questions of the chart pair rules answered with it.
#pragma once

#include <QDialog>

#include "core/charts/chart_layouts.h"
#include "core/session/chart_pair.h"

class QRadioButton;
class QPushButton;

namespace korvana::app {

// The six lines shown for a chart: the label (or the chart's name), local date and time,
// place and country, zodiac and house system, node and coordinate system.
QString ChartDetailsText(const StoredChart& chart, const QString& label);

class ChooseChartDialog : public QDialog {
  Q_OBJECT
 public:
  ChooseChartDialog(const StoredChart& first, const StoredChart& second, const QString& message, bool withChoice,
                    const QString& firstLabel, QWidget* parent = nullptr);
  // 1 or 2 for the chart chosen (1 to confirm without a choice), 0 when cancelled.
  int Choice() const;

 private:
  QRadioButton* useFirst_ = nullptr;
  QRadioButton* useSecond_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// The pair questions asked with message boxes and ChooseChartDialog.
class DialogPairQuestions : public PairQuestions {
 public:
  explicit DialogPairQuestions(QWidget* parent) : parent_(parent) {}
  void Tell(std::string_view text) override;
  int ChooseChart(const StoredChart& first, const StoredChart& second, std::string_view message, bool withChoice,
                  std::string_view firstLabel) override;

 private:
  QWidget* parent_;
};

}  // namespace korvana::app
