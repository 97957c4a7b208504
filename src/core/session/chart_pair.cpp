#include "core/session/chart_pair.h"

#include "core/reports/reportset/report_set.h"
#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana {

const char* const CannotCombineMessage =
    "Cannot combine the same chart for a Composite - choose two charts that are different.";

namespace {

constexpr const char* Break = "\r\n\r\n";
constexpr const char* KeepOneOrRestart = "Choose which chart to keep, or click Cancel to start from the beginning again.";
constexpr const char* ReplaceOrKeepPrevious =
    "Either the chart you most recently selected can replace both the charts you had previously selected, or you "
    "can abandon the chart you recently selected and keep the two charts you had previously selected.";
constexpr const char* ChooseOneOrAbort = "Choose which of these two charts to use, or Cancel to abort.";
constexpr const char* ConfirmBoth = "Confirm you want to use both the charts below.";

void FillBoth(ChartPair& pair, const StoredChart& chart) {
  pair.slot[0] = {chart, false};
  pair.slot[1] = {chart, false};
}

// Keeps the saved flag of a chart that stays in its slot.
void Put(PairSlot& slot, const StoredChart& chart) {
  if (!(slot.chart == chart)) slot = {chart, false};
}

void PlaceSynastry(ChartPair& pair, const StoredChart& chosen) {
  if (pair.slot[0].Empty()) {
    FillBoth(pair, chosen);
  } else if (pair.slot[1].chart == chosen) {
    Put(pair.slot[1], chosen);
  } else {
    pair.slot[0] = pair.slot[1];
    pair.slot[1] = {chosen, false};
  }
}

// Both slots take one chart; the composite waits for a second.
void StartComposite(ChartPair& pair, const StoredChart& chart) {
  FillBoth(pair, chart);
  pair.nextSlot = 1;
  pair.compositeReady = false;
}

bool PlaceOneComposite(ChartPair& pair, const StoredChart& n, int method, PairQuestions& questions) {
  const StoredChart& a = pair.slot[0].chart;
  if (pair.slot[0].Empty()) {
    StartComposite(pair, n);
    return true;
  }
  // A chart already in either slot would make a composite of one chart with itself.
  if (n == a || n == pair.slot[1].chart) {
    questions.Tell(CannotCombineMessage);
    return true;
  }
  const Compatibility fit = ChartsCompatible(a, n, method);
  if (pair.SameChart()) {
    if (fit.compatible) {
      pair.slot[1] = {n, false};
      pair.nextSlot = 0;
      pair.compositeReady = true;
      return true;
    }
    if (questions.ChooseChart(a, n, fit.message + Break + KeepOneOrRestart, true, "") != 2) return false;
    StartComposite(pair, n);
    return true;
  }
  if (fit.compatible) {
    pair.slot[pair.nextSlot] = {n, false};
    pair.nextSlot = 1 - pair.nextSlot;
    pair.compositeReady = true;
    return true;
  }
  if (questions.ChooseChart(a, n, fit.message + Break + ReplaceOrKeepPrevious, true, "Previous Charts") != 2)
    return false;
  StartComposite(pair, n);
  return true;
}

bool PlaceTwoComposite(ChartPair& pair, const StoredChart& n1, const StoredChart& n2, int method,
                       PairQuestions& questions) {
  if (n1 == n2) {
    questions.Tell(CannotCombineMessage);
    return true;
  }
  const Compatibility fit = ChartsCompatible(n1, n2, method);
  if (fit.compatible) {
    pair.nextSlot = pair.slot[0].Empty() ? 0 : 1;
    pair.slot[0] = {n1, false};
    pair.slot[1] = {n2, false};
    pair.compositeReady = true;
    return true;
  }
  const auto takeChoice = [&](int choice) {
    if (choice != 1 && choice != 2) return false;
    StartComposite(pair, choice == 1 ? n1 : n2);
    return true;
  };
  if (pair.slot[0].Empty()) return takeChoice(questions.ChooseChart(n1, n2, fit.message + Break + KeepOneOrRestart, true, ""));
  if (!pair.SameChart()) return takeChoice(questions.ChooseChart(n1, n2, fit.message + Break + ChooseOneOrAbort, true, ""));
  // One chart A is set: either of the two may join it instead.
  const StoredChart a = pair.slot[0].chart;
  const StoredChart* joining = ChartsCompatible(a, n1, method).compatible   ? &n1
                               : ChartsCompatible(a, n2, method).compatible ? &n2
                                                                            : nullptr;
  if (joining == nullptr) return takeChoice(questions.ChooseChart(n1, n2, fit.message + Break + ChooseOneOrAbort, true, ""));
  const std::string options = "Option 1: You can choose which of these two charts to use.\r\nOption 2: Use " +
                              std::string(Trim(joining->chart.Name)) +
                              " with the previous chart you had selected (click Cancel to do this)";
  const int choice = questions.ChooseChart(n1, n2, fit.message + Break + options, true, "");
  if (choice != 0) return takeChoice(choice);
  if (questions.ChooseChart(*joining, a, ConfirmBoth, false, "") != 1) return false;
  pair.slot[1] = {*joining, false};
  pair.nextSlot = 0;
  pair.compositeReady = true;
  return true;
}

}  // namespace

