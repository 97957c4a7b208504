// korvana composite and korvana return: the charts they print and save, their options
// and their failures.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;
using Json = nlohmann::json;

class CliDerivedTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  Json JsonOf(const std::string& args) {
    CliRun r = Korvana(args);
    EXPECT_EQ(r.status, 0) << args << "\n" << r.err;
    return Json::parse(r.out, nullptr, false);
  }
  static double Point(const Json& chart, int id, const char* field = "Longitude") {
    return chart["points"][id - 1][field].get<double>();
  }
  static double ArcSeconds(double a, double b) {
    double d = std::fmod(a - b + 540.0, 360.0) - 180.0;
    return std::fabs(d) * 3600;
  }
  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
  testing::TempFolder dir;
};

constexpr int Sun = 3, Moon = 1;

TEST_F(CliDerivedTest, ASolarReturnPrintsTheMomentItsAccuracyAndTheChart) {
  CliRun r = Korvana("return --chart main.cht:1 --solar --near '1 Apr 2000' --which current");
  ASSERT_EQ(r.status, 0) << r.err;
  // The natal place is found in the atlas: the return's time is Ulm's clock of 2000.
  EXPECT_TRUE(Has(r.out, "solar return: 2000-03-13 18:59:")) << r.out.substr(0, 300);
  EXPECT_TRUE(Has(r.out, "local: 13 Mar 2000 19:59:")) << r.out.substr(0, 300);
  EXPECT_TRUE(Has(r.out, " CET -1:00 Ulm, Germany\n"));
  EXPECT_TRUE(Has(r.out, "accuracy: 0.24 s\n"));
  EXPECT_TRUE(Has(r.out, "\nchart: Albert Einstein, 13 Mar 2000 19:59:"));

  const Json natal = JsonOf("cast --chart main.cht:1 --json");
  const Json found = JsonOf("return --chart main.cht:1 --solar --near '1 Apr 2000' --which next --json");
  EXPECT_EQ(found["return"]["kind"], "solar");
  EXPECT_LE(ArcSeconds(Point(found["chart"], Sun), Point(natal, Sun)), 0.05);
  EXPECT_NEAR(found["chart"]["moment"]["JDUT"].get<double>(), found["return"]["JDUT"].get<double>(), 1e-7);
  EXPECT_GT(found["return"]["JDUT"].get<double>(), 2451000.5 + 636);  // after 1 April 2000
}

TEST_F(CliDerivedTest, ALunarReturnForAnotherPlaceIsGivenInThatPlacesClock) {
  const Json natal = JsonOf("cast --chart main.cht:3 --json");
  const Json summer =
      JsonOf("return --chart main.cht:3 --lunar --near '10 Jan 2021' --relocate 'Sydney, Australia' --json");
  EXPECT_TRUE(Has(summer["return"]["local"].get<std::string>(), "AEDT -11:00 Sydney, Australia"))
      << summer["return"]["local"];
  EXPECT_LE(ArcSeconds(Point(summer["chart"], Moon), Point(natal, Moon)), 0.05);
  EXPECT_NEAR(summer["chart"]["chart"]["latitude"].get<double>(), -33.87, 0.01);
  const Json typed = JsonOf("return --chart main.cht:3 --lunar --near '10 Jan 2021' --lat 33S52 --lon 151E13 --zone -10 --json");
  EXPECT_TRUE(Has(typed["return"]["local"].get<std::string>(), " -10:00 ")) << typed["return"]["local"];
  EXPECT_NEAR(typed["return"]["JDUT"].get<double>(), summer["return"]["JDUT"].get<double>(), 1e-6)
      << "the same moment, whatever the clock";
}

