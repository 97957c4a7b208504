#include "core/charts/place_record.h"

#include <gtest/gtest.h>

#include "place_fixtures.h"

namespace korvana {
namespace {

using testing::Place;

// The bytes of a text field: the text, then NULs to the field's end.
std::string Field(std::string_view text, std::size_t width) {
  std::string field(text);
  field.resize(width, '\0');
  return field;
}

TEST(PlaceRecord, FieldsSitAtTheirOffsets) {
  const std::string bytes = PlaceRecordBytes(Place("Sydney", "NSW", "AEST -10", "33S52", "151E13", 0x0102));
  ASSERT_EQ(bytes.size(), PlaceRecordSize);
  EXPECT_EQ(bytes.substr(0, 20), Field("Sydney", 20));
  EXPECT_EQ(bytes.substr(20, 20), Field("NSW", 20));
  EXPECT_EQ(bytes.substr(40, 14), Field("AEST -10", 14));
  EXPECT_EQ(bytes.substr(54, 8), Field("33S52", 8));
  EXPECT_EQ(bytes.substr(62, 9), Field("151E13", 9));
  EXPECT_EQ(bytes.substr(71, 2), std::string("\x02\x01", 2));
}

TEST(PlaceRecord, ReadsBackWhatItWrites) {
  const PlaceRecord cases[] = {
      Place("Sydney", "NSW", "AEST", "33S52", "151E13", 12),
      Place("Zürich", "Schweiz", "MEZ -1", "47N22", "8E33", -2),  // Windows-1252 text
      Place("X", "", "", "", "", 32767),
      Place("Nineteen characters", "Nineteen characters", "Thirteen char", "1234567", "12345678", -32768),
  };
  for (const PlaceRecord& place : cases) {
    SCOPED_TRACE(place.Place);
    EXPECT_EQ(PlaceFromBytes(PlaceRecordBytes(place)), place);
  }
  EXPECT_EQ(PlaceRecordBytes(Place("Zürich", "CH")).substr(0, 7), std::string("Z\xFCrich\0", 7));
}

TEST(PlaceRecord, LongTextsAreCutToTheirFields) {
  const PlaceRecord place =
      PlaceFromBytes(PlaceRecordBytes(Place("A place name that is too long", "A country that is too long",
                                            "ZONE TEXT TOO LONG", "123456789", "1234567890")));
  EXPECT_EQ(place.Place, "A place name that i");
  EXPECT_EQ(place.Country, "A country that is t");
  EXPECT_EQ(place.Zone, "ZONE TEXT TOO");
  EXPECT_EQ(place.Latitude, "1234567");
  EXPECT_EQ(place.Longitude, "12345678");
}

TEST(PlaceRecord, CoordinatesKeepOnlyBlanksDigitsAndCapitals) {
  const struct {
    const char* typed;
    const char* kept;
  } cases[] = {
      {"34S55", "34S55"},   {"34s55", "34S55"}, {"138e35", "138E35"}, {"34°55'S", "3455S"},
      {"-12.5", "125"},     {" 1 2 ", " 1 2 "}, {"\t34\nS", "34S"},   {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(CoordinateText(c.typed), c.kept);
    EXPECT_EQ(PlaceFromBytes(PlaceRecordBytes(Place("P", "C", "Z", c.typed, c.typed))).Latitude, c.kept);
  }
}

TEST(PlaceRecord, BytesThatAreNoPlaceAreRefused) {
  const std::string good = PlaceRecordBytes(Place("Sydney", "NSW"));
  const struct {
    const char* what;
    std::size_t at;
    std::string bytes;
  } cases[] = {
      {"place without its end", 0, std::string(20, 'x')},
      {"country without its end", 20, std::string(20, 'x')},
      {"zone without its end", 40, std::string(14, 'x')},
      {"latitude without its end", 54, std::string(8, '1')},
      {"longitude without its end", 62, std::string(9, '1')},
      {"small letter in latitude", 54, "33s52"},
      {"control character in longitude", 62, "151\x01"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = good;
    bytes.replace(c.at, c.bytes.size(), c.bytes);
    EXPECT_THROW(PlaceFromBytes(bytes), EPlaceFileError);
  }
  EXPECT_THROW(PlaceFromBytes(good.substr(1)), EPlaceFileError);
  EXPECT_THROW(PlaceFromBytes(good + '\0'), EPlaceFileError);
}

}  // namespace
}  // namespace korvana
