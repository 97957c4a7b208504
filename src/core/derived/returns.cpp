#include "core/derived/returns.h"

#include <swephexp.h>

#include <cmath>

#include "core/astro/ephemeris.h"
#include "core/astro/zodiac.h"
#include "core/config/program_settings.h"
#include "core/time/angle_math.h"
#include "core/time/date_time_rec.h"
#include "core/time/instant.h"
#include "core/time/zone_in_force.h"

namespace korvana {
namespace {

constexpr double MoonPeriodDays = 27.32158648147;
constexpr double TropicalYearDays = 365.24219;
constexpr int MaxSteps = 20;
constexpr double LargeAngle = 20.0;  // beyond it the search steps by the mean cycle
constexpr double MaxAccuracySeconds = 43200.0;

// The zodiac offset of a sidereal zodiac at a moment, for the precession correction:
// the draconic zodiac counts from the Swiss Ephemeris node of the chart's kind, the
// others drift with the precession from their 1900 position.
double CorrectionOffset(const ChartRecord& chart, double jdUT, double userSvp) {
  if (chart.Zodiac == ZodiacDraconic) {
    double xx[6] = {0, 0, 0, 0, 0, 0};
    char serr[AS_MAXCH] = "";
    if (swe_calc_ut(jdUT, chart.MeanNode ? SE_MEAN_NODE : SE_TRUE_NODE, 0, xx, serr) < 0)
      throw EReturnError(ReturnOutOfRangeMessage);
    return ModReal(360, -xx[0]);
  }
  TInstant instant;
  instant.SetUT(jdUT);
  return ZodiacOffset(chart.Zodiac, chart.MeanNode, instant.ZodiacDrift(), instant.T1900, userSvp);
}

bool UsesSwiss(const CastOptions& options) {
  return options.Backend == CalcBackend::Swiss ||
         (options.Backend == CalcBackend::Automatic && SwissEphemerisInUse());
}

// One trial of the search: the body's position and the target at jd.
struct Trial {
  PointPos body;
  double target = 0;
};

class ReturnSearcher {
 public:
  ReturnSearcher(const ChartRecord& chart, double target, double natalJD, ReturnKind kind,
                 const ReturnOptions& options)
      : chart_(chart), target_(target), body_(ReturnBody(kind)), options_(options) {
    corrected_ = options.precessionCorrected && chart.Zodiac != ZodiacTropical;
    if (corrected_) natalOffset_ = CorrectionOffset(chart, natalJD, options.cast.UserSVP);
  }

  Trial At(double jd) {
    CastOptions cast = options_.cast;
    cast.AtJDUT = jd;
    CalculatedChart c;
    try {
      c = CastChart(chart_, cast);
    } catch (const ECastError& e) {
      if (std::string(e.what()) == OutsideEphemerisMessage) throw EReturnError(ReturnOutOfRangeMessage);
      throw;
    } catch (const EDateRangeError&) {
      throw EReturnError(ReturnOutOfRangeMessage);
    }
    ++casts_;
    Trial t{c.Point(body_), target_};
    if (!t.body.Computed()) throw EReturnError(ReturnOutOfRangeMessage);
    // The target moves with the zodiac, so that the body returns to its natal place
    // among the stars of the tropical zodiac it is measured from.
    if (corrected_) t.target = ModReal(360, target_ + SignedMod(360, CorrectionOffset(chart_, jd, options_.cast.UserSVP) - natalOffset_));
    return t;
  }

  int casts() const { return casts_; }

