#include "render/chart_details.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

#include "core/astro/houses.h"
#include "core/astro/zodiac.h"
#include "core/time/entry_parsing.h"
#include "core/util/text.h"
#include "render/glyphs.h"
#include "render/wheel_renderer.h"

namespace korvana {
namespace {

int Round(double x) { return static_cast<int>(std::nearbyint(x)); }

// Characters (not bytes) of a UTF-8 text.
std::size_t CharacterCount(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(
      utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string JoinNonEmpty(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& p : parts) {
    if (p.empty()) continue;
    if (!out.empty()) out += ' ';
    out += p;
  }
  return out;
}

bool IsMidpointComposite(const ChartRecord& record) {
  return record.ChartType == ChartTypeCombined && record.ChartSubType == 2;
}

}  // namespace

std::vector<ChartDetailsLine> ChartDetailsLines(const ChartRecord& record,
                                                const ChartDetailsOptions& options,
                                                const ProgramSettings& settings) {
  std::vector<ChartDetailsLine> lines;
  const auto name_line = [&lines](std::string_view name) {
    lines.push_back({std::string(Trim(name)), true, false, 1.3});
  };
  if (!options.sourceNames.empty()) {
    for (const std::string& name : options.sourceNames) name_line(name);
  } else {
    name_line(record.Name);
  }
  lines.push_back({ChartTitle(record.ChartType, record.ChartSubType, record.ChartTypeParam,
                              record.EventKind, options.genderWords)});
  if (!(options.report && IsMidpointComposite(record))) {
    const DateTimeRec& m = record.Moment;
    const std::string date = FormatDate(settings.MonthFirst, m.Day, m.Month, m.Year);
    const std::string time = record.TimeUnknown ? std::string("time unknown")
                             : options.hasTime  ? FormatTime(settings.AMPM, m.Hour, m.Minute, m.Second)
                                                : std::string();
    const std::string zone = JoinNonEmpty(
        {std::string(Trim(record.ZoneAbbrev)), FormatZoneHours(record.ZoneHours)});
    lines.push_back({JoinNonEmpty({date, time, zone})});

    const std::string place(Trim(record.Place));
    const std::string country(Trim(record.Country));
    const bool with_country =
        !country.empty() && CharacterCount(place) + CharacterCount(country) <= 15;
    lines.push_back({with_country ? place + ", " + country : place});

    std::string latitude = FormatLatLong(false, record.Latitude);
    if (record.GeocentricLat) latitude += " (G)";
    lines.push_back({latitude + " " + FormatLatLong(true, record.Longitude)});
  }
  // Without the birth time no house system stands.
  const std::string houses = record.TimeUnknown ? std::string() : std::string(HouseSystemName(options.houseSystem));
  lines.push_back({JoinNonEmpty({std::string(ZodiacName(record.Zodiac)), houses}),
                   false, true, 1.0});
  if (record.ParallaxMoon) lines.push_back({"Parallax"});
  return lines;
}

QString ChartDetailsFamily(int outputKind, int pixel_size, double dpi,
                           const ProgramSettings& settings) {
  if (outputKind != WheelScreen) return ResolveFontFamily("Arial");
  const int points = Round(pixel_size * 72.0 / (dpi > 0 ? dpi : 96.0));
  return ResolveFontFamily(points >= 7 && points <= 16 ? std::string_view("ZP Sans Serif")
                                                       : std::string_view(settings.ScreenTTFont));
}

void DrawChartDetails(QPainter& painter, const ChartRecord& record, const QRect& rect, int side,
                      int outputKind, bool from_top, const ProgramSettings& settings,
                      const ChartDetailsOptions& options) {
  const double dpi = painter.device() ? painter.device()->logicalDpiY() : 96.0;
  int height = Round(rect.height() / 7.3);
  if (outputKind == WheelPrinter) height = Round(height * dpi / 96.0);
  if (height < 1) return;

  const std::vector<ChartDetailsLine> lines = ChartDetailsLines(record, options, settings);
  const auto line_height = [height](const ChartDetailsLine& line) {
    return std::max(1, Round(height * line.sizeFactor));
  };
  int y = rect.top();
  if (!from_top) {
    y = rect.top() + rect.height();
    for (const ChartDetailsLine& line : lines) y -= line_height(line) + 2;
  }

  painter.save();
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  for (const ChartDetailsLine& line : lines) {
    const int size = line_height(line);
    QFont font(ChartDetailsFamily(outputKind, size, dpi, settings));
    font.setPixelSize(size);
    font.setBold(line.bold);
    font.setItalic(line.italic);
    painter.setFont(font);
    const QString text = QString::fromStdString(line.text);
    const QFontMetricsF metrics(font, painter.device());
    const double width = metrics.horizontalAdvance(text);
    double x = rect.left();
    if (side == DetailsRight) x = rect.left() + rect.width() - width;
    else if (side == DetailsCentre) x = rect.left() + (rect.width() - width) / 2.0;
    // The line's top at y, as text aligned at its top.
    painter.drawText(QPointF(x, y + metrics.ascent()), text);
    y += size + 2;
  }
  painter.restore();
}

}  // namespace korvana
