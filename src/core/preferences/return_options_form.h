// "Return Options" without the window: the date and time near which a solar or lunar
// return is sought, the place it is cast for (the natal place, or a relocated place typed
// or looked up like a new chart's), "Show Natal Chart?" and "Which Return". OK gives the
// return search the report job and the window cast.
#pragma once

#include <optional>
#include <string>

#include "core/derived/returns.h"
#include "core/reports/job/report_job.h"
#include "core/session/new_chart_form.h"

namespace korvana {

class Atlas;

// "Solar Return Date and Place" or "Lunar Return Date and Place".
std::string ReturnOptionsLabel(ReturnKind kind);

// "Current", "Nearest", "Next" by their list position 0..2, and back.
ReturnWhich ReturnWhichAt(int index);
int ReturnWhichIndex(ReturnWhich which);

class ReturnOptionsForm {
 public:
  // Starts at `now` at the natal place, "Nearest", "Show Natal Chart?" from the settings
  // ("ShowNatalCht"). `atlas` (may be null) gives the natal place's IANA zone, so that the
  // return's local time follows that place's clock changes.
  ReturnOptionsForm(ProgramSettings& settings, const ZoneList* zones, const Atlas* atlas, ReturnKind kind,
                    const ChartRecord& natal, const DateTimeRec& now);

  // The date, time and place fields; place, country, zone and coordinates are edited and
  // looked up only while Relocated().
  NewChartForm& Fields() { return fields_; }
  const NewChartForm& Fields() const { return fields_; }

  // "&Natal" (false) puts the natal chart's place, country, zone and coordinates back into
  // the fields; "&Relocated" (true) leaves them for the user.
  void SetRelocated(bool relocated);
  bool Relocated() const { return relocated_; }

  ReturnKind Kind() const { return kind_; }
  bool showNatal = true;
  ReturnWhich which = ReturnWhich::Nearest;

  // OK: parses the fields (the first failure's message shown, nullopt) and gives the base
  // chart (event kind "Event") with the which and the settings' return options. The
  // return place's IANA zone is the natal place's (natal) or the atlas place's last looked
  // up (relocated); the base's zone is then the one in force there at the typed moment.
  // "ShowNatalCht" takes the check box.
  std::optional<ReturnSearchRequest> Accept(Messages& messages);

 private:
  void FillNatalPlace();

  ProgramSettings& settings_;
  NewChartForm fields_;
  ReturnKind kind_;
  ChartRecord natal_;
  std::string natalZone_;  // the natal place's IANA zone, when the atlas knows the place
  bool relocated_ = false;
};

}  // namespace korvana
