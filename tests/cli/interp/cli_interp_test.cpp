// korvana interp build and get.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "core/reports/interps/interps.h"
#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

class CliInterpTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  testing::TempFolder dir;
};

TEST_F(CliInterpTest, BuildThenGet) {
  std::string src = dir.Write("src.txt",
                              "Aspects=Conjunction, Trine\n"
                              "[Aspect Sun, Trine, Moon]\nThe Sun trines the Moon.\n"
                              "[Degree 15]\nThe fifteenth degree.\n");
  std::string out = dir / "out.int";
  for (const char* version : {"150", "250", "300"}) {
    SCOPED_TRACE(version);
    CliRun b = Korvana("interp build '" + src + "' -o '" + out + "' --version " + version);
    ASSERT_EQ(b.status, 0) << b.err;
    TEMInterps interps;
    interps.Open(out);
    EXPECT_EQ(interps.Version, std::stoi(version));
    CliRun g = Korvana("interp get '" + out + "' AspectText 1 3 3");
    EXPECT_EQ(g.status, 0) << g.err;
    EXPECT_EQ(g.out, "The Sun trines the Moon.\n");
    EXPECT_EQ(Korvana("interp get '" + out + "' 3 15 0 0").out, "The fifteenth degree.\n");
    // The reader's message goes to stderr with a failure status.
    g = Korvana("interp get '" + out + "' 18 3 2 1");
    EXPECT_EQ(g.status, 1);
    EXPECT_TRUE(g.out.empty());
    EXPECT_EQ(g.err, "This aspect is not included in this set of interpretations.\n");
  }
  CliRun d = Korvana("interp build '" + src + "' -o '" + out + "' --version 250 --directed");
  ASSERT_EQ(d.status, 0) << d.err;
  EXPECT_EQ(Korvana("interp get '" + out + "' 18 1 3 3").err, "No text available for this topic.\n");
}

TEST_F(CliInterpTest, Failures) {
  std::string bad = dir.Write("bad.txt", "[Sign Sun, Nowhere]\nText.\n");
  CliRun r = Korvana("interp build '" + bad + "' -o '" + (dir / "x.int") + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "korvana: " + bad + ": line 1: unknown sign \"Nowhere\"\n");
  EXPECT_FALSE(std::ifstream(dir / "x.int").good());
  EXPECT_EQ(Korvana("interp build '" + bad + "' --version 301 -o x").status, 2);
  EXPECT_EQ(Korvana("interp build").status, 2);
  EXPECT_EQ(Korvana("interp get f 3 x 0 0").status, 2);
  r = Korvana("interp get '" + (dir / "none.int") + "' 3 1 0 0");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "No valid interpretation file has been selected.\n");
  std::string v301 = dir.Write("v301.int", std::string("\x2d\x01", 2) + std::string(300, '\0'));
  r = Korvana("interp get '" + v301 + "' 3 1 0 0");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "korvana: Interpretation file was created by an incompatible version of the interpretation compiler: " +
                       v301 + "\n");
}

}  // namespace
}  // namespace korvana
