#include "core/astro/houses.h"

#include <algorithm>
#include <cmath>

#include "core/time/angle_math.h"

namespace korvana {

const std::array<std::string_view, HouseSystemCount + 1> HouseSystemNames = {
    "",
    "Campanus", "Koch", "Meridian", "Morinus", "Placidus", "Porphyry", "Regiomontanus",
    "Topocentric", "Equal", "Zero Aries", "Solar Sign", "Sun on 1st", "Moon on 1st",
    "Mercury on 1st", "Venus on 1st", "Mars on 1st", "Jupiter on 1st", "Saturn on 1st",
    "Uranus on 1st", "Neptune on 1st", "Pluto on 1st", "Node on 1st", "Vertex on 7th",
    "EP on 1st", "MC on 10th", "Whole Sign", "Bhava", "Alcabitius", "PF on 1st",
    "Asc in 1st", "Composite"};

std::string_view HouseSystemName(int code) {
  return code >= 1 && code <= HouseSystemCount ? HouseSystemNames[code] : "";
}

bool IsQuadrantSystem(int code) {
  return (code >= HousesCampanus && code <= HousesTopocentric) || code == HousesBhava ||
         code == HousesAlcabitius;
}

namespace {

// A quadrant formula that has no solution at this place and moment.
struct HouseFailure {};

double Checked(double x) {
  if (!std::isfinite(x)) throw HouseFailure{};
  return x;
}

double AsinDeg(double x) {
  if (!(std::fabs(x) <= 1.0 + 1e-12)) throw HouseFailure{};
  return RadToDeg(std::asin(std::clamp(x, -1.0, 1.0)));
}

double AcosDeg(double x) {
  if (!(std::fabs(x) <= 1.0 + 1e-12)) throw HouseFailure{};
  return RadToDeg(std::acos(std::clamp(x, -1.0, 1.0)));
}

double Norm(double x) { return ModReal(360, Checked(x)); }

// The eastern ecliptic point of the great circle through the north and south points
// whose pole has the height `pole`, when the equator point 90 degrees east of the
// circle's meridian has right ascension h (h = RAMC + 90 gives the Ascendant).
double AscOfPole(double h, double obliquity, double pole) {
  double y = SinDeg(h);
  double x = CosDeg(h) * CosDeg(obliquity) - SinDeg(obliquity) * TanDeg(pole);
  if (x == 0.0 && y == 0.0) throw HouseFailure{};
  return Norm(RadToDeg(std::atan2(y, x)));
}

using Cusps = std::array<double, 13>;

void Opposites(Cusps& c, std::initializer_list<int> of) {
  for (int i : of) c[i > 6 ? i - 6 : i + 6] = ModReal(360, c[i] + 180);
}

Cusps Campanus(double ramc, double eps, double phi) {
  Cusps c{};
  for (int i : {10, 11, 12, 1, 2, 3}) {
    double a = 30.0 * i + 60.000001;
    double pole = AsinDeg(SinDeg(phi) * SinDeg(a));
    // The circle's meridian lies atan(cot a / cos phi) west of the east point's hour.
    double offset = RadToDeg(std::atan(CosDeg(a) / (SinDeg(a) * CosDeg(phi))));
    c[i] = AscOfPole(ramc + 90 - Checked(offset), eps, pole);
  }
  Opposites(c, {10, 11, 12, 1, 2, 3});
  return c;
}

Cusps MeridianOrMorinus(double ramc, double eps, bool morinus) {
  Cusps c{};
  for (int i = 1; i <= 12; ++i) {
    double h = ramc + 30.0 * i + 60;
    double y = morinus ? SinDeg(h) * CosDeg(eps) : SinDeg(h);
    double x = morinus ? CosDeg(h) : CosDeg(h) * CosDeg(eps);
    c[i] = Norm(RadToDeg(ArcTan2(y, x)));
  }
  return c;
}

Cusps Regiomontanus(double ramc, double eps, double phi) {
  Cusps c{};
  for (int i : {11, 12, 1, 2, 3}) {
    double h = ramc + 30.0 * i + 60;
    double pole = RadToDeg(std::atan(TanDeg(phi) * SinDeg(30.0 * i + 60)));
    c[i] = AscOfPole(h, eps, pole);
  }
  c[10] = LongitudeOfRightAscension(ramc, eps);
  Opposites(c, {10, 11, 12, 1, 2, 3});
  return c;
}

Cusps Topocentric(double ramc, double eps, double phi, double asc, double mc) {
  Cusps c{};
  double p1 = RadToDeg(std::atan(TanDeg(phi) / 3));
  double p2 = RadToDeg(std::atan(TanDeg(phi) * 2 / 3));
  c[10] = mc;
  c[11] = AscOfPole(ramc + 30, eps, p1);
  c[12] = AscOfPole(ramc + 60, eps, p2);
  c[1] = asc;
  c[2] = AscOfPole(ramc + 120, eps, p2);
  c[3] = AscOfPole(ramc + 150, eps, p1);
  Opposites(c, {10, 11, 12, 1, 2, 3});
  return c;
}

// One Placidus cusp: the ecliptic point whose hour angle is the given fraction of its
// semi-arc, found by refining the pole height ten times.
double PlacidusCusp(double h, double eps, double phi, double divisor, double startPole) {
  double cusp = AscOfPole(h, eps, startPole);
  for (int n = 0; n < 10; ++n) {
    double tanDecl = TanDeg(AsinDeg(SinDeg(eps) * SinDeg(cusp)));
    if (std::fabs(tanDecl) < 1e-15) return Norm(LongitudeOfRightAscension(h, eps));
    double pole = RadToDeg(std::atan(SinDeg(AsinDeg(TanDeg(phi) * tanDecl) / divisor) / tanDecl));
    cusp = AscOfPole(h, eps, pole);
  }
  return cusp;
}

Cusps Placidus(double ramc, double eps, double phi, double asc, double mc) {
  Cusps c{};
  double a = AsinDeg(TanDeg(phi) * TanDeg(eps));
  double p1 = RadToDeg(std::atan(SinDeg(a / 3) / TanDeg(eps)));
  double p2 = RadToDeg(std::atan(SinDeg(a * 2 / 3) / TanDeg(eps)));
  c[10] = mc;
  c[11] = PlacidusCusp(ramc + 30, eps, phi, 3, p1);
  c[12] = PlacidusCusp(ramc + 60, eps, phi, 1.5, p2);
  c[1] = asc;
  c[2] = PlacidusCusp(ramc + 120, eps, phi, 1.5, p2);
  c[3] = PlacidusCusp(ramc + 150, eps, phi, 3, p1);
  Opposites(c, {10, 11, 12, 1, 2, 3});
  c[4] = ModReal(360, mc + 180);
  return c;
}

Cusps Koch(double ramc, double eps, double phi, double asc, double mc) {
  Cusps c{};
  double declMc = AsinDeg(SinDeg(eps) * SinDeg(mc));
  double k = AcosDeg(-TanDeg(phi) * TanDeg(declMc)) / 3;
  c[10] = mc;
  c[11] = AscendantOf(ramc - 2 * k, eps, phi);
  c[12] = AscendantOf(ramc - k, eps, phi);
  c[1] = asc;
  c[2] = AscendantOf(ramc + k, eps, phi);
  c[3] = AscendantOf(ramc + 2 * k, eps, phi);
  Opposites(c, {10, 11, 12, 1, 2, 3});
  return c;
}

Cusps Porphyry(double asc, double mc) {
  Cusps c{};
  double ic = ModReal(360, mc + 180);
  double dsc = ModReal(360, asc + 180);
  double q = ModReal(360, ic - asc);     // Ascendant to IC
  double r = ModReal(360, dsc - ic);     // IC to Descendant
  c[1] = asc;
  c[2] = ModReal(360, asc + q / 3);
  c[3] = ModReal(360, asc + 2 * q / 3);
  c[4] = ic;
  c[5] = ModReal(360, ic + r / 3);
  c[6] = ModReal(360, ic + 2 * r / 3);
  Opposites(c, {1, 2, 3, 4, 5, 6});
  return c;
}

Cusps Alcabitius(double ramc, double eps, double phi, double asc, double mc) {
  Cusps c{};
  double decl = AsinDeg(SinDeg(eps) * SinDeg(asc));
  double d = 90 + AsinDeg(TanDeg(decl) * TanDeg(phi));
  double n = 180 - d;
  c[7] = ModReal(360, asc + 180);
  c[10] = mc;
  c[11] = LongitudeOfRightAscension(ramc + d / 3, eps);
  c[12] = LongitudeOfRightAscension(ramc + 2 * d / 3, eps);
  c[9] = LongitudeOfRightAscension(ramc - n / 3, eps);
  c[8] = LongitudeOfRightAscension(ramc - 2 * n / 3, eps);
  Opposites(c, {7, 8, 9, 10, 11, 12});
  return c;
}

Cusps EqualFrom(double start) {
  Cusps c{};
  for (int i = 1; i <= 12; ++i) c[i] = ModReal(360, start + 30.0 * (i - 1));
  return c;
}

// The start longitude (cusp 1) of an equal-type system, in the chart's zodiac.
double EqualStart(int system, const std::array<PointPos, LastPoint + 1>& p) {
  switch (system) {
    case HousesZeroAries: return 0;
    case HousesSolarSign: return (SignOf(p[PointSun].Longitude) - 1) * 30.0;
    case HousesSunOn1st: return p[PointSun].Longitude;
    case HousesMoonOn1st: return p[PointMoon].Longitude;
    case HousesMercuryOn1st: case HousesVenusOn1st: case HousesMarsOn1st: case HousesJupiterOn1st:
    case HousesSaturnOn1st: case HousesUranusOn1st: case HousesNeptuneOn1st: case HousesPlutoOn1st:
      return p[PointMercury + (system - HousesMercuryOn1st)].Longitude;
    case HousesNodeOn1st: return p[PointNorthNode].Longitude;
    case HousesVertexOn7th: return p[PointVertex].Longitude + 180;
    case HousesEPOn1st: return p[PointEastPoint].Longitude;
    case HousesMCOn10th: return p[PointMidheaven].Longitude + 90;
    case HousesWholeSign: return (SignOf(p[PointAscendant].Longitude) - 1) * 30.0;
    case HousesPFOn1st: return p[PointPartOfFortune].Longitude;
    case HousesAscIn1st: return p[PointAscendant].Longitude - 15;
    default: return p[PointAscendant].Longitude;  // Equal
  }
}

struct CuspFlags {
  bool mc, asc;
};

CuspFlags FlagsOf(int system) {
  switch (system) {
    case HousesCampanus: case HousesKoch: case HousesPlacidus: case HousesPorphyry: case HousesRegiomontanus:
    case HousesTopocentric: case HousesAlcabitius:
      return {true, true};
    case HousesMeridian: case HousesMCOn10th: return {true, false};
    case HousesEqual: return {false, true};
    default: return {false, false};
  }
}

}  // namespace

double AscendantOf(double ramc, double obliquity, double phi) {
  double asc = Mod360(RadToDeg(ArcTan2(CosDeg(ramc), -SinDeg(ramc) * CosDeg(obliquity) -
                                                         SinDeg(obliquity) * TanDeg(phi))));
  // Inside the polar circles the arctangent can give the setting point of the ecliptic,
  // west of the Midheaven; the Ascendant is always the eastern one. Outside them the
  // formula already gives that point and this changes nothing.
  if (SignedMod(360, asc - LongitudeOfRightAscension(ramc, obliquity)) < 0) asc = ModReal(360, asc + 180);
  return asc;
}

double LongitudeOfRightAscension(double ra, double obliquity) {
  return ModReal(360, RadToDeg(ArcTan2(SinDeg(ra), CosDeg(ra) * CosDeg(obliquity))));
}

double VertexOf(double ramc, double obliquity, double phi) {
  if (phi == 0.0) return 90.0;
  double r = ramc + 180;
  double v = ModReal(360, RadToDeg(ArcTan2(CosDeg(r), -SinDeg(r) * CosDeg(obliquity) -
                                                         SinDeg(obliquity) / TanDeg(phi))));
  // Between the tropics the formula can return the eastern intersection (the
  // anti-vertex); the Vertex is the western one, west of the Midheaven.
  if (SignedMod(360, v - LongitudeOfRightAscension(ramc, obliquity)) > 0) v = ModReal(360, v + 180);
  return v;
}

double EastPointOf(double ramc, double obliquity) {
  return ModReal(360, RadToDeg(ArcTan2(CosDeg(ramc), -SinDeg(ramc) * CosDeg(obliquity))));
}

void ComputeHouses(ChartHouses& houses, const std::array<PointPos, LastPoint + 1>& points,
                   double zodiacOffset, double houseLatitude, double obliquity, double ramc) {
  int system = houses.HouseSystem;
  houses.RequestedSystem = houses.HouseSystem;
  if (system == HousesComposite) {
    houses.MCIsCusp10 = false;
    houses.AscIsCusp1 = false;
    houses.CuspsAsCast = houses.Cusps;
    return;
  }
  if (system < 1 || system > HouseSystemCount) system = HousesEqual;
  if ((system == HousesKoch || system == HousesPlacidus) &&
      std::fabs(houseLatitude) + obliquity > 89.99)
    system = HousesEqual;

  double phi = houseLatitude;
  double eps = obliquity;
  Cusps cusps{};
  bool turned = false;
  if (IsQuadrantSystem(system)) {
    // Quadrant systems work in tropical longitudes; the offset is added at the end.
    double asc = ModReal(360, points[PointAscendant].Longitude - zodiacOffset);
    double mc = ModReal(360, points[PointMidheaven].Longitude - zodiacOffset);
    try {
      // Inside the polar circles the horizon formula can give the setting point, west of
      // the Midheaven, where the Ascendant is the rising one. Campanus, Regiomontanus and
      // Topocentric then run clockwise from that western point; their whole circle is
      // turned by 180 degrees so that cusp 1 is the Ascendant (and cusp 10 the IC).
      bool turnable = system == HousesCampanus || system == HousesRegiomontanus || system == HousesTopocentric;
      double horizonPoint = turnable ? AscOfPole(ramc + 90, eps, phi) : asc;
      turned = std::fabs(SignedMod(360, horizonPoint - asc)) > 90;
      switch (system) {
        case HousesCampanus: cusps = Campanus(ramc, eps, phi); break;
        case HousesKoch: cusps = Koch(ramc, eps, phi, asc, mc); break;
        case HousesMeridian: cusps = MeridianOrMorinus(ramc, eps, false); break;
        case HousesMorinus: cusps = MeridianOrMorinus(ramc, eps, true); break;
        case HousesPlacidus: cusps = Placidus(ramc, eps, phi, asc, mc); break;
        case HousesPorphyry: cusps = Porphyry(asc, mc); break;
        case HousesRegiomontanus: cusps = Regiomontanus(ramc, eps, phi); break;
        case HousesTopocentric: cusps = Topocentric(ramc, eps, phi, horizonPoint, mc); break;
        case HousesAlcabitius: cusps = Alcabitius(ramc, eps, phi, asc, mc); break;
        case HousesBhava: {
          Cusps old = Porphyry(asc, mc);
          for (int i = 1; i <= 6; ++i) cusps[i] = MidPoint(old[i == 1 ? 12 : i - 1], old[i]);
          Opposites(cusps, {1, 2, 3, 4, 5, 6});
          break;
        }
      }
      const double turn = turned ? 180 : 0;
      for (int i = 1; i <= 12; ++i) cusps[i] = ModReal(360, Checked(cusps[i]) + turn + zodiacOffset);
    } catch (const HouseFailure&) {
      system = HousesEqual;
      turned = false;
    }
  }
  if (!IsQuadrantSystem(system)) cusps = EqualFrom(EqualStart(system, points));

  CuspFlags flags = FlagsOf(system);
  houses.HouseSystem = static_cast<std::uint8_t>(system);
  houses.Cusps = cusps;
  houses.CuspsAsCast = cusps;
  houses.MCIsCusp10 = flags.mc && !turned;
  houses.AscIsCusp1 = flags.asc;
}

void ComputeHouses(CalculatedChart& chart) {
  ComputeHouses(chart.Houses, chart.Points, chart.Moment.ZodiacOffset, chart.Moment.HouseLatitude,
                chart.Moment.Obliquity, chart.Moment.RAMC);
}

int HouseOf(const std::array<double, 13>& cusps, double longitude) {
  double d = ModReal(360, longitude - cusps[1]);
  for (int i = 2; i <= 12; ++i) {
    if (d < ModReal(360, cusps[i] - cusps[1])) return i - 1;
  }
  return 12;
}

}  // namespace korvana
