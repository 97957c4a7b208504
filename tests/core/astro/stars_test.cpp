// Fixed stars: the star file and the star positions against the library's own
// star catalogue calculation.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <fstream>
#include <sstream>

#include "astro_test_support.h"
#include "core/astro/cast_chart.h"
#include "core/astro/stars.h"
#include "core/time/angle_math.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::ArcSeconds;

std::vector<StarRecord> CatalogueStars() {
  std::ifstream in(std::string(SystemSwissEphemerisFolder) + "sefstars.txt");
  std::vector<StarRecord> stars;
  for (std::string line; std::getline(in, line);)
    if (auto s = ParseCatalogueStarLine(line)) stars.push_back(*s);
  return stars;
}

TEST(StarsTest, PositionsAgreeWithTheLibraryWithinOneArcSecond) {
  ASSERT_TRUE(testing::UseSystemSwissFiles());
  std::vector<StarRecord> stars = CatalogueStars();
  ASSERT_GT(stars.size(), 1000u);
  int compared = 0;
  for (double jd = 2415020.5; jd < 2469807.5; jd += 3044.3) {  // 1900..2050
    double sun[6];
    char serr[AS_MAXCH];
    ASSERT_GE(swe_calc(jd, SE_SUN, SEFLG_SWIEPH | SEFLG_TRUEPOS | SEFLG_NOABERR, sun, serr), 0);
    for (std::size_t i = 0; i < stars.size(); i += 7) {
      const StarRecord& s = stars[i];
      // The library looks stars up by designation (",alTau").
      char star[AS_MAXCH];
      std::snprintf(star, sizeof star, ",%s", s.Designation.c_str());
      double xx[6];
      if (swe_fixstar2(star, jd, SEFLG_SWIEPH, xx, serr) < 0) continue;
      StarPosition p = CalcStarPos(s.Values, s.Magnitude, jd, sun[0]);
      EXPECT_LE(ArcSeconds(p.Longitude, xx[0]), 1.0) << s.Name << " " << s.Designation << " JD " << jd;
      EXPECT_LE(ArcSeconds(p.Latitude, xx[1]), 1.0) << s.Name << " " << s.Designation << " JD " << jd;
      ++compared;
    }
  }
  EXPECT_GT(compared, 500);
}

TEST(StarsTest, CatalogueLinesAreParsedIntoTheStoredUnits) {
  auto algol = ParseCatalogueStarLine(
      "Algol      ,bePer,ICRS,03,08,10.13245,+40,57,20.3280,2.99,-1.66,4,36.27,2.12, 40,  673");
  ASSERT_TRUE(algol);
  EXPECT_EQ(algol->Name, "Algol");
  EXPECT_EQ(algol->Designation, "bePer");
  EXPECT_EQ(algol->Values[0], 169351987);  // (3h 8m 10.13245s) * 15 in mas
  EXPECT_EQ(algol->Values[1], 147440328);
  EXPECT_EQ(algol->Values[2], 2990);
  EXPECT_EQ(algol->Values[3], -1660);
  EXPECT_EQ(algol->Values[4], 4000);
  EXPECT_EQ(algol->Values[5], 36270);
  EXPECT_EQ(algol->Magnitude, 212);
  // A southern declination whose degrees are "-00".
  auto south = ParseCatalogueStarLine("X,y,ICRS,01,00,00,-00,30,00,0,0,0,0,5.0");
  ASSERT_TRUE(south);
  EXPECT_EQ(south->Values[1], -1800000);
  for (const char* bad : {"# comment", "", "Old,x,1950,01,00,00,+10,00,00,0,0,0,0,1",
                          "Short,x,ICRS,01,00", "Bad,x,ICRS,aa,00,00,+10,00,00,0,0,0,0,1",
                          "Far,x,ICRS,25,00,00,+10,00,00,0,0,0,0,1"})
    EXPECT_FALSE(ParseCatalogueStarLine(bad)) << bad;
}

