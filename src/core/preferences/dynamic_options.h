// "Dynamic Options" without the window: the period settings of the dynamic reports, the
// point and aspect selections and orbs of the report set's first dynamic section, and the
// time line switch. The form works on copies; Save hands them over.
//
// The period fields follow the refresh rule: the duration is read as a whole number (1
// when it is not one), the adjustment amount as a whole number (0 when it is not one)
// kept within -100..100, and the date box shows the period's start date (the computed
// one when the current date is the base).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/analysis/aspect_file.h"
#include "core/config/program_settings.h"
#include "core/dynamic/dynamic_period.h"
#include "core/preferences/on_off_item.h"
#include "core/time/time_zone.h"
#include "core/util/messages.h"

namespace korvana {

struct TKVReport;

// The limits of the adjustment amount and of the two orbs (degrees).
inline constexpr int MaxAdjustAmount = 100;
inline constexpr double MaxDynamicOrb = 3.0;

// One item of the points or aspects lists: a point (1..36) or an aspect type (1..26).
struct DynamicItem {
  int id = 0;
  std::string name;
  bool on = false;
};

// Which period controls are enabled.
struct DynamicPeriodControls {
  bool date = false;     // the date box and its label: "Use &specified date"
  bool goTo = false;     // "&Go to": the current date as base
  bool goToUnit = false; // the go-to combo and "Then &adjust by": also "&Go to" checked
  bool adjust = false;   // the amount, its up-down and the unit combo: also "Then &adjust by"
};

class DynamicOptionsForm {
 public:
  // Copies the period settings and the first dynamic section's selections (points named
  // as in reports, aspects by their records in `aspects`, which may be null), the orbs
  // and the time line setting, then refreshes for `today`.
  DynamicOptionsForm(const TDynRepUserData& period, const TKVReport& set, const AspectSet* aspects,
                     const ProgramSettings& settings, const DateTimeRec& today);

  // False for a set without dynamic reports: the tabs are hidden and Save only closes.
  bool HasDynamicReports() const { return dynamic_; }

  // The working copy and the texts of the boxes.
  TDynRepUserData period;
  std::string dateText, zoneText, durationText, amountText, enteringOrb, leavingOrb;
  bool timeLines = true;
  std::vector<DynamicItem> transiting, radix, aspects;

  // The refresh (after any period control changed): reads the boxes back into the
  // working copy, limits the amount and shows the period start in the date box.
  void Refresh(const DateTimeRec& today);
  DynamicPeriodControls Controls() const;

  // Leaving the date box: the typed date becomes the base date, then the refresh. False
  // with the parser's message when it does not parse (the base date stays).
  bool LeaveDate(const DateTimeRec& today, Messages& messages);
  // Leaving the zone box: the typed zone becomes the report zone. False with the
  // parser's message when it does not parse.
  bool LeaveZone(const ZoneList& zones, Messages& messages);
  // Leaving an orb box: the typed angle, at most 3 degrees, written back as angle text.
  // False with the parser's message when it does not parse.
  static bool LeaveOrb(std::string& text, Messages& messages);

  // "&On / Off" or a double click on item `index` of a list.
  static void Toggle(std::vector<DynamicItem>& list, int index);
  static OnOffItem Look(const DynamicItem& item) { return OnOffLook(item.name, item.on); }

  // "&Save": the working copy becomes `settings`; the first section's "DynPointsSelected",
  // "RadixPointsSelected" (36 characters) and "DynAspectsSelected" (26) are rewritten,
  // an available item taking its flag and any other "1"; the orbs are parsed (at most 3
  // degrees; a box that does not parse keeps the old orb); "ShowTimeLineDiagrams" takes
  // the check box. Nothing happens for a set without dynamic reports.
  void Save(TDynRepUserData& settings, TKVReport& set, ProgramSettings& program) const;

 private:
  bool dynamic_ = false;
  bool monthFirst_ = false;
  int pivotYear_ = 1930;
};

// The text of a zone as the dialog shows it: the abbreviation, a blank and the hours.
std::string DynamicZoneText(const TDynRepUserData& period);

}  // namespace korvana
