#include "app/wheel_view.h"

#include <QPainter>

#include <algorithm>

#include "render/wheel_drawing.h"

namespace korvana::app {

WheelView::WheelView(const ProgramSettings& settings, Messages& messages, QWidget* parent)
    : QWidget(parent), settings_(settings), messages_(messages) {
  setMinimumSize(200, 200);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

void WheelView::ShowCharts(std::vector<CalculatedChart> charts, const std::string& designFile, bool compositeSet,
                           const AspectSet* aspects) {
  charts_ = std::move(charts);
  designFile_ = designFile;
  compositeSet_ = compositeSet;
  aspects_ = aspects;
  update();
}

void WheelView::SetSplash(const std::string& path) {
  splash_ = path.empty() ? QImage() : QImage(QString::fromStdString(path));
  update();
}

void WheelView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (charts_.empty()) {
    if (splash_.isNull()) return;
    const QSize size = splash_.size().scaled(this->size(), Qt::KeepAspectRatio).boundedTo(splash_.size());
    painter.drawImage(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size), splash_);
    return;
  }
  // The picture keeps a small margin on every side.
  const int margin = std::max(3, width() / 100);
  PaintWheel(painter, rect().adjusted(margin, margin, -margin, -margin), WheelScreen);
}

void WheelView::PaintWheel(QPainter& painter, const QRect& area, int outputKind) const {
  if (charts_.empty()) return;
  WheelRequest request;
  for (const CalculatedChart& chart : charts_) {
    WheelChart w;
    w.chart = &chart;
    w.record = &chart.Chart;
    request.input.charts.push_back(w);
  }
  for (int id = 1; id <= LastPoint; ++id) {
    request.input.selection[static_cast<std::size_t>(id)] = settings_.WheelPointSelection[static_cast<std::size_t>(id)];
  }
  request.input.aspects = aspects_;
  request.input.outputKind = outputKind;
  request.returnReports = returnReports_;
  request.rect = area;
  const LoadedWheel wheel = LoadWheelForLayout(designFile_, compositeSet_, false, settings_, messages_);
  if (!wheel.design) return;
  request.design = &*wheel.design;
  request.layout = wheel.layout;
  DrawChartWheel(painter, request, settings_, messages_);
}

void WheelView::mouseDoubleClickEvent(QMouseEvent*) {
  if (!charts_.empty()) emit UnselectRequested();
}

}  // namespace korvana::app