TEST(StarsTest, StarFileNamesAndLongitudes) {
  korvana::testing::TempFolder folder;
  std::vector<StarRecord> stars = CatalogueStars();
  std::vector<StarRecord> two = {stars.at(0), stars.at(1)};
  two[1].Name = "Deneb Algedi";
  std::string path = folder.Write("two.fst", EncodeStarFile(two));
  EXPECT_EQ(LoadStarNames(path),
            (std::vector<std::string>{"Error", std::string(stars[0].Name), "Deneb_Algedi"}));

  ASSERT_TRUE(testing::UseSystemSwissFiles());
  ChartRecord chart = testing::ChartAt(1980, 4, 2, 8, 0, 51.5, 0.0);
  CalculatedChart tropical = CastChart(chart, {});
  chart.Zodiac = 2;
  CalculatedChart sidereal = CastChart(chart, {});
  double sun = tropical.Longitude(PointSun);
  StarPosition p = CalcStarPos(two[1].Values, two[1].Magnitude, tropical.Moment.JDEphem, sun);
  EXPECT_NEAR(StarLongitude(path, 2, tropical), p.Longitude, 1e-9);
  EXPECT_NEAR(StarLongitude(path, 2, sidereal), Mod360(p.Longitude + sidereal.Moment.ZodiacOffset), 1e-9);
  EXPECT_EQ(StarLongitude(path, 3, tropical), -1.0);
  EXPECT_EQ(StarLongitude(path, 0, tropical), -1.0);
}

TEST(StarsTest, BrokenStarFilesGiveErrorAndMinusOne) {
  korvana::testing::TempFolder folder;
  ChartRecord chart = testing::ChartAt(1980, 4, 2, 8, 0, 51.5, 0.0);
  CalculatedChart c = CastChart(chart, {});
  std::vector<StarRecord> stars = CatalogueStars();
  std::string full = EncodeStarFile({stars.at(0), stars.at(1), stars.at(2)});
  struct {
    const char* name;
    std::string bytes;
    std::size_t names;  // entries of LoadStarNames, "Error" included
  } cases[] = {
      {"missing.fst", "", 1},
      {"empty.fst", std::string(), 1},
      {"one-byte.fst", std::string(1, '\x03'), 1},
      {"truncated.fst", full.substr(0, 2 + 78 * 2 + 40), 3},  // the count says 3, 2 whole
      {"negative.fst", std::string("\xff\xff", 2) + full.substr(2), 1},
      {"huge-count.fst", std::string("\xff\x7f", 2) + full.substr(2), 4},
  };
  for (const auto& t : cases) {
    std::string path = std::string(t.name) == "missing.fst" ? folder / "missing.fst"
                                                            : folder.Write(t.name, t.bytes);
    auto names = LoadStarNames(path);
    EXPECT_EQ(names.size(), t.names) << t.name;
    EXPECT_EQ(names.at(0), "Error");
    EXPECT_EQ(StarLongitude(path, static_cast<int>(t.names), c), -1.0) << t.name;
    if (t.names > 1) {
      EXPECT_GE(StarLongitude(path, 1, c), 0.0) << t.name;
    }
  }
  // No more than 300 stars are used.
  std::vector<StarRecord> many(320, stars.at(0));
  std::string path = folder.Write("many.fst", EncodeStarFile(many));
  EXPECT_EQ(LoadStarNames(path).size(), 301u);
  EXPECT_EQ(StarLongitude(path, 301, c), -1.0);
  EXPECT_GE(StarLongitude(path, 300, c), 0.0);
}

}  // namespace
}  // namespace korvana

namespace korvana {
namespace {

TEST(StarsTest, GarbageStarRecordsGiveFiniteLongitudes) {
  korvana::testing::TempFolder folder;
  ChartRecord chart = testing::ChartAt(2001, 1, 1, 0, 0, 10.0, 10.0);
  CalculatedChart c = CastChart(chart, {});
  std::string bytes = std::string("\x14\x00", 2);
  std::uint32_t x = 12345;
  for (int i = 0; i < 20 * 78; ++i) {
    x = x * 1103515245u + 12345u;
    bytes += static_cast<char>(x >> 24);
  }
  std::string path = folder.Write("garbage.fst", bytes);
  ASSERT_EQ(LoadStarNames(path).size(), 21u);
  for (int i = 1; i <= 20; ++i) {
    double lon = StarLongitude(path, i, c);
    EXPECT_TRUE(lon >= 0.0 && lon < 360.0) << i << " " << lon;
  }
}

}  // namespace
}  // namespace korvana
