#include "core/astro/ephemeris.h"

#include <swephexp.h>

#include "core/time/angle_math.h"

namespace korvana {

const char* const SystemSwissEphemerisFolder = "/usr/share/libswe/ephe/";

namespace {
bool swissInUse = false;

std::string& SwissFolder() {
  static std::string folder;
  return folder;
}
}  // namespace

bool SwissEphemerisUsable(const std::string& path) {
  SwissFolder() = path;
  swe_set_ephe_path(path.c_str());
  bool usable = !path.empty();
  for (int body : {SE_MOON, SE_MARS}) {
    double xx[6] = {0, 0, 0, 0, 0, 0};
    char serr[AS_MAXCH] = "";
    std::int32_t flags = swe_calc_ut(2451545.0, body, SEFLG_SWIEPH, xx, serr);
    // Without its file the library answers from its own theory and says so in the flags.
    if (flags < 0 || (flags & SEFLG_SWIEPH) == 0) usable = false;
  }
  swissInUse = usable;
  return usable;
}

void UseSwissEphemerisInThisThread() { swe_set_ephe_path(SwissFolder().c_str()); }

bool SwissEphemerisInUse() { return swissInUse; }
void SetSwissEphemerisInUse(bool inUse) { swissInUse = inUse; }

EphemerisSource SwissSourceAt(double jdUT) {
  double xx[6] = {0, 0, 0, 0, 0, 0};
  char serr[AS_MAXCH] = "";
  std::int32_t flags = swe_calc_ut(jdUT, SE_MOON, SEFLG_SPEED, xx, serr);
  if (flags < 0) return EphemerisSource::None;
  return (flags & SEFLG_SWIEPH) != 0 ? EphemerisSource::Files : EphemerisSource::BuiltInTheory;
}

double SwissDeltaT(double jdUT, EphemerisSource source) {
  char serr[AS_MAXCH] = "";
  return swe_deltat_ex(jdUT, source == EphemerisSource::BuiltInTheory ? SEFLG_MOSEPH : SEFLG_SWIEPH, serr);
}

std::string SwissEphemerisVersion() {
  char text[AS_MAXCH] = "";
  swe_version(text);
  return text;
}

AsteroidResult ComputeAsteroid(int number, double zodiacOffset, double jdUT) {
  AsteroidResult r;
  double xx[6] = {0, 0, 0, 0, 0, 0};
  char serr[AS_MAXCH] = "";
  if (number <= 0 || number > 1000000) {
    r.error = "Invalid asteroid number " + std::to_string(number);
    return r;
  }
  if (swe_calc_ut(jdUT, number + SE_AST_OFFSET, SEFLG_SPEED, xx, serr) < 0) {
    r.error = serr;
    return r;
  }
  r.position = {Mod360(xx[0] + zodiacOffset), xx[1], xx[2], xx[3], xx[4], xx[5]};
  return r;
}

}  // namespace korvana
