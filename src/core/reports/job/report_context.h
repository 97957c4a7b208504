// What stays loaded between the report jobs of one program run: the settings and the
// messages sink of the front end, the report driver with its run state, the aspect set of
// the last report set, the rulership tables (read once) and the interpretation reader the
// reports' InterpFile statements open. A front end keeps one context and runs every
// report through it; nothing here is process-wide.
#pragma once

#include "core/analysis/aspect_file.h"
#include "core/analysis/rulerships.h"
#include "core/config/program_settings.h"
#include "core/reports/driver/report_driver.h"
#include "core/reports/interps/interps.h"
#include "core/util/messages.h"

namespace korvana {

struct ReportContext {
  ReportContext(ProgramSettings& settings, Messages& messages)
      : settings(settings), messages(messages) {}
  ReportContext(const ReportContext&) = delete;
  ReportContext& operator=(const ReportContext&) = delete;

  ProgramSettings& settings;
  Messages& messages;
  ReportDriver driver;
  AspectSet aspects;
  RulershipTables rulerships;
  TEMInterps interps;
};

}  // namespace korvana
