// korvana report on two-chart report sets (the small sets in sets/: the shipped modern
// report's text under synastry, composite and return flags): the names, headings and
// tables of synastry, composite, Davison and return reports, the refusals of a set given
// the wrong number of charts, and the reports as a word processor shows them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

const std::string Sets = KORVANA_TEST_SETS;

class CliReportTwoCharts : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  std::string Report(const std::string& set, const std::string& args, const std::string& out) {
    CliRun r = Korvana("report --set '" + Sets + set + "' " + args + " -o '" + (dir / out) + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    return dir.Read(out);
  }
  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
  testing::TempFolder dir;
};

TEST_F(CliReportTwoCharts, ASynastryReportShowsBothChartsAndNamesTheOwnersInTheAspectsHeading) {
  const std::string rtf = Report("synastry.swp", "--chart main.cht:1 --chart2 main.cht:3 --names Albert,Diana", "s.rtf");
  EXPECT_TRUE(Has(rtf, "for Albert and Diana")) << "the dedication line";
  EXPECT_TRUE(Has(rtf, "Chart Point Positions: Albert Einstein")) << "the first chart's table";
  EXPECT_TRUE(Has(rtf, "Chart Point Positions: Diana Spencer")) << "the second chart's table";
  EXPECT_TRUE(Has(rtf, "Synastry Aspects: Albert to Diana"));
  EXPECT_FALSE(Has(rtf, "Synastry Aspects: Albert Einstein"));
  // Without names given the owners are the charts' given names.
  const std::string given = Report("synastry.swp", "--chart main.cht:1 --chart2 main.cht:3", "g.rtf");
  EXPECT_TRUE(Has(given, "Synastry Aspects: Albert to Diana")) << "the first word of each chart's name";
}

TEST_F(CliReportTwoCharts, ACompositeReportIsWrittenForTheCombinedChartUnderThePairsName) {
  CliRun r = Korvana("report --set '" + Sets + "composite.swp' --chart main.cht:1 --chart2 main.cht:3");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string name = "Composite Report for Albert Einstein and Diana Spencer.rtf";
  EXPECT_EQ(r.out, dir / ("home/reports/" + name) + "\n");
  const std::string midpoint = dir.Read("home/reports/" + name);
  EXPECT_TRUE(Has(midpoint, "for Albert Einstein and Diana Spencer"));
  EXPECT_TRUE(Has(midpoint, "Chart Point Positions: Composite - Albert Einstein and Diana Spencer"));
  EXPECT_FALSE(Has(midpoint, "Chart Point Positions: Albert Einstein<")) << "no table of a source chart";
  // The Davison chart is another chart of the same pair: other positions under the same heading.
  const std::string davison = Report("composite.swp", "--chart main.cht:1 --chart2 main.cht:3 --method davison", "d.rtf");
  EXPECT_TRUE(Has(davison, "Chart Point Positions: Composite - Albert Einstein and Diana Spencer"));
  // The row of the Sun: its sign and its position (the degree sign is a Windows-1252 byte).
  const std::regex sunRow("The Sun\\\\cell \\\\intbl\\\\ql [A-Za-z]+\\\\cell \\\\intbl\\\\ql ([0-9]+.[A-Za-z]+[0-9]+)");
  std::smatch m1, m2;
  ASSERT_TRUE(std::regex_search(midpoint, m1, sunRow));
  ASSERT_TRUE(std::regex_search(davison, m2, sunRow));
  EXPECT_NE(m1[1].str(), m2[1].str());
}

TEST_F(CliReportTwoCharts, ALongCompositeNameStandsAloneOnTheFrontPage) {
  ASSERT_EQ(Korvana("charts create long.cht").status, 0);
  for (const char* name : {"Maximiliana Theodora Featherstonehaugh", "Bartholomew Montgomery Cholmondeley"})
    ASSERT_EQ(Korvana(std::string("charts add long.cht --name '") + name +
                      "' --date '1 Jan 1970' --time 12:00 --zone GMT --lat 51N30 --lon 0W10")
                  .status,
              0);
  const std::string rtf = Report("composite.swp", "--chart long.cht:1 --chart2 long.cht:2", "long.rtf");
  // The chart file keeps 29 characters of each name.
  const std::string pair = "Maximiliana Theodora Feathers and Bartholomew Montgomery Cholmo";
  EXPECT_TRUE(Has(rtf, pair)) << "the composite name";
  EXPECT_FALSE(Has(rtf, "for " + pair)) << "a dedication of 66 characters or more gives the name alone";
}

TEST_F(CliReportTwoCharts, ASolarReturnReportCarriesTheReturnLineAndBothCharts) {
  const std::string rtf =
      Report("solar.swp", "--chart main.cht:1 --near '20 Mar 2020' --relocate 'Zurich, Switzerland'", "r.rtf");
  // Einstein's Sun returned on 13 March 2020 in the afternoon, Zurich time (CET).
  const std::regex line("Solar Return:   13 Mar 2020 [2-5]:[0-9][0-9](:[0-9][0-9])? pm CET -1:00 Z.rich, Switzerland");
  EXPECT_TRUE(std::regex_search(rtf, line)) << rtf.substr(rtf.find("Solar Return:"), 120);
  EXPECT_TRUE(Has(rtf, "Chart Point Positions: Albert Einstein"));
}

