// ProgramSettings: the one process-wide record of folders, default files, calculation
// options, report layout options, text styles and display tables.
//
// Each stored field bears the name of its value in the settings store (see
// settings_store.h for sections, types and defaults). Folder fields end in "/"; file
// fields hold full paths once loaded. The tables at the end are built at start-up
// (start_up.h) and are not stored.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config/colors.h"

namespace korvana {

constexpr int PointCount = 36;
constexpr int SignCount = 12;
constexpr int TextStyleCount = 11;

// Font style bits of a text style.
constexpr std::uint8_t StyleBold = 1;
constexpr std::uint8_t StyleItalic = 2;
constexpr std::uint8_t StyleUnderline = 4;

// Paragraph alignment of a text style.
enum class TextAlignment : std::uint8_t { Left = 0, Right = 1, Centre = 2, Justify = 3 };

struct TTextStyle {
  Color fontColor = MakeColor(35, 31, 32);
  std::string fontName = "Arial";
  std::int32_t fontSize = 12;
  std::uint8_t fontStyle = 0;  // StyleBold | StyleItalic | StyleUnderline
  std::uint8_t alignment = 0;  // TextAlignment
};

// The eleven report text styles by index.
enum TextStyleIndex {
  MainHeader1 = 0, ComplimentsText, SectionHeaders, AstrologicalTitles, BodyText, PageHeaders,
  MainHeader2, MainHeader3, ComplimentsHeader1, ComplimentsHeader2, ComplimentsTextHighlight
};
extern const std::array<const char*, TextStyleCount> TextStyleNames;

struct DefaultPlaceSettings {
  std::string place = "Adelaide";
  std::string country = "Australia";
  std::string zone = "ACST -9:30";
  std::string latitude = "34S55";
  std::string longitude = "138E35";
};

struct ReportWindowPlacement {
  std::int32_t windowState = 0;
  std::int32_t zoom = 100;
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  bool viewNormal = false;
};

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The default text styles (the "Styles2" defaults).
std::array<TTextStyle, TextStyleCount> DefaultTextStyles();

struct ProgramSettings {
  // --- System
  bool Tessaly = false;
  std::string SystemPath, EphemPath, SwissEphemPath, UserPath, ChartPath, PlacesPath,
      ReportPath, WheelPath, SourcePath, CompilePath;
  std::string ProjectFile, Charts, Places, DefWheel, BiWheel, SmallWheel, DefExtrasWheel;
  std::string TimeZones, Rulers, Degrees, Trips, Compliments, PointColors;  // full paths
  bool ChartsSorted = true, NamesReversed = true, ChartPreview = false, UseACSAtlas = true,
       AutoAtlasLookup = true, PrintInColor = true;
  std::string EMTTFont = "ZP Astro", ScreenTTFont = "ZP Astro";
  bool AllowAltRepFolders = false, ShowToolbar = true;
  std::int32_t RepDefMenuOpt = 0;
  double WheelAspectRatioAdjustment = 1.0;

  // --- DefaultPlace, ReportWindow, Styles2
  DefaultPlaceSettings DefaultPlace;
  ReportWindowPlacement ReportWindow;
  std::array<TTextStyle, TextStyleCount> TextStyles = DefaultTextStyles();

  // --- Styles
  bool PageBreaks = true, Summary = true, ChartPage = true, ShowExplanations = true,
       ShowGraphics = true, ShowTimeLineDiagrams = true, IncludePageHeaders = true,
       SkipSelectDialog = false;
  std::int32_t PageMarginL = 720, PageMarginR = 720, PageMarginT = 720, PageMarginB = 720;

  // --- Calculations
  std::int32_t Houses = 5;
  std::int32_t Zodiac = 0;
  double UserSVP = 0.0;
  double CombustOrb = 8.0;
  std::int32_t Node = 0;
  std::int32_t Vulcan = 0;
  bool PFDayOnly = false, GeocentricLat = false, ParallaxMoon = false, MonthFirst = false,
       AMPM = true, PrecCorr = false, Converse = false, ShowNatalCht = true;
  std::int32_t CompositeChartMethod = 2;
  std::int32_t CompositeMPBaseHouse = 0;

  // --- ChartsMRU
  std::vector<std::string> RecentCharts;

  // --- Not stored
  std::string TempPath;
  std::string PlacesParentPath;
  std::string CurrentWheel;
  bool SymbolFontInstalled = false;
  bool SwissEphemerisAvailable = false;
  bool HouseExpansion = false;  // "House Expansion in Chart Display"; starts off each run
  std::int32_t CenturyPivotYear = 1930;
  std::int32_t PageHeightTwips = 16951;
  std::int32_t PageWidthTwips = 12018;
  std::array<bool, PointCount + 1> WheelPointSelection{};  // [1..36]
  std::array<std::uint8_t, PointCount + 1> PointGlyph{};   // [1..36]
  std::array<std::uint8_t, SignCount + 1> SignGlyph{};     // [1..12]
  std::array<Rgb, SignCount + 2> SignColor{};              // [1..12], [13] pure red
  std::array<Rgb, SignCount + 1> SignColorLight{};         // [1..12]
  std::array<Color, PointCount + 1> PointColor{};          // [1..36]
};

// Whether a path lies inside one of the folders the program keeps report files in: the
// system, user, source, compile and report folders (symbolic links resolved). A report
// set may name files only there, and the program makes files for a report set only there.
bool IsInReportFolders(const std::string& path, const ProgramSettings& settings);

}  // namespace korvana
