// korvana report with a report set that plots extra wheel points: the computed ones go into
// the wheel's extra-point ring under their abbreviation (or name); one that could not be
// computed is left out and named in the warning.
#include <gtest/gtest.h>

#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CliReportWheelExtras, ComputedExtraPointsAreDrawnInTheWheel) {
  testing::TempFolder dir;
  auto korvana = [&](const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); };
  // The first run seeds the data folder with the shipped report set.
  ASSERT_EQ(korvana("report --chart main.cht:1 -o '" + (dir / "plain.rtf") + "'").status, 0);
  std::string set = dir.Read("home/modern.swp");
  const std::string off = "UsesExtraPoints=0";
  ASSERT_NE(set.find(off), std::string::npos);
  set.replace(set.find(off), off.size(),
              "UsesExtraPoints=1\nAsteroidID1=1\nAsteroidName1=Ceres|Crs|x\n"
              "AsteroidID2=2\nAsteroidName2=Pallas||x\n"
              "AsteroidID3=433\nAsteroidName3=Eros|Ers|x");
  dir.Write("home/extras.swp", set);
  const std::string plain_wheel = dir.Read("home/reports/chart.wmf");
  ASSERT_FALSE(Has(plain_wheel, "Crs"));

  testing::CliRun r = korvana("report --set extras.swp --chart main.cht:1 -o '" + (dir / "extras.rtf") + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string wheel = dir.Read("home/reports/chart.wmf");
  EXPECT_TRUE(Has(wheel, "Crs")) << "abbreviation of a computed point";
  EXPECT_TRUE(Has(wheel, "Pallas")) << "the name of a point without abbreviation";
  EXPECT_FALSE(Has(wheel, "Ers")) << "a point that could not be computed";
  const std::string err = dir.Read("stderr.txt");
  EXPECT_TRUE(Has(err, "Eros")) << err;
}

}  // namespace
}  // namespace korvana
