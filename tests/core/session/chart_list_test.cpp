#include "core/session/chart_list.h"

#include <gtest/gtest.h>

#include "support/date_time_fixture.h"

namespace korvana {
namespace {

TEST(ChartList, NamesLastNameFirstAndDateKeys) {
  EXPECT_EQ(ReverseName("Mary Ann Jones"), "Jones, Mary Ann");
  EXPECT_EQ(ReverseName("Cher"), "Cher");
  EXPECT_EQ(ChartDateKey(testing::Rec(1776, 7, 4)), "117760704");
  EXPECT_LT(ChartDateKey(testing::Rec(-44, 3, 15)), ChartDateKey(testing::Rec(1, 1, 1))) << "text order is date order";
}

TEST(ChartList, RowsInNameDateOrFileOrder) {
  const auto chart = [](const char* name, int year) {
    StoredChart c;
    c.chart.Name = name;
    c.chart.Moment = testing::Rec(year, 1, 1);
    return c;
  };
  const std::vector<ChartListEntry> charts = {
      {1, chart("Zoe Adams", 1990), ""}, {2, chart("anna Young", 1950), ""}, {3, std::nullopt, "damaged"},
      {4, chart("Bob Brown", 1970), ""}};
  const struct {
    ChartOrder order;
    bool lastNameFirst;
    std::vector<int> numbers;
    const char* first;
  } cases[] = {
      {ChartOrder::File, false, {1, 2, 3, 4}, "Zoe Adams"},
      {ChartOrder::Name, false, {3, 2, 4, 1}, ""},
      {ChartOrder::Name, true, {3, 1, 4, 2}, ""},
      {ChartOrder::Date, true, {3, 2, 4, 1}, ""},
  };
  for (const auto& c : cases) {
    std::vector<int> numbers;
    const auto rows = MakeChartRows(charts, c.order, c.lastNameFirst);
    for (const ChartListRow& row : rows) numbers.push_back(row.number);
    EXPECT_EQ(numbers, c.numbers) << static_cast<int>(c.order) << c.lastNameFirst;
    EXPECT_EQ(rows[0].name, c.first);
  }
  EXPECT_EQ(MakeChartRows(charts, ChartOrder::Name, true)[1].name, "Adams, Zoe");
}

TEST(ChartList, RecentFilesKeepTheTenLastAndMoveAFileUsedAgainToTheTop) {
  std::vector<std::string> recent;
  for (int i = 1; i <= 11; ++i) AddToRecentCharts(recent, "/c/f" + std::to_string(i) + ".cht");
  ASSERT_EQ(recent.size(), 10u);
  EXPECT_EQ(recent.front(), "/c/f11.cht");
  EXPECT_EQ(recent.back(), "/c/f2.cht");
  AddToRecentCharts(recent, "/C/F5.CHT");
  EXPECT_EQ(recent.front(), "/c/f5.cht");
  EXPECT_EQ(recent[ /* the former first */ 6], "/c/f11.cht");
  EXPECT_EQ(recent.size(), 10u);
}

TEST(ChartList, SearchPatterns) {
  EXPECT_EQ(ChartSearchPattern("smith"), "*smith*");
  EXPECT_EQ(ChartSearchPattern("*smith"), "*smith*");
  EXPECT_EQ(ChartSearchPattern(""), "");
  const struct {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"John Smith", "*smith*", true}, {"SMITHERS", "*smith*", true}, {"Smyth", "*smith*", false},
      {"Ann", "?nn", true},            {"Ann", "a?", false},          {"", "*", true},
      {"abcabd", "*abd", true},        {"Jones", "J*s", true},        {"Jonesy", "J*s", false},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesChartPattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

}  // namespace
}  // namespace korvana
