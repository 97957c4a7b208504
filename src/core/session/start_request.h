// A report another program asks for: the "Start" section of the settings file names a
// report set and one or two charts; the desktop program started with "DoStart" (or handed
// that word by a later start) writes the report.
#pragma once

#include <string>

#include "core/util/ini_file.h"

namespace korvana {

struct StartRequest {
  bool done = false;        // "Done": the request was handled already
  std::string report;       // "Report": the report set; a bare name lies in the data folder
  std::string chartFile;    // "ChartFile": the first chart's file
  int chartIndex = 1;       // "ChartIndex": its position in the file, from 1
  std::string chartFile2;   // "ChartFile2": the second chart's file (default: "ChartFile")
  int chartIndex2 = 0;      // "ChartIndex2": its position; 0 for none
};

// The request of the "Start" section, with the defaults above.
StartRequest ReadStartRequest(const IniFile& settings);

// The report set's full path: as given when it names a folder, else in `systemPath`.
std::string StartReportPath(const StartRequest& request, const std::string& systemPath);

// What the request's report runs after the charts are placed: "RepDefMenuOpt" 1 "View
// as PDF", 2 "Email PDF", anything else "View in Editor".
enum class StartCommand { ViewInEditor = 0, ViewAsPdf = 1, EmailPdf = 2 };
StartCommand StartCommandOf(int repDefMenuOpt);

// After a synastry request the second chart's values are removed from the section, so
// that a later request for one chart does not take them up.
void ForgetSecondChart(IniFile& settings);

}  // namespace korvana
