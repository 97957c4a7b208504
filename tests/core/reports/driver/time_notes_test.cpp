// The notes on a birth time that cannot be taken at its word: the other reading of a time in
// a clock change, and what the note says it would change.
#include "core/reports/driver/time_notes.h"

#include <gtest/gtest.h>

#include <string>

#include "../composer/report_fixture.h"
#include "core/analysis/chart_figures.h"
#include "core/astro/cast_chart.h"

namespace korvana {
namespace {

using testing::MakeChart;
using testing::Place;

// Berlin, 29 March 1981 (the clocks went forward from 02:00 to 03:00) and 27 September 1981
// (back from 03:00 to 02:00), at 02:30 local time.
ChartRecord Berlin(int month, int day, LocalTimeFit fit, float zoneHours) {
  ChartRecord r;
  r.Name = "Clock";
  r.Place = "Berlin";
  r.ZoneAbbrev = zoneHours == -1.0f ? "CET" : "CEST";
  r.ZoneHours = zoneHours;
  r.Moment = DateTimeRec{1981, static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day), 2, 30, 0, calAuto};
  r.Latitude = 52.52;
  r.Longitude = -13.40;
  r.ClockFit = fit;
  return r;
}

TEST(ClockChangeNote, TheOtherReadingIsAnHourEarlierForAGapAndLaterForAFold) {
  const ProgramSettings settings;
  struct Case {
    ChartRecord record;
    double hours;  // the other reading's Universal Time less this report's
  };
  const Case cases[] = {{Berlin(3, 29, LocalTimeFit::InGap, -1.0f), -1.0},
                        {Berlin(9, 27, LocalTimeFit::InFold, -2.0f), 1.0},
                        {Berlin(6, 1, LocalTimeFit::Unique, -2.0f), 0.0}};
  for (const Case& c : cases) {
    const CalculatedChart chart = CastChart(c.record, CastOptionsFrom(settings));
    const CalculatedChart other = OtherClockReading(chart, settings);
    EXPECT_NEAR((other.Moment.JDUT - chart.Moment.JDUT) * 24.0, c.hours, 1e-6) << c.hours;
    EXPECT_EQ(other.Chart.Moment, chart.Chart.Moment);  // the same clock time, read the other way
  }
}

// This report's chart rises in Virgo; the other reading, fifteen degrees earlier, in Leo.
// Planets at 10° of a sign keep their equal house, those at 25° move to the next.
class ClockChangeNoteText : public ::testing::Test {
 protected:
  ClockChangeNoteText() : chart(Placed(155.0, 65.0)), other(Placed(140.0, 62.0)) {
    chart.Chart.Place = "Berlin";
    chart.Chart.ZoneAbbrev = "CET";
    chart.Chart.ZoneHours = -1.0f;
    chart.Chart.Moment = DateTimeRec{1981, 3, 29, 2, 30, 0, calAuto};
    chart.Chart.ClockFit = LocalTimeFit::InGap;
  }
  // Equal houses from `ascendant`; the planets in signs one after another, the Moon in
  // Taurus at `moon`.
  static CalculatedChart Placed(double ascendant, double midheaven, double moon = 40.0) {
    CalculatedChart c = MakeChart("Ann", ascendant);
    double sign = 0;
    for (int p : FigurePlanets) {
      Place(c, p, sign * 30.0 + (p == PointMars || p == PointSaturn ? 25.0 : 10.0));
      sign += 1;
    }
    Place(c, PointMoon, moon);
    Place(c, PointMidheaven, midheaven);
    return c;
  }
  CalculatedChart chart, other;
};

TEST_F(ClockChangeNoteText, SaysWhichReadingItTakesAndWhatTheOtherWouldChangeInEachLanguage) {
  struct Case {
    int language;
    const char* opening;
    const char* changes;
  };
  const Case cases[] = {
      {0, "The birth time given, 2:30, fell in the hour that the clocks at Berlin skipped",
       "Read the other way, the Ascendant would be in Leo rather than Virgo and 2 planets would stand in another "
       "house. The parts"},
      {1, "La hora de nacimiento indicada, las 2:30, cayó en la hora que los relojes de Berlin se saltaron",
       "el Ascendente estaría en Leo y no en Virgo y 2 planetas estarían en otra casa."},
      {2, "Det oppgitte fødselstidspunktet, klokken 2:30, falt i timen som klokkene i Berlin hoppet over",
       "ascendanten ville stått i Løven i stedet for Jomfruen og 2 planeter ville stått i et annet hus."},
      {3, "L'heure de naissance indiquée, 2:30, tombe dans l'heure que les horloges de Berlin ont sautée",
       "l'Ascendant serait en Lion et non en Vierge et 2 planètes changeraient de maison."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    const std::string note = ClockChangeNote(chart, other, false, c.language);
    EXPECT_EQ(note.rfind(c.opening, 0), 0u) << note;
    EXPECT_NE(note.find(c.changes), std::string::npos) << note;
    EXPECT_NE(note.find("(CET, UT+1)"), std::string::npos) << note;
    EXPECT_EQ(note.find('{'), std::string::npos) << note;
  }
}

TEST_F(ClockChangeNoteText, AFoldAndAReadingThatChangesNothing) {
  chart.Chart.ClockFit = LocalTimeFit::InFold;
  const std::string same = ClockChangeNote(chart, chart, false, 0);
  EXPECT_NE(same.find("happened twice at Berlin when the clocks were put back"), std::string::npos) << same;
  EXPECT_NE(same.find("keep their signs and every planet keeps its house"), std::string::npos) << same;
  // Only the Moon moves: into the sign before and the house before.
  const std::string moon = ClockChangeNote(chart, Placed(155.0, 65.0, 25.0), false, 0);
  EXPECT_NE(moon.find("Read the other way, the Moon would be in Aries rather than Taurus and one planet would "
                      "stand in another house."),
            std::string::npos)
      << moon;
}

TEST_F(ClockChangeNoteText, ThePlaceIsPlainTextAndNoNoteWithoutAClockChange) {
  chart.Chart.Place = "Evil}{|<PAGE>";
  chart.Chart.ZoneHours = 3.5f;
  chart.Chart.ZoneAbbrev = "";
  const std::string note = ClockChangeNote(chart, other, false, 0);
  EXPECT_NE(note.find("clocks at Evil\\}\\{\\'7c\\'3cPAGE> skipped"), std::string::npos) << note;
  EXPECT_NE(note.find("(UT-3:30)"), std::string::npos) << note;
  chart.Chart.Place = " ";
  EXPECT_NE(ClockChangeNote(chart, other, false, 0).find("the clocks at the place of birth skipped"), std::string::npos);
  chart.Chart.ClockFit = LocalTimeFit::Unique;
  EXPECT_EQ(ClockChangeNote(chart, other, false, 0), "");
  chart.Chart.ClockFit = LocalTimeFit::InGap;
  chart.Chart.TimeUnknown = true;  // the time-unknown note says it all
  EXPECT_EQ(ClockChangeNote(chart, other, false, 0), "");
}

}  // namespace
}  // namespace korvana