 private:
  const ChartRecord& chart_;
  double target_;
  int body_;
  const ReturnOptions& options_;
  bool corrected_ = false;
  double natalOffset_ = 0;
  int casts_ = 0;
};

// The angle the body has still to travel from the start for the chosen return: forward
// in time, backward, or the shorter of the two; converse searches turn time round.
double StartAngle(double forward, ReturnWhich which, bool backwards) {
  const double backward = forward == 0 ? 0 : forward - 360;
  switch (which) {
    case ReturnWhich::Next: return backwards ? backward : forward;
    case ReturnWhich::Current: return backwards ? forward : backward;
    case ReturnWhich::Nearest: break;
  }
  return std::fabs(forward) <= std::fabs(backward) ? forward : backward;
}

}  // namespace

int ReturnBody(ReturnKind kind) { return kind == ReturnLunar ? PointMoon : PointSun; }

double ReturnPeriodDays(ReturnKind kind) { return kind == ReturnLunar ? MoonPeriodDays : TropicalYearDays; }

ReturnOptions ReturnOptionsFrom(const ProgramSettings& settings) {
  ReturnOptions o;
  o.converse = settings.Converse;
  o.precessionCorrected = settings.PrecCorr;
  o.geocentricLat = settings.GeocentricLat;
  o.cast = CastOptionsFrom(settings);
  return o;
}

ReturnSearch FindReturnMoment(const ChartRecord& chart, double target, double natalJD, double startJD,
                              ReturnKind kind, ReturnWhich which, bool backwards, const ReturnOptions& options) {
  ReturnSearcher searcher(chart, target, natalJD, kind, options);
  const double period = ReturnPeriodDays(kind);
  const Trial start = searcher.At(startJD);
  const double chosen = StartAngle(ModReal(360, start.target - start.body.Longitude), which, backwards);

  auto found = [&](double jd, const Trial& t, int attempt) {
    ReturnSearch s;
    s.jdUT = jd;
    s.speed = t.body.LongitudeSpeed;
    s.longitude = t.body.Longitude;
    s.target = t.target;
    s.casts = searcher.casts();
    s.attempts = attempt;
    return s;
  };
  if (std::fabs(chosen) <= ReturnTolerance) return found(startJD, start, 1);

  // A run that does not settle is tried again with smaller, then larger steps.
  constexpr double Scales[] = {1.0, 0.5, 2.0};
  for (int attempt = 0; attempt < 3; ++attempt) {
    const double scale = Scales[attempt];
    double jd = startJD;
    double delta = chosen;
    double speed = start.body.LongitudeSpeed * scale;
    for (int step = 0; step < MaxSteps; ++step) {
      if (std::fabs(delta) > LargeAngle)
        jd += 0.9 * period * scale * delta / 360.0;
      else if (speed != 0)
        jd += delta / speed;
      else
        break;
      const Trial t = searcher.At(jd);
      speed = t.body.LongitudeSpeed * scale;
      delta = SignedMod(360, t.target - t.body.Longitude);
      if (std::fabs(delta) <= ReturnTolerance) return found(jd, t, attempt + 1);
    }
  }
  throw EReturnError(ReturnNonConvergenceMessage);
}

double ReturnAccuracySeconds(ReturnKind kind, bool swiss, int year, double speed) {
  double arcseconds;
  if (!swiss)
    arcseconds = kind == ReturnLunar ? 10.0 : 0.8;
  else if (std::abs(year - 2000) <= 20)
    arcseconds = 0.01;
  else if (kind == ReturnSolar)
    arcseconds = year >= 1600 && year <= 2051 ? 0.1 : 0.3;
  else
    arcseconds = 3.0 * std::min(1.0, std::abs(year - 1960) / 200.0);
  if (speed == 0) return MaxAccuracySeconds;
  return std::min(MaxAccuracySeconds, arcseconds * 24.0 / std::fabs(speed));
}

ReturnResult CastReturn(const CalculatedChart& natal, const ChartRecord& base, ReturnKind kind, ReturnWhich which,
                        const ReturnOptions& options) {
  const int body = ReturnBody(kind);
  ChartRecord r = natal.Chart;
  r.Place = base.Place;
  r.Country = base.Country;
  r.ZoneHours = base.ZoneHours;
  r.ZoneAbbrev = base.ZoneAbbrev;
  r.Latitude = base.Latitude;
  r.Longitude = base.Longitude;
  r.GeocentricLat = options.geocentricLat;
  r.EventKind = EventEvent;
  r.ChartType = ChartTypeReturn;
  r.ChartSubType = kind;
  r.ChartTypeParam = body;

  ReturnOptions search = options;
  search.cast.HouseSystem = natal.Houses.HouseSystem;
  ReturnResult result;
  try {
    TLocalInstant baseInstant;
    baseInstant.SetLocal(base.Moment, "", 0, base.ZoneHours);
    const double natalJD = natal.Moment.JDUT;
    const double startJD = options.converse ? 2 * natalJD - baseInstant.JDUT : baseInstant.JDUT;
    result.search = FindReturnMoment(r, natal.Longitude(body), natalJD, startJD, kind, which, options.converse, search);
    const double jd = result.search.jdUT;
    if (!options.ianaZone.empty()) {
      if (auto zone = ZoneInForceAtUniversal(options.ianaZone, JDToDateRec(calGregorian, jd), base.Longitude)) {
        r.ZoneHours = static_cast<float>(zone->hours);
        r.ZoneAbbrev = zone->abbreviation.substr(0, ChartZoneAbbrevLength);
      }
    }
    // JDToDateRec cuts to the second after adding a tenth: 0.4 s more rounds.
    r.Moment = JDToDateRec(calAuto, jd - static_cast<double>(r.ZoneHours) / 24.0 + 0.4 / 86400.0);
    CastOptions cast = search.cast;
    cast.AtJDUT = jd;
    result.chart = CastChart(r, cast);
    result.accuracySeconds = ReturnAccuracySeconds(kind, UsesSwiss(options.cast), JDToDateRec(calAuto, jd).Year,
                                                   result.search.speed);
  } catch (const EDateRangeError&) {
    throw EReturnError(ReturnOutOfRangeMessage);
  }
  return result;
}

}  // namespace korvana
