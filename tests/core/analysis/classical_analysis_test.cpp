// The classical analysis of cast charts: planetary hours against the real sky, and the
// preparation a report run makes with its scheme files.
#include <gtest/gtest.h>

#include "classical_fixtures.h"
#include "core/analysis/classical_analysis.h"
#include "core/astro/cast_chart.h"
#include "core/time/angle_math.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

CalculatedChart Cast(int year, int month, int day, int hour, int minute, double zoneHours, double latitude,
                     double longitude) {
  ChartRecord r;
  r.Name = "Test";
  r.Moment.Year = static_cast<std::int16_t>(year);
  r.Moment.Month = static_cast<std::uint8_t>(month);
  r.Moment.Day = static_cast<std::uint8_t>(day);
  r.Moment.Hour = static_cast<std::uint8_t>(hour);
  r.Moment.Minute = static_cast<std::uint8_t>(minute);
  r.ZoneHours = static_cast<float>(zoneHours);
  r.Latitude = latitude;
  r.Longitude = longitude;
  CastOptions o;
  o.Backend = CalcBackend::Own;
  return CastChart(r, o);
}

TEST(PlanetaryHoursOfCastCharts, AgainstSunriseAndSunset) {
  // London, Tuesday 2 January 2024, 04:00: the Sun set at about 16:02 and rises at about
  // 08:06, so 04:00 falls in the ninth hour of Monday's night (n = 20), Mercury's.
  PlanetaryHours h = PlanetaryDayAndHour(Cast(2024, 1, 2, 4, 0, 0.0, 51.5, 0.1));
  EXPECT_EQ(h.dayRuler, PointMoon);
  EXPECT_EQ(h.hour, 20);
  EXPECT_EQ(h.hourRuler, PointMercury);
  // The same clock time in New York (zone 5 hours west): still Monday's night.
  EXPECT_EQ(PlanetaryDayAndHour(Cast(2024, 1, 2, 4, 0, 5.0, 40.7, 74.0)).dayRuler, PointMoon);
  // Noon on Friday 15 June 1990 in London: Venus's day; the sixth hour, Mars's.
  h = PlanetaryDayAndHour(Cast(1990, 6, 15, 12, 0, 0.0, 51.5, 0.17));
  EXPECT_EQ(h.dayRuler, PointVenus);
  EXPECT_EQ(h.hour, 5);
  EXPECT_EQ(h.hourRuler, PointMars);
  // Tromsø at midsummer: the Sun does not set, no rulers.
  h = PlanetaryDayAndHour(Cast(2024, 6, 21, 12, 0, -2.0, 69.65, -18.96));
  EXPECT_EQ(h.dayRuler, 0);
  EXPECT_EQ(h.hourRuler, 0);
}

TEST(AnalyseClassical, WithAndWithoutItsSchemeFiles) {
  korvana::testing::TempFolder f;
  auto write = [&](const char* source, const char* name) {
    return f.Write(name, EncodeAlmutenRecord(ParseAlmutenSchemeSource(korvana::testing::ClassicalSource(source))));
  };
  ClassicalFiles files{write("modern.txt", "modern.alm"), write("geniture.txt", "geniture.alm"),
                       write("house.txt", "house.alm"), f / "algol.fst"};
  const CalculatedChart chart = Cast(1990, 6, 15, 12, 0, 0.0, 51.5, 0.17);
  const RulershipTables& tables = korvana::testing::ShippedTables();
  ClassicalAnalysis a = AnalyseClassical(chart, files, tables, nullptr);
  ASSERT_TRUE(a.reportScheme);
  EXPECT_TRUE(a.reportScores.scored);
  EXPECT_EQ(a.hours.dayRuler, PointVenus);
  EXPECT_NE(a.genitureRulers[0], 0);
  EXPECT_TRUE(a.almutensKnown);
  EXPECT_GT(a.almutens.points[PointMoon].count, 0);
  EXPECT_GT(a.almutens.cusps[12].count, 0);
  EXPECT_EQ(a.hyleg, PointSun);  // a day birth with the Sun in the 10th
  EXPECT_EQ(a.hylegAlmutens.points[0], a.almutens.points[PointSun].points[0]);
  EXPECT_EQ(a.temperament.text.rfind("Sign of Ascendant: Virgo", 0), 0u);
  EXPECT_EQ(a.algolLongitude, -1);  // no star file
  // The report set's cusp offsets (8, 5, 3) move the cusps back.
  EXPECT_NEAR(ModReal(360.0, chart.Houses.Cusps[10] - a.offsetCusps[10]), 8.0, 1e-9);

  // Unreadable scheme files leave their parts empty.
  files.reportScheme = f / "none.alm";
  files.genitureScheme = f.Write("short.alm", "too short");
  files.houseScheme = f / "none.alm";
  a = AnalyseClassical(chart, files, tables, nullptr);
  EXPECT_FALSE(a.reportScheme);
  EXPECT_FALSE(a.reportScores.scored);
  EXPECT_EQ(a.offsetCusps, chart.Houses.Cusps);
  EXPECT_EQ(a.genitureRulers, (std::array<int, 5>{}));
  EXPECT_FALSE(a.almutensKnown);
  EXPECT_EQ(a.hylegAlmutens.count, 0);
  EXPECT_EQ(a.hyleg, PointSun);
}

}  // namespace
}  // namespace korvana
