// The atlas the build makes from GeoNames, looked up the way people type place names.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <memory>

#include "core/charts/atlas.h"
#include "core/charts/chart_place.h"
#include "support/date_time_fixture.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;

// The atlas the build makes from GeoNames: places typed the way people type them.
class BuiltAtlas : public ::testing::Test {
 protected:
  void SetUp() override { atlas = std::make_unique<Atlas>(KORVANA_ATLAS_DB); }
  std::unique_ptr<Atlas> atlas;
};

TEST_F(BuiltAtlas, FindsWellKnownPlaces) {
  struct Case {
    const char* query;
    const char* name;
    const char* state;
    const char* countryCode;
    const char* zone;
    double latitude;
    double longitude;
  };
  const Case cases[] = {
      {"zurich", "Zürich", "Zurich", "CH", "Europe/Zurich", 47.37, 8.55},
      {"Sao Paulo", "São Paulo", "São Paulo", "BR", "America/Sao_Paulo", -23.55, -46.64},
      {"Munich", "Munich", "Bavaria", "DE", "Europe/Berlin", 48.14, 11.58},
      {"München", "Munich", "Bavaria", "DE", "Europe/Berlin", 48.14, 11.58},
      {"muenchen, germany", "Munich", "Bavaria", "DE", "Europe/Berlin", 48.14, 11.58},
      {"Sydney, NSW", "Sydney", "New South Wales", "AU", "Australia/Sydney", -33.87, 151.21},
      {"Sydn", "Sydney", "New South Wales", "AU", "Australia/Sydney", -33.87, 151.21},
      {"Portland, OR", "Portland", "Oregon", "US", "America/Los_Angeles", 45.52, -122.68},
      {"Portland, Maine", "Portland", "Maine", "US", "America/New_York", 43.66, -70.26},
      {"Paris, FR", "Paris", "Île-de-France", "FR", "Europe/Paris", 48.85, 2.35},
      {"Paris, Texas, USA", "Paris", "Texas", "US", "America/Chicago", 33.66, -95.56},
      {"London, ON", "London", "Ontario", "CA", "America/Toronto", 42.98, -81.23},
      {"winston salem", "Winston-Salem", "North Carolina", "US", "America/New_York", 36.10, -80.24},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    const AtlasLookup lookup = atlas->Find(c.query);
    ASSERT_EQ(lookup.status, AtlasStatus::Found);
    const AtlasPlace& place = lookup.places.front();
    EXPECT_EQ(place.name, c.name);
    EXPECT_EQ(place.state, c.state);
    EXPECT_EQ(place.countryCode, c.countryCode);
    EXPECT_EQ(place.zone, c.zone);
    EXPECT_NEAR(place.latitude, c.latitude, 0.05);
    EXPECT_NEAR(place.longitude, c.longitude, 0.05);
  }
}

TEST_F(BuiltAtlas, AmbiguousNamesListedByPopulationWithStateAndCountry) {
  const AtlasLookup lookup = atlas->Find("Paris", 0);
  ASSERT_EQ(lookup.status, AtlasStatus::Found);
  EXPECT_EQ(lookup.places.front().country, "France");
  EXPECT_TRUE(std::is_sorted(lookup.places.begin(), lookup.places.end(),
                             [](const AtlasPlace& a, const AtlasPlace& b) {
                               return a.population > b.population;
                             }));
  const auto texas = std::find_if(lookup.places.begin(), lookup.places.end(),
                                  [](const AtlasPlace& p) { return p.state == "Texas"; });
  ASSERT_NE(texas, lookup.places.end());
  EXPECT_EQ(texas->country, "United States");
  EXPECT_EQ(texas->zone, "America/Chicago");
}

// The folder the build seeds data folders from: the atlas, the zone history tables, and
// the shipped place files in its user folder.
std::string TemplateFolder() {
  const std::string db = KORVANA_ATLAS_DB;
  return db.substr(0, db.rfind('/') + 1);
}

DateTimeRec Local(int year, int month, int day, int hour, int minute) {
  return testing::Rec(year, month, day, hour, minute, 0, calGregorian);
}

