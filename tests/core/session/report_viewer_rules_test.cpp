// The report viewer's file formats by extension and its zoom rule.
#include "core/session/report_viewer_rules.h"

#include <gtest/gtest.h>

namespace korvana {
namespace {

TEST(ReportViewerRules, TheExtensionNamesTheFormat) {
  const std::pair<const char*, ViewerFormat> cases[] = {
      {"/home/u/report.rtf", ViewerFormat::Rtf},      {"REPORT.RTF", ViewerFormat::Rtf},
      {"notes.TxT", ViewerFormat::Text},              {"page.htm", ViewerFormat::Html},
      {"page.HTML", ViewerFormat::Html},              {"report.doc", ViewerFormat::Unsupported},
      {"report.rtf.bak", ViewerFormat::Unsupported},  {"report", ViewerFormat::Unsupported},
      {"/folder.rtf/report", ViewerFormat::Unsupported}, {"report.", ViewerFormat::Unsupported},
      {"report.tx", ViewerFormat::Unsupported},
  };
  for (const auto& [path, format] : cases) EXPECT_EQ(ViewerFormatOf(path), format) << path;
}

TEST(ReportViewerRules, OnlyTheMenuStepsAreKeptAsZoom) {
  const std::pair<int, int> cases[] = {{50, 50}, {75, 75}, {100, 100}, {150, 150}, {200, 200},
                                       {120, 100}, {0, 100}, {-75, 100}, {400, 100}, {49, 100}};
  for (const auto& [stored, zoom] : cases) EXPECT_EQ(ViewerZoom(stored), zoom) << stored;
}

}  // namespace
}  // namespace korvana
