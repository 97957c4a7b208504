#include "core/time/instant.h"

#include <langinfo.h>
#include <locale.h>
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <string_view>

#include "core/time/entry_parsing.h"
#include "core/time/angle_math.h"

namespace korvana {

namespace {

// Delta T in tenths of a second for every second year from 1620 (entry 0) to 2018.
constexpr std::array<std::int16_t, 200> DeltaTTable = {
    1240, 1150, 1060, 980, 910, 850, 790, 740, 700, 650, 620, 580, 550, 530, 500, 480, 460,
    440,  420,  400,  370, 350, 330, 310, 280, 260, 240, 220, 200, 180, 160, 140, 130, 120,
    110,  100,  90,   90,  90,  90,  90,  90,  90,  90,  100, 100, 100, 100, 100, 110, 110,
    110,  110,  110,  110, 110, 110, 120, 120, 120, 120, 120, 130, 130, 130, 130, 140, 140,
    140,  150,  150,  150, 150, 160, 160, 160, 160, 160, 170, 170, 170, 170, 170, 170, 170,
    170,  160,  160,  150, 140, 137, 131, 127, 125, 125, 125, 125, 125, 125, 123, 120, 114,
    106,  96,   86,   75,  66,  60,  57,  56,  57,  59,  62,  65,  68,  71,  73,  75,  77,
    78,   79,   75,   64,  54,  29,  16,  -10, -27, -36, -47, -54, -52, -55, -56, -58, -59,
    -62,  -64,  -61,  -47, -27, 0,   26,  54,  77,  105, 134, 160, 182, 202, 212, 224, 235,
    239,  243,  240,  239, 239, 237, 240, 243, 253, 262, 273, 282, 291, 300, 307, 314, 322,
    331,  340,  350,  365, 383, 402, 422, 445, 465, 485, 505, 522, 538, 549, 558, 569, 580,
    600,  616,  630,  638, 655, 670, 690, 710, 730, 750, 770, 790, 810};

// The user's LC_TIME locale, read without changing the process locale.
class UserTimeLocale {
 public:
  UserTimeLocale() : loc_(newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0))) {}
  ~UserTimeLocale() {
    if (loc_) freelocale(loc_);
  }
  UserTimeLocale(const UserTimeLocale&) = delete;
  UserTimeLocale& operator=(const UserTimeLocale&) = delete;
  std::string Item(nl_item item) const {
    if (!loc_) return {};
    const char* s = nl_langinfo_l(item, loc_);
    return s ? s : "";
  }

 private:
  locale_t loc_;
};

}  // namespace

TDTDisplayOptions SystemDisplayOptions() {
  TDTDisplayOptions options;
  UserTimeLocale locale;
  std::string dateFormat = locale.Item(D_FMT);
  // "%m/%d/%y": the first conversion names the month.
  std::size_t pos = dateFormat.find('%');
  options.MonthFirst = pos != std::string::npos && pos + 1 < dateFormat.size() &&
                       (dateFormat[pos + 1] == 'm' || dateFormat[pos + 1] == 'b' ||
                        dateFormat[pos + 1] == 'B');
  std::string timeFormat = locale.Item(T_FMT);
  options.Time.Use24Hour = timeFormat.find("%p") == std::string::npos &&
                           timeFormat.find("%P") == std::string::npos &&
                           timeFormat.find("%r") == std::string::npos &&
                           timeFormat.find("%I") == std::string::npos;
  return options;
}

std::string TADate::Text(bool withYear) const {
  DateTimeRec rec = rec_;
  bool gregorian = IsGregorianDate(rec);
  std::string calendarMark;
  if (options_.MarkFromYear <= rec.Year && rec.Year <= options_.MarkToYear)
    calendarMark = gregorian ? " NS" : " OS";
  if (options_.ConvertToRequested) {
    if (rec.Calendar == calJulian && gregorian) {
      rec = ConvertCalendar(rec, calGregorian);
      calendarMark = " OS";
    } else if (rec.Calendar == calGregorian && !gregorian) {
      rec = ConvertCalendar(rec, calJulian);
      calendarMark = " NS";
    }
  }
  std::string month;
  if (rec.Month >= 1 && rec.Month <= 12) {
    month = MonthAbbrevs[rec.Month - 1];
    if (options_.SystemMonthNames) {
      std::string system = UserTimeLocale().Item(static_cast<nl_item>(ABMON_1 + rec.Month - 1));
      if (!system.empty()) month = system;
    }
  } else {
    month = std::to_string(rec.Month);
  }
  std::string day = std::to_string(rec.Day);
  std::string text = options_.MonthFirst ? month + " " + day : day + " " + month;
  if (withYear) {
    int year = rec.Year > 0 ? rec.Year : 1 - rec.Year;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", year);
    text += std::string(" ") + buf + (rec.Year > 0 ? "" : " BC") + calendarMark;
  }
  return text;
}

std::string TATime::Text() const {
  const TDTDisplayOptionsTime& t = options_.Time;
  int hour = rec_.Hour;
  if (!t.Use24Hour && hour >= 13) hour -= 12;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%02d", hour, rec_.Minute);
  std::string text = buf;
  if (t.ShowSeconds) {
    std::snprintf(buf, sizeof buf, ":%02d", rec_.Second);
    text += buf;
  }
  if (!t.Use24Hour) text += " " + (rec_.Hour < 12 ? t.AmText : t.PmText);
  return text;
}