// A chart's place found by its name in the atlas and in the shipped place files gives
// the same coordinates (within the place files' minute of arc) and the same zone in
// force on the chart's date.
TEST_F(BuiltAtlas, ChartPlacesFromTheAtlasAndTheShippedPlaceFilesAgree) {
  struct Case {
    const char* place;
    const char* atlasCountry;
    const char* placeFile;
    const char* fileCountry;
    DateTimeRec moment;
    double zoneHours;
    ZoneKind kind;
  };
  const Case cases[] = {
      {"Ulm", "Germany", "germany.plc", "Germany", Local(1879, 3, 14, 11, 30), -(9 + 59.5 / 60) / 15,
       ZoneKind::LocalMeanTime},
      {"London", "GB", "britain.plc", "England", Local(1941, 7, 1, 12, 0), -2, ZoneKind::DoubleSummer},
      {"New York City", "US", "usa.plc", "NY", Local(1943, 7, 1, 12, 0), 4, ZoneKind::WarTime},
      {"Adelaide", "Australia", "australi.plc", "SA", Local(2026, 12, 10, 12, 0), -10.5, ZoneKind::Daylight},
      {"Sydney", "NSW", "australi.plc", "Australia", Local(1980, 7, 1, 12, 0), -10, ZoneKind::Standard},
      {"Portland", "OR", "usa.plc", "OR", Local(2000, 1, 1, 12, 0), 8, ZoneKind::Standard},
      {"Toronto", "Canada", "canada.plc", "Canada", Local(1990, 7, 1, 12, 0), 4, ZoneKind::Daylight},
  };
  const std::string folder = TemplateFolder();
  PlaceFileContext context;
  context.sources = {folder + "userdata/", folder + "State.ini"};
  context.tables = {folder};
  for (const Case& c : cases) {
    RecordingMessages messages;
    const auto fromAtlas = LocateInAtlas(*atlas, c.place, c.atlasCountry, c.moment, messages);
    ASSERT_TRUE(fromAtlas.has_value()) << c.place << ": " << (messages.messages.empty() ? "" : messages.messages[0].text);
    EXPECT_EQ(fromAtlas->kind, c.kind) << c.place;
    EXPECT_NEAR(fromAtlas->zoneHours, c.zoneHours, 0.01) << c.place;
    const auto fromFile =
        LocateInPlaceFiles(folder + "userdata/" + c.placeFile, c.place, c.fileCountry, c.moment, context, messages);
    ASSERT_TRUE(fromFile.has_value()) << c.place << ": " << (messages.messages.empty() ? "" : messages.messages[0].text);
    EXPECT_NEAR(fromFile->latitude, fromAtlas->latitude, 1.0 / 60) << c.place;
    EXPECT_NEAR(fromFile->longitude, fromAtlas->longitude, 1.0 / 60) << c.place;
    EXPECT_NEAR(fromFile->zoneHours, fromAtlas->zoneHours, 0.01) << c.place;
    EXPECT_EQ(fromFile->zoneAbbrev, fromAtlas->zoneAbbrev) << c.place;
  }
}

TEST_F(BuiltAtlas, AChartPlaceSeveralPlacesAnswerToIsAnErrorListingThem) {
  RecordingMessages messages;
  EXPECT_FALSE(LocateInAtlas(*atlas, "Portland", "", Local(2000, 1, 1, 12, 0), messages).has_value());
  ASSERT_EQ(messages.messages.size(), 1u);
  const std::string& text = messages.messages[0].text;
  EXPECT_EQ(text.rfind("Several places match \"Portland\":", 0), 0u) << text;
  EXPECT_NE(text.find("Portland, Oregon, United States"), std::string::npos) << text;
  EXPECT_NE(text.find("Portland, Maine, United States"), std::string::npos) << text;
  EXPECT_LT(text.find("Oregon"), text.find("Maine")) << "most populous first";
}

TEST_F(BuiltAtlas, AChartTimeInTheSpringGapIsFlagged) {
  RecordingMessages messages;
  const auto gap = LocateInAtlas(*atlas, "Adelaide", "SA", Local(2023, 10, 1, 2, 30), messages);
  ASSERT_TRUE(gap.has_value());
  EXPECT_EQ(gap->fit, LocalTimeFit::InGap);
  EXPECT_NE(LocalTimeFitMessage(*gap).find("Adelaide"), std::string::npos);
}

