// korvana report on the shipped return and forecast sets (solar_return, transits,
// progressions) for sample charts over fixed periods: each report reads as a client would
// see it in a word processor, with the sections its set promises, the chart owner's name
// in place of every placeholder, a paragraph under every dated entry and no markup left.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"
#include "support/text_search.h"

namespace korvana {
namespace {

using testing::CliRun;
using testing::CountOf;
using testing::Has;

class CliReportShippedForecasts : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  testing::TempFolder dir;
};

// What a client must never see: unreplaced placeholders and gender choices, emphasis
// tokens, rich-text code, and the messages that stand in for a missing paragraph.
void ExpectNoLeftovers(const std::string& text, const std::string& name) {
  for (const char* bad : {"%1", "[he/", "[He/", "[his/", "[His/", "[him/", "<BOLD", "<ITALIC", "\\par", "{\\",
                          "No text available", "Interpretations file invalid", "not included in this set",
                          "No valid interpretation file", "ERROR"})
    EXPECT_FALSE(Has(text, bad)) << name << " shows \"" << bad << "\"";
}

TEST_F(CliReportShippedForecasts, EachSetReadsCleanlyInAWordProcessor) {
  const struct Case {
    const char* name;  // output file, without extension
    const char* args;
    std::vector<const char*> shown;  // texts the converted report holds
    const char* entry;               // the keyword title of a dated entry: each is followed by its paragraph
    int entries;                     // at least this many such entries
  } cases[] = {
      {"return1", "--set solar_return.swp --chart main.cht:1 --near '1 Jun 2026'",
       {"The Rising Sign of the Year", "Ascendant is in ", "Ruler of the 1st House is in the ", "Sun is in the ",
        "Jupiter is in the ", "Saturn is in the ", "Moon is in ", "Albert"},
       nullptr, 0},
      {"return3", "--set solar_return.swp --chart main.cht:3 --near '1 Jan 2027'",
       {"The Sun's House in the Year", "Ascendant is in ", "Moon is in the "}, nullptr, 0},
      // Saturn leaves Pisces for Aries in 2026, and is square Einstein's Ascendant in 2027.
      {"transits1", "--set transits.swp --chart main.cht:1 --from '1 Jan 2026' --duration 1y",
       {"From 1 Jan 2026 until 1 Jan 2027", "TRANSITING SATURN IN PISCES - Saturn in Pisces",
        "TRANSITING SATURN IN ARIES - Saturn in Aries", "The Backdrop: Houses and Signs", "Albert"},
       "TRANSITING ", 12},
      {"transits3", "--set transits.swp --chart main.cht:3 --from '1 Jul 2026' --duration 1y",
       {"From 1 Jul 2026 until 1 Jul 2027", "TRANSITING PLUTO IN AQUARIUS"}, "TRANSITING ", 8},
      {"progressions1", "--set progressions.swp --chart main.cht:1 --from '1 Jan 2026' --duration 2y",
       {"From 1 Jan 2026 until 1 Jan 2028", "PROGRESSED SUN IN ", "PROGRESSED MOON IN ", "PROGRESSED ASCENDANT IN ",
        "PROGRESSED MIDHEAVEN IN ", "NATAL "},
       "PROGRESSED ", 8},
  };
  std::string files;
  for (const Case& c : cases) {
    CliRun r = Korvana(std::string("report ") + c.args + " -o '" + (dir / c.name) + ".rtf'");
    ASSERT_EQ(r.status, 0) << c.name << ": " << r.err;
    files += std::string(" ") + c.name + ".rtf";
  }
  const std::string convert = "cd '" + dir.Path() + "' && soffice -env:UserInstallation=file://" + (dir / "profile") +
                              " --headless --convert-to txt:Text" + files + " >office.log 2>&1";
  ASSERT_EQ(std::system(convert.c_str()), 0) << dir.Read("office.log");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = dir.Read(std::string(c.name) + ".txt");
    ASSERT_GT(text.size(), 3000u);
    ExpectNoLeftovers(text, c.name);
    for (const char* part : c.shown) EXPECT_TRUE(Has(text, part)) << "missing \"" << part << "\"";
    if (!c.entry) continue;
    // A title line is "KIND POINT ... - " and the paragraph goes on from there.
    const std::regex titled(std::string(c.entry) + "[A-Z0-9 ]+ - [A-Z][a-z]");
    const auto titles = std::distance(std::sregex_iterator(text.begin(), text.end(), titled), std::sregex_iterator());
    EXPECT_GE(titles, c.entries);
    EXPECT_EQ(titles, CountOf(text, std::string(c.entry))) << "an entry without its paragraph";
  }
}

}  // namespace
}  // namespace korvana
