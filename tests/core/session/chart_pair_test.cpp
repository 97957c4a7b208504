#include "core/session/chart_pair.h"

#include <gtest/gtest.h>

#include <deque>

namespace korvana {
namespace {

StoredChart Chart(const char* name, int zodiac = 0, bool meanNode = false, int houses = 5, int calcVersion = 1) {
  StoredChart c;
  c.chart.Name = name;
  c.chart.Zodiac = static_cast<std::uint8_t>(zodiac);
  c.chart.MeanNode = meanNode;
  c.chart.CalcVersion = calcVersion;
  c.houseSystem = houses;
  return c;
}

// Answers ChooseChart from a script and records what was asked.
struct ScriptedQuestions : PairQuestions {
  std::deque<int> answers;
  std::vector<std::string> told, asked;
  void Tell(std::string_view text) override { told.emplace_back(text); }
  int ChooseChart(const StoredChart&, const StoredChart&, std::string_view message, bool, std::string_view) override {
    asked.emplace_back(message);
    if (answers.empty()) return 0;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

std::string Names(const ChartPair& pair) { return pair.slot[0].chart.chart.Name + "+" + pair.slot[1].chart.chart.Name; }

class Placing : public ::testing::Test {
 protected:
  bool Place(PairKind kind, std::vector<StoredChart> chosen, int method = CompositeMidpoints) {
    return PlaceChosenChart(pair, kind, SlotRule::Choose, chosen, true, method, questions);
  }
  ChartPair pair;
  ScriptedQuestions questions;
};

TEST_F(Placing, ASynastrySetKeepsTheLastTwoChartsChosen) {
  const struct {
    const char* chosen;
    const char* pair;
  } steps[] = {{"Ann", "Ann+Ann"}, {"Bob", "Ann+Bob"}, {"Cid", "Bob+Cid"}, {"Cid", "Bob+Cid"}, {"Ann", "Cid+Ann"}};
  for (const auto& step : steps) {
    ASSERT_TRUE(Place(PairKind::Synastry, {Chart(step.chosen)}));
    EXPECT_EQ(Names(pair), step.pair) << "after choosing " << step.chosen;
  }
  EXPECT_TRUE(questions.told.empty());
}

TEST_F(Placing, OneChartSetsPutTheChartIntoBothSlots) {
  for (PairKind kind : {PairKind::Single, PairKind::Return}) {
    pair.Clear();
    Place(kind, {Chart("Ann")});
    Place(kind, {Chart("Bob")});
    EXPECT_EQ(Names(pair), "Bob+Bob");
    EXPECT_FALSE(pair.returnInPair);
  }
}

TEST_F(Placing, ACompositeNeedsTwoDifferentCompatibleCharts) {
  ASSERT_TRUE(Place(PairKind::Composite, {Chart("Ann")}));
  EXPECT_FALSE(pair.compositeReady);
  ASSERT_TRUE(Place(PairKind::Composite, {Chart("Ann")}));
  EXPECT_EQ(questions.told, std::vector<std::string>{CannotCombineMessage});
  EXPECT_EQ(Names(pair), "Ann+Ann");
  EXPECT_FALSE(pair.compositeReady);
  ASSERT_TRUE(Place(PairKind::Composite, {Chart("Bob")}));
  EXPECT_EQ(Names(pair), "Ann+Bob");
  EXPECT_TRUE(pair.compositeReady);
  // Further charts take the slots in turn; a chart already in the pair is refused.
  ASSERT_TRUE(Place(PairKind::Composite, {Chart("Cid")}));
  EXPECT_EQ(Names(pair), "Cid+Bob");
  ASSERT_TRUE(Place(PairKind::Composite, {Chart("Bob")}));
  EXPECT_EQ(Names(pair), "Cid+Bob");
  EXPECT_EQ(questions.told.size(), 2u);
}

TEST_F(Placing, AnIncompatibleCompositeChartIsKeptOrTheChoiceStartsAgain) {
  Place(PairKind::Composite, {Chart("Ann")});
  questions.answers = {1};  // keep Ann: the chart dialog stays open
  EXPECT_FALSE(Place(PairKind::Composite, {Chart("Sid", 1)}));
  EXPECT_EQ(Names(pair), "Ann+Ann");
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_EQ(questions.asked[0],
            "The charts do not have the same zodiac system and therefore cannot be combined.\r\n\r\nChoose which chart "
            "to keep, or click Cancel to start from the beginning again.");
  questions.answers = {2};  // start again from the new chart
  EXPECT_TRUE(Place(PairKind::Composite, {Chart("Sid", 1)}));
  EXPECT_EQ(Names(pair), "Sid+Sid");
  EXPECT_FALSE(pair.compositeReady);
}

TEST_F(Placing, TwoChartsChosenTogetherForAComposite) {
  EXPECT_TRUE(Place(PairKind::Composite, {Chart("Ann"), Chart("Bob")}));
  EXPECT_EQ(Names(pair), "Ann+Bob");
  EXPECT_TRUE(pair.compositeReady);

  // With one chart set, an incompatible pair can instead join that chart (Cancel, confirm).
  pair.Clear();
  Place(PairKind::Composite, {Chart("Ann")});
  questions.answers = {0, 1};
  EXPECT_TRUE(Place(PairKind::Composite, {Chart("Sid", 1), Chart("Bob")}));
  EXPECT_EQ(Names(pair), "Ann+Bob");
  EXPECT_TRUE(pair.compositeReady);
  ASSERT_EQ(questions.asked.size(), 2u);
  EXPECT_NE(questions.asked[0].find("Option 2: Use Bob with the previous chart"), std::string::npos);
  EXPECT_EQ(questions.asked[1], "Confirm you want to use both the charts below.");

  questions.told.clear();
  EXPECT_TRUE(Place(PairKind::Composite, {Chart("Ann"), Chart("Ann")}));
  EXPECT_EQ(questions.told, std::vector<std::string>{CannotCombineMessage});
}

TEST(ChartsCompatible, ChecksZodiacThenCoordinatesThenNodeThenHousesForMidpoints) {
  const struct {
    StoredChart b;
    int method;
    const char* message;  // empty: compatible
  } cases[] = {
      {Chart("B", 1, true), CompositeMidpoints, "The charts do not have the same zodiac system"},
      {Chart("B", 0, true, 5, 2), CompositeMidpoints, "The charts do not have the same coordinate system"},
      {Chart("B", 0, true), CompositeMidpoints, "The charts do not have the same Lunar Node type"},
      {Chart("B", 0, false, 1), CompositeMidpoints, "A midpoint composite requires the charts to have the same house"},
      {Chart("B", 0, false, 1), CompositeDavison, ""},
      {Chart("B"), CompositeMidpoints, ""},
  };
  for (const auto& c : cases) {
    const Compatibility fit = ChartsCompatible(Chart("A"), c.b, c.method);
    EXPECT_EQ(fit.compatible, std::string(c.message).empty()) << c.message;
    EXPECT_EQ(fit.message.rfind(c.message, 0), 0u) << fit.message;
  }
}

TEST(EnabledCommands, ReportsNeedThePairTheSetWorksOn) {
  ChartPair empty, one, two, ready;
  one.slot = {PairSlot{Chart("A")}, PairSlot{Chart("A")}};
  two.slot = {PairSlot{Chart("A")}, PairSlot{Chart("B")}};
  ready = two;
  ready.compositeReady = true;
  const struct {
    const ChartPair* pair;
    PairKind kind;
    bool byRequest;
    bool report, tools;
  } cases[] = {
      {&empty, PairKind::Single, false, false, false},  {&one, PairKind::Single, false, true, true},
      {&one, PairKind::Synastry, false, false, true},   {&two, PairKind::Synastry, false, true, true},
      {&two, PairKind::Composite, false, false, true},  {&ready, PairKind::Composite, false, true, true},
      {&one, PairKind::Return, false, false, true},     {&one, PairKind::Return, true, true, true},
  };
  for (const auto& c : cases) {
    const PairCommands commands = EnabledCommands(*c.pair, c.kind, c.byRequest);
    EXPECT_EQ(commands.report, c.report) << static_cast<int>(c.kind) << " " << Names(*c.pair);
    EXPECT_EQ(commands.chartTools, c.tools) << static_cast<int>(c.kind) << " " << Names(*c.pair);
  }
}

TEST(ClosingQuestions, AskOncePerUnsavedChart) {
  ChartPair pair;
  pair.slot = {PairSlot{Chart("Albert")}, PairSlot{Chart("Diana")}};
  EXPECT_EQ(UnsavedSlotsOnClose(pair, PairKind::Synastry), (std::vector<int>{0, 1}));
  EXPECT_EQ(UnsavedSlotsOnClose(pair, PairKind::Single), (std::vector<int>{0}));
  pair.slot[0].saved = true;
  EXPECT_EQ(UnsavedSlotsOnClose(pair, PairKind::Composite), (std::vector<int>{1}));
  EXPECT_EQ(UnsavedChartQuestion(Chart("Albert")),
            "Chart has not been saved. \r\n\r\nAlbert\r\n\r\nDo you wish to save it before exiting?");
}

}  // namespace
}  // namespace korvana
