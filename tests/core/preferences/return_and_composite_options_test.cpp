#include <gtest/gtest.h>

#include "core/config/program_settings.h"
#include "core/preferences/composite_options.h"
#include "core/preferences/return_options_form.h"
#include "support/date_time_fixture.h"
#include "support/recording_messages.h"

namespace korvana {
namespace {

using testing::RecordingMessages;

ChartRecord Natal() {
  ChartRecord c;
  c.Name = "Albert";
  c.Moment = testing::Rec(1879, 3, 14, 11, 30);
  c.Place = "Ulm";
  c.Country = "Germany";
  c.ZoneHours = -0.6661f;
  c.ZoneAbbrev = "LMT";
  c.Latitude = 48.4;
  c.Longitude = -10.0;
  c.EventKind = EventMale;
  return c;
}

class ReturnOptionsFormTest : public ::testing::Test {
 protected:
  ReturnOptionsFormTest() : form(settings, nullptr, nullptr, ReturnSolar, Natal(), testing::Rec(2020, 3, 20, 12)) {}
  ProgramSettings settings;
  ReturnOptionsForm form;
  RecordingMessages messages;
};

TEST_F(ReturnOptionsFormTest, StartsAtTheNatalPlaceNearestAndTheSettingsNatalChoice) {
  EXPECT_EQ(form.Fields().fields.place, "Ulm");
  EXPECT_EQ(form.Fields().fields.country, "Germany");
  EXPECT_EQ(form.Fields().fields.date, "20 Mar 2020");
  EXPECT_FALSE(form.Relocated());
  EXPECT_EQ(form.which, ReturnWhich::Nearest);
  EXPECT_TRUE(form.showNatal);
  settings.ShowNatalCht = false;
  ReturnOptionsForm later(settings, nullptr, nullptr, ReturnLunar, Natal(), testing::Rec(2020, 3, 20));
  EXPECT_FALSE(later.showNatal);
  EXPECT_EQ(ReturnOptionsLabel(ReturnLunar), "Lunar Return Date and Place");
  EXPECT_EQ(ReturnOptionsLabel(ReturnSolar), "Solar Return Date and Place");
}

TEST_F(ReturnOptionsFormTest, WhichReturnFollowsTheListOrder) {
  const std::pair<int, ReturnWhich> cases[] = {
      {0, ReturnWhich::Current}, {1, ReturnWhich::Nearest}, {2, ReturnWhich::Next}, {7, ReturnWhich::Nearest}};
  for (const auto& [index, which] : cases) {
    EXPECT_EQ(ReturnWhichAt(index), which) << index;
    if (index < 3) {
      EXPECT_EQ(ReturnWhichIndex(which), index);
    }
  }
}

TEST_F(ReturnOptionsFormTest, OkGivesTheBaseAtTheNatalPlaceWithTheTypedMoment) {
  form.Fields().fields.time = "9:15";
  form.which = ReturnWhich::Next;
  form.showNatal = false;
  const auto search = form.Accept(messages);
  ASSERT_TRUE(search.has_value()) << (messages.messages.empty() ? "" : messages.messages[0].text);
  EXPECT_EQ(search->which, ReturnWhich::Next);
  EXPECT_EQ(search->base.Place, "Ulm");
  EXPECT_DOUBLE_EQ(search->base.Latitude, 48.4);
  EXPECT_EQ(search->base.Moment.Year, 2020);
  EXPECT_EQ(search->base.Moment.Hour, 9);
  EXPECT_EQ(search->base.Moment.Minute, 15);
  EXPECT_EQ(search->base.EventKind, EventEvent);
  EXPECT_EQ(search->base.Name, "Albert") << "the base is the natal record moved, not a new chart";
  EXPECT_FALSE(settings.ShowNatalCht) << "the check box is the setting";
}

TEST_F(ReturnOptionsFormTest, ARelocatedPlaceIsTakenAndNatalPutsTheNatalPlaceBack) {
  form.SetRelocated(true);
  NewChartFields& f = form.Fields().fields;
  f.place = "Zurich";
  f.country = "Switzerland";
  f.zone = "CET -1:00";
  f.latitude = "47n22";
  f.longitude = "8e33";
  auto search = form.Accept(messages);
  ASSERT_TRUE(search.has_value());
  EXPECT_EQ(search->base.Place, "Zurich");
  EXPECT_NEAR(search->base.Longitude, -(8 + 33.0 / 60), 1e-4) << "east is negative";
  EXPECT_FLOAT_EQ(search->base.ZoneHours, -1.0f);

  form.SetRelocated(false);
  EXPECT_EQ(f.place, "Ulm");
  EXPECT_EQ(f.zone, "LMT -0:39:58");
  search = form.Accept(messages);
  ASSERT_TRUE(search.has_value());
  EXPECT_EQ(search->base.Place, "Ulm");
  EXPECT_DOUBLE_EQ(search->base.Longitude, -10.0);
}

TEST_F(ReturnOptionsFormTest, AFieldThatDoesNotParseRefusesOkWithItsMessage) {
  const std::pair<std::string NewChartFields::*, const char*> cases[] = {
      {&NewChartFields::date, "the 45th of Smarch"},
      {&NewChartFields::time, "25:99"},
  };
  for (const auto& [field, text] : cases) {
    ReturnOptionsForm fresh(settings, nullptr, nullptr, ReturnSolar, Natal(), testing::Rec(2020, 3, 20, 12));
    fresh.SetRelocated(true);
    fresh.Fields().fields.*field = text;
    messages.messages.clear();
    settings.ShowNatalCht = true;
    fresh.showNatal = false;
    EXPECT_FALSE(fresh.Accept(messages).has_value()) << text;
    EXPECT_FALSE(messages.messages.empty()) << text;
    EXPECT_TRUE(settings.ShowNatalCht) << "a refused OK changes no setting";
  }
}

TEST(CompositeOptions, TheListsStandForTheMethodAndAnchorSettings) {
  struct Case {
    int method, anchor;                 // settings read
    CompositeOptionsChoice shown;       // positions shown
  };
  const Case cases[] = {
      {2, 0, {0, 0}}, {15, 1, {1, 1}}, {2, 10, {0, 2}}, {99, 7, {0, 0}},  // unknown values show the defaults
  };
  for (const Case& c : cases) {
    ProgramSettings s;
    s.CompositeChartMethod = c.method;
    s.CompositeMPBaseHouse = c.anchor;
    const CompositeOptionsChoice shown = CompositeOptionsFrom(s);
    EXPECT_EQ(shown.method, c.shown.method) << c.method;
    EXPECT_EQ(shown.anchor, c.shown.anchor) << c.anchor;
  }
  ProgramSettings s;
  EXPECT_TRUE(ApplyCompositeOptions({1, 2}, s));
  EXPECT_EQ(s.CompositeChartMethod, 15);
  EXPECT_EQ(s.CompositeMPBaseHouse, 10);
  EXPECT_FALSE(ApplyCompositeOptions({1, 2}, s)) << "nothing changed, nothing to recast";
  EXPECT_TRUE(ApplyCompositeOptions({-1, 5}, s));
  EXPECT_EQ(s.CompositeChartMethod, 2);
  EXPECT_EQ(s.CompositeMPBaseHouse, 0);
}

}  // namespace
}  // namespace korvana
