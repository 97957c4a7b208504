#include "render/time_line_picture.h"

#include <QFontMetrics>
#include <QLocale>

#include "render/metafile.h"

namespace korvana {
namespace {

TimeLineFonts FontsOf(const QFontMetrics& metrics) {
  TimeLineFonts fonts;
  fonts.width = [&metrics](const std::string& text) {
    return metrics.horizontalAdvance(QString::fromStdString(text));
  };
  const QLocale locale = QLocale::system();
  for (int m = 1; m <= 12; ++m)
    fonts.shortMonths[static_cast<std::size_t>(m - 1)] = locale.monthName(m, QLocale::ShortFormat).toStdString();
  return fonts;
}

void Line(QPainter& painter, const TimeLineSegment& s) { painter.drawLine(s.x1, s.y1, s.x2, s.y2); }

}  // namespace

void DrawTimeLine(QPainter& painter, const QRect& rect, const TimeLinePeriod& period, const TDynamicTextEntry& entry) {
  painter.save();
  // The labels fill their band: a third of the picture less a unit above and below.
  QFont font("Arial");
  font.setPixelSize(std::max(6, rect.height() / 3 - 3));
  painter.setFont(font);
  const QFontMetrics metrics(font, painter.device());
  const TimeLineBox box{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
  const TimeLineDrawing d = LayOutTimeLine(box, period, entry, FontsOf(metrics));

  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.drawRect(d.frame.left, d.frame.top, d.frame.right - d.frame.left - 1, d.frame.bottom - d.frame.top - 1);
  for (const TimeLineSegment& s : d.rules) Line(painter, s);
  for (const TimeLineSegment& s : d.ticks) Line(painter, s);
  for (const TimeLineText& t : d.labels)
    painter.drawText(QPoint(t.x, t.y + metrics.ascent()), QString::fromStdString(t.text));
  if (d.drawsEntry) {
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(d.bar.left, d.bar.top, d.bar.right - d.bar.left, d.bar.bottom - d.bar.top);
    for (const TimeLineSegment& s : d.marks) Line(painter, s);
  }
  painter.restore();
}

QSize TimeLinePictureSize(const ReportScreen& screen) {
  const int width = screen.size.width() / 2;
  return {width, width / 12};
}

bool TTimeLinePictures::DrawTimeLine(const TimeLinePeriod& period, const TDynamicTextEntry& entry,
                                     const std::string& path) {
  const QSize size = TimeLinePictureSize(screen_);
  if (size.width() <= 0 || size.height() <= 0) return false;
  const QRect rect(QPoint(0, 0), size);
  TMetafile metafile(size.width(), size.height(), static_cast<int>(screen_.dpi));
  {
    QPainter painter(&metafile);
    PrepareMetafileCanvas(painter, rect);
    korvana::DrawTimeLine(painter, rect, period, entry);
  }
  return metafile.Save(path, Durability::Scratch);
}

}  // namespace korvana
