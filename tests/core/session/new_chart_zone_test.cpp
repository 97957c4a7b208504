// "&Zone..." of the chart data entry: the typed zone's abbreviation is found in the list,
// and the zone chosen there is written back as abbreviation and hours.
#include <gtest/gtest.h>

#include "core/session/new_chart_form.h"
#include "support/date_time_fixture.h"

namespace korvana {
namespace {

TEST(NewChartZone, TheTypedAbbreviationAndTheChosenZone) {
  ProgramSettings settings;
  const ZoneList zones({{"EST", "Eastern Time", 5}, {"IST", "Indian Time", -5.5}, {"NZT", "New Zealand Time", -12}});
  NewChartForm form(settings, &zones, testing::Rec(2026, 1, 1));
  struct Case {
    const char* typed;
    const char* abbrev;
  };
  const Case cases[] = {{"EST", "EST"}, {"IST -5:30", "IST"}, {"-9:30", ""}, {"nonsense zone", ""}, {"", ""}};
  for (const Case& c : cases) {
    form.fields.zone = c.typed;
    EXPECT_EQ(form.ZoneAbbrevTyped(), c.abbrev) << c.typed;
  }
  form.ChooseZone(zones.Entries()[1]);
  EXPECT_EQ(form.fields.zone, "IST -5:30");
  form.ChooseZone({"", "Five hours west", 5});
  EXPECT_EQ(form.fields.zone, "+5:00") << "no leading blank without an abbreviation";
}

}  // namespace
}  // namespace korvana
