// The pictures of a report's chart page, drawn as placeable metafiles: the chart wheel
// (through the wheel painter given, the wheel drawing of the render layer) on a canvas the
// size of the primary screen, and the essential dignity table of the first chart.
#pragma once

#include <QPainter>
#include <QRect>
#include <QSize>
#include <functional>
#include <string>

#include "core/reports/frontpage/front_page.h"

namespace korvana {

// The primary screen's size in pixels and its logical density; 1024 x 768 at 96 dots per
// inch when there is no screen (no GUI application, or an offscreen one without screens).
struct ReportScreen {
  QSize size{1024, 768};
  double dpi = 96.0;
};
ReportScreen PrimaryReportScreen();

// The height of the dignity table picture for a screen: 0.61, 0.54 or 0.48 of its width
// (screens up to 640, up to 800, wider) scaled by the screen's density over 96.
int DignityPictureHeight(const ReportScreen& screen);

class TFrontPagePictures : public FrontPagePictures {
 public:
  // Draws the wheel of the run's charts into the rectangle, placed as the canvas says;
  // false when it cannot.
  using WheelPainter = std::function<bool(const ReportRun&, QPainter&, const QRect&, const WheelCanvas&)>;

  // Without a wheel painter the chart page carries no wheel.
  explicit TFrontPagePictures(WheelPainter wheel = {}, ReportScreen screen = PrimaryReportScreen())
      : wheel_(std::move(wheel)), screen_(screen) {}

  // The canvas's size, or the screen's when its width is 0.
  bool DrawWheel(const ReportRun& run, const std::string& path, const WheelCanvas& canvas) override;
  bool DrawDignityTable(const ReportRun& run, const std::string& path) override;

 private:
  WheelPainter wheel_;
  ReportScreen screen_;
};

}  // namespace korvana
