// Before a run: the report set's questions and the report file's name.
#include <gtest/gtest.h>

#include "../composer/report_fixture.h"
#include "core/reports/driver/report_driver.h"
#include "core/reports/driver/report_questions.h"
#include "support/recording_messages.h"

namespace korvana {
namespace {

using testing::MakeChart;

class ScriptedQuestions : public TReportQuestions {
 public:
  std::optional<std::string> house = "1";
  bool ok = true;
  std::vector<std::string> names;
  std::vector<bool> female;
  PersonalDetailsForm seen;
  int asked = 0;

  std::optional<std::string> AskQuesitedHouse(std::string_view prompt, std::string_view caption,
                                              std::string_view initial) override {
    ++asked;
    EXPECT_EQ(prompt, "Which house represents the quesited (1-12)?");
    EXPECT_EQ(caption, "Quesited House");
    EXPECT_EQ(initial, "1");
    return house;
  }
  bool AskPersonalDetails(PersonalDetailsForm& form) override {
    seen = form;
    for (std::size_t i = 0; i < form.entries.size(); ++i) {
      if (i < names.size()) form.entries[i].givenName = names[i];
      if (i < female.size()) form.entries[i].female = female[i];
    }
    return ok;
  }
};

TEST(ReportQuestions, QuesitedHouseAnswers) {
  TKVReport report;
  report.askQuesitedHouse = true;
  struct Case {
    std::optional<std::string> answer;
    bool proceeds;
    int house;
  };
  const Case cases[] = {{"7", true, 7},   {" 12 ", true, 12}, {"13", true, 1}, {"-3", true, 1},
                        {"0", false, 0},  {"x", false, 0},    {std::nullopt, false, 0}};
  for (const Case& c : cases) {
    std::vector<CalculatedChart> charts{MakeChart("Horary Question ")};
    ScriptedQuestions q;
    q.house = c.answer;
    int house = 0;
    std::vector<std::string> owners;
    EXPECT_EQ(AskReportQuestions(charts, 1, house, report, owners, q), c.proceeds) << c.answer.value_or("cancel");
    if (c.proceeds) {
      EXPECT_EQ(house, c.house);
    }
    ASSERT_FALSE(owners.empty());
    EXPECT_EQ(owners[0], "Horary Question");
  }
}

TEST(ReportQuestions, PersonalDetailsSetNamesAndGenders) {
  TKVReport report;
  report.askChartGender = true;
  report.synastry = true;
  std::vector<CalculatedChart> charts{MakeChart("Smith, Anna Maria"), MakeChart("Ben Jones")};
  charts[0].Chart.EventKind = EventFemale;
  ScriptedQuestions q;
  q.names = {" Annie ", ""};
  q.female = {true, false};
  int house = 1;
  std::vector<std::string> owners;
  ASSERT_TRUE(AskReportQuestions(charts, 2, house, report, owners, q));
  EXPECT_EQ(q.asked, 0);
  ASSERT_EQ(q.seen.entries.size(), 2u);
  EXPECT_EQ(q.seen.entries[0].givenName, "Anna Maria");  // surname first: the text after ","
  EXPECT_TRUE(q.seen.entries[0].female);
  EXPECT_EQ(q.seen.entries[1].givenName, "Ben");
  EXPECT_FALSE(q.seen.entries[1].female);
  EXPECT_EQ(owners, (std::vector<std::string>{"Annie", ""}));
  EXPECT_EQ(charts[0].Chart.EventKind, EventFemale);
  EXPECT_EQ(charts[1].Chart.EventKind, EventMale);
  // Only the first chart is shown for a one-chart report; cancelling stops the run.
  report.synastry = false;
  q.ok = false;
  EXPECT_FALSE(AskReportQuestions(charts, 2, house, report, owners, q));
  EXPECT_EQ(q.seen.entries.size(), 1u);
}

TEST(ReportNaming, FileNameFromCaptionLanguageAndNames) {
  TKVReport report;
  report.caption = "Modern Natal Report";
  std::vector<CalculatedChart> charts{MakeChart("Albert Einstein   "), MakeChart("Mileva Maric")};
  EXPECT_EQ(ReportOutputFile("/r/", report, ReportNameFor(charts, report)),
            "/r/Modern Natal Report for Albert Einstein.rtf");
  report.synastry = true;
  report.language = 1;
  report.caption = "Sinastría";
  charts[1].Chart.Name = "Isabel";
  // "y" before a word starting with "I" becomes "e".
  EXPECT_EQ(ReportNameFor(charts, report), "Albert Einstein e Isabel");
  EXPECT_EQ(ReportOutputFile("/r/", report, "A y B"), "/r/Sinastría para A y B.rtf");
  // The composite name keeps at most 65 characters, the composite chart 30.
  report.language = 0;
  charts[0].Chart.Name = std::string(40, 'a');
  charts[1].Chart.Name = std::string(40, 'b');
  std::string name = ReportNameFor(charts, report);
  EXPECT_EQ(name.size(), 65u);
  EXPECT_EQ(CompositeChartName(name).size(), 30u);
  // A name never leads out of the report folder.
  EXPECT_EQ(ReportOutputFile("/r/", report, "../../etc/x"), "/r/Sinastría for ..-..-etc-x.rtf");
}

}  // namespace
}  // namespace korvana

namespace korvana {
namespace {

TEST(ExtraPoints, FieldsDefaultsAndFailures) {
  TKVReport report;
  testing::RecordingMessages messages;
  CalculatedChart chart = testing::MakeChart("Anna");
  chart.Moment.JDUT = 2451545.0;
  EXPECT_EQ(ComputeExtraPoints(chart, report, messages).Count(), 0);  // the set uses none
  report.usesExtraPoints = true;
  report.extraPointNumbers = {9999999};
  report.extraPointNames = {"Nowhere|Nw"};
  TExtraPlotPoints extra = ComputeExtraPoints(chart, report, messages);
  ASSERT_EQ(extra.Count(), 1);
  EXPECT_EQ(extra.points[0].name, "Nowhere");
  EXPECT_EQ(extra.points[0].abbreviation, "Nw");
  EXPECT_EQ(extra.points[0].glyph, "?");
  EXPECT_FALSE(extra.points[0].position.Computed());
  EXPECT_EQ(extra.flags, std::vector<std::int32_t>{0});
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(messages.messages[0].text.rfind(
                "Could not calculate position of the following asteroids:\r\n\r\nNowhere - Reason: ", 0),
            0u)
      << messages.messages[0].text;
}

}  // namespace
}  // namespace korvana
