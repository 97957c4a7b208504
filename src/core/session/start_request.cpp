#include "core/session/start_request.h"

namespace korvana {

namespace {
constexpr const char* Start = "Start";
}

StartRequest ReadStartRequest(const IniFile& s) {
  StartRequest r;
  r.done = s.ReadBool(Start, "Done", false);
  r.report = s.ReadString(Start, "Report", "");
  r.chartFile = s.ReadString(Start, "ChartFile", "");
  r.chartIndex = s.ReadInteger(Start, "ChartIndex", 1);
  r.chartFile2 = s.ReadString(Start, "ChartFile2", r.chartFile);
  r.chartIndex2 = s.ReadInteger(Start, "ChartIndex2", 0);
  return r;
}

std::string StartReportPath(const StartRequest& request, const std::string& systemPath) {
  if (request.report.find('/') != std::string::npos) return request.report;
  return systemPath + request.report;
}

StartCommand StartCommandOf(int repDefMenuOpt) {
  switch (repDefMenuOpt) {
    case 1: return StartCommand::ViewAsPdf;
    case 2: return StartCommand::EmailPdf;
    default: return StartCommand::ViewInEditor;
  }
}

void ForgetSecondChart(IniFile& settings) {
  settings.DeleteKey(Start, "ChartFile2");
  settings.DeleteKey(Start, "ChartIndex2");
}

}  // namespace korvana
