#include "core/session/chart_edit.h"

#include <gtest/gtest.h>

#include "support/date_time_fixture.h"
#include "support/recording_messages.h"

namespace korvana {
namespace {

using testing::RecordingMessages;

StoredChart Typed(const char* name, DateTimeRec moment, const char* zone, float hours, double lat, double lon,
                  int kind = EventUnspecified) {
  StoredChart c;
  c.chart.Name = name;
  c.chart.Moment = moment;
  c.chart.Place = "Somewhere";
  c.chart.Country = "Land";
  c.chart.ZoneAbbrev = zone;
  c.chart.ZoneHours = hours;
  c.chart.Latitude = lat;
  c.chart.Longitude = lon;
  c.chart.EventKind = static_cast<std::uint8_t>(kind);
  return c;
}

// The fields shown for a chart parse back to the same chart under each date and time
// setting: editing and pressing OK changes nothing.
TEST(ChartEntryFields, ParseBackToTheSameChart) {
  struct Case {
    bool monthFirst, ampm;
    StoredChart chart;
    const char* date;
    const char* time;
    const char* zone;
  };
  const Case cases[] = {
      {false, false, Typed("Ann Lee", testing::Rec(1970, 7, 4, 14, 5), "AEST", -10, -33.8667, -151.2), "4 Jul 1970",
       "14:05", "AEST -10:00"},
      {true, true, Typed("Bob", testing::Rec(1901, 12, 31, 0, 15, 30), "EST", 5, 40.7167, 74.0, EventMale),
       "Dec 31 1901", "0:15:30 am", "EST +5:00"},
      {false, true, Typed("Cher", testing::Rec(2001, 1, 9, 12, 0), "", -9.5, -34.9167, -138.5833, EventFemale),
       "9 Jan 2001", "12:00 pm", "-9:30"},
      {false, false, Typed("Dee", testing::Rec(-43, 3, 15, 11, 30), "LMT", -0.8333f, 41.9, -12.5, EventEvent),
       "15 Mar 0044 BC", "11:30", "LMT -0:50"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chart.chart.Name);
    ProgramSettings settings;
    settings.MonthFirst = c.monthFirst;
    settings.AMPM = c.ampm;
    const NewChartFields fields = ChartEntryFields(c.chart.chart, settings);
    EXPECT_EQ(fields.date, c.date);
    EXPECT_EQ(fields.time, c.time);
    EXPECT_EQ(fields.zone, c.zone);
    EXPECT_EQ(fields.eventKind, c.chart.chart.EventKind);

    NewChartForm form(settings, nullptr, testing::Rec(2026, 1, 1, 0, 0));
    form.Load(fields);
    EXPECT_FALSE(form.AutoLookupDue()) << "a loaded chart is not looked up again";
    RecordingMessages messages;
    const auto back = form.Accept(messages);
    ASSERT_TRUE(back.has_value()) << (messages.messages.empty() ? "" : messages.messages[0].text);
    EXPECT_EQ(back->Name, c.chart.chart.Name);
    EXPECT_EQ(back->Moment, c.chart.chart.Moment);
    EXPECT_EQ(back->ZoneAbbrev, c.chart.chart.ZoneAbbrev);
    EXPECT_NEAR(back->ZoneHours, c.chart.chart.ZoneHours, 1.0 / 3600);
    EXPECT_NEAR(back->Latitude, c.chart.chart.Latitude, 1.0 / 3600);
    EXPECT_NEAR(back->Longitude, c.chart.chart.Longitude, 1.0 / 3600);
    EXPECT_EQ(back->EventKind, c.chart.chart.EventKind);
  }
}

TEST(EditedChart, TakesTheTypedDataAndKeepsTheChartsOwnChoices) {
  StoredChart original = Typed("Old", testing::Rec(1950, 1, 1, 1, 0), "GMT", 0, 51.5, 0.1);
  original.chart.Zodiac = 3;
  original.chart.ChartType = 4;
  original.chart.ChartSubType = 20;
  original.houseSystem = 7;
  original.memoRecord = 12;
  const StoredChart typed = Typed("New", testing::Rec(1960, 2, 2, 2, 0), "CET", -1, 48.1, -11.6, EventFemale);
  const StoredChart edited = EditedChart(original, typed.chart);
  EXPECT_EQ(edited.chart.Name, "New");
  EXPECT_EQ(edited.chart.Moment, typed.chart.Moment);
  EXPECT_EQ(edited.chart.ZoneAbbrev, "CET");
  EXPECT_EQ(edited.chart.Longitude, -11.6);
  EXPECT_EQ(edited.chart.EventKind, EventFemale);
  EXPECT_EQ(edited.chart.Zodiac, 3);
  EXPECT_EQ(edited.chart.ChartType, 4);
  EXPECT_EQ(edited.chart.ChartSubType, 20);
  EXPECT_EQ(edited.houseSystem, 7);
  EXPECT_EQ(edited.memoRecord, 12);
}

StoredChart Named(const char* name) {
  StoredChart c;
  c.chart.Name = name;
  return c;
}

// Which slot "Edit" asks for and where the edited chart goes, for each kind of pair.
TEST(PutEditedChart, GoesBackIntoItsSlotAndAPairOfOneChartStaysOne) {
  struct Case {
    const char* what;
    PairKind kind;
    const char* first;
    const char* second;
    int slot;
    bool asks;
    const char* after0;
    const char* after1;
  };
  const Case cases[] = {
      {"one-chart set", PairKind::Single, "A", "A", 0, false, "E", "E"},
      {"synastry, one chart in both slots", PairKind::Synastry, "A", "A", 0, false, "E", "E"},
      {"synastry, second chart edited", PairKind::Synastry, "A", "B", 1, true, "A", "E"},
      {"synastry, first chart edited", PairKind::Synastry, "A", "B", 0, true, "E", "B"},
      {"composite, first chart edited", PairKind::Composite, "A", "B", 0, true, "E", "B"},
      {"one-chart set, slot 1 empty", PairKind::Single, "A", "", 0, false, "E", "E"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ChartPair pair;
    pair.slot[0] = {Named(c.first), true};
    pair.slot[1] = {Named(c.second), true};
    pair.compositeReady = c.kind == PairKind::Composite;
    EXPECT_EQ(EditAsksForSlot(pair, c.kind), c.asks);
    PutEditedChart(pair, c.kind, c.slot, Named("E"));
    EXPECT_EQ(pair.slot[0].chart.chart.Name, c.after0);
    EXPECT_EQ(pair.slot[1].chart.chart.Name, c.after1);
    EXPECT_FALSE(pair.slot[static_cast<std::size_t>(c.slot)].saved) << "an edited chart is not saved";
  }
}

TEST(PutEditedChart, ACompositeEditedIntoOneChartIsNoLongerReady) {
  ChartPair pair;
  pair.slot[0] = {Named("A"), true};
  pair.slot[1] = {Named("B"), true};
  pair.compositeReady = true;
  PutEditedChart(pair, PairKind::Composite, 1, Named("A"));
  EXPECT_FALSE(pair.compositeReady);
}

}  // namespace
}  // namespace korvana
