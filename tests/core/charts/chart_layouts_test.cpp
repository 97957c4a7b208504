#include "core/charts/chart_layouts.h"

#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "chart_fixtures.h"
#include "core/config/program_settings.h"

namespace korvana {
namespace {

using testing::LimaReturn;
using testing::SydneyChart;

int U8At(const std::string& b, std::size_t at) { return static_cast<unsigned char>(b[at]); }
int I16At(const std::string& b, std::size_t at) {
  return static_cast<std::int16_t>(U8At(b, at) | (U8At(b, at + 1) << 8));
}
std::int32_t I32At(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(v);
}
float F32At(const std::string& b, std::size_t at) {
  std::uint32_t bits = static_cast<std::uint32_t>(I32At(b, at));
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

class ChartLayouts : public ::testing::Test {
 protected:
  ProgramSettings settings;
};

TEST_F(ChartLayouts, OwnRecordFieldsSitAtTheirOffsets) {
  const ChartRecord c = SydneyChart(settings);
  const std::string own = OwnRecordFromChart(c, 7, 1.5f, 42);
  ASSERT_EQ(own.size(), 110u);
  EXPECT_EQ(U8At(own, 0), 1);
  EXPECT_EQ(U8At(own, 1), 1);
  EXPECT_EQ(U8At(own, 2), EventFemale);  // the event kind
  EXPECT_EQ(U8At(own, 3), 0);
  EXPECT_EQ(U8At(own, 4), 0);
  EXPECT_EQ(own.substr(5, 12), std::string("Test Sydney\0", 12));
  EXPECT_EQ(own.substr(35, 7), std::string("Sydney\0", 7));
  EXPECT_EQ(own.substr(55, 10), std::string("Australia\0", 10));
  EXPECT_EQ(F32At(own, 75), -11.0f);
  EXPECT_EQ(own.substr(79, 5), std::string("AEDT\0", 5));
  EXPECT_EQ(U8At(own, 84), 23);
  EXPECT_EQ(U8At(own, 85), 11);
  EXPECT_EQ(I16At(own, 86), 1975);
  EXPECT_EQ(U8At(own, 88), 4);
  EXPECT_EQ(U8At(own, 89), 5);
  EXPECT_EQ(U8At(own, 90), 6);
  EXPECT_EQ(U8At(own, 99), 7);
  EXPECT_EQ(U8At(own, 100), 3);  // zodiac 2 + 1
  EXPECT_EQ(F32At(own, 101), 1.5f);
  EXPECT_EQ(U8At(own, 105), 1);
  EXPECT_EQ(I32At(own, 106), 42);
}

TEST_F(ChartLayouts, SouthernAndEasternHemispheresRoundTrip) {
  // 33°52'S is hemisphere 0, 33, 52, 0; 151°13'E is hemisphere 0 (not west), 151, 13, 0.
  const std::string own = OwnRecordFromChart(SydneyChart(settings), 5, 0.0f, 0);
  EXPECT_EQ(U8At(own, 91), 0);
  EXPECT_EQ(U8At(own, 92), 33);
  EXPECT_EQ(U8At(own, 93), 52);
  EXPECT_EQ(U8At(own, 94), 0);
  EXPECT_EQ(U8At(own, 95), 0);
  EXPECT_EQ(U8At(own, 96), 151);
  EXPECT_EQ(U8At(own, 97), 13);
  EXPECT_EQ(U8At(own, 98), 0);
  const StoredChart back = ChartFromOwnRecord(own, settings);
  EXPECT_NEAR(back.chart.Latitude, -33.866666, 1e-6);
  EXPECT_NEAR(back.chart.Longitude, -151.216666, 1e-6);
}

TEST_F(ChartLayouts, NorthernAndWesternHemispheresRoundTrip) {
  ChartRecord c = SydneyChart(settings);
  c.Latitude = 69 + 39 / 60.0;        // above the polar circle
  c.Longitude = 157 + 52 / 60.0;      // west
  const std::string own = OwnRecordFromChart(c, 5, 0.0f, 0);
  EXPECT_EQ(U8At(own, 91), 1);
  EXPECT_EQ(U8At(own, 95), 1);
  const StoredChart back = ChartFromOwnRecord(own, settings);
  EXPECT_DOUBLE_EQ(back.chart.Latitude, c.Latitude);
  EXPECT_DOUBLE_EQ(back.chart.Longitude, c.Longitude);
}

TEST_F(ChartLayouts, OwnRecordRoundTripKeepsEveryStoredField) {
  settings.Node = 1;
  settings.PFDayOnly = true;
  const ChartRecord c = LimaReturn(settings);
  const StoredChart back = ChartFromOwnRecord(OwnRecordFromChart(c, 12, -3.25f, 9), settings);
  EXPECT_EQ(back.chart, c);
  EXPECT_EQ(back.houseSystem, 12);
  EXPECT_EQ(back.userSvp, -3.25f);
  EXPECT_EQ(back.memoRecord, 9);
  EXPECT_EQ(back.chart.ChartTypeParam, 301);  // the pair parameter survives
}

TEST_F(ChartLayouts, ChoicesNotStoredComeFromTheSettings) {
  ChartRecord c = SydneyChart(settings);
  const std::string own = OwnRecordFromChart(c, 5, 0.0f, 0);
  settings.Node = 1;
  settings.Vulcan = 2;
  settings.GeocentricLat = true;
  const StoredChart back = ChartFromOwnRecord(own, settings);
  EXPECT_TRUE(back.chart.MeanNode);
  EXPECT_EQ(back.chart.VulcanOption, 2);
  EXPECT_TRUE(back.chart.GeocentricLat);
  EXPECT_EQ(back.chart.CalcVersion, 1);
}

TEST_F(ChartLayouts, StoredZodiacByteZeroReadsAsTropical) {
  std::string own = OwnRecordFromChart(SydneyChart(settings), 5, 0.0f, 0);
  own[100] = 0;
  EXPECT_EQ(ChartFromOwnRecord(own, settings).chart.Zodiac, 0);
  own[100] = 10;  // the user-defined zodiac
  EXPECT_EQ(ChartFromOwnRecord(own, settings).chart.Zodiac, 9);
  own[100] = 11;  // beyond the ten zodiacs: damaged, tropical
  EXPECT_EQ(ChartFromOwnRecord(own, settings).chart.Zodiac, 0);
}

TEST_F(ChartLayouts, HouseSystemOutOfRangeTakesTheSetting) {
  settings.Houses = 9;
  std::string own = OwnRecordFromChart(SydneyChart(settings), 5, 0.0f, 0);
  EXPECT_EQ(ChartFromOwnRecord(own, settings).houseSystem, 5);
  own[99] = 0;
  EXPECT_EQ(ChartFromOwnRecord(own, settings).houseSystem, 9);
  own[99] = 32;
  EXPECT_EQ(ChartFromOwnRecord(own, settings).houseSystem, 9);
}

TEST_F(ChartLayouts, ImpossibleStoredDateIsAnError) {
  const std::string good = OwnRecordFromChart(SydneyChart(settings), 5, 0.0f, 0);
  for (auto [offset, value] : {std::pair{85, 13}, {85, 0}, {84, 0}, {84, 32}, {88, 24}, {89, 60}, {90, 60}}) {
    std::string own = good;
    own[static_cast<std::size_t>(offset)] = static_cast<char>(value);
    EXPECT_THROW(ChartFromOwnRecord(own, settings), EChartFileError) << offset << "=" << value;
  }
}

TEST_F(ChartLayouts, TextsAreCutToTheirFieldAndStoredIn8Bit) {
  ChartRecord c = SydneyChart(settings);
  c.Name = "A name that is far too long for any record";
  c.Place = "Z\u00FCrich";
  c.ZoneAbbrev = "ABCDEFG";
  const std::string own = OwnRecordFromChart(c, 5, 0.0f, 0);
  EXPECT_EQ(own.substr(35, 7), std::string("Z\xFCrich\0", 7));
  const StoredChart back = ChartFromOwnRecord(own, settings);
  EXPECT_EQ(back.chart.Name, c.Name.substr(0, 29));
  EXPECT_EQ(back.chart.Place, "Z\u00FCrich");
  EXPECT_EQ(back.chart.ZoneAbbrev, "ABCD");
}

TEST_F(ChartLayouts, FieldsThatDoNotFitFailTheWrite) {
  const auto fails = [&](auto change) {
    ChartRecord c = SydneyChart(settings);
    change(c);
    EXPECT_THROW(OwnRecordFromChart(c, 5, 0.0f, 0), EChartRangeError);
  };
  fails([](ChartRecord& c) { c.ChartType = 256; });
  fails([](ChartRecord& c) { c.ChartSubType = -1; });
  fails([](ChartRecord& c) { c.ChartTypeParam = 70000; });
  fails([](ChartRecord& c) { c.Latitude = 300; });
  fails([](ChartRecord& c) { c.Longitude = std::nan(""); });
  fails([](ChartRecord& c) { c.Zodiac = 255; });
  EXPECT_THROW(OwnRecordFromChart(SydneyChart(settings), 256, 0.0f, 0), EChartRangeError);
}

TEST_F(ChartLayouts, WideRecordLayoutAndRoundTrip) {
  const ChartRecord c = LimaReturn(settings);
  const std::string own = OwnRecordFromChart(c, 6, 2.5f, 77);
  const std::string wide = WideFromOwn(own);
  ASSERT_EQ(wide.size(), 292u);
  EXPECT_EQ(U8At(wide, 0), 4);
  EXPECT_EQ(U8At(wide, 1), 7);
  EXPECT_EQ(wide.substr(2, 18), std::string("Lima phase return\0", 18));
  EXPECT_EQ(wide.substr(52, 5), std::string("Lima\0", 5));
  EXPECT_EQ(wide.substr(72, 5), std::string("Peru\0", 5));
  EXPECT_NEAR(F32At(wide, 92), -12.0433333, 1e-5);
  EXPECT_NEAR(F32At(wide, 96), 77.03, 1e-5);
  EXPECT_EQ(I16At(wide, 100), 1550);
  EXPECT_EQ(U8At(wide, 102), 2);
  EXPECT_EQ(U8At(wide, 103), 28);
  EXPECT_EQ(U8At(wide, 104), 23);
  EXPECT_EQ(F32At(wide, 107), 5.0f);
  EXPECT_EQ(wide.substr(111, 4), "LMT" + std::string(1, '\0'));
  EXPECT_EQ(U8At(wide, 117), EventEvent);
  EXPECT_EQ(U8At(wide, 151), 6);
  EXPECT_EQ(U8At(wide, 152), 1);
  EXPECT_EQ(F32At(wide, 153), 2.5f);
  EXPECT_EQ(U8At(wide, 157), 1);
  EXPECT_EQ(I32At(wide, 158), 77);
  EXPECT_EQ(U8At(wide, 280), 301 & 0xFF);
  EXPECT_EQ(U8At(wide, 283), 301 >> 8);
  EXPECT_EQ(I32At(wide, 284), 0);
  EXPECT_EQ(I32At(wide, 288), 0);
  EXPECT_EQ(U8At(wide, 282), EventEvent);  // the own record's third byte
  EXPECT_EQ(OwnFromWide(wide), own);
}

TEST_F(ChartLayouts, HeaderlessRecordLayoutAndRoundTrip) {
  const std::string own = OwnRecordFromChart(SydneyChart(settings), 8, 0.0f, 0);
  const std::string em = HeaderlessFromOwn(own);
  ASSERT_EQ(em.size(), 115u);
  EXPECT_EQ(em.substr(0, 12), std::string("Test Sydney\0", 12));
  EXPECT_EQ(I16At(em, 30), 1);
  EXPECT_EQ(I16At(em, 32), 1);
  EXPECT_EQ(I16At(em, 83), 23);
  EXPECT_EQ(I16At(em, 85), 11);
  EXPECT_EQ(I16At(em, 87), 1975);
  EXPECT_EQ(I16At(em, 93), 6);
  EXPECT_EQ(I16At(em, 95), 33);
  EXPECT_EQ(I16At(em, 97), 5200);  // minutes*100 + seconds
  EXPECT_EQ(I16At(em, 99), -1);    // south
  EXPECT_EQ(I16At(em, 101), 151);
  EXPECT_EQ(I16At(em, 103), 1300);
  EXPECT_EQ(I16At(em, 105), 0);    // east
  EXPECT_EQ(I16At(em, 107), 8);
  EXPECT_EQ(I16At(em, 109), 3);
  EXPECT_EQ(I16At(em, 113), 2);
  std::string withoutKind = own;
  withoutKind[2] = 0;  // the headerless record holds no event kind
  EXPECT_EQ(OwnFromHeaderless(em, 0.0f), withoutKind);
}

// The birth time's marks (not known, in a clock change) survive every layout and stay out of
// the fields other readers use: the wide record's event kind and the headerless record's
// style.
TEST_F(ChartLayouts, TheBirthTimesMarksSurviveEveryLayout) {
  struct Case {
    bool unknown;
    LocalTimeFit fit;
    int spare;  // the headerless record's spare word
  };
  const Case cases[] = {{false, LocalTimeFit::Unique, 0},
                        {true, LocalTimeFit::Unique, 1},
                        {false, LocalTimeFit::InGap, 2},
                        {false, LocalTimeFit::InFold, 4}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.spare);
    ChartRecord c = LimaReturn(settings);
    c.TimeUnknown = k.unknown;
    c.ClockFit = k.fit;
    const std::string own = OwnRecordFromChart(c, 6, 0.0f, 0);
    EXPECT_EQ(ChartFromOwnRecord(own, settings).chart, c);
    EXPECT_EQ(ChartFromOwnRecord(own, settings).chart.EventKind, EventEvent);
    const std::string wide = WideFromOwn(own);
    EXPECT_EQ(U8At(wide, 117), EventEvent);
    EXPECT_EQ(ChartFromOwnRecord(OwnFromWide(wide), settings).chart, c);
    const std::string em = HeaderlessFromOwn(own);
    EXPECT_EQ(I16At(em, 111), k.spare);
    EXPECT_EQ(I16At(em, 113), 2);
    const ChartRecord back = ChartFromOwnRecord(OwnFromHeaderless(em, 0.0f), settings).chart;
    EXPECT_EQ(back.TimeUnknown, k.unknown);
    EXPECT_EQ(back.ClockFit, k.fit);
  }
  // A spare word some other program filled with a value beyond the marks means nothing.
  std::string em = HeaderlessFromOwn(OwnRecordFromChart(LimaReturn(settings), 6, 0.0f, 0));
  em[111] = 99;
  const ChartRecord other = ChartFromOwnRecord(OwnFromHeaderless(em, 0.0f), settings).chart;
  EXPECT_FALSE(other.TimeUnknown);
  EXPECT_EQ(other.ClockFit, LocalTimeFit::Unique);
}

TEST_F(ChartLayouts, HeaderlessMinutesFieldRule) {
  std::string em = HeaderlessFromOwn(OwnRecordFromChart(SydneyChart(settings), 5, 0.0f, 0));
  const auto latitudeWith = [&](int minutesField, int style) {
    std::string rec = em;
    rec[97] = static_cast<char>(minutesField & 0xFF);
    rec[98] = static_cast<char>((minutesField >> 8) & 0xFF);
    rec[113] = static_cast<char>(style);
    rec[114] = 0;
    return ChartFromOwnRecord(OwnFromHeaderless(rec, 0.0f), settings).chart.Latitude;
  };
  EXPECT_NEAR(latitudeWith(45, 0), -(33 + 45 / 60.0), 1e-9);               // plain minutes
  EXPECT_NEAR(latitudeWith(4530, 0), -(33 + 45 / 60.0 + 30 / 3600.0), 1e-9);  // >= 60: packed
  EXPECT_NEAR(latitudeWith(30, 1), -(33 + 30 / 3600.0), 1e-9);             // style 1: packed
  EXPECT_NEAR(latitudeWith(30, 2), -(33 + 30 / 3600.0), 1e-9);
}

TEST_F(ChartLayouts, DamagedHeaderlessFieldsAreErrorsNotWrappedValues) {
  const std::string em = HeaderlessFromOwn(OwnRecordFromChart(SydneyChart(settings), 5, 0.0f, 0));
  for (std::size_t offset : {30u, 83u, 85u, 89u, 95u, 97u, 101u}) {
    std::string rec = em;
    rec[offset] = '\xFF';
    rec[offset + 1] = '\xFF';  // -1
    EXPECT_THROW(OwnFromHeaderless(rec, 0.0f), EChartRangeError) << offset;
  }
}

TEST_F(ChartLayouts, FileHeaders) {
  const std::string own = OwnFileHeader("Family");
  ASSERT_EQ(own.size(), 110u);
  EXPECT_EQ(I16At(own, 0), 1);
  EXPECT_EQ(own.substr(2, 7), std::string("Family\0", 7));
  EXPECT_EQ(own.substr(82), std::string(27, ' ') + std::string(1, '\0'));
  const std::string wide = WideFileHeader("Family");
  ASSERT_EQ(wide.size(), 292u);
  EXPECT_EQ(I16At(wide, 0), 2);
  EXPECT_EQ(wide.substr(82), std::string(209, ' ') + std::string(1, '\0'));
  const std::string collection = CollectionHeader("Family", 4);
  ASSERT_EQ(collection.size(), 86u);
  EXPECT_EQ(I16At(collection, 0), 3);
  EXPECT_EQ(I32At(collection, 82), 4);
  EXPECT_EQ(TitleFromField(TitleField(std::string(100, 'x'))), std::string(79, 'x'));
}

}  // namespace
}  // namespace korvana
