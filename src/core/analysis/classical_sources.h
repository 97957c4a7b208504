// Readable text sources of the rulership tables and almuten schemes, turned into the
// binary files the program reads. The shipped tables are generated from data/classical/
// with these functions; tests use them to make fixtures.
//
// Common rules: ';' starts a comment line; words are separated by blanks; planets are
// named as the program names them ("Sun", "Moon", ... or a PointId) and "-" means none.
//
// Rulerships: "[Scheme LETTER Name words]" then twelve lines, Aries first:
//   SIGN  DOMICILE  EXALTATION  FACE1  FACE2  FACE3
// Terms: "[Terms N Name]" (N = term system 0..2) then twelve lines, Aries first, of
//   SIGN  PLANET END  PLANET END ...   (END = the last degree of that term; the last 30)
// Triplicities: "[Triplicities N Name]" (N = variant 0..2) then four lines:
//   ELEMENT  DAY  NIGHT  PARTICIPATING    (Fire, Earth, Air, Water)
// Almuten scheme: "Key = value" lines (see ParseAlmutenSchemeSource).
#pragma once

#include <string>
#include <string_view>

#include "core/analysis/almuten_scheme.h"
#include "core/util/error.h"

namespace korvana {

class EClassicalSourceError : public Error {
 public:
  using Error::Error;
};

// Each returns the bytes of the file or throws EClassicalSourceError("line N: ...").
std::string BuildRulershipFile(std::string_view source);
std::string BuildDegreeFile(std::string_view source);
std::string BuildTriplicityFile(std::string_view source);

// Keys (case-insensitive; lists separated by commas):
//   Title, DignityWeights (9: domicile, exaltation, triplicity, other-sect triplicity,
//   participating, term, face, detriment, fall), ReceptionWeights (5: domicile,
//   exaltation, triplicity, term, face), DayBonus, HourBonus, HouseWeights (12),
//   TriplicityVariant, TermSystem, ReceptionSavesFromPeregrine (5 flags 0/1), OwnPlace
//   (0/1), Positions (codes or point names, at most 36), ReversedFortune (0/1),
//   RulershipScheme (record 1..5), HouseSystem, CuspOffsets (3), DegreeShift,
//   SectCondition, PeregrineWeight. Missing keys are 0 (RulershipScheme 1).
AlmutenScheme ParseAlmutenSchemeSource(std::string_view source);

}  // namespace korvana
