// Aspect figures: groups of planets that the aspects of a report set's aspect file tie
// into one of the shapes astrologers name (stellium, T-square, grand trine, grand cross,
// yod, kite).
//
// The figures are found among the ten planets, Sun to Pluto; the Nodes and the other
// points never count. The Ascendant and the Midheaven take part only as the apex of a
// T-square or a yod, where an angle under pressure is read the same way as a planet,
// and only when the birth time is known. Two points form an aspect when FindAspect
// (natal orbs) finds a record of that aspect type between them, so the orbs are the set's.
#pragma once

#include <array>
#include <vector>

#include "core/analysis/aspect_file.h"
#include "core/astro/calculated_chart.h"

namespace korvana {

// The kinds of figure, numbered as the statement words Stellium .. Kite.
enum class FigureKind : int { Stellium = 1, TSquare = 2, GrandTrine = 3, GrandCross = 4, Yod = 5, Kite = 6 };
inline constexpr int FigureKindCount = 6;

// The ten planets in the order members are listed: Sun, Moon, Mercury .. Pluto.
inline constexpr std::array<int, 10> FigurePlanets = {PointSun,     PointMoon,   PointMercury, PointVenus,
                                                      PointMars,    PointJupiter, PointSaturn, PointUranus,
                                                      PointNeptune, PointPluto};

// Three or more planets in one sign, or in one house, make a stellium.
inline constexpr int StelliumSize = 3;

struct ChartFigure {
  FigureKind kind = FigureKind::Stellium;
  // PointIds in planet order; the focus, when the figure has one, comes last.
  std::vector<int> members;
  // The point the figure turns on: the apex of a T-square or a yod, and the head of a
  // kite (the corner of its grand trine that the fourth planet opposes). 0 for the rest.
  int focus = 0;
  int sign = 0;   // a stellium in one sign: the sign 1..12 (0 for one in a house)
  int house = 0;  // a stellium in one house: the house 1..12 (0 for one in a sign)
};

struct FigureInputs {
  const AspectSet* aspects = nullptr;  // none: only stelliums are found
  // The chart's house cusps [1..12]; null when the birth time is unknown: then no
  // stellium by house is found and the angles take no part.
  const std::array<double, 13>* cusps = nullptr;
};

// Every figure of the chart, in the order stelliums by sign (sign order), stelliums by
// house (house order), T-squares, grand trines, grand crosses, yods and kites; within a
// kind by the planet order of their members. A T-square whose three points belong to a
// grand cross is part of the cross and not listed again; a grand trine inside a kite is
// listed as a grand trine as well. Points that are not computed take no part. Never fails.
std::vector<ChartFigure> FindFigures(const CalculatedChart& chart, const FigureInputs& in);

// The members whose signs give a figure its element or mode: the three corners of a
// kite's grand trine, every member of the other figures.
std::vector<int> FigureCore(const ChartFigure& figure);

}  // namespace korvana
