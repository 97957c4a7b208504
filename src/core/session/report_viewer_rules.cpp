#include "core/session/report_viewer_rules.h"

#include <algorithm>

#include "core/util/text.h"

namespace korvana {

ViewerFormat ViewerFormatOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return ViewerFormat::Unsupported;
  const std::string_view ext = path.substr(dot);
  if (EqualsNoCase(ext, ".rtf")) return ViewerFormat::Rtf;
  if (EqualsNoCase(ext, ".txt")) return ViewerFormat::Text;
  if (EqualsNoCase(ext, ".htm") || EqualsNoCase(ext, ".html")) return ViewerFormat::Html;
  return ViewerFormat::Unsupported;
}

int ViewerZoom(int stored) {
  return std::find(ViewerZoomSteps.begin(), ViewerZoomSteps.end(), stored) != ViewerZoomSteps.end() ? stored : 100;
}

std::string ViewerCaption(std::string_view path) { return "Report Viewer - " + std::string(path); }

}  // namespace korvana
