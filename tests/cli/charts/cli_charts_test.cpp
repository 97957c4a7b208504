#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "core/charts/chart_collection.h"
#include "core/charts/chart_files.h"
#include "core/util/text.h"
#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

class CliCharts : public ::testing::Test {
 protected:
  // Runs korvana with a data folder and settings file of its own.
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }

  // The "key = value" lines of `charts show`.
  std::map<std::string, std::string> Show(const std::string& file, int n) {
    const CliRun r = Korvana("charts show " + file + " " + std::to_string(n));
    EXPECT_EQ(r.status, 0) << r.err;
    std::map<std::string, std::string> fields;
    for (const std::string& line : SplitLines(r.out)) {
      const std::size_t eq = line.find(" = ");
      if (eq != std::string::npos) fields[line.substr(0, eq)] = line.substr(eq + 3);
    }
    return fields;
  }

  testing::TempFolder dir;
};

const char* const AddSydney =
    " --name 'Harbour test' --date '5 Jan 1988' --time 14:20:30 --zone AEDT --place Sydney"
    " --country Australia --lat 33S52 --lon 151E13 --kind female";

TEST_F(CliCharts, AChartAddedToEachFormatReadsBackEqual) {
  ASSERT_EQ(Korvana("charts create own.cht --title 'Own file'").status, 0);
  ASSERT_EQ(Korvana("charts create set.EMcht").status, 0);
  dir.Write("wide.cht", WideFileHeader("Wide file"));
  dir.Write("em2.cht", "");
  const std::string files[] = {"own.cht", "wide.cht", "set.EMcht", "em2.cht"};
  for (const std::string& f : files) {
    const CliRun r = Korvana("charts add " + f + AddSydney);
    ASSERT_EQ(r.status, 0) << f << ": " << r.err;
    EXPECT_EQ(r.out, "Added chart 1 to " + f + "\n");
    EXPECT_NE(r.err.find("Chart was saved to file: " + f), std::string::npos);
  }
  const auto own = Show("own.cht", 1);
  EXPECT_EQ(own.at("Name"), "Harbour test");
  EXPECT_EQ(own.at("EventKind"), "2 (Female)");
  EXPECT_EQ(own.at("Date").substr(0, 10), "5 Jan 1988");
  EXPECT_EQ(own.at("Time").substr(own.at("Time").find('(')), "(14:20:30)");
  EXPECT_EQ(own.at("ZoneHours"), "-11.0 (-11:00)");
  EXPECT_EQ(own.at("ZoneAbbrev"), "AEDT");
  EXPECT_EQ(own.at("Latitude").substr(own.at("Latitude").find('(')), "(33\u00B0S52')");
  EXPECT_EQ(own.at("Longitude").substr(own.at("Longitude").find('(')), "(151\u00B0E13')");
  EXPECT_EQ(own.at("Title"), "Female");
  const char* const fields[] = {"Name", "Date", "Time", "Calendar", "Place", "Country", "ZoneHours", "ZoneAbbrev",
                                "Latitude", "Longitude", "CalcVersion", "Zodiac", "ChartType", "ChartSubType",
                                "ChartTypeParam", "HouseSystem", "EventKind"};
  for (const std::string f : {"wide.cht", "set.EMcht", "em2.cht"}) {
    const auto other = Show(f, 1);
    for (const char* key : fields) {
      if (f == "em2.cht" && std::string(key) == "EventKind") {
        EXPECT_EQ(other.at(key), "0 (Unspecified)");  // the headerless record has no event kind
        continue;
      }
      EXPECT_EQ(other.at(key), own.at(key)) << f << " " << key;
    }
  }
  EXPECT_EQ(Show("em2.cht", 1).at("Memo"), "(EMv2 chart file cannot contain comments)");
}

