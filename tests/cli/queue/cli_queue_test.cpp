// korvana queue: adding, listing, cancelling, clearing and printing queued reports.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

class CliQueue : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
  static std::string Output(const std::string& command) {
    std::string text;
    FILE* p = ::popen(command.c_str(), "r");
    char buf[4096];
    for (std::size_t n; p && (n = std::fread(buf, 1, sizeof buf, p)) > 0;) text.append(buf, n);
    if (p) ::pclose(p);
    return text;
  }
  // The words of page n of a PDF, blanks collapsed.
  static std::string PageText(const std::string& pdf, int n) {
    const std::string page = std::to_string(n);
    const std::string text = Output("pdftotext -layout -f " + page + " -l " + page + " '" + pdf + "' -");
    return std::regex_replace(text, std::regex(R"(\s+)"), " ");
  }
  void AddTwoSets() {
    ASSERT_EQ(Korvana("queue add --set modern.swp --chart main.cht:1").status, 0);
    const CliRun second = Korvana("queue add --set traditional.swp --chart main.cht:2");
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "Reports in Queue: 2\n");
  }
  std::string QueueFile() { return dir / "home/prqueue.fil"; }

  testing::TempFolder dir;
};

TEST_F(CliQueue, AddListToggleAndClear) {
  EXPECT_EQ(Korvana("queue list").out, "Reports to Print: 0\n");
  AddTwoSets();
  EXPECT_EQ(std::filesystem::file_size(QueueFile()), 2u * 932);
  CliRun list = Korvana("queue list");
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_TRUE(std::regex_search(list.out, std::regex(R"(1 +Albert Einstein +Modern Natal Report +Queued)"))) << list.out;
  EXPECT_TRUE(std::regex_search(list.out, std::regex(R"(2 +Mohandas K. Gandhi +Traditional Natal Report +Queued)")))
      << list.out;
  EXPECT_TRUE(Has(list.out, "Reports to Print: 2"));

  CliRun toggle = Korvana("queue toggle 2");
  EXPECT_EQ(toggle.out, "2  Cancelled\nReports to Print: 1\n");
  EXPECT_EQ(Korvana("queue toggle 2").out, "2  Queued\nReports to Print: 2\n");
  const CliRun missing = Korvana("queue toggle 3");
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(Has(missing.err, "no entry 3"));

  EXPECT_EQ(Korvana("queue clear").status, 0);
  EXPECT_FALSE(std::filesystem::exists(QueueFile()));
}

TEST_F(CliQueue, BadAdditionsQueueNothing) {
  struct Case {
    const char* args;
    const char* says;
  };
  const Case cases[] = {
      {"queue add --set modern.swp --chart main.cht:999", "no chart 999"},
      {"queue add --set nowhere.swp --chart main.cht:1", "nowhere.swp"},
  };
  for (const Case& c : cases) {
    const CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_TRUE(Has(r.err, c.says)) << r.err;
    EXPECT_FALSE(std::filesystem::exists(QueueFile())) << c.args;
  }
}

TEST_F(CliQueue, ACutOffQueueIsSaidAndTheNextAdditionFollowsTheWholeRecords) {
  AddTwoSets();
  std::filesystem::resize_file(QueueFile(), 932 + 500);
  const CliRun list = Korvana("queue list");
  EXPECT_TRUE(Has(list.err, "ends in 500 bytes of a cut-off record")) << list.err;
  EXPECT_TRUE(Has(list.out, "Reports to Print: 1"));
  ASSERT_EQ(Korvana("queue add --set traditional.swp --chart main.cht:3").status, 0);
  EXPECT_EQ(std::filesystem::file_size(QueueFile()), 2u * 932);
  EXPECT_TRUE(Has(Korvana("queue list").out, "Reports to Print: 2"));
}

TEST_F(CliQueue, PrintingToPdfWritesEachReportWithItsOwnSetOnce) {
  AddTwoSets();
  ASSERT_EQ(Korvana("queue toggle 1").status, 0);  // cancelled: not printed
  ASSERT_EQ(Korvana("queue toggle 1").status, 0);  // queued again
  const CliRun print = Korvana("queue print --to-pdf out");
  ASSERT_EQ(print.status, 0) << print.err;
  EXPECT_TRUE(Has(print.out, "Report 2 of 2"));
  EXPECT_TRUE(Has(print.out, "All Printed"));
  const std::string modern = dir / "out/1 Modern Natal Report for Albert Einstein.pdf";
  const std::string traditional = dir / "out/2 Traditional Natal Report for Mohandas K. Gandhi.pdf";
  ASSERT_TRUE(std::filesystem::exists(modern)) << print.out;
  ASSERT_TRUE(std::filesystem::exists(traditional)) << print.out;
  // Each report was written with its own set: the traditional one has its strength table.
  const std::string modernText = Output("pdftotext '" + modern + "' -");
  const std::string traditionalText = Output("pdftotext '" + traditional + "' -");
  EXPECT_TRUE(Has(modernText, "Albert"));
  EXPECT_FALSE(Has(modernText, "(TRADITIONAL)"));
  EXPECT_TRUE(Has(traditionalText, "Gandhi"));
  EXPECT_TRUE(Has(traditionalText, "PLANETARY STRENGTH (TRADITIONAL)"));
  EXPECT_TRUE(Has(Korvana("queue list").out, "Reports to Print: 0"));

  // A second run finds nothing queued.
  std::filesystem::remove_all(dir / "out");
  const CliRun again = Korvana("queue print --to-pdf out");
  EXPECT_EQ(again.status, 0);
  EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));
}

TEST_F(CliQueue, PrinterFilesCarryHeadersFromTheFirstPageAfterTheChartPage) {
  ASSERT_EQ(Korvana("queue add --set modern.swp --chart main.cht:1").status, 0);
  const CliRun print = Korvana("queue print --to-printer-files printed");
  ASSERT_EQ(print.status, 0) << print.err;
  const std::string pdf = dir / "printed/1 Modern Natal Report for Albert Einstein.pdf";
  ASSERT_TRUE(std::filesystem::exists(pdf)) << print.out;
  EXPECT_FALSE(Has(PageText(pdf, 1), "Page "));
  EXPECT_FALSE(Has(PageText(pdf, 2), "Page "));
  const std::string third = PageText(pdf, 3);
  EXPECT_TRUE(Has(third, "Korvana Modern Natal Report - Albert Einstein Page 1")) << third;
  EXPECT_TRUE(Has(PageText(pdf, 4), "Page 2"));
}

}  // namespace
}  // namespace korvana
