#include "core/session/new_chart_form.h"

#include "core/session/chart_edit.h"

#include <gtest/gtest.h>

#include "core/charts/place_file.h"
#include "support/date_time_fixture.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;

class NewChartFormTest : public ::testing::Test {
 protected:
  NewChartFormTest() : form(settings, nullptr, testing::Rec(2026, 12, 10, 14, 5)) {}
  ProgramSettings settings;
  NewChartForm form;
  RecordingMessages messages;
};

TEST_F(NewChartFormTest, StartsWithNowAndTheDefaultPlace) {
  EXPECT_EQ(form.fields.date, "10 Dec 2026");
  EXPECT_EQ(form.fields.name, "Transits of 10 Dec 2026");
  EXPECT_EQ(form.fields.place, "Adelaide");
  EXPECT_EQ(form.InitialZone(), "ACST -9:30");
  EXPECT_EQ(form.fields.eventKind, EventUnspecified);
}

TEST_F(NewChartFormTest, LeavingFieldsNormalisesThemAndTheLocalMeanTimeFollowsTheLongitude) {
  form.fields.zone = "LMT";
  form.fields.longitude = "138e35";
  ASSERT_TRUE(form.LeaveField(FieldKind::Longitude, messages));
  EXPECT_EQ(form.fields.zone, "LMT -9:14:20");
  form.fields.zone = "";
  ASSERT_TRUE(form.LeaveField(FieldKind::Zone, messages));
  EXPECT_EQ(form.fields.zone, "ACST -9:30") << "an emptied zone gets the initial zone back";
  form.fields.latitude = "nowhere";
  EXPECT_FALSE(form.LeaveField(FieldKind::Latitude, messages));
  EXPECT_FALSE(messages.messages.empty());
}

TEST_F(NewChartFormTest, ThePlaceFilesGiveThePlaceAndTheAutomaticLookupRunsOncePerChange) {
  TempFolder folder;
  folder.Write("aus.plc", EncodePlaceFile({{"Hobart", "TAS", "AEST -10:00", "42S53", "147E19", 0}}));
  settings.UseACSAtlas = false;
  settings.AutoAtlasLookup = true;
  settings.Places = folder / "aus.plc";
  PlaceLookupSources sources;
  sources.placeFiles.sources = {folder.Path(), folder / "State.ini"};
  form.fields.place = "Hob";
  form.fields.country = "TAS";
  EXPECT_TRUE(form.AutoLookupDue());
  const PlaceLookupOutcome outcome = form.Lookup(sources, messages);
  EXPECT_TRUE(outcome.found);
  EXPECT_FALSE(form.AutoLookupDue()) << "no second lookup without a change";
  EXPECT_EQ(form.fields.place, "Hobart");
  EXPECT_EQ(form.fields.latitude, "42\u00b0S53'");
  EXPECT_EQ(form.fields.zone, "AEST -10:00");
  form.PlaceEdited();
  EXPECT_TRUE(form.AutoLookupDue());
}

// "unknown" in the time field marks a birth time that is not known: kept when the field is
// left (with the time after it normalised), cast for noon or that time, and read back so by
// the chart's edit fields.
TEST_F(NewChartFormTest, AnUnknownBirthTimeIsTypedAsUnknown) {
  struct Case {
    const char* typed;
    bool accepted;
    const char* shown;
    bool unknown;
    int hour, minute;
  };
  const Case cases[] = {
      {"unknown", true, "unknown", true, 12, 0},
      {"  Unknown 21:15 ", true, "unknown 9:15 pm", true, 21, 15},
      {"9:05", true, "9:05 am", false, 9, 5},
      {"unknown 25:00", false, "", true, 0, 0},
  };
  form.fields.zone = "UT";
  form.fields.latitude = "51N30";
  form.fields.longitude = "0W10";
  for (const Case& c : cases) {
    form.fields.time = c.typed;
    ASSERT_EQ(form.LeaveField(FieldKind::Time, messages), c.accepted) << c.typed;
    if (!c.accepted) continue;
    EXPECT_EQ(form.fields.time, c.shown);
    const std::optional<ChartRecord> chart = form.Accept(messages);
    ASSERT_TRUE(chart.has_value()) << c.typed;
    EXPECT_EQ(chart->TimeUnknown, c.unknown) << c.typed;
    EXPECT_EQ(chart->Moment.Hour, c.hour) << c.typed;
    EXPECT_EQ(chart->Moment.Minute, c.minute) << c.typed;
    EXPECT_EQ(ChartEntryFields(*chart, settings).time.starts_with("unknown"), c.unknown) << c.typed;
    EXPECT_EQ(EditedChart({}, *chart).chart.TimeUnknown, c.unknown) << c.typed;
  }
}

// A time in a clock change stays marked while the chart is edited, and is dropped once the
// zone, date, time or place it was found for changes.
TEST_F(NewChartFormTest, AClockChangeMarkFollowsTheZoneItWasFoundFor) {
  ChartRecord gap = NewChartRecord(settings);
  gap.Name = "Berlin";
  gap.Moment = DateTimeRec{1981, 3, 29, 2, 30, 0, calAuto};
  gap.ZoneAbbrev = "CET";
  gap.ZoneHours = -1.0f;
  gap.Latitude = 52.52;
  gap.Longitude = -13.4;
  gap.ClockFit = LocalTimeFit::InGap;
  struct Case {
    const char* change;
    void (*edit)(NewChartForm&);
    LocalTimeFit kept;
  };
  const Case cases[] = {
      {"nothing", [](NewChartForm&) {}, LocalTimeFit::InGap},
      {"another zone typed", [](NewChartForm& f) { f.fields.zone = "CEST -2:00"; }, LocalTimeFit::Unique},
      {"the time edited", [](NewChartForm& f) { f.PlaceEdited(); }, LocalTimeFit::Unique},
  };
  for (const Case& c : cases) {
    form.Load(ChartEntryFields(gap, settings));
    c.edit(form);
    const std::optional<ChartRecord> chart = form.Accept(messages);
    ASSERT_TRUE(chart.has_value()) << c.change;
    EXPECT_EQ(chart->ClockFit, c.kept) << c.change;
    EXPECT_EQ(EditedChart({}, *chart).chart.ClockFit, c.kept) << c.change;
  }
  // A time marked unknown has no clock to change.
  form.Load(ChartEntryFields(gap, settings));
  form.fields.time = "unknown";
  ASSERT_TRUE(form.Accept(messages).has_value());
  EXPECT_EQ(form.Accept(messages)->ClockFit, LocalTimeFit::Unique);
}

TEST_F(NewChartFormTest, OkParsesEachFieldAndStopsAtTheFirstThatFails) {
  form.fields.name = "Ann";
  form.fields.eventKind = EventFemale;
  const auto chart = form.Accept(messages);
  ASSERT_TRUE(chart.has_value());
  EXPECT_EQ(chart->Name, "Ann");
  EXPECT_EQ(chart->Place, "Adelaide");
  EXPECT_FLOAT_EQ(chart->ZoneHours, -9.5f);
  EXPECT_EQ(chart->ZoneAbbrev, "ACST");
  EXPECT_NEAR(chart->Longitude, -(138 + 35 / 60.0), 1e-3);
  EXPECT_EQ(chart->EventKind, EventFemale);
  EXPECT_EQ(chart->Moment.Year, 2026);

  form.fields.date = "31 Feb 2026";
  form.fields.latitude = "bad";
  EXPECT_FALSE(form.Accept(messages).has_value());
  ASSERT_EQ(messages.messages.size(), 1u) << "only the date's message";
}

}  // namespace
}  // namespace korvana
