// korvana report: what the shipped reports say about one planet being more dignified than
// another agrees with the planetary strength table printed in the same report. The table is
// read back from the metafile the report embeds, the sentences from the report's text.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

// The rows of the strength table in the order it prints them.
const char* const TablePlanets[] = {"Moon", "Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn"};

struct TextItem {
  int x = 0;
  int y = 0;
  std::string text;
};

int I16(const std::string& b, std::size_t at) {
  return static_cast<std::int16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t U32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

// The strings a Windows metafile draws with ExtTextOut, with their places.
std::vector<TextItem> MetafileTexts(const std::string& wmf) {
  std::vector<TextItem> items;
  std::size_t pos = 18;  // past the metafile header
  while (pos + 6 <= wmf.size()) {
    const std::uint32_t words = U32(wmf, pos);
    const int function = I16(wmf, pos + 4) & 0xFFFF;
    if (words < 3 || pos + 2u * words > wmf.size()) break;
    if (function == 0x0A32 && words >= 7) {
      const int count = I16(wmf, pos + 10);
      const int options = I16(wmf, pos + 12);
      const std::size_t text = pos + 14 + ((options & 6) ? 8 : 0);
      if (count > 0 && text + static_cast<std::size_t>(count) <= wmf.size())
        items.push_back({I16(wmf, pos + 8), I16(wmf, pos + 6), wmf.substr(text, static_cast<std::size_t>(count))});
    }
    pos += 2u * words;
  }
  return items;
}

// A report split into its running text (binary picture data left out) and its pictures.
struct ReportParts {
  std::string text;
  std::vector<std::string> pictures;
};

ReportParts SplitReport(const std::string& rtf) {
  ReportParts parts;
  const std::regex bin(R"(\\bin([0-9]+) ?)");
  std::size_t at = 0;
  for (std::smatch m; std::regex_search(rtf.begin() + static_cast<std::ptrdiff_t>(at), rtf.end(), m, bin);) {
    const std::size_t start = at + static_cast<std::size_t>(m.position(0));
    const std::size_t data = start + static_cast<std::size_t>(m.length(0));
    const std::size_t size = std::stoul(m[1].str());
    parts.text += rtf.substr(at, start - at);
    parts.pictures.push_back(rtf.substr(data, size));
    at = data + size;
  }
  parts.text += rtf.substr(at);
  // The writer breaks long lines where a reader ignores the break.
  std::string joined;
  for (char c : parts.text)
    if (c != '\r' && c != '\n') joined += c;
  parts.text = joined;
  return parts;
}

// The totals of the strength table, by planet name; empty when the report has no table.
std::map<std::string, std::string> StrengthTotals(const ReportParts& report) {
  std::map<std::string, std::string> totals;
  for (const std::string& picture : report.pictures) {
    std::vector<TextItem> items = MetafileTexts(picture);
    const TextItem* header = nullptr;
    bool strength = false;
    for (const TextItem& item : items) {
      strength = strength || item.text.find("STRENGTH") != std::string::npos;
      if (item.text.rfind("Score", 0) == 0) header = &item;
    }
    if (!strength || !header) continue;
    std::map<int, std::string> byRow;
    const std::regex total(R"(^ *([+-][0-9]+|--) *$)");
    for (const TextItem& item : items)
      if (item.y > header->y && item.x >= header->x - 4 && std::regex_match(item.text, total))
        byRow[item.y] = std::regex_replace(item.text, std::regex(" "), "");
    std::size_t row = 0;
    for (const auto& [y, value] : byRow) {
      if (row >= std::size(TablePlanets)) break;
      totals[TablePlanets[row++]] = value;
    }
  }
  return totals;
}

std::optional<int> Total(const std::map<std::string, std::string>& totals, const std::string& planet) {
  auto it = totals.find(planet);
  if (it == totals.end() || it->second == "--") return std::nullopt;
  return std::stoi(it->second);
}

struct Comparison {
  std::string stronger;
  std::string weaker;
  std::string sentence;
};

std::vector<Comparison> DignityComparisons(const std::string& text) {
  const std::string planet = "(Sun|Moon|Mercury|Venus|Mars|Jupiter|Saturn)";
  const std::regex claim(planet + " (?:is more dignified than|holds more (?:essential )?dignity than) (?:the )?" + planet,
                         std::regex::icase);
  std::vector<Comparison> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), claim); it != std::sregex_iterator(); ++it)
    found.push_back({(*it)[1].str(), (*it)[2].str(), it->str()});
  return found;
}

class CliReportDignityTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  testing::TempFolder dir;
};

TEST(ReportDignityReading, FindsTheTotalsAndTheClaims) {
  // A metafile of three drawn strings: the header, a total under it and a marker left of it.
  std::string wmf(18, '\0');
  auto text = [&](int x, int y, const std::string& s) {
    std::string r;
    const std::size_t padded = s.size() + s.size() % 2;
    const std::uint32_t words = static_cast<std::uint32_t>(7 + padded / 2);
    for (int i = 0; i < 4; ++i) r += static_cast<char>(words >> (8 * i) & 0xFF);
    for (int v : {0x0A32, y, x, static_cast<int>(s.size()), 0}) {
      r += static_cast<char>(v & 0xFF);
      r += static_cast<char>(v >> 8 & 0xFF);
    }
    r += s;
    if (s.size() % 2) r += '\0';
    wmf += r;
  };
  text(10, 5, "STRENGTH");
  text(700, 40, "Score ");
  text(720, 60, "-1");
  text(300, 60, "--");
  text(725, 80, "+10");
  text(760, 80, " p");
  const ReportParts parts = SplitReport("{\\pict\\wmetafile8\\bin" + std::to_string(wmf.size()) + " " + wmf +
                                        "}\r\nThe Sun is more \r\ndignified than the Moon.");
  const auto totals = StrengthTotals(parts);
  EXPECT_EQ(totals.at("Moon"), "-1");
  EXPECT_EQ(totals.at("Sun"), "+10");
  EXPECT_EQ(totals.count("Mercury"), 0u);
  const auto claims = DignityComparisons(parts.text);
  ASSERT_EQ(claims.size(), 1u);
  EXPECT_EQ(claims[0].stronger, "Sun");
  EXPECT_EQ(claims[0].weaker, "Moon");
  EXPECT_EQ(DignityComparisons("Venus holds more essential dignity than Jupiter").size(), 1u);
}

// Every sample chart with both shipped sets: each claim agrees with the table, and where the
// traditional report weighs the lights, the benefics and the malefics it names the one the
// table scores higher.
TEST_F(CliReportDignityTest, EveryComparisonAgreesWithTheStrengthTable) {
  const std::pair<const char*, const char*> pairs[] = {{"Sun", "Moon"}, {"Jupiter", "Venus"}, {"Saturn", "Mars"}};
  int claims = 0;
  for (const char* set : {"modern", "traditional"}) {
    for (int chart = 1; chart <= 16; ++chart) {
      SCOPED_TRACE(std::string(set) + " chart " + std::to_string(chart));
      const std::string name = std::string(set) + std::to_string(chart) + ".rtf";
      CliRun r = Korvana(std::string("report --set ") + set + ".swp --chart main.cht:" + std::to_string(chart) +
                         " -o '" + (dir / name) + "'");
      if (r.status != 0 && r.err.find("is a horary chart") != std::string::npos) continue;
      ASSERT_EQ(r.status, 0) << r.err;
      const ReportParts report = SplitReport(dir.Read(name));
      const auto totals = StrengthTotals(report);
      const auto found = DignityComparisons(report.text);
      for (const Comparison& c : found) {
        ++claims;
        const auto stronger = Total(totals, c.stronger), weaker = Total(totals, c.weaker);
        ASSERT_TRUE(stronger && weaker) << "no totals in the table for: " << c.sentence;
        EXPECT_GT(*stronger, *weaker) << c.sentence;
      }
      if (std::string(set) != "traditional" || totals.empty()) continue;
      const bool timed = report.text.find("The time of birth is not known") == std::string::npos;
      for (const auto& [a, b] : pairs) {
        const auto ta = Total(totals, a), tb = Total(totals, b);
        ASSERT_TRUE(ta && tb);
        bool claimed = false;
        for (const Comparison& c : found)
          claimed = claimed || (c.stronger == a && c.weaker == b) || (c.stronger == b && c.weaker == a);
        // Without the birth time the totals rest on unknown houses and no comparison is made.
        EXPECT_EQ(claimed, timed && *ta != *tb) << a << " " << *ta << ", " << b << " " << *tb;
      }
    }
  }
  EXPECT_GT(claims, 0);
}

}  // namespace
}  // namespace korvana
