// The atlas the build makes from GeoNames, looked up the way people type place names.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/charts/atlas.h"

namespace korvana {
namespace {

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

}  // namespace
}  // namespace korvana
