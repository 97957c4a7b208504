#include "core/config/about.h"

// The build defines the version from the project's; a target built outside it (a fuzz
// entry compiled on its own) says so.
#ifndef KORVANA_VERSION
#define KORVANA_VERSION "(development build)"
#endif

namespace korvana {

namespace {

constexpr const char* Credits[] = {
    "Place names, coordinates and zones: GeoNames (https://www.geonames.org/), licensed under "
    "Creative Commons Attribution 4.0 (CC BY 4.0).",
    "Country names: Debian's iso-codes.",
    "Positions of the planets and asteroids: the Swiss Ephemeris of Astrodienst AG.",
    "Zone history: the IANA time zone database, read through cctz.",
};

}  // namespace

const char* ProgramVersion() { return KORVANA_VERSION; }

std::string AboutText() {
  std::string text = std::string("Korvana ") + ProgramVersion() + "\nAstrological reports.\n";
  for (const char* credit : Credits) text += std::string("\n") + credit;
  return text + "\n";
}

}  // namespace korvana
