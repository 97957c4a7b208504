#include "core/charts/chart_layouts.h"

#include <cmath>
#include <cstring>

#include "core/config/program_settings.h"
#include "core/util/codepage.h"

namespace korvana {

namespace {

// Fixed offsets of the own record.
constexpr std::size_t OwnType = 0, OwnSubType = 1, OwnEventKind = 2, OwnParamLow = 3, OwnParamHigh = 4;
constexpr std::size_t OwnPlace = 35, OwnCountry = 55, OwnZoneHours = 75, OwnZoneAbbrev = 79;
constexpr std::size_t OwnDay = 84, OwnMonth = 85, OwnYear = 86, OwnHour = 88, OwnMinute = 89,
                      OwnSecond = 90;
constexpr std::size_t OwnNorth = 91, OwnLatDms = 92, OwnWest = 95, OwnLonDms = 96;
constexpr std::size_t OwnHouses = 99, OwnZodiac = 100, OwnSvp = 101, OwnOne = 105;

// Fixed offsets of the wide record.
constexpr std::size_t WidePlace = 52, WideCountry = 72, WideLatitude = 92, WideLongitude = 96;
constexpr std::size_t WideYear = 100, WideMonth = 102, WideDay = 103, WideHour = 104,
                      WideMinute = 105, WideSecond = 106, WideZoneHours = 107, WideZoneAbbrev = 111;
constexpr std::size_t WideLetter = 118, WideText1 = 120, WideHouses = 151, WideZodiac = 152,
                      WideSvp = 153, WideOne = 157, WideText2 = 162, WideParamLow = 280,
                      WideOwnSpare2 = 282, WideOwnParamHigh = 283;

// Fixed offsets of the headerless record (all numbers signed 16-bit).
constexpr std::size_t EmName = 0, EmType = 30, EmSubType = 32, EmPlace = 34, EmCountry = 54,
                      EmZoneHours = 74, EmZoneAbbrev = 78, EmDay = 83, EmMonth = 85, EmYear = 87,
                      EmHour = 89, EmMinute = 91, EmSecond = 93, EmLatDeg = 95, EmLatMin = 97,
                      EmLatHem = 99, EmLonDeg = 101, EmLonMin = 103, EmLonHem = 105,
                      EmHouses = 107, EmZodiac = 109, EmSpare = 111, EmStyle = 113;

// The unknown birth time's bit in the own record's event kind byte and the wide record's spare.
// The event kind's byte keeps the time's marks in its high bits, which the event kinds
// (0..4) never use: readers that know only the kinds mask them off.
constexpr std::uint8_t TimeUnknownBit = 0x80;
constexpr std::uint8_t ClockGapBit = 0x40;
constexpr std::uint8_t ClockFoldBit = 0x20;
constexpr std::uint8_t TimeBits = TimeUnknownBit | ClockGapBit | ClockFoldBit;

std::uint8_t TimeBitsOf(const ChartRecord& chart) {
  std::uint8_t bits = chart.TimeUnknown ? TimeUnknownBit : 0;
  if (chart.ClockFit == LocalTimeFit::InGap) bits |= ClockGapBit;
  if (chart.ClockFit == LocalTimeFit::InFold) bits |= ClockFoldBit;
  return bits;
}

// The headerless layout keeps the same marks in its spare word as 1 (time unknown), 2 (gap)
// and 4 (fold); a spare word beyond these bits was written by someone else and means nothing.
std::int16_t SpareOfTimeBits(std::uint8_t bits) {
  return static_cast<std::int16_t>(((bits & TimeUnknownBit) ? 1 : 0) | ((bits & ClockGapBit) ? 2 : 0) |
                                   ((bits & ClockFoldBit) ? 4 : 0));
}
std::uint8_t TimeBitsOfSpare(std::int16_t spare) {
  if (spare < 0 || spare > 7) return 0;
  return static_cast<std::uint8_t>(((spare & 1) ? TimeUnknownBit : 0) | ((spare & 2) ? ClockGapBit : 0) |
                                   ((spare & 4) ? ClockFoldBit : 0));
}

constexpr std::size_t NameWidth = 30, PlaceWidth = 20, AbbrevWidth = 5, WideNameWidth = 50;

void CheckSize(std::string_view record, std::size_t size, const char* what) {
  if (record.size() != size)
    throw EChartFileError(std::string("A ") + what + " chart record must be " + std::to_string(size) +
                         " bytes, not " + std::to_string(record.size()));
}

std::uint8_t GetU8(std::string_view b, std::size_t at) { return static_cast<std::uint8_t>(b[at]); }
std::int16_t GetI16(std::string_view b, std::size_t at) {
  return static_cast<std::int16_t>(GetU8(b, at) | (GetU8(b, at + 1) << 8));
}
std::int32_t GetI32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | GetU8(b, at + static_cast<std::size_t>(i));
  return static_cast<std::int32_t>(v);
}
float GetF32(std::string_view b, std::size_t at) {
  std::uint32_t bits = static_cast<std::uint32_t>(GetI32(b, at));
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}

void PutU8(std::string& b, std::size_t at, std::uint8_t v) { b[at] = static_cast<char>(v); }
void PutI16(std::string& b, std::size_t at, std::int16_t v) {
  auto u = static_cast<std::uint16_t>(v);
  b[at] = static_cast<char>(u & 0xFF);
  b[at + 1] = static_cast<char>(u >> 8);
}
void PutI32(std::string& b, std::size_t at, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}
void PutF32(std::string& b, std::size_t at, float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  PutI32(b, at, static_cast<std::int32_t>(bits));
}

// A NUL-terminated 8-bit text: at most width - 1 bytes, the rest NUL.
void PutRawText(std::string& b, std::size_t at, std::size_t width, std::string_view bytes) {
  std::size_t n = std::min(bytes.size(), width - 1);
  std::size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) n = std::min(n, nul);
  for (std::size_t i = 0; i < width; ++i) b[at + i] = i < n ? bytes[i] : '\0';
}
void PutText(std::string& b, std::size_t at, std::size_t width, std::string_view utf8) {
  PutRawText(b, at, width, Utf8ToCp1252(utf8));
}
std::string_view RawText(std::string_view b, std::size_t at, std::size_t width) {
  std::string_view field = b.substr(at, width);
  std::size_t nul = field.find('\0');
  return nul == std::string_view::npos ? field : field.substr(0, nul);
}

