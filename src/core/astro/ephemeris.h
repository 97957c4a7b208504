// The Swiss Ephemeris as the first calculation back end: the check that its data files
// are usable, the program-wide choice of back end, and single asteroid positions.
//
// The library keeps its data folder per thread; SwissEphemerisUsable sets it for the
// calling thread and UseSwissEphemerisInThisThread for any other.
#pragma once

#include <string>

#include "core/astro/calculated_chart.h"

namespace korvana {

// Where Debian's swe-basic-data installs the Swiss Ephemeris files. The build copies
// them into the "swisseph/" folder of the data template, so the default SwissEphemPath
// of a fresh data folder holds them.
extern const char* const SystemSwissEphemerisFolder;

// Sets the library's data folder to `path` and tells whether the files there really
// serve a calculation: the Moon and Mars at J2000 (inside the 1800-2400 files) must come
// back computed from the files, not from the library's built-in theory, to which it
// quietly falls back when a file is missing. The result also becomes the program-wide
// choice of back end (SwissEphemerisInUse).
bool SwissEphemerisUsable(const std::string& path);

// Gives the calling thread the data folder of the last SwissEphemerisUsable: a thread
// that casts charts beside the one that checked the files calls it first.
void UseSwissEphemerisInThisThread();

// The program-wide back end choice made by the last SwissEphemerisUsable (false before).
bool SwissEphemerisInUse();
void SetSwissEphemerisInUse(bool inUse);

// The library's version text.
std::string SwissEphemerisVersion();

struct AsteroidResult {
  PointPos position;  // Longitude -1 when the calculation failed
  std::string error;  // the library's error text on failure, else ""
};

// The position of the asteroid with the given catalogue number at jdUT (one library
// call for body number + 10000 with speeds), Longitude in the zodiac of zodiacOffset.
// Needs the asteroid's file (se?????s.se1, in the data folder or its "astN/" folder).
AsteroidResult ComputeAsteroid(int number, double zodiacOffset, double jdUT);

}  // namespace korvana