// A chart given by its fields and place instead of --chart: the atlas settles the place
// and the clock of the day (Ulm kept local mean time in 1879). --time is the chart's then,
// and stays the return's beside --chart.
TEST_F(CliReportTwoCharts, AChartGivenByItsPlaceIsLookedUpForNatalAndReturnReports) {
  const std::string fields = "--name 'Albert Einstein' --date '14 Mar 1879' --time 11:30 --place Ulm --country Germany";
  const std::string natal = Report("synastry.swp", fields + " --chart2 main.cht:3", "natal.rtf");
  EXPECT_TRUE(Has(natal, "Ulm, Germany"));
  EXPECT_TRUE(Has(natal, "LMT -0:39:58")) << "local mean time at 9°59'30\" E";
  const std::string solar = Report("solar.swp", fields + " --near '20 Mar 2020' --relocate 'Zurich, Switzerland'", "r.rtf");
  const std::regex line("Solar Return:   13 Mar 2020 [2-5]:[0-9][0-9](:[0-9][0-9])? pm CET -1:00 Z.rich, Switzerland");
  EXPECT_TRUE(std::regex_search(solar, line));

  struct Case {
    std::string args;
    int status;
    const char* reason;
  };
  const Case cases[] = {
      {"--chart main.cht:1 --near '20 Mar 2020' --time 18:00", 0, ""},
      {"--chart main.cht:1 --time 18:00", 2, "takes --time with --near"},
      {"--chart main.cht:1 --place Ulm", 2, "takes --chart or the chart's fields, not both"},
      {"--name X --date '1 Jan 1990' --time 12:00 --place 'Nowhereville Xq'", 1, "not found"},
      {"--name X --date '1 Jan 1990' --place Ulm", 2, "needs --time"},
  };
  for (const Case& c : cases) {
    CliRun r = Korvana("report --set '" + Sets + "solar.swp' " + c.args + " -o '" + (dir / "case.rtf") + "'");
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_TRUE(Has(r.err, c.reason)) << c.args << "\n" << r.err;
  }
}

TEST_F(CliReportTwoCharts, ASetGivenTheWrongChartsIsRefusedWithAReason) {
  struct Case {
    const char* args;
    const char* reason;
  };
  const Case cases[] = {
      {"--chart main.cht:1 --chart2 main.cht:3", "this report set is written for one chart; leave out --chart2"},
      {"--set '" KORVANA_TEST_SETS "solar.swp' --chart main.cht:1 --chart2 main.cht:3",
       "this report set is written for one chart; leave out --chart2"},
      {"--set '" KORVANA_TEST_SETS "composite.swp' --chart main.cht:1", "needs a second chart"},
      {"--set '" KORVANA_TEST_SETS "synastry.swp' --chart main.cht:1", "needs a second chart"},
      {"--set '" KORVANA_TEST_SETS "composite.swp' --chart main.cht:1 --chart2 main.cht:1",
       "Cannot combine the same chart for a Composite - choose two charts that are different."},
      {"--set '" KORVANA_TEST_SETS "solar.swp' --chart main.cht:1 --relocate 'Nowhereville Xq'", "City not found:"},
  };
  for (const Case& c : cases) {
    CliRun r = Korvana(std::string("report ") + c.args + " -o '" + (dir / "refused.rtf") + "'");
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_TRUE(Has(r.err, c.reason)) << c.args << "\n" << r.err;
    EXPECT_FALSE(std::ifstream(dir / "refused.rtf").good()) << c.args;
  }
}

// The four reports converted by LibreOffice: the words a reader sees.
TEST_F(CliReportTwoCharts, TheReportsReadRightInAWordProcessor) {
  Report("synastry.swp", "--chart main.cht:1 --chart2 main.cht:3 --names Albert,Diana", "synastry.rtf");
  Report("composite.swp", "--chart main.cht:1 --chart2 main.cht:3", "composite.rtf");
  Report("composite.swp", "--chart main.cht:1 --chart2 main.cht:3 --method davison", "davison.rtf");
  Report("solar.swp", "--chart main.cht:1 --near '20 Mar 2020' --relocate 'Zurich, Switzerland'", "solar.rtf");
  const std::string convert = "cd '" + dir.Path() + "' && soffice -env:UserInstallation=file://" + (dir / "profile") +
                              " --headless --convert-to pdf synastry.rtf composite.rtf davison.rtf solar.rtf "
                              ">office.log 2>&1";
  ASSERT_EQ(std::system(convert.c_str()), 0) << dir.Read("office.log");
  auto text = [&](const std::string& name) {
    const std::string command = "cd '" + dir.Path() + "' && pdftotext -layout " + name + ".pdf " + name + ".txt";
    EXPECT_EQ(std::system(command.c_str()), 0) << name;
    return dir.Read(name + ".txt");
  };
  const std::string synastry = text("synastry");
  EXPECT_TRUE(Has(synastry, "Chart Point Positions: Albert Einstein"));
  EXPECT_TRUE(Has(synastry, "Chart Point Positions: Diana Spencer"));
  EXPECT_TRUE(Has(synastry, "Synastry Aspects: Albert to Diana"));
  for (const char* name : {"composite", "davison"}) {
    const std::string composite = text(name);
    EXPECT_TRUE(Has(composite, "Composite - Albert Einstein and Diana Spencer")) << name;
    EXPECT_TRUE(Has(composite, "Chart Point Aspects")) << name;
  }
  const std::string solar = text("solar");
  EXPECT_TRUE(Has(solar, "Solar Return:")) << solar.substr(0, 2000);
  EXPECT_TRUE(Has(solar, "13 Mar 2020"));
  EXPECT_TRUE(Has(solar, "Chart Point Positions: Albert Einstein"));
}

}  // namespace
}  // namespace korvana