// A numeric value that must fit an unsigned byte of the target layout.
std::uint8_t FitByte(long long v, const char* what) {
  if (v < 0 || v > 255)
    throw EChartRangeError(std::string("The chart's ") + what + " (" + std::to_string(v) +
                          ") does not fit the chart file's record");
  return static_cast<std::uint8_t>(v);
}

struct Dms {
  std::uint8_t degrees = 0, minutes = 0, seconds = 0;
};

// Degrees, minutes and seconds: the integer parts of |angle| + a hundred-thousandth,
// of the remaining minutes and of the remaining seconds.
Dms SplitAngle(double angle, const char* what) {
  if (!std::isfinite(angle)) throw EChartRangeError(std::string("The chart's ") + what + " is not a number");
  double a = std::fabs(angle) + 0.00001;
  double d = std::trunc(a);
  if (d > 255) throw EChartRangeError(std::string("The chart's ") + what + " does not fit the chart file's record");
  double minutes = (a - d) * 60.0;
  double m = std::trunc(minutes);
  double s = std::trunc((minutes - m) * 60.0);
  return Dms{static_cast<std::uint8_t>(d), static_cast<std::uint8_t>(m), static_cast<std::uint8_t>(s)};
}

double JoinAngle(std::uint8_t d, std::uint8_t m, std::uint8_t s, bool positive) {
  double a = d + m / 60.0 + s / 3600.0;
  return positive ? a : -a;
}

