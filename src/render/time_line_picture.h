// The time line of a dynamic report entry painted with QPainter: the layout of the core
// (LayOutTimeLine) measured with the painter's font and drawn, and the picture a report
// embeds: a placeable metafile half the screen's width wide and a twelfth of that high.
#pragma once

#include <QPainter>
#include <QRect>
#include <string>

#include "core/dynamic/time_line.h"
#include "render/front_page_pictures.h"

namespace korvana {

// Draws the time line of `entry` into `rect`: frame, rules, ticks and labels with the
// painter's pen and a font sized to the label bands, the bar and marks in black. The
// month names are the system locale's abbreviated ones.
void DrawTimeLine(QPainter& painter, const QRect& rect, const TimeLinePeriod& period, const TDynamicTextEntry& entry);

// The metafile's size for a screen: width / 2 by (width / 2) / 12 pixels.
QSize TimeLinePictureSize(const ReportScreen& screen);

class TTimeLinePictures : public TimeLinePictures {
 public:
  explicit TTimeLinePictures(ReportScreen screen = PrimaryReportScreen()) : screen_(screen) {}
  bool DrawTimeLine(const TimeLinePeriod& period, const TDynamicTextEntry& entry, const std::string& path) override;

 private:
  ReportScreen screen_;
};

}  // namespace korvana
