#include "core/config/program_settings.h"

#include "core/util/files.h"

namespace korvana {

const std::array<const char*, TextStyleCount> TextStyleNames = {
    "Main Header 1", "Compliments Text", "Section Headers", "Astrological Titles",
    "Body Text", "Page Headers", "Main Header 2", "Main Header 3",
    "Compliments Header 1", "Compliments Header 2", "Compliments Text Highlight"};

namespace {

struct StyleDefault {
  Color color;
  std::int32_t size;
  std::uint8_t style;
  std::uint8_t alignment;
};

constexpr Color Common = MakeColor(35, 31, 32);

constexpr StyleDefault StyleDefaults[TextStyleCount] = {
    {ColorBlack, 26, StyleBold, 2},   {Common, 10, 0, 2},
    {ColorGrey, 20, StyleBold, 2},    {ColorRed, 12, StyleItalic, 0},
    {Common, 11, 0, 3},               {Common, 10, 0, 0},
    {ColorGrey, 16, 0, 2},            {ColorGrey, 16, StyleBold, 2},
    {ColorGrey, 13, StyleBold, 2},    {Common, 10, StyleBold, 2},
    {ColorBlack, 10, StyleBold, 0}};

}  // namespace

std::array<TTextStyle, TextStyleCount> DefaultTextStyles() {
  std::array<TTextStyle, TextStyleCount> styles{};
  for (int i = 0; i < TextStyleCount; ++i) {
    styles[i].fontColor = StyleDefaults[i].color;
    styles[i].fontSize = StyleDefaults[i].size;
    styles[i].fontStyle = StyleDefaults[i].style;
    styles[i].alignment = StyleDefaults[i].alignment;
  }
  return styles;
}

bool IsInReportFolders(const std::string& path, const ProgramSettings& settings) {
  for (const std::string* folder : {&settings.SystemPath, &settings.UserPath, &settings.SourcePath,
                                    &settings.CompilePath, &settings.ReportPath})
    if (IsInsideFolder(path, *folder)) return true;
  return false;
}

}  // namespace korvana