double OwnAngle(std::string_view own, std::size_t flagAt, std::size_t dmsAt) {
  return JoinAngle(GetU8(own, dmsAt), GetU8(own, dmsAt + 1), GetU8(own, dmsAt + 2), GetU8(own, flagAt) != 0);
}

void PutOwnAngle(std::string& own, std::size_t flagAt, std::size_t dmsAt, double angle, const char* what) {
  Dms dms = SplitAngle(angle, what);
  PutU8(own, flagAt, angle > 0 ? 1 : 0);
  PutU8(own, dmsAt, dms.degrees);
  PutU8(own, dmsAt + 1, dms.minutes);
  PutU8(own, dmsAt + 2, dms.seconds);
}

// A headerless minutes field: minutes*100 + seconds when the style asks for it or the
// value could not be minutes alone; plain minutes otherwise.
void SplitHeaderlessMinutes(std::int16_t value, std::int16_t style, std::uint8_t& minutes,
                            std::uint8_t& seconds) {
  if (value < 0) throw EChartRangeError("The chart's coordinates are damaged (negative minutes)");
  if (style >= 1 || value >= 60) {
    minutes = FitByte(value / 100, "coordinate minutes");
    seconds = FitByte(value % 100, "coordinate seconds");
  } else {
    minutes = static_cast<std::uint8_t>(value);
    seconds = 0;
  }
}

}  // namespace

std::string TextFromField(std::string_view field) {
  return Cp1252ToUtf8(RawText(field, 0, field.size()));
}

std::string TitleField(std::string_view title) {
  std::string field(TitleFieldSize, '\0');
  PutText(field, 0, TitleFieldSize, title);
  return field;
}

std::string TitleFromField(std::string_view field) { return TextFromField(field.substr(0, TitleFieldSize)); }

std::string NameOfOwnRecord(std::string_view own) {
  CheckSize(own, OwnRecordSize, "own");
  return Cp1252ToUtf8(RawText(own, OwnNameOffset, NameWidth));
}

std::string OwnRecordFromChart(const ChartRecord& chart, int houseSystem, float userSvp,
                               std::int32_t memoRecord) {
  std::string own(OwnRecordSize, '\0');
  PutU8(own, OwnType, FitByte(chart.ChartType, "chart type"));
  PutU8(own, OwnSubType, FitByte(chart.ChartSubType, "chart sub-type"));
  // The event kind in the otherwise unused third byte, so that it survives the file.
  const std::uint8_t kind = chart.EventKind < EventKindCount ? chart.EventKind : 0;
  PutU8(own, OwnEventKind, static_cast<std::uint8_t>(kind | TimeBitsOf(chart)));
  // The parameter's low byte, and its high byte in the otherwise unused fifth byte so
  // that pair parameters (n*100 + m, as in 301 for Sun/Moon) survive the file.
  if (chart.ChartTypeParam < 0 || chart.ChartTypeParam > 0xFFFF)
    throw EChartRangeError("The chart's type parameter (" + std::to_string(chart.ChartTypeParam) +
                          ") does not fit the chart file's record");
  PutU8(own, OwnParamLow, static_cast<std::uint8_t>(chart.ChartTypeParam & 0xFF));
  PutU8(own, OwnParamHigh, static_cast<std::uint8_t>(chart.ChartTypeParam >> 8));
  PutText(own, OwnNameOffset, NameWidth, chart.Name);
  PutText(own, OwnPlace, PlaceWidth, chart.Place);
  PutText(own, OwnCountry, PlaceWidth, chart.Country);
  PutF32(own, OwnZoneHours, chart.ZoneHours);
  PutText(own, OwnZoneAbbrev, AbbrevWidth, chart.ZoneAbbrev);
  PutU8(own, OwnDay, chart.Moment.Day);
  PutU8(own, OwnMonth, chart.Moment.Month);
  PutI16(own, OwnYear, chart.Moment.Year);
  PutU8(own, OwnHour, chart.Moment.Hour);
  PutU8(own, OwnMinute, chart.Moment.Minute);
  PutU8(own, OwnSecond, chart.Moment.Second);
  PutOwnAngle(own, OwnNorth, OwnLatDms, chart.Latitude, "latitude");
  PutOwnAngle(own, OwnWest, OwnLonDms, chart.Longitude, "longitude");
  PutU8(own, OwnHouses, FitByte(houseSystem, "house system"));
  PutU8(own, OwnZodiac, FitByte(static_cast<long long>(chart.Zodiac) + 1, "zodiac"));
  PutF32(own, OwnSvp, userSvp);
  PutU8(own, OwnOne, 1);
  PutI32(own, OwnMemoOffset, memoRecord);
  return own;
}

