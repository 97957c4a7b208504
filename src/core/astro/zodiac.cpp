#include "core/astro/zodiac.h"

#include "core/astro/own_backend.h"
#include "core/time/instant.h"
#include "core/time/angle_math.h"

namespace korvana {

const std::array<std::string_view, ZodiacCount> ZodiacNames = {
    "Tropical",     "Fagan-Allen", "Lahiri",   "DeLuce",      "Raman", "UshaShashi",
    "Krishnamurti", "Djwhal Khul", "Draconic", "User Defined"};

std::string_view ZodiacName(int zodiac) {
  return zodiac >= 0 && zodiac < ZodiacCount ? ZodiacNames[zodiac] : ZodiacNames[0];
}

double ZodiacSvp1900(int zodiac) {
  static constexpr double svp[8] = {0.0,      336.6560694, 337.53953,  333.58695,
                                    338.98556, 341.33904,  337.636111, 333.0369024};
  return zodiac >= 1 && zodiac <= 7 ? svp[zodiac] : 0.0;
}

double LunarNodeLongitude(bool meanNode, double t1900) {
  return OwnNodeLongitude(meanNode, 2415020.0 + t1900 * 36525.0);
}

double ZodiacOffset(int zodiac, bool meanNode, double drift, double t1900, double userSvp) {
  switch (zodiac) {
    case ZodiacFaganAllen: case ZodiacLahiri: case ZodiacDeLuce: case ZodiacRaman: case ZodiacUshaShashi:
    case ZodiacKrishnamurti: case ZodiacDjwhalKhul:
      return ModReal(360, ZodiacSvp1900(zodiac) + drift);
    case ZodiacUserDefined:
      return ModReal(360, userSvp + drift);
    case ZodiacDraconic:
      return ModReal(360, -LunarNodeLongitude(meanNode, t1900));
    default:
      return 0.0;
  }
}

double PrecessLongitude(double epochYear, double jd, double longitude) {
  TInstant atDate;
  atDate.SetEphemeris(jd);
  TInstant atEpoch;
  // The epoch as Ephemeris Time: T1900 = (epochYear - 1900) / 100.
  atEpoch.SetEphemeris(2415020.0 + (epochYear - 1900.0) / 100.0 * 36525.0);
  return Mod360(longitude - (atDate.ZodiacDrift() - atEpoch.ZodiacDrift()));
}

}  // namespace korvana