// Zone hours at random places and dates agree with Python's zoneinfo, an independent
// reader of the same tz database (local mean time aside: the chart takes the place's own
// longitude, zoneinfo the zone's main city's). Times the clocks skipped or repeated are
// read as zoneinfo reads them with fold=0: with the offset before the change.
TEST_F(BuiltAtlas, ZoneHoursAgreeWithPythonZoneinfo) {
  struct Sample {
    std::string zone;
    double longitudeWest;
    DateTimeRec moment;
  };
  std::vector<Sample> samples;
  {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(KORVANA_ATLAS_DB, &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT zone, longitude FROM places ORDER BY id LIMIT 1 OFFSET ?", -1, &query,
                                 nullptr),
              SQLITE_OK);
    sqlite3_stmt* count = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT count(*) FROM places", -1, &count, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
    const int places = sqlite3_column_int(count, 0);
    sqlite3_finalize(count);
    std::mt19937 random(19000101);
    std::uniform_int_distribution<int> place(0, places - 1), year(1900, 2030), month(1, 12), day(1, 28),
        hour(0, 23), minute(0, 59);
    while (samples.size() < 1000) {
      sqlite3_reset(query);
      sqlite3_bind_int(query, 1, place(random));
      ASSERT_EQ(sqlite3_step(query), SQLITE_ROW);
      Sample s;
      s.zone = reinterpret_cast<const char*>(sqlite3_column_text(query, 0));
      s.longitudeWest = -sqlite3_column_double(query, 1);
      s.moment = Local(year(random), month(random), day(random), hour(random), minute(random));
      samples.push_back(s);
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
  }
  TempFolder folder;
  std::string input;
  for (const Sample& s : samples) {
    input += s.zone + " " + std::to_string(s.moment.Year) + " " + std::to_string(s.moment.Month) + " " +
             std::to_string(s.moment.Day) + " " + std::to_string(s.moment.Hour) + " " +
             std::to_string(s.moment.Minute) + "\n";
  }
  const std::string in = folder.Write("cases.txt", input);
  const std::string out = folder / "offsets.txt";
  const std::string script =
      "import sys, datetime, zoneinfo\n"
      "for line in open(sys.argv[1]):\n"
      "    z, *t = line.split()\n"
      "    d = datetime.datetime(*map(int, t), tzinfo=zoneinfo.ZoneInfo(z))\n"
      "    print(-d.utcoffset().total_seconds() / 3600, d.tzname())\n";
  const std::string scriptPath = folder.Write("offsets.py", script);
  ASSERT_EQ(std::system(("python3 " + scriptPath + " " + in + " > " + out).c_str()), 0);
  std::istringstream lines(folder.Read("offsets.txt"));
  int agreeing = 0, localMeanTime = 0;
  for (const Sample& s : samples) {
    double hours = 0;
    std::string name;
    ASSERT_TRUE(lines >> hours >> name);
    const auto z = ZoneInForceAt(s.zone, s.moment, s.longitudeWest);
    ASSERT_TRUE(z.has_value()) << s.zone;
    if (z->kind == ZoneKind::LocalMeanTime) {
      EXPECT_EQ(name, "LMT") << s.zone << " " << s.moment.Year;
      ++localMeanTime;
      continue;
    }
    EXPECT_NEAR(z->hours, hours, 1e-9) << s.zone << " " << s.moment.Year << "-" << int(s.moment.Month) << "-"
                                       << int(s.moment.Day) << " " << int(s.moment.Hour) << ":"
                                       << int(s.moment.Minute);
    EXPECT_EQ(z->abbreviation, name) << s.zone;
    if (std::abs(z->hours - hours) < 1e-9) ++agreeing;
  }
  std::cout << "zone hours agreeing with zoneinfo: " << agreeing << " of " << samples.size() - localMeanTime
            << " (and " << localMeanTime << " in local mean time on both sides)\n";
}

}  // namespace
}  // namespace korvana
