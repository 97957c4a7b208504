// The block of chart details written beside a wheel (and in the dialog that picks which
// of two charts to save): the chart's name, its title, when and where it was cast and the
// calculation choices, in black text sized after the rectangle it is given.
#pragma once

#include <QPainter>
#include <QRect>
#include <array>
#include <string>
#include <vector>

#include "core/charts/chart_record.h"
#include "core/config/program_settings.h"

namespace korvana {

// Where the block sits in its rectangle: 0 at the left edge, left-aligned; 1 at the right
// edge, right-aligned; 2 centred.
enum ChartDetailsSide { DetailsLeft = 0, DetailsRight = 1, DetailsCentre = 2 };

// What the caller knows beyond the chart record.
struct ChartDetailsOptions {
  // The block is drawn into a report picture (a report is being generated).
  bool report = false;
  // A composite set drawn for a report: the names of the two source charts, written one
  // a line in place of the composite chart's own name. Empty otherwise.
  std::vector<std::string> sourceNames;
  // The chart has a clock time (false for a chart whose Ascendant and Midheaven are
  // marked as not known): without one no clock time is written.
  bool hasTime = true;
  // The house system code of the calculated chart (1..31); any other value writes no
  // house system name.
  int houseSystem = 0;
  // The words ChartTitle uses for a male and a female natal chart (the report language).
  GenderWordPair genderWords;
};

// One line of the block: its text, style and size relative to the block's font height.
struct ChartDetailsLine {
  std::string text;
  bool bold = false;
  bool italic = false;
  double sizeFactor = 1.0;
  friend bool operator==(const ChartDetailsLine&, const ChartDetailsLine&) = default;
};

// The lines of the block, top to bottom:
//  - the chart name (bold, 1.3 times the size), or the source names of a composite set in
//    a report, one a line;
//  - the chart title (ChartTitle);
//  - except for a midpoint composite (chart type 5, sub-type 2) in a report: the date
//    ("MonthFirst"), the clock time when the chart has one ("AMPM") and the zone (its
//    abbreviation and the formatted zone hours) on one line; the place, followed by ", "
//    and the country when the country is not empty and both together are at most 15
//    characters; the latitude (with " (G)" when the geocentric latitude is used) and the
//    longitude on one line;
//  - in italics the zodiac name and the house system name;
//  - "Parallax" when the Moon's parallax correction is used.
std::vector<ChartDetailsLine> ChartDetailsLines(const ChartRecord& record,
                                                const ChartDetailsOptions& options,
                                                const ProgramSettings& settings);

// The family the block's text is written in: "Arial" for the printer and report pictures
// (output kinds 1 and 2); on screen the program's sans-serif face for sizes of 7 to 16
// points, the screen font (ScreenTTFont) outside that range. Resolved to an installed
// family.
QString ChartDetailsFamily(int outputKind, int pixel_size, double dpi,
                           const ProgramSettings& settings);

// Draws the block into `rect`. Font height round(rect height / 7.3) pixels, times the
// canvas's pixels per inch / 96 for the printer (output kind 1); black. Each line advances
// by its font height + 2, downwards from the top of the rectangle, or, when from_top is
// false, so that the block ends at the bottom. A rectangle too low for a font of one
// pixel draws nothing.
void DrawChartDetails(QPainter& painter, const ChartRecord& record, const QRect& rect, int side,
                      int outputKind, bool from_top, const ProgramSettings& settings,
                      const ChartDetailsOptions& options = {});

}  // namespace korvana