StoredChart ChartFromOwnRecord(std::string_view own, const ProgramSettings& settings) {
  CheckSize(own, OwnRecordSize, "own");
  StoredChart stored;
  ChartRecord& c = stored.chart;
  c.ChartType = GetU8(own, OwnType);
  c.ChartSubType = GetU8(own, OwnSubType);
  c.ChartTypeParam = GetU8(own, OwnParamLow) | (GetU8(own, OwnParamHigh) << 8);
  const std::uint8_t eventKind = GetU8(own, OwnEventKind) & ~TimeBits;
  c.TimeUnknown = (GetU8(own, OwnEventKind) & TimeUnknownBit) != 0;
  c.ClockFit = (GetU8(own, OwnEventKind) & ClockGapBit)    ? LocalTimeFit::InGap
               : (GetU8(own, OwnEventKind) & ClockFoldBit) ? LocalTimeFit::InFold
                                                            : LocalTimeFit::Unique;
  c.EventKind = eventKind < EventKindCount ? eventKind : static_cast<std::uint8_t>(EventUnspecified);
  c.Name = Cp1252ToUtf8(RawText(own, OwnNameOffset, NameWidth));
  c.Place = Cp1252ToUtf8(RawText(own, OwnPlace, PlaceWidth));
  c.Country = Cp1252ToUtf8(RawText(own, OwnCountry, PlaceWidth));
  c.ZoneHours = GetF32(own, OwnZoneHours);
  c.ZoneAbbrev = Cp1252ToUtf8(RawText(own, OwnZoneAbbrev, AbbrevWidth));
  c.Moment.Day = GetU8(own, OwnDay);
  c.Moment.Month = GetU8(own, OwnMonth);
  c.Moment.Year = GetI16(own, OwnYear);
  c.Moment.Hour = GetU8(own, OwnHour);
  c.Moment.Minute = GetU8(own, OwnMinute);
  c.Moment.Second = GetU8(own, OwnSecond);
  c.Moment.Calendar = calAuto;
  const DateTimeRec& m = c.Moment;
  if (m.Month < 1 || m.Month > 12 || m.Day < 1 || m.Day > 31 || m.Hour > 23 || m.Minute > 59 ||
      m.Second > 59)
    throw EChartFileError("The chart \"" + c.Name + "\" holds an impossible date or time (day " +
                         std::to_string(m.Day) + ", month " + std::to_string(m.Month) + ", " +
                         std::to_string(m.Hour) + ":" + std::to_string(m.Minute) + ":" +
                         std::to_string(m.Second) + ")");
  if (!std::isfinite(c.ZoneHours)) c.ZoneHours = 0.0f;
  c.Latitude = OwnAngle(own, OwnNorth, OwnLatDms);
  c.Longitude = OwnAngle(own, OwnWest, OwnLonDms);
  const int houses = GetU8(own, OwnHouses);
  stored.houseSystem = houses >= 1 && houses <= 31 ? houses : DefaultHouseSystem(settings);
  const int zodiacByte = GetU8(own, OwnZodiac);
  c.Zodiac = static_cast<std::uint8_t>(zodiacByte >= 1 && zodiacByte <= 10 ? zodiacByte - 1 : 0);
  stored.userSvp = GetF32(own, OwnSvp);
  if (!std::isfinite(stored.userSvp)) stored.userSvp = 0.0f;
  stored.memoRecord = GetI32(own, OwnMemoOffset);
  ApplyUnstoredChoices(c, settings);
  return stored;
}

