#include "core/charts/place_lookup.h"

#include <gtest/gtest.h>

#include "core/charts/country_index.h"
#include "core/charts/place_file.h"
#include "place_fixtures.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::NswPlaces;
using testing::Place;
using testing::RecordingMessages;
using testing::TempFolder;
using testing::WaPlaces;

std::vector<PlaceRecord> ListPlaces() {
  return {Place("Sydney", "NSW"), Place("perth", "WA"),     Place("Perthville", "NSW"),
          Place("Albury", "NSW"), Place("Perth", "Scotland"), Place("Broome", "WA")};
}

TEST(PlaceList, IsSortedOnItsKeyColumnWithoutRegardToCase) {
  const struct {
    PlaceOrder order;
    std::vector<int> numbers;
  } cases[] = {
      {PlaceOrder::PlaceFirst, {4, 6, 5, 2, 3, 1}},  // the two Perths by their countries
      {PlaceOrder::CountryFirst, {4, 3, 1, 5, 6, 2}},
  };
  for (const auto& c : cases) {
    std::vector<int> numbers;
    for (const PlaceListEntry& entry : MakePlaceList(ListPlaces(), c.order)) numbers.push_back(entry.number);
    EXPECT_EQ(numbers, c.numbers);
  }
}

TEST(PlaceList, SearchTakesTheExactEntryElseTheFirstStartingWithTheName) {
  const struct {
    PlaceOrder order;
    const char* typed;
    std::optional<int> number;  // of the entry found
  } cases[] = {
      {PlaceOrder::PlaceFirst, "Sydn", 1},        // prefix when nothing is exactly "Sydn"
      {PlaceOrder::PlaceFirst, "SYDNEY", 1},
      {PlaceOrder::PlaceFirst, "Perth", 5},       // exact, before Perthville
      {PlaceOrder::PlaceFirst, "pert", 5},
      {PlaceOrder::PlaceFirst, "Perthv", 3},
      {PlaceOrder::PlaceFirst, "A", 4},
      {PlaceOrder::PlaceFirst, "Sydneys", std::nullopt},
      {PlaceOrder::PlaceFirst, "Zz", std::nullopt},
      {PlaceOrder::PlaceFirst, "", std::nullopt},
      {PlaceOrder::PlaceFirst, "  ", std::nullopt},
      {PlaceOrder::CountryFirst, "NS", 4},        // the country column is searched
      {PlaceOrder::CountryFirst, "wa", 6},
      {PlaceOrder::CountryFirst, "Sco", 5},
      {PlaceOrder::CountryFirst, "Sydney", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + (c.order == PlaceOrder::CountryFirst ? " country first" : ""));
    const std::vector<PlaceListEntry> list = MakePlaceList(ListPlaces(), c.order);
    const auto index = SearchPlaceList(list, c.order, c.typed);
    EXPECT_EQ(index ? std::optional<int>(list[*index].number) : std::nullopt, c.number);
  }
}

class FindPlaceTest : public ::testing::Test {
 protected:
  TempFolder temp;
  RecordingMessages messages;
  PlaceSources sources{temp.Path(), temp / "State.ini"};
  std::vector<PlaceListEntry> list = MakePlaceList(NswPlaces(), PlaceOrder::PlaceFirst);

  void SetUp() override {
    temp.Write("nsw.plc", EncodePlaceFile(NswPlaces()));
    temp.Write("wa.plc", EncodePlaceFile(WaPlaces()));
    temp.Write("State.ini", "[Alternates]\r\nWestern Australia=Nowhere, WA\r\n");
  }
  std::optional<PlaceRecord> Find(std::string_view name, std::string_view country) {
    return FindPlace(name, country, list, PlaceOrder::PlaceFirst, sources, messages);
  }
};

TEST_F(FindPlaceTest, FindsInTheListThenThroughTheCountryAndItsAlternates) {
  const struct {
    const char* name;
    const char* country;
    std::optional<PlaceRecord> found;
  } cases[] = {
      {"newc", "WA", NswPlaces()[1]},                       // the list comes first, whatever the country
      {"Broome", "wa", WaPlaces()[2]},                      // through the index
      {"broome", "Western Australia", WaPlaces()[2]},       // through an alternate
      {"Perth", "NSW", std::nullopt},                       // Perth is filed under WA only
      {"Perthville", "NSW", WaPlaces()[0]},
      {"Bro", "WA", std::nullopt},                          // the files are searched for the whole name
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    messages.messages.clear();
    EXPECT_EQ(Find(c.name, c.country), c.found);
    if (!c.found)
      EXPECT_EQ(messages.Only(), std::string("The place name ") + c.name + " was not found in any place file.");
    else
      EXPECT_TRUE(messages.Empty());
  }
}

TEST_F(FindPlaceTest, AStaleIndexIsRebuiltBeforeTheLookup) {
  ASSERT_TRUE(RefreshCountryIndex(temp.Path(), true, messages));
  temp.Write("tas.plc", EncodePlaceFile({Place("Hobart", "TAS", "AEST", "42S53", "147E19")}));
  EXPECT_EQ(Find("Hobart", "TAS"), Place("Hobart", "TAS", "AEST", "42S53", "147E19"));
}

TEST_F(FindPlaceTest, ADamagedFileIsPassedOverWithAWarning) {
  ASSERT_TRUE(RefreshCountryIndex(temp.Path(), true, messages));
  temp.Write("nsw.plc", EncodePlaceFile(NswPlaces()) + "cut");  // the index still lists it for NSW
  EXPECT_EQ(Find("Perthville", "NSW"), WaPlaces()[0]);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(messages.messages[0].text, "The place file " + (temp / "nsw.plc") + " is damaged: it ends inside place 4.");
}

TEST_F(FindPlaceTest, AMissingPlacesFolderOnlyMeansNotFound) {
  sources.placesFolder = temp / "none/";
  EXPECT_EQ(Find("Broome", "WA"), std::nullopt);
  EXPECT_EQ(messages.Only(), "The place name Broome was not found in any place file.");
}

}  // namespace
}  // namespace korvana