TEST_F(CliDerivedTest, ReturnsAndCompositesAreSavedToAChartFile) {
  ASSERT_EQ(Korvana("return --chart main.cht:1 --lunar --near '1 Jan 2010' --save out.cht").status, 0);
  ASSERT_EQ(Korvana("composite --chart main.cht:1 --chart2 main.cht:3 --method davison --save out.cht").status, 0);
  CliRun list = Korvana("charts list out.cht");
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_TRUE(Has(list.out, "Albert Einstein")) << list.out;
  EXPECT_TRUE(Has(list.out, "Return")) << list.out;
  EXPECT_TRUE(Has(list.out, "Albert Einstein and Diana Spe")) << list.out;
  EXPECT_TRUE(Has(list.out, "Davison")) << list.out;
}

TEST_F(CliDerivedTest, ACompositeIsTheMidpointChartOrTheDavisonChart) {
  const Json a = JsonOf("cast --chart main.cht:1 --json");
  const Json b = JsonOf("cast --chart main.cht:3 --json");
  const Json midpoint = JsonOf("composite --chart main.cht:1 --chart2 main.cht:3 --method midpoint --json");
  // Pisces and Cancer Suns meet in Taurus, on the shorter arc.
  const double sa = Point(a, Sun), sb = Point(b, Sun);
  EXPECT_NEAR(Point(midpoint, Sun), sa + (sb + 360 - sa) / 2 - 360 * (sa + (sb + 360 - sa) / 2 >= 360), 1e-6);
  EXPECT_EQ(Point(midpoint, Sun, "LongitudeSpeed"), 0.0);
  EXPECT_EQ(midpoint["chart"]["name"], "Albert Einstein and Diana Spen");
  const Json davison = JsonOf("composite --chart main.cht:1 --chart2 main.cht:3 --method davison --json");
  EXPECT_EQ(davison["chart"]["place"], "Midpoint in Space");
  EXPECT_EQ(davison["chart"]["zoneHours"], 0.0);
  EXPECT_NE(Point(davison, Sun, "LongitudeSpeed"), 0.0) << "a real chart";
  // The anchor decides where the houses start.
  const Json first = JsonOf("composite --chart main.cht:1 --chart2 main.cht:3 --anchor 1 --json");
  const Json tenth = JsonOf("composite --chart main.cht:1 --chart2 main.cht:3 --anchor 10 --json");
  EXPECT_EQ(Point(first, 22), first["houses"]["Cusps"][0].get<double>());
  EXPECT_EQ(Point(tenth, 22), tenth["houses"]["Cusps"][0].get<double>());
}

TEST_F(CliDerivedTest, WrongUsageAndFailuresAreSaid) {
  struct Case {
    const char* args;
    int status;
    const char* said;
  };
  const Case cases[] = {
      {"return --chart main.cht:1", 2, "return needs one of --solar and --lunar"},
      {"return --chart main.cht:1 --solar --lunar", 2, "return needs one of --solar and --lunar"},
      {"return --chart main.cht:1 --solar --time 12:00", 2, "takes --time with --near"},
      {"return --chart main.cht:1 --solar --relocate 'Paris, France' --lat 1N0", 2, "either --relocate or"},
      {"return --chart main.cht:1 --solar --lat 1N0", 2, "needs --lat, --lon and --zone together"},
      {"return --chart main.cht:1 --solar --which soon", 2, "--which"},
      {"return --chart main.cht:1 --solar --relocate 'Nowhereville Xq'", 1, "City not found:"},
      {"return --chart main.cht:1 --solar --near '1 Jan 9000'", 1,
       "Unable to find return because date is out of range of the ephemeris."},
      {"return --chart main.cht:99 --solar", 1, "99"},
      {"composite --chart main.cht:1", 2, "--chart2"},
      {"composite --chart main.cht:1 --chart2 main.cht:1", 1,
       "Cannot combine the same chart for a Composite - choose two charts that are different."},
      {"composite --chart main.cht:1 --chart2 main.cht:3 --anchor 4", 2, "--anchor"},
  };
  for (const Case& c : cases) {
    CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_TRUE(Has(r.err, c.said)) << c.args << "\n" << r.err;
    EXPECT_TRUE(r.status != 1 || r.out.empty()) << c.args;
  }
}

}  // namespace
}  // namespace korvana
