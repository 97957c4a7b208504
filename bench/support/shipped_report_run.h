// The report run the report benchmarks share: the shipped modern report set and the first
// sample chart, with the settings pointing at the build's template folder.
#pragma once

#include <string>

#include "core/analysis/aspect_file.h"
#include "core/analysis/rulerships.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/reports/driver/report_driver.h"
#include "core/reports/driver/report_questions.h"
#include "core/reports/reportset/report_set.h"

namespace korvana::bench {

struct ShippedReportRun {
  const std::string base = std::string(KORVANA_TEMPLATE_DIR) + "/";
  SilentMessages messages;
  ProgramSettings settings;
  TKVReport report;
  AspectSet aspects;
  RulershipTables tables;
  ReportRun run;

  explicit ShippedReportRun(const std::string& outputFile) {
    settings.SystemPath = settings.CompilePath = settings.EphemPath = base;
    settings.UserPath = settings.ChartPath = base + "userdata/";
    settings.SourcePath = base + "source/";
    SwissEphemerisUsable(base + "swisseph/");
    LoadReportSet(base + "modern.swp", report, settings, messages);
    LoadAspectFile(report.aspectFile, aspects, messages);
    LoadRulershipTables(base + "rulers2.fil", base + "degdig2.fil", base + "tripdig2.fil", messages, tables);
    std::vector<StoredChart> stored = ReadAllCharts(base + "userdata/main.cht", settings);
    CastOptions options = CastOptionsFrom(settings);
    options.HouseSystem = stored.at(0).houseSystem;
    run.charts.push_back(CastChart(stored.at(0).chart, options));
    run.ownerNames = {GivenNameOf(stored.at(0).chart.Name)};
    run.compiledFile = report.compiledFile;
    run.indexFile = base + "modern.ind";
    run.outputFile = outputFile;
    run.report = &report;
    run.settings = &settings;
    run.aspects = &aspects;
    run.tables = &tables;
    run.messages = &messages;
  }
};

}  // namespace korvana::bench