PairKind PairKindOf(const TKVReport& set) {
  if (set.synastry) return PairKind::Synastry;
  if (set.composite) return PairKind::Composite;
  if (set.includesSolarReturn || set.includesLunarReturn) return PairKind::Return;
  return PairKind::Single;
}

bool PairSlot::Empty() const { return Trim(chart.chart.Name).empty(); }

bool ChartPair::SameChart() const { return slot[0].chart == slot[1].chart; }

void ChartPair::Clear() {
  slot = {};
  nextSlot = 0;
  compositeReady = false;
  returnInPair = false;
}

Compatibility ChartsCompatible(const StoredChart& a, const StoredChart& b, int compositeMethod) {
  const ChartRecord& x = a.chart;
  const ChartRecord& y = b.chart;
  if (x.Zodiac != y.Zodiac)
    return {false, "The charts do not have the same zodiac system and therefore cannot be combined."};
  if ((x.CalcVersion == 1) != (y.CalcVersion == 1))
    return {false, "The charts do not have the same coordinate system and therefore cannot be combined."};
  if (x.MeanNode != y.MeanNode)
    return {false, "The charts do not have the same Lunar Node type and therefore cannot be combined."};
  if (compositeMethod == CompositeMidpoints && a.houseSystem != b.houseSystem)
    return {false,
            "A midpoint composite requires the charts to have the same house system, but the charts have different "
            "house systems so cannot be combined."};
  return {};
}

bool PlaceChosenChart(ChartPair& pair, PairKind kind, SlotRule rule, const std::vector<StoredChart>& chosen,
                      bool fromChartDialog, int compositeMethod, PairQuestions& questions) {
  if (chosen.empty()) return true;
  const StoredChart& last = chosen.back();
  if (rule != SlotRule::Choose) {
    pair.slot[static_cast<int>(rule)] = {last, false};
    if (kind == PairKind::Composite) pair.compositeReady = !pair.SameChart() && pair.compositeReady;
    return true;
  }
  switch (kind) {
    case PairKind::Synastry: PlaceSynastry(pair, last); return true;
    case PairKind::Composite:
      if (chosen.size() == 2 && fromChartDialog) return PlaceTwoComposite(pair, chosen[0], chosen[1], compositeMethod, questions);
      return PlaceOneComposite(pair, last, compositeMethod, questions);
    case PairKind::Return:
      FillBoth(pair, last);
      pair.returnInPair = false;
      return true;
    case PairKind::Single: FillBoth(pair, last); return true;
  }
  return true;
}

PairCommands EnabledCommands(const ChartPair& pair, PairKind kind, bool startedByRequest) {
  PairCommands commands;
  const bool hasChart = !pair.slot[0].Empty();
  commands.chartTools = hasChart;
  const bool twoCharts = kind == PairKind::Synastry || kind == PairKind::Composite ||
                         (kind == PairKind::Return && !startedByRequest);
  if (!twoCharts) {
    commands.report = hasChart;
  } else {
    commands.report = hasChart && !pair.SameChart() && (kind != PairKind::Composite || pair.compositeReady);
  }
  return commands;
}

std::vector<int> UnsavedSlotsOnClose(const ChartPair& pair, PairKind kind) {
  std::vector<int> unsaved;
  if (!pair.slot[0].Empty() && !pair.slot[0].saved) unsaved.push_back(0);
  const bool twoChartSet = kind == PairKind::Synastry || kind == PairKind::Composite;
  if (twoChartSet && !pair.SameChart() && !pair.slot[1].Empty() && !pair.slot[1].saved) unsaved.push_back(1);
  return unsaved;
}

std::string UnsavedChartQuestion(const StoredChart& chart) {
  return "Chart has not been saved. \r\n\r\n" + LimitText(chart.chart.Name, 60) +
         "\r\n\r\nDo you wish to save it before exiting?";
}

}  // namespace korvana
