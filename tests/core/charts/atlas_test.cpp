#include "core/charts/atlas.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::TempFolder;

// A small atlas with the layout the atlas tool writes: enough places to show exact and
// prefix matches, alternate names, qualifiers and the population order.
constexpr const char* SmallAtlasSql = R"(
  CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
  CREATE TABLE fold(code_point INTEGER PRIMARY KEY, folded TEXT NOT NULL);
  CREATE TABLE countries(code TEXT PRIMARY KEY, name TEXT NOT NULL);
  CREATE TABLE country_keys(search_key TEXT NOT NULL, code TEXT NOT NULL);
  CREATE TABLE admin1(country_code TEXT NOT NULL, admin1_code TEXT NOT NULL, name TEXT NOT NULL);
  CREATE TABLE admin1_keys(search_key TEXT NOT NULL, country_code TEXT NOT NULL,
                           admin1_code TEXT NOT NULL);
  CREATE TABLE places(id INTEGER PRIMARY KEY, name TEXT NOT NULL, ascii_name TEXT NOT NULL,
      search_key TEXT NOT NULL, country_code TEXT NOT NULL, admin1_code TEXT NOT NULL,
      latitude REAL NOT NULL, longitude REAL NOT NULL, population INTEGER NOT NULL,
      zone TEXT NOT NULL);
  CREATE TABLE alternate_names(place_id INTEGER NOT NULL, name TEXT NOT NULL,
                               search_key TEXT NOT NULL);
  INSERT INTO meta VALUES('format', '1');
  INSERT INTO fold VALUES(252, 'u'), (220, 'u'), (223, 'ss'), (233, 'e');
  INSERT INTO countries VALUES('AU', 'Australia'), ('US', 'United States'),
                              ('CH', 'Switzerland');
  INSERT INTO country_keys VALUES('au', 'AU'), ('australia', 'AU'), ('us', 'US'),
      ('usa', 'US'), ('united states', 'US'), ('ch', 'CH'), ('switzerland', 'CH');
  INSERT INTO admin1 VALUES('AU', '02', 'New South Wales'), ('AU', '07', 'Victoria'),
      ('US', 'OR', 'Oregon'), ('US', 'ME', 'Maine');
  INSERT INTO admin1_keys VALUES('new south wales', 'AU', '02'), ('nsw', 'AU', '02'),
      ('victoria', 'AU', '07'), ('vic', 'AU', '07'), ('oregon', 'US', 'OR'),
      ('or', 'US', 'OR'), ('maine', 'US', 'ME'), ('me', 'US', 'ME');
  INSERT INTO places VALUES
      (1, 'Sydney', 'Sydney', 'sydney', 'AU', '02', -33.86785, 151.20732, 5231147, 'Australia/Sydney'),
      (8, 'Portland', 'Portland', 'portland', 'US', 'OR', 45.52345, -122.67621, 652503, 'America/Los_Angeles'),
      (3, 'Portland', 'Portland', 'portland', 'US', 'ME', 43.65737, -70.2589, 66881, 'America/New_York'),
      (4, 'Portland', 'Portland', 'portland', 'AU', '07', -38.3462, 141.60257, 9429, 'Australia/Melbourne'),
      (5, 'Zürich', 'Zurich', 'zurich', 'CH', 'ZH', 47.36667, 8.55, 341730, 'Europe/Zurich'),
      (6, 'Sydenham', 'Sydenham', 'sydenham', 'AU', '07', -37.7, 144.76, 10000, 'Australia/Melbourne'),
      (7, 'Sydney Mines', 'Sydney Mines', 'sydney mines', 'AU', '02', -33.0, 151.0, 100, 'Australia/Sydney'),
      (9, 'Zuerichberg', 'Zuerichberg', 'zuerichberg', 'CH', 'ZH', 47.4, 8.6, 999999, 'Europe/Zurich');
  INSERT INTO alternate_names VALUES(5, 'Zuerich', 'zuerich'), (5, 'Zurigo', 'zurigo');
)";

std::string MakeDatabase(const TempFolder& folder, const char* name, const char* sql) {
  const std::string path = folder / name;
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
  return path;
}

class SmallAtlas : public ::testing::Test {
 protected:
  TempFolder folder;
  Atlas atlas{MakeDatabase(folder, "atlas.db", SmallAtlasSql)};

