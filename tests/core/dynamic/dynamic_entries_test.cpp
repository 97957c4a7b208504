// Grouping of event files into entries and the texts of the entries.
#include <gtest/gtest.h>

#include "core/dynamic/dynamic_entries.h"
#include "core/points/point_id.h"
#include "core/reports/language/language.h"

namespace korvana {
namespace {

constexpr double Start = 2461161.5;  // 1 May 2026
constexpr double End = Start + 365;

// An event file with the Sun and Mars moving against the radix Moon and Venus; events
// are listed in the order given, the order list 0, 1, 2, ...
TDynamicReport Events(std::initializer_list<DynamicEvent> events) {
  TDynamicReport r;
  r.Events = events;
  r.EventCount = static_cast<std::int32_t>(r.Events.size());
  for (std::int32_t i = 0; i < r.EventCount; ++i) r.Order.push_back(i);
  r.DynamicPoints = {{0, PointSun, 0}, {0, PointMars, 0}};
  r.RadixPoints = {{0, PointMoon, 0}, {0, PointVenus, 0}};
  return r;
}

DynamicEvent Aspect(int type, double time, int mover = 0, int aspect = 1, int radix = 0) {
  DynamicEvent e;
  e.type = static_cast<std::uint8_t>(type);
  e.dynamicIndex = mover;
  e.aspect = aspect;
  e.radixIndex = radix;
  e.time = time;
  return e;
}

DynamicEvent Place(int type, double time, int place, int mover = 0) {
  DynamicEvent e = Aspect(type, time, mover, 0, 0);
  e.place = place;
  return e;
}

TEST(GroupEventsTest, SplitsConfigurationsAndKeepsThoseReachingIntoThePeriod) {
  const TDynamicReport r = Events({
      // Before the period: dropped.
      Aspect(1, Start - 40), Aspect(0, Start - 35), Aspect(2, Start - 30),
      // Begins before, ends inside: kept with its own start.
      Aspect(3, Start - 10), Aspect(0, Start + 2), Aspect(2, Start + 5),
      // The same pair and aspect again: split after the type 2 event.
      Aspect(1, Start + 100), Aspect(0, Start + 101), Aspect(0, Start + 150), Aspect(4, End + 20),
      // Another point: a new configuration without a closing event in between.
      Aspect(1, Start + 200, 1, 4, 1), Aspect(2, Start + 210, 1, 4, 1),
      // After the period: dropped.
      Aspect(1, End + 1), Aspect(2, End + 3),
      // A house configuration that changes house without a closing event.
      Place(5, Start + 10, 4), Place(11, Start + 20, 4), Place(9, Start + 30, 4), Place(5, Start + 40, 5),
      Place(7, Start + 50, 5),
  });
  TDynamicTextEntries entries;
  GroupEvents(r, Start, End, entries);
  ASSERT_EQ(entries.Count, 5);
  ASSERT_EQ(entries.Order, (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
  const auto& a = entries.Items;
  EXPECT_EQ(a[0].StartTime, Start - 10);
  EXPECT_EQ(a[0].ExactTimes, std::vector<double>{Start + 2});
  EXPECT_EQ(a[1].ExactTimes, (std::vector<double>{Start + 101, Start + 150}));
  EXPECT_EQ(a[1].EndTime, End + 20);
  EXPECT_EQ(a[2].FirstPoint, PointMars);
  EXPECT_EQ(a[2].AspectNo, 4);
  EXPECT_EQ(a[2].Second, PointVenus);
  EXPECT_EQ(a[3].Category, 1);
  EXPECT_EQ(a[3].Second, 4);
  EXPECT_EQ(a[3].ExactTimes, (std::vector<double>{Start + 10, Start + 20, Start + 30}));
  EXPECT_EQ(a[4].Second, 5);
}

TEST(GroupEventsTest, AnEmptyEventFileGivesNoEntries) {
  TDynamicTextEntries entries = ErrorEntries(3);
  GroupEvents(Events({}), Start, End, entries);
  EXPECT_EQ(entries.Count, 0);
  EXPECT_TRUE(entries.Items.empty());
}

EntryTextContext English() {
  EntryTextContext c;
  c.extStartUT = Start;
  c.extEndUT = End;
  return c;
}

TEST(EntryTimeTextTest, HousesAndSignsReadEnteredBeforeAndLeavesAfterAtThePeriodEnds) {
  struct Case {
    std::vector<double> times;
    const char* text;
  };
  const Case cases[] = {
      {{Start - 20, Start + 30}, "<BOLDON>Entered before 11 Apr 2026, Leaves 31 May 2026<BOLDOFF>"},
      {{Start + 0.0005, Start + 30}, "<BOLDON>Entered before 1 May 2026, Leaves 31 May 2026<BOLDOFF>"},
      {{Start + 0.002, End - 0.0005}, "<BOLDON>Enters 1 May 2026, Leaves after 30 Apr 2027<BOLDOFF>"},
      {{Start + 3, Start + 9, Start + 40, End + 50},
       "<BOLDON>Enters 4 May 2026, Leaves 10 May 2026, Enters 10 Jun 2026, Leaves after 20 Jun 2027<BOLDOFF>"},
  };
  for (const Case& c : cases) {
    TDynamicTextEntry e;
    e.Category = 2;
    e.ExactTimes = c.times;
    e.StartTime = c.times.front();
    e.EndTime = c.times.back();
    EXPECT_EQ(EntryTimeText(e, English()), c.text);
  }
}

TEST(EntryTimeTextTest, AspectsShowTheirExactDatesAndSpan) {
  TDynamicTextEntry e;
  e.StartTime = Start + 10;
  e.EndTime = Start + 20;
  EXPECT_EQ(EntryTimeText(e, English()), "<BOLDON>16 May 2026<BOLDOFF>    (11 May 2026 to 21 May 2026)");
  e.ExactTimes = {Start + 12, Start + 18};
  EXPECT_EQ(EntryTimeText(e, English()),
            "<BOLDON>13 May 2026 and 19 May 2026<BOLDOFF>    (11 May 2026 to 21 May 2026)");
}

// Dates are those of the reference zone: 21:36 UT on 1 May is already 2 May three hours
// east, and a local period start east of Greenwich lies on the UT day before.
TEST(EntryTimeTextTest, DatesAreThoseOfTheReferenceZone) {
  struct Case {
    float zone;
    std::uint8_t category;
    std::vector<double> times;
    const char* text;
  };
  const double eastStart = Start - 3.0 / 24;  // 1 May 0:00 three hours east, in UT
  const Case cases[] = {
      {0, 0, {Start + 0.9}, "<BOLDON>1 May 2026<BOLDOFF>    (1 May 2026 to 1 May 2026)"},
      {-3, 0, {Start + 0.9}, "<BOLDON>2 May 2026<BOLDOFF>    (2 May 2026 to 2 May 2026)"},
      {5, 0, {Start + 0.1}, "<BOLDON>30 Apr 2026<BOLDOFF>    (30 Apr 2026 to 30 Apr 2026)"},
      {-3, 1, {eastStart, eastStart + 1}, "<BOLDON>Entered before 1 May 2026, Leaves 2 May 2026<BOLDOFF>"},
  };
  for (const Case& c : cases) {
    TDynamicTextEntry e;
    e.Category = c.category;
    e.ExactTimes = c.times;
    e.StartTime = c.times.front();
    e.EndTime = c.times.back();
    EntryTextContext context = English();
    context.zoneHours = c.zone;
    context.extStartUT = eastStart;
    EXPECT_EQ(EntryTimeText(e, context), c.text) << c.zone;
  }
}

TEST(ComposeEntryTextsTest, AMissingInterpretationFileIsNamedInEveryEntry) {
  TDynamicTextEntries entries;
  GroupEvents(Events({Aspect(1, Start + 1), Aspect(0, Start + 2), Aspect(2, Start + 3),
                      Place(6, Start + 4, 3), Place(8, Start + 9, 3)}),
              Start, End, entries);
  ComposeEntryTexts(entries, "/nonexistent/transits.int", English());
  ASSERT_EQ(entries.Count, 2);
  EXPECT_EQ(entries.Items[0].Keyword, "Transiting Sun Conjunction Radix Moon");
  EXPECT_EQ(entries.Items[1].Keyword, "Transiting Sun in Gemini");
  for (const auto& e : entries.Items) {
    EXPECT_TRUE(e.Show);
    EXPECT_EQ(e.Text, "Interpretations file invalid or missing: /nonexistent/transits.int");
  }
}

TEST(ErrorEntriesTest, OneShownEntryWithTheCode) {
  const TDynamicTextEntries e = ErrorEntries(-999999);
  ASSERT_EQ(e.Count, 1);
  EXPECT_EQ(e.Items[0].Keyword, "ERROR");
  EXPECT_EQ(e.Items[0].Text, "An error occurred during dynamic report generation. Error code: -999999");
  EXPECT_TRUE(e.Items[0].Show);
  EXPECT_EQ(e.Items[0].Category, 0);
  EXPECT_EQ(e.Order, std::vector<std::int32_t>{0});
}

TEST(DynamicSummaryTest, ListsSelectionsInNumberOrderWithAnglesOrbsAndZone) {
  SummaryContext c;
  c.dynamicPoints = {PointMars, PointSun};
  c.radixPoints = {PointMoon};
  c.aspects = {{4, 90.0}, {1, 0.0}};
  c.enterOrb = 1.5;
  c.leaveOrb = 1.0;
  c.zoneHours = 0;
  EXPECT_EQ(DynamicSummary(c),
            "|<BOLDON>Transiting Points:<BOLDOFF> Sun, Mars|<BOLDON>Radix Points:<BOLDOFF> Moon"
            "|<BOLDON>Dynamic Aspects:<BOLDOFF> Conjunction (0°00'), Square (90°00')"
            "|<BOLDON>Aspect Orbs:<BOLDOFF> Entering 1°30', Leaving 1°00'"
            "|<BOLDON>Reference Timezone:<BOLDOFF> UT +0:00");
}

TEST(PeriodLineTest, PrintsThePeriodsDatesAsTheyStand) {
  TDynRepUserData s;
  s.BaseDate = {2026, 1, 31, 0, 0, 0, calAuto};
  s.DurationUnit = DurationMonths;
  const DateTimeRec today{2030, 6, 15, 0, 0, 0, calAuto};
  EXPECT_EQ(PeriodLine(s, today, lang::LanguageEnglish, false), "From 31 Jan 2026 until 31 Feb 2026");
  EXPECT_EQ(PeriodLine(s, today, lang::LanguageEnglish, true), "From Jan 31 2026 until Feb 31 2026");
  // Today's month, in Spanish.
  s.UseCurrentDateAsBase = true;
  s.DurationUnit = DurationYears;
  EXPECT_EQ(PeriodLine(s, today, lang::LanguageSpanish, false), "Desde el 1 Jun 2030 hasta 1 Jun 2031");
}

}  // namespace
}  // namespace korvana
