#include "render/dignity_table.h"

#include "core/analysis/almuten_scheme.h"
#include "core/analysis/dignities.h"
#include "core/points/point_catalogue.h"
#include "core/util/codepage.h"
#include "core/util/text.h"

namespace korvana {
namespace {

constexpr int TablePoints[] = {PointMoon, PointSun, PointMercury, PointVenus, PointMars, PointJupiter, PointSaturn,
                               PointUranus, PointNeptune, PointPluto, PointNorthNode, PointSouthNode, PointPartOfFortune};
constexpr int TableSlots[] = {DignityRuler, DignityExaltation, DignityTriplicity, DignityTerm, DignityFace, DignityDetriment, DignityFall};
constexpr const char* Titles[] = {"Pt", "Ruler", "Exalt", "Trip", "Term", "Face", "Detri", "Fall", "Score"};
constexpr float TitleWidths[] = {5, 7, 7, 7, 7, 7, 7, 7, 8};
constexpr float LineWidths[] = {5, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 5, 3};
constexpr Color Black = 0;

std::string Glyph(int point) {
  std::string text;
  AppendUtf8(text, static_cast<char32_t>(PointGlyph(point)));
  return text;
}

std::string Score(std::int32_t score) {
  if (score < -98) return "--";
  return (score >= 0 ? "+" : "-") + std::to_string(score >= 0 ? score : -score);
}

}  // namespace

TDTPTable BuildDignityTable(const CalculatedChart& chart, const DignityTableInputs& in) {
  TDTPTable t;
  const int heading = t.AddColStructure(1, true);
  t.SetColDefn(heading, 1, DTPNoSeparator, DTPCentre, 1.0f);
  const int titles = t.AddColStructure(9, false);
  for (int c = 1; c <= 9; ++c)
    t.SetColDefn(titles, c, c < 9 ? DTPSingleLine : DTPNoSeparator, DTPCentre, TitleWidths[c - 1]);
  const int rows = t.AddColStructure(17, false);
  for (int c = 1; c <= 17; ++c) {
    // Column 1 the planet; then pairs of holder (right) and marker (left) with a line
    // after each pair; then the score and the peregrine mark.
    int alignment = c == 1 ? DTPCentre : c == 16 ? DTPRight : (c % 2 == 0 ? DTPRight : DTPLeft);
    int separator = (c == 1 || (c >= 3 && c <= 15 && c % 2 == 1)) ? DTPSingleLine : DTPNoSeparator;
    t.SetColDefn(rows, c, separator, alignment, LineWidths[c - 1]);
  }
  const int text = t.FontID("Default", 12, 0);
  const int glyphs = t.FontID(in.glyphFace, 12, 0);

  std::optional<AlmutenScheme> scheme = AlmutenSchemeOrNone(in.schemePath);
  int line = 1;
  t.RepItemAdd(heading, line++, Black, text, scheme ? ToUpperAscii(scheme->title) : DignityReadFailure, 1);
  for (int c = 1; c <= 9; ++c) t.RepItemAdd(titles, line, Black, text, Titles[c - 1], c);
  ++line;
  if (!scheme || !in.tables) return t;

  const DignityScores scores = ScoreDignities(*scheme, chart, *in.tables);
  const bool day = IsDayChart(chart);
  for (int p : TablePoints) {
    if (chart.Longitude(p) < 0) continue;
    const DignitySlots held = DignityRulersAt(chart.Longitude(p), *scheme, day, *in.tables);
    if (held[DignityRuler] == 0) continue;
    t.RepItemAdd(rows, line, in.pointColors[static_cast<std::size_t>(p)], glyphs, Glyph(p), 1);
    int column = 2;
    for (int slot : TableSlots) {
      const int holder = held[static_cast<std::size_t>(slot)];
      if (IsPointId(holder))
        t.RepItemAdd(rows, line, in.pointColors[static_cast<std::size_t>(holder)], glyphs, Glyph(holder), column);
      else
        t.RepItemAdd(rows, line, Black, text, "--", column);
      const char marker = scores.Marker(p, slot);
      if (marker != 0 && marker != ' ') t.RepItemAdd(rows, line, Black, text, std::string(1, marker), column + 1);
      column += 2;
    }
    t.RepItemAdd(rows, line, Black, text, Score(scores.score[static_cast<std::size_t>(p)]), 16);
    if (scores.Marker(p, 9) == 'p') t.RepItemAdd(rows, line, Black, text, "p", 17);
    ++line;
  }
  return t;
}

QRect DrawDignityTable(const CalculatedChart& chart, QPainter& painter, const QRect& rect,
                       const DignityTableInputs& inputs) {
  TDTPTable table = BuildDignityTable(chart, inputs);
  return table.Draw(inputs.colourOn, painter, rect);
}

}  // namespace korvana