TEST_F(CliCharts, ListShowsTheSampleFileOfTheDataFolder) {
  const CliRun r = Korvana("charts list main.cht");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = SplitLines(r.out);
  ASSERT_GE(lines.size(), 16u);
  EXPECT_NE(lines[0].find("main.cht"), std::string::npos);
  EXPECT_EQ(lines[1], "format: 1 (own records)");
  EXPECT_EQ(lines[2], "title: Sample charts");
  EXPECT_EQ(lines[3], "count: " + std::to_string(lines.size() - 4));
  EXPECT_EQ(lines[4],
            "1 | Albert Einstein | Natal (Male) | 14 Mar 1879 | 11:30 am | LMT -0:40 | Ulm | Germany | "
            "48\u00B0N24' | 010\u00B0E00'");
  // The hard cases of the sample: both southern hemispheres, the Arctic, a BC year, a
  // date entered in the Julian calendar after 1582 (stored in the Gregorian one).
  EXPECT_NE(r.out.find("| 33\u00B0S52' | 151\u00B0E13'"), std::string::npos);
  EXPECT_NE(r.out.find("| 34\u00B0S36' | 058\u00B0W23'"), std::string::npos);
  EXPECT_NE(r.out.find("| 69\u00B0N39' |"), std::string::npos);
  EXPECT_NE(r.out.find("| 15 Mar 0044 BC |"), std::string::npos);
  EXPECT_NE(r.out.find("| Isaac Newton | Natal (Male) | 4 Jan 1643 |"), std::string::npos);
  const CliRun memo = Korvana("charts memo main.cht 8");
  EXPECT_EQ(memo.status, 0);
  EXPECT_NE(memo.out.find("Julian calendar"), std::string::npos);
}

TEST_F(CliCharts, DeleteMemoAndTitle) {
  ASSERT_EQ(Korvana("charts create f.cht").status, 0);
  for (const char* name : {"First", "Second", "Third"})
    ASSERT_EQ(Korvana(std::string("charts add f.cht --name ") + name +
                      " --date '1 Jan 2000' --time 12:00 --zone 0 --lat 10N --lon 10W")
                  .status,
              0);
  ASSERT_EQ(Korvana("charts memo f.cht 3 --set 'The third chart keeps this memo when the second goes.'").status, 0);
  ASSERT_EQ(Korvana("charts memo f.cht 2 --set 'Going'").status, 0);
  const CliRun del = Korvana("charts delete f.cht 2");
  ASSERT_EQ(del.status, 0) << del.err;
  EXPECT_EQ(del.out, "Deleted chart 2 from f.cht\n");
  EXPECT_EQ(Show("f.cht", 2).at("Name"), "Third");
  EXPECT_EQ(Korvana("charts memo f.cht 2").out, "The third chart keeps this memo when the second goes.\n");
  EXPECT_EQ(Korvana("charts memo f.cht 1").out, "(No memo text found)\n");
  ASSERT_EQ(Korvana("charts title f.cht 'Renamed file'").status, 0);
  EXPECT_NE(Korvana("charts list f.cht").out.find("title: Renamed file\ncount: 2\n"), std::string::npos);
}

TEST_F(CliCharts, ErrorsAreReportedWithTheirMessages) {
  ASSERT_EQ(Korvana("charts create f.cht").status, 0);
  struct Case {
    std::string args;
    int status;
    const char* err;
  };
  dir.Write("short.EMcht", CollectionHeader("Promises", 3));  // no charts behind the count
  const Case cases[] = {
      {"charts list missing.cht", 1, "Not a valid chart file"},
      {"charts show f.cht 1", 1, "There is no chart 1 in this chart file"},
      {"charts show f.cht x", 2, "usage: korvana charts show FILE N"},
      {"charts add f.cht --name x --date '31 Feb 2000' --time 1 --zone 0 --lat 1N --lon 1E", 1,
       "This date is not a valid calendar date."},
      {"charts add f.cht --name x --date '1 Feb 2000' --time 25 --zone 0 --lat 1N --lon 1E", 1,
       "The format of the time is not recognised."},
      {"charts add f.cht --name x --date '1 Feb 2000' --time 1 --zone 0 --lat 1E --lon 1E", 1,
       "The format of the latitude or longitude is not recognised."},
      {"charts add f.cht --name x --date '1 Feb 2000' --time 1 --zone 0 --lat 1N --lon 1E --kind alien", 2,
       "--kind: takes unspecified, male, female, event or horary"},
      {"charts add f.cht --name x --date '1 Feb 2000'", 2, "needs --time"},
      {"charts create f.cht", 1, "Cannot create this file because it already exists."},
      {"charts list short.EMcht", 1, "Error when attempting to read from chart file: "},
      {"charts frobnicate", 2, "usage: korvana charts"},
  };
  for (const Case& c : cases) {
    const CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << c.args << "\n" << r.err;
  }
  EXPECT_EQ(dir.Read("f.cht"), OwnFileHeader("New chart file"));  // no failed add wrote anything
}

}  // namespace
}  // namespace korvana