std::string WideFromOwn(std::string_view own) {
  CheckSize(own, OwnRecordSize, "own");
  std::string wide(WideRecordSize, '\0');
  PutU8(wide, 0, GetU8(own, OwnType));
  PutU8(wide, 1, GetU8(own, OwnSubType));
  PutRawText(wide, WideNameOffset, WideNameWidth, RawText(own, OwnNameOffset, NameWidth));
  PutRawText(wide, WidePlace, PlaceWidth, RawText(own, OwnPlace, PlaceWidth));
  PutRawText(wide, WideCountry, PlaceWidth, RawText(own, OwnCountry, PlaceWidth));
  PutF32(wide, WideLatitude, static_cast<float>(OwnAngle(own, OwnNorth, OwnLatDms)));
  PutF32(wide, WideLongitude, static_cast<float>(OwnAngle(own, OwnWest, OwnLonDms)));
  PutI16(wide, WideYear, GetI16(own, OwnYear));
  PutU8(wide, WideMonth, GetU8(own, OwnMonth));
  PutU8(wide, WideDay, GetU8(own, OwnDay));
  PutU8(wide, WideHour, GetU8(own, OwnHour));
  PutU8(wide, WideMinute, GetU8(own, OwnMinute));
  PutU8(wide, WideSecond, GetU8(own, OwnSecond));
  PutF32(wide, WideZoneHours, GetF32(own, OwnZoneHours));
  PutRawText(wide, WideZoneAbbrev, AbbrevWidth, RawText(own, OwnZoneAbbrev, AbbrevWidth));
  PutU8(wide, WideEventKindOffset, GetU8(own, OwnEventKind) & ~TimeBits);
  PutRawText(wide, WideLetter, 2, " ");
  PutRawText(wide, WideText1, 30, "");
  PutU8(wide, WideHouses, GetU8(own, OwnHouses));
  PutU8(wide, WideZodiac, GetU8(own, OwnZodiac));
  PutF32(wide, WideSvp, GetF32(own, OwnSvp));
  PutU8(wide, WideOne, 1);
  PutI32(wide, WideMemoOffset, GetI32(own, OwnMemoOffset));
  PutRawText(wide, WideText2, 50, "");
  PutU8(wide, WideParamLow, GetU8(own, OwnParamLow));
  PutU8(wide, WideOwnSpare2, GetU8(own, OwnEventKind));
  PutU8(wide, WideOwnParamHigh, GetU8(own, OwnParamHigh));
  return wide;
}

