// korvana report: the shipped report set for a sample chart written under its default
// name, the options that answer the report set's questions, and the refusals.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliReportTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  std::string Home() const { return dir / "home/"; }
  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
  testing::TempFolder dir;
};

TEST_F(CliReportTest, WritesTheShippedReportUnderItsDefaultName) {
  CliRun r = Korvana("report --chart main.cht:1");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string expected = Home() + "reports/Modern Natal Report for Albert Einstein.rtf";
  EXPECT_EQ(r.out, expected + "\n");
  const std::string rtf = dir.Read("home/reports/Modern Natal Report for Albert Einstein.rtf");
  EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
  EXPECT_TRUE(Has(rtf, "{\\i Sun is in Pisces}"));
  EXPECT_TRUE(Has(rtf, "Albert"));
  EXPECT_FALSE(Has(rtf, "DBG>>>"));
  EXPECT_TRUE(Has(rtf, "\r\n\\par \\pard }"));
  // The chart page carries the wheel, drawn with the design in use, as a metafile.
  EXPECT_TRUE(Has(rtf, "{\\pict\\wmetafile8"));
  EXPECT_GT(dir.Read("home/reports/chart.wmf").size(), 10000u);
}

TEST_F(CliReportTest, OptionsAnswerTheQuestionsAndDebugLinesAreWritten) {
  CliRun r = Korvana("report --chart main.cht:1 --names Alberta --gender f --debug -o '" + (dir / "out.rtf") + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string rtf = dir.Read("out.rtf");
  EXPECT_TRUE(Has(rtf, "Alberta was born by day"));
  EXPECT_TRUE(Has(rtf, " she "));
  EXPECT_TRUE(Has(rtf, "DBG>>> Level: 1 NextAtThisLevel: "));
}

// The sample without a birth time: the report says once what it leaves out and states no
// house, house cusp, Ascendant or day/night fact, where the same sets state them for a timed
// chart.
TEST_F(CliReportTest, AChartWithoutItsBirthTimeStatesNoTimedFact) {
  const std::regex timedFact(
      "in the [0-9]+(st|nd|rd|th) House|house cusp\\.|born by (day|night)|Ascendant is in|Diurnal|Nocturnal|Rising");
  for (const char* set : {"modern.swp", "traditional.swp"}) {
    for (const int chart : {1, 15}) {
      const std::string out = dir / (std::string(set) + std::to_string(chart) + ".rtf");
      CliRun r = Korvana(std::string("report --set ") + set + " --chart main.cht:" + std::to_string(chart) + " -o '" + out + "'");
      ASSERT_EQ(r.status, 0) << r.err;
      const std::string rtf = FileBytes(out);
      const bool timed = chart == 1;
      EXPECT_EQ(std::regex_search(rtf, timedFact), timed) << set << " chart " << chart;
      std::size_t notes = 0;
      for (std::size_t at = 0; (at = rtf.find("The time of birth is not known", at)) != std::string::npos; ++at) ++notes;
      EXPECT_EQ(notes, timed ? 0u : 1u) << set << " chart " << chart;
    }
  }
}

// A birth time the clocks skipped: the report says once which reading it takes and what the
// other would change; a time that happened once gets no such note.
TEST_F(CliReportTest, ABirthTimeInAClockChangeIsPointedOutOnce) {
  const std::string fields = "--name 'Ada Berg' --time 2:30 --place Berlin --country Germany --gender f";
  const std::string gap = dir / "gap.rtf", plain = dir / "plain.rtf";
  CliRun r = Korvana("report " + fields + " --date '29 Mar 1981' -o '" + gap + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(Korvana("report " + fields + " --date '1 Jun 1981' -o '" + plain + "'").status, 0);
  const std::string note = "fell in the hour that the clocks at Berlin skipped";
  const std::string rtf = FileBytes(gap);
  const std::size_t at = rtf.find(note);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(rtf.find(note, at + 1), std::string::npos);
  EXPECT_NE(rtf.find("Read the other way,", at), std::string::npos);
  EXPECT_EQ(FileBytes(plain).find("clocks at Berlin"), std::string::npos);
}

TEST_F(CliReportTest, RefusalsAndErrors) {
  // Wrong usage.
  EXPECT_EQ(Korvana("report").status, 2);
  EXPECT_EQ(Korvana("report --chart main.cht:1 --gender x").status, 2);
  // A chart the file does not hold.
  CliRun missing = Korvana("report --chart main.cht:999");
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(Has(missing.err, "999")) << missing.err;
  // A report set whose compiled report was never built.
  dir.Write("home/none.swp", "[Report]\nCaption=None\nBinaryFile=none.bin\n");
  CliRun notCompiled = Korvana("report --set none.swp --chart main.cht:1");
  EXPECT_EQ(notCompiled.status, 1);
  EXPECT_TRUE(Has(notCompiled.err, "The report file " + Home() + "none.bin was not found.")) << notCompiled.err;
  EXPECT_TRUE(Has(notCompiled.err, "It may need to be compiled before it can be used."));
  // An output file another program holds locked is left alone.
  const std::string locked = dir.Write("locked.rtf", "kept");
  int fd = ::open(locked.c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  ASSERT_EQ(::fcntl(fd, F_SETLK, &lock), 0);
  CliRun open = Korvana("report --chart main.cht:1 -o '" + locked + "'");
  ::close(fd);
  EXPECT_EQ(open.status, 1);
  EXPECT_TRUE(Has(open.err, "This RTF report is already open in another program.")) << open.err;
  EXPECT_EQ(dir.Read("locked.rtf"), "kept");
}

// The horary sample is a question's moment: a set that reads births refuses it, saying
// why, and writes nothing.
TEST_F(CliReportTest, AHoraryChartIsRefusedByASetThatReadsBirths) {
  for (const char* set : {"modern.swp", "traditional.swp"}) {
    const std::string out = dir / "horary.rtf";
    CliRun r = Korvana(std::string("report --set ") + set + " --chart main.cht:16 -o '" + out + "'");
    EXPECT_EQ(r.status, 1) << set;
    EXPECT_TRUE(Has(r.err, "\"Will the lost ring be found?\" is a horary chart: the moment of a question, not a birth.")) << r.err;
    EXPECT_TRUE(Has(r.err, "choose a horary report set")) << r.err;
    EXPECT_FALSE(std::ifstream(out).good()) << set;
  }
}

// A run of charts writes each chart's report under its own name, on two threads as on
// one, each the bytes a report of that chart alone has; the names come in the run's order.
TEST_F(CliReportTest, ARunOfChartsOnTwoThreadsWritesWhatEachReportAloneWould) {
  CliRun run = Korvana("report --chart main.cht:1-4 -j 2");
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> names;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) names.push_back(line);
  ASSERT_EQ(names.size(), 4u) << run.out;
  for (int n = 1; n <= 4; ++n) {
    const std::string alone = dir / ("alone" + std::to_string(n) + ".rtf");
    ASSERT_EQ(Korvana("report --chart main.cht:" + std::to_string(n) + " -o '" + alone + "'").status, 0);
    EXPECT_EQ(FileBytes(names[n - 1]), FileBytes(alone)) << names[n - 1];
  }
  EXPECT_EQ(Korvana("report --chart main.cht:1-2 -o '" + (dir / "one.rtf") + "'").status, 2);
  EXPECT_EQ(Korvana("report --chart main.cht:1-2 -j 0").status, 2);
}

TEST_F(CliReportTest, ASectionIndexFromAnotherCompileIsRefused) {
  ASSERT_EQ(Korvana("reportset tree").status, 0);  // makes the data folder
  // The index of another report beside this one's compiled report, as an interrupted
  // compile or a copied file leaves it.
  dir.Write("home/modern.ind", dir.Read("home/traditional.ind"));
  const std::string out = dir / "out.rtf";
  CliRun report = Korvana("report --chart main.cht:1 -o '" + out + "'");
  EXPECT_EQ(report.status, 1);
  EXPECT_TRUE(Has(report.err, "The section index " + Home() + "modern.ind does not belong to the compiled report " +
                                  Home() + "modern.bin.")) << report.err;
  EXPECT_TRUE(Has(report.err, "Compile the report again"));
  EXPECT_EQ(::access(out.c_str(), F_OK), -1) << "no report from a mismatched pair";
  CliRun tree = Korvana("reportset tree");
  EXPECT_EQ(tree.status, 1);
  EXPECT_TRUE(tree.out.empty()) << "another report's sections shown: " << tree.out;
  EXPECT_TRUE(Has(tree.err, "does not belong")) << tree.err;
  // Rebuilding the index mends the pair.
  ASSERT_EQ(Korvana("reportset index '" + Home() + "modern.bin'").status, 0);
  EXPECT_EQ(Korvana("report --chart main.cht:1 -o '" + out + "'").status, 0);
}

}  // namespace
}  // namespace korvana
