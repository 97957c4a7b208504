// The report viewer's rules that need no window: which files it opens and saves in which
// format, which zoom steps it offers, and the texts it shows.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvana {

// The viewer's file formats, numbered as the editing control numbers them.
enum class ViewerFormat { Unsupported = 0, Text = 1, Html = 4, Rtf = 5 };

// The format a file name's extension names (".TXT", ".HTM"/".HTML", ".RTF", compared
// without regard to case); Unsupported for any other or no extension.
ViewerFormat ViewerFormatOf(std::string_view path);

// The zoom steps of the "&Zoom" menu, in percent.
inline constexpr std::array<int, 5> ViewerZoomSteps = {50, 75, 100, 150, 200};

// The zoom a stored value opens at: the value when it is one of the steps, otherwise 100.
int ViewerZoom(int stored);

// The refusal shown (title "Error") for HTML and unknown formats.
inline constexpr std::string_view UnsupportedFormatText = "Unsupported file format!";

// "Report Viewer - " + path: the caption of a viewer showing a loaded report.
std::string ViewerCaption(std::string_view path);

}  // namespace korvana
