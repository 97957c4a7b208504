// The own back end's asteroid files: reading, interpolation and the range rules.
#include <gtest/gtest.h>
#include <swephexp.h>

#include "astro_test_support.h"
#include "core/astro/asteroid_file.h"
#include "core/astro/cast_chart.h"
#include "core/points/point_catalogue.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::ArcSeconds;

// The first `records` records of a century's file from the library's asteroid file,
// as the generator writes them (Hygeia and Astraea have no data there).
std::string AsteroidFileStartingRecords(int century, int records) {
  const int bodies[AsteroidFileBodies] = {SE_CHIRON, SE_VESTA, SE_PALLAS, SE_JUNO, SE_CERES, -1, -1};
  std::string data;
  for (int k = 0; k < records; ++k) {
    AsteroidRecord r{};
    for (int b = 0; b < AsteroidFileBodies; ++b) {
      if (bodies[b] < 0) continue;
      double xx[6];
      char serr[AS_MAXCH];
      swe_calc(AsteroidFileStart(century) + AsteroidStepDays * (k - 1), bodies[b],
               SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_TRUEPOS | SEFLG_NONUT | SEFLG_NOABERR | SEFLG_NOGDEFL,
               xx, serr);
      r[static_cast<std::size_t>(b)] = {xx[0], xx[1], xx[2]};
    }
    data += EncodeAsteroidRecord(r);
  }
  return data;
}

class AsteroidFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::UseSystemSwissFiles());
    folder_.Write("as19ad.eph", AsteroidFileStartingRecords(19, 400));  // 1899-12 .. 1921
  }
  CalculatedChart Cast(int year, int month, int day, CalcBackend backend) {
    CastOptions o;
    o.Backend = backend;
    o.EphemPath = folder_.Path();
    return CastChart(testing::ChartAt(year, month, day, 15, 0, 50, -10), o);
  }
  korvana::testing::TempFolder folder_;
};

TEST_F(AsteroidFileTest, FileNamesFollowTheCentury) {
  EXPECT_EQ(AsteroidFileCentury(0.0), 19);
  EXPECT_EQ(AsteroidFileCentury(0.999), 19);
  EXPECT_EQ(AsteroidFileCentury(-0.5), 18);
  EXPECT_EQ(AsteroidFileCentury(1.2), 20);
  EXPECT_EQ(AsteroidFileName(19), "AS19AD.EPH");
  EXPECT_EQ(AsteroidFileName(-3), "AS3BC.EPH");
}

TEST_F(AsteroidFileTest, OwnBackEndAsteroidsAgreeWithTheLibrary) {
  for (auto [year, month, day] : {std::tuple{1900, 1, 1}, {1903, 7, 19}, {1912, 2, 29}, {1920, 12, 2}}) {
    CalculatedChart swiss = Cast(year, month, day, CalcBackend::Swiss);
    CalculatedChart own = Cast(year, month, day, CalcBackend::Own);
    for (int id : {PointChiron, PointVesta, PointPallas, PointJuno, PointCeres}) {
      SCOPED_TRACE(std::string(PointShortName(id)) + " " + std::to_string(year));
      ASSERT_TRUE(own.Point(id).Computed());
      // Three-point interpolation over 20-day steps: a few arcseconds.
      EXPECT_LE(ArcSeconds(own.Longitude(id), swiss.Longitude(id)), 10.0);
      EXPECT_LE(ArcSeconds(own.Point(id).Latitude, swiss.Point(id).Latitude), 10.0);
      EXPECT_NEAR(own.Point(id).Distance, swiss.Point(id).Distance, 2e-4);  // light time
      EXPECT_NEAR(own.Point(id).LongitudeSpeed, swiss.Point(id).LongitudeSpeed, 0.002);
    }
    EXPECT_FALSE(own.Point(PointHygeia).Computed());
    EXPECT_FALSE(own.Point(PointAstraea).Computed());
  }
}

TEST_F(AsteroidFileTest, OutsideTheFilesTheAsteroidsStayUncomputed) {
  // 1750: before the asteroid range; 1950: past the end of this short file;
  // 1850: no file for that century in the folder.
  for (int year : {1750, 1950, 1850}) {
    CalculatedChart own = Cast(year, 6, 1, CalcBackend::Own);
    for (int id = PointChiron; id <= PointAstraea; ++id) {
      EXPECT_EQ(own.Point(id), PointPos{}) << year << " " << PointShortName(id);
    }
    EXPECT_TRUE(own.Point(PointMars).Computed());
  }
  EXPECT_FALSE(AsteroidHeliocentric(folder_.Path(), PointMars, 2415020.5));
}

}  // namespace
}  // namespace korvana
