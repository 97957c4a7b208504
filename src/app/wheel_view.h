// The main window's client area: the wheel of the current chart pair, drawn to fill the
// area and redrawn on every resize, or the report set's splash picture while no chart is
// chosen. A double click asks to unselect the charts.
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "core/analysis/aspect_file.h"
#include "core/astro/cast_chart.h"
#include "core/config/program_settings.h"
#include "core/util/messages.h"

namespace korvana::app {

class WheelView : public QWidget {
  Q_OBJECT
 public:
  WheelView(const ProgramSettings& settings, Messages& messages, QWidget* parent = nullptr);

  // The charts drawn (one, or two for a two-chart design), in the design `designFile`,
  // with the aspect lines of `aspects` (may be null). No charts: the splash picture.
  void ShowCharts(std::vector<CalculatedChart> charts, const std::string& designFile, bool compositeSet,
                  const AspectSet* aspects);
  // The splash picture (empty path: none) shown while no chart is drawn.
  void SetSplash(const std::string& path);
  bool ShowsWheel() const { return !charts_.empty(); }
  // Whether the report set has return reports (the empty second half then says how to
  // cast the return).
  void SetReturnReports(bool on) { returnReports_ = on; }
  // Draws the charts' wheel into `area` of any surface for `outputKind` (0 screen,
  // 1 printer); nothing without charts.
  void PaintWheel(QPainter& painter, const QRect& area, int outputKind) const;

 signals:
  void UnselectRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  const ProgramSettings& settings_;
  Messages& messages_;
  std::vector<CalculatedChart> charts_;
  std::string designFile_;
  bool compositeSet_ = false;
  bool returnReports_ = false;
  const AspectSet* aspects_ = nullptr;
  QImage splash_;
};

}  // namespace korvana::app