double DeltaTBuiltInSeconds(double t) {
  double y = 100 * t + 2000;
  if (y > 2020) return 102.3 + 123.5 * t + 32.5 * t * t;
  if (y >= 1620) {
    int k = static_cast<int>(std::trunc((y - 1620) / 2)) + 1;
    if (k > 199) k = 199;
    double f = (y - 1620) / 2 - (k - 1);
    return (DeltaTTable[k - 1] + f * (DeltaTTable[k] - DeltaTTable[k - 1])) / 10;
  }
  if (y >= 948) return 50.6 + 67.5 * t + 22.5 * t * t;
  return 2715.6 + 573.36 * t + 46.5 * t * t;
}

double DeltaTDays(double t2000, bool useEphemerisLibrary) {
  if (useEphemerisLibrary) return swe_deltat(t2000 * 36525 + 2451545);
  return DeltaTBuiltInSeconds(t2000) / 86400;
}

void TInstant::SetFromEphemeris() {
  T1900 = (JDEphem - 2415020) / 36525;
  T2000 = (JDEphem - 2451545) / 36525;
  T2000Millennia = T2000 / 10;
}

void TInstant::SetEphemeris(double jd) {
  JDEphem = jd;
  SetFromEphemeris();
  DeltaT = DeltaTDays(T2000);
  JDUT = JDEphem - DeltaT;
  UTDate = JDToDateRec(calAuto, JDUT);
}

void TInstant::SetUT(double jd) {
  JDUT = jd;
  UTDate = JDToDateRec(calAuto, JDUT);
  DeltaT = DeltaTDays((jd - 2451545) / 36525);
  JDEphem = jd + DeltaT;
  SetFromEphemeris();
}

void TInstant::SetDeltaT(double deltaT) {
  DeltaT = deltaT;
  JDEphem = JDUT + DeltaT;
  SetFromEphemeris();
}

NutationValues TInstant::Nutation() const {
  // The main-term formula with its time argument in centuries from J2000.
  return korvana::Nutation(T2000 + 1);
}

double TInstant::TrueObliquity() const {
  if (UseEphemerisLibrary) {
    double xx[6] = {0, 0, 0, 0, 0, 0};
    char serr[AS_MAXCH] = "";
    swe_calc(JDEphem, SE_ECL_NUT, 0, xx, serr);
    return xx[0];
  }
  double u = T2000 / 100;
  static const double coefficients[] = {-4680.93, -1.55, 1999.25, -51.38, -249.67,
                                        -39.05,   7.12,  27.87,   5.79,   2.45};
  double sum = 0;
  double power = 1;
  for (double c : coefficients) {
    power *= u;
    sum += c * power;
  }
  return 23.43929111 + sum / 3600 + Nutation().deltaEpsilon;
}

double TInstant::ZodiacDrift() const {
  double t = T1900;
  double omega = Mod360((933060 - 6962911 * t + 7.5 * t * t) / 3600);
  return (17.23 * SinDeg(omega) + 1.27 * SinDeg((259205536 * t + 2013816) / 3600) -
          (5025.64 * t + 1.11 * t * t)) /
         3600;
}

void TLocalInstant::SetUTLocal(double jd) {
  SetUT(jd);
  LocalJD = jd - static_cast<double>(ZoneHours) / 24;
  LocalDate = JDToDateRec(calAuto, LocalJD);
}

void TLocalInstant::SetLocal(const DateTimeRec& rec, const std::string& zoneAbbrev,
                             std::uint8_t zoneType, float zoneHours) {
  ZoneAbbrev = zoneAbbrev;
  ZoneType = zoneType;
  ZoneHours = zoneHours;
  Zone.Abbrev = zoneAbbrev;
  Zone.ZoneType = zoneType;
  Zone.Hours = zoneHours;
  LocalDate = rec;
  LocalJD = DateRecToJD(rec, IsGregorianDate(rec));
  SetUTLocal(LocalJD + static_cast<double>(zoneHours) / 24);
  LocalDate.Calendar = rec.Calendar;
}

void TLocalInstant::SetLocalJD(float zoneHours, double localJD) {
  ZoneHours = zoneHours;
  Zone.Hours = zoneHours;
  SetUTLocal(localJD + static_cast<double>(zoneHours) / 24);
}

void TLocalInstant::Add(int unit, std::int16_t amount) {
  switch (unit) {
    case 0:
    case 1: {
      DateTimeRec rec = LocalDate;
      long year = rec.Year;
      if (unit == 0) {
        year += amount;
      } else {
        long months = static_cast<long>(rec.Month) - 1 + amount;
        long carry = months >= 0 ? months / 12 : -((11 - months) / 12);
        year += carry;
        rec.Month = static_cast<std::uint8_t>(months - carry * 12 + 1);
      }
      if (year < -32768 || year > 32767)
        throw EDateRangeError("Date out of range: the year does not fit the date record");
      rec.Year = static_cast<std::int16_t>(year);
      SetLocal(rec, ZoneAbbrev, ZoneType, ZoneHours);
      break;
    }
    case 2: SetUTLocal(JDUT + amount); break;
    case 3: SetUTLocal(JDUT + amount / 24.0); break;
    case 4: SetUTLocal(JDUT + amount / 1440.0); break;
    case 5: SetUTLocal(JDUT + amount / 86400.0); break;
    default: break;
  }
}

std::string TLocalInstant::DateText() {
  try {
    LastError.clear();
    return TADate(LocalDate, DisplayOptions).FullText();
  } catch (const std::exception& e) {
    LastError = e.what();
    if (RaiseOnError) throw;
    return {};
  }
}

}  // namespace korvana
