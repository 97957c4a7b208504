// The ten zodiacs: tropical, seven sidereal zodiacs with a fixed position of the
// sidereal vernal point on 1 January 1900, a user-defined one and the draconic zodiac
// that counts from the lunar node. A zodiac is applied as an offset added to every
// tropical longitude of a chart.
#pragma once

#include <array>
#include <string_view>

namespace korvana {

enum ZodiacCode : int {
  ZodiacTropical = 0, ZodiacFaganAllen = 1, ZodiacLahiri = 2, ZodiacDeLuce = 3, ZodiacRaman = 4,
  ZodiacUshaShashi = 5, ZodiacKrishnamurti = 6, ZodiacDjwhalKhul = 7, ZodiacDraconic = 8, ZodiacUserDefined = 9
};
constexpr int ZodiacCount = 10;

// "Tropical", "Fagan-Allen", "Lahiri", "DeLuce", "Raman", "UshaShashi", "Krishnamurti",
// "Djwhal Khul", "Draconic", "User Defined".
extern const std::array<std::string_view, ZodiacCount> ZodiacNames;
// The name of a zodiac code; "Tropical" for a code outside 0..9.
std::string_view ZodiacName(int zodiac);

// The position of the sidereal vernal point on 1 January 1900 of the sidereal zodiacs
// 1..7 (degrees); 0 for the others.
double ZodiacSvp1900(int zodiac);

// Degrees to add to tropical longitudes: 0 for the tropical zodiac (and any code outside
// 0..9); ModReal(360, SVP + drift) for the sidereal zodiacs, with userSvp for code 9;
// ModReal(360, -node) for the draconic zodiac, node being the mean or the true lunar
// node at t1900 (Julian centuries since 1900, Ephemeris Time). drift is the zodiac drift
// of the moment (TInstant::ZodiacDrift).
double ZodiacOffset(int zodiac, bool meanNode, double drift, double t1900, double userSvp = 0.0);

// The tropical longitude of the mean or true lunar node at t1900 as the own back end
// computes it (no data files needed), so that its node reads exactly 0 in the draconic
// zodiac.
double LunarNodeLongitude(bool meanNode, double t1900);

// Moves a longitude given for an epoch year to the date of the Julian day jd (Ephemeris
// Time): Mod360(longitude - (drift(T(jd)) - drift((epochYear - 1900) / 100))).
double PrecessLongitude(double epochYear, double jd, double longitude);

}  // namespace korvana