std::string OwnFromWide(std::string_view wide) {
  CheckSize(wide, WideRecordSize, "wide");
  std::string own(OwnRecordSize, '\0');
  PutU8(own, OwnType, GetU8(wide, 0));
  PutU8(own, OwnSubType, GetU8(wide, 1));
  PutU8(own, OwnEventKind,
        static_cast<std::uint8_t>((GetU8(wide, WideEventKindOffset) & ~TimeBits) |
                                  (GetU8(wide, WideOwnSpare2) & TimeBits)));
  PutU8(own, OwnParamLow, GetU8(wide, WideParamLow));
  PutU8(own, OwnParamHigh, GetU8(wide, WideOwnParamHigh));
  PutRawText(own, OwnNameOffset, NameWidth, RawText(wide, WideNameOffset, WideNameWidth));
  PutRawText(own, OwnPlace, PlaceWidth, RawText(wide, WidePlace, PlaceWidth));
  PutRawText(own, OwnCountry, PlaceWidth, RawText(wide, WideCountry, PlaceWidth));
  PutF32(own, OwnZoneHours, GetF32(wide, WideZoneHours));
  PutRawText(own, OwnZoneAbbrev, AbbrevWidth, RawText(wide, WideZoneAbbrev, AbbrevWidth));
  PutU8(own, OwnDay, GetU8(wide, WideDay));
  PutU8(own, OwnMonth, GetU8(wide, WideMonth));
  PutI16(own, OwnYear, GetI16(wide, WideYear));
  PutU8(own, OwnHour, GetU8(wide, WideHour));
  PutU8(own, OwnMinute, GetU8(wide, WideMinute));
  PutU8(own, OwnSecond, GetU8(wide, WideSecond));
  PutOwnAngle(own, OwnNorth, OwnLatDms, GetF32(wide, WideLatitude), "latitude");
  PutOwnAngle(own, OwnWest, OwnLonDms, GetF32(wide, WideLongitude), "longitude");
  PutU8(own, OwnHouses, GetU8(wide, WideHouses));
  PutU8(own, OwnZodiac, GetU8(wide, WideZodiac));
  PutF32(own, OwnSvp, GetF32(wide, WideSvp));
  PutU8(own, OwnOne, 1);
  PutI32(own, OwnMemoOffset, GetI32(wide, WideMemoOffset));
  return own;
}

std::string HeaderlessFromOwn(std::string_view own) {
  CheckSize(own, OwnRecordSize, "own");
  std::string em(HeaderlessRecordSize, '\0');
  PutRawText(em, EmName, NameWidth, RawText(own, OwnNameOffset, NameWidth));
  PutI16(em, EmType, GetU8(own, OwnType));
  PutI16(em, EmSubType, GetU8(own, OwnSubType));
  PutRawText(em, EmPlace, PlaceWidth, RawText(own, OwnPlace, PlaceWidth));
  PutRawText(em, EmCountry, PlaceWidth, RawText(own, OwnCountry, PlaceWidth));
  PutF32(em, EmZoneHours, GetF32(own, OwnZoneHours));
  PutRawText(em, EmZoneAbbrev, AbbrevWidth, RawText(own, OwnZoneAbbrev, AbbrevWidth));
  PutI16(em, EmDay, GetU8(own, OwnDay));
  PutI16(em, EmMonth, GetU8(own, OwnMonth));
  PutI16(em, EmYear, GetI16(own, OwnYear));
  PutI16(em, EmHour, GetU8(own, OwnHour));
  PutI16(em, EmMinute, GetU8(own, OwnMinute));
  PutI16(em, EmSecond, GetU8(own, OwnSecond));
  PutI16(em, EmLatDeg, GetU8(own, OwnLatDms));
  PutI16(em, EmLatMin, static_cast<std::int16_t>(GetU8(own, OwnLatDms + 1) * 100 + GetU8(own, OwnLatDms + 2)));
  PutI16(em, EmLatHem, GetU8(own, OwnNorth) != 0 ? 0 : -1);
  PutI16(em, EmLonDeg, GetU8(own, OwnLonDms));
  PutI16(em, EmLonMin, static_cast<std::int16_t>(GetU8(own, OwnLonDms + 1) * 100 + GetU8(own, OwnLonDms + 2)));
  PutI16(em, EmLonHem, GetU8(own, OwnWest) != 0 ? -1 : 0);
  PutI16(em, EmHouses, GetU8(own, OwnHouses));
  PutI16(em, EmZodiac, GetU8(own, OwnZodiac));
  PutI16(em, EmSpare, SpareOfTimeBits(GetU8(own, OwnEventKind)));
  PutI16(em, EmStyle, 2);
  return em;
}

