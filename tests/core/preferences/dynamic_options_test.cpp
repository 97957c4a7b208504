#include "core/preferences/dynamic_options.h"

#include <gtest/gtest.h>

#include "core/reports/reportset/report_set.h"
#include "support/date_time_fixture.h"
#include "support/recording_messages.h"

namespace korvana {
namespace {

using testing::RecordingMessages;
using testing::Rec;

const DateTimeRec Today = Rec(2026, 5, 17);

// A set whose first dynamic section offers the Moon, the Sun and Mars as moving points,
// the Sun and the Ascendant as radix points, and the conjunction and the square.
TKVReport DynamicSet() {
  TKVReport set;
  set.includesDynRep = true;
  set.dynPointsAvailable = {"101000100000000000000000000000000000"};
  set.dynPointsSelected = {"100000000000000000000000000000000000"};
  set.radixPointsAvailable = {"001000000000000000000100000000000000"};
  set.radixPointsSelected = {"001000000000000000000000000000000000"};
  set.dynAspectsAvailable = {"1001"};
  set.dynAspectsSelected = {"1111"};
  set.orbEntering = 1.0;
  set.orbLeaving = 2.5;
  return set;
}

AspectSet Aspects() {
  AspectSet a;
  a.header.count = 2;
  a.records[1].aspectType = 1;
  a.records[1].name = "  Conjunction ";
  a.records[2].aspectType = 4;
  a.records[2].name = "Square";
  return a;
}

class DynamicOptionsTest : public ::testing::Test {
 protected:
  DynamicOptionsTest() : form(TDynRepUserData{}, set, &aspects, program, Today) {}
  TKVReport set = DynamicSet();
  AspectSet aspects = Aspects();
  ProgramSettings program;
  DynamicOptionsForm form;
  RecordingMessages messages;
};

TEST_F(DynamicOptionsTest, TheAmountStaysWithinAHundredAndTheDurationIsAWholeNumber) {
  struct Case {
    const char* amount;
    int kept;
    const char* duration;
    int length;
  };
  const Case cases[] = {
      {"250", 100, "2", 2}, {"-250", -100, "x", 1}, {"100", 100, "", 1}, {"-7", -7, "3.5", 1}, {"abc", 0, "12", 12},
  };
  for (const Case& c : cases) {
    form.amountText = c.amount;
    form.durationText = c.duration;
    form.Refresh(Today);
    EXPECT_EQ(form.period.AdjustAmount, c.kept) << c.amount;
    EXPECT_EQ(form.amountText, std::to_string(c.kept)) << "written back: " << c.amount;
    EXPECT_EQ(form.period.Duration, c.length) << c.duration;
  }
}

TEST_F(DynamicOptionsTest, ThePeriodControlsFollowTheBaseGoToAndAdjust) {
  struct Case {
    bool current, goTo, adjust;
    DynamicPeriodControls enabled;
  };
  const Case cases[] = {
      {false, true, true, {true, false, false, false}},
      {true, false, true, {false, true, false, false}},
      {true, true, false, {false, true, true, false}},
      {true, true, true, {false, true, true, true}},
  };
  for (const Case& c : cases) {
    form.period.UseCurrentDateAsBase = c.current;
    form.period.DoGoTo = c.goTo;
    form.period.DoAdjust = c.adjust;
    const DynamicPeriodControls got = form.Controls();
    EXPECT_EQ(got.date, c.enabled.date);
    EXPECT_EQ(got.goTo, c.enabled.goTo);
    EXPECT_EQ(got.goToUnit, c.enabled.goToUnit);
    EXPECT_EQ(got.adjust, c.enabled.adjust);
  }
}

TEST_F(DynamicOptionsTest, TheDateBoxShowsTheSpecifiedDateOrTheComputedStart) {
  form.period.UseCurrentDateAsBase = false;
  form.dateText = "3 Feb 2024";
  ASSERT_TRUE(form.LeaveDate(Today, messages));
  EXPECT_EQ(form.period.BaseDate.Year, 2024);
  EXPECT_EQ(form.dateText, "3 Feb 2024");
  form.period.UseCurrentDateAsBase = true;
  form.period.DoGoTo = true;
  form.period.GoToStartOf = 1;  // quarter
  form.Refresh(Today);
  EXPECT_EQ(form.dateText, "1 Apr 2026") << "the start of today's quarter";
  form.period.DoAdjust = true;
  form.amountText = "-1";
  form.period.AdjustUnits = 2;  // years
  form.Refresh(Today);
  EXPECT_EQ(form.dateText, "1 Apr 2025");
  form.dateText = "nonsense";
  EXPECT_FALSE(form.LeaveDate(Today, messages));
  EXPECT_FALSE(messages.messages.empty());
  EXPECT_EQ(form.period.BaseDate.Year, 2024) << "a date that does not parse changes nothing";
}

TEST_F(DynamicOptionsTest, OrbsAreAnglesOfAtMostThreeDegrees) {
  EXPECT_EQ(form.enteringOrb, "1\u00b000'");
  EXPECT_EQ(form.leavingOrb, "2\u00b030'");
  const std::pair<const char*, const char*> cases[] = {{"5", "3\u00b000'"}, {"2 15", "2\u00b015'"}, {"3", "3\u00b000'"}};
  for (const auto& [typed, shown] : cases) {
    std::string text = typed;
    ASSERT_TRUE(DynamicOptionsForm::LeaveOrb(text, messages)) << typed;
    EXPECT_EQ(text, shown) << typed;
  }
  std::string bad = "lots";
  EXPECT_FALSE(DynamicOptionsForm::LeaveOrb(bad, messages));
  EXPECT_EQ(bad, "lots");
}

TEST_F(DynamicOptionsTest, ListsShowTheAvailableItemsAndSaveWritesUnavailableOnesAsOn) {
  ASSERT_EQ(form.transiting.size(), 3u);
  EXPECT_EQ(form.transiting[1].name, "The Sun");
  EXPECT_FALSE(form.transiting[1].on);
  ASSERT_EQ(form.aspects.size(), 2u);
  EXPECT_EQ(form.aspects[0].name, "Conjunction") << "blanks removed";
  EXPECT_EQ(form.aspects[1].name, "Square");
  EXPECT_EQ(DynamicOptionsForm::Look(form.transiting[0]).text, "The Moon");
  EXPECT_TRUE(DynamicOptionsForm::Look(form.transiting[0]).bold);
  const OnOffItem off = DynamicOptionsForm::Look(form.transiting[1]);
  EXPECT_EQ(off.text, "(The Sun)");
  EXPECT_EQ(off.indent, 20);

  DynamicOptionsForm::Toggle(form.transiting, 1);  // the Sun on
  DynamicOptionsForm::Toggle(form.transiting, 0);  // the Moon off
  DynamicOptionsForm::Toggle(form.aspects, 1);     // the square off
  DynamicOptionsForm::Toggle(form.aspects, 9);     // no such item: nothing
  form.enteringOrb = "5";
  form.timeLines = false;
  form.amountText = "250";
  form.Refresh(Today);
  TDynRepUserData saved;
  form.Save(saved, set, program);
  EXPECT_EQ(set.dynPointsSelected[0], "011111011111111111111111111111111111");
  EXPECT_EQ(set.radixPointsSelected[0], "111111111111111111111011111111111111") << "the Ascendant stays off";
  EXPECT_EQ(set.dynAspectsSelected[0], "11101111111111111111111111");
  EXPECT_EQ(set.orbEntering, 3.0);
  EXPECT_EQ(set.orbLeaving, 2.5);
  EXPECT_EQ(saved.AdjustAmount, 100);
  EXPECT_FALSE(program.ShowTimeLineDiagrams);
}

TEST_F(DynamicOptionsTest, ASetWithoutDynamicReportsSavesNothing) {
  TKVReport plain;
  DynamicOptionsForm none(TDynRepUserData{}, plain, nullptr, program, Today);
  EXPECT_FALSE(none.HasDynamicReports());
  EXPECT_TRUE(none.transiting.empty());
  TDynRepUserData settings;
  settings.Duration = 7;
  none.timeLines = false;
  none.Save(settings, plain, program);
  EXPECT_EQ(settings.Duration, 7);
  EXPECT_TRUE(plain.dynPointsSelected.empty());
  EXPECT_TRUE(program.ShowTimeLineDiagrams);
}

}  // namespace
}  // namespace korvana
