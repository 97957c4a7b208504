// The dignity table picture: the report set's almuten scheme applied to a chart, one line
// per planet with the holder of each dignity slot at its place, the planet's own markers
// and its score, laid out in a TDTPTable and drawn onto any QPainter.
#pragma once

#include <QPainter>
#include <QRect>
#include <array>
#include <optional>
#include <string>

#include "core/analysis/rulerships.h"
#include "core/astro/calculated_chart.h"
#include "core/config/colors.h"
#include "render/dtp_table.h"

namespace korvana {

struct DignityTableInputs {
  std::string schemePath;                  // the report set's ".alm" file
  const RulershipTables* tables = nullptr;
  std::array<Color, LastPoint + 1> pointColors{};  // the planets' glyph colours [1..36]
  bool colourOn = true;                    // the PrintInColor setting
  std::string glyphFace = "ZP Symbol";     // the face the planet glyphs are drawn in
};

// The heading when the scheme file cannot be read.
inline constexpr const char* DignityReadFailure = "Dignity Read Failure";

// Builds the table: the heading (the scheme's title in capitals, or "Dignity Read
// Failure" with no planet lines when the scheme cannot be read), the column titles "Pt",
// "Ruler", "Exalt", "Trip", "Term", "Face", "Detri", "Fall", "Score", and one line for
// each of Moon, Sun, Mercury .. Pluto, the Nodes and the Part of Fortune whose place has
// a domicile ruler: its glyph, the glyph of each slot's holder in that planet's colour
// (or "--") followed by the planet's own marker for the slot, the score (+3, -5, +0, or
// "--" for a planet that rules nothing) and 'p' when peregrine.
TDTPTable BuildDignityTable(const CalculatedChart& chart, const DignityTableInputs& inputs);

// Builds and draws the table into rect; returns the frame drawn.
QRect DrawDignityTable(const CalculatedChart& chart, QPainter& painter, const QRect& rect,
                       const DignityTableInputs& inputs);

}  // namespace korvana
