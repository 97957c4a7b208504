#include "core/charts/chart_record.h"

#include <gtest/gtest.h>

#include "core/config/program_settings.h"

namespace korvana {
namespace {

struct KindCase {
  int type, subType;
  const char* name;
};

TEST(ChartKindName, NamesAndExceptions) {
  const KindCase cases[] = {
      {1, 1, "Natal"},        {1, 43, "Relocated"},  {1, 44, "Natal"},
      {2, 8, "Progressed"},   {11, 1, "Progressed"}, {12, 1, "Progressed"},
      {13, 1, "Progressed"},  {15, 1, "Progressed"}, {14, 1, "Locality"},
      {5, 15, "Davison"},     {5, 37, "Coalescent"}, {5, 2, "Composite"},
      {7, 13, "Contrascia"},  {7, 12, "Antiscia"},   {4, 5, "Return"},
      {0, 1, "Unknown"},      {16, 1, "Unknown"},    {-3, 1, "Unknown"},
      // A sub-type out of range counts as 0, so the special sub-types no longer apply.
      {5, 48, "Composite"},   {1, 1000, "Natal"},
  };
  for (const auto& c : cases) EXPECT_EQ(ChartKindName(c.type, c.subType), c.name) << c.type << "/" << c.subType;
}

struct TitleCase {
  int type, subType, param, gender;
  const char* title;
};

TEST(ChartTitle, DefaultFormAndEveryException) {
  const TitleCase cases[] = {
      {1, 1, 0, 0, "Natal Chart"},
      {1, 1, 0, 1, "Male"},
      {1, 1, 0, 2, "Female"},
      {1, 1, 0, 3, "Natal Chart"},
      {1, 16, 0, 1, "Natal from Bailey Conception"},
      {1, 17, 0, 0, "Natal from Bailey Quickening"},
      {1, 21, 0, 0, "Natal from Jayne Uranus (C)"},
      {1, 43, 0, 0, "Natal Relocated"},
      {2, 8, 0, 0, "Sec.Prog."},
      {11, 1, 0, 0, "Tert.Prog."},
      {15, 9, 0, 0, "Tert.Prog (True)"},
      {4, 7, 7, 0, "Mars Return"},
      {4, 7, 301, 0, "Sun/Moon Phase Return"},
      {4, 7, 100, 0, "Return Advanced Options"},  // no point 100
      {4, 5, 0, 0, "Solar Return"},
      {4, 6, 0, 0, "Lunar Return"},
      {5, 15, 0, 0, "Relationship - Davison"},
      {5, 37, 0, 0, "Coalescent"},
      {5, 2, 0, 0, "Composite - Midpoints"},
      {6, 38, 305, 0, "Sun-Mercury Arc Transform"},
      {6, 38, 300, 0, "Harmonic Arc Transform"},
      {6, 39, 305, 0, "Harmonic Johndro (R.A.)"},
      {7, 13, 0, 0, "Contrascia - 0\u00B0 Ari"},
      {7, 12, 0, 0, "Antiscia - 0\u00B0 Cap"},
      {99, 99, 0, 0, "Unknown Unknown"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChartTitle(c.type, c.subType, c.param, c.gender), c.title)
        << c.type << "/" << c.subType << "/" << c.param;
}

TEST(ChartTitle, GenderWordsComeFromTheCaller) {
  const GenderWordPair norwegian{"Mann", "Kvinne"};
  EXPECT_EQ(ChartTitle(1, 1, 0, 1, norwegian), "Mann");
  EXPECT_EQ(ChartTitle(1, 1, 0, 2, norwegian), "Kvinne");
  EXPECT_EQ(ChartTitle(4, 5, 0, 2, norwegian), "Solar Return");
}

TEST(NewChartRecord, TakesTheCalculationChoicesFromTheSettings) {
  ProgramSettings settings;
  settings.Zodiac = 2;
  settings.Node = 1;
  settings.Vulcan = 3;
  settings.PFDayOnly = true;
  settings.ParallaxMoon = true;
  settings.GeocentricLat = true;
  settings.Houses = 7;
  const ChartRecord c = NewChartRecord(settings);
  EXPECT_EQ(c.Zodiac, 2);
  EXPECT_TRUE(c.MeanNode);
  EXPECT_EQ(c.VulcanOption, 3);
  EXPECT_TRUE(c.PFDayOnly);
  EXPECT_TRUE(c.ParallaxMoon);
  EXPECT_TRUE(c.GeocentricLat);
  EXPECT_EQ(c.CalcVersion, 1);
  EXPECT_EQ(c.ChartType, 1);
  EXPECT_EQ(c.ChartSubType, 1);
  EXPECT_EQ(c.ChartTypeParam, 0);
  EXPECT_EQ(c.Moment.Calendar, calAuto);
  EXPECT_EQ(DefaultHouseSystem(settings), 7);
  settings.Houses = 40;
  EXPECT_EQ(DefaultHouseSystem(settings), 5);
}

}  // namespace
}  // namespace korvana