  static std::vector<std::int64_t> Ids(const AtlasLookup& lookup) {
    std::vector<std::int64_t> ids;
    for (const auto& place : lookup.places) ids.push_back(place.id);
    return ids;
  }
};

TEST_F(SmallAtlas, FindsPlacesAsTyped) {
  struct Case {
    const char* query;
    AtlasStatus status;
    std::vector<std::int64_t> ids;  // in the order expected
  };
  const Case cases[] = {
      // every place of the name, most populous first
      {"Portland", AtlasStatus::Found, {8, 3, 4}},
      {"  PORTLAND  ", AtlasStatus::Found, {8, 3, 4}},
      // one qualifier: a state by code, abbreviation or name, or a country
      {"Portland, OR", AtlasStatus::Found, {8}},
      {"Portland, Maine", AtlasStatus::Found, {3}},
      {"Portland, VIC", AtlasStatus::Found, {4}},
      {"Portland, Australia", AtlasStatus::Found, {4}},
      {"Portland,us", AtlasStatus::Found, {8, 3}},
      // state and country
      {"Portland, Oregon, USA", AtlasStatus::Found, {8}},
      {"Portland, Victoria, US", AtlasStatus::StateNotFound, {}},
      {"Portland, Oregon, Atlantis", AtlasStatus::CountryNotFound, {}},
      {"Portland, Atlantis", AtlasStatus::CountryNotFound, {}},
      {"Portland, NSW", AtlasStatus::PlaceNotFound, {}},
      // accents and other names
      {"zurich", AtlasStatus::Found, {5}},
      {"ZÜRICH", AtlasStatus::Found, {5}},
      {"Zuerich", AtlasStatus::Found, {5}},  // not the larger Zuerichberg
      {"Zuerichb", AtlasStatus::Found, {9}},
      {"Zurigo, CH", AtlasStatus::Found, {5}},
      // an exact name wins over longer names; without one, names that begin with it
      {"Sydney", AtlasStatus::Found, {1}},
      {"Sydn", AtlasStatus::Found, {1, 7}},
      {"syd", AtlasStatus::Found, {1, 6, 7}},
      {"Syd, VIC", AtlasStatus::Found, {6}},
      {"Nowhere", AtlasStatus::PlaceNotFound, {}},
      // ill-formed queries
      {"", AtlasStatus::IllFormedName, {}},
      {" , NSW", AtlasStatus::IllFormedName, {}},
      {"Sydney,", AtlasStatus::IllFormedName, {}},
      {"Sydney,, AU", AtlasStatus::IllFormedName, {}},
      {"Sydney, NSW, AU, Earth", AtlasStatus::IllFormedName, {}},
      {"...", AtlasStatus::IllFormedName, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    const AtlasLookup lookup = atlas.Find(c.query);
    EXPECT_EQ(lookup.status, c.status);
    EXPECT_EQ(Ids(lookup), c.ids);
  }
}

TEST_F(SmallAtlas, ResultCarriesStateCountryCoordinatesAndZone) {
  const AtlasLookup lookup = atlas.Find("sydney, new south wales, australia");
  ASSERT_EQ(lookup.status, AtlasStatus::Found);
  ASSERT_EQ(Ids(lookup), std::vector<std::int64_t>{1});
  const AtlasPlace& place = lookup.places[0];
  EXPECT_EQ(place.name, "Sydney");
  EXPECT_EQ(place.state, "New South Wales");
  EXPECT_EQ(place.country, "Australia");
  EXPECT_EQ(place.countryCode, "AU");
  EXPECT_DOUBLE_EQ(place.latitude, -33.86785);
  EXPECT_DOUBLE_EQ(place.longitude, 151.20732);
  EXPECT_EQ(place.population, 5231147);
  EXPECT_EQ(place.zone, "Australia/Sydney");

  // a division the atlas has no name for leaves the state empty
  const AtlasLookup zurich = atlas.Find("Zürich");
  ASSERT_EQ(zurich.status, AtlasStatus::Found);
  EXPECT_EQ(zurich.places[0].name, "Zürich");
  EXPECT_EQ(zurich.places[0].state, "");
  EXPECT_EQ(zurich.places[0].country, "Switzerland");
}

TEST_F(SmallAtlas, LimitKeepsTheMostPopulous) {
  EXPECT_EQ(Ids(atlas.Find("Portland", 2)), (std::vector<std::int64_t>{8, 3}));
  EXPECT_EQ(Ids(atlas.Find("Portland", 1)), (std::vector<std::int64_t>{8}));
  EXPECT_EQ(Ids(atlas.Find("Portland", 0)), (std::vector<std::int64_t>{8, 3, 4}));
}

TEST_F(SmallAtlas, FoldsTypedText) {
  const std::pair<const char*, const char*> cases[] = {
      {"Zürich", "zurich"},
      {"Winston-Salem", "winston salem"},
      {"St. John's", "st johns"},
      {"  New \t South   Wales ", "new south wales"},
      {"Großéxample", "grossexample"},
      {"\xCE\xA9mega", "\xCE\xA9mega"},  // a letter the atlas has no key for stays as it is
      {"bad\xFF\xC3", "bad\xFF\xC3"},    // malformed UTF-8 passes through, byte by byte
      {"", ""},
  };
  for (const auto& [text, key] : cases) {
    EXPECT_EQ(atlas.Fold(text), key) << text;
  }
}

TEST(AtlasQueryParsing, SplitsAtCommas) {
  struct Case {
    const char* text;
    bool ok;
    AtlasQuery query;
  };
  const Case cases[] = {
      {"Sydney", true, {"Sydney", "", ""}},
      {" Sydney , NSW ", true, {"Sydney", "NSW", ""}},
      {"Portland,Oregon,US", true, {"Portland", "Oregon", "US"}},
      {"", false, {}},
      {"Sydney,", false, {}},
      {",AU", false, {}},
      {"a,b,c,d", false, {}},
  };
  for (const auto& c : cases) {
    AtlasQuery query;
    EXPECT_EQ(ParseAtlasQuery(c.text, query), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(query.place, c.query.place) << c.text;
      EXPECT_EQ(query.state, c.query.state) << c.text;
      EXPECT_EQ(query.country, c.query.country) << c.text;
    }
  }
}

TEST(AtlasOpening, RefusesWhatIsNoAtlas) {
  TempFolder folder;
  struct Case {
    const char* what;
    std::string path;
    const char* reason;  // part of the message
  };
  const std::string small = MakeDatabase(folder, "small.db", SmallAtlasSql);
  std::string bytes = folder.Read("small.db");
  const Case cases[] = {
      {"missing file", folder / "missing.db", "cannot be opened"},
      {"folder", folder.Path(), "cannot be opened"},
      {"text file", folder.Write("text.db", "Sydney, NSW\n"), "not a valid atlas"},
      {"empty file", folder.Write("empty.db", ""), "not a valid atlas"},
      {"other database", MakeDatabase(folder, "other.db", "CREATE TABLE t(x);"),
       "not a valid atlas"},
      {"atlas without places",
       MakeDatabase(folder, "noplaces.db",
                    "CREATE TABLE fold(code_point INTEGER, folded TEXT);"
                    "CREATE TABLE country_keys(search_key TEXT, code TEXT);"
                    "CREATE TABLE admin1_keys(search_key TEXT, country_code TEXT, admin1_code TEXT);"),
       "not a valid atlas"},
      {"header only", folder.Write("header.db", bytes.substr(0, 100)), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      Atlas atlas(c.path);
      atlas.Find("Portland");
      ADD_FAILURE() << "opened";
    } catch (const EAtlasError& e) {
      EXPECT_NE(std::string(e.what()).find(c.path), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
}

TEST(AtlasOpening, DamagedPagesGiveAnErrorNotACrash) {
  TempFolder folder;
  MakeDatabase(folder, "atlas.db", SmallAtlasSql);
  std::string bytes = folder.Read("atlas.db");
  ASSERT_GT(bytes.size(), 4096u);
  // Everything after the first page overwritten: the schema survives, the tables do not.
  std::fill(bytes.begin() + 4096, bytes.end(), '\x5A');
  const std::string path = folder.Write("damaged.db", bytes);
  EXPECT_THROW(
      {
        Atlas atlas(path);
        atlas.Find("Portland");
      },
      EAtlasError);
}

}  // namespace
}  // namespace korvana
