// The desktop program's chart pair: the two chart slots a report runs on, and the rules by
// which a newly chosen chart joins them for each kind of report set (one chart, synastry,
// composite, returns), what is compatible for a composite, and which report commands a
// pair allows. The window shows what these rules decide; questions to the user go through
// the PairQuestions interface, so that the rules are tested without a window.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/charts/chart_layouts.h"

namespace korvana {

struct TKVReport;

// What kind of pair a report set works on.
enum class PairKind { Single, Synastry, Composite, Return };

// The pair kind of a loaded report set: synastry, composite, solar or lunar returns,
// else one chart.
PairKind PairKindOf(const TKVReport& set);

struct PairSlot {
  StoredChart chart;
  bool saved = false;  // came from, or was written to, a chart file

  // A slot is empty while its chart has no name.
  bool Empty() const;
};

struct ChartPair {
  std::array<PairSlot, 2> slot;  // 0: the main chart; 1: partner, second composite chart, return
  int nextSlot = 0;               // where the next composite chart goes
  bool compositeReady = false;    // two different, compatible composite charts are set
  bool returnInPair = false;      // slot 1 holds a cast return of slot 0's chart

  // Both slots hold the same chart (the pair then counts as one chart).
  bool SameChart() const;
  // Empties both slots and clears the composite and return states.
  void Clear();
};

// The composite methods of the "CompositeChartMethod" setting.
constexpr int CompositeMidpoints = 2;
constexpr int CompositeDavison = 15;

struct Compatibility {
  bool compatible = true;
  std::string message;  // why not, for the user
};

// Whether two charts can be combined, checked in this order: the zodiac, the coordinate
// system (CalcVersion 1 geocentric, anything else heliocentric), the node type and, for a
// midpoint composite, the house system.
Compatibility ChartsCompatible(const StoredChart& a, const StoredChart& b, int compositeMethod);

// The questions placing a chart may ask.
class PairQuestions {
 public:
  virtual ~PairQuestions() = default;
  // Shows a message.
  virtual void Tell(std::string_view text) = 0;
  // "Choose a chart": shows both charts under `message`; with a choice returns 1 or 2 for
  // the chart chosen, without one 1 to confirm; 0 when cancelled. `firstLabel` replaces
  // the first chart's name as its label when not empty.
  virtual int ChooseChart(const StoredChart& first, const StoredChart& second, std::string_view message,
                          bool withChoice, std::string_view firstLabel) = 0;
};

// The message for choosing the same chart twice for a composite.
extern const char* const CannotCombineMessage;

// How a chosen chart goes into the pair.
enum class SlotRule {
  Choose = -1,  // by the set's rules
  First = 0,    // back into slot 0 (after editing)
  Second = 1,   // back into slot 1 (after editing)
};

// Places the chart(s) just chosen (one, or two chosen together for a composite) into the
// pair by the rules of `kind`; `fromChartDialog` is set when a chart dialog chose them.
// Returns false when the user chose to start again (the chart dialog then stays open);
// a refused chart ("Cannot combine ...") leaves the pair as it was and returns true. A
// return set puts the natal chart into both slots; casting the return is the return
// options' work. Composite readiness is set when two compatible different charts are set.
bool PlaceChosenChart(ChartPair& pair, PairKind kind, SlotRule rule, const std::vector<StoredChart>& chosen,
                      bool fromChartDialog, int compositeMethod, PairQuestions& questions);

// Which commands a pair allows.
struct PairCommands {
  bool report = false;     // "View in Editor", "View as PDF", "Email PDF", "Add to Print Queue"
  bool chartTools = false;  // "Save", "Edit", "Print Wheel"
};

// For a synastry or composite set, or a return set not started by a start request, the
// report commands need a chart in slot 0 and two different charts (a composite also
// readiness); for other sets a chart in slot 0. The chart tools need a chart in slot 0.
PairCommands EnabledCommands(const ChartPair& pair, PairKind kind, bool startedByRequest);

// The slots (0, 1) whose unsaved charts the closing question asks about: slot 0 when it
// holds an unsaved chart, slot 1 too for a synastry or composite set whose slots differ.
std::vector<int> UnsavedSlotsOnClose(const ChartPair& pair, PairKind kind);

// "Chart has not been saved. \r\n\r\n" + the name (at most 60 characters) + "\r\n\r\nDo you
// wish to save it before exiting?"
std::string UnsavedChartQuestion(const StoredChart& chart);

}  // namespace korvana