std::string OwnFromHeaderless(std::string_view em, float userSvp) {
  CheckSize(em, HeaderlessRecordSize, "headerless");
  std::string own(OwnRecordSize, '\0');
  PutU8(own, OwnType, FitByte(GetI16(em, EmType), "chart type"));
  PutU8(own, OwnSubType, FitByte(GetI16(em, EmSubType), "chart sub-type"));
  PutU8(own, OwnEventKind, TimeBitsOfSpare(GetI16(em, EmSpare)));
  PutRawText(own, OwnNameOffset, NameWidth, RawText(em, EmName, NameWidth));
  PutRawText(own, OwnPlace, PlaceWidth, RawText(em, EmPlace, PlaceWidth));
  PutRawText(own, OwnCountry, PlaceWidth, RawText(em, EmCountry, PlaceWidth));
  PutF32(own, OwnZoneHours, GetF32(em, EmZoneHours));
  PutRawText(own, OwnZoneAbbrev, AbbrevWidth, RawText(em, EmZoneAbbrev, AbbrevWidth));
  PutU8(own, OwnDay, FitByte(GetI16(em, EmDay), "day"));
  PutU8(own, OwnMonth, FitByte(GetI16(em, EmMonth), "month"));
  PutI16(own, OwnYear, GetI16(em, EmYear));
  PutU8(own, OwnHour, FitByte(GetI16(em, EmHour), "hour"));
  PutU8(own, OwnMinute, FitByte(GetI16(em, EmMinute), "minute"));
  PutU8(own, OwnSecond, FitByte(GetI16(em, EmSecond), "second"));
  const std::int16_t style = GetI16(em, EmStyle);
  std::uint8_t minutes = 0, seconds = 0;
  PutU8(own, OwnLatDms, FitByte(GetI16(em, EmLatDeg), "latitude"));
  SplitHeaderlessMinutes(GetI16(em, EmLatMin), style, minutes, seconds);
  PutU8(own, OwnLatDms + 1, minutes);
  PutU8(own, OwnLatDms + 2, seconds);
  PutU8(own, OwnNorth, GetI16(em, EmLatHem) == 0 ? 1 : 0);
  PutU8(own, OwnLonDms, FitByte(GetI16(em, EmLonDeg), "longitude"));
  SplitHeaderlessMinutes(GetI16(em, EmLonMin), style, minutes, seconds);
  PutU8(own, OwnLonDms + 1, minutes);
  PutU8(own, OwnLonDms + 2, seconds);
  PutU8(own, OwnWest, GetI16(em, EmLonHem) != 0 ? 1 : 0);
  // A damaged house or zodiac number reads as "not given" (0) and takes the defaults.
  const std::int16_t houses = GetI16(em, EmHouses);
  PutU8(own, OwnHouses, houses >= 0 && houses <= 255 ? static_cast<std::uint8_t>(houses) : 0);
  const std::int16_t zodiac = GetI16(em, EmZodiac);
  PutU8(own, OwnZodiac, zodiac >= 0 && zodiac <= 255 ? static_cast<std::uint8_t>(zodiac) : 0);
  PutF32(own, OwnSvp, userSvp);
  PutU8(own, OwnOne, 1);
  PutI32(own, OwnMemoOffset, 0);
  return own;
}

std::string OwnFileHeader(std::string_view title) {
  std::string header;
  header.reserve(OwnRecordSize);
  header.append("\x01\x00", 2);
  header += TitleField(title);
  header.append(27, ' ');
  header.push_back('\0');
  return header;
}

std::string WideFileHeader(std::string_view title) {
  std::string header;
  header.reserve(WideRecordSize);
  header.append("\x02\x00", 2);
  header += TitleField(title);
  header.append(209, ' ');
  header.push_back('\0');
  return header;
}

std::string CollectionHeader(std::string_view title, std::int32_t count) {
  std::string header("\x03\x00", 2);
  header += TitleField(title);
  std::string countBytes(4, '\0');
  PutI32(countBytes, 0, count);
  header += countBytes;
  return header;
}

}  // namespace korvana
