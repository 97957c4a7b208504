// The Swiss Ephemeris as the first calculation back end: the check that its data files
// are usable, the program-wide choice of back end, and single asteroid positions.
//
// The library keeps its data folder per thread; SwissEphemerisUsable sets it for the
// calling thread and UseSwissEphemerisInThisThread for any other.
#pragma once

#include <string>

#include "core/astro/calculated_chart.h"

namespace korvana {

// Where Debian's swe-basic-data (1800-2400) and swe-standard-data (5400 BC - 5400 AD)
// install the Swiss Ephemeris files. The build copies them into the "swisseph/" folder of
// the data template, so the default SwissEphemPath of a fresh data folder holds them.
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

// Where the library takes the positions of a moment from with the current data folder.
enum class EphemerisSource {
  Files,          // the Swiss Ephemeris files
  BuiltInTheory,  // its analytical theory: no file in the folder covers the moment
  None            // neither: the moment lies beyond what the library computes
};

// The source of the Moon at jdUT (Universal Time), asked of the library with the flags
// casting uses; the planets' files cover the same years as the Moon's.
EphemerisSource SwissSourceAt(double jdUT);

// The delta T (days) the library applies at jdUT when it computes from that source: its
// files and its built-in theory assume different tidal accelerations of the Moon, some 80
// seconds apart at the beginning of the era. None counts as Files.
double SwissDeltaT(double jdUT, EphemerisSource source);

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
