// korvana classical on a sample chart: the dignity table under both shipped report
// schemes, the rulers of the geniture, the almutens, the day and hour and the hyleg;
// and its failures.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

class CliClassicalTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  bool Has(const CliRun& r, const std::string& text) { return r.out.find(text) != std::string::npos; }
  testing::TempFolder dir;
};

// Friday 15 June 1990, noon GMT, London: Ascendant Virgo, Sun in Gemini in the 10th.
const char* const Sample = "classical --name Sample --date '15 Jun 1990' --time 12:00 --zone 0 --lat 51N30 --lon 0W10";

TEST_F(CliClassicalTest, SampleChartUnderTheModernScheme) {
  CliRun r = Korvana(Sample);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r, "PLANETARY STRENGTH (MODERN)")) << r.out;
  // Checked by hand against the tables: Moon 15 Pisces (Neptune, Venus in mutual
  // reception by exaltation, Venus by day, Jupiter's term and face, Mercury twice);
  // Mars 11 Aries (his domicile; Venus's term 6-12, the Sun's face); Saturn 24 Capricorn
  // (domicile and Egyptian term, the Sun's face).
  EXPECT_TRUE(Has(r, "Moon             Neptune   Venusm    Venus     Jupiter   Jupiter   Mercury   Mercury   +2"));
  EXPECT_TRUE(Has(r, "Mars             Mars+     Sun       Sun       Venus     Sun       Venus     Saturn    +9"));
  EXPECT_TRUE(Has(r, "Saturn           Saturn+   Mars      Venus     Saturn+   Sun       Moon      Jupiter   +11"));
  EXPECT_TRUE(Has(r, "Uranus           Saturn    Mars      Venus     Jupiter   Jupiter   Moon      Jupiter   -1 p"));
  EXPECT_TRUE(Has(r, "Rulers of the geniture: Mercury"));
  EXPECT_TRUE(Has(r, "  Venus           18°Ta46'    Venus\n"));
  EXPECT_TRUE(Has(r, "  Cusp 1          25°Vi18'    Mercury\n"));
  EXPECT_TRUE(Has(r, "  Sign of Ascendant: Virgo = Cold and Dry\n"));
  EXPECT_TRUE(Has(r, "Planetary day: Venus, hour: Mars (day hour 6)"));
  EXPECT_TRUE(Has(r, "Hyleg: Sun"));
}

TEST_F(CliClassicalTest, TraditionalSchemeUsesLillysTables) {
  CliRun r = Korvana(std::string(Sample) + " --scheme traditional.alm");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r, "PLANETARY STRENGTH (TRADITIONAL)")) << r.out;
  // Lilly's water triplicity is Mars's; the Ptolemaic term of 15 Pisces is Mercury's;
  // the Moon and Jupiter receive each other by domicile.
  EXPECT_TRUE(Has(r, "Moon             Jupiterm  Venusm    Mars      Mercury   Jupiter   Mercury   Mercury   +7"));
  EXPECT_TRUE(Has(r, "Jupiter          Moonm     Jupiter+  Mars      Mercury   Mercurym  Saturn    Mars      +15"));
  EXPECT_TRUE(Has(r, "Uranus           Saturn    Mars      Venus     Mercury   Jupiter   Moon      Jupiter   --"));
}

TEST_F(CliClassicalTest, Failures) {
  CliRun r = Korvana(std::string(Sample) + " --scheme nothere.alm");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("the almuten scheme " + (dir / "home/nothere.alm") + " was not found"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(Korvana("classical").status, 2);
  EXPECT_EQ(Korvana("classical --chart x.cht:1 --date 1/1/2000").status, 2);
  // A damaged triplicity table: the rulerships message, nothing printed.
  dir.Write("home/tripdig2.fil", "");
  r = Korvana(Sample);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Unable to read rulerships file/s: " + (dir / "home/tripdig2.fil")), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
  // A damaged report scheme: the table's failure heading, the rest still printed.
  dir.Write("home/modern.alm", "short");
  dir.Write("home/tripdig2.fil", std::string(36, '\0'));
  r = Korvana(Sample);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r, "Dignity Read Failure")) << r.out;
  EXPECT_TRUE(Has(r, "Hyleg: Sun"));
}

}  // namespace
}  // namespace korvana
