// korvana report on a report set with a dynamic section (sets/dynamic.swp, its report
// text and transit interpretations compiled here into the data folder): the entries with
// their dates, titles, paragraphs and time lines in RTF, as a word processor shows them
// and in PDF, and the period that --from and --duration choose.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"
#include "support/text_search.h"

namespace korvana {
namespace {

using testing::CountOf;
using testing::Has;
using testing::CliRun;

const std::string Sets = KORVANA_TEST_SETS;

class CliReportDynamic : public ::testing::Test {
 protected:
  void SetUp() override {
    CliRun compiled = Korvana("compile '" + Sets + "dynamic.txt' -o '" + (dir / "home/dynamic.bin") + "'");
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    CliRun built = Korvana("interp build '" + Sets + "transits.txt' -o '" + (dir / "home/source/transits.int") + "'");
    ASSERT_EQ(built.status, 0) << built.err;
  }
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  // Albert Einstein's year ahead; the report's text.
  std::string Report(const std::string& args, const std::string& out) {
    CliRun r = Korvana("report --set '" + Sets + "dynamic.swp' --chart main.cht:1 " + args + " -o '" + (dir / out) + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    return dir.Read(out);
  }
  std::string PdfText(const std::string& name) {
    const std::string command = "cd '" + dir.Path() + "' && pdftotext -layout " + name + ".pdf " + name + ".txt";
    EXPECT_EQ(std::system(command.c_str()), 0) << name;
    return dir.Read(name + ".txt");
  }
  testing::TempFolder dir;
};

// What the year 2026 holds for the chart: the Sun's return in March, the Sun in
// Capricorn from before the period's start, and Saturn, Jupiter and the Sun meeting the
// radix Sun and Moon.
void ExpectTheYearsEntries(const std::string& text, const std::string& name) {
  EXPECT_TRUE(text.find("From 1 Jan 2026 until 1 Jan 2027") != std::string::npos) << name;
  EXPECT_TRUE(std::regex_search(text, std::regex("1[345] Mar 2026 +\\(1[2-4] Mar 2026 to 1[4-6] Mar 2026\\)"))) << name;
  EXPECT_TRUE(std::regex_search(text, std::regex("TRANSITING SUN CONJUNCTION RADIX SUN - Sun meets your Sun in\\s+conjunction\\.")))
      << name;
  EXPECT_TRUE(text.find("Entered before 1 Jan 2026, Leaves 20 Jan 2026") != std::string::npos) << name;
  EXPECT_TRUE(std::regex_search(text, std::regex("TRANSITING SUN IN CAPRICORN - The Sun lights up Capricorn for\\s+Albert\\s+Einstein\\.")))
      << name;
}

TEST_F(CliReportDynamic, TheYearAheadReadsRightInAWordProcessorAndAsPdf) {
  const std::string rtf = Report("", "year.rtf");
  // Every entry of the section has its time line.
  const std::size_t section = rtf.find("Your Year Ahead}");
  ASSERT_NE(section, std::string::npos);
  const std::string entries = rtf.substr(section);
  EXPECT_GE(CountOf(entries, "TRANSITING "), 12);
  EXPECT_EQ(CountOf(entries, "{\\pict\\wmetafile8"), CountOf(entries, "TRANSITING "));
  EXPECT_GT(dir.Read("home/reports/temp.wmf").size(), 500u);

  const std::string convert = "cd '" + dir.Path() + "' && soffice -env:UserInstallation=file://" + (dir / "profile") +
                              " --headless --convert-to pdf year.rtf >office.log 2>&1";
  ASSERT_EQ(std::system(convert.c_str()), 0) << dir.Read("office.log");
  const std::string shown = PdfText("year");
  ExpectTheYearsEntries(shown, "RTF");
  // The time lines' rulers: months below, the year above.
  for (const char* label : {"Jan", "Jun", "Dec", "2026"}) EXPECT_TRUE(Has(shown, label)) << label;

  Report("--pdf", "pdf.pdf");
  ExpectTheYearsEntries(PdfText("pdf"), "PDF");
}

TEST_F(CliReportDynamic, FromAndDurationChooseThePeriod) {
  const struct {
    const char* args;
    const char* line;
  } cases[] = {
      {"", "From 1 Jan 2026 until 1 Jan 2027"},
      {"--from '1 Jul 2026' --duration 18m", "From 1 Jul 2026 until 1 Jan 2028"},
      {"--duration 2y", "From 1 Jan 2026 until 1 Jan 2028"},
      {"--from '15 Mar 2026' --duration 30d", "From 15 Mar 2026 until 14 Apr 2026"},
  };
  for (const auto& c : cases) {
    const std::string rtf = Report(c.args, "p.rtf");
    EXPECT_TRUE(Has(rtf, c.line)) << c.args;
  }
  // The days of a thirty-day period are its ruler's labels.
  EXPECT_TRUE(Has(dir.Read("home/reports/temp.wmf"), "31"));

  // Bad values change nothing.
  EXPECT_EQ(Korvana("report --set '" + Sets + "dynamic.swp' --chart main.cht:1 --duration 1w").status, 2);
  EXPECT_EQ(Korvana("report --set '" + Sets + "dynamic.swp' --chart main.cht:1 --duration 0y").status, 2);
  CliRun badDate = Korvana("report --set '" + Sets + "dynamic.swp' --chart main.cht:1 --from '31 Feb 2026' -o '" +
                           (dir / "bad.rtf") + "'");
  EXPECT_EQ(badDate.status, 1);
  EXPECT_FALSE(badDate.err.empty());
  EXPECT_TRUE(dir.Read("bad.rtf").empty()) << "no report for a date that is none";
}

}  // namespace
}  // namespace korvana
