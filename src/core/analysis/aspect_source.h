// The readable source of an aspect file, from which the shipped aspect files are built.
//
// One statement a line; "#" starts a comment. Header lines give a header field:
//   SelectionMode 0        MoietyCombination 0     SeparationMeasure 0     MoietyChoice 0
// An aspect line adds the next record (records are numbered in the order of the lines):
//   Aspect NAME ANGLE USE RED GREEN BLUE LINE LUMAPP LUMSEP OTHAPP OTHSEP
// NAME is the aspect's English name (it gives the aspect number, the display name and
// the glyph), ANGLE a number or a fraction "a/b", USE "yes" or "no", LINE the wheel's
// line style, and the four orbs the natal orbs; the unused and dynamic columns take the
// same orbs. A moiety line gives a point's moiety in degrees:
//   Moiety DEGREES POINT-NAME
// and is stored as the factor DEGREES / (record 1's applying luminary orb), so that the
// preferences show DEGREES again. Points without a moiety line get factor 0.
#pragma once

#include <string_view>

#include "core/analysis/aspect_file.h"
#include "core/util/error.h"

namespace korvana {

// A source that breaks the rules above; the message names the line.
class EAspectSourceError : public Error {
 public:
  using Error::Error;
};

// Builds an aspect set from a source text. Besides the form of each line it checks that
// there are 1..50 records, that the first nine (as far as there are any) are the
// conjunction, opposition, trine, square, sextile, semisquare, sesquisquare,
// semisextile and quincunx in that order (selection by sign relies on it), that orbs and
// moieties are not negative, and that no point has two moieties.
AspectSet ParseAspectSource(std::string_view text);

}  // namespace korvana
